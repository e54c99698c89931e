#pragma once
// The walls a new user tries first: the built-in one, one with ten line
// loads and sixteen combinations, a tall narrow one and a wide low one.

#include "support/PlainSIWall.h"

namespace brindlemar::test {

enum NamedWall { BuiltIn, TenLoads, TallNarrow, WideLow };

inline void ShapeNamedWall(Model& m, int wall) {
    switch (wall) {
    case TenLoads: {
        m.HeelLength += std::exchange(m.StemTopThickness, 0.4f) - 0.4f;  // a stem top narrower than its front batter
        m.LineLoadCount = 10;
        const float top = m.WallHeight;
        for (int i = 1; i <= 10; ++i)
            m.LineLoads[i] = {2.0f + 7.0f * (i % 4), m.BaseWidth * (0.1f + 0.09f * i), top + (i % 3) * 0.2f,
                              i % 2 == 0 ? 180.0f : 150.0f, static_cast<int16_t>(1 + i % 9)};
        CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
        for (int i = 1; i < 16; ++i) {
            set.Combinations[static_cast<size_t>(i)] = set.Combinations[0];
            set.Combinations[static_cast<size_t>(i)].Factor[DL] = 0.9f + 0.05f * i;
        }
        set.CombinationCount = 16;
        m.CurrentCombination = 15;
        break;
    }
    case TallNarrow:
        MakePlainSIWall(m);
        ShapePlainWall(m, 0.3f, 0.15f, 0.25f, 0.3f, 1.2f, 7.5f, 0.45f, 0);
        break;
    case WideLow:
        MakePlainSIWall(m);
        ShapePlainWall(m, 2.2f, 0, 0.3f, 0, 3.5f, 1.4f, 0.4f, 0);
        m.WaterIncluded = 1;
        m.EnteredFrontWaterDepth = 1.6f;  // within the toe's tip, 0.2 above the base's underside
        m.EnteredBackWaterDepth = 1.0f;
        break;
    default:
        break;
    }
}

}  // namespace brindlemar::test

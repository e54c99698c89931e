#pragma once
// The walls a new user tries first: the built-in one, one with ten line
// loads and sixteen combinations, a tall narrow one and a wide low one; and
// a user's own, loaded every way a wall is.

#include "support/PlainSIWall.h"

namespace brindlemar::test {

enum NamedWall { BuiltIn, TenLoads, TallNarrow, WideLow, UsersOwn };

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
    case UsersOwn: {
        // in feet, kips and ksf: 30 ft high with a key under the stem, water on both sides, an
        // earthquake of 0.15 g, the backfill rising 1 in 2.5 under a surcharge of 0.25 ksf
        MakePlainSIWall(m);
        m.PreviousUnitSystem = m.CurrentUnitSystem;
        m.CurrentUnitSystem = British;
        ConvertUnits(m);
        ShapePlainWall(m, 5, 0, 1.5f, 2, 10, 28, 2, 2.5f);
        m.ShearKeyIncluded = 1;
        m.ShearKeyDepth = 2;
        m.ShearKeyToeDistance = 5;
        m.ShearKeyHeelDistance = m.BaseWidth - 5 - m.ShearKeyWidth;
        m.WaterIncluded = 1;
        m.EnteredFrontWaterDepth = 24;
        m.EnteredBackWaterDepth = 15;
        m.SeismicIncluded = 1;
        m.EnteredSeismicCoefficient = 0.15f;
        m.BackfillSurcharge = 0.25f;
        m.PassiveToePressureIncluded = 1;
        // a railing's dead and live loads on the stem top, a strip footing on the backfill, a load
        // beyond the heel, earth over the toe and ice pushing on the front face at the water
        m.LineLoadCount = 6;
        m.LineLoads[1] = {0.05f, 5.75f, 30, 180, DL};
        m.LineLoads[2] = {0.1f, 5.75f, 33.5f, 270, LL};
        m.LineLoads[3] = {3, 12, 32.2f, 180, ES};
        m.LineLoads[4] = {3, 21, 35.8f, 180, ES};
        m.LineLoads[5] = {1.2f, 2.5f, 4, 180, EV};
        m.LineLoads[6] = {0.5f, 4.5f, 6, 90, IC};
        break;
    }
    default:
        break;
    }
}

}  // namespace brindlemar::test

// Static water on both faces, water weights, uplift, and the passive earth
// in front of the toe and the shear key, worked by hand on the built-in wall
// (unit weight of water 1, front face 10 high: stem 8, toe drop 1, tip 1;
// back: stem 7.73, heel drop 1, heel end 1.27).

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "support/BuiltInWall.h"
#include "analysis/Analysis.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "analysis/WaterPressure.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;

struct Block {
    int k;
    double F, arm;
};

struct WaterWall : BuiltInWall {
    WaterWall(float front, float back) {
        SelectLoadCombination(m, 0, 0);
        m.FrontWaterDepth = front;
        m.BackWaterDepth = back;
        ComputeWallOutline(m);
    }
};

void ExpectWaterBlocks(const Model& m, std::initializer_list<Block> blocks, double scale = 1) {
    for (const Block& b : blocks) {
        SCOPED_TRACE(b.k);
        EXPECT_NEAR(m.WaterPressureForces[b.k], b.F * scale, 2e-5 * std::max(1.0, b.F * scale));
        if (b.F == 0) continue;
        const float arm = b.k <= 6 ? m.WaterPressureArmsY[b.k] : m.WaterPressureArmsX[b.k];
        EXPECT_NEAR(arm, b.arm, 2e-5 * std::max(1.0, b.arm));
    }
}

TEST(WaterPressure, WaterAgainstBothStemFaces) {
    WaterWall wall(5.0f, 1.5f);
    CalcWaterPressures(wall.m);
    ExpectWaterBlocks(wall.m, {
        {1, 19.40645, 5.653333}, {2, 6.73, 8.242382}, {3, 9.98855, 9.382088},
        {4, 4.5, 7.0}, {5, 3.5, 8.523810}, {6, 4.5, 9.518519},
        {7, 1.2552684, 3.6956749}, {8, 22.6801, 5.556726}, {9, 0.28125, 2.0625}, {10, 7.0, 0.952381},
        {11, 48.6, 3.911111},
    });
    const float ordinates[] = {0, 6.23f, 7.23f, 8.5f, 3, 4, 5, 6.23f, 7.23f, 3, 4, 5, 8.5f};
    for (int k = 1; k <= 12; ++k) EXPECT_NEAR(wall.m.WaterPressureOrdinates[k], ordinates[k], 2e-6) << k;

    // the water factor scales every block
    wall.m.CurrentLoadCombination.Factor[WA] = 2;
    CalcWaterPressures(wall.m);
    ExpectWaterBlocks(wall.m, {{1, 19.40645, 5.653333}, {8, 22.6801, 5.556726}, {11, 48.6, 3.911111}}, 2);
}

TEST(WaterPressure, LevelsAtAndBetweenTheBreaksOfEachFace) {
    struct Case {
        const char* what;
        float front, back;
        std::vector<Block> blocks;
        std::vector<std::pair<int, float>> ordinates;
    };
    const Case cases[] = {
        // nothing on the stem, a triangle on the heel end above the heel top
        {"back level at the stem foot", 5.0f, 7.73f,
         {{1, 0, 0}, {2, 0.5, 7.73 + 2.0 / 3.0}, {3, 2.07645, 9.447207}, {7, 0, 0}}, {{1, 0}, {7, 0}}},
        // water stands on part of the heel top
        {"back level between the stem foot and the heel-end top", 5.0f, 8.0f,
         {{1, 0, 0}, {2, 0.26645, 8.0 + 0.73 * 2 / 3}, {8, 0.8979365, 4.7399 + 2.4601 * 2 / 3}}, {}},
        {"back level below the heel top pushes only the heel end", 5.0f, 9.0f,
         {{1, 0, 0}, {2, 0, 0}, {3, 0.5, 9.0 + 2.0 / 3.0}, {7, 0, 0}, {8, 0, 0}}, {{3, 1.0f}}},
        {"front level over the toe top", 8.5f, 1.5f,
         {{4, 0, 0}, {5, 0.125, 8.5 + 1.0 / 3.0}, {6, 1.0, 9.0 + 1.0 * (0.5 + 3.0) / (3 * 2.0)}, {9, 0, 0},
          {10, 0.25, 1.0 / 3.0}},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaterWall wall(c.front, c.back);
        CalcWaterPressures(wall.m);
        for (const Block& b : c.blocks) ExpectWaterBlocks(wall.m, {b});
        for (const auto& [k, p] : c.ordinates) EXPECT_FLOAT_EQ(wall.m.WaterPressureOrdinates[k], p) << k;
    }
}

TEST(WaterPressure, EqualHeadsGiveUniformUpliftAtMidBase) {
    WaterWall wall(4.0f, 4.0f);
    CalcWaterPressures(wall.m);
    EXPECT_NEAR(wall.m.WaterPressureForces[11], 6.0 * 7.2, 1e-4);
    EXPECT_NEAR(wall.m.WaterPressureArmsX[11], 3.6, 1e-6);
}

// No water at all, not a float's rounding of it: with both levels at the
// base, and with the water switched off on toes whose float sum of drop,
// stem and tip falls short of the double one.
TEST(WaterPressure, NoWaterWhenBothLevelsAreAtTheBaseOrTheWaterIsOff) {
    const struct Case {
        const char* what;
        bool waterOff;
        float drop, tip;
    } cases[] = {{"levels at the base", false, 1, 1},
                 {"off, drop 0.9, tip 0.9", true, 0.9f, 0.9f},
                 {"off, drop 0.9, tip 0.5", true, 0.9f, 0.5f},
                 {"off, drop 1.3, tip 0.4", true, 1.3f, 0.4f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaterWall wall(10.0f, 10.0f);
        Model& m = wall.m;
        m.ToeTopDrop = c.drop;
        m.ToeTipThickness = c.tip;
        if (c.waterOff) {
            m.WaterIncluded = 0;
            SetWaterDepths(m);
        }
        ComputeWallOutline(m);
        CalcWaterPressures(m);
        for (int k = 1; k <= 11; ++k) EXPECT_EQ(m.WaterPressureForces[k], 0) << k;
        for (int k = 1; k <= 12; ++k) EXPECT_EQ(m.WaterPressureOrdinates[k], 0) << k;
    }
}

// Passive coefficient of the toe earth: Coulomb, φ 30°, δ 15° on a vertical
// face under a level surface, 4.97650; its horizontal part cos 15°.
TEST(PassivePressure, ToeEarthAndShearKey) {
    struct Case {
        const char* what;
        float front;
        int16_t water, toe, key;
        double p1, p2, p3, F1, F2, F3;
    };
    const Case cases[] = {
        {"front water above the toe top: all submerged", 5.0f, True, 1, 1, 0, 4.806930, 8.027573, 0, 2.403465,
         4.299558},
        {"key without toe earth starts from 0", 5.0f, True, 0, 1, 0, 0, 3.220643, 0, 2.403465, 1.078915},
        {"water off: dry toe earth, dry key", 10.0f, False, 1, 1, 8.171781, 8.171781, 13.646874, 4.085890, 0,
         0.67 * (8.171781 + 13.646874) / 2},
        {"front water within the toe tip", 9.5f, True, 1, 0, 4.085890, 6.489355, 0, 1.021473, 2.643811, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WaterWall wall(c.front, 1.5f);
        Model& m = wall.m;
        m.WaterIncluded = c.water;
        m.PassiveToePressureIncluded = c.toe;
        m.ShearKeyIncluded = c.key;
        CalcPassivePressure(m);
        const auto& p = m.PassivePressureOrdinates;
        const auto& F = m.PassivePressureForces;
        EXPECT_EQ(p[0], 0);
        EXPECT_NEAR(p[1], c.p1, 2e-5 * std::max(1.0, c.p1));
        EXPECT_NEAR(p[2], c.p2, 2e-5 * std::max(1.0, c.p2));
        EXPECT_NEAR(F[1], c.F1, 2e-5 * std::max(1.0, c.F1));
        EXPECT_NEAR(F[2], c.F2, 2e-5 * std::max(1.0, c.F2));
        if (c.key == 1) {
            EXPECT_NEAR(p[3], c.p3, 2e-5 * c.p3);
            EXPECT_NEAR(F[3], c.F3, 2e-5 * c.F3);
        }
    }
}

TEST(PassivePressure, LinesOfActionAndUserCoefficient) {
    WaterWall wall(5.0f, 1.5f);
    Model& m = wall.m;
    CalcPassivePressure(m);
    // no dry layer: block 1 has no force and sits at the toe-tip top
    EXPECT_FLOAT_EQ(m.PassivePressureArmsY[1], 9.0f);
    EXPECT_NEAR(m.PassivePressureArmsY[2], 9.0 + 2.0 / 3.0, 1e-6);
    EXPECT_NEAR(m.PassivePressureArmsY[3], 10.363021, 1e-5);

    m.KpSource = UserValue;
    m.EnteredKp = 0;
    CalcPassivePressure(m);
    for (int k = 0; k <= 3; ++k) EXPECT_EQ(m.PassivePressureOrdinates[k], 0) << k;
    for (int k = 1; k <= 3; ++k) EXPECT_EQ(m.PassivePressureForces[k], 0) << k;
}

}  // namespace
}  // namespace brindlemar

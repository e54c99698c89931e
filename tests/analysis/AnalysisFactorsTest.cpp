// Every load and resistance factor on its own load: combinations that give
// each load type a different factor, against a second hand calculation made
// by whole bodies (tests/analysis/hand_calc_by_bodies.py). With factors of 0 and
// 1 only, a factor applied to the wrong load goes unseen.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>

#include "analysis/Analysis.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "support/MessageRecorder.h"
#include "support/BuiltInWall.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;
using test::MessageRecorder;

struct Expected {
    double V, H, M, xr, e, Mmid, left, right, width, bearing, slide, resist, sliding, rot, res, rotation;
};

struct Case {
    const char* what;
    std::function<void(Model&)> setUp;
    std::initializer_list<std::pair<int, float>> factors;   // every other factor 1
    Expected want;
};

// The float sums keep about six digits over some forty loads.
void ExpectClose(double actual, double want, const char* what) {
    EXPECT_NEAR(actual, want, 3e-5 * std::max(std::fabs(want), 1.0)) << what;
}

TEST(AnalyseCombination, EachFactorScalesItsOwnLoads) {
    const Case cases[] = {
        {"rock, active, water on both sloping tops, line loads",
         [](Model& m) {
             m.EnteredBackWaterDepth = 8.2f;    // over the sloping heel top
             m.EnteredFrontWaterDepth = 8.5f;   // over the sloping toe top
             m.BaseCohesion = 0.05f;
             m.AdjacentStructureIncluded = 1;
             m.AdjacentStructureCapacity = 3;
             m.LineLoadCount = 4;
             m.LineLoads[1] = {2.0f, 6.0f, 9.5f, 180.0f, LL};
             m.LineLoads[2] = {1.0f, 3.0f, 10.0f, 270.0f, EQ};
             m.LineLoads[3] = {0.8f, 1.0f, 9.0f, 200.0f, IC};
             m.LineLoads[4] = {1.5f, 5.0f, 9.0f, 180.0f, S2};
         },
         {{DL, 1.25f}, {EV, 1.35f}, {EH, 1.5f}, {ES, 1.45f}, {LL, 1.75f}, {LD, 1.3f}, {WA, 1.1f}, {EQ, 0.9f},
          {IC, 1.05f}, {S1, 0.8f}, {S2, 1.2f}, {BE, 0.45f}, {FC, 0.8f}, {EP, 0.5f}, {RH, 0.7f}, {RO, 0.85f}},
         {183.1875, -96.93402, 474.6624, 2.591129, -1.008871, -184.8126, 46.83305, 4.052364, 7.2, 0.9608599,
          96.93402, 92.94219, 0.9588191, 190.7914, 566.3167, 2.968251}},
        {"soil, at rest, surcharge as live load, no key",
         [](Model& m) {
             m.BaseMaterialOption = Soil;
             m.EarthPressureOption = AtRest;
             m.ShearKeyIncluded = 0;
             m.SurchargeLoadType = LL;
         },
         {{DL, 0.9f}, {EV, 1.3f}, {EH, 1.35f}, {ES, 1.2f}, {LL, 1.6f}, {WA, 1.15f}, {EQ, 1.1f}, {S1, 1.4f},
          {S2, 0.7f}, {BE, 0.6f}, {FC, 1.1f}, {EP, 0.75f}, {RO, 0.95f}},
         {122.9432, -114.8493, 209.7748, 1.706274, -1.893726, -232.8207, 36.0268, 36.0268, 3.412549, 1.665427,
          114.8493, 79.88202, 0.6955376, 441.6411, 619.6062, 1.402963}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltInWall wall;
        Model& m = wall.m;
        c.setUp(m);
        SetWaterDepths(m);
        ComputeWallOutline(m);
        CombinationSet& set = m.CombinationSets[2];
        set.CombinationCount = 1;
        set.Factors = m.CurrentFactorDefinition;
        LoadCombination& combination = set.Combinations[0];
        for (int k = 1; k <= 21; ++k) combination.Factor[k] = 1;
        for (const auto& [code, factor] : c.factors) combination.Factor[code] = factor;
        m.CombinationSetCount = 3;
        m.ActiveCombinationSet = 2;
        MessageRecorder messages;
        AnalyseAllCombinations(m);
        EXPECT_TRUE(messages.Messages.empty());

        const Expected& w = c.want;
        ASSERT_EQ(m.CombinationWallStableFlags[1], True);
        ExpectClose(*m.CombinationTotalVerticalForces[1], w.V, "V");
        ExpectClose(*m.CombinationTotalHorizontalForces[1], w.H, "H");
        ExpectClose(*m.CombinationMomentsAtOverturningPoint[1], w.M, "M");
        ExpectClose(*m.CombinationEccentricitiesFromOverturningPoint[1], w.xr, "xr");
        ExpectClose(*m.CombinationEccentricitiesFromMidbase[1], w.e, "e");
        ExpectClose(*m.CombinationMomentsAtMidbase[1], w.Mmid, "moment at mid-base");
        ExpectClose(*m.CombinationLeftBearingPressures[1], w.left, "toe-side pressure");
        ExpectClose(*m.CombinationRightBearingPressures[1], w.right, "heel-side pressure");
        ExpectClose(*m.CombinationBearingPressureWidths[1], w.width, "contact width");
        ExpectClose(*m.CombinationBearingResistanceRatios[1], w.bearing, "bearing ratio");
        ExpectClose(*m.CombinationSlidingForces[1], w.slide, "sliding force");
        ExpectClose(*m.CombinationSlidingResistingForces[1], w.resist, "sliding resistance");
        ExpectClose(*m.CombinationSlidingResistanceRatios[1], w.sliding, "sliding ratio");
        ExpectClose(*m.CombinationRotatingMoments[1], w.rot, "rotating moment");
        ExpectClose(*m.CombinationRotationResistingMoments[1], w.res, "resisting moment");
        ExpectClose(*m.CombinationRotationResistanceRatios[1], w.rotation, "rotation ratio");
    }
}

}  // namespace
}  // namespace brindlemar

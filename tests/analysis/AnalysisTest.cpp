// Stability of one combination and of every combination of a set, against
// hand calculations (tests/analysis/hand_calc_builtin_wall.py works the built-in
// wall from the engineering formulas) and against closed-form cases on a
// weightless wall carrying line loads only.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

#include "analysis/Analysis.h"
#include "analysis/Coefficients.h"
#include "analysis/Preparation.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "model/Units.h"
#include "runtime/Hooks.h"
#include "support/MessageRecorder.h"
#include "AnalysisTestSupport.h"
#include "support/BuiltInWall.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;
using test::ExpectFourDigits;
using test::MessageRecorder;

// One column of the stability table, worked by hand.
struct HandColumn {
    const char* what;
    int set, combination;
    double V, H, M, xr, e, Mmid, left, right, width, qn, bearing, slide, resist, sliding, rot, res, rotation;
};

void ExpectColumn(const Model& m, const HandColumn& c) {
    const int i = c.combination + 1;
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(m.CombinationWallStableFlags[i].has_value());
    EXPECT_EQ(*m.CombinationWallStableFlags[i], True);
    ExpectFourDigits(*m.CombinationTotalVerticalForces[i], c.V, "V");
    ExpectFourDigits(*m.CombinationTotalHorizontalForces[i], c.H, "H");
    ExpectFourDigits(*m.CombinationMomentsAtOverturningPoint[i], c.M, "M");
    ExpectFourDigits(*m.CombinationEccentricitiesFromOverturningPoint[i], c.xr, "xr");
    ExpectFourDigits(*m.CombinationEccentricitiesFromMidbase[i], c.e, "e");
    ExpectFourDigits(*m.CombinationMomentsAtMidbase[i], c.Mmid, "moment at mid-base");
    ExpectFourDigits(*m.CombinationLeftBearingPressures[i], c.left, "toe-side pressure");
    ExpectFourDigits(*m.CombinationRightBearingPressures[i], c.right, "heel-side pressure");
    ExpectFourDigits(*m.CombinationBearingPressureWidths[i], c.width, "contact width");
    ExpectFourDigits(*m.CombinationNominalBearingResistances[i], c.qn, "nominal resistance");
    ExpectFourDigits(*m.CombinationBearingResistanceRatios[i], c.bearing, "bearing ratio");
    ExpectFourDigits(*m.CombinationSlidingForces[i], c.slide, "sliding force");
    ExpectFourDigits(*m.CombinationSlidingResistingForces[i], c.resist, "sliding resistance");
    ExpectFourDigits(*m.CombinationSlidingResistanceRatios[i], c.sliding, "sliding ratio");
    ExpectFourDigits(*m.CombinationRotatingMoments[i], c.rot, "rotating moment");
    ExpectFourDigits(*m.CombinationRotationResistingMoments[i], c.res, "resisting moment");
    ExpectFourDigits(*m.CombinationRotationResistanceRatios[i], c.rotation, "rotation ratio");
}

TEST(AnalyseAllCombinations, WallsMatchTheirHandCalculations) {
    struct Case {
        const char* what;
        void (*setUp)(Model&);
        HandColumn hand[3];
    };
    const Case cases[] = {
        {"built-in wall", [](Model&) {},
         {{"ASD", 0, 0, 103.9, -86.88, 136.5, 1.314, -2.286, -237.5, 52.72, 0, 3.942, 10, 1.897, 86.88, 66.69,
           0.7677, 425.2, 562.5, 1.323},
          {"Sliding and eccentricity", 1, 0, 100.0, -86.88, 116.2, 1.161, -2.439, -244.0, 57.43, 0, 3.484, 10,
           1.741, 86.88, 64.46, 0.7420, 425.2, 542.1, 1.275},
          {"Bearing and reinforcement", 1, 1, 103.9, -86.88, 136.5, 1.314, -2.286, -237.5, 52.72, 0, 3.942, 10,
           1.897, 86.88, 66.69, 0.7677, 425.2, 562.5, 1.323}}},
        {"soil base, at rest, line loads",
         [](Model& m) {
             m.EnteredFrontWaterDepth = 9.5f;   // below the toe top, above the base underside
             m.BaseMaterialOption = Soil;
             m.BearingResistanceMethod = TheoreticalBearing;
             m.BaseUnitWeight = 1.9f;
             m.BaseCohesion = 0.1f;
             m.EarthPressureOption = AtRest;
             m.AdjacentStructureIncluded = 1;
             m.AdjacentStructureCapacity = 2;
             m.LineLoadCount = 2;
             m.LineLoads[1] = {3.0f, 1.0f, 9.0f, 180.0f, DL};   // down on the toe
             m.LineLoads[2] = {1.5f, 2.6f, 6.0f, 270.0f, EH};   // towards the toe, on the stem
         },
         {{"ASD", 0, 0, 117.4, -101.3, 197.7, 1.684, -1.916, -225.0, 34.86, 34.86, 3.367, 9.739, 2.794, 101.3,
           86.07, 0.8496, 339.0, 537.9, 1.587},
          {"Sliding and eccentricity", 1, 0, 113.5, -101.3, 177.3, 1.562, -2.038, -231.4, 36.35, 36.35, 3.123,
           9.480, 2.608, 101.3, 83.84, 0.8276, 339.0, 517.6, 1.527},
          {"Bearing and reinforcement", 1, 1, 117.4, -101.3, 197.7, 1.684, -1.916, -225.0, 34.86, 34.86, 3.367,
           9.739, 2.794, 101.3, 86.07, 0.8496, 339.0, 537.9, 1.587}}},
        // no earthquake, no seismic increment, whatever the user's Ka
        {"seismic off, Ka 0.30 entered",
         [](Model& m) {
             m.SeismicIncluded = 0;
             m.KaSource = UserValue;
             m.EnteredKa = 0.30f;
         },
         {{"ASD", 0, 0, 91.62, -45.99, 271.0, 2.958, -0.6421, -58.83, 19.53, 5.916, 7.2, 10, 5.119, 45.99, 59.60,
           1.296, 290.7, 562.5, 1.935},
          {"Sliding and eccentricity", 1, 0, 87.75, -45.99, 250.6, 2.856, -0.7438, -65.27, 19.74, 4.633, 7.2, 10,
           5.065, 45.99, 57.37, 1.247, 290.7, 542.1, 1.865},
          {"Bearing and reinforcement", 1, 1, 91.62, -45.99, 271.0, 2.958, -0.6421, -58.83, 19.53, 5.916, 7.2,
           10, 5.119, 45.99, 59.60, 1.296, 290.7, 562.5, 1.935}}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        BuiltInWall wall;
        Model& m = wall.m;
        k.setUp(m);
        MessageRecorder messages;
        for (const HandColumn& c : k.hand) {
            m.ActiveCombinationSet = static_cast<int16_t>(c.set);
            AnalyseAllCombinations(m);
            ExpectColumn(m, c);
        }
        EXPECT_TRUE(messages.Messages.empty());
    }
}

// A wall whose only loads are its line loads: every unit weight, the
// surcharge, the water and the earthquake are taken away, so V, M and H are
// those of the line loads alone and the resultant can be put anywhere.
struct WeightlessWall : BuiltInWall {
    WeightlessWall() {
        m.ConcreteUnitWeight = 0;
        m.BackfillUnitWeight = 0;
        m.BackfillSaturatedDensity = 0;
        m.WaterUnitWeight = 0;
        m.ToeEarthUnitWeight = 0;
        m.ToeEarthSaturatedDensity = 0;
        m.BackfillSurcharge = 0;
        m.AppliedSeismicCoefficient = 0;
        m.ActiveCombinationSet = 0;
        m.CurrentCombination = 0;
        ComputeWallOutline(m);
    }
    // one load of `P` straight down at x
    void LoadDown(float P, float x, int16_t type = DL) {
        m.LineLoadCount = 1;
        m.LineLoads[1] = {P, x, 0.0f, 180.0f, type};
    }
};

TEST(AnalyseCombination, BasePressureAtTheThirdsAndEdges) {
    struct Case {
        const char* what;
        int16_t base;
        double xrOverB;   // where the single load stands
        int16_t stable;
        double toe, heel, width, start, end;   // in units of V / B and of B
    };
    const Case cases[] = {
        {"rock, e = -B/6: still linear", Rock, 1.0 / 3.0, True, 2.0, 0.0, 1.0, 0.0, 1.0},
        {"rock, toe third", Rock, 0.25, True, 8.0 / 3.0, 0.0, 0.75, 0.0, 0.75},
        {"rock, heel third", Rock, 5.0 / 6.0, True, 0.0, 4.0, 0.5, 0.5, 1.0},
        {"rock, middle", Rock, 0.5, True, 1.0, 1.0, 1.0, 0.0, 1.0},
        {"soil, e = B/10", Soil, 0.6, True, 1.25, 1.25, 0.8, 0.2, 1.0},
        {"soil, e = -B/4", Soil, 0.25, True, 2.0, 2.0, 0.5, 0.0, 0.5},
        {"rock, resultant on the toe edge", Rock, 0.0, False, 0.0, 0.0, 0.0, 0.0, 1.0},
        {"rock, resultant on the heel edge", Rock, 1.0, False, 0.0, 0.0, 0.0, 0.0, 1.0},
        {"soil, resultant on the heel edge", Soil, 1.0, False, 0.0, 0.0, 0.0, 0.0, 1.0},
        {"rock, resultant beyond the heel", Rock, 1.2, False, 0.0, 0.0, 0.0, 0.0, 1.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WeightlessWall wall;
        Model& m = wall.m;
        MessageRecorder messages;
        m.BaseMaterialOption = c.base;
        const double B = m.BaseWidth;
        const double V = 12.0;
        // a contact first, so that a lost one must clear what it left
        wall.LoadDown(static_cast<float>(V), static_cast<float>(B / 2));
        AnalyseCombination(m);
        ASSERT_GT(m.BearingPressureWidth, 0);
        wall.LoadDown(static_cast<float>(V), static_cast<float>(c.xrOverB * B));
        AnalyseCombination(m);
        EXPECT_TRUE(messages.Messages.empty());
        EXPECT_EQ(m.WallStable, c.stable);
        EXPECT_NEAR(m.TotalVerticalForce, V, 1e-5);
        EXPECT_NEAR(m.EccentricityFromOverturningPoint, c.xrOverB * B, 1e-5);
        EXPECT_NEAR(m.LeftBearingPressure, c.toe * V / B, 1e-4);
        EXPECT_NEAR(m.RightBearingPressure, c.heel * V / B, 1e-4);
        EXPECT_NEAR(m.BearingPressureWidth, c.width * B, 1e-4);
        EXPECT_NEAR(m.BearingContactStart, c.start * B, 1e-4);
        EXPECT_NEAR(m.BearingContactEnd, c.end * B, 1e-4);
        if (c.stable == True) {
            EXPECT_NEAR(m.EffectiveBaseWidth, B - 2 * std::fabs(c.xrOverB * B - B / 2), 1e-4);
            // the built-in user resistance 10 kg/cm² is 100 T/m² against the larger edge pressure
            EXPECT_NEAR(m.BearingResistanceRatio, 100.0 / std::max(c.toe, c.heel) / (V / B), 1e-3);
        } else {
            EXPECT_EQ(m.ToeEdgePressure, 0);
            EXPECT_EQ(m.HeelEdgePressure, 0);
            EXPECT_EQ(m.EffectiveBaseWidth, 0);
            EXPECT_EQ(m.ComputedBearingResistance, 0);
            EXPECT_EQ(m.BearingResistanceRatio, 0);
            // sliding and rotation are still computed
            EXPECT_EQ(m.RotationResistanceRatio, 1E+10f);
        }
    }
}

TEST(AnalyseCombination, NoVerticalForceAndNoDrivingTerms) {
    WeightlessWall wall;
    Model& m = wall.m;
    MessageRecorder messages;
    m.LineLoadCount = 0;
    AnalyseCombination(m);
    EXPECT_EQ(m.TotalVerticalForce, 0);
    EXPECT_FLOAT_EQ(m.EccentricityFromOverturningPoint, m.BaseWidth / 2);
    EXPECT_EQ(m.EccentricityFromMidbase, 0);
    EXPECT_EQ(m.MomentAtMidbase, 0);
    EXPECT_EQ(m.WallStable, False);
    EXPECT_EQ(m.LeftBearingPressure, 0);
    EXPECT_EQ(m.RightBearingPressure, 0);
    EXPECT_EQ(m.BearingContactStart, 0);
    EXPECT_EQ(m.BearingContactEnd, m.BaseWidth);
    EXPECT_EQ(m.BearingResistanceRatio, 0);
    // nothing pushes and nothing overturns
    EXPECT_EQ(m.SlidingResistanceRatio, 1E+10f);
    EXPECT_EQ(m.RotationResistanceRatio, 1E+10f);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(AnalyseCombination, DrivingActionsThatHoldTheWallBackGiveNoRatio) {
    // Without water and earthquake the built-in wall's earth thrust on its
    // rising backfill turns it back about the toe with its vertical part
    // more than it tips it: nothing overturns, and the ratio must not read
    // as a failing negative number.
    BuiltInWall wall;
    Model& m = wall.m;
    MessageRecorder messages;
    m.WaterIncluded = False;
    m.SeismicIncluded = False;
    SetWaterDepths(m);
    SetSeismicCoefficient(m);
    ComputeWallOutline(m);
    AnalyseCombination(m);
    ASSERT_EQ(m.WallStable, True);
    EXPECT_LT(m.RotatingMoment, 0);
    EXPECT_GT(m.RotationResistingMoment, 0);
    EXPECT_EQ(m.RotationResistanceRatio, 1E+10f);

    // a line load pushing towards the toe high on the stem tips it again
    m.LineLoadCount = 1;
    m.LineLoads[1] = {10.0f, 2.6f, 9.0f, 270.0f, EH};
    AnalyseCombination(m);
    ASSERT_GT(m.RotatingMoment, 0);
    EXPECT_FLOAT_EQ(m.RotationResistanceRatio, m.RotationResistingMoment / m.RotatingMoment);

    // Water standing high in front of a dry backfill pushes the wall into the
    // backfill: nothing slides it towards the toe, and neither ratio may read
    // as a failing negative number, in either unit system.
    for (int16_t units : {Metric, British}) {
        SCOPED_TRACE(units);
        BuiltInWall wet;
        Model& w = wet.m;
        w.PreviousUnitSystem = Metric;
        w.CurrentUnitSystem = units;
        if (units != Metric) ConvertUnits(w);
        w.WaterIncluded = True;
        w.SeismicIncluded = False;
        w.EnteredFrontWaterDepth = 0;
        w.EnteredBackWaterDepth = w.WallHeight;
        SetWaterDepths(w);
        SetSeismicCoefficient(w);
        ComputeWallOutline(w);
        AnalyseCombination(w);
        ASSERT_GT(w.TotalHorizontalForce, 0);
        EXPECT_LT(w.SlidingForce, 0);
        EXPECT_EQ(w.SlidingResistanceRatio, 1E+10f);
        EXPECT_GE(w.RotationResistanceRatio, 0);
    }
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(AnalyseCombination, LineLoadMomentIsBookedByItsType) {
    for (int16_t type = DL; type <= S2; ++type) {
        SCOPED_TRACE(type);
        WeightlessWall wall;
        Model& m = wall.m;
        m.PassiveToePressureIncluded = 0;
        wall.LoadDown(5, 2, type);
        AnalyseCombination(m);
        const bool rotating = type == EH || type == EQ || type == S2;
        EXPECT_NEAR(m.MomentAtOverturningPoint, 10, 1e-5);
        EXPECT_NEAR(m.RotatingMoment, rotating ? -10 : 0, 1e-5);
        EXPECT_NEAR(m.RotationResistingMoment, rotating ? 0 : 10, 1e-5);
    }
}

TEST(AnalyseCombination, LineLoadComponentsAndFactor) {
    WeightlessWall wall;
    Model& m = wall.m;
    m.CombinationSets[0].Combinations[0].Factor[LL] = 1.5f;
    m.LineLoadCount = 2;
    m.LineLoads[1] = {4.0f, 3.0f, 0.0f, 180.0f, LL};   // down at x = 3, factored 1.5
    m.LineLoads[2] = {2.0f, 0.0f, 7.0f, 90.0f, DL};    // towards the heel at 7 above the base
    AnalyseCombination(m);
    EXPECT_NEAR(m.TotalVerticalForce, 6.0, 1e-5);
    EXPECT_NEAR(m.TotalHorizontalForce, 2.0, 1e-5);
    EXPECT_NEAR(m.MomentAtOverturningPoint, 4.0 * 3.0 * 1.5 + 2.0 * 7.0, 1e-4);
    EXPECT_NEAR(m.SlidingForce, -2.0, 1e-5);
}

TEST(AnalyseCombination, BearingResistanceIsCappedByTheConcreteAndConvertedToPressure) {
    struct Case {
        const char* what;
        int16_t units;
        float nominal, concrete;
        double pressurePerStress;
    };
    const Case cases[] = {
        {"Metric, under the cap", Metric, 10, 300, 10},
        {"Metric, over the cap", Metric, 400, 300, 10},
        {"SI", SI, 0.8f, 30, 1000},
        {"British", British, 150, 4000, 0.144},
        {"British, over the cap", British, 5000, 4000, 0.144},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WeightlessWall wall;
        Model& m = wall.m;
        m.CurrentUnitSystem = c.units;
        m.NominalBearingResistance = c.nominal;
        m.ConcreteCompressiveStress = c.concrete;
        m.CombinationSets[0].Combinations[0].Factor[BE] = 0.5f;
        m.BaseFrictionAngle = -5;   // taken as 0, in the model too
        wall.LoadDown(12, static_cast<float>(m.BaseWidth / 2));
        AnalyseCombination(m);
        EXPECT_EQ(m.BaseFrictionAngle, 0);
        const double q = 12.0 / m.BaseWidth;
        EXPECT_FLOAT_EQ(m.ComputedBearingResistance, c.nominal);
        EXPECT_NEAR(m.BearingResistanceRatio, std::min(c.nominal, c.concrete) * c.pressurePerStress / q * 0.5,
                    1e-4 * m.BearingResistanceRatio);
    }
}

TEST(AnalyseCombination, RestraintsEnterSlidingOnlyWhenSwitchedOn) {
    BuiltInWall wall;
    Model& m = wall.m;
    MessageRecorder messages;
    AnalyseCombination(m);
    const float keyAndToe = m.ToePassiveResistance + m.ShearKeyPassiveResistance;
    EXPECT_GT(m.ToePassiveResistance, 0);
    EXPECT_GT(m.ShearKeyPassiveResistance, 0);
    EXPECT_FLOAT_EQ(m.SlidingResistingForce, m.BaseFrictionResistance + keyAndToe);
    const float withToe = m.RotationResistingMoment;

    m.PassiveToePressureIncluded = 0;
    m.ShearKeyIncluded = 0;
    m.AdjacentStructureIncluded = 1;
    m.AdjacentStructureCapacity = 7;
    m.CombinationSets[1].Combinations[0].Factor[RH] = 0.5f;
    AnalyseCombination(m);
    EXPECT_EQ(m.ToePassiveResistance, 0);
    EXPECT_EQ(m.ShearKeyPassiveResistance, 0);
    EXPECT_FLOAT_EQ(m.RestraintResistance, 3.5f);
    EXPECT_FLOAT_EQ(m.SlidingResistingForce, m.BaseFrictionResistance + 3.5f);
    EXPECT_LT(m.RotationResistingMoment, withToe);

    // a check value of -1 is not the 1 the restraint switches expect
    m.AdjacentStructureIncluded = True;
    AnalyseCombination(m);
    EXPECT_EQ(m.RestraintResistance, 0);
}

TEST(AnalyseCombination, TrappedErrorsAreShownAndNeverLeaveAStableVerdict) {
    struct Case {
        const char* what;
        void (*spoil)(Model&);
        const char* message;
    };
    const Case cases[] = {
        {"combination beyond the table", [](Model& m) { m.CurrentCombination = 51; }, "Subscript out of range"},
        {"line load of a resistance type", [](Model& m) { m.LineLoads[1].LoadType = BE; },
         "Invalid use of Null"},
        {"line load of no factor", [](Model& m) { m.LineLoads[1].LoadType = 22; }, "Subscript out of range"},
        {"unit system unknown", [](Model& m) { m.CurrentUnitSystem = 3; }, "Subscript out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WeightlessWall wall;
        Model& m = wall.m;
        wall.LoadDown(12, 3);
        AnalyseCombination(m);
        ASSERT_EQ(m.WallStable, True);
        c.spoil(m);
        MessageRecorder messages;
        AnalyseCombination(m);
        EXPECT_EQ(m.WallStable, False);
        ASSERT_EQ(messages.Messages.size(), 1u);
        EXPECT_EQ(messages.Messages[0].Text, c.message);
        EXPECT_EQ(messages.Messages[0].Style, vbExclamation);
        EXPECT_EQ(messages.Messages[0].Title, "Brindlemar");
    }
}

TEST(SelectLoadCombination, CopiesNameFactorsAndTheSetsFactorNames) {
    BuiltInWall wall;
    Model& m = wall.m;
    m.CombinationSets[2].Combinations[4].Name = "Extreme";
    m.CombinationSets[2].Combinations[4].Factor[EQ] = 1.25f;
    m.CombinationSets[2].Factors.FactorCode[EQ] = "QK";
    SelectLoadCombination(m, 2, 4);
    EXPECT_EQ(m.CurrentLoadCombination.Name, "Extreme");
    EXPECT_EQ(m.CurrentLoadCombination.Factor[EQ], 1.25f);
    EXPECT_EQ(m.CurrentLoadCombination.Factor[DL], 0);
    EXPECT_EQ(m.CurrentFactorDefinition.FactorCode[EQ], "QK");
    for (auto [set, combination] : {std::pair{51, 0}, std::pair{-1, 0}, std::pair{1, 51}}) {
        try {
            SelectLoadCombination(m, set, combination);
            ADD_FAILURE() << set << ", " << combination;
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number, ErrSubscript);
        }
    }
}

TEST(AnalyseAllCombinations, FillsOneColumnPerCombinationAndRestoresTheCurrentOne) {
    WeightlessWall wall;
    Model& m = wall.m;
    CombinationSet& set = m.CombinationSets[3];
    set.CombinationCount = 3;
    const float dead[] = {1.0f, 0.0f, 2.0f};   // the middle one has no vertical force: not stable
    for (int i = 0; i < 3; ++i) set.Combinations[i].Factor[DL] = dead[i];
    wall.LoadDown(6, 3);
    m.ActiveCombinationSet = 3;
    m.CurrentCombination = 1;
    m.WorkingCurrentCombination = 2;
    AnalyseAllCombinations(m);

    EXPECT_EQ(m.CurrentCombination, 1);
    // the loads dialog's copy of the current combination is no scratch slot
    EXPECT_EQ(m.WorkingCurrentCombination, 2);
    EXPECT_FALSE(m.CombinationWallStableFlags[0].has_value());
    EXPECT_FALSE(m.CombinationTotalVerticalForces[4].has_value());
    EXPECT_EQ(m.CombinationWallStableFlags[1], True);
    EXPECT_EQ(m.CombinationWallStableFlags[2], False);
    EXPECT_EQ(m.CombinationWallStableFlags[3], True);
    EXPECT_FLOAT_EQ(*m.CombinationTotalVerticalForces[1], 6);
    EXPECT_FLOAT_EQ(*m.CombinationTotalVerticalForces[3], 12);
    EXPECT_EQ(*m.CombinationLeftBearingPressures[2], 0);
    EXPECT_EQ(*m.CombinationBearingResistanceRatios[2], 0);
    EXPECT_EQ(*m.CombinationBearingPressureWidths[2], 0);
    // the current-combination results are those of the last combination
    EXPECT_FLOAT_EQ(m.TotalVerticalForce, 12);

    // a set with fewer combinations leaves the columns above its count alone
    set.CombinationCount = 1;
    set.Combinations[0].Factor[DL] = 3;
    AnalyseAllCombinations(m);
    EXPECT_FLOAT_EQ(*m.CombinationTotalVerticalForces[1], 18);
    EXPECT_FLOAT_EQ(*m.CombinationTotalVerticalForces[3], 12);

    // an empty set writes nothing
    set.CombinationCount = 0;
    AnalyseAllCombinations(m);
    EXPECT_FLOAT_EQ(*m.CombinationTotalVerticalForces[1], 18);
    EXPECT_EQ(m.CurrentCombination, 1);
}

TEST(AnalyseAllCombinations, RefusesSetsBeyondTheTableBeforeAnalysing) {
    struct Case {
        const char* what;
        int16_t set, count;
    };
    const Case cases[] = {{"51 combinations", 1, 51}, {"set 51", 51, 1}, {"set -1", -1, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WeightlessWall wall;
        Model& m = wall.m;
        m.CombinationSets[1].CombinationCount = c.count;
        m.ActiveCombinationSet = c.set;
        m.CurrentCombination = 0;
        try {
            AnalyseAllCombinations(m);
            ADD_FAILURE() << "no error";
        } catch (const RuntimeError& e) {
            EXPECT_EQ(e.Number, ErrSubscript);
        }
        EXPECT_EQ(m.CurrentCombination, 0);
        for (int i = 0; i <= 50; ++i) EXPECT_FALSE(m.CombinationWallStableFlags[i].has_value());
    }
}

// A wall that no combination can analyse is told once, in words, and its
// columns hold no value rather than the sums the analyses left half done.
TEST(AnalyseAllCombinations, AFailingCombinationIsToldOnceAndRecordedWithoutValues) {
    WeightlessWall wall;
    Model& m = wall.m;
    wall.LoadDown(6, 3);
    m.ActiveCombinationSet = 1;
    AnalyseAllCombinations(m);
    ASSERT_TRUE(m.CombinationSlidingForces[2].has_value());
    m.AppliedSeismicCoefficient = 0.15f;
    m.BackfillFrictionAngle = 5;   // below the seismic angle: no seismic coefficient exists
    m.BackfillSlopeRatio = 0;
    MessageRecorder messages;
    AnalyseAllCombinations(m);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, SeismicAccelerationTooLarge);
    for (int i : {1, 2}) {
        EXPECT_EQ(m.CombinationWallStableFlags[i], False) << i;
        EXPECT_FALSE(m.CombinationTotalHorizontalForces[i].has_value()) << i;
        EXPECT_FALSE(m.CombinationSlidingForces[i].has_value()) << i;
        EXPECT_FALSE(m.CombinationRotationResistanceRatios[i].has_value()) << i;
    }
}

// An acceleration beyond tan φ leaves no Mononobe-Okabe wedge. A combination
// that does not load the earthquake (EQ 0) is the static analysis, complete;
// one that does has no result, says why, and leaves no seismic pressure of
// an earlier analysis behind.
TEST(AnalyseAllCombinations, AnEarthquakeWithoutAWedgeSpoilsOnlyTheCombinationsItLoads) {
    BuiltInWall wall;
    Model& m = wall.m;
    m.ActiveCombinationSet = 1;
    m.CombinationSets[1].Combinations[0].Factor[EQ] = 0;
    m.SeismicIncluded = 0;
    AnalyseAllCombinations(m);
    const float staticH = m.CombinationTotalHorizontalForces[1].value();
    const float staticSliding = m.CombinationSlidingResistanceRatios[1].value();

    m.SeismicIncluded = True;
    m.EnteredSeismicCoefficient = 0.15f;
    m.CurrentCombination = 1;
    ASSERT_TRUE(PrepareCombination(m));
    ASSERT_GT(m.SeismicPressureOrdinates[1], 0);
    ASSERT_GT(m.HydrodynamicPressureForces[1], 0);

    m.EnteredSeismicCoefficient = 0.7f;   // tan 30° = 0.577
    MessageRecorder messages;
    AnalyseAllCombinations(m);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, SeismicAccelerationTooLarge);
    EXPECT_EQ(m.CombinationAnalysisFailures[1], "");
    EXPECT_EQ(m.CombinationWallStableFlags[1], True);
    EXPECT_EQ(m.CombinationTotalHorizontalForces[1], staticH);
    EXPECT_EQ(m.CombinationSlidingResistanceRatios[1], staticSliding);
    EXPECT_EQ(m.CombinationAnalysisFailures[2], SeismicAccelerationTooLarge);
    EXPECT_FALSE(m.CombinationTotalHorizontalForces[2].has_value());

    // the combination in use has no result, and none of kh 0.15's pressures
    ASSERT_FALSE(AnalyseCombination(m));
    EXPECT_EQ(m.AnalysisFailure, SeismicAccelerationTooLarge);
    for (float s : m.SeismicPressureOrdinates) EXPECT_EQ(s, 0);
    for (float s : m.SeismicPressureForces) EXPECT_EQ(s, 0);
    for (float h : m.HydrodynamicPressureForces) EXPECT_EQ(h, 0);
    for (float h : m.HydrodynamicPressureOrdinates) EXPECT_EQ(h, 0);
    m.CurrentCombination = 0;
    EXPECT_TRUE(AnalyseCombination(m));
    EXPECT_EQ(m.AnalysisFailure, "");
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <cmath>

#include "calculator/SoilPressure.h"
#include "analysis/Coefficients.h"
#include "model/Initialise.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::MessageRecorder;

SoilPressureInputs Inputs(float g, float gs, float gw, float phi, float beta, float delta, float theta, float h,
                          float hw, float q, float kh) {
    SoilPressureInputs in;
    in.WetDensity = g;
    in.SaturatedDensity = gs;
    in.WaterDensity = gw;
    in.FrictionAngle = phi;
    in.SoilSlope = beta;
    in.WallFrictionAngle = delta;
    in.WallInclination = theta;
    in.SoilDepth = h;
    in.WaterTableDepth = hw;
    in.SurchargeLoad = q;
    in.SeismicCoefficient = kh;
    return in;
}

// One case's values as the hand calculation gives them: K; P at the top, at
// the water table from below, at the bottom, at the water table from above;
// F above, below, total; Y of each.
struct Expected {
    double K, P[4], F[3], Y[3];
};

struct Column {
    float K;
    const std::array<float, 4>& P;
    const std::array<float, 3>& F;
    const std::array<float, 3>& Y;
};

Column ColumnOf(const SoilPressureResults& r, int c) {
    switch (c) {
    case ActiveNormalCase: return {r.CoefficientKa, r.ActivePressures, r.ActiveForces, r.ActiveDepths};
    case ActiveSeismicCase:
        return {r.CoefficientKae, r.ActiveSeismicPressures, r.ActiveSeismicForces, r.ActiveSeismicDepths};
    case PassiveNormalCase: return {r.CoefficientKp, r.PassivePressures, r.PassiveForces, r.PassiveDepths};
    case PassiveSeismicCase:
        return {r.CoefficientKpe, r.PassiveSeismicPressures, r.PassiveSeismicForces, r.PassiveSeismicDepths};
    default: return {r.CoefficientK0, r.AtRestPressures, r.AtRestForces, r.AtRestDepths};
    }
}

void ExpectClose(double got, double want, const std::string& what) {
    EXPECT_NEAR(got, want, 2e-5 * std::max(1.0, std::fabs(want))) << what;
}

// Worked in tests/calculator/hand_calc_soil_pressure.py by integrating each
// pressure diagram over the depth, independently of the program's formulas.
TEST(SoilPressure, FiveCasesAgainstHandCalculationInThreeUnitSystems) {
    struct Case {
        const char* what;
        SoilPressureInputs in;
        Expected cases[5];  // active, active seismic, passive, passive seismic, at rest
        double Pw, Fw, Yw;
    };
    const Case cases[] = {
        {"Metric, level ground, vertical smooth face",
         Inputs(1.8f, 2.0f, 1.0f, 30, 0, 0, 0, 6, 2, 1.0f, 0.15f),
         {{0.333333, {0.33333, 1.53333, 2.86667, 0}, {1.86667, 8.80000, 10.66667}, {1.21429, 4.20202, 3.67917}},
          {0.432938, {1.40907, 2.33017, 2.86667, 2.25049}, {3.65956, 10.39368, 14.05324}, {1.07664, 4.06882, 3.28964}},
          {3.000000, {3.00000, 13.80000, 25.80000, 0}, {16.80000, 79.20000, 96.00000}, {1.21429, 4.20202, 3.67917}},
          {2.727190, {2.72719, 12.54507, 23.45383, 12.54507}, {15.27226, 71.99781, 87.27008}, {1.21429, 4.20202, 3.67917}},
          {0.500000, {0.50000, 2.30000, 4.30000, 0}, {2.80000, 13.20000, 16.00000}, {1.21429, 4.20202, 3.67917}}},
         4.0, 8.0, 4.66667},
        {"SI, sloping ground, battered rough face",
         Inputs(18, 20, 9.81f, 32, 10, 20, 5, 5, 1.5f, 10, 0.1f),
         {{0.357276, {3.57276, 13.21919, 25.96143, 0}, {12.59396, 68.56609, 81.16005}, {0.89362, 3.43971, 3.04462}},
          {0.449676, {11.88881, 19.68723, 25.96143, 19.04043}, {23.19693, 79.88516, 103.08209}, {0.80781, 3.33018, 2.76256}},
          {9.861631, {98.61631, 364.88036, 716.59545, 0}, {347.62251, 1892.58268, 2240.20519}, {0.89362, 3.43971, 3.04462}},
          {9.239308, {92.39308, 341.85440, 671.37433, 341.85440}, {325.68561, 1773.15027, 2098.83589}, {0.89362, 3.43971, 3.04462}},
          {0.551709, {5.51709, 20.41325, 40.08996, 0}, {19.44776, 105.88062, 125.32838}, {0.89362, 3.43971, 3.04462}}},
         34.335, 60.31577, 3.83333},
        {"British, level ground, rough face",
         Inputs(0.12f, 0.13f, 0.0624f, 34, 0, 17, 0, 20, 8, 0.25f, 0.2f),
         {{0.256438, {0.06411, 0.31029, 0.51831, 0}, {1.49760, 4.97161, 6.46920}, {4.87671, 14.50210, 12.27386}},
          {0.393204, {0.39235, 0.52365, 0.51831, 0.50723}, {3.59833, 6.25174, 9.85007}, {4.17028, 13.98976, 10.40261}},
          {6.767422, {1.69186, 8.18858, 13.67831, 0}, {39.52174, 131.20136, 170.72311}, {4.87671, 14.50210, 12.27386}},
          {5.684645, {1.42116, 6.87842, 11.48980, 6.87842}, {33.19833, 110.20935, 143.40767}, {4.87671, 14.50210, 12.27386}},
          {0.440807, {0.11020, 0.53338, 0.89096, 0}, {2.57431, 8.54602, 11.12033}, {4.87671, 14.50210, 12.27386}}},
         0.7488, 4.4928, 16.0},
    };
    const char* const names[5] = {"active", "active seismic", "passive", "passive seismic", "at rest"};
    for (const Case& c : cases) {
        MessageRecorder recorder;
        SoilPressureResults r;
        CalcSoilPressures(c.in, r);
        EXPECT_TRUE(recorder.Messages.empty()) << c.what;
        for (int k = 0; k < 5; ++k) {
            const std::string what = std::string(c.what) + ", " + names[k];
            const Column got = ColumnOf(r, k);
            const Expected& want = c.cases[k];
            EXPECT_TRUE(r.CaseDefined[k]) << what;
            ExpectClose(got.K, want.K, what + " K");
            for (int i = 0; i < 4; ++i)
                if (i < 3 || k == ActiveSeismicCase || k == PassiveSeismicCase)
                    ExpectClose(got.P[i], want.P[i], what + " P" + std::to_string(i));
            for (int i = 0; i < 3; ++i) {
                ExpectClose(got.F[i], want.F[i], what + " F" + std::to_string(i));
                ExpectClose(got.Y[i], want.Y[i], what + " Y" + std::to_string(i));
            }
        }
        ExpectClose(r.WaterPressure, c.Pw, std::string(c.what) + " Pw");
        ExpectClose(r.WaterForce, c.Fw, std::string(c.what) + " Fw");
        ExpectClose(r.WaterForceDepth, c.Yw, std::string(c.what) + " water depth");
    }
}

// Dry soil against a trial-wedge search for the largest thrust on the face
// (tests/calculator/trial_wedge.py), the surcharge lying on the ground; the
// seismic wedge without surcharge. The pressures are per unit of vertical
// depth, so a battered face adds nothing to the force, and the seismic
// increment is counted once, whatever the face and the ground.
TEST(SoilPressure, DryThrustsAreThoseOfTheTrialWedge) {
    struct Case {
        const char* what;
        float gamma, h, q, phi, beta, delta, theta, kh;
        double thrust, seismicThrust;
    };
    const Case cases[] = {
        {"built-in backfill, batter 10", 1.7f, 7.73f, 1, 30, 11.30993f, 15, 10, 0.15f, 26.0741, 31.7226},
        {"rough face, rising ground", 19, 7, 10, 35, 10, 20, 8, 0.2f, 185.4091, 257.4905},
        {"face leaning over the soil", 19, 7, 0, 28, 5, 14, -6, 0.1f, 141.6418, 177.9178},
        {"steep batter", 19, 7, 5, 30, 0, 10, 25, 0.1f, 268.5525, 286.1205},
    };
    for (const Case& c : cases) {
        SoilPressureInputs in = Inputs(c.gamma, c.gamma + 2, 9.81f, c.phi, c.beta, c.delta, c.theta, c.h, c.h, c.q, c.kh);
        SoilPressureResults r;
        CalcSoilPressures(in, r);
        EXPECT_NEAR(r.ActiveForces[2], c.thrust, 1e-4 * c.thrust) << c.what;
        in.SurchargeLoad = 0;
        CalcSoilPressures(in, r);
        EXPECT_NEAR(r.ActiveSeismicForces[2], c.seismicThrust, 1e-4 * c.seismicThrust) << c.what;
        // the static part at two thirds of the depth, the increment at one third
        const double dK = r.CoefficientKae - r.CoefficientKa;
        EXPECT_NEAR(r.ActiveSeismicDepths[2], (r.CoefficientKa * 2 * c.h / 3 + dK * c.h / 3) / r.CoefficientKae, 1e-4)
            << c.what;
        EXPECT_NEAR(r.ActiveDepths[2], 2 * c.h / 3, 1e-5) << c.what;
        // the passive resistance the acceleration leaves, spread as the
        // static one: the same depth, and no pressure pulling on the wall
        EXPECT_NEAR(r.PassiveSeismicForces[2], r.PassiveForces[2] * r.CoefficientKpe / r.CoefficientKp,
                    1e-5 * r.PassiveForces[2]) << c.what;
        EXPECT_FLOAT_EQ(r.PassiveSeismicDepths[2], r.PassiveDepths[2]) << c.what;
        for (float p : r.PassiveSeismicPressures) EXPECT_GE(p, 0) << c.what;
    }
}

// Level ground, vertical smooth face: the first hand-calculated case holds
// Ka 1/3, Kp 3, K0 1/2 and the seismic passive 2.72719 of a trial-wedge search.
TEST(SoilPressure, PublishedCoefficients) {
    SoilPressureResults r;
    // seismic passive with a 10 degree batter, 5 degree ground and 15 degree
    // wall friction, by a trial-wedge search
    EXPECT_NEAR(MononobeOkabePassiveCoefficient(30, 10, 5, 15, 0.15f), 4.22794, 1e-5);
    EXPECT_NEAR(MononobeOkabePassiveCoefficient(30, 10, 5, 15, 0), CoulombPassiveCoefficient(30, 10, 5, 15), 1e-9);
    // at rest on ground rising at 20 degrees: (1 - sin 30)(1 + sin 20)
    CalcSoilPressures(Inputs(1.8f, 2, 1, 30, 20, 0, 0, 6, 2, 1, 0), r);
    EXPECT_NEAR(r.CoefficientK0, 0.5 * (1 + std::sin(20 * std::atan(1.0) / 45)), 1e-6);
}

TEST(SoilPressure, WaterTableAtTheLimitsAndNoSeismicAcceleration) {
    SoilPressureResults r;
    // water table at the bottom: nothing below it
    CalcSoilPressures(Inputs(1.8f, 2, 1, 30, 0, 0, 0, 6, 6, 0, 0.15f), r);
    EXPECT_EQ(r.ActiveForces[1], 0);
    EXPECT_FLOAT_EQ(r.ActiveDepths[1], 6);
    EXPECT_EQ(r.WaterPressure, 0);
    EXPECT_EQ(r.WaterForce, 0);
    EXPECT_FLOAT_EQ(r.WaterForceDepth, 6);
    // water at the top: the whole soil is submerged
    CalcSoilPressures(Inputs(1.8f, 2, 1, 30, 0, 0, 0, 6, 0, 0, 0.15f), r);
    EXPECT_EQ(r.ActiveForces[0], 0);
    EXPECT_EQ(r.ActiveDepths[0], 0);
    EXPECT_FLOAT_EQ(r.WaterForceDepth, 4);
    EXPECT_FLOAT_EQ(r.WaterForce, 18);
    // without acceleration the seismic columns repeat the normal ones
    CalcSoilPressures(Inputs(1.8f, 2, 1, 30, 0, 0, 0, 6, 2, 1, 0), r);
    EXPECT_EQ(ResultColumnTexts(r, ActiveSeismicCase, Metric)[0], ResultColumnTexts(r, ActiveNormalCase, Metric)[0]);
    EXPECT_EQ(ResultColumnTexts(r, ActiveSeismicCase, Metric)[2], "1.53/1.53");
    EXPECT_EQ(ResultColumnTexts(r, PassiveSeismicCase, Metric)[8], ResultColumnTexts(r, PassiveNormalCase, Metric)[8]);
}

TEST(SoilPressure, SlopeSteeperThanFrictionAngleIsFlattenedWithAWarningEveryRun) {
    MessageRecorder recorder;
    SoilPressureResults r;
    const SoilPressureInputs in = Inputs(1.8f, 2, 1, 30, 35, 10, 0, 6, 2, 0, 0);
    CalcSoilPressures(in, r);
    CalcSoilPressures(in, r);
    ASSERT_EQ(recorder.Messages.size(), 2u);
    EXPECT_EQ(recorder.Messages[0].Text,
              "The soil slope is steeper than the internal friction angle. Soil slope adjusted");
    EXPECT_EQ(recorder.Messages[0].Style, vbExclamation);
    EXPECT_EQ(recorder.Messages[0].Title, "Brindlemar");
    // with the ground at phi the root vanishes: Ka = cos^2(phi) / cos(delta)
    const double phi = 30 * std::atan(1.0) / 45, delta = 10 * std::atan(1.0) / 45;
    EXPECT_NEAR(r.CoefficientKa, std::pow(std::cos(phi), 2) / std::cos(delta), 1e-6);
    // the pressure inclination is the one entered
    EXPECT_EQ(SingleResultTexts(in, r, Metric)[0], "10.00");

    recorder.Messages.clear();
    CalcSoilPressures(Inputs(1.8f, 2, 1, 30, 30, 10, 0, 6, 2, 0, 0), r);
    EXPECT_TRUE(recorder.Messages.empty()) << "a slope equal to phi stands";
}

// Inputs a user can type that leave some formula without a value: the
// calculator says which cases, shows "--" for them and never a NaN or an
// infinity.
TEST(SoilPressure, EdgeInputsGiveFiniteNumbersOrAClearMessage) {
    struct Case {
        const char* what;
        SoilPressureInputs in;
        std::array<bool, 5> defined;
        bool waterDefined;
        const char* message;  // part of the message, "" for none
    };
    const Case cases[] = {
        {"zero depth", Inputs(1.8f, 2, 1, 30, 0, 0, 0, 0, 0, 1, 0.15f), {true, true, true, true, true}, true, ""},
        // without friction no acceleration can be held: no seismic value, not 1
        {"phi 0", Inputs(1.8f, 2, 1, 0, 0, 0, 0, 6, 2, 1, 0.1f), {true, false, true, false, true}, true,
         SeismicAccelerationTooLarge},
        {"no water, no soil weight", Inputs(0, 0, 0, 30, 0, 0, 0, 6, 6, 0, 0), {true, true, true, true, true}, true,
         ""},
        {"slope between phi - psi and phi", Inputs(1.8f, 2, 1, 30, 28, 0, 0, 6, 2, 1, 0.15f),
         {true, false, true, true, true}, true, SeismicAccelerationTooLarge},
        {"horizontal face", Inputs(1.8f, 2, 1, 30, 0, 0, 90, 6, 2, 1, 0.15f), {false, false, false, false, false},
         false, "active (normal condition), active (seismic condition), passive (normal condition), "
                "passive (seismic condition), at rest, water"},
        {"wall friction of 90", Inputs(1.8f, 2, 1, 30, 0, 90, 0, 6, 2, 1, 0.15f), {false, false, false, false, true},
         true, "passive (seismic condition)"},
        {"passive wedge without solution", Inputs(1.8f, 2, 1, 45, 0, 50, 0, 6, 2, 1, 0), {true, true, false, false, true},
         true, "passive (normal condition), passive (seismic condition)"},
        {"depth beyond the float range", Inputs(1.8f, 2, 1, 30, 0, 0, 0, 3e38f, 0, 0, 0),
         {false, false, false, false, false}, false, "water"},
    };
    for (const Case& c : cases) {
        MessageRecorder recorder;
        SoilPressureResults r;
        CalcSoilPressures(c.in, r);
        for (int k = 0; k < 5; ++k) {
            EXPECT_EQ(r.CaseDefined[k], c.defined[k]) << c.what << " case " << k;
            for (const std::string& text : ResultColumnTexts(r, k, Metric)) {
                EXPECT_EQ(text.find("nan"), std::string::npos) << c.what;
                EXPECT_EQ(text.find("inf"), std::string::npos) << c.what;
                if (!c.defined[k]) {
                    EXPECT_EQ(text, "--") << c.what;
                }
            }
        }
        EXPECT_EQ(r.WaterDefined, c.waterDefined) << c.what;
        for (const std::string& text : SingleResultTexts(c.in, r, Metric)) EXPECT_FALSE(text.empty()) << c.what;
        if (*c.message == '\0') {
            EXPECT_TRUE(recorder.Messages.empty()) << c.what;
        } else {
            ASSERT_FALSE(recorder.Messages.empty()) << c.what;
            EXPECT_NE(recorder.Messages.back().Text.find(c.message), std::string::npos)
                << c.what << ": " << recorder.Messages.back().Text;
        }
    }
}

TEST(SoilPressure, ResultTexts) {
    SoilPressureResults r;
    const SoilPressureInputs in = Inputs(1.8f, 2.0f, 1.0f, 30, 0, 0, 0, 6, 2, 1.0f, 0.15f);
    CalcSoilPressures(in, r);
    EXPECT_EQ(ResultColumnTexts(r, ActiveNormalCase, Metric),
              (std::array<std::string, 10>{"0.333", "0.33", "1.53", "2.87", "1.87", "1.21", "8.80", "4.20", "10.67",
                                           "3.68"}));
    // the seismic water-table cell: from above, then from below
    EXPECT_EQ(ResultColumnTexts(r, ActiveSeismicCase, Metric)[2], "2.25/2.33");
    EXPECT_EQ(SingleResultTexts(in, r, Metric), (std::array<std::string, 4>{"0.00", "4.00", "8.00", "4.67"}));
}

TEST(SoilPressure, TypedInputsAreNumbersNotNegativeStoredAsTyped) {
    // the value stored is the number typed; the box shows it with the digits
    // its unit needs (British unit weights are about 0.1 Kip/ft³)
    struct Case {
        const char* text;
        int input;
        int units;
        bool accepted;
        const char* shown;
        float value;
    };
    const Case cases[] = {
        {"0.125", SurchargeLoadInput, Metric, true, "0.13", 0.125f},
        {" 12 ", SoilDepthInput, Metric, true, "12.00", 12.0f},
        {"0", CohesionInput, Metric, true, "0.00", 0.0f},
        {"1.5E1", FrictionAngleInput, Metric, true, "15.00", 15.0f},
        {"0.125", SeismicCoefficientInput, Metric, true, "0.125", 0.125f},
        {"0.0624", WaterDensityInput, British, true, "0.0624", 0.0624f},
        {"0.115", WetDensityInput, British, true, "0.115", 0.115f},
        {"0.0049", CohesionInput, SI, true, "0.0049", 0.0049f},
        {"abc", WetDensityInput, Metric, false, "", 0},
        {"-1", WetDensityInput, Metric, false, "", 0},
        {"", WetDensityInput, Metric, false, "", 0},
        {"12abc", WetDensityInput, Metric, false, "", 0},
        {"1E39", WetDensityInput, Metric, false, "", 0},
    };
    for (const Case& c : cases) {
        const auto accepted = AcceptInputText(c.text, c.input, c.units);
        ASSERT_EQ(accepted.has_value(), c.accepted) << c.text;
        if (!accepted) continue;
        EXPECT_EQ(accepted->Text, c.shown) << c.text;
        EXPECT_EQ(accepted->Value, c.value) << c.text;
    }
}

TEST(SoilPressure, StartsFromTheWallModel) {
    Model m;
    InitialiseProject(m, false);
    m.BackfillSlopeRatio = 2;
    m.StemBackBatter = 0;
    m.BackWaterDepth = m.BackStemHeight + 3;
    const Model before = m;
    SoilPressureInputs in = InputsFromWallModel(m);
    EXPECT_EQ(InputText(in.SoilSlope, SoilSlopeInput, Metric), "26.57");
    EXPECT_EQ(in.WallInclination, 0);
    EXPECT_EQ(in.WetDensity, m.BackfillUnitWeight);
    EXPECT_EQ(in.SeismicCoefficient, m.AppliedSeismicCoefficient);
    EXPECT_EQ(in.WaterTableDepth, m.BackWaterDepth);
    EXPECT_TRUE(KeepWaterTableInSoil(in));
    EXPECT_EQ(in.WaterTableDepth, in.SoilDepth);
    EXPECT_FALSE(KeepWaterTableInSoil(in));

    m.BackfillSlopeRatio = 0;
    m.StemBackBatter = 1;
    m.BackStemHeight = 10;
    in = InputsFromWallModel(m);
    EXPECT_EQ(in.SoilSlope, 0);
    EXPECT_NEAR(in.WallInclination, 5.71059, 1e-5);
    // a negative ratio is a level backfill, as the analysis and the outline take it
    m.BackfillSlopeRatio = -2;
    EXPECT_EQ(InputsFromWallModel(m).SoilSlope, 0);
    // a back face without height stays finite
    m.BackStemHeight = 0;
    EXPECT_FLOAT_EQ(InputsFromWallModel(m).WallInclination, 90);
    m.StemBackBatter = 0;
    EXPECT_EQ(InputsFromWallModel(m).WallInclination, 0);

    // ground rising 1 in 2 is too steep for the seismic active wedge of the
    // built-in wall's friction angle and seismic coefficient: told
    MessageRecorder recorder;
    SoilPressureResults r;
    CalcSoilPressures(InputsFromWallModel(before), r);
    ASSERT_EQ(recorder.Messages.size(), 1u);
    EXPECT_EQ(recorder.Messages[0].Text, SeismicAccelerationTooLarge);
    EXPECT_FALSE(r.CaseDefined[ActiveSeismicCase]);
}

TEST(SoilPressure, UnitLabelsFollowTheUnitSystem) {
    Model m;
    InitialiseProject(m, false);
    struct Case {
        int16_t system;
        const char *unitWeight, *stress, *force, *pressure, *length;
    };
    const Case cases[] = {{Metric, "T/m\xB3", "kg/cm\xB2", "T/m", "T/m\xB2", "m"},
                          {SI, "kN/m\xB3", "MPa", "kN/m", "kPa", "m"},
                          {British, "Kip/ft\xB3", "psi", "Kip/ft", "Kip/ft\xB2", "ft"}};
    for (const Case& c : cases) {
        m.CurrentUnitSystem = c.system;
        const CalculatorUnitLabels labels = CalculatorUnits(m);
        EXPECT_EQ(labels.Inputs[WetDensityInput], c.unitWeight);
        EXPECT_EQ(labels.Inputs[CohesionInput], c.stress);
        EXPECT_EQ(labels.Inputs[SoilDepthInput], c.length);
        EXPECT_EQ(labels.Inputs[SurchargeLoadInput], c.pressure);
        EXPECT_EQ(labels.Inputs[SeismicCoefficientInput], "");
        EXPECT_EQ(labels.ResultRows[0], "");
        EXPECT_EQ(labels.ResultRows[1], c.pressure);
        EXPECT_EQ(labels.ResultRows[8], c.force);
        EXPECT_EQ(labels.ResultRows[9], c.length);
        EXPECT_EQ(labels.SingleResults[2], c.force);
    }
}

}  // namespace
}  // namespace brindlemar

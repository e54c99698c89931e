// Backfill pressure on the back plane, its seismic increment, the
// hydrodynamic force of the front water, and the slope flattening.

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>
#include <string>

#include "support/BuiltInWall.h"
#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/Coefficients.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::BuiltInWall;
using test::MessageRecorder;

const std::string StaticWarning =
    "The backfill slope is steeper than the internal friction angle of backfill. The slope is adjusted.";
const std::string SeismicWarning =
    "The backfill slope is to steep for the applied seismic coefficient. The slope is adjusted.";

TEST(TrapezoidResultant, ForceAndLineOfAction) {
    struct Case {
        const char* what;
        double x1, x2, p1, p2;
        double F, xc;
    };
    const Case cases[] = {
        {"uniform", 0, 4, 3, 3, 12, 2},
        {"triangle, zero at the end", 1, 7, 2, 0, 6, 3},
        {"triangle, zero at the start", 1, 7, 0, 2, 6, 5},
        {"trapezoid", 0, 3, 1, 2, 4.5, 5.0 / 3.0},
        {"coordinates descending", 7, 1, 0, 2, 6, 3},
        {"opposite ordinates cancel", 2, 5, 4, -4, 0, 2},
        {"no length", 3, 3, 4, 5, 0, 3},
    };
    for (const Case& c : cases) {
        float F = -1, xc = -1;
        TrapezoidResultant(c.x1, c.x2, c.p1, c.p2, F, xc);
        EXPECT_NEAR(F, c.F, 1e-6) << c.what;
        EXPECT_NEAR(xc, c.xc, 1e-6) << c.what;
    }
}

// The built-in wall under the all-1 "ASD" combination is the worked case:
// φ 30°, slope 1 : 5, δ 30° on the earth plane, back height 10, back water
// 1.5 down, front water 5 down, kh 0.15.
struct WorkedCase : BuiltInWall {
    WorkedCase() { SelectLoadCombination(m, 0, 0); }
};

TEST(BackfillPressure, WorkedStaticAndSeismicCase) {
    WorkedCase wall;
    Model& m = wall.m;
    MessageRecorder messages;
    CalcSeismicBackfillPressure(m);
    EXPECT_TRUE(messages.Messages.empty());

    EXPECT_NEAR(m.BackfillPressureCoefficient, 0.35060, 5e-6);
    EXPECT_NEAR(m.SeismicIncrementCoefficient, 0.53521 - 0.35060, 1e-5);
    EXPECT_EQ(m.SeismicIncrementCoefficientBelowWater, m.SeismicIncrementCoefficient);
    EXPECT_NEAR(m.SeismicPressureOrdinates[1], 2.92831, 5e-5);
    EXPECT_NEAR(m.SeismicPressureOrdinates[2], 0.40769, 5e-6);
    EXPECT_NEAR(m.SeismicPressureForces[1], 15.77479, 3e-4);
    EXPECT_NEAR(m.SeismicPressureForces[2], 1.73269, 3e-5);
    EXPECT_NEAR(m.SeismicPressureArmsY[1], 2.81733, 1e-5);
    EXPECT_NEAR(m.SeismicPressureArmsY[2], 4.33333, 1e-5);
    // the vertical components are tan δ times the horizontal ones, at the heel end
    EXPECT_NEAR(m.SeismicPressureForces[3], 15.77479 * std::tan(std::numbers::pi / 6), 3e-4);
    EXPECT_NEAR(m.SeismicPressureForces[4], 1.73269 * std::tan(std::numbers::pi / 6), 3e-5);
    EXPECT_FLOAT_EQ(m.SeismicPressureArmsX[3], 7.2f);
    EXPECT_FLOAT_EQ(m.SeismicPressureArmsX[4], 7.2f);
    EXPECT_NEAR(m.HydrodynamicPressureForces[1], 2.1875, 1e-6);
    EXPECT_NEAR(m.HydrodynamicPressureOrdinates[1], 0.65625, 1e-6);
    EXPECT_NEAR(m.HydrodynamicPressureArmsY[1], 8.0, 1e-6);

    CalcStaticBackfillPressure(m);
    EXPECT_NEAR(m.BackfillPressureCoefficient, 0.35060, 5e-6);
    EXPECT_NEAR(m.BackfillPressureOrdinates[0], 0.35754, 5e-6);
    EXPECT_NEAR(m.BackfillPressureOrdinates[1], 1.53132, 2e-5);
    EXPECT_NEAR(m.BackfillPressureOrdinates[2], 4.11217, 5e-5);
    EXPECT_NEAR(m.BackfillPressureForces[1], 2.14763, 3e-5);
    EXPECT_NEAR(m.BackfillPressureForces[2], 23.98481, 3e-4);
    EXPECT_NEAR(m.BackfillPressureForces[3], 1.23994, 2e-5);
    EXPECT_NEAR(m.BackfillPressureForces[4], 13.84763, 2e-4);
    EXPECT_NEAR(m.BackfillPressureArmsY[1], 0.59852, 1e-5);
    EXPECT_NEAR(m.BackfillPressureArmsY[2], 6.39786, 1e-5);
    EXPECT_FLOAT_EQ(m.BackfillPressureArmsX[3], 7.2f);
    EXPECT_FLOAT_EQ(m.BackfillPressureArmsX[4], 7.2f);
}

TEST(BackfillPressure, FactorsScaleTheirBlocks) {
    WorkedCase wall;
    Model& m = wall.m;
    auto& f = m.CurrentLoadCombination.Factor;
    f[EH] = 1.5f;
    f[EQ] = 0.5f;
    f[WA] = 2.0f;
    f[ES] = 0.0f;   // the surcharge's own type
    CalcSeismicBackfillPressure(m);
    EXPECT_NEAR(m.SeismicPressureForces[1], 15.77479 * 1.5 * 0.5, 3e-4);
    EXPECT_NEAR(m.HydrodynamicPressureForces[1], 2.1875 * 0.5 * 2.0, 1e-6);
    EXPECT_EQ(m.BackfillPressureOrdinates[0], 0);
    EXPECT_NEAR(m.BackfillPressureOrdinates[1], (1.53132 - 0.35754) * 1.5, 5e-5);
}

TEST(BackfillPressure, AtRestHasNoSeismicIncrement) {
    WorkedCase wall;
    Model& m = wall.m;
    m.EarthPressureOption = AtRest;
    CalcSeismicBackfillPressure(m);
    // (1 − sin φ) / (1 − sin β) with β = arctan(1 / 5)
    EXPECT_NEAR(m.BackfillPressureCoefficient, 0.62198, 5e-6);
    EXPECT_EQ(m.SeismicIncrementCoefficient, 0);
    EXPECT_EQ(m.SeismicPressureForces[1], 0);
    EXPECT_EQ(m.SeismicPressureForces[2], 0);
    EXPECT_GT(m.HydrodynamicPressureForces[1], 0);
}

TEST(BackfillPressure, UserCoefficientsAndMinimumFluidDensity) {
    WorkedCase wall;
    Model& m = wall.m;
    m.KaSource = UserValue;
    m.EnteredKa = 0.4f;
    m.KaeSource = UserValue;
    m.EnteredKae = 0.5f;
    CalcSeismicBackfillPressure(m);
    EXPECT_FLOAT_EQ(m.BackfillPressureCoefficient, 0.4f);
    EXPECT_NEAR(m.SeismicIncrementCoefficient, 0.1, 1e-7);

    // γ K cos δ = 1.7 × 0.4 × 0.866 = 0.589 is below a minimum of 0.8: K is
    // raised to 0.8 / (1.7 cos δ) while the box is ticked, and not otherwise
    m.MinimumFluidDensity = 0.8f;
    m.MinimumFluidDensityEnabled = 0;
    CalcStaticBackfillPressure(m);
    EXPECT_FLOAT_EQ(m.BackfillPressureCoefficient, 0.4f);
    m.MinimumFluidDensityEnabled = 1;
    CalcStaticBackfillPressure(m);
    EXPECT_NEAR(m.BackfillPressureCoefficient, 0.8 / (1.7 * std::cos(std::numbers::pi / 6)), 1e-6);
    // the seismic increment is taken over the coefficient without the minimum
    CalcSeismicBackfillPressure(m);
    EXPECT_NEAR(m.SeismicIncrementCoefficient, 0.1, 1e-7);
}

TEST(BackfillPressure, ConcreteFrictionWhenThePlaneIsTheStemFace) {
    WorkedCase wall;
    Model& m = wall.m;
    m.HeelLength = 0;
    m.StemBackBatter = 0;
    m.BaseWidth = m.ToeLength + m.StemFrontBatter + m.StemTopThickness;
    ComputeWallOutline(m);
    CalcStaticBackfillPressure(m);
    // δ = 15°: the vertical component is tan 15° of the horizontal
    EXPECT_NEAR(m.BackfillPressureForces[3] / m.BackfillPressureForces[1], std::tan(std::numbers::pi / 12), 1e-6);
}

TEST(BackfillPressure, NoBackWaterLeavesTheLowerBlockEmpty) {
    WorkedCase wall;
    Model& m = wall.m;
    m.BackWaterDepth = 10;
    ComputeWallOutline(m);
    CalcSeismicBackfillPressure(m);
    CalcStaticBackfillPressure(m);
    EXPECT_EQ(m.BackfillPressureForces[2], 0);
    EXPECT_FLOAT_EQ(m.BackfillPressureArmsY[2], m.NodeYCoordinates[5]);
    EXPECT_EQ(m.BackfillPressureOrdinates[2], m.BackfillPressureOrdinates[1]);
    EXPECT_EQ(m.SeismicPressureForces[2], 0);
}

TEST(BackfillPressure, WithoutEarthquakeOnlyRoundingIsLeft) {
    WorkedCase wall;
    Model& m = wall.m;
    m.AppliedSeismicCoefficient = 0;
    CalcSeismicBackfillPressure(m);
    EXPECT_NEAR(m.SeismicIncrementCoefficient, 0, 1e-7);
    EXPECT_NEAR(m.SeismicPressureForces[1], 0, 1e-5);
    EXPECT_EQ(m.HydrodynamicPressureForces[1], 0);
    EXPECT_EQ(m.HydrodynamicPressureOrdinates[1], 0);
}

TEST(BackfillSlope, TooSteepSlopesAreFlattenedWithAWarning) {
    struct Case {
        const char* what;
        float phi, ratio, kh;
        std::vector<std::string> warnings;
        float finalRatio;
    };
    const Case cases[] = {
        {"level", 30, 0, 0.15f, {}, 0},
        {"within both limits", 30, 5, 0.15f, {}, 5},
        {"steeper than φ, with earthquake", 30, 1.5f, 0.15f, {StaticWarning, SeismicWarning}, 2.6f},
        {"steeper than φ, no earthquake", 30, 1.5f, 0, {StaticWarning, SeismicWarning}, 1.8f},
        {"steeper than φ − ψ only", 30, 2.0f, 0.15f, {SeismicWarning}, 2.6f},
        {"steeper than 35°", 35, 1.2f, 0, {StaticWarning, SeismicWarning}, 1.5f},
        {"sloping on earth without friction", 0, 5, 0, {StaticWarning, SeismicWarning}, 0},
    };
    // the worked wall with the case's friction angle and acceleration, analysed on the slope given
    const auto analysed = [](WorkedCase& wall, const Case& c, float ratio) {
        wall.m.BackfillFrictionAngle = c.phi;
        wall.m.BackfillSlopeRatio = ratio;
        wall.m.AppliedSeismicCoefficient = c.kh;
        ComputeWallOutline(wall.m);
        CalcSeismicBackfillPressure(wall.m);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WorkedCase wall;
        Model& m = wall.m;
        MessageRecorder messages;
        analysed(wall, c, c.ratio);
        ASSERT_EQ(messages.Messages.size(), c.warnings.size());
        for (std::size_t i = 0; i < c.warnings.size(); ++i) {
            EXPECT_EQ(messages.Messages[i].Text, c.warnings[i]);
            EXPECT_EQ(messages.Messages[i].Style, vbExclamation);
            EXPECT_EQ(messages.Messages[i].Title, "Brindlemar");
        }
        EXPECT_FLOAT_EQ(m.BackfillSlopeRatio, c.finalRatio);
        EXPECT_EQ(m.BackfillSlopeAdjusted, c.warnings.empty() ? False : True);
        EXPECT_EQ(m.ProjectModified, 0);

        // every block is of the wall the flattening leaves: the outline, the
        // earth on the heel and the back plane as a wall given that slope has
        // them (the analysis takes the static pressure once more afterwards)
        WorkedCase fresh;
        const Model& f = fresh.m;
        analysed(fresh, c, m.BackfillSlopeRatio);
        ASSERT_EQ(messages.Messages.size(), c.warnings.size());
        EXPECT_EQ(m.NodeYCoordinates, f.NodeYCoordinates);
        EXPECT_EQ(m.BlockWeights, f.BlockWeights);
        EXPECT_EQ(m.BlockSeismicForces, f.BlockSeismicForces);
        EXPECT_EQ(m.SeismicPressureForces, f.SeismicPressureForces);
        EXPECT_EQ(m.SeismicPressureArmsY, f.SeismicPressureArmsY);
    }
}

// The analysis that flattens the slope is of one wall: its sums are those
// of a fresh analysis of the wall with the flattened slope.
TEST(BackfillSlope, TheAnalysisThatFlattensIsOfTheFlattenedWall) {
    struct Case {
        const char* what;
        float ratio, kh;
    } cases[] = {
        {"steeper than φ", 1.2f, 0},
        {"within φ, too steep for the acceleration", 2, 0.4f},
    };
    // the built-in wall under the case's acceleration, analysed on the slope given
    const auto analysed = [](BuiltInWall& wall, const Case& c, float ratio) {
        Model& m = wall.m;
        m.SeismicIncluded = c.kh > 0 ? True : False;
        m.EnteredSeismicCoefficient = c.kh;
        SetSeismicCoefficient(m);
        m.BackfillSlopeRatio = ratio;
        ComputeWallOutline(m);
        return AnalyseCombination(m);
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MessageRecorder messages;
        BuiltInWall wall;
        const Model& m = wall.m;
        ASSERT_TRUE(analysed(wall, c, c.ratio));
        ASSERT_EQ(m.BackfillSlopeAdjusted, True);
        ASSERT_FALSE(messages.Messages.empty());

        BuiltInWall fresh;
        const Model& f = fresh.m;
        const std::size_t told = messages.Messages.size();
        ASSERT_TRUE(analysed(fresh, c, m.BackfillSlopeRatio));
        EXPECT_EQ(messages.Messages.size(), told);
        EXPECT_FLOAT_EQ(m.TotalVerticalForce, f.TotalVerticalForce);
        EXPECT_FLOAT_EQ(m.TotalHorizontalForce, f.TotalHorizontalForce);
        EXPECT_FLOAT_EQ(m.MomentAtOverturningPoint, f.MomentAtOverturningPoint);
    }
}

TEST(BackfillSlope, SeismicAngleBeyondFrictionKeepsTheBackfill) {
    WorkedCase wall;
    Model& m = wall.m;
    m.BackfillFrictionAngle = 20;
    m.AppliedSeismicCoefficient = 0.5f;   // ψ = 26.6°
    const float ratio = m.BackfillSlopeRatio;
    MessageRecorder messages;
    // no active wedge exists under this acceleration, on any slope: the
    // slope is left as the user gave it and the coefficient says why
    try {
        CalcSeismicBackfillPressure(m);
        ADD_FAILURE() << "a coefficient was found";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Description, SeismicAccelerationTooLarge);
    }
    EXPECT_TRUE(messages.Messages.empty());
    EXPECT_EQ(m.BackfillSlopeRatio, ratio);
    EXPECT_EQ(m.BackfillSlopeAdjusted, False);
}

TEST(BackfillSlope, FlattenedRatioAndAngle) {
    EXPECT_DOUBLE_EQ(FlattenedSlopeRatio(30), 1.8);
    EXPECT_DOUBLE_EQ(FlattenedSlopeRatio(35), 1.5);
    EXPECT_DOUBLE_EQ(FlattenedSlopeRatio(30 - std::atan(0.15) * 180 / std::numbers::pi), 2.6);
    EXPECT_DOUBLE_EQ(FlattenedSlopeRatio(45), 1.0);   // cot 45° is 1 to the last bit, not 1.0000000000000002
    // a slope exactly at φ stands as given, under no acceleration
    const BackfillSlopeCheck atPhi = CheckBackfillSlope(45, 1, 0);
    EXPECT_FALSE(atPhi.StaticTooSteep || atPhi.SeismicTooSteep);
    EXPECT_EQ(atPhi.Ratio, 1.0f);
    EXPECT_EQ(FlattenedSlopeRatio(0), 0);
    EXPECT_EQ(FlattenedSlopeRatio(-3.5), 0);
    EXPECT_NEAR(BackfillSlopeAngle(5), 11.30993, 1e-5);
    EXPECT_EQ(BackfillSlopeAngle(0), 0);
    EXPECT_EQ(BackfillSlopeAngle(-2), 0);   // the outline draws it level too
}

}  // namespace
}  // namespace brindlemar

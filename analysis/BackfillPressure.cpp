#include "analysis/BackfillPressure.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/Analysis.h"
#include "analysis/Coefficients.h"
#include "model/Outline.h"
#include "model/Polygons.h"
#include "analysis/WaterPressure.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

const char* const StaticSlopeWarning =
    "The backfill slope is steeper than the internal friction angle of backfill. The slope is adjusted.";
const char* const SeismicSlopeWarning =
    "The backfill slope is to steep for the applied seismic coefficient. The slope is adjusted.";

// Writes the flattened slope into the model, where it stays, and rebuilds
// the outline and the part weights from it at once: every number of the
// analysis that flattened the slope is then of the one wall it leaves.
void FlattenBackfill(Model& m, float ratio) {
    m.BackfillSlopeRatio = ratio;
    m.BackfillSlopeAdjusted = True;
    ComputeWallOutline(m);
    ComputeRegionAreasCentroids(m);
}

// Heights on the back plane: back water above the base (hw), rise of the
// backfill surface at the heel end above the wall top, and the plane's
// height from the base to the backfill surface (H').
struct BackPlane {
    double hw = 0;
    double rise = 0;
    double height = 0;
};

BackPlane BackPlaneHeights(const Model& m) {
    BackPlane p;
    p.hw = BackWaterHeight(m);
    p.rise = BackfillRise(m, static_cast<double>(m.HeelLength) + m.StemBackBatter);
    p.height = BackWallHeight(m) + p.rise;
    return p;
}

}  // namespace

float BackPlaneWallFriction(const Model& m) {
    // with neither back batter nor heel the plane is the concrete face itself
    return m.StemBackBatter == 0 && m.HeelLength == 0 ? m.ConcreteToEarthFrictionAngle : m.EarthToEarthFrictionAngle;
}

BackfillAngles BackPlaneAngles(const Model& m, float slopeRatio) {
    BackfillAngles a;
    a.phi = m.BackfillFrictionAngle;
    a.beta = BackfillSlopeAngle(slopeRatio);
    a.theta = 0;
    a.delta = BackPlaneWallFriction(m);
    const double cosTheta = std::cos(Radians(a.theta));
    a.ch = CheckedDivide(std::cos(Radians(a.delta)), cosTheta);
    a.cv = CheckedDivide(std::sin(Radians(a.delta)), cosTheta);
    return a;
}

BackfillSlopeCheck CheckBackfillSlope(float phi, float slopeRatio, float kh) {
    BackfillSlopeCheck c;
    c.StaticRatio = c.Ratio = slopeRatio;
    const float beta = BackfillSlopeAngle(slopeRatio);
    if (beta > phi && beta > 0) {
        c.StaticTooSteep = true;
        c.StaticRatio = c.Ratio = ToSingle(FlattenedSlopeRatio(phi));
    }
    // Under the seismic angle the slope must stay within φ − ψ, judged on the
    // slope as it stood before the static check. An acceleration beyond the
    // friction angle leaves no slope that stands, not even a level one: the
    // backfill keeps its slope, and the seismic coefficient tells the user
    // why there is none.
    const float psi = ToSingle(Degrees(std::atan(kh)));
    const double limit = static_cast<double>(phi) - psi;
    const bool noSlopeStands = psi > 0 && limit <= 0;
    if (beta > limit && beta > 0 && !noSlopeStands) {
        c.SeismicTooSteep = true;
        c.Ratio = ToSingle(FlattenedSlopeRatio(limit));
    }
    return c;
}

CheckedBackfill CheckedBackfillAngles(const Model& m, float kh) {
    CheckedBackfill c;
    c.Check = CheckBackfillSlope(m.BackfillFrictionAngle, m.BackfillSlopeRatio, kh);
    c.Angles = BackPlaneAngles(m, c.Check.Ratio);
    return c;
}

float BackfillSlopeAngle(float slopeRatio) {
    // a ratio of 0 or less is a level backfill, as the outline draws it
    if (!(slopeRatio > 0)) return 0;
    return ToSingle(Degrees(std::atan(1.0 / slopeRatio)));
}

double FlattenedSlopeRatio(double angle) {
    // At 0 degrees or less (and past 90) no rising surface stays within the
    // angle: the backfill is made level rather than given a negative slope.
    const double t = std::tan(Radians(angle));
    if (!(angle > 0) || !(t > 0)) return 0;
    // The cotangent rounded up to the next tenth. tan 45° is 0.9999999999999999
    // in double, and its rounding error alone must not raise 1.0 to 1.1: a
    // difference far below what a float angle can hold is taken as none.
    const double ratio = std::ceil(10.0 / t - 1e-9) / 10.0;
    if (!(ratio <= std::numeric_limits<float>::max())) return 0;
    return ratio;
}

void TrapezoidResultant(double x1, double x2, double p1, double p2, float& F, float& xc) {
    const double L = std::fabs(x2 - x1);
    const double F1 = L * p1 / 2;
    const double F2 = L * p2 / 2;
    const double arm1 = (2 * x1 + x2) / 3;
    const double arm2 = (x1 + 2 * x2) / 3;
    const double total = F1 + F2;
    F = ToSingle(total);
    xc = ToSingle(F != 0 ? CheckedDivide(F1 * arm1 + F2 * arm2, total) : x1);
}

double StaticEarthCoefficient(const Model& m, float phi, float theta, float beta, float delta) {
    if (m.KaSource != Computed) return m.EnteredKa;
    if (m.EarthPressureOption == AtRest) return AtRestCoefficient(phi, beta);
    return CoulombActiveCoefficient(phi, theta, beta, delta);
}

bool EarthquakeActs(const Model& m) { return m.SeismicIncluded != 0 && m.AppliedSeismicCoefficient != 0; }

double SeismicIncrement(const Model& m, float phi, float theta, float beta, float delta) {
    // No earthquake, or one this combination does not load (its increment is
    // multiplied by an EQ factor of 0), adds nothing, whatever the sources of
    // the coefficients; and earth at rest takes no increment.
    if (!EarthquakeActs(m) || Factor(m, EQ) == 0 || m.EarthPressureOption == AtRest) return 0;
    const float kh = m.AppliedSeismicCoefficient;
    // The user's KAE is the whole seismic coefficient: what it holds beyond
    // the static coefficient in use. A computed KAE brings Mononobe-Okabe's
    // own increment over Coulomb for the same angles, on top of whichever
    // static coefficient is in use.
    const double increment =
        m.KaeSource == Computed
            ? MononobeOkabeCoefficient(phi, theta, beta, delta, kh) - CoulombActiveCoefficient(phi, theta, beta, delta)
            : m.EnteredKae - StaticEarthCoefficient(m, phi, theta, beta, delta);
    return std::max(0.0, increment);
}

double WithMinimumFluidDensity(const Model& m, double K, double gamma, double ch) {
    if (m.MinimumFluidDensityEnabled == 1 && gamma * K * ch < m.MinimumFluidDensity)
        return CheckedDivide(m.MinimumFluidDensity, gamma * ch);
    return K;
}

void CalcStaticBackfillPressure(Model& m) {
    // a slope steeper than the friction angle cannot stand: flatten it
    const CheckedBackfill backfill = CheckedBackfillAngles(m, 0);
    if (backfill.Check.StaticTooSteep) {
        MsgBox(StaticSlopeWarning, vbExclamation, ProductName);
        FlattenBackfill(m, backfill.Check.StaticRatio);
    }
    const BackfillAngles& a = backfill.Angles;

    // coefficient, raised where the user asks for a minimum equivalent-fluid density
    const double gamma = m.BackfillUnitWeight;
    const double K0 = StaticEarthCoefficient(m, a.phi, a.theta, a.beta, a.delta);
    m.BackfillPressureCoefficient = ToSingle(WithMinimumFluidDensity(m, K0, gamma, a.ch));
    const double K = m.BackfillPressureCoefficient;

    const BackPlane plane = BackPlaneHeights(m);
    const double fEH = Factor(m, EH);

    // ordinates: the surcharge alone at the top, then moist earth down to the
    // back water level, then submerged earth down to the base
    auto& p = m.BackfillPressureOrdinates;
    const double surchargeFactor = Factor(m, m.SurchargeLoadType) * Factor(m, S2);
    p[0] = ToSingle(m.BackfillSurcharge * K * std::cos(Radians(a.theta)) /
                    std::cos(Radians(a.theta) - Radians(a.beta)) * fEH * surchargeFactor);
    p[1] = ToSingle(p[0] + gamma * K * (plane.height - plane.hw) * a.ch * fEH);
    p[2] = ToSingle(p[1] + (static_cast<double>(m.BackfillSaturatedDensity) - m.WaterUnitWeight) * K *
                               plane.hw * a.ch * fEH);

    // horizontal resultants above and below the water level, then the
    // downward components that wall friction adds on the plane at x = B
    const double yTop = m.NodeYCoordinates[40];
    const double yBase = m.NodeYCoordinates[5];
    const double yWater = yBase - plane.hw;
    auto& F = m.BackfillPressureForces;
    TrapezoidResultant(yTop, yWater, p[0], p[1], F[1], m.BackfillPressureArmsY[1]);
    TrapezoidResultant(yWater, yBase, p[1], p[2], F[2], m.BackfillPressureArmsY[2]);
    F[3] = ToSingle(CheckedDivide(F[1] * a.cv, a.ch));
    F[4] = ToSingle(CheckedDivide(F[2] * a.cv, a.ch));
    m.BackfillPressureArmsX[3] = m.BaseWidth;
    m.BackfillPressureArmsX[4] = m.BaseWidth;
}

void CalcSeismicBackfillPressure(Model& m) {
    // Nothing of an earlier analysis may outlive one that cannot compute the
    // seismic pressures: they read 0 until this one has them.
    m.SeismicIncrementCoefficient = m.SeismicIncrementCoefficientBelowWater = 0;
    m.SeismicPressureOrdinates = {};
    m.SeismicPressureForces = {};
    m.HydrodynamicPressureForces = {};
    m.HydrodynamicPressureOrdinates = {};

    const float kh = m.AppliedSeismicCoefficient;
    const CheckedBackfill backfill = CheckedBackfillAngles(m, kh);

    ComputeRegionAreasCentroids(m);
    CalcStaticBackfillPressure(m);

    // the static pressure flattened a slope steeper than φ; one steeper than
    // φ − ψ goes further
    if (backfill.Check.SeismicTooSteep) {
        MsgBox(SeismicSlopeWarning, vbExclamation, ProductName);
        FlattenBackfill(m, backfill.Check.Ratio);
    }
    const BackfillAngles& a = backfill.Angles;

    // static coefficient again, without the minimum fluid density, and the
    // seismic increment over it
    m.BackfillPressureCoefficient = ToSingle(StaticEarthCoefficient(m, a.phi, a.theta, a.beta, a.delta));
    double dK = SeismicIncrement(m, a.phi, a.theta, a.beta, a.delta);
    m.SeismicIncrementCoefficient = ToSingle(dK);
    m.SeismicIncrementCoefficientBelowWater = m.SeismicIncrementCoefficient;
    dK = m.SeismicIncrementCoefficient;

    const double frontHeight = FrontWallHeight(m);
    const double hf = FrontWaterHeight(m);
    const BackPlane plane = BackPlaneHeights(m);
    const double fEQ = Factor(m, EQ);
    const double fEH = Factor(m, EH);
    const double gamma = m.BackfillUnitWeight;

    // increment over the whole plane: an inverted triangle, largest at the top
    auto& s = m.SeismicPressureOrdinates;
    auto& F = m.SeismicPressureForces;
    const double yTop = m.NodeYCoordinates[40];
    const double yBase = m.NodeYCoordinates[5];
    s[1] = ToSingle(gamma * dK * plane.height * a.ch * fEQ * fEH);
    TrapezoidResultant(yTop, yBase, s[1], 0, F[1], m.SeismicPressureArmsY[1]);

    // increment over the submerged height, from the heavier saturated earth
    s[2] = ToSingle(plane.hw * dK * (static_cast<double>(m.BackfillSaturatedDensity) - gamma) * a.ch * fEQ * fEH);
    TrapezoidResultant(yBase - plane.hw, yBase, s[2], 0, F[2], m.SeismicPressureArmsY[2]);

    F[3] = ToSingle(CheckedDivide(F[1] * a.cv, a.ch));
    F[4] = ToSingle(CheckedDivide(F[2] * a.cv, a.ch));
    m.SeismicPressureArmsX[3] = m.BaseWidth;
    m.SeismicPressureArmsX[4] = m.BaseWidth;

    // hydrodynamic pressure of the front water, its resultant 0.4 hf above the base
    const double water = static_cast<double>(m.WaterUnitWeight) * kh * fEQ * Factor(m, WA);
    m.HydrodynamicPressureForces[1] = ToSingle(7.0 / 12.0 * water * hf * hf);
    m.HydrodynamicPressureOrdinates[1] = ToSingle(7.0 / 8.0 * water * hf);
    m.HydrodynamicPressureArmsY[1] = ToSingle(frontHeight - 0.4 * hf);
}

}  // namespace brindlemar

#pragma once
// Lateral pressure of the backfill on the vertical back plane through the
// heel end: static (earth and surcharge), its seismic increment, and the
// hydrodynamic pressure of the front water; the slope flattening that keeps
// the backfill within its friction angle; the trapezoid resultant that every
// pressure block uses.

#include "model/Model.h"

namespace brindlemar {

// Resultant F of a pressure varying linearly from p1 at x1 to p2 at x2, and
// the coordinate xc of its line of action (x1 when F is 0).
void TrapezoidResultant(double x1, double x2, double p1, double p2, float& F, float& xc);

// Static earth-pressure coefficient on a plane inclined theta degrees from
// the vertical: Coulomb active or at rest, or the user's value for either state.
double StaticEarthCoefficient(const Model& m, float phi, float theta, float beta, float delta);

// Whether an earthquake acts: the seismic option on and an acceleration not
// 0. The seismic pressures, the section forces, the loads view and the
// legend all ask this.
bool EarthquakeActs(const Model& m);

// Seismic increment ΔK of the earth-pressure coefficient on a plane inclined
// theta degrees, for the combination being analysed: 0 without an
// earthquake, under an EQ factor of 0 and for earth at rest; else the
// Mononobe-Okabe coefficient less Coulomb's for the same angles when KAE is
// computed, or the user's KAE less the static coefficient in use (entered or
// computed) when it is entered; never below 0. The stability analysis, the
// stem and the heel all take their increment from here.
double SeismicIncrement(const Model& m, float phi, float theta, float beta, float delta);

// An earth-pressure coefficient K raised, where the user asks for a minimum
// equivalent-fluid density, until the horizontal pressure γ·K·ch of a unit
// depth reaches it.
double WithMinimumFluidDensity(const Model& m, double K, double gamma, double ch);

// Static pressure: coefficient, ordinates, the two blocks above and below the
// back water level and their wall-friction components. Flattens a slope
// steeper than the friction angle, with a warning.
void CalcStaticBackfillPressure(Model& m);

// Recomputes the part weights and the static pressure, then the seismic
// increment over the whole plane and over the submerged height, and the
// hydrodynamic force of the front water. Flattens a slope steeper than the
// friction angle less the seismic angle, with a warning.
void CalcSeismicBackfillPressure(Model& m);

// The run per unit rise that flattens the backfill to at most `angle`
// degrees: the cotangent rounded up to the next 0.1; 0 (level) when no
// rising slope can stay within the angle.
double FlattenedSlopeRatio(double angle);

// The backfill slope in degrees above the horizontal, 0 for a level
// backfill (a ratio of 0 or less).
float BackfillSlopeAngle(float slopeRatio);

// Wall friction on the vertical back plane through the heel end: of
// concrete on earth where the plane is the stem's own back face (no back
// batter, no heel), else of earth on earth.
float BackPlaneWallFriction(const Model& m);

// Angles of the back plane under a backfill of the given slope ratio:
// friction φ, slope β, plane inclination θ (the plane is vertical) and wall
// friction δ, with the factors that split a pressure acting at δ into its
// horizontal (ch) and vertical (cv) parts.
struct BackfillAngles {
    float phi = 0;
    float beta = 0;
    float theta = 0;
    float delta = 0;
    double ch = 1;
    double cv = 0;
};
BackfillAngles BackPlaneAngles(const Model& m, float slopeRatio);

// What an analysis under the acceleration kh does with a backfill of the
// given slope ratio: a slope steeper than φ is flattened to φ, then one
// steeper than φ − ψ (judged on the slope as it stood) to φ − ψ; under an
// acceleration beyond tan φ no slope stands and the slope is kept. Ratio is
// the slope the analysis works with, and so the one its coefficients are of.
struct BackfillSlopeCheck {
    bool StaticTooSteep = false;
    bool SeismicTooSteep = false;
    float StaticRatio = 0;  // after the static check alone
    float Ratio = 0;        // after both
};
BackfillSlopeCheck CheckBackfillSlope(float phi, float slopeRatio, float kh);

// The slope check of an analysis under the acceleration kh, on the model's
// backfill, and the back-plane angles of the slope the check leaves: the
// angles the analysis's coefficients are of, and so those the loads dialog
// shows its coefficients for.
struct CheckedBackfill {
    BackfillSlopeCheck Check;
    BackfillAngles Angles;
};
CheckedBackfill CheckedBackfillAngles(const Model& m, float kh);

}  // namespace brindlemar

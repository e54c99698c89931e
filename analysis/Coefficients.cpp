#include "analysis/Coefficients.h"

#include <cmath>

#include "analysis/Analysis.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// Angles are turned into radians held as 32-bit floats; the trigonometry and
// arithmetic on them run in double precision.
float SingleRadians(float degrees) { return static_cast<float>(Radians(degrees)); }

// 32-bit radians put cos(90 degrees) near 4E-8 and 1 - sin(90 degrees) near
// 1E-15 instead of 0; a divisor that small is a zero divisor, not a reason
// for a coefficient of a billion.
constexpr double ZeroDivisor = 1e-6;

double Divisor(double d) {
    if (std::fabs(d) < ZeroDivisor) RaiseError(ErrDivisionByZero);
    return d;
}

// Once the seismic inclination psi exceeds the friction available on the
// slope, the formula's radicand turns negative, or, with no friction at all,
// passes as -0 and gives a coefficient of 1 that belongs to no wedge.
void RequireSeismicSolution(double frictionLeft) {
    if (frictionLeft < 0) RaiseError(ErrInvalidCall, SeismicAccelerationTooLarge);
}

}  // namespace

const char* const SeismicAccelerationTooLarge =
    "The earthquake acceleration is too large for the friction angle and slope of the backfill: "
    "no seismic earth pressure can be computed.";

bool IsSeismicAccelerationTooLarge(const RuntimeError& e) {
    return e.Number == ErrInvalidCall && e.Description == SeismicAccelerationTooLarge;
}

double CoulombActiveCoefficient(float phiDegrees, float thetaDegrees, float betaDegrees,
                                float deltaDegrees) {
    const double phi = SingleRadians(phiDegrees), theta = SingleRadians(thetaDegrees),
                 beta = SingleRadians(betaDegrees), delta = SingleRadians(deltaDegrees);
    // On a plane whose foot lies further into the soil, the active thrust
    // leans delta + theta from the horizontal: the wall-friction term takes
    // theta with a plus sign (a trial-wedge search gives the same values).
    const double R = std::sin(phi + delta) * std::sin(phi - beta) /
                     (Divisor(std::cos(delta + theta)) * Divisor(std::cos(beta - theta)));
    const double root = 1 + CheckedSqrt(R);
    const double cosTheta = Divisor(std::cos(theta));
    return CheckedFinite(std::pow(std::cos(phi - theta), 2) /
                         (cosTheta * cosTheta * std::cos(delta + theta) * root * root));
}

double CoulombPassiveCoefficient(float phiDegrees, float thetaDegrees, float betaDegrees,
                                 float deltaDegrees) {
    const double phi = SingleRadians(phiDegrees), theta = SingleRadians(thetaDegrees),
                 beta = SingleRadians(betaDegrees), delta = SingleRadians(deltaDegrees);
    const double R = std::sin(phi + delta) * std::sin(phi + beta) /
                     (Divisor(std::cos(delta - theta)) * Divisor(std::cos(beta - theta)));
    // the passive wedge has no solution once the root reaches 1; beyond it
    // the formula would turn back to finite but meaningless values
    const double root = Divisor(1 - CheckedSqrt(R));
    if (root < 0) RaiseError(ErrInvalidCall);
    const double cosTheta = Divisor(std::cos(theta));
    return CheckedFinite(std::pow(std::cos(phi + theta), 2) /
                         (cosTheta * cosTheta * std::cos(delta - theta) * root * root));
}

double AtRestCoefficient(float phiDegrees, float betaDegrees) {
    const double phi = SingleRadians(phiDegrees), beta = SingleRadians(betaDegrees);
    return (1 - std::sin(phi)) / Divisor(1 - std::sin(beta));
}

double MononobeOkabeCoefficient(float phiDegrees, float thetaDegrees, float betaDegrees,
                                float deltaDegrees, float kh) {
    const double phi = SingleRadians(phiDegrees), theta = SingleRadians(thetaDegrees),
                 beta = SingleRadians(betaDegrees), delta = SingleRadians(deltaDegrees);
    // the seismic inclination of the resultant body force
    const double psi = static_cast<float>(std::atan(double(kh)));
    RequireSeismicSolution(phi - psi - beta);
    // with kh = 0 this is the active coefficient, theta entering the same way
    const double R = std::sin(phi + delta) * std::sin(phi - psi - beta) /
                     (Divisor(std::cos(delta + psi + theta)) * Divisor(std::cos(beta - theta)));
    const double root = 1 + CheckedSqrt(R);
    const double cosTheta = Divisor(std::cos(theta));
    return CheckedFinite(std::pow(std::cos(phi - psi - theta), 2) /
                         (std::cos(psi) * cosTheta * cosTheta * std::cos(delta + psi + theta) *
                          root * root));
}

double MononobeOkabePassiveCoefficient(float phiDegrees, float thetaDegrees, float betaDegrees,
                                       float deltaDegrees, float kh) {
    const double phi = SingleRadians(phiDegrees), theta = SingleRadians(thetaDegrees),
                 beta = SingleRadians(betaDegrees), delta = SingleRadians(deltaDegrees);
    const double psi = static_cast<float>(std::atan(double(kh)));
    RequireSeismicSolution(phi + beta - psi);
    // theta enters the wall-friction term as in the static passive
    // coefficient, so that kh = 0 gives Kp (a trial-wedge search agrees)
    const double R = std::sin(phi + delta) * std::sin(phi + beta - psi) /
                     (Divisor(std::cos(delta + psi - theta)) * Divisor(std::cos(beta - theta)));
    const double root = Divisor(1 - CheckedSqrt(R));
    if (root < 0) RaiseError(ErrInvalidCall);
    const double cosTheta = Divisor(std::cos(theta));
    return CheckedFinite(std::pow(std::cos(phi - psi + theta), 2) /
                         (std::cos(psi) * cosTheta * cosTheta * std::cos(delta + psi - theta) * root * root));
}

}  // namespace brindlemar

#pragma once
// Lateral earth-pressure coefficients. Angles in degrees: phi the soil's
// friction angle, theta the inclination of the pressure plane from the
// vertical (positive when its foot lies further into the soil), beta the
// ground slope above the horizontal, delta the wall friction; kh the
// horizontal seismic coefficient in g.
// An angle combination without a meaningful coefficient raises error 5
// (negative radicand) or 11 (zero divisor) instead of returning a value.

#include "runtime/RuntimeError.h"

namespace brindlemar {

// What the user is told when the seismic wedge has no solution: the
// acceleration tilts the body force beyond the friction angle less the
// slope (kh above tan(phi - beta) for the active side).
extern const char* const SeismicAccelerationTooLarge;

// Whether `e` is the error of a seismic coefficient without a solution.
bool IsSeismicAccelerationTooLarge(const RuntimeError& e);

double CoulombActiveCoefficient(float phi, float theta, float beta, float delta);
double CoulombPassiveCoefficient(float phi, float theta, float beta, float delta);
double AtRestCoefficient(float phi, float beta);
// Error 5 with the text SeismicAccelerationTooLarge when phi - psi - beta < 0
// (psi = atan kh): no wedge then holds the soil.
double MononobeOkabeCoefficient(float phi, float theta, float beta, float delta, float kh);

// Passive coefficient under a horizontal seismic acceleration kh (the
// acceleration lowers the passive resistance); kh = 0 gives the Coulomb
// passive coefficient. Error 5 with the text SeismicAccelerationTooLarge
// when phi + beta - psi < 0.
double MononobeOkabePassiveCoefficient(float phi, float theta, float beta, float delta, float kh);

}  // namespace brindlemar

#pragma once
// Lateral earth-pressure coefficients. Angles in degrees: phi the soil's
// friction angle, theta the inclination of the pressure plane from the
// vertical (positive when its foot lies further into the soil), beta the
// ground slope above the horizontal, delta the wall friction; kh the
// horizontal seismic coefficient in g.
// An angle combination without a meaningful coefficient raises error 5
// (negative radicand) or 11 (zero divisor) instead of returning a value.

namespace brindlemar {

double CoulombActiveCoefficient(float phi, float theta, float beta, float delta);
double CoulombPassiveCoefficient(float phi, float theta, float beta, float delta);
double AtRestCoefficient(float phi, float beta);
double MononobeOkabeCoefficient(float phi, float theta, float beta, float delta, float kh);

// Passive coefficient under a horizontal seismic acceleration kh (the
// acceleration lowers the passive resistance); kh = 0 gives the Coulomb
// passive coefficient.
double MononobeOkabePassiveCoefficient(float phi, float theta, float beta, float delta, float kh);

}  // namespace brindlemar

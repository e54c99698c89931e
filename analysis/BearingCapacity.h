#pragma once
// Bearing capacity of the base: factor tables and the nominal resistance of
// one combination, by the user's value, the theoretical equation, or the
// SPT and CPT formulas. Results in the stress unit.

#include "model/Model.h"

namespace brindlemar {

// Factors interpolated between whole degrees; above the table the last row.
// A negative phi is set to 0 where it is held.
void LookUpBearingCapacityFactors(const Model& m, float& phi, float& Nc, float& Nq, float& Ngamma);

// Water-table factors for the water at depth Dw below the ground in front,
// a footing at depth Df and of width B.
void WaterTableFactors(float Dw, float Df, float B, float& Cwq, float& Cwg);

// Shape factors of the cohesion, width and surcharge terms.
void BearingShapeFactors(float phi, float B, float L, float Nq, float Nc, float& sc, float& sg, float& sq);

// Depth factor, interpolated in the table and clamped at its edges. A
// negative phi is set to 0 where it is held.
void BearingDepthFactor(const Model& m, float& phi, float Df, float B, float& dq);

// Nominal bearing resistance by BearingResistanceMethod (stress unit):
// c cohesion, phi friction angle (degrees; a negative one is set to 0 where
// it is held), gamma unit weight of the soil, B width, L length, Df depth
// of the footing, Dw depth of the water below the ground in front.
float UltimateBearingCapacity(Model& m, float c, float& phi, float gamma, float B, float L, float Df, float Dw);

}  // namespace brindlemar

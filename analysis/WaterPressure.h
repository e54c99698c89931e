#pragma once
// Static water pressure on both faces of the wall, the weight of water over
// the battered faces and sloping tops, the uplift under the base; and the
// passive pressure of the earth in front of the toe tip and the shear key.

#include "model/Model.h"

namespace brindlemar {

// Heights of the front and back water surfaces above the underside of the
// base; 0 when the water stands lower.
double FrontWaterHeight(const Model& m);
double BackWaterHeight(const Model& m);

// Factored water blocks 1 to 11 of the current combination.
void CalcWaterPressures(Model& m);

// Coulomb's passive coefficient of the toe earth: against the concrete of a
// vertical toe face, its surface level.
double ComputedPassiveCoefficient(const Model& m);

// The earth in front of the toe fills the toe tip's height: dry above the
// front water level, submerged below it; the two add up to the tip's
// thickness. The toe top stands under water unless the front water zone
// lies below it. `WaterBelowGround` is how deep the front water stands
// below that earth's surface, negative above it, as the bearing capacity
// reads the water table. The passive pressure, its picture and the bearing
// take the layers from here.
struct ToeEarthLayers {
    double Dry = 0, Submerged = 0, WaterBelowGround = 0;
};
ToeEarthLayers ToeEarthThicknesses(const Model& m);

// Unfactored passive blocks: toe earth above (1) and below (2) the front
// water level, and the earth in front of the shear key (3).
void CalcPassivePressure(Model& m);

}  // namespace brindlemar

#pragma once
// One-way shear strength of a wall member without shear reinforcement: the
// concrete's detailed shear formula with its Vu·d/Mu term, its upper limit
// and, under axial compression, the modified moment.
//
// Reads Height, Width, EffectiveDepth, SteelArea, Shear, Moment, AxialForce,
// Phi and Lambda from the record and the concrete strength from the model;
// writes only ShearStrength (phi·Vn), empty when it has no value.

#include "model/Model.h"

namespace brindlemar {

void DesignShear(const Model& m, ShearDesignResult& r);

}  // namespace brindlemar

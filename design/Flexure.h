#pragma once
// Flexural check of one strip of wall: tension steel on one face and,
// optionally, the user's bars on the other face as compression steel,
// under a factored moment Mu and axial force Pu (compression positive).
//
// Both routines read the section from the record (Width, Height, Cover,
// EffectiveDepth, SteelArea, CompressionSteelDepth, CompressionSteelArea,
// Moment, AxialForce, PhiCompression, PhiTension) and the materials from the
// model, and write only the record's computed values: BalancedRatio,
// BalancedStrain, TensileStrain, Control, Phi, MomentStrength, AxialStrength,
// SteelStress (in force per length squared: the driver converts it),
// SteelStrain, MinimumSteelArea, MaximumSpacing, MinimumTensileStrain.
// They make no verdict.

#include <optional>

#include "model/Model.h"

namespace brindlemar {

// "ACI 318-08": the balanced ratio includes the axial force.
void DesignFlexureAci(const Model& m, FlexureDesignResult& r);

// "ACI 318-08 Alternate": returns the factor on the balanced ratio that the
// steel ratio may reach (0.75, or 1 under a large axial compression); empty
// when it cannot be told.
std::optional<float> DesignFlexureAciAlternate(const Model& m, FlexureDesignResult& r);

// A footing face under a moment (ACI 318-08 10.5.4 with 7.12.2.1): its
// minimum steel is the shrinkage and temperature steel rho·b·h, with h the
// thickness at the section, and is never waived for a third more steel than
// required; its bars are at most the lesser of 3h and 18 in apart, besides
// the crack-control spacing. Replaces MinimumSteelArea and MaximumSpacing of
// a section already checked.
void ApplyFootingLimits(const Model& m, FlexureDesignResult& r);

// That minimum steel alone, as stored; it depends on the section, not on the bars.
std::optional<float> FootingMinimumSteelArea(const Model& m, const FlexureDesignResult& r);

// Control state of a section from its net tensile strain and the yield
// strain (both as stored), with the strength reduction factor interpolated
// between the compression- and tension-controlled limits.
struct StrainControl {
    std::optional<FlexureControl> Control;  // empty when either strain is undefined
    double Phi;                             // NaN with it
};
StrainControl ClassifyTensileStrain(float epsT, float epsY, float phiCompression, float phiTension);

}  // namespace brindlemar

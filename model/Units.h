#pragma once
// Unit systems: the unit labels of every quantity kind and the conversion of
// every stored value when the user switches the unit system.

#include "model/Model.h"

namespace brindlemar {

// Fills the ten unit-label tables for Metric, SI and British (element 3 stays empty).
void FillUnitLabels(Model& m);

// The label of the current unit system from one of the label tables; the
// Metric label for a unit system outside the three.
const std::string& UnitLabel(const Model& m, const UnitLabelTable& labels);

// What the analysis gives per length of wall, labelled so: a force "T/m"
// ("kN/m", "Kip/ft"), a moment "Tm/m" ("kNm/m", "Kipft/ft").
std::string ForcePerLengthLabel(const Model& m);
std::string MomentPerLengthLabel(const Model& m);

// Rewrites every stored dimensional value from PreviousUnitSystem into
// CurrentUnitSystem (the caller makes sure they differ), then rebuilds the
// outline. Values are kept at full float precision: the screens round them
// for showing, and converting back and forth returns the values one started from.
void ConvertUnits(Model& m);

}  // namespace brindlemar

#pragma once
// Unit systems: the unit labels of every quantity kind and the conversion of
// every stored value when the user switches the unit system.

#include "model/Model.h"

namespace brindlemar {

// The constants between the unit systems; a kip is taken as 0.454 tonnes,
// not 0.4536, throughout the program.
inline constexpr double MetresPerFoot = 0.3048;
inline constexpr double MillimetresPerInch = 25.4;
inline constexpr double CentimetresPerInch = 2.54;
inline constexpr double TonnesPerKip = 0.454;
inline constexpr double InchesPerFoot = 12;

// Twips in a millimetre of a drawing or a printed page: the round 56.7 the
// program has always laid its pages out with, not 1440/25.4 (56.69...), so
// that every printed distance stays where its users know it.
inline constexpr double TwipsPerMillimetre = 56.7;

// The unit system as the index of the unit tables and factors (Metric 0, SI
// 1, British 2); error 9 for any other, which no reader lets into a wall.
int UnitSystemIndex(int unitSystem);
inline int UnitSystemIndex(const Model& m) { return UnitSystemIndex(m.CurrentUnitSystem); }

// A value in the stress unit (kg/cm², MPa, psi) as a pressure (T/m², kPa,
// Kip/ft²): 10, 1000 or 0.144. Error 9 outside the three systems.
double StressToPressureFactor(int unitSystem);

// Pounds per square inch in one stress unit: 2.54²/0.454 per kg/cm²,
// 25.4²/(0.454·g) per MPa (error 11 for g = 0), 1 per psi. Error 9 outside
// the three systems.
double StressToPsiFactor(int unitSystem, double g);

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
// for showing, and converting back and forth returns the values one started
// from. A value the new units cannot hold raises the error and changes no
// value; CurrentUnitSystem goes back to PreviousUnitSystem.
void ConvertUnits(Model& m);

}  // namespace brindlemar

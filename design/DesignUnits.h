#pragma once
// Unit factors of the design, chosen by the project's unit system
// (Metric, SI, British). Material strengths are stored in the stress unit
// (kg/cm², MPa, psi); the analysis works in force per length squared
// (T/m², kN/m², Kip/ft²); the design formulas are written in psi and inches.

#include "design/DesignArithmetic.h"
#include "model/Model.h"
#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar::design {

// stress unit to analysis units (kg/cm² -> T/m², MPa -> kN/m², psi -> Kip/ft²), as in the stability analysis
inline double StressToPressure(const Model& m) { return StressToPressureFactor(m.CurrentUnitSystem); }

// stress unit to psi; without g a newton stress has none, and the check no value
inline double StressToPsi(const Model& m) {
    if (UnitSystemIndex(m) == SI && m.GravityAcceleration == 0) return Undefined;
    return StressToPsiFactor(m.CurrentUnitSystem, m.GravityAcceleration);
}

// analysis units (force per length squared) to psi
inline double PressureToPsi(const Model& m) { return StressToPsi(m) / StressToPressure(m); }

// inches to the wall length unit (m, m, ft)
inline double InchToLength(const Model& m) {
    constexpr double factor[3] = {CentimetresPerInch / 100.0, CentimetresPerInch / 100.0, 1.0 / InchesPerFoot};
    return factor[UnitSystemIndex(m)];
}

// section unit (cm, mm, in) and bar unit (mm, mm, in) per wall length unit
inline double SectionUnitsPerLength(const Model& m) {
    constexpr double factor[3] = {100.0, 1000.0, InchesPerFoot};
    return factor[UnitSystemIndex(m)];
}
inline double BarUnitsPerLength(const Model& m) {
    constexpr double factor[3] = {1000.0, 1000.0, InchesPerFoot};
    return factor[UnitSystemIndex(m)];
}

}  // namespace brindlemar::design

#pragma once
// Unit factors of the design, chosen by the project's unit system
// (Metric, SI, British). Material strengths are stored in the stress unit
// (kg/cm², MPa, psi); the analysis works in force per length squared
// (T/m², kN/m², Kip/ft²); the design formulas are written in psi and inches.

#include "design/DesignArithmetic.h"
#include "analysis/Analysis.h"
#include "model/Model.h"
#include "runtime/RuntimeError.h"

namespace brindlemar::design {

inline int UnitIndex(const Model& m) { return static_cast<int>(CheckedIndex(m.CurrentUnitSystem, 0, 2)); }

// stress unit to analysis units (kg/cm² -> T/m², MPa -> kN/m², psi -> Kip/ft²), as in the stability analysis
inline double StressToPressure(const Model& m) { return StressToPressureFactor(m.CurrentUnitSystem); }

// stress unit to psi; 0.454 tonnes to the kip, g between tonne-force and kN
inline double StressToPsi(const Model& m) {
    switch (UnitIndex(m)) {
        case Metric: return 2.54 * 2.54 / 0.454;
        case SI: return Quotient(25.4 * 25.4, 0.454 * m.GravityAcceleration);
        default: return 1.0;
    }
}

// analysis units (force per length squared) to psi
inline double PressureToPsi(const Model& m) { return StressToPsi(m) / StressToPressure(m); }

// inches to the wall length unit (m, m, ft)
inline double InchToLength(const Model& m) {
    constexpr double factor[3] = {2.54 / 100.0, 2.54 / 100.0, 1.0 / 12.0};
    return factor[UnitIndex(m)];
}

// section unit (cm, mm, in) and bar unit (mm, mm, in) per wall length unit
inline double SectionUnitsPerLength(const Model& m) {
    constexpr double factor[3] = {100.0, 1000.0, 12.0};
    return factor[UnitIndex(m)];
}
inline double BarUnitsPerLength(const Model& m) {
    constexpr double factor[3] = {1000.0, 1000.0, 12.0};
    return factor[UnitIndex(m)];
}

}  // namespace brindlemar::design

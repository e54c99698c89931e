#pragma once
// How many digits a quantity is shown with, per unit system: one rule for
// the screens, the calculator and the printed report. A Metric value keeps
// the fixed decimals its masks always had; an SI or British value carries at
// least three significant digits (Kip/ft³ are about 0.1, MPa cohesions a few
// thousandths), so what is shown reads back as what the analysis used.

#include <string>

namespace brindlemar {

enum class Quantity {
    Length,           // m, m, ft: dimensions, depths, eccentricities, distances
    ForcePerLength,   // T/m, kN/m, Kip/ft
    MomentPerLength,  // Tm/m, kNm/m, Kipft/ft
    Pressure,         // T/m², kPa, Kip/ft²: pressures, surcharge
    UnitWeight,       // T/m³, kN/m³, Kip/ft³
    Stress,           // kg/cm², MPa, psi: cohesion, bearing capacity, steel stress
    Strength,         // kg/cm², MPa, psi: f'c and fy
    Modulus,          // 10^5 x the stress unit
    Section,          // cm, mm, in: cover, section sizes, bar spacings
    Bar,              // mm, mm, in: bar diameters
    SteelArea,        // cm², mm², in² per length unit of wall
};

// The number mask of `value` as a quantity of kind `q` in `unitSystem`
// (Metric, SI, British; another is taken as Metric): "0" and, after the
// point, the fixed decimals of the kind; for SI and British as many more as
// three significant digits of this value need, at most six decimals in all,
// short of any that would show only trailing zeros; a value that six
// decimals still show as 0 keeps the fixed decimals. No sign and no literal
// text: a caller builds its three-section masks from it.
std::string QuantityMask(Quantity q, int unitSystem, double value);

// The three-section mask of `value` built on its QuantityMask: the number
// and `suffix`; a negative with its minus sign, or shown as `zeroText` when
// `negativeAsZero`; `zeroText` for an exact 0 ("0.00;-0.00;--").
std::string SignedQuantityMask(Quantity q, int unitSystem, double value, const std::string& zeroText,
                               bool negativeAsZero = false, const std::string& suffix = "");

// `value` formatted with its QuantityMask.
std::string FormatQuantity(double value, Quantity q, int unitSystem);

// The text of an input box or a bar size: in SI and British `value` rounded
// to what FormatQuantity shows, in the shortest float text (a Metric bar of
// 14 mm in British shows "0.551", not "0.5511811"); in Metric, where every
// box always showed what was typed, rounded only to six significant digits,
// which leaves any typed value whole and takes off what a round trip through
// the other systems left (0.9999999 shows "1").
std::string QuantityEntryText(float value, Quantity q, int unitSystem);

}  // namespace brindlemar

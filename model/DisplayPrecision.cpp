#include "model/DisplayPrecision.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "model/Enums.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

constexpr int SignificantDigits = 3;
constexpr int MostDecimals = 6;

struct QuantityDigits {
    Quantity kind;
    int decimals[3];  // Metric, SI, British
};

// The Metric column is the decimals every Metric screen and page has
// always shown; SI and British are chosen for their magnitudes (f'c of
// 29.43 MPa, a British unit weight of 0.106 Kip/ft³, 0.232 in² of steel).
constexpr QuantityDigits Digits[] = {
    {Quantity::Length, {2, 2, 2}},
    {Quantity::ForcePerLength, {2, 2, 2}},
    {Quantity::MomentPerLength, {2, 2, 2}},
    {Quantity::Pressure, {2, 2, 2}},
    {Quantity::UnitWeight, {2, 2, 3}},
    {Quantity::Stress, {2, 2, 2}},
    {Quantity::Strength, {0, 2, 0}},
    {Quantity::Modulus, {2, 2, 2}},
    {Quantity::Section, {1, 0, 1}},
    {Quantity::Bar, {0, 0, 2}},
    {Quantity::SteelArea, {1, 0, 2}},
};

int FixedDecimals(Quantity q, int unitSystem) {
    const int u = unitSystem == SI || unitSystem == British ? unitSystem : Metric;
    for (const QuantityDigits& d : Digits)
        if (d.kind == q) return d.decimals[u];
    return 2;
}

}  // namespace

std::string QuantityMask(Quantity q, int unitSystem, double value) {
    const auto zeros = [](int decimals) {
        return decimals > 0 ? "0." + std::string(static_cast<size_t>(decimals), '0') : std::string("0");
    };
    int decimals = FixedDecimals(q, unitSystem);
    if ((unitSystem == SI || unitSystem == British) && std::isfinite(value) && value != 0) {
        // the decimals that leave three significant digits of this value,
        // less those that would show only trailing zeros (50 mm, not 50.0)
        const int needed = std::min(
            MostDecimals, SignificantDigits - 1 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
        // a value that rounds to nothing even so is residue: the fixed decimals
        const double full = Val(Format(value, zeros(needed)));
        if (needed > decimals && full != 0)
            while (decimals < needed && Val(Format(value, zeros(decimals))) != full) ++decimals;
    }
    return zeros(decimals);
}

std::string SignedQuantityMask(Quantity q, int unitSystem, double value, const std::string& zeroText,
                               bool negativeAsZero, const std::string& suffix) {
    const std::string number = QuantityMask(q, unitSystem, value) + suffix;
    return number + ";" + (negativeAsZero ? zeroText : "-" + number) + ";" + zeroText;
}

std::string FormatQuantity(double value, Quantity q, int unitSystem) {
    return Format(value, QuantityMask(q, unitSystem, value));
}

std::string QuantityEntryText(float value, Quantity q, int unitSystem) {
    if (!std::isfinite(value)) return GeneralNumber(value);
    if (unitSystem == SI || unitSystem == British)
        return GeneralNumber(static_cast<float>(Val(FormatQuantity(value, q, unitSystem))));
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", static_cast<double>(value));
    return GeneralNumber(static_cast<float>(std::strtod(text, nullptr)));
}

}  // namespace brindlemar

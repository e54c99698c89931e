#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/DisplayPrecision.h"
#include "model/Enums.h"
#include "runtime/Format.h"

namespace brindlemar {
namespace {

// A printed value to the digits its unit needs; an input box (entry) the
// same in SI and British, but Metric as typed, less the noise of a round
// trip through the other systems.
TEST(DisplayPrecision, EachQuantityWithTheDigitsItsUnitNeeds) {
    struct Case {
        const char* what;
        double value;
        Quantity q;
        int units;
        const char* want;
        bool entry = false;
    } cases[] = {
        // Metric: the masks its pages always printed
        {"Metric unit weight", 1.7, Quantity::UnitWeight, Metric, "1.70"},
        {"Metric f'c", 300, Quantity::Strength, Metric, "300"},
        {"Metric cover", 5, Quantity::Section, Metric, "5.0"},
        {"Metric steel area per metre", 34.31, Quantity::SteelArea, Metric, "34.3"},
        {"Metric force", 86.875, Quantity::ForcePerLength, Metric, "86.88"},
        {"Metric small cohesion keeps its mask", 0.004, Quantity::Stress, Metric, "0.00"},
        // SI: what the analysis used, to three significant digits
        {"SI cohesion of 4 kPa", 0.004, Quantity::Stress, SI, "0.004"},
        {"SI backfill cohesion", 0.0049, Quantity::Stress, SI, "0.0049"},
        {"SI cohesion of 0.1 kg/cm2", 0.00981, Quantity::Stress, SI, "0.00981"},
        {"SI f'c", 29.43, Quantity::Strength, SI, "29.43"},
        {"SI fy", 294.3, Quantity::Strength, SI, "294.30"},
        {"SI concrete modulus", 0.137, Quantity::Modulus, SI, "0.137"},
        {"SI cover", 50, Quantity::Section, SI, "50"},
        {"SI steel area", 3431, Quantity::SteelArea, SI, "3431"},
        {"SI force", 852.26, Quantity::ForcePerLength, SI, "852.26"},
        // British: unit weights near 0.1 Kip/ft3, areas near 1 in2/ft
        {"British backfill", 0.106, Quantity::UnitWeight, British, "0.106"},
        {"British water", 0.0624, Quantity::UnitWeight, British, "0.0624"},
        {"British light fill", 0.031, Quantity::UnitWeight, British, "0.031"},
        {"British concrete", 0.15, Quantity::UnitWeight, British, "0.150"},
        {"British steel area", 0.232, Quantity::SteelArea, British, "0.232"},
        {"British larger steel area", 1.6, Quantity::SteelArea, British, "1.60"},
        {"British surcharge", 0.4092645, Quantity::Pressure, British, "0.409"},
        {"British cover of 5 cm", 1.9685, Quantity::Section, British, "1.97"},
        {"British f'c", 4263.2, Quantity::Strength, British, "4263"},
        {"British force", 11.57, Quantity::ForcePerLength, British, "11.57"},
        {"British negative moment", -0.0123, Quantity::MomentPerLength, British, "-0.0123"},
        {"British zero", 0, Quantity::Length, British, "0.00"},
        {"British residue below six decimals", 3e-9, Quantity::Length, British, "0.00"},
        // input boxes
        {"entry: 14 mm bar in inches", 0.5511811, Quantity::Bar, British, "0.551", true},
        {"entry: 16 cm spacing in inches", 6.299213, Quantity::Section, British, "6.3", true},
        {"entry: line load in Kip/ft", 10.8484, Quantity::ForcePerLength, British, "10.85", true},
        {"entry: modulus back in Metric", 0.9999999, Quantity::Modulus, Metric, "1", true},
        {"entry: Metric unit weight as typed", 1.755, Quantity::UnitWeight, Metric, "1.755", true},
        {"entry: Metric bar", 16, Quantity::Bar, Metric, "16", true},
    };
    for (const Case& c : cases) {
        const std::string shown = c.entry ? QuantityEntryText(static_cast<float>(c.value), c.q, c.units)
                                          : FormatQuantity(c.value, c.q, c.units);
        EXPECT_EQ(shown, c.want) << c.what;
    }
}

// Over values of every size a wall has, in SI and British: the printed text
// reads back as the value to three significant digits and never as 0.
TEST(DisplayPrecision, PrintedValuesReadBackToThreeSignificantDigits) {
    std::mt19937 random(28);
    std::uniform_real_distribution<double> exponent(-3, 5);
    const Quantity kinds[] = {Quantity::Length,   Quantity::ForcePerLength, Quantity::MomentPerLength,
                              Quantity::Pressure, Quantity::UnitWeight,     Quantity::Stress,
                              Quantity::Strength, Quantity::Modulus,        Quantity::Section,
                              Quantity::Bar,      Quantity::SteelArea};
    for (int i = 0; i < 5000; ++i) {
        const double value = (i % 2 ? -1 : 1) * static_cast<double>(static_cast<float>(std::pow(10, exponent(random))));
        for (const int units : {SI, British}) {
            for (const Quantity q : kinds) {
                const std::string text = FormatQuantity(value, q, units);
                const double shown = Val(text);
                const double digit = std::pow(10, std::floor(std::log10(std::fabs(value))) - 2);
                EXPECT_LE(std::fabs(shown - value), 0.5 * digit * (1 + 1e-9)) << value << " " << text;
                EXPECT_NE(shown, 0) << value;
            }
        }
    }
}

}  // namespace
}  // namespace brindlemar

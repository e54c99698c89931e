#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>

#include "runtime/Format.h"
#include "runtime/RuntimeError.h"
#include "support/ErrorOf.h"

namespace brindlemar {
namespace {

using test::ErrorOf;

struct MaskCase {
    const char* what;
    double value;
    const char* mask;
    const char* want;
};

// Every mask the screens and pages use, with the numbers they are shown for.
TEST(Format, MasksAsTheProgramShowsThem) {
    const MaskCase cases[] = {
        {"dimension label, 2.3456 entered", 2.3456, "#0.#0", "2.35"},
        {"dimension label, 0.125 entered", 0.125, "#0.#0", "0.13"},
        {"dimension label, whole number keeps two decimals", 2, "#0.#0", "2.00"},
        {"dimension label, one decimal entered", 2.5, "#0.#0", "2.50"},
        {"toe length 2 m after switching to feet", 2.0 / 0.3048, "#0.#0", "6.56"},
        {"stem thickness 0.83 m after switching to feet", 0.83 / 0.3048, "#0.#0", "2.72"},
        {"calculator soil slope of a 2:1 backfill", std::atan(0.5) * 45 / std::atan(1.0), "#0.#0", "26.57"},
        {"status ratio of exactly 99.99", 99.99, "#0.#0", "99.99"},
        {"status ratio of 1, not red", 1.0, "#0.#0", "1.00"},
        {"status ratio of 0.99, red", 0.99, "#0.#0", "0.99"},
        {"bearing ratio of a load without sliding, any size", 1e10, "#0.#0", "10000000000.00"},
        {"status eccentricity", 0.4123, "#0.00", "0.41"},
        {"status eccentricity as part of half the base", 0.1149, "0.0#", "0.11"},
        {"status contact width of the whole base", 100, "0.0#", "100.0"},
        {"status contact width, two decimals when needed", 87.456, "0.0#", "87.46"},
        {"stability table contact width ratio", 0.755, "#0.0%", "75.5%"},
        {"stability table whole contact width", 1, "#0.0%", "100.0%"},
        {"eccentricity criterion ratio", 2.0 / 3.0, "0.#0", "0.67"},
        {"factor table, factor 1", 1, "0.00;0.00;--", "1.00"},
        {"factor table, negative factor shows its magnitude", -0.9, "0.00;0.00;--", "0.90"},
        {"factor table, zero factor", 0, "0.00;0.00;--", "--"},
        {"design moment, positive", 12.345, "0.#0 ;-0.#0 ;-- ", "12.35 "},
        {"design moment, negative", -3.2, "0.#0 ;-0.#0 ;-- ", "-3.20 "},
        {"design moment, zero", 0, "0.#0 ;-0.#0 ;-- ", "-- "},
        {"design distance", 1.5, "0.#0 ", "1.50 "},
        {"design distance of an unloaded position", 1.5, "-- ", "-- "},
        {"flexure sheet moment, zero", 0, "0.#0;-0.#0;--", "--"},
        {"flexure sheet moment, negative", -41.068, "0.#0;-0.#0;--", "-41.07"},
        {"flexure sheet width, Metric strip", 100, "0", "100"},
        {"flexure sheet width, British strip", 12, "0", "12"},
        {"flexure sheet height under Metric", 60.04, "0.0", "60.0"},
        {"flexure sheet area under SI", 1256.64, "0;-0;--", "1257"},
        {"flexure sheet area, no bars", 0, "0.0;-0.0;--", "--"},
        {"flexure sheet area ratio", 0.2514, "0.##0;-0.##0;--", "0.251"},
        {"flexure sheet balanced area ratio", 2.5, "0.##0", "2.500"},
        {"flexure sheet tensile strain", 0.00375, "0.###0", "0.0038"},
        {"flexure sheet tensile strain, more digits", 0.0123456, "0.###0", "0.0123"},
        {"maximum spacing under SI", 305.2, "0;--;--", "305"},
        {"maximum spacing of zero", 0, "0;--;--", "--"},
        {"maximum spacing below zero", -5, "0.0;--;--", "--"},
        {"maximum spacing under Metric", 30.55, "0.0;--;--", "30.6"},
        {"shear sheet distance", 3, "0.#0    ", "3.00    "},
        {"shear sheet shear, zero", 0, "0.#0    ;-0.#0    ;--    ", "--    "},
        {"shear sheet shear, negative", -7.125, "0.#0    ;-0.#0    ;--    ", "-7.13    "},
        {"shear sheet height under SI", 600, "0    ", "600    "},
        {"shear report column", 15.5, "0.#0        ;-0.#0        ;--        ", "15.50        "},
        {"shear column without shear", 15.5, "--    ", "--    "},
        {"report compressive stress", 4263.4, "#0", "4263"},
        {"report CPT tip resistance", 120.25, "#0.0", "120.3"},
        {"diagram value label", -12.3449, "0.00", "-12.34"},
        {"rounding mask, no decimals", 29.43, "#0.", "29."},
        {"rounding mask, one decimal", 1.9685, "#0.0", "2.0"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.mask), c.want) << c.what;
}

TEST(Format, RoundsTheDecimalNumberHalfAwayFromZero) {
    const MaskCase cases[] = {
        {"exact binary half", 0.125, "0.00", "0.13"},
        {"2.345 is stored just below the half", 2.345, "0.00", "2.35"},
        {"1.005 is stored just below the half", 1.005, "0.00", "1.01"},
        {"2.675 is stored just below the half", 2.675, "0.00", "2.68"},
        {"stored single 1.005", static_cast<double>(1.005f), "0.00", "1.01"},
        {"stored single 0.045", static_cast<double>(0.045f), "#0.#0", "0.05"},
        {"negative half goes away from zero", -0.005, "0.00", "-0.01"},
        {"whole half rounds up, not to even", 2.5, "#0", "3"},
        {"negative whole half", -2.5, "0", "-3"},
        {"half below one", 0.5, "0", "1"},
        {"just below the half", 0.12499, "0.00", "0.12"},
        {"carry into a new integer digit", 9.995, "#0.#0", "10.00"},
        {"carry through every digit", 99.96, "#0.0", "100.0"},
        {"sum with binary noise", 0.1 + 0.2, "0.00", "0.30"},
        {"a tiny number", 1e-20, "#0.#0", "0.00"},
        {"digits beyond the integer places", 1234567.891, "#0.#0", "1234567.89"},
        {"leading zeros of the mask", 5, "000.00", "005.00"},
        {"mask without integer places", 2.5, ".00", "2.50"},
        {"mask with only optional integer places", 0.5, "#.00", ".50"},
    };
    for (const auto& c : cases) EXPECT_EQ(Format(c.value, c.mask), c.want) << c.what;
}

TEST(Format, SignsAndSections) {
    // a single section signs the number, except when nothing is left after rounding
    EXPECT_EQ(Format(-2.3456, "#0.#0"), "-2.35");
    EXPECT_EQ(Format(-0.004, "0.00"), "0.00");
    EXPECT_EQ(Format(-0.4, "#0"), "0");
    EXPECT_EQ(Format(-0.0, "#0.#0"), "0.00");
    EXPECT_EQ(Format(-0.25, "#0.0%"), "-25.0%");
    // nor in the negative section: what rounds to zero is no negative number
    EXPECT_EQ(Format(-0.004, "0.#0 ;-0.#0 ;-- "), "0.00 ");
    // the zero section is for a zero value, not for one that rounds to zero
    EXPECT_EQ(Format(0.001, "0.00;0.00;--"), "0.00");
    // two sections: zero takes the positive one
    EXPECT_EQ(Format(0, "0.0;(0.0)"), "0.0");
    EXPECT_EQ(Format(-1.25, "0.0;(0.0)"), "(1.3)");
    // an empty section falls back on the positive one
    EXPECT_EQ(Format(-1.25, "0.0;;--"), "-1.3");
    EXPECT_EQ(Format(0, "0.0;-0.0;"), "0.0");
    // without a mask: the general number form
    EXPECT_EQ(Format(1.35, ""), "1.35");
    EXPECT_EQ(Format(1e-7, ""), "1E-07");
    // nothing that is not a number reaches a screen
    EXPECT_EQ(ErrorOf([] { Format(std::numeric_limits<double>::quiet_NaN(), "0.00"); }), ErrOverflow);
    EXPECT_EQ(ErrorOf([] { Format(HUGE_VAL, "0.00"); }), ErrOverflow);
}

TEST(GeneralNumber, ShortestClassicText) {
    const struct {
        float value;
        const char* want;
    } cases[] = {
        {0.15f, "0.15"},     {-2.0f, "-2"},        {7.2f, "7.2"},          {1e10f, "1E+10"},
        {1.5e-5f, "1.5E-05"}, {0.0001f, "0.0001"}, {1.35f, "1.35"},        {1.0f, "1"},
        {0.0f, "0"},         {-0.0f, "0"},         {0.33f, "0.33"},        {1234567.0f, "1234567"},
        {1e7f, "1E+07"},     {12345678.0f, "1.234568E+07"}, {1.0f / 3.0f, "0.3333333"},
        {-0.5f, "-0.5"},     {FLT_MAX, "3.402823E+38"},     {123.456f, "123.456"},
    };
    for (const auto& c : cases) EXPECT_EQ(GeneralNumber(c.value), c.want) << c.want;
    EXPECT_EQ(ErrorOf([] { GeneralNumber(std::numeric_limits<float>::infinity()); }), ErrOverflow);
}

TEST(GeneralNumber, ReadsBackAsTheSameFloat) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-12, 30), digits(0, 6);
    for (int i = 0; i < 20000; ++i) {
        // a number as an engineer types it: up to seven significant digits
        char typed[40];
        std::snprintf(typed, sizeof typed, "%.*e", digits(random), mantissa(random) * std::pow(10.0, exponent(random)));
        const float value = (i % 2 ? 1 : -1) * std::strtof(typed, nullptr);
        const std::string text = GeneralNumber(value);
        const float back = std::strtof(text.c_str(), nullptr);
        ASSERT_EQ(std::memcmp(&back, &value, sizeof value), 0) << typed << " -> " << text;
    }
    // any other float comes back within the seven digits it is shown with
    std::uniform_int_distribution<std::uint32_t> bits(0, 0x7f7fffff);
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t b = bits(random);
        float value;
        std::memcpy(&value, &b, sizeof value);
        const std::string text = GeneralNumber(value);
        ASSERT_NEAR(std::strtof(text.c_str(), nullptr), value, std::fabs(value) * 6e-7) << text;
    }
}

TEST(Val, ReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double want;
    } cases[] = {
        {"12abc", 12},   {"  -2.5", -2.5}, {"1 2 3", 123},  {"12\t3", 123},   {"1e3", 1000},
        {"1D2", 100},    {"2.5E-1", 0.25}, {"1e", 1},       {"1e+", 1},       {".5", 0.5},
        {"-.5", -0.5},   {"5.", 5},        {"+7", 7},       {"1.2.3", 1.2},   {"2,5", 2},
        {"abc", 0},      {"", 0},          {"-", 0},        {".", 0},         {"--5", 0},
        {"1e-400", 0},   {" 0.125 ", 0.125}, {"6.5617", 6.5617},
    };
    for (const auto& c : cases) EXPECT_EQ(Val(c.text), c.want) << '"' << c.text << '"';
    EXPECT_EQ(ErrorOf([] { Val("1e400"); }), ErrOverflow);
    EXPECT_EQ(ErrorOf([] { Val("-9e99999999999999999999"); }), ErrOverflow);
}

TEST(IsNumeric, TheWholeTextIsOneNumber) {
    const struct {
        const char* text;
        bool want;
    } cases[] = {
        {"1e3", true},   {" -2.5 ", true}, {".5", true},    {"5.", true},    {"+3", true},
        {"1e+3", true},  {"1D2", true},    {"0", true},     {"1e-400", true}, {"", false},
        {"   ", false},  {"2,5", false},   {"12abc", false}, {".", false},   {"-", false},
        {"1e", false},   {"1 2", false},   {"- 3", false},  {"1.2.3", false}, {"1e400", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumeric(c.text), c.want) << '"' << c.text << '"';
}

TEST(CInt, RoundsHalfToEvenWithinSixteenBits) {
    const struct {
        double value;
        int want;
    } cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.51, 3}, {32767.4, 32767}, {-32768.5, -32768},
    };
    for (const auto& c : cases) EXPECT_EQ(CInt(c.value), c.want) << c.value;
    EXPECT_EQ(ErrorOf([] { CInt(32767.5); }), ErrOverflow);
    EXPECT_EQ(ErrorOf([] { CInt(-32768.6); }), ErrOverflow);
    EXPECT_EQ(ErrorOf([] { CInt(std::numeric_limits<double>::quiet_NaN()); }), ErrOverflow);
}

TEST(RoundToDecimals, RoundsAsTheScreenShows) {
    EXPECT_EQ(RoundToDecimals(2.3456, 2), 2.35);
    EXPECT_EQ(RoundToDecimals(6.5617, 2), 6.56);
    EXPECT_EQ(RoundToDecimals(29.43, 0), 29);
    EXPECT_EQ(RoundToDecimals(2.4 / 0.454 * 0.3048 * 0.3048 * 0.3048, 2), 0.15);
    EXPECT_EQ(RoundToDecimals(-2.345, 2), -2.35);
    EXPECT_EQ(RoundToDecimals(5.0 / 2.54, 1), 2.0);
    EXPECT_EQ(RoundToDecimals(2.3 + 0.1, 1), 2.4);
    EXPECT_EQ(ErrorOf([] { RoundToDecimals(1.0, -1); }), ErrInvalidCall);
}

TEST(RatioShown, RoundsDownSoThatBelowOneNeverReadsOne) {
    const struct {
        double ratio;
        const char* want;
    } cases[] = {{0.996, "0.99"}, {0.9999999, "0.99"}, {1.0, "1.00"}, {1.009, "1.00"}, {2.567, "2.56"},
                 {0.29f, "0.29"}, {1.15f, "1.15"},     {0.0, "0.00"}, {99.99f, "99.99"}};
    for (const auto& c : cases) EXPECT_EQ(Format(RatioShown(c.ratio), "#0.#0"), c.want) << c.ratio;

    // over many ratios, and the floats nearest them: never more than computed, less by under a hundredth
    std::mt19937 random(27);
    std::uniform_real_distribution<double> any(0.0, 20.0);
    for (int n = 0; n < 100000; ++n) {
        const double ratio = n % 2 == 0 ? any(random) : static_cast<float>(std::round(any(random) * 100) / 100);
        const double shown = RatioShown(ratio);
        const std::string text = Format(shown, "#0.#0");
        ASSERT_LE(Val(text), ratio * (1 + 1e-6)) << ratio;
        ASSERT_GT(Val(text), ratio - 0.01 - 1e-9) << ratio;
        if (ratio < 1) {
            ASSERT_NE(text, "1.00") << ratio;
        }
    }
}

}  // namespace
}  // namespace brindlemar

#pragma once
// Number formatting and parsing, one place for every mask the program shows.
// The decimal separator is always ".".

#include <cstdint>
#include <string>

namespace brindlemar {

// Formats `value` with a number mask: "#0.#0", "0.#0", "#0.##0", "#0.0%",
// "0.00", "#0." and three-section masks "positive;negative;zero" whose
// sections may carry literal texts ("0.#0 ;-0.#0 ;-- ").
// '0' is a digit always shown, '#' a digit shown only when significant,
// '.' the decimal point, '%' multiplies by 100 and shows the sign.
// The number is rounded half away from zero to as many decimals as the mask
// has places after the point. A negative value that rounds to zero shows
// without a sign, in the positive section; the zero section is for a value
// of exactly 0; the negative section shows the magnitude, its own text
// supplying any sign.
// A value that is not finite raises error 6.
std::string Format(double value, const std::string& mask);

// Shortest text that reads back as the same float, at most 7 significant
// digits, in the style "0.15", "-2", "1E+10", "1.5E-05".
std::string GeneralNumber(float value);

// Reads the leading number of a text as the program's users expect:
// leading blanks skipped, optional sign, digits, one ".", optional exponent;
// anything else ends the number. No number gives 0.
double Val(const std::string& text);

// True when the whole text (blanks around it allowed) is one number.
bool IsNumeric(const std::string& text);

// Rounds half to even into a 16-bit integer (error 6 when out of range).
int16_t CInt(double value);

// The value formatted with "#0." and `decimals` zeros, read back.
double RoundToDecimals(double value, int16_t decimals);

// A resistance/load ratio as it is shown with two decimals: rounded down, as
// a capacity ratio is reported, so that the ratio shown is never more than
// the one computed and one below 1 never reads 1.00. A float's last bits are
// no shortfall: 0.29f shows 0.29. Not finite stays as it is.
double RatioShown(double ratio);

}  // namespace brindlemar

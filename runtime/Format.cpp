#include "runtime/Format.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <optional>
#include <system_error>
#include <vector>

#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// A finite number as decimal digits: |value| = 0.d1d2...dn x 10^PointPosition,
// i.e. PointPosition digits stand before the decimal point. No digits means 0.
struct DecimalDigits {
    bool Negative = false;
    std::string Digits;  // no leading or trailing zeros
    int PointPosition = 0;
};

// Reads the "d.ddde+xx" text of std::to_chars' scientific form.
DecimalDigits FromScientific(const char* first, const char* last) {
    DecimalDigits d;
    const char* p = first;
    if (p != last && *p == '-') {
        d.Negative = true;
        ++p;
    }
    for (; p != last && *p != 'e'; ++p)
        if (*p != '.') d.Digits += *p;
    int exponent = 0;
    if (p != last) {
        ++p;
        if (p != last && *p == '+') ++p;
        std::from_chars(p, last, exponent);
    }
    while (!d.Digits.empty() && d.Digits.back() == '0') d.Digits.pop_back();
    if (d.Digits.empty()) return DecimalDigits{};
    d.PointPosition = exponent + 1;
    return d;
}

// The decimal digits a displayed number is rounded from. A value that is
// exactly a 32-bit float is a stored quantity: its shortest text is the number
// the user entered or the analysis stored (1.005 rather than 1.00499999523),
// so rounding it at a half goes the way the engineer reads it. Any other double
// is taken at 15 significant digits, which drops the binary noise of 2.345.
DecimalDigits DecimalOf(double value) {
    if (!std::isfinite(value)) RaiseError(ErrOverflow);
    if (value == 0) return DecimalDigits{};
    char buffer[64];
    std::to_chars_result r;
    if (std::fabs(value) <= FLT_MAX && static_cast<double>(static_cast<float>(value)) == value)
        r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<float>(value),
                          std::chars_format::scientific);
    else
        r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
    return FromScientific(buffer, r.ptr);
}

// Adds one unit in the last place of a digit string.
void Increment(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

// |value| rounded to `decimals` places, halves away from zero, split into the
// integer digits (empty when the integer part is 0) and exactly `decimals`
// fraction digits.
struct RoundedDigits {
    std::string Integer;
    std::string Fraction;
    bool IsZero() const {
        return Integer.empty() && Fraction.find_first_not_of('0') == std::string::npos;
    }
};

RoundedDigits Round(const DecimalDigits& d, int decimals) {
    // the digits of round(|value| x 10^decimals)
    const long keep = static_cast<long>(d.PointPosition) + decimals;
    const auto n = static_cast<long>(d.Digits.size());
    std::string scaled;
    if (n == 0 || keep < 0) {
        scaled = "";
    } else if (keep == 0) {
        scaled = d.Digits[0] >= '5' ? "1" : "";
    } else if (keep >= n) {
        scaled = d.Digits + std::string(static_cast<std::size_t>(keep - n), '0');
    } else {
        scaled = d.Digits.substr(0, static_cast<std::size_t>(keep));
        if (d.Digits[static_cast<std::size_t>(keep)] >= '5') Increment(scaled);
    }
    const auto places = static_cast<std::size_t>(decimals);
    if (scaled.size() < places) scaled.insert(0, places - scaled.size(), '0');
    RoundedDigits out;
    out.Integer = scaled.substr(0, scaled.size() - places);
    out.Fraction = scaled.substr(scaled.size() - places);
    const auto firstSignificant = out.Integer.find_first_not_of('0');
    out.Integer.erase(0, firstSignificant == std::string::npos ? out.Integer.size() : firstSignificant);
    return out;
}

bool IsDigitPlaceholder(char c) { return c == '0' || c == '#'; }

// Formats |digits| with one section of a mask. The first "." is the decimal
// point; '0' and '#' before it are integer places, after it decimal places.
// Integer places: '0' always shows a digit, '#' only a significant one, and
// digits beyond the places the mask has all come out at the first place.
// Decimal places: the number is rounded to as many decimals as the mask has
// places, '0' or '#'; every place up to the last '0' shows its digit, so
// "0.#0" always shows two decimals, while a trailing '#' drops a trailing 0
// ("0.0#" shows 100 as "100.0"). '%' multiplies by 100; every other
// character is copied as it stands. `withSign` puts a "-" in front of a
// negative number that does not round to zero.
std::string FormatSection(DecimalDigits d, const std::string& section, bool withSign) {
    std::size_t placeholders = 0;
    for (char c : section)
        if (IsDigitPlaceholder(c)) ++placeholders;
    // a section without digit places ("--") is a text that stands for the number
    if (placeholders == 0) return section;

    if (section.find('%') != std::string::npos && !d.Digits.empty()) d.PointPosition += 2;

    const auto point = section.find('.');
    const std::size_t integerEnd = point == std::string::npos ? section.size() : point;
    std::size_t integerPlaces = 0, decimalPlaces = 0, shownDecimals = 0;
    for (std::size_t i = 0; i < section.size(); ++i) {
        if (!IsDigitPlaceholder(section[i])) continue;
        if (i < integerEnd) {
            ++integerPlaces;
        } else {
            ++decimalPlaces;
            if (section[i] == '0') shownDecimals = decimalPlaces;
        }
    }
    const RoundedDigits r = Round(d, static_cast<int>(decimalPlaces));
    const auto lastSignificant = r.Fraction.find_last_not_of('0');
    if (lastSignificant != std::string::npos) shownDecimals = std::max(shownDecimals, lastSignificant + 1);

    std::string out;
    if (withSign && d.Negative && !r.IsZero()) out += '-';
    std::size_t integerPlace = 0, decimalPlace = 0;
    for (std::size_t i = 0; i < section.size(); ++i) {
        const char c = section[i];
        if (i == point) {
            // a mask without integer places still shows the integer part
            if (integerPlaces == 0) out += r.Integer;
            out += '.';
        } else if (!IsDigitPlaceholder(c)) {
            out += c;
        } else if (i < integerEnd) {
            // place k from the left stands for the digit (integerPlaces - 1 - k) from the right
            const std::size_t fromRight = integerPlaces - 1 - integerPlace;
            const std::size_t count = r.Integer.size();
            if (integerPlace == 0 && count > integerPlaces) out += r.Integer.substr(0, count - integerPlaces);
            if (fromRight < count)
                out += r.Integer[count - 1 - fromRight];
            else if (c == '0')
                out += '0';
            ++integerPlace;
        } else {
            if (decimalPlace < shownDecimals) out += r.Fraction[decimalPlace];
            ++decimalPlace;
        }
    }
    return out;
}

// The general number form: plain digits while the decimal exponent lies
// between -5 and `precision`, else "d.dddE+xx".
std::string GeneralText(const DecimalDigits& d, int precision) {
    if (d.Digits.empty()) return "0";
    std::string out = d.Negative ? "-" : "";
    const int n = static_cast<int>(d.Digits.size());
    const int exponent = d.PointPosition - 1;
    if (exponent < -4 || exponent >= precision) {
        out += d.Digits[0];
        if (n > 1) out += "." + d.Digits.substr(1);
        const int magnitude = std::abs(exponent);
        out += exponent < 0 ? "E-" : "E+";
        if (magnitude < 10) out += '0';
        out += std::to_string(magnitude);
    } else if (d.PointPosition <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-d.PointPosition), '0') + d.Digits;
    } else if (d.PointPosition >= n) {
        out += d.Digits + std::string(static_cast<std::size_t>(d.PointPosition - n), '0');
    } else {
        out += d.Digits.substr(0, static_cast<std::size_t>(d.PointPosition)) + "." +
               d.Digits.substr(static_cast<std::size_t>(d.PointPosition));
    }
    return out;
}

std::vector<std::string> SplitSections(const std::string& mask) {
    std::vector<std::string> sections(1);
    for (char c : mask) {
        if (c == ';')
            sections.emplace_back();
        else
            sections.back() += c;
    }
    return sections;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A number read from a text, in the plain form std::from_chars takes.
struct ScannedNumber {
    std::string Mantissa;  // "-" optional, digits, "." and digits
    long Exponent = 0;
    std::size_t End = 0;   // index just past the number in the text
};

// Reads sign, digits, one "." and an exponent (E or D, optional sign,
// digits) from the start of the text. With `skipBlanks`, blanks between the parts are
// passed over as the program always has; a text that stops inside an
// exponent ("1E") keeps the number before the letter.
std::optional<ScannedNumber> ScanNumber(const std::string& text, bool skipBlanks) {
    std::size_t i = 0;
    const auto skip = [&] {
        while (skipBlanks && i < text.size() && IsBlank(text[i])) ++i;
    };
    ScannedNumber s;
    skip();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') s.Mantissa += '-';
        ++i;
        skip();
    }
    std::string integer, fraction;
    bool seenPoint = false;
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(c)) {
            (seenPoint ? fraction : integer) += c;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
        ++i;
        skip();
    }
    if (integer.empty() && fraction.empty()) return std::nullopt;
    s.Mantissa += (integer.empty() ? "0" : integer) + (fraction.empty() ? "" : "." + fraction);
    s.End = i;

    if (i < text.size() && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::size_t j = i + 1;
        const auto skipInExponent = [&] {
            while (skipBlanks && j < text.size() && IsBlank(text[j])) ++j;
        };
        skipInExponent();
        bool negative = false;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            negative = text[j] == '-';
            ++j;
            skipInExponent();
        }
        long exponent = 0;
        bool anyDigit = false;
        while (j < text.size() && IsDigit(text[j])) {
            // saturate: any exponent this large overflows or underflows anyway
            exponent = std::min(exponent * 10 + (text[j] - '0'), 100000L);
            anyDigit = true;
            ++j;
            skipInExponent();
        }
        if (anyDigit) {
            s.Exponent = negative ? -exponent : exponent;
            s.End = j;
        }
    }
    return s;
}

// The value of a scanned number; nullopt when it lies beyond the double range.
// Numbers too small for a double read as 0.
std::optional<double> ValueOf(const ScannedNumber& s) {
    const std::string text = s.Mantissa + "e" + std::to_string(s.Exponent);
    double value = 0;
    const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
    if (r.ec == std::errc{} && std::isfinite(value)) return value;
    // out of range: too large or too small? Find the order of magnitude of the
    // first significant digit.
    const std::string& m = s.Mantissa;
    const auto point = m.find('.');
    const long integerDigits = static_cast<long>(point == std::string::npos ? m.size() : point) -
                               (m[0] == '-' ? 1 : 0);
    long order = 0;
    long position = 0;  // digits counted from the first one
    for (char c : m) {
        if (!IsDigit(c)) continue;
        if (c != '0') {
            order = integerDigits - 1 - position + s.Exponent;
            break;
        }
        ++position;
    }
    if (order > 0) return std::nullopt;
    return 0.0;
}

// Whether `value` rounds to zero in a mask's `section`, at its places after the point.
bool ShowsAsZero(double value, const std::string& section) {
    int places = 0;
    bool afterPoint = false;
    double scale = 1;
    for (char c : section) {
        if (c == '.') afterPoint = true;
        else if ((c == '0' || c == '#') && afterPoint) ++places;
        else if (c == '%') scale = 100;
    }
    return std::round(std::fabs(value) * scale * std::pow(10.0, places)) == 0;
}

}  // namespace

std::string Format(double value, const std::string& mask) {
    const DecimalDigits d = DecimalOf(value);
    const std::vector<std::string> sections = SplitSections(mask);
    // an empty section falls back on the positive one
    if (value == 0 && sections.size() >= 3 && !sections[2].empty())
        return FormatSection(d, sections[2], false);
    // a negative value that rounds to zero is no negative number to show
    if (value < 0 && sections.size() >= 2 && !sections[1].empty() && !ShowsAsZero(value, sections[1]))
        return FormatSection(d, sections[1], false);
    if (sections[0].empty()) return GeneralText(d, 15);
    return FormatSection(d, sections[0], true);
}

std::string GeneralNumber(float value) {
    if (!std::isfinite(value)) RaiseError(ErrOverflow);
    if (value == 0) return "0";
    char buffer[32];
    auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    DecimalDigits d = FromScientific(buffer, r.ptr);
    // a float carries about 7 digits; more would show noise, not the number
    if (d.Digits.size() > 7) {
        r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
        d = FromScientific(buffer, r.ptr);
    }
    return GeneralText(d, 7);
}

double Val(const std::string& text) {
    const auto scanned = ScanNumber(text, true);
    if (!scanned) return 0;
    const auto value = ValueOf(*scanned);
    if (!value) RaiseError(ErrOverflow);
    return *value;
}

bool IsNumeric(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    const std::string number = text.substr(first, last - first);
    const auto scanned = ScanNumber(number, false);
    return scanned && scanned->End == number.size() && ValueOf(*scanned).has_value();
}

int16_t CInt(double value) { return ToInteger(value); }

double RatioShown(double ratio) {
    if (!std::isfinite(ratio)) return ratio;
    const double hundredths = ratio * 100;
    // a few parts in ten million: the float nearest a ratio of two decimals may lie just below it
    const double shown = std::floor(hundredths + std::fabs(hundredths) * 4e-7) / 100;
    return ratio < 1 && shown >= 1 ? 0.99 : shown;
}

double RoundToDecimals(double value, int16_t decimals) {
    if (decimals < 0) RaiseError(ErrInvalidCall);
    return Val(Format(value, "#0." + std::string(static_cast<std::size_t>(decimals), '0')));
}

}  // namespace brindlemar

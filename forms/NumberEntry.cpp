#include "forms/NumberEntry.h"

#include <cmath>
#include <limits>

#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

constexpr double LargestSingle = std::numeric_limits<float>::max();

// The text of Val(text) rounded to one decimal, plus `step`; the text itself
// when the number is beyond what a stored value can hold.
std::string Stepped(const std::string& text, double step) {
    try {
        const double value = Val(text);
        if (!(std::fabs(value) < LargestSingle)) return text;
        const double stepped = RoundToDecimals(value, 1) + step;
        if (!(std::fabs(stepped) < LargestSingle)) return text;
        return GeneralNumber(static_cast<float>(stepped));
    } catch (const RuntimeError&) {
        return text;
    }
}

}  // namespace

bool IsAcceptableEntry(const std::string& text) {
    return IsNumeric(text) && std::fabs(Val(text)) <= LargestSingle;
}

std::string StepEntryUp(const std::string& text) { return Stepped(text, 0.1); }

std::string StepEntryDown(const std::string& text) {
    const std::string down = Stepped(text, -0.1);
    if (down != text && Val(down) < 0) return "0";
    return down;
}

}  // namespace brindlemar

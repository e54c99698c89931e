#include "forms/DialogEntries.h"

#include "forms/NumberEntry.h"
#include "model/Enums.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

std::string EntryText(float value) { return GeneralNumber(value); }

std::string BearingMethodRefusal(int bearingMethod, const std::string& unitWeightText) {
    if (!IsNumeric(unitWeightText)) return "";
    return BearingWeightRefusal(bearingMethod, EntryValue(unitWeightText));
}

std::string EntryText(float value, std::optional<Quantity> q, int unitSystem) {
    return q ? QuantityEntryText(value, *q, unitSystem) : EntryText(value);
}

std::string EntryRefusal(EntryRule rule, const std::string& text, const std::string& name) {
    if (!IsNumeric(text)) {
        if (text.find_first_not_of(' ') == std::string::npos) return "Type a number";
        return "\"" + text + "\" is no number: type digits and a decimal point, such as 2.5";
    }
    if (!IsAcceptableEntry(text)) return ErrorDescription(ErrOverflow) + " in \"" + name + "\"";
    const float value = EntryValue(text);
    return KeepsRule(rule, value) ? "" : "Type " + RuleDemand(rule);
}

float EntryValue(const std::string& text) { return ToSingle(Val(text)); }

float EntryValue(const std::string& text, float stored) {
    return text == EntryText(stored) ? stored : EntryValue(text);
}

float EntryValue(const std::string& text, float stored, std::optional<Quantity> q, int unitSystem) {
    return text == EntryText(stored, q, unitSystem) ? stored : EntryValue(text);
}

}  // namespace brindlemar

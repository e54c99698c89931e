#include "forms/DialogEntries.h"

#include "forms/NumberEntry.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

std::string EntryText(float value) { return GeneralNumber(value); }

bool IsValidEntry(EntryRule rule, const std::string& text) {
    if (!IsAcceptableEntry(text)) return false;
    const float value = EntryValue(text);
    switch (rule) {
    case EntryRule::Positive: return value > 0;
    case EntryRule::NotNegative: return value >= 0;
    case EntryRule::AnyNumber: return true;
    }
    return false;
}

float EntryValue(const std::string& text) { return ToSingle(Val(text)); }

float EntryValue(const std::string& text, float stored) {
    return text == EntryText(stored) ? stored : EntryValue(text);
}

}  // namespace brindlemar

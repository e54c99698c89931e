#pragma once
// The number-entry pop-up's rules, apart from its window: which texts it
// accepts and what its step buttons make of the text shown.

#include <string>

namespace brindlemar {

// True when the whole text (blanks around it allowed) reads as one number
// that a stored value can hold. "2,5" and "12abc" are refused, never read
// as their leading number.
bool IsAcceptableEntry(const std::string& text);

// The text one step of 0.1 up from the number at the start of `text`,
// rounded to one decimal first. A text too large to step stays as it is.
std::string StepEntryUp(const std::string& text);

// The same one step down, stopping at "0".
std::string StepEntryDown(const std::string& text);

}  // namespace brindlemar

#pragma once
// The value boxes of the properties and restraints dialogs, apart from their
// windows: what a box shows for a stored value, which texts a box accepts,
// and the value a text stores.

#include <optional>
#include <string>

#include "model/DisplayPrecision.h"
#include "model/InputRules.h"

namespace brindlemar {

// The text a box shows for a stored value: the general number form.
std::string EntryText(float value);
// The text a box shows for a stored value of quantity `q` in `unitSystem`:
// rounded to what its unit shows (QuantityEntryText); without a quantity
// (angles, ratios, counts), the general number form.
std::string EntryText(float value, std::optional<Quantity> q, int unitSystem);

// Why a box named `name` refuses `text` under `rule`, in one line for the
// user; empty when it takes the text: when the whole text is one number that
// a stored value can hold and that keeps `rule` once rounded to a stored
// Single. "2,5", "12abc" and an empty text are no numbers; a positive value
// too small for a Single would be stored as 0 and is refused where 0 is. A
// number beyond a Single is "Overflow in "name"", as the run-time error
// names it.
std::string EntryRefusal(EntryRule rule, const std::string& text, const std::string& name);

// Why the bearing method chosen (a BearingMethod) refuses the base unit
// weight typed for it (BearingWeightRefusal); empty when it takes it. A text
// that is no number is for the box's own rule to refuse.
std::string BearingMethodRefusal(int bearingMethod, const std::string& unitWeightText);

// The Single a box's text stores: the number at its start, 0 when it starts
// with none. Error 6 for a number beyond what a Single holds.
float EntryValue(const std::string& text);

// The Single a box stores over `stored`: `stored` itself while the text is
// still the one it was shown with. The general number form keeps at most 7
// digits, which some Singles need more than to read back exactly; a box the
// user left alone must neither nudge its value nor mark the project modified.
float EntryValue(const std::string& text, float stored);
// The same for a box that shows a quantity `q` (see EntryText): the value
// shown rounded stays exact while its text is left alone.
float EntryValue(const std::string& text, float stored, std::optional<Quantity> q, int unitSystem);

}  // namespace brindlemar

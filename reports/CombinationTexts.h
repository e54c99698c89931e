#pragma once
// A load combination as a short formula of its load factors, such as
// 1.25DL+1.5EH+1.75LL: each load type with a non-zero factor, the factor in
// as few digits as it needs followed by the set's code for the load, laid
// out for the column of a report table.

#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The formula of combination `comb` (0-based) of set `set` cut to fit
// `maxWidth` twips in the surface's font. It holds whole terms only, never a
// bare factor; when terms are left out it ends in "+" and an ellipsis, so a
// shortened formula does not read as the whole combination.
std::string FormatCombination(const Model& m, Surface& s, int set, int comb, double maxWidth);

// The formula whole at the largest font size from the surface's down to
// `least` that holds all its terms in `maxWidth`, cut as above at `least`
// only. Leaves the surface at the size the formula is for.
std::string FormatCombinationFitted(const Model& m, Surface& s, int set, int comb, double maxWidth, double least);

// The same formula wrapped for a narrow column: `lines` lines of at most four
// terms, continuation lines starting with "+"; a line takes fewer terms when
// the next does not fit and leaves it to the next line, and the last line
// ends in "+" and an ellipsis when terms are left over. Lines past the last
// term are "".
std::vector<std::string> FormatCombinationWrapped(const Model& m, Surface& s, int set, int comb, double maxWidth,
                                             int lines);

}  // namespace brindlemar

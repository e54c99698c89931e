#pragma once
// A load combination as a short formula of its load factors, such as
// 1.25DL+1.5EH+1.75LL: each load type with a non-zero factor, the factor in
// as few digits as it needs followed by the set's code for the load.

#include <string>

#include "model/Model.h"

namespace brindlemar {

// The formula of combination `comb` (0-based) of set `set` on one line.
std::string FormatCombination(const Model& m, int set, int comb);

// Line `line` of the wrapped form for narrow columns: line 1 is the name
// followed by a line feed and a carriage return, lines 2 to 4 hold four
// terms each, continuation lines starting with "+"; "" past the last term.
std::string FormatCombinationWrapped(const Model& m, int set, int comb, int line);

}  // namespace brindlemar

#pragma once
// The load and resistance factors of the current combination as two small
// ruled tables at the top of the frame, under the names of the set and the
// combination.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The text of one factor in the table: two decimals, its sign kept when it
// is negative, "--" for 0.
std::string FactorTableText(double factor);

void DrawFactorTable(const Model& m, Surface& s);

}  // namespace brindlemar

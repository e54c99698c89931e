#pragma once
// The table of factored shear forces at the design sections: one column per
// member, on the layout of the moment table.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Page `page` (from 1) of the shear table.
void PrintShearTable(const Model& m, Surface& s, int page);

}  // namespace brindlemar

#pragma once
// The shear design block of the report: the one-way shear check of the
// four members, one column per member, under the head of the design tables.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

void PrintShearDesignBlock(const Model& m, Surface& s);

}  // namespace brindlemar

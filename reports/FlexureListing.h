#pragma once
// The two flexure design blocks of the report: one column per face, the
// section, forces, bars, balanced condition and nominal strength in block 1,
// the steel stress, the other requirements and the five verdicts in block 2.
// Prints the design records as the last design run left them; computes
// nothing of the design.

#include "drawing/Surface.h"
#include "model/DesignTypes.h"
#include "model/Model.h"

namespace brindlemar {

// Block 1 for block number 1, block 2 for any other number.
void PrintFlexureDesignBlock(const Model& m, Surface& s, int block);

}  // namespace brindlemar

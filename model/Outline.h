#pragma once
// The numbered nodes of the wall outline, the water levels and the backfill surface.

#include "model/Model.h"

namespace brindlemar {

// Computes nodes 1 to 8, 10 to 18, 21 to 28, 31 to 36 and 40 to 50 from the
// wall dimensions, the backfill slope and the water depths in use.
void ComputeWallOutline(Model& m);

}  // namespace brindlemar

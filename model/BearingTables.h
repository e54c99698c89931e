#pragma once
// The bearing-capacity factor tables the model holds, filled with their
// built-in values when a project is reset.

#include "model/Model.h"

namespace brindlemar {

// Nc, Nq, Ngamma for friction angles 0 to 45 degrees.
void InitBearingFactorTables(Model& m);
// Depth factor dq by friction angle (32, 37, 42) and Df / B (1, 2, 4, 8).
void InitDepthFactorTable(Model& m);

}  // namespace brindlemar

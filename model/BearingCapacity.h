#pragma once
// Bearing capacity of the base: factor tables and the resistance of one combination.

#include "model/Model.h"

namespace brindlemar {

void InitBearingFactorTables(Model&);
void InitDepthFactorTable(Model&);

}  // namespace brindlemar

#include "model/BearingCapacity.h"

namespace brindlemar {

void InitBearingFactorTables(Model&) {}
void InitDepthFactorTable(Model&) {}

}  // namespace brindlemar

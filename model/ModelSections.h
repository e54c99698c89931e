#pragma once
// Model members: section stations, section forces and the design force tables.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

struct ModelSections {
};

}  // namespace brindlemar

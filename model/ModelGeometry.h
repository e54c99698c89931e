#pragma once
// Model members: the wall outline nodes, the scratch polygon, block and body areas and centroids.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

struct ModelGeometry {
};

}  // namespace brindlemar

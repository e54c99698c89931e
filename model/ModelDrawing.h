#pragma once
// Model members: the drawing frame, scale and view state.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

struct ModelDrawing {
};

}  // namespace brindlemar

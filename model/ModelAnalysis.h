#pragma once
// Model members: loads and results of the current combination, bearing-capacity tables, stability results of all combinations.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

struct ModelAnalysis {
};

}  // namespace brindlemar

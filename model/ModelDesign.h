#pragma once
// Model members: reinforcement design choices and results.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

struct ModelDesign {
    // design choices kept with the project
    int16_t ReinforcementDesignMethod = 0;
    float UpperStemLength = 0;
    std::array<float, 9> UserBarDiameters{};   // positions 1..8, 0 = the design chooses
    std::array<float, 9> UserBarSpacings{};
};

}  // namespace brindlemar

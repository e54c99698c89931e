#pragma once
// Model members: reinforcement design choices and results.

#include <array>
#include <cstdint>

#include "model/DesignTypes.h"

namespace brindlemar {

struct ModelDesign {
    // design choices kept with the project
    int16_t ReinforcementDesignMethod = 0;  // DesignMethod
    float UpperStemLength = 0;
    // positions 1..8; diameter in the bar unit (mm, mm, in), spacing in the
    // section unit (cm, mm, in); 0 = the design chooses
    std::array<float, 9> UserBarDiameters{};
    std::array<float, 9> UserBarSpacings{};

    // results of the last design run: positions 1..8, members 1..4
    std::array<FlexureDesignResult, 9> FlexureDesignResults{};
    std::array<ShearDesignResult, 5> ShearDesignResults{};
};

}  // namespace brindlemar

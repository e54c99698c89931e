#pragma once
// Model members: section forces and the design force tables.

#include <array>
#include <cstdint>
#include <vector>

#include "model/Enums.h"

namespace brindlemar {

// Rows of the design force tables: combination numbers 0..50, row 0 never
// written (it reads 0 and starts every governing search).
inline constexpr int DesignCombinationRows = 51;
inline constexpr int DesignPositionCount = 8;   // flexure faces 1..8
inline constexpr int DesignMemberCount = 4;     // upper stem, lower stem, toe, heel

// Moment, shear and normal force at one cut. The first set counts a point
// force standing exactly at the cut, the second leaves it out; away from such
// forces the two are equal.
struct SectionForces {
    float M = 0, V = 0, N = 0;
    float M2 = 0, V2 = 0, N2 = 0;
};

using FlexureTable = std::array<std::array<float, DesignPositionCount + 1>, DesignCombinationRows>;
using ShearTable = std::array<std::array<float, DesignMemberCount + 1>, DesignCombinationRows>;

struct ModelSections {
    // Design force tables: [combination number][position 1..8 or member 1..4].
    FlexureTable FlexureMoments{};
    FlexureTable FlexureAxialForces{};
    FlexureTable FlexureSectionDistances{};
    FlexureTable FlexureSectionDepths{};
    ShearTable ShearForces{};
    ShearTable ShearAxialForces{};
    ShearTable ShearSectionDistances{};
    ShearTable ShearSectionDepths{};

    // Combination number that governs each flexure position / member, 0 for none.
    std::array<int16_t, DesignPositionCount + 1> GoverningFlexureCombinations{};
    std::array<int16_t, DesignMemberCount + 1> GoverningShearCombinations{};

    // -1 when every combination of the set is stable and its section forces
    // were computed without error; 0 otherwise (the design is then refused).
    int16_t AllCombinationsStable = False;
    // Per combination number: -1 when the combination is stable and every
    // section force of it was computed; 0 when it is unstable or a section-force
    // routine failed on it (its table rows then stay 0 and it never governs).
    std::array<int16_t, DesignCombinationRows> CombinationDesignable{};
};

}  // namespace brindlemar

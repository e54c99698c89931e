#pragma once
// Model members: the wall outline nodes, block and body areas and centroids.

#include <array>

namespace brindlemar {

struct ModelGeometry {
    // outline nodes 1 to 50: x from the toe tip towards the heel, y a depth
    // below the wall top (negative above it), in the length unit
    std::array<float, 51> NodeXCoordinates{};
    std::array<float, 51> NodeYCoordinates{};

    // blocks 1 to 17 of the wall and the backfill over the heel
    std::array<float, 21> BlockAreas{};
    std::array<float, 21> BlockCentroidsX{};
    std::array<float, 21> BlockCentroidsY{};
    std::array<float, 21> BlockWeights{};
    std::array<float, 21> BlockSeismicForces{};

    // bodies 1 (concrete wall), 2 (backfill above the back water), 3 (below it)
    std::array<float, 4> BodyWeights{};
    std::array<float, 4> BodySeismicForces{};
    std::array<float, 4> BodyCentroidsX{};
    std::array<float, 4> BodyCentroidsY{};
};

}  // namespace brindlemar

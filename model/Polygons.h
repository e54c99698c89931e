#pragma once
// Areas and centroids of polygons made of outline nodes; the blocks and
// bodies of the wall and of the backfill over the heel, with their factored
// weights and seismic forces.

#include <array>
#include <cstdint>

#include "model/Model.h"

namespace brindlemar {

struct PolygonPoint {
    float X = 0;
    float Y = 0;
    bool operator==(const PolygonPoint&) const = default;
};

// A polygon of n vertices occupies elements 1 to n; element n + 1 receives a
// copy of vertex 1 while its area is computed, so n is at most 9.
using PolygonPointArray = std::array<PolygonPoint, 11>;

// Signed area and centroid of the polygon in elements 1 to n of `points`;
// positive when the vertices run counter-clockwise as drawn (y downwards).
// Element n + 1 receives a copy of vertex 1. A polygon without area has its
// centroid at its first vertex. Error 9 when n + 1 falls outside the array.
void ComputePolygonAreaCentroid(int16_t n, PolygonPointArray& points, float& area, float& cx,
                                float& cy);

// The outline nodes of each block, counter-clockwise as drawn; Count is 3
// for a triangle. 1 to 9 are concrete, 10 to 12 and 15 to 16 backfill above
// the back water, 13, 14 and 17 below it.
struct BlockNodes {
    int16_t Count;
    int16_t Nodes[4];
};
inline constexpr BlockNodes WallBlocks[18] = {
    {0, {}},
    {4, {1, 26, 27, 8}},    // stem core between the verticals of the top corners
    {3, {1, 2, 21}},        // front batter triangle
    {3, {8, 22, 7}},        // back batter triangle
    {4, {2, 25, 26, 21}},   // below the front batter
    {4, {22, 27, 28, 7}},   // below the back batter
    {3, {2, 3, 23}},        // toe top wedge
    {3, {7, 24, 6}},        // heel top wedge
    {4, {3, 4, 25, 23}},    // toe slab
    {4, {24, 28, 5, 6}},    // heel slab
    {3, {40, 8, 32}},       // sloping backfill above the wall top
    {3, {8, 13, 31}},       // wedge on the back face above the water
    {4, {31, 13, 41, 32}},  // backfill over the heel above the water
    {3, {13, 7, 33}},       // wedge on the back face below the water
    {4, {33, 7, 35, 41}},   // backfill over the heel below the water
    {3, {7, 17, 34}},       // over the sloping heel top above the water
    {4, {34, 17, 42, 35}},  // beyond it, above the water
    {3, {17, 6, 42}},       // over the sloping heel top below the water
};

// Areas, centroids, factored weights and seismic forces of blocks 1 to 17 and
// bodies 1 to 3, from the current outline, unit weights, seismic coefficient
// and the factors of CurrentLoadCombination.
void ComputeRegionAreasCentroids(Model& m);

}  // namespace brindlemar

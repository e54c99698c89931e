#pragma once
// Areas and centroids of polygons made of outline nodes; the blocks and
// bodies of the wall and of the backfill over the heel, with their factored
// weights and seismic forces.

#include <cstdint>

#include "model/Model.h"

namespace brindlemar {

// Signed area and centroid of the polygon in elements 1 to n of `points`;
// positive when the vertices run counter-clockwise as drawn (y downwards).
// Element n + 1 receives a copy of vertex 1. A polygon without area has its
// centroid at its first vertex. Error 9 when n + 1 falls outside the array.
void ComputePolygonAreaCentroid(int16_t n, PolygonPointArray& points, float& area, float& cx,
                                float& cy);

// Loads the outline nodes a, b, c (and d) into PolygonPoints 1 to 3 (or 4).
void SetTrianglePolygon(Model& m, int16_t a, int16_t b, int16_t c);
void SetQuadPolygon(Model& m, int16_t a, int16_t b, int16_t c, int16_t d);

// Areas, centroids, factored weights and seismic forces of blocks 1 to 17 and
// bodies 1 to 3, from the current outline, unit weights, seismic coefficient
// and the factors of CurrentLoadCombination.
void ComputeRegionAreasCentroids(Model& m);

}  // namespace brindlemar

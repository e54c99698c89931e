#include "model/Polygons.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "model/Outline.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

void ComputePolygonAreaCentroid(int16_t n, PolygonPointArray& points, float& area, float& cx,
                                float& cy) {
    At(points, n + 1) = At(points, 1);

    // Each edge with the line y = 0 bounds a strip: a rectangle on the
    // edge's first vertex plus a triangle up to its second.
    double A = 0, Sx = 0, Sy = 0, extent = 0;
    for (int i = 1; i <= n; ++i) {
        const double x0 = points[i].X, y0 = points[i].Y;
        const double dx = points[i + 1].X - x0, dy = points[i + 1].Y - y0;
        const double R = dx * y0;
        const double T = dx * dy / 2;
        A += R + T;
        Sx += (x0 + dx / 2) * R + (x0 + 2 * dx / 3) * T;
        Sy += (y0 / 2) * R + (y0 + dy / 3) * T;
        extent = std::max({extent, std::fabs(x0), std::fabs(y0)});
    }

    // A polygon without area (its vertices on one line) has its centroid at
    // its first vertex; an area that is only the rounding left over from
    // such a polygon counts as none, or its centroid would be noise.
    if (std::fabs(A) <= 1e-12 * extent * extent) {
        area = 0;
        cx = points[1].X;
        cy = points[1].Y;
        return;
    }
    area = ToSingle(A);
    cx = ToSingle(Sx / A);
    cy = ToSingle(Sy / A);
}

namespace {

// The polygon through the outline nodes given, in their order.
PolygonPointArray NodePolygon(const Model& m, std::initializer_list<int16_t> nodes) {
    PolygonPointArray points{};
    int i = 0;
    for (int16_t node : nodes) {
        PolygonPoint& point = At(points, ++i);
        point.X = At(m.NodeXCoordinates, node);
        point.Y = At(m.NodeYCoordinates, node);
    }
    return points;
}

void BodyPolygon(Model& m, int body, std::initializer_list<int16_t> nodes,
                 std::initializer_list<int> blocks) {
    PolygonPointArray points = NodePolygon(m, nodes);
    float area = 0;
    ComputePolygonAreaCentroid(static_cast<int16_t>(nodes.size()), points, area,
                               m.BodyCentroidsX[body], m.BodyCentroidsY[body]);
    m.BodyWeights[body] = 0;
    m.BodySeismicForces[body] = 0;
    for (int k : blocks) {
        m.BodyWeights[body] = ToSingle(double(m.BodyWeights[body]) + m.BlockWeights[k]);
        m.BodySeismicForces[body] =
            ToSingle(double(m.BodySeismicForces[body]) + m.BlockSeismicForces[k]);
    }
}

}  // namespace

void ComputeRegionAreasCentroids(Model& m) {
    for (int k = 1; k <= 17; ++k) {
        const BlockNodes& block = WallBlocks[k];
        PolygonPointArray points =
            block.Count == 3 ? NodePolygon(m, {block.Nodes[0], block.Nodes[1], block.Nodes[2]})
                             : NodePolygon(m, {block.Nodes[0], block.Nodes[1], block.Nodes[2], block.Nodes[3]});
        ComputePolygonAreaCentroid(block.Count, points, m.BlockAreas[k],
                                   m.BlockCentroidsX[k], m.BlockCentroidsY[k]);
    }

    // factored weights and seismic inertia; submerged backfill weighs its
    // buoyant unit weight but shakes with its full saturated mass
    const auto& factor = m.CurrentLoadCombination.Factor;
    const double kh = m.AppliedSeismicCoefficient;
    auto weigh = [&](int k, double weightDensity, double massDensity, int loadCode) {
        m.BlockWeights[k] = ToSingle(weightDensity * m.BlockAreas[k] * factor[loadCode]);
        m.BlockSeismicForces[k] =
            ToSingle(massDensity * m.BlockAreas[k] * kh * factor[EQ] * factor[loadCode]);
    };
    const double concrete = m.ConcreteUnitWeight;
    const double moist = m.BackfillUnitWeight;
    const double saturated = m.BackfillSaturatedDensity;
    const double buoyant = double(m.BackfillSaturatedDensity) - m.WaterUnitWeight;
    for (int k = 1; k <= 9; ++k) weigh(k, concrete, concrete, DL);
    for (int k : {10, 11, 12, 15, 16}) weigh(k, moist, moist, EV);
    for (int k : {13, 14, 17}) weigh(k, buoyant, saturated, EV);

    // bodies, each polygon covering exactly the blocks summed for it
    BodyPolygon(m, 1, {1, 2, 3, 4, 5, 6, 7, 8}, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    if (BackWaterZone(m) == WaterZone::OnStem) {
        BodyPolygon(m, 2, {8, 13, 41, 40}, {10, 11, 12, 15, 16});
        BodyPolygon(m, 3, {13, 7, 6, 41}, {13, 14, 17});
    } else {
        BodyPolygon(m, 2, {8, 7, 17, 42, 40}, {10, 11, 12, 15, 16});
        BodyPolygon(m, 3, {17, 6, 42}, {13, 14, 17});
    }
}

}  // namespace brindlemar

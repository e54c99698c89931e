#include <gtest/gtest.h>

#include <cmath>

#include "support/BuiltInWall.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "model/Polygons.h"
#include "runtime/RuntimeError.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

struct Vertex {
    float x, y;
};

struct AreaCentroid {
    float area = 0, cx = 0, cy = 0;
};

AreaCentroid Polygon(std::initializer_list<Vertex> vertices, PolygonPointArray* keep = nullptr) {
    PolygonPointArray points{};
    int i = 0;
    for (const Vertex& v : vertices) points[++i] = {v.x, v.y};
    AreaCentroid r;
    ComputePolygonAreaCentroid(static_cast<int16_t>(vertices.size()), points, r.area, r.cx, r.cy);
    if (keep) *keep = points;
    return r;
}

// Load factors of an analysed combination: dead load, earth and earthquake apart.
void SelectFactors(Model& m, float dl, float ev, float eq) {
    m.CurrentLoadCombination.Factor.fill(1.0f);
    m.CurrentLoadCombination.Factor[DL] = dl;
    m.CurrentLoadCombination.Factor[EV] = ev;
    m.CurrentLoadCombination.Factor[EQ] = eq;
}

TEST(PolygonAreaCentroid, SignedAreaCentroidAndDegenerateShapes) {
    struct Case {
        const char* what;
        std::initializer_list<Vertex> vertices;
        AreaCentroid want;
    };
    const Case cases[] = {
        // counter-clockwise as drawn with y downwards
        {"unit square", {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, {1, 0.5f, 0.5f}},
        {"right triangle", {{0, 0}, {0, 3}, {3, 3}}, {4.5f, 1, 2}},
        {"clockwise triangle", {{3, 3}, {0, 3}, {0, 0}}, {-4.5f, 1, 2}},
        {"above the origin line", {{1, -2}, {1, -1}, {3, -1}, {3, -2}}, {2, 2, -1.5f}},
        {"on one line", {{1, 1}, {2, 2}, {3, 3}}, {0, 1, 1}},
        {"one point", {{2.5f, 7}, {2.5f, 7}, {2.5f, 7}}, {0, 2.5f, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const AreaCentroid got = Polygon(c.vertices);
        EXPECT_NEAR(got.area, c.want.area, 1e-6);
        EXPECT_NEAR(got.cx, c.want.cx, 1e-6);
        EXPECT_NEAR(got.cy, c.want.cy, 1e-6);
    }
}

TEST(PolygonAreaCentroid, ClosesThePolygonAndRefusesTooManyVertices) {
    PolygonPointArray points{};
    Polygon({{1, 2}, {1, 5}, {4, 5}}, &points);
    EXPECT_EQ(points[4], (PolygonPoint{1, 2}));

    PolygonPointArray full{};
    float area, cx, cy;
    try {
        ComputePolygonAreaCentroid(10, full, area, cx, cy);
        ADD_FAILURE() << "ten vertices leave no room to close the polygon";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number, 9);
    }
}

TEST(RegionAreas, BlocksAndBodyOfTheBuiltInWall) {
    test::BuiltInWall w;
    Model& m = w.m;
    SelectFactors(m, 1, 1, 1);
    ComputeRegionAreasCentroids(m);

    const double concreteAreas[] = {0, 8.3, 2.0, 1.9325, 1.0, 1.135, 1.0, 1.685, 2.0, 4.2799};
    double sum = 0;
    for (int k = 1; k <= 9; ++k) {
        EXPECT_NEAR(m.BlockAreas[k], concreteAreas[k], 1e-4) << "block " << k;
        sum += m.BlockAreas[k];
    }
    EXPECT_NEAR(sum, 23.3324, 2e-4);
    EXPECT_NEAR(m.BodyCentroidsX[1], 3.3094, 1e-4);
    EXPECT_NEAR(m.BodyCentroidsY[1], 6.9896, 1e-4);
    // the sloping backfill rises above the wall top
    EXPECT_NEAR(m.BlockAreas[10], 1.4977, 1e-4);
    EXPECT_NEAR(m.BlockCentroidsY[10], -0.258, 1e-3);

    // weights and seismic forces by hand: concrete 2.4 x 8.3, kh 0.15
    EXPECT_NEAR(m.BlockWeights[1], 19.92, 1e-4);
    EXPECT_NEAR(m.BlockSeismicForces[1], 2.988, 1e-5);
    // the submerged wedge against the back face, 0.40298 wide and 6.23 high,
    // weighs buoyant (2.0 - 1.0) but shakes with its saturated mass (2.0)
    EXPECT_NEAR(m.BlockAreas[13], 1.25527, 1e-4);
    EXPECT_NEAR(m.BlockWeights[13], 1.25527, 1e-4);
    EXPECT_NEAR(m.BlockSeismicForces[13], 2.0 * 1.25527 * 0.15, 1e-4);
    EXPECT_NEAR(m.BodyWeights[1], 2.4 * 23.3324, 1e-3);
}

TEST(RegionAreas, FactorsGoToTheirMaterials) {
    test::BuiltInWall w;
    Model& m = w.m;
    SelectFactors(m, 1.25f, 1.35f, 0.5f);
    ComputeRegionAreasCentroids(m);
    EXPECT_NEAR(m.BlockWeights[1], 2.4 * 8.3 * 1.25, 1e-4);
    EXPECT_NEAR(m.BlockSeismicForces[1], 2.4 * 8.3 * 0.15 * 0.5 * 1.25, 1e-5);
    EXPECT_NEAR(m.BlockWeights[10], 1.7 * 1.4977 * 1.35, 1e-3);
    EXPECT_NEAR(m.BlockSeismicForces[13], 2.0 * 1.25527 * 0.15 * 0.5 * 1.35, 1e-4);

    for (auto [kh, eq] : {std::pair{0.0f, 1.0f}, std::pair{0.15f, 0.0f}}) {
        m.AppliedSeismicCoefficient = kh;
        SelectFactors(m, 1, 1, eq);
        ComputeRegionAreasCentroids(m);
        for (int k = 1; k <= 17; ++k) EXPECT_EQ(m.BlockSeismicForces[k], 0) << k;
        for (int b = 1; b <= 3; ++b) EXPECT_EQ(m.BodySeismicForces[b], 0) << b;
        EXPECT_NEAR(m.BlockWeights[1], 19.92, 1e-4);
    }
}

// Each body polygon must cover exactly its blocks, whatever the back water
// depth: its centroid is then their area-weighted centroid.
TEST(RegionAreas, BodiesCoverTheirBlocksAtEveryBackWaterDepth) {
    struct Case {
        const char* what;
        float wb;
    };
    const Case cases[] = {
        {"no water behind the wall", 10.0f}, {"water at the wall top", 0.0f},
        {"water on the stem", 1.5f},         {"water at the stem back foot", 7.73f},
        {"water over the heel top", 8.23f},  {"water below the heel end top", 9.5f},
    };
    const int bodyBlocks[4][5] = {{}, {}, {10, 11, 12, 15, 16}, {13, 14, 17}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        Model& m = w.m;
        m.BackWaterDepth = c.wb;
        ComputeWallOutline(m);
        SelectFactors(m, 1, 1, 1);
        ComputeRegionAreasCentroids(m);
        for (int body = 2; body <= 3; ++body) {
            double A = 0, Sx = 0, Sy = 0, W = 0;
            for (int k : bodyBlocks[body]) {
                if (k == 0) continue;
                A += m.BlockAreas[k];
                Sx += double(m.BlockAreas[k]) * m.BlockCentroidsX[k];
                Sy += double(m.BlockAreas[k]) * m.BlockCentroidsY[k];
                W += m.BlockWeights[k];
            }
            EXPECT_NEAR(m.BodyWeights[body], W, 1e-4) << "body " << body;
            if (A > 1e-6) {
                EXPECT_NEAR(m.BodyCentroidsX[body], Sx / A, 1e-4) << "body " << body;
                EXPECT_NEAR(m.BodyCentroidsY[body], Sy / A, 1e-4) << "body " << body;
            }
        }
    }
}

TEST(RegionAreas, VanishingBlocksAndBodies) {
    test::BuiltInWall w;
    Model& m = w.m;
    SelectFactors(m, 1, 1, 1);

    m.BackfillSlopeRatio = 0;
    ComputeWallOutline(m);
    ComputeRegionAreasCentroids(m);
    EXPECT_EQ(m.BlockAreas[10], 0);
    EXPECT_EQ(m.BlockWeights[10], 0);
    EXPECT_EQ(m.BlockCentroidsX[10], m.NodeXCoordinates[40]);
    EXPECT_EQ(m.BlockCentroidsY[10], m.NodeYCoordinates[40]);

    // water at the wall top: everything behind the stem is submerged
    m.BackWaterDepth = 0;
    ComputeWallOutline(m);
    ComputeRegionAreasCentroids(m);
    EXPECT_EQ(m.BlockAreas[11], 0);
    EXPECT_EQ(m.BlockAreas[12], 0);
    EXPECT_NEAR(double(m.BlockAreas[13]) + m.BlockAreas[14], (7.2 - 3.33) * 7.73 - 0.5 * 0.5 * 7.73,
                1e-3);

    // water below the heel end top: nothing is submerged
    m.BackWaterDepth = 9.5f;
    ComputeWallOutline(m);
    ComputeRegionAreasCentroids(m);
    EXPECT_EQ(m.BodyWeights[3], 0);
    EXPECT_EQ(m.BodyCentroidsX[3], m.NodeXCoordinates[17]);
    EXPECT_EQ(m.BodyCentroidsY[3], m.NodeYCoordinates[17]);
    EXPECT_EQ(m.NodeXCoordinates[17], m.NodeXCoordinates[6]);
}

bool AllFinite(const Model& m) {
    auto finite = [](const auto& values) {
        for (float v : values)
            if (!std::isfinite(v)) return false;
        return true;
    };
    return finite(m.NodeXCoordinates) && finite(m.NodeYCoordinates) && finite(m.BlockAreas) &&
           finite(m.BlockCentroidsX) && finite(m.BlockCentroidsY) && finite(m.BlockWeights) &&
           finite(m.BlockSeismicForces) && finite(m.BodyWeights) && finite(m.BodySeismicForces) &&
           finite(m.BodyCentroidsX) && finite(m.BodyCentroidsY);
}

TEST(RegionAreas, DegenerateWallGivesNoNaNOrInfinity) {
    test::TempDir folder;
    auto wall = std::make_unique<Model>();
    Model& m = *wall;
    m.ProgramDirectory = folder.Path().string();
    InitialiseProject(m);
    ASSERT_TRUE(AllFinite(m));
    SelectFactors(m, 1, 1, 1);

    struct Case {
        const char* what;
        bool allZero;
    };
    for (const Case& c : {Case{"stem heights 0", false}, Case{"every dimension 0", true}}) {
        SCOPED_TRACE(c.what);
        for (float* v : {&m.FrontStemHeight, &m.BackStemHeight, &m.FrontWaterDepth, &m.BackWaterDepth})
            *v = 0;
        if (c.allZero)
            for (float* v : {&m.ToeLength, &m.StemFrontBatter, &m.StemTopThickness, &m.StemBackBatter,
                             &m.HeelLength, &m.BaseWidth, &m.ToeTopDrop, &m.ToeTipThickness,
                             &m.HeelTopDrop, &m.HeelEndThickness, &m.WallHeight,
                             &m.BackfillSlopeRatio})
                *v = 0;
        EXPECT_NO_THROW(ComputeWallOutline(m));
        EXPECT_NO_THROW(ComputeRegionAreasCentroids(m));
        EXPECT_TRUE(AllFinite(m));
    }
    EXPECT_EQ(m.BodyWeights[1], 0);
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include "support/BuiltInWall.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "model/Polygons.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

struct NodeCase {
    int node;
    float x, y;
};

void ExpectNodes(const Model& m, std::initializer_list<NodeCase> cases) {
    for (const NodeCase& c : cases) {
        SCOPED_TRACE("node " + std::to_string(c.node));
        EXPECT_NEAR(m.NodeXCoordinates[c.node], c.x, 5e-4);
        EXPECT_NEAR(m.NodeYCoordinates[c.node], c.y, 5e-4);
    }
}

TEST(WallOutline, NodesOfTheBuiltInWall) {
    test::BuiltInWall w;
    ExpectNodes(w.m, {
        {1, 2.5f, 0},       {2, 2.0f, 8.0f},      {3, 0, 9.0f},         {4, 0, 10.0f},
        {5, 7.2f, 10.0f},   {6, 7.2f, 8.73f},     {7, 3.83f, 7.73f},    {8, 3.33f, 0},
        {10, 9.0f, -1.134f}, {40, 7.2f, -0.774f}, {11, -0.72f, 5.0f},   {12, 2.1875f, 5.0f},
        {13, 3.427f, 1.5f}, {14, 9.0f, 1.5f},     {15, -0.72f, 8.0f},   {16, 2.0f, 8.0f},
        {17, 3.83f, 7.73f}, {18, 9.0f, 7.73f},    {43, 2.016875f, 7.73f}, {44, 3.83f, 7.73f},
        {47, 3.83f, 0},     {48, 3.83f, -0.1f},   {49, 3.83f, 1.5f},    {50, 0, 10.288f},
        // copies of one node's x with another's y
        {26, 2.5f, 10.0f},  {33, 3.83f, 1.5f},    {41, 7.2f, 1.5f},     {42, 7.2f, 7.73f},
    });
    // nodes that are never computed stay 0
    for (int node : {0, 9, 19, 20, 29, 30, 37, 38, 39}) {
        EXPECT_EQ(w.m.NodeXCoordinates[node], 0);
        EXPECT_EQ(w.m.NodeYCoordinates[node], 0);
    }
}

TEST(WallOutline, LevelBackfillKeepsTheSurfaceAtTheWallTop) {
    test::BuiltInWall w;
    for (float s : {0.0f, -2.0f}) {
        w.m.BackfillSlopeRatio = s;
        ComputeWallOutline(w.m);
        for (int node : {10, 40, 48}) EXPECT_EQ(w.m.NodeYCoordinates[node], 0) << s << " " << node;
    }
}

TEST(WallOutline, FrontWaterOnStemOverToeTopAndBelowIt) {
    struct Case {
        const char* what;
        float wf;
        NodeCase node12, node16, node15;
    };
    const Case cases[] = {
        {"at the stem foot", 8.0f, {12, 2.0f, 8.0f}, {16, 2.0f, 8.0f}, {15, -0.72f, 8.0f}},
        {"over the sloping toe top", 8.5f, {12, 2.0f, 8.0f}, {16, 1.0f, 8.5f}, {15, -0.72f, 8.5f}},
        {"at the toe tip top", 9.0f, {12, 2.0f, 8.0f}, {16, 0, 9.0f}, {15, -0.72f, 9.0f}},
        // water switched off puts the level under the base: the same nodes
        {"below the toe tip top", 9.6f, {12, 2.0f, 8.0f}, {16, 0, 9.0f}, {15, -0.72f, 9.0f}},
        {"at the wall top", 0.0f, {12, 2.5f, 0}, {16, 2.0f, 8.0f}, {15, -0.72f, 8.0f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        w.m.FrontWaterDepth = c.wf;
        w.m.BackWaterDepth = 4.0f;  // the back water has no say in the front nodes
        ComputeWallOutline(w.m);
        ExpectNodes(w.m, {c.node12, c.node16, c.node15});
        EXPECT_EQ(w.m.NodeYCoordinates[11], w.m.NodeYCoordinates[12]);
    }
}

TEST(WallOutline, BackWaterOnStemOverHeelTopAndBelowIt) {
    struct Case {
        const char* what;
        float wb;
        NodeCase node13, node17;
    };
    const Case cases[] = {
        {"at the stem back foot", 7.73f, {13, 3.83f, 7.73f}, {17, 3.83f, 7.73f}},
        {"over the sloping heel top", 8.23f, {13, 3.83f, 7.73f}, {17, 5.515f, 8.23f}},
        {"below the heel end top", 9.5f, {13, 3.83f, 7.73f}, {17, 7.2f, 8.73f}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        w.m.BackWaterDepth = c.wb;
        ComputeWallOutline(w.m);
        ExpectNodes(w.m, {c.node13, c.node17});
        EXPECT_EQ(w.m.NodeYCoordinates[42], w.m.NodeYCoordinates[17]);
        EXPECT_EQ(w.m.NodeXCoordinates[34], w.m.NodeXCoordinates[17]);
    }
}

// A depth entered equal to a break of a face (the stem foot, or the top of toe
// tip or heel end, the stored sum of two heights) puts the water's nodes
// exactly on the outline's corner, so that no block of water or backfill is
// left a rounding thin; over many walls, since whether the sum rounds up or
// down depends on the heights.
TEST(WallOutline, WaterAtABreakOfAFaceStandsExactlyOnItsCorner) {
    uint32_t seed = 12345;
    const auto next = [&seed](double low, double high) {
        seed = seed * 1664525u + 1013904223u;
        return ToSingle(low + (high - low) * (seed >> 8) / double(1u << 24));
    };
    test::BuiltInWall w;
    Model& m = w.m;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE(trial);
        m.StemFrontBatter = next(0, 1);
        m.ToeLength = next(0.3, 3);
        m.StemBackBatter = next(0, 1);
        m.HeelLength = next(0.3, 4);
        m.BaseWidth = ToSingle(double(m.ToeLength) + m.StemFrontBatter + m.StemTopThickness + m.StemBackBatter +
                               m.HeelLength);
        m.FrontStemHeight = next(0.5, 12);
        m.ToeTopDrop = next(0.05, 1.5);
        m.BackStemHeight = next(0.5, 12);
        m.HeelTopDrop = next(0.05, 1.5);
        const float frontBreaks[] = {m.FrontStemHeight, ToSingle(double(m.FrontStemHeight) + m.ToeTopDrop)};
        const float backBreaks[] = {m.BackStemHeight, ToSingle(double(m.BackStemHeight) + m.HeelTopDrop)};
        for (int k = 0; k < 2; ++k) {
            m.FrontWaterDepth = frontBreaks[k];
            m.BackWaterDepth = backBreaks[k];
            ComputeWallOutline(m);
            const auto& x = m.NodeXCoordinates;
            const auto& y = m.NodeYCoordinates;
            if (k == 0) {
                // at the stem feet
                EXPECT_EQ(x[12], x[2]);
                EXPECT_EQ(x[13], x[7]);
                EXPECT_EQ(y[13], y[7]);
            } else {
                // at the top of the toe tip and of the heel end
                EXPECT_EQ(x[16], x[3]);
                EXPECT_EQ(y[16], y[3]);
                EXPECT_EQ(x[17], x[6]);
                EXPECT_EQ(y[17], y[6]);
            }
            ComputeRegionAreasCentroids(m);
            for (int block : {13, 14, 15, 16, 17}) EXPECT_GE(m.BlockAreas[block], 0) << "block " << block;
            if (k == 1) {
                // no water over the heel top, so nothing below it either
                for (int block : {16, 17}) EXPECT_EQ(m.BlockAreas[block], 0) << "block " << block;
            }
        }
    }
}

TEST(WallOutline, DeeperBackFootCutsTheStemAtTheFrontFoot) {
    test::BuiltInWall w;
    Model& m = w.m;
    // raise the heel: back stem 9.0 against the front 8.0
    m.HeelTopDrop = 0.5f;
    m.HeelEndThickness = 0.5f;
    m.BackStemHeight = 9.0f;
    ComputeWallOutline(m);
    // on the back face, 8/9 of the way down from the back top corner
    ExpectNodes(m, {{43, 2.0f, 8.0f}, {44, 3.33f + 0.5f * 8.0f / 9.0f, 8.0f}, {45, 2.5f, 8.0f},
                    {46, 3.33f, 8.0f}});
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <cmath>

#include "drawing/Primitives.h"
#include "model/Outline.h"
#include "support/BuiltInWall.h"
#include "runtime/Colours.h"
#include "support/RecordingSurface.h"

namespace brindlemar {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;

// the wall of the fitting example: 7.2 wide, 10 high, level backfill, no deep key
void MakeExampleWall(Model& m) {
    m.BackfillSlopeRatio = 0;
    m.ShearKeyIncluded = 0;
}

// The built-in wall takes a box of 9.72 x 10.72 m: base 7.2 with 0.72 of
// ground before the toe and 1.8 of backfill behind the heel; height 10 with
// 0.72 of ground under the base. A rising backfill (1 : 5) adds its rise of
// 5.67 / 5 = 1.134 m over the heel and the backfill shown, a key 1.0 deep
// adds what it reaches below those 0.72 m. The frame keeps 2/5 of its width
// and 1/5 of its height as margins, shared out to both sides, then 120 twips
// all round and 480 more below for the legend. Worked for the first case:
// room 10000 - 4000 - 240 = 5760 across, 6000 - 1200 - 600 = 4200 down; the
// height limits, 4200 / 10.72 = 391.791 twips a metre; the box 3808.2 wide
// is centred in 5760, so the toe tip stands at 120 + 2000 + 975.9 + 0.72 x
// 391.791 = 3378.0, the wall top at 120 + 600 = 720 and the base 10 m lower.
TEST(ComputeDrawingScale, FitsTheWallIntoTheFrame) {
    struct Case {
        const char* what;
        int32_t frameTop, frameWidth, frameHeight;
        float slope;
        int16_t key;
        float keyDepth;
        int32_t marginX, marginY;
        double scale, toeX, topY;
    };
    const Case cases[] = {
        {"10000 x 6000 frame, level backfill", 0, 10000, 6000, 0, 0, 0, 4000, 1200, 391.791, 3378.0, 720.0},
        // 4200 / 11.854; the wall top 1.134 m below the top of the box
        {"rising backfill adds its rise", 0, 10000, 6000, 5, 0, 0, 4000, 1200, 354.311, 3533.2, 1121.8},
        {"a key shallower than B/10 changes nothing", 0, 10000, 6000, 0, 1, 0.67f, 4000, 1200, 391.791, 3378.0,
         720.0},
        // 4200 / 11.0
        {"a deeper key adds the difference", 0, 10000, 6000, 0, 1, 1.0f, 4000, 1200, 381.818, 3419.3, 720.0},
        {"a key that is switched off adds nothing", 0, 10000, 6000, 0, 0, 1.0f, 4000, 1200, 391.791, 3378.0, 720.0},
        // 1800 / 10.72, centred in 17760 across
        {"a flat frame: the height limits", 0, 30000, 3000, 0, 0, 0, 12000, 600, 167.910, 14304.9, 420.0},
        // 3360 / 9.72, centred in 23400 down
        {"a tall frame: the width limits", 0, 6000, 30000, 0, 0, 0, 2400, 6000, 345.679, 1568.9, 12967.2},
        // 4662 / 11.854, from 7000 down
        {"a half page lower down on paper", 7000, 9356, 6577, 5, 1, 0.67f, 3742, 1315, 393.285, 3049.8, 8223.5},
        // wider than 32767 twips: would overflow 16-bit frame arithmetic; 16200 / 11.854
        {"a wide screen of 2600 x 1400 pixels", 0, 39000, 21000, 5, 1, 0.67f, 15600, 4200, 1366.627, 13842.2,
         3769.8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        Model& m = w.m;
        MakeExampleWall(m);
        m.BackfillSlopeRatio = c.slope;
        m.ShearKeyIncluded = c.key;
        m.ShearKeyDepth = c.keyDepth;
        test::RecordingSurface s;
        s.Drawing().FrameTop = c.frameTop;
        s.Drawing().FrameWidth = c.frameWidth;
        s.Drawing().FrameHeight = c.frameHeight;
        ComputeWallOutline(m);
        ComputeDrawingScale(m, s);
        EXPECT_EQ(s.Drawing().DrawingMarginX, c.marginX);
        EXPECT_EQ(s.Drawing().DrawingMarginY, c.marginY);
        EXPECT_NEAR(s.Drawing().DrawingScale, c.scale, 1e-3);
        // the toe tip's bottom corner, the top of the stem, the base 10 m below it
        EXPECT_NEAR(s.Drawing().DrawingXCoordinates[4], c.toeX, 0.1);
        EXPECT_NEAR(s.Drawing().DrawingYCoordinates[1], c.topY, 0.1);
        EXPECT_NEAR(s.Drawing().DrawingYCoordinates[4], c.topY + 10 * c.scale, 0.1);
        // the backfill's right edge 9 m beyond the toe tip
        EXPECT_NEAR(s.Drawing().DrawingXCoordinates[10], c.toeX + 9 * c.scale, 0.1);
        // everything drawn stays inside the frame
        EXPECT_GE(s.Drawing().DrawingXCoordinates[11], 120 + c.marginX / 2.0 - 0.1);
        EXPECT_LE(s.Drawing().DrawingXCoordinates[10], c.frameWidth - 120 - c.marginX / 2.0 + 0.1);
        EXPECT_GE(s.Drawing().DrawingYCoordinates[10], c.frameTop + 120 + c.marginY / 2.0 - 0.1);
        EXPECT_TRUE(DrawingFitted(s));
    }
}

TEST(ComputeDrawingScale, NoRoomOrNoWallPlacesNothing) {
    struct Case {
        const char* what;
        int32_t frameWidth, frameHeight;
        float baseWidth;
    };
    const Case cases[] = {
        {"too narrow for the margins", 400, 6000, 7.2f},
        {"too low for the legend room", 10000, 750, 7.2f},
        {"an empty picture box", 0, 0, 7.2f},
        {"a wall without a base", 10000, 6000, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        Model& m = w.m;
        test::RecordingSurface s;
        s.Drawing().FrameWidth = c.frameWidth;
        s.Drawing().FrameHeight = c.frameHeight;
        if (c.baseWidth == 0) {
            m.ToeLength = m.StemFrontBatter = m.StemTopThickness = m.StemBackBatter = m.HeelLength = 0;
            m.BaseWidth = 0;
            m.ToeTopDrop = m.FrontStemHeight = m.ToeTipThickness = 0;
        }
        ComputeDrawingScale(m, s);
        EXPECT_FALSE(DrawingFitted(s));
        EXPECT_EQ(s.Drawing().DrawingScale, 0);
        for (int i = 0; i <= 50; ++i) {
            EXPECT_TRUE(std::isfinite(s.Drawing().DrawingXCoordinates[i]) && std::isfinite(s.Drawing().DrawingYCoordinates[i]));
        }
    }
}

TEST(PenWidthPixels, MillimetresToDevicePixelsAtLeastOne) {
    RecordingSurface screen(10000, 6000, 15);
    RecordingSurface printer(10000, 6000, 2.4);
    EXPECT_DOUBLE_EQ(PenWidthPixels(screen, 0.1), 1);
    EXPECT_NEAR(PenWidthPixels(printer, 0.35), 8.26875, 1e-9);
    EXPECT_NEAR(PenWidthPixels(printer, 0.1), 2.3625, 1e-9);
}

TEST(DrawLineSolid, ColourAndWidthRules) {
    RecordingSurface s;
    s.ForeColor = RGB(0, 0, 255);
    s.DrawStyle = vbDot;
    DrawLineSolid(s, 0, 0, 100, 0, 0, 0);           // colour 0 is black, width 0 one pixel
    DrawLineSolid(s, 0, 0, 100, 0, -1, 3);          // a negative colour keeps the current one
    DrawLineSolid(s, 0, 0, 100, 0, RGB(255, 0, 0), 2);
    ASSERT_EQ(s.Calls.size(), 3u);
    EXPECT_EQ(s.Calls[0].Colour, 0);
    EXPECT_EQ(s.Calls[0].Width, 1);
    EXPECT_EQ(s.Calls[0].Style, vbSolid);
    EXPECT_EQ(s.Calls[1].Colour, 0);                 // the first line left ForeColor black
    EXPECT_EQ(s.Calls[1].Width, 3);
    EXPECT_EQ(s.ForeColor, RGB(255, 0, 0));          // the line colour stays set
}

TEST(DrawLineDashed, DashesOf180AndGapsOf60) {
    RecordingSurface s;
    s.ForeColor = RGB(0, 128, 0);
    DrawLineDashed(s, 1000, 2000, 1500, 2000, 0, 2);
    const auto lines = s.Of("Line");
    ASSERT_EQ(lines.size(), 3u);
    const double want[3][2] = {{1000, 1180}, {1240, 1420}, {1480, 1500}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(lines[i].X1, want[i][0], 1e-9);
        EXPECT_NEAR(lines[i].X2, want[i][1], 1e-9);
        EXPECT_EQ(lines[i].Colour, RGB(0, 128, 0));   // colour 0 takes the current ForeColor
        EXPECT_EQ(lines[i].Width, 2);
    }
    EXPECT_EQ(s.ForeColor, RGB(0, 128, 0));

    // along a slope the dashes keep their length
    RecordingSurface slope;
    DrawLineDashed(slope, 0, 0, 300, 400, RGB(255, 0, 0), 1);
    const auto dashes = slope.Of("Line");
    ASSERT_EQ(dashes.size(), 3u);
    EXPECT_NEAR(dashes[0].X2, 108, 1e-9);
    EXPECT_NEAR(dashes[0].Y2, 144, 1e-9);
    EXPECT_NEAR(dashes[2].X2, 300, 1e-9);
    EXPECT_NEAR(dashes[2].Y2, 400, 1e-9);
    EXPECT_EQ(slope.ForeColor, 0);                    // a dashed line leaves ForeColor alone

    RecordingSurface point;
    DrawLineDashed(point, 700, 700, 700, 700, RGB(255, 0, 0), 1);
    EXPECT_TRUE(point.Calls.empty());
}

TEST(DrawBox, FillsInTheColourOrTheCurrentOne) {
    RecordingSurface s;
    s.ForeColor = RGB(1, 2, 3);
    s.DrawWidth = 4;
    DrawBox(s, 10, 20, 30, 20, RGB(51, 51, 153));
    DrawBox(s, 10, 20, 30, 40, 0);
    ASSERT_EQ(s.Calls.size(), 2u);
    EXPECT_EQ(s.Calls[0].Kind, "FilledBox");
    EXPECT_EQ(s.Calls[0].Colour, RGB(51, 51, 153));
    EXPECT_EQ(s.Calls[0].Width, 1);
    EXPECT_EQ(s.Calls[1].Colour, RGB(1, 2, 3));
    EXPECT_EQ(s.ForeColor, RGB(1, 2, 3));
}

TEST(DrawArrow, HeadsInsideOutsideOrNone) {
    struct Case {
        const char* what;
        double length;
        int heads;
        std::vector<std::array<double, 4>> lines;   // along x from (1000, 500)
    };
    // head size 60: barbs reach 60 back and 30 to each side
    const Case cases[] = {
        {"one head, shorter than a head: plain line", 59, 1, {{1000, 500, 1059, 500}}},
        {"one head, exactly a head long", 60, 1,
         {{1000, 500, 1060, 500}, {1000, 530, 1060, 500}, {1000, 470, 1060, 500}}},
        {"two heads, room for both", 180, 2,
         {{1000, 500, 1180, 500}, {1120, 530, 1180, 500}, {1120, 470, 1180, 500}, {1060, 530, 1000, 500},
          {1060, 470, 1000, 500}}},
        {"two heads, 100 long: the line, and stubs of 90 outside pointing in", 100, 2,
         {{1000, 500, 1100, 500}, {1100, 500, 1190, 500}, {1160, 530, 1100, 500}, {1160, 470, 1100, 500}, {1000, 500, 910, 500},
          {940, 530, 1000, 500}, {940, 470, 1000, 500}}},
        {"no heads", 300, 0, {{1000, 500, 1300, 500}}},
        {"three heads is no arrow", 300, 3, {{1000, 500, 1300, 500}}},
        {"no length draws nothing", 0, 2, {}},
        {"no length, one head", 0, 1, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        RecordingSurface s;
        int32_t colour = RGB(255, 0, 0);
        int width = 2;
        DrawArrow(s, 1000, 500, 1000 + c.length, 500, c.heads, colour, width);
        const auto lines = s.Of("Line");
        ASSERT_EQ(lines.size(), c.lines.size());
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_NEAR(lines[i].X1, c.lines[i][0], 1e-9) << i;
            EXPECT_NEAR(lines[i].Y1, c.lines[i][1], 1e-9) << i;
            EXPECT_NEAR(lines[i].X2, c.lines[i][2], 1e-9) << i;
            EXPECT_NEAR(lines[i].Y2, c.lines[i][3], 1e-9) << i;
            EXPECT_EQ(lines[i].Colour, RGB(255, 0, 0));
            EXPECT_EQ(lines[i].Width, 2);
        }
    }
}

TEST(DrawArrow, ColourAndWidthZeroComeFromTheSurfaceAndGoBack) {
    Model m;
    RecordingSurface s;
    s.ForeColor = RGB(0, 0, 255);
    s.DrawWidth = 3;
    int32_t colour = 0;
    int width = 0;
    DrawArrow(s, 0, 0, 0, 600, 1, colour, width);
    EXPECT_EQ(colour, RGB(0, 0, 255));
    EXPECT_EQ(width, 3);
    for (const SurfaceCall& line : s.Of("Line")) {
        EXPECT_EQ(line.Colour, RGB(0, 0, 255));
        EXPECT_EQ(line.Width, 3);
    }
}

TEST(DrawDimensionHorizontal, ExtensionLinesAndTextPlaces) {
    struct Case {
        const char* what;
        double x1, x2;
        std::string text;   // 100 twips a character, 230 high, at 10 points
        int mode;
        double wantX, wantY;
    };
    const double yDim = 1000;
    const Case cases[] = {
        {"fits: centred above", 1000, 2000, "2.00", 0, 1300, 770},
        {"mode 0, 500 wide between ends 400 apart: lifted 120", 1000, 1400, "12.50", 0, 950, 650},
        {"mode 0 reversed: below the line", 2000, 1000, "2.00", 0, 1300, 1000},
        {"mode 0 reversed, too wide: 120 below", 1400, 1000, "12.50", 0, 950, 1120},
        {"mode 0, equal ends: above", 1000, 1000, "1", 0, 950, 650},
        {"mode 1 fits: centred", 1000, 2000, "2.00", 1, 1300, 770},
        {"mode 1 too wide: ends 30 before x2, over the extension line at x1", 1000, 1400, "12.50", 1, 870, 650},
        {"mode 1, equal ends: below, ending 30 before x2, off the heads", 1000, 1000, "1", 1, 870, 1030},
        {"mode 2 too wide: starts 30 after x1, over the extension line at x2", 1000, 1400, "12.50", 2, 1030, 650},
        {"mode 2 fits exactly 60 short: still too wide, off the head at x2", 1000, 1460, "1234", 2, 1030, 740},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        m.DimensionLineColour = RGB(255, 0, 0);
        m.DimensionTextColour = RGB(0, 0, 128);
        RecordingSurface s;
        DrawDimensionHorizontal(m, s, c.x1, c.x2, 3000, 2500, yDim, c.text, c.mode, 0, 0);
        const auto lines = s.Of("Line");
        ASSERT_GE(lines.size(), 2u);
        // the dimension line lies above both features: extensions from 60 off them to 120 past it
        EXPECT_DOUBLE_EQ(lines[0].Y1, 2940);
        EXPECT_DOUBLE_EQ(lines[0].Y2, 880);
        EXPECT_DOUBLE_EQ(lines[1].Y1, 2440);
        EXPECT_EQ(lines[0].Colour, RGB(255, 0, 0));
        const SurfaceCall* text = s.FindText(c.text);
        ASSERT_NE(text, nullptr);
        EXPECT_DOUBLE_EQ(text->X1, c.wantX);
        EXPECT_DOUBLE_EQ(text->Y1, c.wantY);
        EXPECT_EQ(text->Colour, RGB(0, 0, 128));
    }
    // under features (the key's row), lifted 120 the text would still stand across the extension
    // line at x2, which runs from 560 to 1120: it stands on its line past the head outside x2,
    // 1.5 heads and 30 beyond it
    Model m;
    RecordingSurface s;
    DrawDimensionHorizontal(m, s, 1000, 1400, 500, 500, yDim, "12.50", 2, 0, 0);
    EXPECT_DOUBLE_EQ(s.FindText("12.50")->X1, 1400 + 90 + 30);
    EXPECT_DOUBLE_EQ(s.FindText("12.50")->Y1, yDim - 115);
}

TEST(DrawDimensionHorizontal, BelowTheFeatureAndWithoutText) {
    Model m;
    RecordingSurface s;
    s.FontSize = 8;
    DrawDimensionHorizontal(m, s, 0, 3000, 1000, 1200, 2000, "7.20", 0, 12, 1);
    EXPECT_TRUE(s.Of("Print").empty());
    EXPECT_DOUBLE_EQ(s.FontSize, 8);   // no text, no font change
    const auto lines = s.Of("Line");
    EXPECT_DOUBLE_EQ(lines[0].Y1, 1060);
    EXPECT_DOUBLE_EQ(lines[0].Y2, 2120);
    EXPECT_DOUBLE_EQ(lines[1].Y1, 1260);

    RecordingSurface sized;
    DrawDimensionHorizontal(m, sized, 0, 3000, 1000, 1200, 2000, "7.20", 0, 12, 0);
    EXPECT_DOUBLE_EQ(sized.FontSize, 12);
    EXPECT_DOUBLE_EQ(sized.FindText("7.20")->Y1, 2000 - sized.TextHeight("7.20"));
}

TEST(DrawDimensionVertical, TextLeftWhenTheLineRunsUp) {
    Model m;
    RecordingSurface up;
    DrawDimensionVertical(m, up, 3000, 3000, 2000, 1000, 2000, "1.00", 0, 0);
    const SurfaceCall* left = up.FindText("1.00");
    ASSERT_NE(left, nullptr);
    EXPECT_DOUBLE_EQ(left->X1, 2000 - 400 - 30);
    EXPECT_DOUBLE_EQ(left->Y1, 1500 - 115);
    // too short to hold its text between its extension lines: the text stands above both
    RecordingSurface shortLine;
    DrawDimensionVertical(m, shortLine, 3000, 3000, 1200, 1000, 2000, "1.00", 0, 0);
    EXPECT_DOUBLE_EQ(shortLine.FindText("1.00")->Y1, 1000 - 30 - 230);
    const auto lines = up.Of("Line");
    EXPECT_DOUBLE_EQ(lines[0].X1, 2940);
    EXPECT_DOUBLE_EQ(lines[0].X2, 1880);

    RecordingSurface down;
    DrawDimensionVertical(m, down, 1000, 1000, 1000, 2000, 2000, "1.00", 0, 0);
    EXPECT_DOUBLE_EQ(down.FindText("1.00")->X1, 2030);
    EXPECT_DOUBLE_EQ(down.Of("Line")[0].X1, 1060);
    EXPECT_DOUBLE_EQ(down.Of("Line")[0].X2, 2120);
}

}  // namespace
}  // namespace brindlemar

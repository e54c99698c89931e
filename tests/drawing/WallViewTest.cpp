#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "drawing/Primitives.h"
#include "drawing/WallView.h"
#include "support/BuiltInWall.h"
#include "model/Outline.h"
#include "model/Units.h"
#include "runtime/Colours.h"
#include "runtime/Format.h"
#include "support/LabelChecks.h"
#include "support/MessageRecorder.h"
#include "support/RecordingSurface.h"

namespace brindlemar {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;

// The built-in wall in a picture of 1200 x 900 pixels.
struct WallPicture {
    test::BuiltInWall w;
    Model& m = w.m;
    RecordingSurface s{18000, 13500, 15};

    WallPicture() {
        m.TextFontName = "Arial";
        s.Drawing().FrameWidth = 18000;
        s.Drawing().FrameHeight = 13500;
    }
    double X(int node) const { return s.Drawing().DrawingXCoordinates[node]; }
    double Y(int node) const { return s.Drawing().DrawingYCoordinates[node]; }
    std::vector<SurfaceCall> Boxes(int32_t colour) const {
        std::vector<SurfaceCall> out;
        for (const SurfaceCall& c : s.Of("FilledBox")) {
            if (c.Colour == colour) out.push_back(c);
        }
        return out;
    }
};

TEST(DrawDimensionsView, TextsAndPlaceOfTheBuiltInWallInEveryUnitSystem) {
    struct Case {
        const char* what;
        int16_t unitSystem;
        std::vector<std::string> texts;
    };
    const std::vector<std::string> metres = {"2.00", "0.50", "0.83", "0.50", "3.37", "7.20", "6.60",
                                             "0.60", "8.00", "1.00", "1.00", "7.73", "1.00", "1.27",
                                             "10.00", "5.00", "1.50", "0.67", "1 : 5.00", "Dimensions in m"};
    const Case cases[] = {
        {"Metric", Metric, metres},
        {"SI", SI, metres},
        {"British", British,
         {"6.56", "1.64", "2.72", "1.64", "11.06", "23.62", "21.65", "1.97", "26.25", "3.28", "3.28", "25.36",
          "3.28", "4.17", "32.81", "16.40", "4.92", "2.20", "1 : 5.00", "Dimensions in ft"}},
    };
    WallPicture metric;
    ComputeDrawingScale(metric.m, metric.s);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WallPicture p;
        if (c.unitSystem != Metric) {
            p.m.PreviousUnitSystem = Metric;
            p.m.CurrentUnitSystem = c.unitSystem;
            ConvertUnits(p.m);
        }
        ComputeDrawingScale(p.m, p.s);
        DrawDimensionsView(p.m, p.s, 0);
        EXPECT_EQ(p.s.Texts(), c.texts);
        // the picture does not move with the unit system
        for (int node : {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 14, 40, 50}) {
            EXPECT_NEAR(p.X(node), metric.X(node), 0.5) << node;
            EXPECT_NEAR(p.Y(node), metric.Y(node), 0.5) << node;
        }
    }
}

TEST(DrawDimensionsView, PlacesOfTextsLinesAndCaption) {
    WallPicture p;
    ComputeDrawingScale(p.m, p.s);
    DrawDimensionsView(p.m, p.s, 0);
    const double lineHeight = p.s.TextHeight("0");
    // the top chain lies 240 above the backfill's highest point
    const SurfaceCall* heel = p.s.FindText("3.37");
    ASSERT_NE(heel, nullptr);
    EXPECT_NEAR(heel->Y1, p.Y(10) - 240 - lineHeight, 1e-3);
    EXPECT_NEAR((heel->X1 + heel->X2) / 2, (p.X(7) + p.X(6)) / 2, 1e-3);
    // heights in front: left of the line 240 left of node 11; behind: right of the line 240 right of node 10
    const SurfaceCall* front = p.s.FindText("8.00");
    EXPECT_NEAR(front->X2, p.X(11) - 240 - 30, 1e-3);
    EXPECT_NEAR(front->Y1, (p.Y(1) + p.Y(2)) / 2 - lineHeight / 2, 1e-3);
    const SurfaceCall* back = p.s.FindText("7.73");
    EXPECT_NEAR(back->X1, p.X(10) + 240 + 30, 1e-3);
    // the lines further out 600 and 960 off the wall, and further where the
    // texts of the line inside them would come nearer them than 45 and half a height
    const double apart = 45 + lineHeight / 2, heights = std::min(p.X(15) - 600, front->X1 - apart);
    EXPECT_NEAR(p.s.FindText("10.00")->X2, heights - 30, 1e-3);
    EXPECT_NEAR(p.s.FindText("5.00")->X2, std::min(p.X(11) - 960, p.s.FindText("10.00")->X1 - apart) - 30, 1e-3);
    EXPECT_NEAR(p.s.FindText("1.50")->X1, std::max(p.X(14) + 600, back->X2 + apart) + 30, 1e-3);
    // with the key shown, the base line lies 480 below the deeper of B/10 and the key
    const SurfaceCall* base = p.s.FindText("7.20");
    EXPECT_NEAR(base->Y1, p.Y(4) + 0.72 * p.s.Drawing().DrawingScale + 480 - lineHeight, 0.01);
    // the slope text sits over the middle of the backfill surface, 480 to the right
    const SurfaceCall* slope = p.s.FindText("1 : 5.00");
    EXPECT_NEAR((slope->X1 + slope->X2) / 2, (p.X(6) + p.X(10)) / 2 + 480, 1e-3);
    EXPECT_NEAR(slope->Y1, p.Y(10) - 210 - lineHeight, 1e-3);
    // the caption at the bottom left, 60 above the frame's edge
    const SurfaceCall* caption = p.s.FindText("Dimensions in m");
    EXPECT_DOUBLE_EQ(caption->X1, 120);
    EXPECT_DOUBLE_EQ(caption->Y1, 13500 - p.s.TextHeight("T") - 60);
    EXPECT_EQ(caption->Colour, p.m.CaptionColour);
    // nothing drawn outside the frame
    for (const SurfaceCall& c : p.s.Calls) {
        EXPECT_GE(std::min(c.X1, c.X2), 0) << c.Kind << c.Text;
        EXPECT_LE(std::max(c.X1, c.X2), 18000) << c.Kind << c.Text;
        EXPECT_GE(std::min(c.Y1, c.Y2), 0) << c.Kind << c.Text;
        EXPECT_LE(std::max(c.Y1, c.Y2), 13500) << c.Kind << c.Text;
    }
}

TEST(DrawDimensionsView, OnScreenOnlyLinesTheSlopeArrowAndTheCaption) {
    for (float slope : {0.0f, 5.0f}) {
        SCOPED_TRACE(slope);
        WallPicture p;
        p.m.BackfillSlopeRatio = slope;
        ComputeDrawingScale(p.m, p.s);
        DrawDimensionsView(p.m, p.s, 1);
        EXPECT_EQ(p.s.Texts(), std::vector<std::string>{"Dimensions in m"});
        // the slope arrow comes down from 180 above node 10's level to the surface at the middle
        const double middle = (p.X(6) + p.X(10)) / 2;
        const double surface = slope > 0 ? p.Y(10) + (p.X(10) - p.X(6)) / 2 / slope : p.Y(10);
        bool found = false;
        for (const SurfaceCall& c : p.s.Of("Line")) {
            found = found || (std::fabs(c.X1 - middle) < 1e-3 && std::fabs(c.Y1 - (p.Y(10) - 180)) < 1e-3 &&
                              std::fabs(c.X2 - middle) < 1e-3 && std::fabs(c.Y2 - surface) < 1e-3);
        }
        EXPECT_TRUE(found);
    }
}

TEST(DrawDimensionsView, LevelBackfillOnPaperHasNoSlopeMark) {
    WallPicture p;
    p.m.BackfillSlopeRatio = 0;
    ComputeDrawingScale(p.m, p.s);
    DrawDimensionsView(p.m, p.s, 0);
    const auto texts = p.s.Texts();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const std::string& t) { return t.rfind("1 :", 0) == 0; }),
              0);
    const double middle = (p.X(6) + p.X(10)) / 2;
    for (const SurfaceCall& c : p.s.Of("Line")) EXPECT_FALSE(std::fabs(c.X1 - middle) < 1e-3 && c.X1 == c.X2);
}

TEST(DrawDimensionsView, WithoutTheKeyTheBaseLiesUnderTheBase) {
    WallPicture p;
    p.m.ShearKeyIncluded = 0;
    ComputeDrawingScale(p.m, p.s);
    DrawDimensionsView(p.m, p.s, 0);
    const auto texts = p.s.Texts();
    for (const char* gone : {"6.60", "0.60", "0.67"}) EXPECT_EQ(std::find(texts.begin(), texts.end(), gone), texts.end());
    EXPECT_NEAR(p.s.FindText("7.20")->Y1, p.Y(50) + 240 - p.s.TextHeight("7.20"), 1e-3);
}

TEST(DrawDimensionsView, ZeroDimensionsAreNotDrawn) {
    WallPicture p;
    p.m.ShearKeyIncluded = 0;
    p.m.BaseWidth -= p.m.HeelLength;
    p.m.HeelLength = 0;
    ComputeDrawingScale(p.m, p.s);
    DrawWall(p.m, p.s, 1, 0);
    DrawDimensionsView(p.m, p.s, 0);
    const auto texts = p.s.Texts();
    EXPECT_EQ(std::find(texts.begin(), texts.end(), "3.37"), texts.end());
    // no concrete beyond the stem's back foot: the heel has no length
    for (const SurfaceCall& c : p.Boxes(p.m.ConcreteColour)) EXPECT_LE(c.X1, p.X(7) + 1e-3);
}

TEST(DrawDimensionsView, TextsThatWouldLandOnOneAnotherMoveApart) {
    struct Case {
        const char* what;
        double fontSize;     // a large sheet prints larger texts...
        int16_t arrowHead;   // ...and scales its offsets as the report scales the arrow heads
        float frontWater, keyWidth;
        float stemTop = 0;   // a narrow stem of battered faces 0.5 and this top, 0 for the built-in one
    };
    const Case cases[] = {
        {"a tall narrow stem: its three top values cannot stand side by side", 24, 60, 5, 0.5f, 0.83f},
        {"front water as deep as the wall is high", 10, 60, 10, 0.5f},
        {"a wide key under a base whose texts are large", 24, 60, 5, 2.5f},
        {"an E-size sheet: frame, texts and offsets four times the screen's", 40, 240, 3, 0.5f},
        {"front water half the wall's height: its level runs across the wall height", 40, 240, 5, 0.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WallPicture p;
        p.m.WaterIncluded = True;
        p.m.FrontWaterDepth = c.frontWater;
        p.m.ShearKeyWidth = c.keyWidth;
        p.m.ShearKeyToeDistance = p.m.BaseWidth - c.keyWidth;
        p.s.Drawing().ArrowHeadSize = c.arrowHead;
        p.s.Drawing().FrameWidth *= c.arrowHead / 60;
        p.s.Drawing().FrameHeight *= c.arrowHead / 60;
        p.s.FontSize = c.fontSize;
        if (c.stemTop > 0) {
            p.m.StemFrontBatter = p.m.StemBackBatter = 0.5f;
            p.m.StemTopThickness = c.stemTop;
            p.m.BaseWidth = p.m.ToeLength + 1 + c.stemTop + p.m.HeelLength;
            ComputeWallOutline(p.m);
        }
        ComputeDrawingScale(p.m, p.s);
        DrawDimensionsView(p.m, p.s, 0);
        DrawWall(p.m, p.s, 0, 0);
        // in type no larger against the offsets than a report's, no value stands on a line (the key's bottom)
        const bool reportType = 4 * c.fontSize < c.arrowHead;
        EXPECT_EQ(reportType ? test::LabelFaults(p.s.Calls) : std::vector<std::string>{}, std::vector<std::string>{});
        const auto prints = p.s.Of("Print");
        // each value across the stem's top stands by the middle of its dimension, or a leader joins them
        const double yTop = p.Y(10) - 240 * c.arrowHead / 60;
        for (const auto& [from, to, value] : {std::tuple{2, 1, p.m.StemFrontBatter}, {1, 8, p.m.StemTopThickness},
                                              {8, 7, p.m.StemBackBatter}}) {
            const double x = (p.X(from) + p.X(to)) / 2;
            bool near = false;
            for (const SurfaceCall& t : prints)
                near |= t.Text == Format(value, "#0.#0") &&
                        std::hypot(std::max({0.0, t.X1 - x, x - t.X2}), yTop - t.Y1 - t.Height) <= t.Height;
            for (const SurfaceCall& l : p.s.Of("Line"))
                near |= std::hypot(l.X2 - x, l.Y2 - yTop) < 1e-3 && std::hypot(l.X1 - x, l.Y1 - yTop) > 1;
            EXPECT_TRUE(near) << "no value by the dimension from node " << from << " to " << to;
        }
        for (size_t i = 0; i < prints.size(); ++i) {
            const SurfaceCall& a = prints[i];
            const double h = p.s.LineHeight * a.FontSize, w = p.s.TextWidth(a.Text);
            for (size_t j = i + 1; j < prints.size(); ++j) {
                const SurfaceCall& b = prints[j];
                // texts that touch read as one ("5.005.00"): a pixel at least between them
                const double gap = 15 * c.arrowHead / 60;
                EXPECT_FALSE(a.X1 < b.X1 + p.s.TextWidth(b.Text) + gap && b.X1 < a.X1 + w + gap &&
                             a.Y1 < b.Y1 + h + gap && b.Y1 < a.Y1 + h + gap)
                    << a.Text << " on " << b.Text;
                // two heights level with each other on neighbouring lines read as a pair ("10.00 10.00")
                const bool level = a.Y1 < b.Y1 + h && b.Y1 < a.Y1 + h;
                const bool beside = a.Y1 > p.s.Drawing().DrawingYCoordinates[1] && a.Y1 + h < p.s.Drawing().DrawingYCoordinates[4];
                EXPECT_FALSE(beside && level && std::fabs(a.X1 - b.X1) < 2 * w + gap)
                    << a.Text << " level with " << b.Text;
            }
            // no vertical dimension line runs through the texts beside the wall
            const bool beside = a.Y1 > p.s.Drawing().DrawingYCoordinates[1] && a.Y1 + h < p.s.Drawing().DrawingYCoordinates[4];
            for (const SurfaceCall& l : beside ? p.s.Of("Line") : std::vector<SurfaceCall>{}) {
                if (l.Colour != p.m.DimensionLineColour || l.X1 != l.X2) continue;
                EXPECT_FALSE(a.X1 < l.X1 && l.X1 < a.X1 + w && std::min(l.Y1, l.Y2) < a.Y1 + h &&
                             a.Y1 < std::max(l.Y1, l.Y2))
                    << "the dimension line at x " << l.X1 << " through " << a.Text;
            }
            // where the offsets grow with the texts, no dimension line runs
            // through the body of a text (one point size high)
            if (c.arrowHead == 60) continue;
            const double em = TwipsPerPoint * a.FontSize;
            for (const SurfaceCall& l : p.s.Of("Line")) {
                if (l.Colour != p.m.DimensionLineColour || l.Y1 != l.Y2) continue;
                EXPECT_FALSE(a.Y1 < l.Y1 && l.Y1 < a.Y1 + em && std::min(l.X1, l.X2) < a.X1 + w &&
                             a.X1 < std::max(l.X1, l.X2))
                    << "a dimension line through " << a.Text;
            }
        }
    }
}

TEST(DrawWall, GreyPaletteDrawsInGreysNotTheModelColours) {
    WallPicture p;
    DrawWall(p.m, p.s, 1, 1);
    EXPECT_FALSE(p.Boxes(RGB(225, 225, 225)).empty());
    EXPECT_TRUE(p.Boxes(p.m.ConcreteColour).empty());
    ASSERT_FALSE(p.s.Of("Line").empty());
    for (const SurfaceCall& c : p.s.Of("Line")) EXPECT_NE(c.Colour, p.m.OutlineColour);
}

TEST(DrawWall, BackfillWedgeOnlyWhenTheBackfillRises) {
    for (float slope : {0.0f, 5.0f}) {
        SCOPED_TRACE(slope);
        WallPicture p;
        p.m.BackfillSlopeRatio = slope;
        DrawWall(p.m, p.s, 1, 0);
        std::vector<double> wedge;
        for (const SurfaceCall& c : p.Boxes(p.m.BackfillColour)) {
            if (c.Y1 == c.Y2) wedge.push_back(c.Y1);
        }
        if (slope == 0) {
            EXPECT_TRUE(wedge.empty());
            continue;
        }
        ASSERT_GT(wedge.size(), 10u);
        EXPECT_DOUBLE_EQ(wedge.front(), std::nearbyint(p.Y(1)));
        for (size_t i = 1; i < wedge.size(); ++i) EXPECT_DOUBLE_EQ(wedge[i - 1] - wedge[i], 15);
        EXPECT_GE(wedge.back(), p.Y(40));
        EXPECT_LT(wedge.back() - 15, p.Y(40));
    }
}

TEST(DrawWall, OutlineKeyAndRestraintMark) {
    WallPicture p;
    p.m.AdjacentStructureIncluded = 1;
    p.m.AdjacentStructurePosition = 3;
    DrawWall(p.m, p.s, 0, 0);
    // lines only: no fills at all without fillAreas
    EXPECT_TRUE(p.s.Of("FilledBox").empty());
    std::vector<SurfaceCall> restraint;
    for (const SurfaceCall& c : p.s.Of("Line")) {
        if (c.Colour == p.m.RestraintColour) restraint.push_back(c);
    }
    // the key's two sides and bottom, then the triangle under the base
    ASSERT_EQ(restraint.size(), 6u);
    const double keyBottom = p.Y(4) + 0.67 * p.s.Drawing().DrawingScale;
    EXPECT_NEAR(restraint[1].Y1, keyBottom, 0.01);
    EXPECT_NEAR(restraint[1].X1, p.X(4) + 6.6 * p.s.Drawing().DrawingScale, 0.01);
    EXPECT_NEAR(restraint[1].X2, p.X(5), 0.01);
    EXPECT_EQ(restraint[0].Width, p.s.Drawing().OutlinePenWidth);
    EXPECT_NEAR(restraint[3].X1, p.X(4) + 3 * p.s.Drawing().DrawingScale, 0.01);
    EXPECT_NEAR(restraint[3].Y2, p.Y(4) + 120, 0.01);
}

TEST(DrawWall, NothingInAFrameTooSmall) {
    WallPicture p;
    p.s.Drawing().FrameWidth = 300;
    p.s.Drawing().FrameHeight = 300;
    DrawWall(p.m, p.s, 1, 0);
    DrawDimensionsView(p.m, p.s, 0);
    EXPECT_TRUE(p.s.Calls.empty());
}

TEST(DrawWall, FillsStayInsideTheFrame) {
    for (float slope : {0.0f, 1.0f, 5.0f}) {
        SCOPED_TRACE(slope);
        WallPicture p;
        p.m.BackfillSlopeRatio = slope;
        p.s.Drawing().FrameTop = 7000;   // a lower half page: nothing may reach above it
        DrawWall(p.m, p.s, 1, 0);
        ASSERT_FALSE(p.s.Calls.empty());
        for (const SurfaceCall& c : p.s.Calls) {
            EXPECT_GE(std::min(c.Y1, c.Y2), 7000 - 1e-6) << c.Kind;
            EXPECT_LE(std::max(c.Y1, c.Y2), 7000 + 13500 + 1e-6) << c.Kind;
            EXPECT_LE(std::max(c.X1, c.X2), 18000 + 1e-6) << c.Kind;
        }
    }
}

TEST(DrawWall, BusyPointerWhileDrawing) {
    test::MessageRecorder recorder;
    WallPicture p;
    ComputeDrawingScale(p.m, p.s);
    DrawWall(p.m, p.s, 1, 0);
    DrawDimensionsView(p.m, p.s, 1);
    EXPECT_EQ(recorder.BusyDepth, 0);
    EXPECT_GE(recorder.BusyCalls, 4);
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <algorithm>

#include "ViewTestSupport.h"
#include "analysis/Preparation.h"
#include "drawing/ForceArrows.h"
#include "drawing/LoadBlocks.h"
#include "drawing/LoadsView.h"
#include "runtime/Colours.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;
using test::ViewPicture;

TEST(LoadsView, ArrowScaleFitsTheLargestGroupOfEachSide) {
    struct Case {
        const char* what;
        int32_t marginX;
        float q2, w3, s1, w6, hydro, w8, w10, w11, w12, surcharge;
        double want;
    };
    // MX = 2000 and MY = 600 with the margins 4000 and 1200; text cells 560 x 290
    const Case cases[] = {
        {"no load above 1E-5 keeps 10000", 4000, 0, 0, 0, 0, 0, 0, 0, 5E-6f, 0, 0, 10000},
        {"back plane: earth, water and seismic together", 4000, 2, 1, 1, 0, 0, 0, 0, 0, 0, 0, (2000 - 1680) / 4.0},
        {"uplift", 4000, 0, 0, 0, 0, 0, 0, 0, 4, 0, 0, (600 - 290) / 4.0},
        // the cells would leave its arrows 20: they take half the room
        {"surcharge with water over the heel", 4000, 0, 0, 0, 0, 0, 2, 0, 0, 0, 1, 600 / 2 / 3.0},
        {"front face: water and hydrodynamic", 4000, 0, 0, 0, 3, 1, 0, 0, 0, 0, 0, (2000 - 1120) / 4.0},
        {"the smallest candidate wins", 4000, 2, 1, 1, 0, 0, 0, 0, 4, 0, 0, (600 - 290) / 4.0},
        {"no room beside the wall draws no pressure", 1000, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        test::RecordingSurface s;
        s.Drawing().DrawingMarginX = c.marginX;
        s.Drawing().DrawingMarginY = 1200;
        m.BackfillPressureOrdinates[2] = c.q2;
        m.WaterPressureOrdinates[3] = c.w3;
        m.SeismicPressureOrdinates[1] = c.s1;
        m.WaterPressureOrdinates[6] = c.w6;
        m.HydrodynamicPressureOrdinates[1] = c.hydro;
        m.WaterPressureOrdinates[8] = c.w8;
        m.WaterPressureOrdinates[10] = c.w10;
        m.WaterPressureOrdinates[11] = c.w11;
        m.WaterPressureOrdinates[12] = c.w12;
        m.BackfillSurcharge = c.surcharge;
        FitLoadArrowScale(m, s, {560, 290});
        EXPECT_NEAR(s.Drawing().LoadArrowScale, c.want, 1e-4);
    }
}

TEST(LoadsView, LegendSaysWhenTheWallIsNotStableWithOrWithoutSeismicLoading) {
    struct Case {
        int16_t stable;
        float seismic;
        std::vector<std::string> lines;
        const char* failure = "";
    };
    const std::string line = "Line loads in T/m", distributed = "Distributed loads in T/m\xB2";
    const Case cases[] = {
        {True, 0, {line, distributed}},
        {True, 0.15f, {"Seismic coeficient = 0.15", line, distributed}},
        {False, 0, {"The wall is not stable", line, distributed}},
        {False, 0.15f, {"The wall is not stable", "Seismic coeficient = 0.15", line, distributed}},
        // an analysis that could not be completed is no verdict on the wall
        {False, 0.7f, {"No result could be computed", "Seismic coeficient = 0.70", line, distributed}, "why"},
    };
    for (const Case& c : cases) {
        ViewPicture p;
        p.m.WallStable = c.stable;
        p.m.AnalysisFailure = c.failure;
        p.m.AppliedSeismicCoefficient = c.seismic;
        DrawLoadsLegend(p.m, p.s);
        EXPECT_EQ(p.s.Texts(), c.lines);
        // the last line 60 above the frame's bottom, the others one text height apart above it
        const auto prints = p.s.Of("Print");
        EXPECT_EQ(prints.back().Y1, 13500 - 230 - 60);
        EXPECT_EQ(prints.front().Y1, 13500 - 230.0 * static_cast<double>(prints.size()) - 60);
        EXPECT_EQ(prints.front().X1, 120);
    }
}

// The surcharge rows of the first combination with the factors ES, S1 and S2,
// over the wall drawn with its backfill rising 1 in `slope`.
void DrawSurcharges(ViewPicture& p, float es, float s1, float s2, float slope, double arrowScale) {
    auto& factor = p.m.CombinationSets[1].Combinations[0].Factor;
    factor[ES] = es;
    factor[S1] = s1;
    factor[S2] = s2;
    p.m.BackfillSlopeRatio = slope;
    p.s.Drawing().LoadArrowScale = arrowScale;
    DrawWall(p.m, p.s, 1, 0);
    p.s.Calls.clear();
    SelectLoadCombination(p.m, 1, 0);
    DrawSurchargeLoads(p.m, p.s);
}

TEST(LoadsView, SurchargeRowsFollowTheirFactorsAndStayInsideTheFrame) {
    ViewPicture p;
    DrawSurcharges(p, 0, 1, 1, p.m.BackfillSlopeRatio, 400);
    EXPECT_TRUE(p.s.Calls.empty()) << "no surcharge when its load type has no factor";

    // steep: the row beyond the heel runs out of the frame's top
    DrawSurcharges(p, 1, 0, 1, 0.5f, 400);
    ASSERT_EQ(p.s.Texts(), std::vector<std::string>{"1.00ES"});
    for (const SurfaceCall& c : p.s.Of("Line")) {
        EXPECT_GE(std::min(c.X1, c.X2), p.X(40) - 30 - 1e-3) << "only the row beyond the heel (barbs 30 wide)";
        EXPECT_GE(std::min(c.Y1, c.Y2), p.s.Drawing().FrameTop);
    }
}

TEST(LoadsView, SurchargeValueStandsClearOfItsSlopingTailLine) {
    for (const float ratio : {0.0f, 5.0f, 2.0f}) {
        SCOPED_TRACE(ratio);
        ViewPicture p;
        DrawSurcharges(p, 1, 1, 0, ratio, 200);
        const SurfaceCall* text = p.s.FindText("1.00ES");
        ASSERT_NE(text, nullptr);
        // the tail line joins the arrows' tails from node 8 to node 40
        const auto lines = p.s.Of("Line");
        const auto tails = std::find_if(lines.begin(), lines.end(), [&](const SurfaceCall& c) {
            return std::fabs(c.X1 - p.X(8)) < 1e-6 && std::fabs(c.X2 - p.X(40)) < 1e-6;
        });
        ASSERT_NE(tails, lines.end());
        const double bottom = text->Y1 + 20 * text->FontSize;
        for (const double x : {text->X1, text->X1 + p.s.TextWidth("1.00ES")}) {
            const double line = tails->Y1 + (tails->Y2 - tails->Y1) * (x - tails->X1) / (tails->X2 - tails->X1);
            EXPECT_LE(bottom, line - 15 + 1e-6) << "at x " << x;
        }
    }
}

// A line load's arrow shows on the area under it, inside the frame (under the factor table).
TEST(LoadsView, LineLoadArrowShowsOnWhatLiesUnderItAndStaysInTheFrame) {
    struct Case {
        const char* what;
        float value, x, y, direction;
        int32_t concrete;
    };
    const Case cases[] = {
        {"down on the stem, blue over the concrete's blue", 6, 2.9f, 10, 180, RGB(51, 51, 153)},
        {"down on the stem over a light concrete keeps its colour", 6, 2.9f, 10, 180, RGB(225, 225, 225)},
        {"up from the stem's top, below the table", 6, 2.9f, 10, 0, RGB(51, 51, 153)},
        {"a negative load turned up, below the table", -6, 2.9f, 10, 180, RGB(51, 51, 153)},
        {"off to the left edge", 6, 0.1f, 1, 270, RGB(51, 51, 153)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ViewPicture p;
        p.m.ConcreteColour = c.concrete;
        p.m.LineLoads[1] = {c.value, c.x, c.y, c.direction, LL};
        p.m.LineLoadCount = 1;
        DrawWall(p.m, p.s, 1, 0);
        p.s.Drawing().FrameTop = static_cast<int32_t>(p.Y(1) - 200);
        p.s.Calls.clear();
        DrawLineLoad(p.m, p.s, 1, true);
        for (const SurfaceCall& l : p.s.Of("Line")) {
            EXPECT_TRUE(std::min(l.Y1, l.Y2) >= p.s.Drawing().FrameTop - 1e-6 && std::min(l.X1, l.X2) >= -1e-6);
            const int32_t under = AreaColourAt(p.m, p.s, (l.X1 + l.X2) / 2, (l.Y1 + l.Y2) / 2);
            EXPECT_GE(ContrastRatio(l.Colour, under), 2) << "line at " << l.X1 << ", " << l.Y1;
            EXPECT_TRUE(under != RGB(225, 225, 225) || l.Colour == p.m.LoadColour);
        }
        EXPECT_EQ(p.s.Of("Print").at(0).Colour, p.m.LoadColour) << "the value, on its white ground";
    }
}

TEST(LoadsView, WaterOverTheToeIsDeepestAtTheToeTip) {
    ViewPicture p;
    test::MessageRecorder messages;
    SelectLoadCombination(p.m, 1, 0);
    AnalyseCombination(p.m);
    p.s.Drawing().LoadArrowScale = 100;
    DrawWaterPressure(p.m, p.s);
    // the toe block's arrows point down onto the line just above the front water
    const double y = p.Y(12) - 30;
    std::vector<std::pair<double, double>> toe;   // x, length
    for (const SurfaceCall& c : p.s.Of("Line"))
        if (c.X1 == c.X2 && c.Y2 == y && c.Y1 < y && c.X1 < p.X(2)) toe.emplace_back(c.X1, y - c.Y1);
    ASSERT_GE(toe.size(), 2u);
    std::sort(toe.begin(), toe.end());
    EXPECT_NEAR(toe.front().second, 100 * p.m.WaterPressureOrdinates[10], 100 * 0.1);
    EXPECT_GT(toe.front().second, toe.back().second);
    // with a back batter the heel block leaves its first value to the batter block
    const auto texts = p.s.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), LoadValueText(p.m.WaterPressureOrdinates[7])), 1);
}

}  // namespace
}  // namespace brindlemar

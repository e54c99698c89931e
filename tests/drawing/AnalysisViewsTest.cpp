#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>

#include "ViewTestSupport.h"
#include "analysis/Preparation.h"
#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/LoadsView.h"
#include "drawing/WallView.h"
#include "runtime/Format.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::SurfaceCall;
using test::ViewPicture;

// A wall with no load of some kinds: every view draws the rest with finite
// coordinates and no error, whatever maximum is 0.
TEST(AnalysisViews, WallsWithoutSomeLoadsDrawTheRestWithoutDividingByZero) {
    struct Case {
        const char* what;
        bool water, seismic;
        float surcharge, backfillWeight;
    };
    const Case cases[] = {
        {"no water, no seismic loading, no surcharge", false, false, 0, 1.8f},
        {"no earth pressure either: every pressure is 0", false, false, 0, 0},
        {"water and seismic loading but weightless backfill", true, true, 1, 0},
    };
    for (const Case& c : cases) {
        for (int view : {LoadsView, ReactionsView, ResistancesView, MomentView, ShearView, NormalView}) {
            SCOPED_TRACE(testing::Message() << c.what << ", view " << view);
            ViewPicture p;
            test::MessageRecorder messages;
            p.m.WaterIncluded = c.water ? True : False;
            p.m.SeismicIncluded = c.seismic ? True : False;
            p.m.BackfillSurcharge = c.surcharge;
            p.m.BackfillUnitWeight = p.m.BackfillSaturatedDensity = c.backfillWeight;
            PrepareCombination(p.m);
            DrawAnalysisView(p.m, p.s, view);
            // the reactions of a wall that is not stable are not drawn: the wall alone
            EXPECT_EQ(p.s.Texts().empty(), view == ReactionsView && p.m.WallStable == False);
            for (const SurfaceCall& call : p.s.Calls)
                ASSERT_TRUE(std::isfinite(call.X1) && std::isfinite(call.Y1) && std::isfinite(call.X2) &&
                            std::isfinite(call.Y2))
                    << call.Kind << " " << call.Text;
            EXPECT_TRUE(std::isfinite(p.s.Drawing().LoadArrowScale));
            EXPECT_TRUE(messages.Messages.empty()) << messages.Messages.front().Text;
        }
    }
}

// Each load-type view draws the loads of its family and no other: the
// codes its labels carry, and the line loads by their values.
TEST(AnalysisViews, LoadTypeViewsDrawTheirFamilyAlone) {
    struct Case {
        int view;
        std::set<std::string> codes;      // every code the view's labels carry
        std::set<std::string> lineLoads;  // the line loads it draws
    };
    const Case cases[] = {
        {DeadLoadsView, {"DL", "EV"}, {"3.21DL"}},
        {LiveLoadsView, {"LL"}, {"4.32LL"}},
        {SoilLoadsView, {"EH", "ES"}, {}},
        {WaterLoadsView, {"WA"}, {}},
        {StructuralLoadsView, {"DL", "LL", "IC"}, {"3.21DL", "4.32LL", "5.43IC"}},
        {ImpactLoadsView, {"IC"}, {"5.43IC"}},
        {SeismicLoadsView, {"EQ"}, {}},
        {LoadsView, {"DL", "EV", "EH", "ES", "WA", "EQ", "LL", "IC"}, {"3.21DL", "4.32LL", "5.43IC"}},
    };
    const std::set<std::string> allLineLoads{"3.21DL", "4.32LL", "5.43IC"};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "view " << c.view);
        ViewPicture p;
        test::MessageRecorder messages;
        p.m.WaterIncluded = p.m.SeismicIncluded = True;
        // one line load of each structural type, acting down at the wall's top level
        const float x = p.m.ToeLength, top = p.m.WallHeight;
        p.m.LineLoads[1] = {3.21f, x + 0.5f, top, 180, DL};
        p.m.LineLoads[2] = {4.32f, x + 1.0f, top, 180, LL};
        p.m.LineLoads[3] = {5.43f, x + 1.5f, top, 180, IC};
        p.m.LineLoadCount = 3;
        PrepareCombination(p.m);
        DrawAnalysisView(p.m, p.s, c.view);
        std::set<std::string> codes, lineLoads;
        for (const std::string& t : p.s.Texts()) {
            const bool coded = t.size() >= 2 && std::isupper(static_cast<unsigned char>(t[t.size() - 1])) &&
                               std::isupper(static_cast<unsigned char>(t[t.size() - 2])) &&
                               (t.size() == 2 || std::isdigit(static_cast<unsigned char>(t[t.size() - 3])));
            if (coded) codes.insert(t.substr(t.size() - 2));
            if (allLineLoads.count(t) != 0) lineLoads.insert(t);
        }
        EXPECT_EQ(codes, c.codes);
        EXPECT_EQ(lineLoads, c.lineLoads);
        EXPECT_FALSE(p.s.Of("Line").empty());
    }
}

// Each view's legend is printed once: printed twice on the same spot it
// reads bold.
TEST(AnalysisViews, LegendIsPrintedOnce) {
    for (int view : {LoadsView, ReactionsView, ResistancesView}) {
        SCOPED_TRACE(testing::Message() << "view " << view);
        ViewPicture p;
        test::MessageRecorder messages;
        PrepareCombination(p.m);
        DrawAnalysisView(p.m, p.s, view);
        ASSERT_NE(p.m.WallStable, False);
        const std::vector<std::string> texts = p.s.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Line loads in T/m"), 1);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Distributed loads in T/m\xB2"), 1);
    }
}

// Texts the views place stay inside the frame, off the factor table and off
// one another, on a picture of the default window, a large one and a half
// page, for the built-in wall and a quay wall with high water on both sides.
TEST(AnalysisViews, TextsStayInsideTheFrameAndOffTheTableAndEachOther) {
    struct Case {
        const char* what;
        int32_t width, height;
        float frontWater, backWater;
    };
    const Case cases[] = {
        {"default window, built-in wall", 8745, 9600, 5, 1.5f},
        {"default window, quay wall", 8745, 9600, 1, 0.5f},
        {"large window, quay wall", 18000, 13500, 1, 0.5f},
        {"half page, built-in wall", 9400, 6500, 5, 1.5f},
    };
    // what each view shows of these walls at the least: the weights of the wall and of the earth over
    // the heel and the earth's thrust; the resultant and the base's two edge pressures; a moment at
    // the root of the stem, the toe and the heel (a suffix, or none for a plain number)
    struct Shown {
        int view;
        const char* suffix;
        int least;
    };
    const Shown shown[] = {{LoadsView, "DL", 1}, {LoadsView, "EV", 2}, {LoadsView, "EH", 1},
                           {ReactionsView, "R", 1}, {ReactionsView, "", 2}, {MomentView, "", 3}};
    for (const Case& c : cases) {
        for (int view : {LoadsView, ReactionsView, MomentView}) {
            SCOPED_TRACE(testing::Message() << c.what << ", view " << view);
            ViewPicture p;
            test::MessageRecorder messages;
            p.s.Drawing().FrameWidth = c.width;
            p.s.Drawing().FrameHeight = c.height;
            p.m.EnteredFrontWaterDepth = c.frontWater;
            p.m.EnteredBackWaterDepth = c.backWater;
            PrepareCombination(p.m);
            {
                const FrameBelowFactorTable below(p.s);
                DrawAnalysisView(p.m, p.s, view);
            }
            const TextBox table{0, 0, double(c.width), FactorTableHeight(p.s)};
            TextBoxes written;
            for (const test::SurfaceCall& t : p.s.Of("Print")) {
                const TextBox b = test::BoxOf(p.s, t);
                EXPECT_FALSE(test::BoxesOverlap(b, table)) << t.Text << " over the table";
                EXPECT_TRUE(b.Left >= 0 && b.Left + b.Width <= c.width && b.Top >= 0 && b.Top + b.Height <= c.height)
                    << t.Text << " cut at the frame's edge";
                for (const TextBox& other : written) EXPECT_FALSE(test::BoxesOverlap(b, other)) << t.Text << " over another text";
                written.push_back(b);
            }
            const std::vector<std::string> texts = p.s.Texts();
            for (const Shown& value : shown) {
                const std::string suffix = value.suffix;
                auto ofIt = [&](const std::string& t) {
                    if (suffix.empty()) return IsNumeric(t);
                    return t.size() > suffix.size() && std::isdigit(static_cast<unsigned char>(t[0])) &&
                           t.compare(t.size() - suffix.size(), suffix.size(), suffix) == 0;
                };
                if (value.view != view) continue;
                EXPECT_GE(std::count_if(texts.begin(), texts.end(), ofIt), value.least) << "values ending \"" << suffix << "\"";
            }
        }
    }
}

// No value or code of a view touches another text or a line the view
// draws over the wall (arrows, blocks, rows of surcharge arrows, pressure
// trapezoids, diagrams), on the least window's picture, with a steep
// backfill whose surcharge row fills the frame's top corner, with line
// loads, on a quay wall and on a half page; on the least picture of a
// 1366 x 768 screen at 125 % the views of the analysis but the loads.
TEST(AnalysisViews, TextsTouchNeitherOneAnotherNorTheLinesOfTheView) {
    struct Case {
        const char* what;
        int32_t width, height;
        float frontWater, backWater, slope;
        bool lineLoads;
    };
    const Case cases[] = {
        {"least window, built-in wall", 11745, 8280, 5, 1.5f, 5, false},
        {"least window, quay wall", 11745, 8280, 1, 0.5f, 5, false},
        {"least window, steep backfill", 11745, 8280, 5, 1.5f, 1.2f, false},
        {"least window, line loads", 11745, 8280, 5, 1.5f, 5, true},
        {"least window at 125 % on 1366 x 768", 11340, 6074, 5, 1.5f, 5, false},
        {"least window at 125 % on 1366 x 768, line loads", 11340, 6074, 5, 1.5f, 5, true},
        {"half page, quay wall", 9400, 6500, 1, 0.5f, 5, false},
        {"large window, built-in wall", 18000, 13500, 5, 1.5f, 5, false},
    };
    for (const Case& c : cases)
        for (const int view : {LoadsView, ReactionsView, ResistancesView, MomentView, ShearView, NormalView}) {
            SCOPED_TRACE(testing::Message() << c.what << ", view " << view);
            ViewPicture p;
            test::MessageRecorder messages;
            p.s.FontSize = 8.25;
            p.s.Drawing().FrameWidth = c.width;
            p.s.Drawing().FrameHeight = c.height;
            p.m.EnteredFrontWaterDepth = c.frontWater;
            p.m.EnteredBackWaterDepth = c.backWater;
            p.m.BackfillSlopeRatio = c.slope;
            if (c.lineLoads) test::AddStemAndHeelLineLoads(p.m);
            for (LoadCombination& combination : p.m.CombinationSets[1].Combinations) combination.Factor[S1] = 1;
            PrepareCombination(p.m);
            p.s.Drawing().FrameTop = 1800;
            p.s.Drawing().FrameHeight = c.height - 1800;
            p.s.Calls.clear();
            DrawAnalysisView(p.m, p.s, view);
            // the wall's own lines, drawn as the view draws them, are not the view's; the loads view
            // draws its wall in the type it chose for its values
            test::RecordingSurface wall(18000, 13500, 15);
            wall.FontSize = view == LoadsView ? p.s.Of("Print").at(0).FontSize : p.s.FontSize;
            wall.Drawing() = p.s.Drawing();
            if (view == LoadsView)
                DrawWall(p.m, wall, 1, 0, LoadsViewLeastMargins(wall));
            else
                DrawWall(p.m, wall, 1, view >= MomentView ? 1 : 0);

            auto same = [](const SurfaceCall& a, const SurfaceCall& b) {
                return a.X1 == b.X1 && a.Y1 == b.Y1 && a.X2 == b.X2 && a.Y2 == b.Y2;
            };
            const auto wallLines = wall.Of("Line");
            std::vector<SurfaceCall> lines;
            for (const SurfaceCall& l : p.s.Of("Line"))
                if (std::none_of(wallLines.begin(), wallLines.end(), [&](const SurfaceCall& w) { return same(l, w); }))
                    lines.push_back(l);
            std::vector<std::pair<TextBox, std::string>> boxes;
            for (const SurfaceCall& t : p.s.Of("Print"))
                boxes.push_back({test::BoxOf(p.s, t), t.Text});
            ASSERT_GT(boxes.size(), 3u);
            ASSERT_FALSE(lines.empty());
            for (size_t i = 0; i < boxes.size(); ++i) {
                const TextBox& a = boxes[i].first;
                for (size_t j = i + 1; j < boxes.size(); ++j)
                    EXPECT_FALSE(test::BoxesOverlap(a, boxes[j].first)) << boxes[i].second << " over " << boxes[j].second;
                for (const SurfaceCall& l : lines)
                    EXPECT_FALSE(test::LineMeetsBox(l, a))
                        << boxes[i].second << " crossed by the line from " << l.X1 << ", " << l.Y1 << " to " << l.X2
                        << ", " << l.Y2;
            }
            // however crowded, the loads view shows every value it shows on a roomy picture
            if (view != LoadsView) continue;
            test::RecordingSurface roomy(36000, 27000, 15);
            roomy.Drawing().FrameWidth = 36000;
            roomy.Drawing().FrameHeight = 27000;
            DrawAnalysisView(p.m, roomy, view);
            std::vector<std::string> shown = p.s.Texts(), all = roomy.Texts();
            std::sort(shown.begin(), shown.end());
            std::sort(all.begin(), all.end());
            EXPECT_EQ(shown, all);
        }
}

}  // namespace
}  // namespace brindlemar

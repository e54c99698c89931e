#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "analysis/Analysis.h"
#include "analysis/Preparation.h"
#include "model/Initialise.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportTestSupport.h"
#include "support/MessageRecorder.h"

namespace brindlemar::test {
namespace {

// The title in the right part of the title band, centred at 0.85 W.
const SurfaceCall* BlockTitle(const ReportSheet& r, const std::string& title) {
    const SurfaceCall* call = r.s.FindText(title);
    if (call == nullptr) return nullptr;
    EXPECT_NEAR((call->X1 + call->X2) / 2, 0.85 * r.s.Drawing().FrameWidth, 1e-6);
    // a 10-point line centred in the band (23 twips a point on the recording surface)
    EXPECT_NEAR(call->Y1 + 23 * call->FontSize / 2, r.s.Drawing().FrameTop - r.s.Drawing().TitleBandHeight / 2.0, 1e-6);
    return call;
}

// Every text of the picture lies inside the block's frame.
void ExpectInsideFrame(const ReportSheet& r) {
    for (const SurfaceCall& c : r.s.Of("Print")) {
        if (c.Y1 < r.s.Drawing().FrameTop) continue;  // the title band
        EXPECT_LE(c.Y1, r.s.Drawing().FrameTop + r.s.Drawing().FrameHeight) << c.Text;
    }
}

TEST(DrawingBlocks, EachBlockPrintsItsTitleAndPicture) {
    MessageRecorder messages;
    struct Case {
        const char* title;
        std::function<void(Model&, Surface&)> print;
        const char* inPicture;
    } cases[] = {
        {"Dimensions", [](Model& m, Surface& s) { PrintDimensionsBlock(m, s); }, "Dimensions in m"},
        {"Loads", [](Model& m, Surface& s) { PrintLoadsBlock(m, s); }, "DL"},
        {"Moment diagram", [](Model& m, Surface& s) { PrintDiagramBlock(m, s, 1); }, "Moments in Tm/m"},
        {"Shear force diagram", [](Model& m, Surface& s) { PrintDiagramBlock(m, s, 2); }, "Forces in T/m"},
        {"Normal force diagram", [](Model& m, Surface& s) { PrintDiagramBlock(m, s, 3); }, "Forces in T/m"},
        {"Reactions and restraints", [](Model& m, Surface& s) { PrintReactionsBlock(m, s); }, "DL"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        for (int half : {0, 1}) {
            ReportSheet r;
            PrepareCombination(r.m);
            r.s.Drawing().CurrentHalfPage = static_cast<int16_t>(half);
            c.print(r.m, r.s);
            const SurfaceCall* title = BlockTitle(r, c.title);
            ASSERT_NE(title, nullptr);
            EXPECT_NEAR(title->FontSize, 10 * r.s.Drawing().PrintScale, 1e-6);
            EXPECT_NEAR(r.s.Drawing().BlockFontSize, 6 * r.s.Drawing().PrintScale, 1e-6);
            EXPECT_NE(r.s.FindText(c.inPicture), nullptr);
            ExpectInsideFrame(r);
        }
    }
    EXPECT_TRUE(messages.Messages.empty());
}

// The largest base pressure is scaled into the room above the wall; the
// reactions and the resistances share one picture and one legend: a legend
// printed twice on the same spot reads bold.
TEST(DrawingBlocks, ReactionsOfAStableWallFitTheRoomAndPrintTheLegendOnce) {
    MessageRecorder messages;
    ReportSheet r;
    PrepareCombination(r.m);
    PrintReactionsBlock(r.m, r.s);
    ASSERT_NE(r.m.WallStable, 0);
    const double largest = std::max(r.m.LeftBearingPressure, r.m.RightBearingPressure);
    ASSERT_GT(largest, 0);
    const double label = 23 * 6 * r.s.Drawing().PrintScale + 60;
    EXPECT_NEAR(r.s.Drawing().LoadArrowScale, (r.s.Drawing().DrawingMarginY / 2.0 - label) / largest, 1e-3);
    const std::vector<std::string> texts = r.s.Texts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Line loads in T/m"), 1);
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "Distributed loads in T/m\xB2"), 1);
}

TEST(DrawingBlocks, ReactionsOfAWallThatIsNotStableShowTheWallAndLegendOnly) {
    MessageRecorder messages;
    ReportSheet r;
    r.m.LineLoadCount = 1;
    r.m.LineLoads[1] = {500, 2.9f, 10, 270, DL};
    PrintReactionsBlock(r.m, r.s);
    ASSERT_EQ(r.m.WallStable, 0);
    EXPECT_NE(r.s.FindText("The wall is not stable"), nullptr);
    // no base pressure: the arrow scale of a wall without pressure
    EXPECT_EQ(r.s.Drawing().LoadArrowScale, 10000);
    EXPECT_EQ(r.s.FindText("Forces in T/m"), nullptr);
}

TEST(DrawingBlocks, TextsShrinkWithTheSheet) {
    // a sheet 0.8 of A4 with margins 0.8 as wide gives a scale of 0.8
    BuiltInWall w;
    Model& m = w.m;
    m.TextFontName = "Arial";
    m.PageMarginLeft = 20;
    m.PageMarginRight = 16;
    m.PageMarginTop = 16;
    m.PageMarginBottom = 16;
    PaperSurface s(0.8 * 210 * 56.7 / TwipsPerMm, 0.8 * 297 * 56.7 / TwipsPerMm);
    SetupPrinterPage(m, s);
    ASSERT_NEAR(s.Drawing().PrintScale, 0.8, 1e-4);
    s.Drawing().CurrentHalfPage = 0;
    PrintDimensionsBlock(m, s);
    EXPECT_NEAR(s.FindText("Dimensions")->FontSize, 8, 1e-3);
    EXPECT_NEAR(s.Drawing().BlockFontSize, 4.8, 1e-3);
}

}  // namespace
}  // namespace brindlemar::test

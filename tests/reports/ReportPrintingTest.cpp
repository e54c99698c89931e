#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "analysis/Preparation.h"
#include "drawing/AnalysisViews.h"
#include "drawing/WallView.h"
#include "reports/ReportJob.h"
#include "reports/ReportTestSupport.h"
#include "runtime/RuntimeError.h"
#include "support/MessageRecorder.h"

namespace brindlemar::test {
namespace {

// A print job of the built-in wall on A4, read back from the recording.
struct Job {
    BuiltInWall w;
    Model& m = w.m;
    PaperSurface s{210, 297};
    MessageRecorder messages;
    std::vector<std::string> captions;

    Job() {
        UsePrinterFonts(m);
        FactorForConcrete(m);
        m.ProjectTitle = "Quay wall";
    }
    void Run() {
        PrintReport(m, s, [this](const std::string& caption) { captions.push_back(caption); });
    }
    // Blocks printed: each frames its half page with the project title.
    int Blocks() const {
        const auto texts = s.Texts();
        return static_cast<int>(std::count(texts.begin(), texts.end(), "Quay wall"));
    }
    std::vector<std::string> Footers() const {
        std::vector<std::string> out;
        for (const std::string& t : s.Texts())
            if (t.rfind("Page ", 0) == 0) out.push_back(t);
        return out;
    }
    int Kinds(const char* kind) const { return static_cast<int>(s.Of(kind).size()); }
};

TEST(ReportPrinting, SheetsTurnAfterEveryBottomBlock) {
    struct Case {
        const char* what;
        std::vector<int> sections;
        int combinations;
        int blocks;
        std::vector<std::string> footers;
        int newPages;
    } cases[] = {
        {"nothing chosen", {}, 1, 0, {}, 0},
        {"dimensions alone", {SectionDimensions}, 1, 1, {"Page 1 of 1"}, 0},
        // the sheet after the bottom block is begun but receives nothing
        {"dimensions and properties", {SectionDimensions, SectionProperties}, 1, 2, {"Page 1 of 1"}, 1},
        {"loads of three", {SectionLoads}, 3, 3, {"Page 1 of 2", "Page 2 of 2"}, 1},
        {"stability of four", {SectionStability}, 4, 2, {"Page 1 of 1"}, 1},
        {"diagrams of two", {SectionDiagrams}, 2, 6, {"Page 1 of 3", "Page 2 of 3", "Page 3 of 3"}, 3},
        {"reactions of one", {SectionReactions}, 1, 1, {"Page 1 of 1"}, 0},
        // designed from the report's own section forces, with no print dialog before it
        {"reinforcement of one", {SectionReinforcementDesign}, 1, 5, {"Page 1 of 3", "Page 2 of 3", "Page 3 of 3"}, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Job job;
        SetCombinationCount(job.m, c.combinations);
        for (int section : c.sections) SectionSwitch(job.m, section) = 1;
        job.Run();
        EXPECT_EQ(job.Blocks(), c.blocks);
        EXPECT_EQ(CountReportBlocks(job.m), c.blocks);
        EXPECT_EQ(job.Footers(), c.footers);
        EXPECT_EQ(job.Kinds("NewPage"), c.newPages);
        EXPECT_EQ(job.s.Calls.back().Kind, "EndDoc");
        if (c.blocks == 0) {
            EXPECT_EQ(job.s.Calls.size(), 1u);  // the end of the document alone
        }
        EXPECT_EQ(job.s.Drawing().PageCount, static_cast<int>(c.footers.size()));
        EXPECT_TRUE(job.messages.Messages.empty());
    }
}

// A printed report sets its own pens, arrows and frame on the paper: the
// screen's picture drawn after it is the one drawn before it.
TEST(ReportPrinting, TheScreensPictureIsTheSameAfterAReport) {
    for (const int view : {0, int(LoadsView), int(ReactionsView), int(MomentView)}) {
        SCOPED_TRACE(view);
        Job job;
        for (int section = 0; section <= 6; ++section) SectionSwitch(job.m, section) = 1;
        const auto draw = [&] {
            RecordingSurface screen(18000, 13500, 15);
            screen.Drawing().FrameWidth = 18000;
            screen.Drawing().FrameHeight = 13500;
            PrepareCombination(job.m);
            if (view == 0) DrawWall(job.m, screen, 1, 1);
            else DrawAnalysisView(job.m, screen, view);
            std::vector<std::tuple<std::string, double, double, double, double, int32_t, int>> log;
            for (const SurfaceCall& c : screen.Calls) log.emplace_back(c.Kind, c.X1, c.Y1, c.X2, c.Y2, c.Colour, c.Width);
            return log;
        };
        const auto before = draw();
        ASSERT_GT(before.size(), 10u);
        job.Run();
        EXPECT_EQ(draw(), before);
    }
}

TEST(ReportPrinting, WholeReportKeepsTheCombinationAndCountsItsBlocks) {
    Job job;
    SetCombinationCount(job.m, 4);
    job.m.CurrentCombination = 2;
    for (int section = 0; section <= 6; ++section) SectionSwitch(job.m, section) = 1;
    job.Run();
    EXPECT_EQ(job.m.CurrentCombination, 2);
    EXPECT_EQ(job.Blocks(), CountReportBlocks(job.m));
    EXPECT_EQ(static_cast<int>(job.Footers().size()), job.s.Drawing().PageCount);
    EXPECT_EQ(job.s.Drawing().PageNumber, job.s.Drawing().PageCount + (job.s.Drawing().CurrentHalfPage == 0 ? 1 : 0));
    // the captions in the order of the sections, one per block up to the
    // stability section, one per combination of the diagrams, one for the
    // reinforcement
    std::vector<std::string> want = {"Printing dimensions", "Printing properties"};
    for (const char* caption : {"Printing loads", "Printing reactions"})
        want.insert(want.end(), 4, caption);
    want.insert(want.end(), 2, "Printing stability");
    want.insert(want.end(), 4, "Printing diagrams");
    want.push_back("Printing reinforcement design");
    EXPECT_EQ(job.captions, want);
    EXPECT_TRUE(job.messages.Messages.empty());
}

// A sheet narrower than its margins is refused with a message that says
// why; the document is ended all the same.
TEST(ReportPrinting, MarginsThatLeaveNoRoomEndTheDocumentAndKeepTheCombination) {
    Job job;
    job.m.PrintDimensions = 1;
    job.m.CurrentCombination = 1;
    job.m.PageMarginLeft = 50;
    job.m.PageMarginRight = 50;
    PaperSurface envelope(98, 225);
    try {
        PrintReport(job.m, envelope, nullptr);
        FAIL() << "a sheet narrower than its margins was measured";
    } catch (const RuntimeError& e) {
        EXPECT_NE(e.Description.find("margins"), std::string::npos);
    }
    ASSERT_FALSE(envelope.Calls.empty());
    EXPECT_EQ(envelope.Calls.back().Kind, "EndDoc");
    EXPECT_EQ(job.m.CurrentCombination, 1);
}

}  // namespace
}  // namespace brindlemar::test

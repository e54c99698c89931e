#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "reports/CombinationTexts.h"
#include "reports/ReportJob.h"
#include "reports/ReportTestSupport.h"

namespace brindlemar::test {
namespace {

TEST(CombinationTexts, WholeLoadTermsToTheWidthOfTheColumn) {
    BuiltInWall w;
    Model& m = w.m;
    const int set = 1;
    LoadCombination& c = m.CombinationSets[set].Combinations[0];
    const auto setFactors = [&](std::initializer_list<float> loads) {
        c.Factor.fill(0);
        int j = 1;
        for (float f : loads) c.Factor[static_cast<size_t>(j++)] = f;
        // resistance factors never enter the texts
        c.Factor[12] = 0.45f;
        c.Factor[21] = 0.75f;
    };
    for (int j = 1; j <= 21; ++j) ASSERT_FALSE(m.CombinationSets[set].Factors.FactorCode[static_cast<size_t>(j)].empty());
    // ten twips a character
    RecordingSurface s;
    s.FontSize = 1;
    const std::initializer_list<float> eleven = {1.875f, 1.875f, 1.875f, 1.875f, 1.875f, 1.875f,
                                                 1.875f, 1.875f, 1.875f, 1.875f, 1.875f};

    struct Case {
        const char* what;
        std::initializer_list<float> loads;
        double width;
        const char* line;
        std::array<const char*, 3> wrapped;
    } cases[] = {
        {"no load", {}, 1e9, "", {"", "", ""}},
        {"three terms", {1.25f, 1.35f, 1.5f}, 1e9, "1.25DL+1.35EV+1.5EH", {"1.25DL+1.35EV+1.5EH", "", ""}},
        {"factor 1 and skipped zeros", {1, 0, 0, 0, 0.9f}, 1e9, "1DL+0.9LL", {"1DL+0.9LL", "", ""}},
        {"exactly four", {1, 1, 1, 1}, 1e9, "1DL+1EV+1EH+1ES", {"1DL+1EV+1EH+1ES", "", ""}},
        {"all eleven",
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},
         1e9,
         "1DL+2EV+3EH+4ES+5LL+6LD+7WA+8EQ+9IC+10S1+11S2",
         {"1DL+2EV+3EH+4ES", "+5LL+6LD+7WA+8EQ", "+9IC+10S1+11S2"}},
        // a term that does not fit goes to the next line; on the last line
        // the mark of the terms left out takes its place
        {"third term too wide", {1.25f, 1.35f, 1.5f}, 150, "1.25DL+1.35EV+\x85", {"1.25DL+1.35EV", "+1.5EH", ""}},
        // cut at a whole term, not after "+1.875" or "+1.8"
        {"eleven on sixty characters",
         eleven,
         600,
         "1.875DL+1.875EV+1.875EH+1.875ES+1.875LL+1.875LD+1.875WA+\x85",
         {"1.875DL+1.875EV+1.875EH+1.875ES", "+1.875LL+1.875LD+1.875WA+1.875EQ", "+1.875IC+1.875S1+1.875S2"}},
        {"eleven on thirty characters",
         eleven,
         300,
         "1.875DL+1.875EV+1.875EH+\x85",
         {"1.875DL+1.875EV+1.875EH", "+1.875ES+1.875LL+1.875LD", "+1.875WA+1.875EQ+1.875IC+\x85"}},
        {"not even one term", {1.25f}, 20, "\x85", {"", "", "\x85"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        setFactors(k.loads);
        EXPECT_EQ(FormatCombination(m, s, set, 0, k.width), k.line);
        const std::vector<std::string> lines = FormatCombinationWrapped(m, s, set, 0, k.width, 3);
        ASSERT_EQ(lines.size(), 3u);
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(lines[i], k.wrapped[i]) << "line " << i + 1;
            EXPECT_LE(s.TextWidth(lines[i]), k.width);
        }
    }
}

TEST(ReportJob, ForceTablePagesFollowTheCombinationCount) {
    for (int n = 0; n <= 50; ++n) {
        int p = static_cast<int>(std::floor(n / 15.0 + 0.99));
        if (n % 15 == 0 || n % 15 == 14) ++p;
        EXPECT_EQ(ReinforcementTablePages(n), p) << n;
    }
}

TEST(ReportJob, BlockCountsPerSection) {
    struct Case {
        const char* what;
        int section;
        int n;
        bool designApplies;
        int blocks;
    } cases[] = {
        {"dimensions", SectionDimensions, 5, false, 1},
        {"properties", SectionProperties, 5, false, 1},
        {"loads", SectionLoads, 3, false, 3},
        {"reactions", SectionReactions, 7, false, 7},
        {"stability of 4", SectionStability, 4, false, 2},
        {"stability of 3", SectionStability, 3, false, 1},
        {"stability of none", SectionStability, 0, false, 0},
        {"diagrams of 2", SectionDiagrams, 2, false, 6},
        {"reinforcement of 14, no design", SectionReinforcementDesign, 14, false, 4},
        {"reinforcement of 14 with design", SectionReinforcementDesign, 14, true, 7},
        {"reinforcement of 13 with design", SectionReinforcementDesign, 13, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltInWall w;
        Model& m = w.m;
        SetCombinationCount(m, c.n);
        SectionSwitch(m, c.section) = 1;
        LoadCombination& first = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)].Combinations[0];
        first.Factor[CT] = 0.9f;
        first.Factor[CC] = 0.65f;
        m.AllCombinationsStable = c.designApplies ? -1 : 0;
        EXPECT_EQ(CountReportBlocks(m), c.blocks);
        EXPECT_EQ(ReportPageCount(m), (c.blocks + 1) / 2);
    }
}

TEST(ReportJob, DesignBlocksNeedBothFlexureFactorsAndAStableSet) {
    BuiltInWall w;
    Model& m = w.m;
    LoadCombination& first = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)].Combinations[0];
    struct Case {
        float ct, cc;
        int16_t stable;
        bool want;
    } cases[] = {{0.9f, 0.65f, -1, true}, {0, 0.65f, -1, false}, {0.9f, 0, -1, false}, {0.9f, 0.65f, 0, false},
                 {-0.9f, 0.65f, -1, false}};
    for (const Case& c : cases) {
        first.Factor[CT] = c.ct;
        first.Factor[CC] = c.cc;
        m.AllCombinationsStable = c.stable;
        EXPECT_EQ(DesignBlocksApply(m), c.want) << c.ct << " " << c.cc << " " << c.stable;
    }
}

TEST(ReportJob, SectionsAddUpAndOnlyOneCounts) {
    BuiltInWall w;
    Model& m = w.m;
    SetCombinationCount(m, 4);
    m.AllCombinationsStable = 0;
    for (int section = 0; section <= 6; ++section) SectionSwitch(m, section) = 1;
    // 1 + 4 + 1 + 2 + 4 + 2 + 12
    EXPECT_EQ(CountReportBlocks(m), 26);
    EXPECT_EQ(ReportPageCount(m), 13);
    // a switch holding anything but 1 does not count
    m.PrintDiagrams = -1;
    EXPECT_EQ(CountReportBlocks(m), 14);
}

}  // namespace
}  // namespace brindlemar::test

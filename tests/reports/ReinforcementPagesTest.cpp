// The blocks of the reinforcement section: which writer each block number
// reaches for a set of n combinations, and the design of the built-in wall
// under a factored set as the pages print it.

#include <gtest/gtest.h>

#include "ReinforcementTestSupport.h"
#include "design/DesignReinforcement.h"
#include "design/DesignSectionForces.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportJob.h"

namespace brindlemar::test {
namespace {

// What a printed block holds, told by texts only that writer prints.
std::string BlockKind(const ReinforcementSheet& r) {
    const RecordingSurface& s = r.s;
    if (s.FindText("Unit: Tm/m")) return "moments";
    if (s.FindText("Unit: T/m")) return "shears";
    if (s.FindText("Right")) return s.FindText("%") ? "flexure 1" : "flexure 2";
    if (s.FindText("Unit")) return "shear design";
    return "empty";
}

TEST(ReinforcementPages, BlockNumbersReachTablePagesThenTheDesignBlocks) {
    for (int n : {1, 13, 14, 16, 29}) {
        SCOPED_TRACE(n);
        ReinforcementSheet r;
        Model& m = r.m;
        r.Combinations(n);
        const int p = ReinforcementTablePages(n);

        std::vector<std::string> want, got;
        for (int page = 1; page <= p; ++page) want.push_back("moments " + std::to_string(page));
        for (int page = 1; page <= p; ++page) want.push_back("shears " + std::to_string(page));
        want.insert(want.end(), {"flexure 1", "flexure 2", "shear design", "empty"});
        for (int k = 1; k <= 2 * p + 4; ++k) {
            r.s.Calls.clear();
            PrintReinforcementBlock(m, r.s, k);
            const SurfaceCall* title = r.s.FindText("Reinforcements");
            ASSERT_NE(title, nullptr) << k;
            EXPECT_NEAR((title->X1 + title->X2) / 2, 0.85 * r.W(), 1e-6);
            std::string kind = BlockKind(r);
            if (kind == "moments" || kind == "shears") {
                // the page is known by its first combination: 15 to a page
                int page = 0;
                for (int c = 1; c <= n && page == 0; c += 15)
                    if (r.s.FindText("C" + std::to_string(c))) page = (c - 1) / 15 + 1;
                // a page of the closing block alone is the one after the last rows
                if (page == 0) page = p;
                kind += " " + std::to_string(page);
            }
            got.push_back(kind);
        }
        EXPECT_EQ(got, want);
    }
}

// The built-in wall under its first combination with the concrete's
// strength reduction factors: the lower stem's right face and its shear
// were designed by hand in the design tests (Mu = 143.877 T·m at 7.73 m
// below the stem top, 31 mm bars at 21 cm, phi Mn = 187.99 T·m;
// Vu = 33.375 T, phi Vn = 102.589 T at 6.187 m).
struct BuiltInWallPages : ::testing::Test {
    ReinforcementSheet r;
    Model& m = r.m;

    void SetUp() override {
        auto& factor = m.CombinationSets[1].Combinations[0].Factor;
        factor[CT] = 0.9f;
        factor[CC] = 0.65f;
        factor[CS] = 0.75f;
        ComputeDesignSectionForces(m);
        ASSERT_TRUE(DesignBlocksApply(m));
        DesignReinforcement(m);
    }

    std::string Face(int c, int row) const {
        return r.TextEndingAt(r.W() * (0.38 + 0.0775 * c - 0.003), r.RowY(row));
    }
};

TEST_F(BuiltInWallPages, MomentTableCarriesTheGoverningFootMoment) {
    const int lowerRight = static_cast<int>(DesignPosition::LowerStemRight);
    ASSERT_EQ(m.GoverningFlexureCombinations[lowerRight], 2);
    PrintReinforcementBlock(m, r.s, 1);
    const double edge = r.W() * (0.42 + 0.0725 * lowerRight - 0.001);
    const double h = r.Row(), y1 = r.RowY(0);
    // row 2, and the closing block under two rows
    EXPECT_EQ(r.TextEndingAt(edge, y1 + h * (1.5 * 2 + 1.7)), "-141.85 ");
    EXPECT_EQ(r.TextEndingAt(edge, y1 + h * (1.5 * 2 + 3)), "-141.85 ");
    EXPECT_EQ(r.TextEndingAt(edge, y1 + h * (1.5 * 2 + 4)), "26.45 ");
    EXPECT_EQ(r.TextEndingAt(edge, y1 + h * (1.5 * 2 + 5)), "7.73 ");
}

TEST_F(BuiltInWallPages, DesignBlocksPrintTheLowerStemFoot) {
    const int c = static_cast<int>(DesignPosition::LowerStemRight);
    PrintReinforcementBlock(m, r.s, 3);
    const struct {
        int row;
        const char* text;
    } block1[] = {{4, "7.73"},   {6, "181.3"},    {7, "5.0"},   {9, "141.85"},  {10, "26.45"},
                  {12, "31"},    {13, "22"},      {14, "34.3"}, {21, "Tension"}, {22, "0.90"},
                  {23, "180.51"}};
    for (const auto& want : block1) EXPECT_EQ(Face(c, want.row), want.text) << want.row;

    r.Reprint();
    PrintReinforcementBlock(m, r.s, 4);
    EXPECT_EQ(Face(c, 4), "1995.42");
    EXPECT_EQ(Face(c, 7), "41.2");
    for (int row = 10; row <= 14; ++row) EXPECT_EQ(Face(c, row), "OK") << row;

    r.Reprint();
    PrintReinforcementBlock(m, r.s, 5);
    const double edge = r.W() * (0.38 + 0.155 * 2 - 0.05);
    const struct {
        int row;
        const char* text;
    } shear[] = {{4, "6.19"}, {5, "100"}, {6, "161.7"}, {8, "32.94"}, {9, "19.27"},
                 {11, "0.75"}, {12, "102.59"}, {13, "OK"}};
    for (const auto& want : shear) EXPECT_EQ(r.TextEndingAt(edge, r.RowY(want.row)), want.text) << want.row;
}

}  // namespace
}  // namespace brindlemar::test

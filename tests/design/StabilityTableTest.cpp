// The stability results table: combination headers, which cells show for a
// stable or unstable wall and for zero factors, the failed-check colours,
// and the built-in wall's columns against the hand-worked stability values.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/StabilityTable.h"
#include "analysis/Analysis.h"
#include "support/BuiltInWall.h"
#include "runtime/Format.h"

namespace brindlemar {
namespace {

TEST(CombinationFormula, FourTermsToALineAndNoPlusAfterTheLast) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, float>> factors;
        const char* want;
    };
    const Case cases[] = {
        {"every load factor 1", {{DL, 1}, {EV, 1}, {EH, 1}, {ES, 1}, {LL, 1}, {LD, 1}, {WA, 1}, {EQ, 1}, {IC, 1}, {S1, 1}, {S2, 1}},
         "C\n\r1DL+1EV+1EH+1ES\n\r+1LL+1LD+1WA+1EQ\n\r+1IC+1S1+1S2"},
        {"two terms", {{DL, 1}, {EV, 1}}, "C\n\r1DL+1EV"},
        {"exactly four terms end without a break", {{DL, 1.2f}, {EV, 1.35f}, {EH, 1.5f}, {ES, 0.75f}},
         "C\n\r1.2DL+1.35EV+1.5EH+0.75ES"},
        {"exactly eight", {{DL, 1}, {EV, 1}, {EH, 1}, {ES, 1}, {LL, 1}, {LD, 1}, {WA, 1}, {EQ, 1}},
         "C\n\r1DL+1EV+1EH+1ES\n\r+1LL+1LD+1WA+1EQ"},
        {"resistance factors never appear", {{EH, 1.6f}, {BE, 0.5f}, {FC, 0.8f}}, "C\n\r1.6EH"},
        {"no load factor", {{CT, 0.9f}}, "C"},
    };
    test::BuiltInWall wall;
    Model& m = wall.m;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadCombination& comb = m.CombinationSets[1].Combinations[0];
        comb.Name = "C";
        comb.Factor.fill(0);
        for (auto [code, value] : c.factors) comb.Factor[code] = value;
        EXPECT_EQ(CombinationFormula(m, 1, 0), c.want);
    }
}

// One combination of the active set whose results are written by hand.
struct StabilityColumnTest : ::testing::Test {
    test::BuiltInWall wall;
    Model& m = wall.m;
    LoadCombination& comb = m.CombinationSets[1].Combinations[0];

    void SetUp() override {
        m.AnalysisBaseWidth = 6;
        comb.Factor.fill(0);
        comb.Factor[DL] = 1;
        for (int k : {BE, FC, EX, RO}) comb.Factor[k] = 1;
        m.CombinationWallStableFlags[1] = True;
        m.CombinationTotalHorizontalForces[1] = -80.5f;
        m.CombinationTotalVerticalForces[1] = 100;
        m.CombinationMomentsAtOverturningPoint[1] = 116.16f;
        m.CombinationMomentsAtMidbase[1] = -183.84f;
        m.CombinationEccentricitiesFromOverturningPoint[1] = 1.1616f;
        m.CombinationEccentricitiesFromMidbase[1] = -1.5f;
        m.CombinationLeftBearingPressures[1] = 50;
        m.CombinationRightBearingPressures[1] = 0;
        m.CombinationBearingPressureWidths[1] = 3;
        m.CombinationNominalBearingResistances[1] = 10;
        m.CombinationBearingResistanceRatios[1] = 2;
        m.CombinationSlidingForces[1] = 80.5f;
        m.CombinationSlidingResistingForces[1] = 60;
        m.CombinationSlidingResistanceRatios[1] = 0.745f;
        m.CombinationRotatingMoments[1] = 400;
        m.CombinationRotationResistingMoments[1] = 500;
        m.CombinationRotationResistanceRatios[1] = 1.25f;
    }
};

TEST_F(StabilityColumnTest, StableWallShowsEveryGroup) {
    const auto c = StabilityColumn(m, 1);
    struct Row { int row; const char* text; bool red; };
    const Row want[] = {
        {2, "Stable", false},
        {5, "80.50", false},  // the horizontal force reads with its sign reversed
        {6, "100.00", false},
        {9, "1.16", false},
        {11, "1 \xBD" "B, 2.00", false},
        {14, "50.00", false},
        {16, "3.00, 50.0%", false},
        {17, "100.00", false},  // 10 kg/cm² is 100 T/m²
        {18, "2.00", false},
        {21, "80.50", false},
        {22, "60.00", false},
        {23, "0.74", true},
        {27, "500.00", false},
        {28, "1.25", false},
    };
    for (const Row& r : want) {
        SCOPED_TRACE(r.row);
        EXPECT_EQ(c[r.row].Text, r.text);
        EXPECT_EQ(c[r.row].Red, r.red);
    }
}

TEST_F(StabilityColumnTest, UnstableWallShowsItsEccentricityOnly) {
    m.CombinationWallStableFlags[1] = False;
    const auto c = StabilityColumn(m, 1);
    EXPECT_EQ(c[2].Text, "Not stable");
    EXPECT_TRUE(c[2].Red);
    for (int row = 5; row <= 11; ++row) EXPECT_FALSE(c[row].Text.empty()) << row;
    for (int row = 12; row < StabilityTableRows; ++row) EXPECT_EQ(c[row].Text, "") << row;
}

TEST_F(StabilityColumnTest, NoResultIsNoVerdictAndTheNoteSaysWhy) {
    m.ActiveCombinationSet = 1;
    m.CombinationSets[1].CombinationCount = 3;
    for (int i : {1, 3}) {
        m.CombinationWallStableFlags[i] = False;
        m.CombinationAnalysisFailures[i] = "No wedge holds the backfill.";
    }
    m.CombinationWallStableFlags[2] = True;
    m.CombinationAnalysisFailures[2].clear();
    const auto c = StabilityColumn(m, 1);
    EXPECT_EQ(c[2].Text, "No result");
    EXPECT_TRUE(c[2].Red);
    EXPECT_EQ(StabilityColumn(m, 2)[2].Text, "Stable");
    // each reason once, under the units
    EXPECT_EQ(StabilityNote(m), "Per 1 m of wall length.\nNo result: No wedge holds the backfill.");
}

TEST_F(StabilityColumnTest, ZeroFactorsHideTheirResistances) {
    comb.Factor[BE] = comb.Factor[FC] = comb.Factor[RO] = comb.Factor[EX] = 0;
    const auto c = StabilityColumn(m, 1);
    for (int row : {11, 17, 18, 22, 23, 27, 28}) EXPECT_EQ(c[row].Text, "") << row;
    for (int row : {14, 15, 16, 21, 26}) EXPECT_NE(c[row].Text, "") << row;
    // without base friction, passive earth or a restraint still resists
    // sliding: its check is shown, failing in red
    for (int code : {EP, RH}) {
        comb.Factor[code] = 1;
        const auto resisted = StabilityColumn(m, 1);
        EXPECT_EQ(resisted[22].Text, "60.00") << code;
        EXPECT_EQ(resisted[23].Text, "0.74") << code;
        EXPECT_TRUE(resisted[23].Red) << code;
        comb.Factor[code] = 0;
    }
}

TEST_F(StabilityColumnTest, LimitsOfTheChecks) {
    struct Case {
        const char* what;
        float e, sliding, rotation;
        bool eRed, slidingRed;
        const char* slidingText;
        const char* rotationText;
    };
    const Case cases[] = {
        {"eccentricity exactly at the criterion, ratio exactly 1", -3, 1, 1, false, true, "1.00", "1.00"},
        {"just beyond both: a ratio below 1 never reads 1.00", 3.01f, 0.999f, 2, true, true, "0.99", "2.00"},
        {"nothing drives sliding or rotation", 0.5f, 1E+10f, 1E+10f, false, false, "", ""},
        {"ratios just below the empty limit", 0.5f, 999.99f, 999.99f, false, false, "999.99", "999.99"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        m.CombinationEccentricitiesFromMidbase[1] = k.e;
        m.CombinationSlidingResistanceRatios[1] = k.sliding;
        m.CombinationRotationResistanceRatios[1] = k.rotation;
        const auto c = StabilityColumn(m, 1);
        EXPECT_EQ(c[11].Red, k.eRed);
        EXPECT_EQ(c[23].Text, k.slidingText);
        EXPECT_EQ(c[23].Red, k.slidingRed);
        EXPECT_EQ(c[28].Text, k.rotationText);
    }
    // a resultant at mid-base has no finite criterion ratio
    m.CombinationEccentricitiesFromMidbase[1] = 0;
    EXPECT_EQ(StabilityColumn(m, 1)[11].Text, "1 \xBD" "B, --");
}

TEST(StabilityCaptions, UnitsOfTheProjectsSystem) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    m.CurrentUnitSystem = SI;
    const auto c = StabilityCaptions(m);
    EXPECT_EQ(c[0].Text, "Load combinations\n\rUnfactored");
    EXPECT_TRUE(c[0].Bold);
    EXPECT_EQ(c[7].Text, "- Moment at overturning point (kNm)");
    EXPECT_EQ(c[16].Text, "- Pressure width (m, %)");
    EXPECT_EQ(c[17].Text, "- Factored bearing resistance (kPa)");
    EXPECT_TRUE(c[20].Bold);
    EXPECT_EQ(StabilityNote(m), "Per 1 m of wall length.");
    m.CurrentUnitSystem = British;
    EXPECT_EQ(StabilityNote(m), "Per 1 ft of wall length.");
}

// The built-in wall under "Sliding and eccentricity", worked by hand (see
// tests/analysis/AnalysisTest.cpp): V 100.0, H -86.88, M 116.2, e -2.439 on
// B = 2 + 0.5 + 0.83 + 0.5 + 3.37 = 7.2, toe pressure 57.43 over 3.484, sliding 64.46 against 86.88,
// rotation 542.1 against 425.2.
TEST(StabilityTableOfTheBuiltInWall, ShowsTheHandWorkedValues) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    AnalyseAllCombinations(m);
    const auto c = StabilityColumn(m, 1);
    EXPECT_EQ(c[2].Text, "Stable");
    EXPECT_NEAR(Val(c[5].Text), 86.88, 0.006);
    EXPECT_NEAR(Val(c[6].Text), 100.0, 0.05);
    EXPECT_NEAR(Val(c[7].Text), 116.2, 0.05);
    EXPECT_NEAR(Val(c[10].Text), -2.44, 0.006);
    // criterion 3.6 against |e| = 2.439: 1.476, rounded down as ratios are
    EXPECT_EQ(c[11].Text, "1 \xBD" "B, 1.47");
    EXPECT_NEAR(Val(c[14].Text), 57.43, 0.006);
    EXPECT_EQ(c[16].Text.substr(c[16].Text.find(", ")), ", 48.4%");
    EXPECT_EQ(c[17].Text, "100.00");
    EXPECT_EQ(c[18].Text, "1.74");
    EXPECT_EQ(c[23].Text, "0.74");
    EXPECT_TRUE(c[23].Red);
    EXPECT_NEAR(Val(c[27].Text), 542.1, 0.05);
    EXPECT_FALSE(c[28].Red);
}

// The factored resistance shown is the one the ratio was formed from, by
// whichever bearing method the project uses.
TEST(StabilityTableOfTheBuiltInWall, BearingResistanceAgreesWithItsRatio) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    m.BearingResistanceMethod = TheoreticalBearing;
    m.CombinationSets[1].Combinations[1].Factor[BE] = 0.45f;
    AnalyseAllCombinations(m);
    for (int i = 1; i <= 2; ++i) {
        SCOPED_TRACE(i);
        const auto c = StabilityColumn(m, i);
        ASSERT_EQ(c[2].Text, "Stable");
        const double qmax = std::max(*m.CombinationLeftBearingPressures[i], *m.CombinationRightBearingPressures[i]);
        const double resistance = Val(c[17].Text);
        EXPECT_NE(resistance, 10 * 10 * m.CombinationSets[1].Combinations[i - 1].Factor[BE]);
        EXPECT_NEAR(resistance / qmax, *m.CombinationBearingResistanceRatios[i], 0.01);
    }
}

}  // namespace
}  // namespace brindlemar

// The texts of the reinforcement design window: combination titles and the
// combination list, the force tables for stable and unstable combinations,
// the design sheets of loaded and unloaded faces in the three unit systems,
// and the values the user types.

#include <gtest/gtest.h>

#include "design/DesignReinforcement.h"
#include "design/DesignSectionForces.h"
#include "design/ReinforcementSheets.h"
#include "model/Initialise.h"
#include "model/Outline.h"
#include "runtime/Format.h"
#include "support/BuiltInWall.h"

namespace brindlemar {
namespace {

struct ReinforcementSheetsTest : ::testing::Test {
    test::BuiltInWall wall;
    Model& m = wall.m;
    CombinationSet& set = m.CombinationSets[1];

    void SetUp() override {
        set.Name = "Strength";
        for (LoadCombination& c : set.Combinations) c.Factor.fill(0);
        set.Combinations[0].Name = "One";
        set.Combinations[0].Factor[DL] = 1.2f;
        set.Combinations[0].Factor[EH] = 1.6f;
        set.Combinations[0].Factor[CT] = 0.9f;  // never shown
        set.Combinations[1].Name = "Two";
        set.Combinations[1].Factor[DL] = 0.9f;
        m.CombinationWallStableFlags = {};
        m.CombinationWallStableFlags[1] = True;
        m.CombinationWallStableFlags[2] = False;
    }
};

TEST_F(ReinforcementSheetsTest, CombinationTitles) {
    EXPECT_EQ(CombinationTitle(m, 1, 0), "One\r\n1.2DL+1.6EH");
    EXPECT_EQ(CombinationTitle(m, 1, 1), "Two (not stable)\r\n0.9DL");
    // a combination no analysis has reached counts as not stable
    set.Combinations[2].Name = "Three";
    EXPECT_EQ(CombinationTitle(m, 1, 2), "Three (not stable)\r\n");
    // one the analysis could not compute is no verdict on the wall
    m.CombinationAnalysisFailures[2] = "Division by zero";
    EXPECT_EQ(CombinationTitle(m, 1, 1), "Two (no result)\r\n0.9DL");
    m.CombinationAnalysisFailures[2].clear();
}

TEST_F(ReinforcementSheetsTest, ListingOfTheSet) {
    const std::string start = "One\r\n1.2DL + 1.6EH\r\n\r\nTwo (not stable)\r\n0.9DL\r\n\r\nNotes:\r\n";
    EXPECT_EQ(CombinationsListing(m).substr(0, start.size()), start);
    EXPECT_NE(CombinationsListing(m).find("\r\n\r\nNotes:\r\nDL - "), std::string::npos);
    for (int k = DL; k <= S2; ++k) set.Factors.FactorCode[k].clear();
    const std::string listing = CombinationsListing(m);
    EXPECT_EQ(listing.substr(listing.size() - 8), "Notes:\r\n");
}

TEST_F(ReinforcementSheetsTest, ForceTablesOfStableAndUnstableCombinations) {
    m.FlexureMoments[1][1] = -12.345f;
    m.FlexureMoments[1][2] = 0;
    m.FlexureMoments[2][1] = -99;  // left from an earlier run: never shown
    m.ShearForces[1][3] = 7.5f;
    m.AllCombinationsStable = False;

    const ForceTableTexts moments = ForceTables(m, ForceKind::Moment);
    EXPECT_EQ(moments.Columns, 9);
    EXPECT_EQ(moments.Headings[0], "Load combinations: Strength");
    EXPECT_EQ(moments.Headings[1], "Mu-");
    EXPECT_EQ(moments.Headings[8], "Mu+");
    ASSERT_EQ(moments.Combinations.size(), 2u);
    EXPECT_EQ(moments.Combinations[0][1].Text, "-12.35 ");
    EXPECT_EQ(moments.Combinations[0][2].Text, "-- ");
    for (int j = 1; j < 9; ++j) EXPECT_EQ(moments.Combinations[1][j].Text, "") << j;
    // with an unstable combination nothing governs
    for (const auto& row : moments.Governing)
        for (int j = 1; j < 9; ++j) EXPECT_EQ(row[j], "") << j;
    EXPECT_EQ(moments.Governing[1][0], "Corresponding Pu (T/m)");
    EXPECT_EQ(moments.UnitCaption, "Unit: Tm/m");

    const ForceTableTexts shears = ForceTables(m, ForceKind::Shear);
    EXPECT_EQ(shears.Columns, 5);
    EXPECT_EQ(shears.Headings[4], "Vu");
    EXPECT_EQ(shears.Combinations[0][3].Text, "7.50 ");
    EXPECT_EQ(shears.Combinations[1][1].Text, "Not stable");
    EXPECT_EQ(shears.Combinations[1][2].Text, "");
    EXPECT_EQ(shears.UnitCaption, "Unit: T/m");
}

TEST_F(ReinforcementSheetsTest, GoverningValues) {
    m.AllCombinationsStable = True;
    m.GoverningFlexureCombinations.fill(0);
    m.GoverningFlexureCombinations[3] = 1;
    m.FlexureMoments[1][3] = -143.877f;
    m.FlexureAxialForces[1][3] = 26.45f;
    m.FlexureSectionDistances[1][3] = 7.73f;
    const ForceTableTexts t = ForceTables(m, ForceKind::Moment);
    EXPECT_EQ(t.Governing[0][3], "-143.88 ");
    EXPECT_EQ(t.Governing[1][3], "26.45 ");
    EXPECT_EQ(t.Governing[2][3], "7.73 ");
    // no moment at the governing combination: no section to name
    EXPECT_EQ(t.Governing[0][4], "-- ");
    EXPECT_EQ(t.Governing[1][4], "-- ");
    EXPECT_EQ(t.Governing[2][4], "-- ");
}

TEST(MemberLengths, AreTheWallsWhicheverCombinationRanLast) {
    // At 0.4 g the built-in wall's last combination is not stable and keeps
    // only the heel root among its stations; the heel is 3.37 all the same.
    test::BuiltInWall wall;
    Model& m = wall.m;
    m.SeismicIncluded = True;
    m.EnteredSeismicCoefficient = 0.4f;
    SetSeismicCoefficient(m);
    ComputeWallOutline(m);
    ComputeDesignSectionForces(m);
    ASSERT_EQ(m.WallStable, False);
    m.UpperStemLength = 3;
    const std::array<float, 5> expected{0, 3, 4.73f, 2, 3.37f};
    EXPECT_EQ(MemberLengths(m), expected);

    // the shorter stem face bounds the stem; an upper stem longer than the
    // stem ends at its foot; a wall without toe or heel has none
    m.FrontStemHeight = 2;
    m.UpperStemLength = 5;
    m.ToeLength = 0;
    m.HeelLength = -1;
    const std::array<float, 5> bare{0, 2, 0, 0, 0};
    EXPECT_EQ(MemberLengths(m), bare);
}

TEST_F(ReinforcementSheetsTest, UnloadedFaceShowsItsBarsOnly) {
    FlexureDesignResult& r = m.FlexureDesignResults[2];
    r = FlexureDesignResult{};
    r.Width = 1;
    r.Height = 0.5f;
    r.BarDiameter = 0.016f;
    r.BarSpacing = 0.2f;
    r.SteelArea = 0.001f;
    const auto c = FlexureSheetColumn(m, 2);
    EXPECT_EQ(c[13].Text, "16");
    EXPECT_EQ(c[14].Text, "20");
    EXPECT_EQ(c[15].Text, "10.0");
    for (int row : {3, 4, 5, 6, 9, 10, 16, 19, 20, 23, 24, 25, 26, 27, 30, 33, 34, 35, 38, 39, 40, 41, 42}) {
        EXPECT_EQ(c[row].Text, "--") << row;
        EXPECT_FALSE(c[row].Red) << row;
    }
    for (int row : {7, 8, 11, 12, 17, 18}) EXPECT_EQ(c[row].Text, "") << row;
    // bars in bold where there are some; a face without bars shows none, plainly
    r.BarDiameter = 0;
    r.BarSpacing = 0;
    const auto bare = FlexureSheetColumn(m, 2);
    for (int row : {BarDiameterRow, BarSpacingRow}) {
        EXPECT_TRUE(c[row].Bold) << row;
        EXPECT_EQ(bare[row].Text, "--") << row;
        EXPECT_FALSE(bare[row].Bold) << row;
    }
}

TEST_F(ReinforcementSheetsTest, SectionSizesInTheUnitSystemsMasks) {
    FlexureDesignResult& r = m.FlexureDesignResults[1];
    r = FlexureDesignResult{};
    r.Width = 1;
    r.Height = 0.5f;
    r.Cover = 0.05f;
    r.Moment = 10;
    r.SteelArea = 0.00123f;
    r.MaximumSpacing = 0.45f;
    // the axial compression carries the moment: the bars need no tension
    r.SteelStress = -428244.8f;
    r.MinimumTensileStrain = 0.004f;
    r.MomentResult = VerdictNotOK;
    r.RatioResult = VerdictOK;
    r.BarDiameter = 0.05f;  // closer than their diameter
    r.BarSpacing = 0.02f;
    struct Case { int16_t units; const char *width, *height, *cover, *area, *spacing, *bars; };
    const Case cases[] = {
        {Metric, "100", "50.0", "5.0", "12.3", "45.0", "50 mm bars 2 cm apart"},
        {SI, "1000", "500", "50", "1230", "450", "50 mm bars 20 mm apart"},
        {British, "12", "6.0", "0.6", "0.177", "5.4", "0.6 in bars 0.24 in apart"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.units);
        m.CurrentUnitSystem = k.units;
        const auto c = FlexureSheetColumn(m, 1);
        EXPECT_EQ(c[4].Text, k.width);
        EXPECT_EQ(c[5].Text, k.height);
        EXPECT_EQ(c[6].Text, k.cover);
        EXPECT_EQ(c[15].Text, k.area);
        EXPECT_EQ(c[34].Text, k.spacing);
        // no tension in the steel: neither a stress nor a minimum strain
        EXPECT_EQ(c[30].Text, "--");
        EXPECT_EQ(c[35].Text, "--");
        // a value the design could not compute
        EXPECT_EQ(c[26].Text, "--");
        EXPECT_EQ(c[38].Text, "OK");
        EXPECT_FALSE(c[38].Red);
        EXPECT_EQ(c[39].Text, "Not OK");
        EXPECT_TRUE(c[39].Red);
        for (int row : {BarDiameterRow, BarSpacingRow, 38, 39, 40, 41, 42})
            EXPECT_EQ(c[row].Note, k.bars + std::string(" overlap: their spacing is less than their diameter")) << row;
    }
    r.Cover = 0.6f;
    EXPECT_EQ(FlexureSheetColumn(m, 1)[40].Note, "0.6 in bars under a cover of 7.2 in lie outside the concrete of a section 6.0 in deep");
}

TEST_F(ReinforcementSheetsTest, ShearColumnWithAndWithoutShear) {
    ShearDesignResult& r = m.ShearDesignResults[3];
    r = ShearDesignResult{};
    r.Width = 1;
    r.Height = 1;
    r.Phi = 0.75f;
    const auto none = ShearSheetColumn(m, 3);
    for (int row : {3, 4, 5, 8, 9, 12, 13, 14}) EXPECT_EQ(none[row].Text, "--    ") << row;

    r.Shear = 33.3746f;
    r.ShearStrength = 30;
    r.Result = VerdictNotOK;
    const auto c = ShearSheetColumn(m, 3);
    EXPECT_EQ(c[4].Text, "100    ");
    EXPECT_EQ(c[5].Text, "100.0    ");
    EXPECT_EQ(c[8].Text, "33.37    ");
    EXPECT_EQ(c[12].Text, "0.75    ");
    EXPECT_EQ(c[14].Text, "Not OK    ");
    EXPECT_TRUE(c[14].Red);
}

TEST_F(ReinforcementSheetsTest, SheetCaptionsAndUnits) {
    m.CurrentUnitSystem = British;
    const auto f = FlexureSheetCaptions(m);
    EXPECT_EQ(f[0].Caption.Text, "Flexure");
    EXPECT_EQ(f[9].Caption.Text, "\xAD Moment");
    EXPECT_EQ(f[9].Unit, "Kipft");
    EXPECT_EQ(f[13].Unit, "in");
    EXPECT_EQ(f[15].Unit, "in\xB2");
    EXPECT_TRUE(f[37].Caption.Bold);
    const auto s = ShearSheetCaptions(m);
    EXPECT_EQ(s[13].Unit, "Kip");
    EXPECT_TRUE(s[11].Caption.Bold);
}

TEST_F(ReinforcementSheetsTest, StoringMaterialValues) {
    const std::array<std::string, 6> shown{"2.4", "300", "1.4", "3000", "21", "5"};
    m.ProjectModified = False;
    EXPECT_FALSE(StoreMaterialTexts(m, shown));
    EXPECT_EQ(m.ProjectModified, False);

    EXPECT_TRUE(StoreMaterialTexts(m, {"2.5", "-280abc", "1.4", "3000", "21", "1e60"}));
    EXPECT_FLOAT_EQ(m.ConcreteUnitWeight, 2.5f);
    EXPECT_FLOAT_EQ(m.ConcreteCompressiveStress, 280);
    EXPECT_FLOAT_EQ(m.ConcreteCover, 5);  // beyond any float: kept
    EXPECT_EQ(m.ProjectModified, True);
}

TEST_F(ReinforcementSheetsTest, MaterialBoxesLeftAloneKeepValuesTheirTextCannotHoldExactly) {
    // British values converted from metric need more than the 7 digits shown
    const std::array<float, 6> converted{0.149827585f, 4.26708221f, 1991.22f, 42.6708221f, 29868.3086f, 1.96850395f};
    const std::array<float*, 6> values = MaterialValues(m);
    std::array<std::string, 6> shown;
    for (int i = 0; i < 6; ++i) {
        *values[i] = converted[i];
        shown[i] = GeneralNumber(converted[i]);
    }
    m.ProjectModified = False;
    EXPECT_FALSE(StoreMaterialTexts(m, shown));
    EXPECT_EQ(m.ProjectModified, False);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(*values[i], converted[i]) << i;
}

TEST_F(ReinforcementSheetsTest, TypedNumbers) {
    struct Case { const char* text; std::optional<float> want; };
    const Case cases[] = {{"-16", 16.0f}, {"abc", 0.0f}, {" 20 mm", 20.0f}, {"", 0.0f}, {"1e39", std::nullopt}};
    for (const Case& k : cases) EXPECT_EQ(TypedNumber(k.text), k.want) << k.text;
}

TEST_F(ReinforcementSheetsTest, UpperStemLengthLimits) {
    struct Case { const char* text; bool valid; const char* replacement; };
    const Case cases[] = {
        {"7.73", true, nullptr}, {"0", true, nullptr},     {"7.74", false, "7.73"},
        {"-1", false, nullptr},  {"abc", false, nullptr},  {"", false, nullptr},
        {"1e40", false, "7.73"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.text);
        const UpperStemLengthCheck check = CheckUpperStemLength(m, k.text);
        EXPECT_EQ(check.Valid, k.valid);
        EXPECT_EQ(check.Replacement.has_value(), k.replacement != nullptr);
        if (check.Replacement) {
            EXPECT_EQ(*check.Replacement, k.replacement);
        }
    }
}

// The built-in wall designed under a factored set: every sheet cell comes
// from the design records, the searched bars in whole millimetres and
// centimetres that read back as the same bars.
TEST(ReinforcementSheetsOfTheBuiltInWall, SearchedBarsReadBackAsTyped) {
    test::BuiltInWall wall;
    Model& m = wall.m;
    test::FactorForConcrete(m);
    m.UpperStemLength = 4;
    ComputeDesignSectionForces(m);
    ASSERT_TRUE(StrengthFactorsGiven(m));
    DesignReinforcement(m);
    for (int p = 1; p <= PositionCount; ++p) {
        SCOPED_TRACE(p);
        const auto c = FlexureSheetColumn(m, p);
        EXPECT_FLOAT_EQ(*TypedNumber(c[BarDiameterRow].Text) / 1000, m.FlexureDesignResults[p].BarDiameter);
        EXPECT_FLOAT_EQ(*TypedNumber(c[BarSpacingRow].Text) / 100, m.FlexureDesignResults[p].BarSpacing);
    }
    // the lower stem's foot worked by hand: 31 mm bars at 22 cm
    const auto foot = FlexureSheetColumn(m, 3);
    EXPECT_EQ(foot[BarDiameterRow].Text, "31");
    EXPECT_EQ(foot[BarSpacingRow].Text, "22");
    EXPECT_EQ(foot[39].Text, "OK");
}

}  // namespace
}  // namespace brindlemar

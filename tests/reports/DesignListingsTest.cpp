// The flexure and shear design blocks of the reinforcement pages, on
// design records filled by hand: which columns read "--", the unit
// conversions and masks of each unit system, the verdict texts and the rules.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "ReinforcementTestSupport.h"
#include "design/DesignReinforcement.h"
#include "reports/FlexuralSummary.h"
#include "reports/FlexureListing.h"
#include "reports/ShearListing.h"
#include "runtime/Colours.h"

namespace brindlemar::test {
namespace {

struct DesignListings : ::testing::Test {
    ReinforcementSheet r;
    Model& m = r.m;

    double FaceEdge(int c) const { return r.W() * (0.38 + 0.0775 * c - 0.003); }
    double MemberEdge(int i) const { return r.W() * (0.38 + 0.155 * i - 0.05); }
    std::string Face(int c, int row) const { return r.TextEndingAt(FaceEdge(c), r.RowY(row)); }
    std::string Member(int i, int row) const { return r.TextEndingAt(MemberEdge(i), r.RowY(row)); }
    std::string Unit(int row) const { return r.TextCentredOn(0.34125 * r.W(), r.RowY(row)); }
    std::string Caption(int row) const { return r.LineAt(r.RowY(row), 0, 0.3 * r.W()); }

    // a face designed with its bars: 16 mm at 20 cm in a 45 cm section
    static FlexureDesignResult Designed() {
        FlexureDesignResult f;
        f.Distance = 3.5f;
        f.Width = 1;
        f.Height = 0.45f;
        f.Cover = 0.05f;
        f.Moment = 12.5f;
        f.AxialForce = -2.25f;
        f.BarDiameter = 0.016f;
        f.BarSpacing = 0.2f;
        f.SteelArea = 0.0012f;
        f.SteelRatio = 0.0125f;
        f.BalancedRatio = 0.0285f;
        f.BalancedStrain = 0.00207f;
        f.TensileStrain = 0.0803f;
        f.Control = FlexureControl::Tension;
        f.Phi = 0.9f;
        f.MomentStrength = 187.994f;
        f.AxialStrength = 410.5f;
        f.SteelStress = 1937.668f;
        f.MinimumSteelArea = 0.0009f;
        f.MaximumSpacing = 0.42847f;
        f.MinimumTensileStrain = 0.004f;
        f.RatioResult = "OK";
        f.MomentResult = "OK";
        f.MinimumSteelResult = "Not OK";
        f.SpacingResult = "OK";
        f.StrainResult = "OK";
        return f;
    }
};

TEST_F(DesignListings, HeadNamesTheMethodTheFacesAndTheLengthUnit) {
    struct Case {
        int16_t method, units;
        const char* methodName;
        const char* length;
    } cases[] = {
        {0, Metric, "ACI 318-08", "Length (m)"},
        {1, SI, "ACI 318-08 Alternate", "Length (m)"},
        {0, British, "ACI 318-08", "Length (ft)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.methodName);
        m.ReinforcementDesignMethod = c.method;
        m.CurrentUnitSystem = c.units;
        const double titleY = r.s.Drawing().FrameTop + 60 * r.Scale();
        r.Reprint();
        PrintFlexureSummary(m, r.s);
        EXPECT_EQ(r.LineAt(titleY), std::string("Flexural reinforcements    Design method: ") + c.methodName);
        EXPECT_EQ(Caption(1), c.length);
        EXPECT_EQ(Unit(2), "Unit");
        const char* faces[] = {"Right", "Left", "Right", "Left", "Top", "Bottom", "Top", "Bottom"};
        for (int j = 1; j <= 8; ++j)
            EXPECT_EQ(r.TextCentredOn(r.W() * (0.38 + 0.0775 * (j - 0.5)), r.RowY(2)), faces[j - 1]);

        r.Reprint();
        PrintShearDesignBlock(m, r.s);
        EXPECT_EQ(r.LineAt(titleY), std::string("Shear resistance    Design method: ") + c.methodName);
        EXPECT_EQ(Caption(2), "Shear");
        // the member cells of the shear head's row 2 stay empty
        EXPECT_EQ(r.LineAt(r.RowY(2), 0.38 * r.W()), "");
    }
}

TEST_F(DesignListings, FacesTheDesignLeftReadDashes) {
    struct Case {
        const char* what;
        float moment, axial, area;
        bool notDesigned;
    } cases[] = {
        {"nothing", 0, 0, 0, true},
        {"steel but no force", 0, 0, 0.001f, true},
        {"a moment", 5, 0, 0, false},
        {"an axial force", 0, 3, 0, false},
        {"negative moment without steel", -1, 0, 0, true},
        {"negative moment with steel", -1, 0, 0.001f, true},
    };
    for (const Case& c : cases) {
        FlexureDesignResult f;
        f.Moment = c.moment;
        f.AxialForce = c.axial;
        f.SteelArea = c.area;
        EXPECT_EQ(FaceNotDesigned(f), c.notDesigned) << c.what;
    }

    // face 2 carries nothing but keeps stale-looking values; face 1 is designed
    m.FlexureDesignResults[1] = Designed();
    FlexureDesignResult empty = Designed();
    empty.Moment = 0;
    empty.AxialForce = 0;
    empty.SteelArea = 0;
    empty.BarDiameter = 0;
    empty.BarSpacing = 0;
    m.FlexureDesignResults[2] = empty;
    PrintFlexureDesignBlock(m, r.s, 1);
    // its bars too: a face without bars shows none, not a bar of 0
    for (int row : {4, 5, 6, 7, 9, 10, 12, 13, 14, 15, 17, 18, 20, 21, 22, 23, 24}) {
        EXPECT_EQ(Face(2, row), "--") << row;
        EXPECT_NE(Face(1, row), "--") << row;
    }
    r.Reprint();
    PrintFlexureDesignBlock(m, r.s, 2);
    for (int row : {4, 6, 7, 8, 10, 11, 12, 13, 14}) EXPECT_EQ(Face(2, row), "--") << row;
}

TEST_F(DesignListings, FlexureValuesInTheSectionUnitsOfEachSystem) {
    struct Case {
        int16_t units;
        float height, bar, spacing, area;
        const char *heightText, *barText, *spacingText, *areaText;
        const char *sectionUnit, *barUnit, *momentUnit, *areaUnit;
    } cases[] = {
        {Metric, 0.45f, 0.016f, 0.2f, 0.0012f, "45.0", "16", "20", "12.0", "cm", "mm", "Tm/m", "cm\xB2/m"},
        {SI, 0.45f, 0.016f, 0.2f, 0.0012f, "450", "16", "200", "1200", "mm", "mm", "kNm/m", "mm\xB2/m"},
        {British, 1.5f, 0.625f / 12, 1, 0.0025f, "18.0", "0.625", "12", "0.36", "in", "in", "Kipft/ft", "in\xB2/ft"},
        // Metric bars of 14 mm at 16 cm shown in British: to the digits of
        // the unit; As to three digits, so that As >= As,min reads from the page
        {British, 1.5f, 0.014f / 0.3048f, 0.16f / 0.3048f, 0.00161f, "18.0", "0.551", "6.3", "0.232", "in", "in",
         "Kipft/ft", "in\xB2/ft"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sectionUnit);
        m.CurrentUnitSystem = c.units;
        FlexureDesignResult f = Designed();
        f.Height = c.height;
        f.BarDiameter = c.bar;
        f.BarSpacing = c.spacing;
        f.SteelArea = c.area;
        m.FlexureDesignResults[4] = f;
        r.Reprint();
        PrintFlexureDesignBlock(m, r.s, 1);
        EXPECT_EQ(Face(4, 6), c.heightText);
        EXPECT_EQ(Face(4, 12), c.barText);
        EXPECT_EQ(Face(4, 13), c.spacingText);
        EXPECT_EQ(Face(4, 14), c.areaText);
        EXPECT_EQ(Face(4, 5), c.units == SI ? "1000" : c.units == Metric ? "100" : "12");
        EXPECT_EQ(Unit(6), c.sectionUnit);
        EXPECT_EQ(Unit(12), c.barUnit);
        EXPECT_EQ(Unit(9), c.momentUnit);
        EXPECT_EQ(Unit(14), c.areaUnit);
        EXPECT_EQ(Unit(15), "%");
        EXPECT_EQ(Unit(18), "");
        // the bars print bold, the area does not
        EXPECT_TRUE(r.EndingAt(FaceEdge(4), r.RowY(12))->Bold);
        EXPECT_TRUE(r.EndingAt(FaceEdge(4), r.RowY(13))->Bold);
        EXPECT_FALSE(r.EndingAt(FaceEdge(4), r.RowY(14))->Bold);
    }
}

TEST_F(DesignListings, FlexureStrengthStrainsAndVerdicts) {
    const FlexureControl controls[] = {FlexureControl::Compression, FlexureControl::Transition,
                                       FlexureControl::Tension};
    for (int c = 1; c <= 3; ++c) {
        m.FlexureDesignResults[c] = Designed();
        m.FlexureDesignResults[c].Control = controls[c - 1];
    }
    // face 3: the axial compression carries the moment, so the bars need no
    // tension; no spacing limit, a strength the design could not find
    FlexureDesignResult& slack = m.FlexureDesignResults[3];
    slack.SteelStress = -18691.61f;
    slack.MaximumSpacing = 0;
    slack.MomentStrength.reset();
    slack.MomentResult = "Not OK";

    PrintFlexureDesignBlock(m, r.s, 1);
    const struct {
        int row;
        const char* text;
    } block1[] = {{4, "3.50"}, {7, "5.0"},     {9, "12.50"},  {10, "-2.25"},  {15, "1.250"},  {17, "2.850"},
                  {18, "0.0021"}, {20, "0.0803"}, {22, "0.90"}, {23, "187.99"}, {24, "410.50"}};
    for (const auto& want : block1) EXPECT_EQ(Face(1, want.row), want.text) << want.row;
    EXPECT_EQ(Face(1, 21), "Compression");
    EXPECT_EQ(Face(2, 21), "Transition");
    EXPECT_EQ(Face(3, 21), "Tension");
    EXPECT_EQ(Face(3, 23), "--");
    EXPECT_EQ(Unit(4), "m");

    r.Reprint();
    PrintFlexureDesignBlock(m, r.s, 2);
    EXPECT_EQ(Unit(4), "kg/cm\xB2");
    EXPECT_EQ(Face(1, 4), "1937.67");
    EXPECT_EQ(Face(1, 6), "9.0");
    EXPECT_EQ(Face(1, 7), "42.8");
    EXPECT_EQ(Face(1, 8), "0.004");
    const char* verdicts[] = {"OK", "OK", "Not OK", "OK", "OK"};
    for (int row = 10; row <= 14; ++row) EXPECT_EQ(Face(1, row), verdicts[row - 10]) << row;
    // without tension in the bars neither a stress nor a strain to reach;
    // no spacing limit reads "--"
    EXPECT_EQ(Face(3, 4), "--");
    EXPECT_EQ(Face(3, 7), "--");
    EXPECT_EQ(Face(3, 8), "--");
    EXPECT_EQ(Face(3, 11), "Not OK");
    // any block number but 1 is block 2
    r.Reprint();
    PrintFlexureDesignBlock(m, r.s, 7);
    EXPECT_EQ(Face(1, 4), "1937.67");
}

TEST_F(DesignListings, ShearColumnsInEachUnitSystem) {
    struct Case {
        int16_t units;
        float height;
        const char *width, *heightText, *force, *section;
    } cases[] = {
        {Metric, 0.45f, "100", "45.0", "T/m", "cm"},
        {SI, 0.45f, "1000", "450", "kN/m", "mm"},
        {British, 1.5f, "12", "18.0", "Kip/ft", "in"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.force);
        m.CurrentUnitSystem = c.units;
        ShearDesignResult v;
        v.Distance = 1.8f;
        v.Width = 1;
        v.Height = c.height;
        v.Shear = 33.3746f;
        v.AxialForce = -2.5f;
        v.Phi = 0.75f;
        v.ShearStrength = 33.3746f;  // exactly the shear: the check holds
        v.Result = "OK";
        m.ShearDesignResults[2] = v;
        v.ShearStrength = 20;
        v.Result = "Not OK";
        m.ShearDesignResults[3] = v;
        // a member without shear prints "--" whatever its record holds
        v.Shear = 0;
        m.ShearDesignResults[4] = v;
        // shear the design could not resist or compute
        v.Shear = 5;
        v.ShearStrength.reset();
        m.ShearDesignResults[1] = v;
        r.Reprint();
        PrintShearDesignBlock(m, r.s);

        const struct {
            int row;
            const char* text;
        } rows[] = {{4, "1.80"}, {5, c.width}, {6, c.heightText}, {8, "33.37"}, {9, "-2.50"},
                    {11, "0.75"}, {12, "33.37"}, {13, "OK"}};
        for (const auto& want : rows) {
            EXPECT_EQ(Member(2, want.row), want.text) << want.row;
            EXPECT_EQ(Member(4, want.row), "--") << want.row;
        }
        EXPECT_EQ(Member(3, 13), "Not OK");
        EXPECT_EQ(Member(1, 12), "--");
        EXPECT_EQ(Member(1, 13), "Not OK");
        const struct {
            int row;
            std::string unit;
        } units[] = {{4, c.units == British ? "ft" : "m"}, {5, c.section}, {6, c.section}, {8, c.force},
                     {9, c.force}, {11, ""}, {12, c.force}, {13, ""}};
        for (const auto& want : units) EXPECT_EQ(Unit(want.row), want.unit) << want.row;
    }
}

TEST_F(DesignListings, GroupsEndInBlackRulesOverGreyRowRules) {
    struct Case {
        const char* what;
        std::function<void()> print;
        int lastRow, verticals;
        std::vector<double> groups;
    } cases[] = {
        {"flexure 1", [&] { PrintFlexureDesignBlock(m, r.s, 1); }, 24, 10, {7.8, 10.8, 15.8, 18.8, 24.8}},
        {"flexure 2", [&] { PrintFlexureDesignBlock(m, r.s, 2); }, 14, 10, {4.8, 8.8, 14.8}},
        {"shear", [&] { PrintShearDesignBlock(m, r.s); }, 13, 6, {6.8, 9.8, 13.8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        r.Reprint();
        c.print();
        const double head = r.RowY(2.8) + 0.5;
        int grey = 0, verticals = 0;
        std::vector<double> black;
        for (const SurfaceCall& l : r.s.Of("Line")) {
            // the block frame's own lines are dark blue
            if ((l.Y1 < head && l.Y2 < head) || l.Colour == RGB(0, 0, 128)) continue;
            EXPECT_EQ(l.Width, 1);  // 0.1 of the scale rounds to 0, drawn one pixel wide
            if (l.X1 == l.X2) {
                ++verticals;
                EXPECT_NEAR(l.Y2, r.RowY(c.lastRow + 0.8), 0.5);
            } else if (l.Colour == RGB(200, 200, 200)) {
                ++grey;
            } else {
                EXPECT_EQ(l.Colour, 0);
                black.push_back((l.Y1 - r.RowY(0)) / r.Row());
            }
        }
        EXPECT_EQ(grey, c.lastRow - 2);
        EXPECT_EQ(verticals, c.verticals);
        ASSERT_EQ(black.size(), c.groups.size());
        for (size_t i = 0; i < black.size(); ++i) EXPECT_NEAR(black[i], c.groups[i], 1e-6);
    }
}

}  // namespace
}  // namespace brindlemar::test

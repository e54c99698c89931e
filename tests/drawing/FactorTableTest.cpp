#include <gtest/gtest.h>

#include <cstring>

#include "drawing/FactorTable.h"
#include "support/BuiltInWall.h"
#include "support/RecordingSurface.h"

namespace brindlemar {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;

// The built-in wall with combination `combination` of set `set` in use, its
// table drawn in the whole of a default recording surface.
struct FactorTablePicture {
    test::BuiltInWall w;
    Model& m = w.m;
    RecordingSurface s;

    FactorTablePicture(int16_t set, int16_t combination) {
        m.ActiveCombinationSet = set;
        m.CurrentCombination = combination;
        m.CurrentLoadCombination = m.CombinationSets[set].Combinations[combination];
        m.CurrentFactorDefinition = m.CombinationSets[set].Factors;
        s.Drawing().FrameLeft = 0;
        s.Drawing().FrameTop = 0;
        s.Drawing().FrameWidth = 10000;
        s.Drawing().FrameHeight = 6000;
    }
};

TEST(FactorTableText, TwoDecimalsSignKeptZeroDashed) {
    struct Case {
        double factor;
        const char* want;
    };
    const Case cases[] = {{1, "1.00"}, {1.25, "1.25"}, {0.9, "0.90"}, {-0.9, "-0.90"}, {0, "--"}, {-1.5, "-1.50"}};
    for (const Case& c : cases) EXPECT_EQ(FactorTableText(c.factor), c.want) << c.factor;
}

TEST(DrawFactorTable, TextsOfTheCurrentCombination) {
    FactorTablePicture p(1, 1);
    Model& m = p.m;
    m.CurrentLoadCombination.Factor[WA] = -0.9f;   // a reversed load
    m.CurrentLoadCombination.Factor[IC] = 0;
    // the concrete factors are the set's, on its first combination
    m.CurrentLoadCombination.Factor[CT] = 0;
    m.CombinationSets[1].Combinations[0].Factor[CT] = 0.9f;
    DrawFactorTable(m, p.s);

    const auto texts = p.s.Texts();
    ASSERT_EQ(texts.size(), 2 + 22 + 1 + 2 + 20u);
    EXPECT_EQ(texts[0], "Load");
    EXPECT_EQ(texts[1], "Factors");
    EXPECT_EQ(texts[2], "DL");
    EXPECT_EQ(texts[2 + 2 * (WA - 1)], "WA");
    EXPECT_EQ(texts[3 + 2 * (WA - 1)], "-0.90");
    EXPECT_EQ(texts[3 + 2 * (IC - 1)], "--");
    EXPECT_EQ(texts[2 + 2 * (S2 - 1)], "S2");
    EXPECT_EQ(texts[24], "Combinations: Unfactored, Bearing and reinforcement");
    EXPECT_EQ(texts[25], "Resistance");
    EXPECT_EQ(texts[26], "Factors");
    EXPECT_EQ(texts[27], "BE");
    EXPECT_EQ(texts[27 + 2 * (CS - BE)], "CS");
    EXPECT_EQ(texts[28 + 2 * (CT - BE)], "0.90");
    for (const SurfaceCall& c : p.s.Of("Print")) EXPECT_EQ(c.Colour, m.FactorTableTextColour) << c.Text;
    for (const SurfaceCall& c : p.s.Of("Line")) {
        EXPECT_EQ(c.Colour, m.FactorTableGridColour);
        EXPECT_EQ(c.Width, p.s.Drawing().FactorTablePenWidth);
    }
}

// A factor however large stands inside its own column, clear of its
// neighbours: the columns widen together.
TEST(DrawFactorTable, LargeFactorsWidenTheColumns) {
    FactorTablePicture p(1, 1);
    p.m.CurrentLoadCombination.Factor[EV] = 1000;
    p.m.CurrentLoadCombination.Factor[FC] = 12345;
    DrawFactorTable(p.m, p.s);
    const auto rules = p.s.Of("Line");
    EXPECT_LE(rules[0].X2, p.s.Drawing().FrameWidth) << "the load table runs past the frame";
    for (const char* text : {"1000.00", "12345.00", "1.00"}) {
        SCOPED_TRACE(text);
        const SurfaceCall* t = p.s.FindText(text);
        ASSERT_NE(t, nullptr);
        const double right = t->X1 + p.s.CharacterWidth * t->FontSize * std::strlen(text);
        // the vertical rules of its own table
        for (const SurfaceCall& r : rules)
            if (r.X1 == r.X2 && std::min(r.Y1, r.Y2) < t->Y1 && t->Y1 < std::max(r.Y1, r.Y2)) {
                EXPECT_FALSE(t->X1 - 30 < r.X1 && r.X1 < right + 30) << "the rule at " << r.X1;
            }
    }
}

TEST(DrawFactorTable, LongNamesStopAtTheFrameEdge) {
    // a name that fits in a smaller font is whole, its distinguishing end
    // included; a longer one is cut, and marked as cut
    for (const size_t length : {40u, 200u}) {
        SCOPED_TRACE(length);
        FactorTablePicture p(1, 1);
        Model& m = p.m;
        RecordingSurface& s = p.s;
        m.CombinationSets[1].Name = std::string(length, 'S');
        m.CombinationSets[1].Combinations[1].Name = std::string(length, 'C') + " II";
        DrawFactorTable(m, s);
        const std::string whole = "Combinations: " + m.CombinationSets[1].Name + ", " + m.CombinationSets[1].Combinations[1].Name;
        SurfaceCall names;
        for (const SurfaceCall& c : s.Of("Print"))
            if (c.Text.rfind("Combinations: ", 0) == 0) names = c;
        ASSERT_FALSE(names.Text.empty());
        EXPECT_EQ(names.Text, length == 40 ? whole : whole.substr(0, names.Text.size() - 1) + "\x85");
        EXPECT_LE(names.X2, s.Drawing().FrameLeft + s.Drawing().FrameWidth);
        EXPECT_GE(names.FontSize, 0.7 * s.FontSize - 1e-6);
    }
}

TEST(DrawFactorTable, HiddenSetReadsAllOnes) {
    FactorTablePicture p(0, 0);
    DrawFactorTable(p.m, p.s);
    const auto texts = p.s.Texts();
    EXPECT_EQ(texts[24], "Combinations: ASD, ASD");
    for (int k = 1; k <= 11; ++k) EXPECT_EQ(texts[static_cast<size_t>(1 + 2 * k)], "1.00") << k;
    for (int k = 12; k <= 21; ++k) EXPECT_EQ(texts[static_cast<size_t>(26 + 2 * (k - 11))], "1.00") << k;
}

TEST(DrawFactorTable, LayoutFollowsTheFont) {
    for (double size : {8.0, 10.0, 14.0}) {
        SCOPED_TRACE(size);
        FactorTablePicture p(1, 0);
        RecordingSurface& s = p.s;
        p.s.Drawing().FrameTop = 500;
        s.FontSize = size;
        DrawFactorTable(p.m, s);
        // measures of the recording surface: "T" is 23 x size high, "1.23" 40 x size wide
        const double th = 23 * size, cw = 1.3 * 40 * size, g = 0.4 * th;
        const double y0 = 500 + 1.5 * g, yL = 500 + g;

        const SurfaceCall* load = s.FindText("Load");
        EXPECT_NEAR(load->Y1, y0 + 1.2 * th, 1e-9);
        EXPECT_NEAR((load->X1 + load->X2) / 2, g + cw, 1e-9);
        const SurfaceCall* dl = s.FindText("DL");
        EXPECT_NEAR(dl->Y1, y0 + th, 1e-9);
        EXPECT_NEAR((dl->X1 + dl->X2) / 2, g + 2 * cw + 0.5 * cw, 1e-9);
        const SurfaceCall* be = s.FindText("BE");
        EXPECT_NEAR(be->Y1, y0 + 4 * th, 1e-9);
        EXPECT_NEAR((be->X1 + be->X2) / 2, g + 2.7 * cw + 0.5 * cw, 1e-9);
        const SurfaceCall* combination = s.FindText("Combinations: Unfactored, Sliding and eccentricity");
        EXPECT_NEAR(combination->X1, g, 1e-9);
        EXPECT_NEAR(combination->Y1, 500 + g, 1e-9);

        const auto rules = s.Of("Line");
        // load table: 3 rows and 13 columns; resistance table: 3 rows and 12 columns
        ASSERT_EQ(rules.size(), 3 + 13 + 3 + 12u);
        EXPECT_NEAR(rules[0].Y1, yL + th, 1e-9);
        EXPECT_NEAR(rules[0].X2, g + 13 * cw, 1e-9);
        EXPECT_NEAR(rules[1].Y1, yL + 3.6 * th, 1e-9);
        EXPECT_NEAR(rules[2].Y1, yL + 2.3 * th, 1e-9);
        EXPECT_NEAR(rules[15].X1, g + 13 * cw, 1e-9);
        EXPECT_NEAR(rules[16].Y1, yL + 4 * th, 1e-9);
        EXPECT_NEAR(rules[16].X2, g + 2.7 * cw + 10 * cw, 1e-9);
        EXPECT_NEAR(rules[17].Y1, yL + 6.6 * th, 1e-9);
        EXPECT_NEAR(rules[30].X1, g + 12.7 * cw, 1e-9);
        EXPECT_NEAR(rules[30].Y2, yL + 6.6 * th, 1e-9);
    }
}

}  // namespace
}  // namespace brindlemar

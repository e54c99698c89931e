// The moment and shear tables of the reinforcement pages: paging with the
// closing block, the masks of the values, unstable combinations and the
// governing values, on force tables filled by hand.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "ReinforcementTestSupport.h"
#include "reports/MomentTable.h"
#include "reports/ShearTable.h"

namespace brindlemar::test {
namespace {

struct ForceTables : ::testing::Test {
    ReinforcementSheet r;
    Model& m = r.m;

    void SetUp() override { r.Combinations(3); }

    double H() const { return r.Row(); }
    double Y1() const { return r.RowY(0); }
    // text lines of combination row i of a page
    double NameY(int i) const { return Y1() + H() * (1.5 * i + 1.4); }
    double ValueY(int i) const { return Y1() + H() * (1.5 * i + 1.7); }
    double ClosingY(int rows, int line) const { return Y1() + H() * (1.5 * rows + 3 + line); }
    double LabelRight() const { return 0.42 * r.W(); }
    double MomentEdge(int j) const { return r.W() * (0.42 + 0.0725 * j - 0.001); }
    double ShearEdge(int k) const { return r.W() * (0.42 + 0.145 * k - 0.001); }
};

struct Table {
    const char* name;
    std::function<void(Model&, Surface&, int)> print;
};
const Table kTables[] = {{"moment", PrintMomentTable}, {"shear", PrintShearTable}};

TEST_F(ForceTables, FifteenRowsToAPageAndTheClosingBlockWhereTwoRowsAreLeft) {
    struct Case {
        int n, page, rows;
        bool closing;
    } cases[] = {
        {0, 1, 0, true},    {1, 1, 1, true},   {13, 1, 13, true}, {14, 1, 14, false}, {14, 2, 0, true},
        {15, 1, 15, false}, {15, 2, 0, true},  {16, 2, 1, true},  {29, 2, 14, false}, {29, 3, 0, true},
        {50, 3, 15, false}, {50, 4, 5, true},
    };
    for (const Table& t : kTables) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << t.name << " n " << c.n << " page " << c.page);
            r.Combinations(c.n);
            r.Reprint();
            t.print(m, r.s, c.page);
            for (int i = 1; i <= 15; ++i) {
                const std::string name = r.LineAt(NameY(i), 0, LabelRight());
                if (i <= c.rows) EXPECT_EQ(name, "C" + std::to_string(15 * (c.page - 1) + i));
                else EXPECT_EQ(name, "");
            }
            const std::string closing = r.LineAt(ClosingY(c.rows, 0), 0, LabelRight());
            EXPECT_EQ(closing, c.closing ? "For section strength design" : "");
            // the rule under the last row closes the table
            const double rowsEnd = Y1() + H() * (1.5 * c.rows + 2.8);
            bool closed = false;
            for (const SurfaceCall& l : r.s.Of("Line"))
                closed |= std::fabs(l.Y1 - rowsEnd) < 0.5 && std::fabs(l.Y2 - rowsEnd) < 0.5 && l.Colour == 0;
            EXPECT_TRUE(closed);
        }
    }
}

TEST_F(ForceTables, ValuesTakeTheMasksOfTheirTable) {
    // combination 1: a negative moment keeps its sign, a zero reads "--"
    m.FlexureMoments[1][1] = -3.1f;
    m.FlexureMoments[1][2] = 12.345f;
    m.FlexureMoments[1][3] = 0;
    m.ShearForces[1][1] = 12.345f;
    m.ShearForces[1][2] = 0;
    PrintMomentTable(m, r.s, 1);
    EXPECT_EQ(r.TextEndingAt(MomentEdge(1), ValueY(1)), "-3.10 ");
    EXPECT_EQ(r.TextEndingAt(MomentEdge(2), ValueY(1)), "12.35 ");
    EXPECT_EQ(r.TextEndingAt(MomentEdge(3), ValueY(1)), "-- ");
    EXPECT_EQ(r.TextCentredOn(r.W() * (0.42 + 0.0725 * 0.5), Y1() + 2 * H()), "Mu-");
    EXPECT_EQ(r.TextCentredOn(r.W() * (0.42 + 0.0725 * 7.5), Y1() + 2 * H()), "Mu+");
    // the formula of the combination under its name
    EXPECT_EQ(r.LineAt(Y1() + H() * 3.5, 0, LabelRight()), "1.25DL+1.5EH");

    r.Reprint();
    PrintShearTable(m, r.s, 1);
    EXPECT_EQ(r.TextEndingAt(ShearEdge(1), ValueY(1)), "12.35        ");
    EXPECT_EQ(r.TextEndingAt(ShearEdge(2), ValueY(1)), "--        ");
    EXPECT_EQ(r.TextCentredOn(r.W() * (0.42 + 0.145 * 3.5), Y1() + 2 * H()), "Vu");
}

TEST_F(ForceTables, CombinationsWithoutForcesShowNoValuesAndNoGoverningValues) {
    struct Case {
        const char* what;
        int16_t stable;
        const char* name;
        const char* failure = "";
    } cases[] = {
        {"unstable", False, "C2 (not stable)"},
        {"no result", False, "C2 (no result)", "Division by zero"},
        // stable, but its section forces could not be computed: its zeros
        // are no forces and must not read as "--"
        {"section forces failed", True, "C2"},
    };
    m.AllCombinationsStable = False;
    m.GoverningFlexureCombinations[1] = 1;
    m.FlexureMoments[1][1] = -5;
    m.CombinationDesignable[2] = False;
    for (const Case& c : cases) {
        m.CombinationWallStableFlags[2] = c.stable;
        m.CombinationAnalysisFailures[2] = c.failure;
        for (const Table& t : kTables) {
            SCOPED_TRACE(testing::Message() << c.what << ", " << t.name);
            r.Reprint();
            t.print(m, r.s, 1);
            EXPECT_EQ(r.LineAt(NameY(2), 0, LabelRight()), c.name);
            EXPECT_EQ(r.LineAt(ValueY(2), LabelRight()), "");
            EXPECT_NE(r.LineAt(ValueY(1), LabelRight()), "");
            // the closing captions and no value beside them
            EXPECT_EQ(r.LineAt(ClosingY(3, 2), 0, LabelRight()), "Distance from end (m)");
            for (int line = 0; line < 3; ++line) EXPECT_EQ(r.LineAt(ClosingY(3, line), LabelRight()), "");
        }
    }
}

TEST_F(ForceTables, GoverningValuesWithTheirAxialForceAndDistance) {
    m.FlexureMoments[2][1] = -20.5f;
    m.FlexureAxialForces[2][1] = 7.25f;
    m.FlexureSectionDistances[2][1] = 3.5f;
    m.GoverningFlexureCombinations[1] = 2;
    m.GoverningFlexureCombinations[2] = 0;  // no combination bends this face
    m.ShearForces[3][4] = 9;
    m.ShearAxialForces[3][4] = -1.5f;
    m.ShearSectionDistances[3][4] = 0.75f;
    m.GoverningShearCombinations[4] = 3;
    PrintMomentTable(m, r.s, 1);
    const std::string moments[] = {"-20.50 ", "7.25 ", "3.50 "};
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(r.TextEndingAt(MomentEdge(1), ClosingY(3, line)), moments[line]);
        EXPECT_EQ(r.TextEndingAt(MomentEdge(2), ClosingY(3, line)), "-- ");
    }

    r.Reprint();
    PrintShearTable(m, r.s, 1);
    const std::string shears[] = {"9.00        ", "-1.50        ", "0.75        "};
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(r.TextEndingAt(ShearEdge(4), ClosingY(3, line)), shears[line]);
        EXPECT_EQ(r.TextEndingAt(ShearEdge(1), ClosingY(3, line)), "--        ");
    }
    // the "u" stands lower, as a subscript
    EXPECT_EQ(r.LineAt(ClosingY(3, 1), 0, LabelRight()), "Corresponding P (T/m)");

    // a face whose design was shown under another combination of the same
    // moment prints that one's forces; one the moment no longer ties with
    // (a design on earlier forces) does not
    m.FlexureAxialForces[3][1] = 9;
    m.FlexureSectionDistances[3][1] = 3.25f;
    m.FlexureDesignResults[1].Combination = 3;
    struct Case {
        float moment;
        const char* axial;
        const char* distance;
    } cases[] = {{-20.5f, "9.00 ", "3.25 "}, {-20.4f, "7.25 ", "3.50 "}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moment);
        m.FlexureMoments[3][1] = c.moment;
        r.Reprint();
        PrintMomentTable(m, r.s, 1);
        EXPECT_EQ(r.TextEndingAt(MomentEdge(1), ClosingY(3, 1)), c.axial);
        EXPECT_EQ(r.TextEndingAt(MomentEdge(1), ClosingY(3, 2)), c.distance);
    }
}

TEST_F(ForceTables, HeaderNamesMembersTheirLengthsAndTheUnit) {
    // the wall's members
    m.UpperStemLength = 3;
    m.FrontStemHeight = 7.5f;
    m.BackStemHeight = 8;
    m.ToeLength = 1.25f;
    m.HeelLength = 3;
    const double memberY = Y1(), lengthY = Y1() + H();
    const auto centre = [&](int k) { return r.W() * (0.42 + 0.145 * (k - 0.5)); };

    PrintMomentTable(m, r.s, 1);
    EXPECT_EQ(r.TextEndingAt(0.99 * r.W(), r.s.Drawing().FrameTop + 0.25 * H()), "Unit: Tm/m");
    const char* lengths[] = {"3.00", "4.50", "1.25", "3.00"};
    for (int k = 1; k <= 4; ++k) {
        EXPECT_EQ(r.TextCentredOn(centre(k), lengthY), lengths[k - 1]);
        ASSERT_NE(r.EndingAt(centre(k) + r.s.TextWidth(WallMemberNames[k]) / 2, memberY), nullptr);
        EXPECT_TRUE(r.EndingAt(centre(k) + r.s.TextWidth(WallMemberNames[k]) / 2, memberY)->Bold);
    }
    EXPECT_EQ(r.LineAt(lengthY, 0, LabelRight()), "Length (m)");
    EXPECT_EQ(r.LineAt(Y1() + 2 * H(), 0, LabelRight()), "Load combinations: Strength");

    // SI shear table; a wall without toe or heel has members of no length
    m.CurrentUnitSystem = SI;
    m.ToeLength = 0;
    m.HeelLength = 0;
    r.Reprint();
    PrintShearTable(m, r.s, 1);
    EXPECT_EQ(r.TextEndingAt(0.99 * r.W(), r.s.Drawing().FrameTop + 0.25 * H()), "Unit: kN/m");
    EXPECT_EQ(r.TextCentredOn(centre(3), lengthY), "0.00");
    EXPECT_EQ(r.TextCentredOn(centre(4), lengthY), "0.00");
}

TEST_F(ForceTables, LongTextsAreCutToTheLabelColumn) {
    CombinationSet& set = m.CombinationSets[1];
    set.Name = std::string(120, 'S');
    const double room = std::nearbyint(0.42 * r.W() - 120 * r.Scale()) - 60 * r.Scale();
    // with its mark a seventh longer than the label column holds: whole in a
    // smaller font, so that names that differ only at their end stay apart
    const std::string similar = std::string(static_cast<size_t>(1.15 * room / (10 * 7 * r.Scale())) - 16, 'm') + " II";
    set.CombinationCount = std::max<int16_t>(set.CombinationCount, 3);
    for (int c = 0; c < 3; ++c) {
        set.Combinations[c].Name = c < 2 ? std::string(200, 'n') : similar;
        for (int f = DL; f <= S2; ++f) set.Combinations[c].Factor[f] = 1.125f;
    }
    m.CombinationWallStableFlags[2] = False;
    m.CombinationWallStableFlags[3] = False;
    struct Case {
        const char* what;
        double y;
        std::string starts, ends;
        bool full;   // cut a character at a time: at most one character short of the room
    } cases[] = {
        // smaller first, then cut, and marked as cut
        {"set name", Y1() + 2 * H(), "Load combinations: SSS", "SSS\x85", true},
        // too long even in the smaller font: cut, and marked as cut
        {"name", NameY(1), "nnn", "nnn\x85", true},
        // the mark says why the row is empty: the name gives way to it
        {"name of an unstable combination", NameY(2), "nnn", "nnn\x85 (not stable)", true},
        {"similar name of an unstable combination", NameY(3), similar + " (not stable)", "m II (not stable)", false},
        // smaller first, then whole terms and the mark of those left out, never a bare factor
        {"formula", NameY(1) + 0.6 * H(), "1.125DL+1.125EV", "+\x85", false},
    };
    PrintMomentTable(m, r.s, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = r.LineAt(c.y, 0, LabelRight());
        EXPECT_EQ(text.rfind(c.starts, 0), 0u) << text;
        ASSERT_GE(text.size(), c.ends.size());
        EXPECT_EQ(text.substr(text.size() - c.ends.size()), c.ends);
        const SurfaceCall* call = r.s.FindText(text);
        ASSERT_NE(call, nullptr);
        EXPECT_LE(call->X2 - call->X1, room);
        EXPECT_GE(call->FontSize, LeastNameShare * 7 * r.Scale() - 1e-6);
        if (c.full) {
            EXPECT_GT(call->X2 - call->X1, room - 10 * 7 * r.Scale() - 1e-6);
        }
    }
    for (const Table& t : kTables) {
        SCOPED_TRACE(t.name);
        r.Reprint();
        t.print(m, r.s, 1);
        EXPECT_EQ(Clashes(r.s, r.s.Drawing().FrameTop, r.s.Drawing().FrameTop + r.s.Drawing().FrameHeight), std::vector<std::string>{});
    }
}

// A set without concrete factors, or a combination not stable, gets no
// design blocks after its tables: the last page of each says why in one
// line, inside the block; a set designed says nothing.
TEST_F(ForceTables, TheTablesSayWhyNothingIsDesigned) {
    const std::string noFactors =
        "Reinforcement is designed for combination sets with concrete factors CT, CC and CS; set \"Unfactored\" has none.";
    const std::string notStable = "One or more combinations are not stable, reinforcement design cancelled.";
    const struct {
        bool factored, stable;
        const std::string* why;   // none: designed
    } cases[] = {{false, true, &noFactors}, {true, false, &notStable}, {false, false, &notStable}, {true, true, nullptr}};
    for (const Table& t : kTables) {
        for (const auto& c : cases) {
            SCOPED_TRACE(testing::Message() << t.name << (c.factored ? " factored" : " unfactored")
                                            << (c.stable ? " stable" : " not stable"));
            const auto prepare = [&](int combinations) {
                r.Combinations(combinations);
                m.CombinationSets[1].Name = "Unfactored";
                for (int f : {CT, CC, CS}) m.CombinationSets[1].Combinations[0].Factor[f] = c.factored ? 0.9f : 0.0f;
                if (!c.stable) m.AllCombinationsStable = False;
                r.Reprint();
                t.print(m, r.s, 1);
            };
            prepare(13);  // the fullest page that holds the closing block
            for (const std::string* other : {&noFactors, &notStable}) {
                if (other != c.why) {
                    EXPECT_EQ(r.s.FindText(*other), nullptr);
                }
            }
            if (c.why == nullptr) continue;
            const SurfaceCall* line = r.s.FindText(*c.why);
            ASSERT_NE(line, nullptr);
            EXPECT_GT(line->Y1, ClosingY(13, 2));
            EXPECT_LE(line->Y1 + r.s.TextHeight(*c.why), r.s.Drawing().FrameTop + r.s.Drawing().FrameHeight);
            EXPECT_LE(line->X2, r.W());
            // and not on a page the closing block does not reach
            prepare(14);
            EXPECT_EQ(r.s.FindText(*c.why), nullptr);
        }
    }
}

}  // namespace
}  // namespace brindlemar::test

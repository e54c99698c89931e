#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>

#include "design/StabilityTable.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportTestSupport.h"
#include "runtime/Colours.h"

namespace brindlemar::test {
namespace {

const char* const NoWedge =
    "The earthquake acceleration is too large for the friction angle and slope of the backfill: "
    "no seismic earth pressure can be computed.";

// Four combinations with results written by hand, so that each cell's rule
// can be seen on its own: combination 1 stable with ordinary numbers.
struct StabilitySheet : ReportSheet {
    StabilitySheet() {
        CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
        set.Name = "Service";
        set.CombinationCount = 4;
        for (int c = 0; c < 4; ++c) {
            LoadCombination& k = set.Combinations[static_cast<size_t>(c)];
            k.Name = "C" + std::to_string(c + 1);
            k.Factor.fill(0);
            k.Factor[1] = 1.25f;
            k.Factor[EX] = 0.5f;
            k.Factor[BE] = 0.45f;
            k.Factor[FC] = 0.8f;
            k.Factor[RO] = 1;
        }
        m.AnalysisBaseWidth = 4;
        m.NominalBearingResistance = 10;
        m.ConcreteCompressiveStress = 250;
        for (size_t i = 1; i <= 4; ++i) {
            m.CombinationNominalBearingResistances[i] = 10;
            m.CombinationWallStableFlags[i] = -1;
            m.CombinationTotalHorizontalForces[i] = -12.5f;
            m.CombinationTotalVerticalForces[i] = 60;
            m.CombinationMomentsAtOverturningPoint[i] = 100;
            m.CombinationMomentsAtMidbase[i] = 20;
            m.CombinationEccentricitiesFromOverturningPoint[i] = 1.6f;
            m.CombinationEccentricitiesFromMidbase[i] = 0.4f;
            m.CombinationLeftBearingPressures[i] = 21;
            m.CombinationRightBearingPressures[i] = 9;
            m.CombinationBearingPressureWidths[i] = 3.2f;
            m.CombinationBearingResistanceRatios[i] = 2.5f;
            m.CombinationSlidingForces[i] = 12.5f;
            m.CombinationSlidingResistingForces[i] = 20;
            m.CombinationSlidingResistanceRatios[i] = 1.6f;
            m.CombinationRotatingMoments[i] = 50;
            m.CombinationRotationResistingMoments[i] = 150;
            m.CombinationRotationResistanceRatios[i] = 3;
        }
    }
    // combination idx analysed without a result, as AnalyseAllCombinations records it
    void NoResult(int idx) {
        const auto i = static_cast<size_t>(idx);
        m.CombinationWallStableFlags[i] = 0;
        m.CombinationAnalysisFailures[i] = NoWedge;
        for (CombinationValues* column : {&m.CombinationTotalHorizontalForces, &m.CombinationTotalVerticalForces,
                                          &m.CombinationEccentricitiesFromMidbase})
            (*column)[i].reset();
    }
    LoadCombination& Combination(int idx) {
        return m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)].Combinations[static_cast<size_t>(idx - 1)];
    }
    double Row(int r) const { return s.Drawing().FrameTop + 80 * s.Drawing().PrintScale + 240 * s.Drawing().PrintScale * r; }
    // The cell of column j (1 to 3) in row r, and its prints.
    std::vector<SurfaceCall> CellPrints(int j, int r) const {
        const double centre = s.Drawing().FrameWidth * (0.16 + 0.24 * j);
        std::vector<SurfaceCall> out;
        for (const SurfaceCall& c : PrintsOnLine(s, Row(r), s.Drawing().FrameWidth * 0.28, s.Drawing().FrameWidth))
            if (std::fabs((c.X1 + c.X2) / 2 - centre) < 1) out.push_back(c);
        return out;
    }
    std::string Cell(int j, int r) const {
        const auto prints = CellPrints(j, r);
        return prints.empty() ? "" : prints[0].Text;
    }
    void Print(int k) {
        s.Calls.clear();
        PrintStabilityBlock(m, s, k);
    }
};

TEST(StabilityBlock, StableCombinationShowsEveryRow) {
    StabilitySheet t;
    t.m.CurrentCombination = 2;
    t.Print(1);
    EXPECT_NE(t.s.FindText("Stabilities"), nullptr);
    const struct {
        int row;
        const char* want;
    } rows[] = {
        {0, "C1"}, {1, "1.25DL"}, {2, ""}, {4, "Stable"},
        {6, "12.50"},  // the horizontal force with its sign reversed
        {7, "60.00"}, {8, "100.00"}, {9, "20.00"}, {10, "1.60"}, {11, "0.40"},
        {12, "0.5 \xBD" "B, 2.50"},  // criterion B/4 = 1 over e = 0.4
        {14, "21.00"}, {15, "9.00"},
        {16, "3.20, 80.0%"},
        {17, "45.00"},  // 10 kg/cm2 x 10 T/m2 per kg/cm2 x BE 0.45
        {18, "2.50"}, {20, "12.50"}, {21, "20.00"}, {22, "1.60"}, {24, "50.00"}, {25, "150.00"}, {26, "3.00"},
    };
    for (const auto& r : rows) EXPECT_EQ(t.Cell(1, r.row), r.want) << "row " << r.row;
    for (int row = 4; row <= 26; ++row)
        for (const SurfaceCall& c : t.CellPrints(1, row)) EXPECT_EQ(c.Colour, 0) << "row " << row;
    EXPECT_EQ(t.m.CurrentCombination, 2);
    EXPECT_NEAR(t.s.Drawing().BlockFontSize, 7 * t.s.Drawing().PrintScale, 1e-6);
}

TEST(StabilityBlock, SecondBlockHoldsTheFourthCombinationWithAllRules) {
    StabilitySheet t;
    t.Print(2);
    EXPECT_EQ(t.Cell(1, 0), "C4");
    EXPECT_EQ(t.Cell(2, 0), "");
    EXPECT_EQ(t.Cell(3, 4), "");
    // header rule, 23 row rules, 3 column rules, all in the one-pixel pen
    std::vector<SurfaceCall> lines;
    for (const SurfaceCall& l : t.s.Of("Line"))
        if (l.Width == 1) lines.push_back(l);
    ASSERT_EQ(lines.size(), 27u);
    int grey = 0;
    for (const SurfaceCall& l : lines) grey += l.Colour == RGB(200, 200, 200);
    EXPECT_EQ(grey, 23);
    EXPECT_NE(t.s.FindText("T"), nullptr);
    // captions of the units in force
    EXPECT_EQ(TextOnLine(t.s, t.Row(8), 0, t.s.Drawing().FrameWidth * 0.28), "- Moment at overturning point (Tm/m)");
    EXPECT_EQ(TextOnLine(t.s, t.Row(2), 0, t.s.Drawing().FrameWidth * 0.28), "Service");
}

TEST(StabilityBlock, CellsFollowTheirCombinationsFactorsAndLimits) {
    struct Case {
        const char* what;
        std::function<void(StabilitySheet&)> change;
        int row;
        const char* want;
        bool red;
    } cases[] = {
        {"not stable", [](StabilitySheet& t) { t.m.CombinationWallStableFlags[2] = 0; }, 4, "Not stable", true},
        // no result is no verdict, and the column says why over its resultant's rows
        {"no result", [](StabilitySheet& t) { t.NoResult(2); }, 4, "No result", true},
        {"not stable keeps forces", [](StabilitySheet& t) { t.m.CombinationWallStableFlags[2] = 0; }, 7, "60.00",
         false},
        {"not stable: no pressure", [](StabilitySheet& t) { t.m.CombinationWallStableFlags[2] = 0; }, 14, "", false},
        {"not stable: no rotation", [](StabilitySheet& t) { t.m.CombinationWallStableFlags[2] = 0; }, 26, "", false},
        {"EX 0", [](StabilitySheet& t) { t.Combination(2).Factor[EX] = 0; }, 12, "", false},
        {"BE 0: no resistance", [](StabilitySheet& t) { t.Combination(2).Factor[BE] = 0; }, 17, "", false},
        // the row shows the resistance the ratio was formed from, not the user's nominal value
        {"resistance by the bearing method",
         [](StabilitySheet& t) { t.m.CombinationNominalBearingResistances[2] = 8; }, 17, "36.00", false},
        {"resistance capped by the concrete",
         [](StabilitySheet& t) { t.m.ConcreteCompressiveStress = 6; }, 17, "27.00", false},
        {"never analysed", [](StabilitySheet& t) { t.m.CombinationNominalBearingResistances[2].reset(); }, 17, "",
         false},
        {"BE 0: no ratio", [](StabilitySheet& t) { t.Combination(2).Factor[BE] = 0; }, 18, "", false},
        {"FC 0", [](StabilitySheet& t) { t.Combination(2).Factor[FC] = 0; }, 22, "", false},
        // passive earth or a restraint alone still resists sliding: a failing check is printed
        {"FC 0, EP counts",
         [](StabilitySheet& t) {
             t.Combination(2).Factor[FC] = 0;
             t.Combination(2).Factor[EP] = 1;
             t.m.CombinationSlidingResistanceRatios[2] = 0.67f;
         },
         22, "0.67", true},
        {"FC 0, RH counts: resisting force",
         [](StabilitySheet& t) {
             t.Combination(2).Factor[FC] = 0;
             t.Combination(2).Factor[RH] = 0.5f;
         },
         21, "20.00", false},
        {"RO 0", [](StabilitySheet& t) { t.Combination(2).Factor[RO] = 0; }, 25, "", false},
        {"bearing ratio 1", [](StabilitySheet& t) { t.m.CombinationBearingResistanceRatios[2] = 1; }, 18, "1.00",
         true},
        {"bearing ratio huge", [](StabilitySheet& t) { t.m.CombinationBearingResistanceRatios[2] = 5000; }, 18,
         "5000.00", false},
        {"no sliding force", [](StabilitySheet& t) { t.m.CombinationSlidingResistanceRatios[2] = 1e10f; }, 22, "",
         false},
        {"no rotating moment", [](StabilitySheet& t) { t.m.CombinationRotationResistanceRatios[2] = 1e10f; }, 26,
         "", false},
        {"sliding fails", [](StabilitySheet& t) { t.m.CombinationSlidingResistanceRatios[2] = 0.74f; }, 22, "0.74",
         true},
        {"eccentricity at the criterion",
         [](StabilitySheet& t) { t.m.CombinationEccentricitiesFromMidbase[2] = -1; }, 12, "0.5 \xBD" "B, 1.00", false},
        {"eccentricity beyond the criterion",
         [](StabilitySheet& t) { t.m.CombinationEccentricitiesFromMidbase[2] = -1.25f; }, 12,
         "0.5 \xBD" "B, 0.80", true},
        {"resultant at midbase", [](StabilitySheet& t) { t.m.CombinationEccentricitiesFromMidbase[2] = 0; }, 12,
         "0.5 \xBD" "B, --", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StabilitySheet t;
        c.change(t);
        t.Print(1);
        const auto prints = t.CellPrints(2, c.row);
        EXPECT_EQ(prints.empty() ? "" : prints[0].Text, c.want);
        if (!prints.empty()) {
            EXPECT_EQ(prints[0].Colour, c.red ? RGB(255, 0, 0) : 0);
        }
        // the first column keeps its own combination's factors and results
        EXPECT_FALSE(t.Cell(1, c.row).empty());
        // paper and window show one set of cells: row by row, the window's texts and red marks
        if (!NoResultReason(t.m, 2).empty()) continue;   // the reason stands over the resultant's rows
        std::vector<std::pair<std::string, bool>> window, paper;
        const auto column = StabilityColumn(t.m, 2);
        for (int row = 1; row < StabilityTableRows; ++row)
            if (!column[row].Text.empty()) window.emplace_back(column[row].Text, column[row].Red);
        for (int row = 4; row <= 26; ++row)
            for (const SurfaceCall& p : t.CellPrints(2, row)) paper.emplace_back(p.Text, p.Colour == RGB(255, 0, 0));
        EXPECT_EQ(paper, window);
    }
}

// A combination without a result says why, in its own column, over the rows
// its resultant's values would take.
TEST(StabilityBlock, NoResultSaysWhyInItsColumn) {
    StabilitySheet t;
    t.NoResult(2);
    t.Print(1);
    std::string why;
    for (int row = 6; row <= 12; ++row) {
        const auto prints = t.CellPrints(2, row);
        if (prints.empty()) continue;
        EXPECT_LE(prints[0].X2 - prints[0].X1, t.s.Drawing().FrameWidth * 0.24) << row;
        why += (why.empty() ? "" : " ") + prints[0].Text;
    }
    EXPECT_EQ(why, NoWedge);
    EXPECT_EQ(t.Cell(2, 13), "");
    EXPECT_EQ(t.Cell(1, 6), "12.50");   // its neighbour keeps its values
}

TEST(StabilityBlock, LongNamesAndFormulasKeepToTheirColumns) {
    const std::string name60 = "Combination with a name of sixty characters, as users write.";
    ASSERT_EQ(name60.size(), 60u);
    for (int16_t units : {Metric, SI, British}) {
        SCOPED_TRACE(units);
        StabilitySheet t;
        // about Arial's widths, in which the fixed captions fit their column
        t.s.CharacterWidth = 8;
        t.m.CurrentUnitSystem = units;
        t.m.CombinationSets[static_cast<size_t>(t.m.ActiveCombinationSet)].Name = "Set " + name60;
        // names that differ only at their end
        for (int idx = 1; idx <= 4; ++idx) t.Combination(idx).Name = name60 + (idx % 2 == 1 ? " I" : " II");
        for (int f = 1; f <= 11; ++f) t.Combination(2).Factor[f] = 1.234567f;
        t.Combination(3).Name = std::string(400, 'n');
        // the header lines of column j from the top, split into the name's
        // lines (joined) and the formula's; and the least font size they take
        struct Header {
            std::string name;
            std::vector<std::string> formula;
            double size = 1e9;
        };
        const auto header = [&t](int j) {
            std::vector<SurfaceCall> prints;
            for (const SurfaceCall& c : t.s.Of("Print"))
                if (c.Y1 >= t.Row(0) - 1 && c.Y1 < t.Row(4) - 1 &&
                    std::fabs((c.X1 + c.X2) / 2 - t.s.Drawing().FrameWidth * (0.16 + 0.24 * j)) < 1)
                    prints.push_back(c);
            std::stable_sort(prints.begin(), prints.end(), [](const SurfaceCall& a, const SurfaceCall& b) { return a.Y1 < b.Y1; });
            Header h;
            for (const SurfaceCall& c : prints) {
                h.size = std::min(h.size, c.FontSize);
                if (std::isdigit(static_cast<unsigned char>(c.Text[0])) || c.Text[0] == '+') h.formula.push_back(c.Text);
                else h.name += (h.name.empty() ? "" : " ") + c.Text;
            }
            return h;
        };
        for (int k = 1; k <= 2; ++k) {
            t.Print(k);
            EXPECT_EQ(Clashes(t.s, t.s.Drawing().FrameTop, t.s.Drawing().FrameTop + t.s.Drawing().FrameHeight), std::vector<std::string>{});
            // where the formula leaves rows, the name wraps onto them whole
            EXPECT_EQ(header(1).name, t.Combination(3 * k - 2).Name);
            EXPECT_EQ(header(1).size, t.s.Drawing().BlockFontSize);
            // the set's name wraps onto the row under it, whole: never cut mid-word
            EXPECT_EQ(TextOnLine(t.s, t.Row(2), 0, t.s.Drawing().FrameWidth * 0.28) + " " + TextOnLine(t.s, t.Row(3), 0, t.s.Drawing().FrameWidth * 0.28),
                      "Set " + name60);
        }
        t.Print(1);
        // beside a formula of three lines, name and formula are whole in a
        // smaller font, on lines that close up with it
        const Header two = header(2);
        EXPECT_EQ(two.name, name60 + " II");
        EXPECT_EQ(two.formula, (std::vector<std::string>{"1.234567DL+1.234567EV+1.234567EH+1.234567ES",
                                                         "+1.234567LL+1.234567LD+1.234567WA+1.234567EQ",
                                                         "+1.234567IC+1.234567S1+1.234567S2"}));
        EXPECT_LT(two.size, t.s.Drawing().BlockFontSize);
        // a name too long even in the least size is cut, and says so
        const Header three = header(3);
        EXPECT_EQ(three.size, LeastNameShare * t.s.Drawing().BlockFontSize);
        ASSERT_FALSE(three.name.empty());
        EXPECT_EQ(three.name.back(), '\x85');
    }
}

// Forces and moments are per length of wall, as the force tables say.
TEST(StabilityBlock, CaptionsInEachUnitSystem) {
    struct Case {
        int16_t units;
        const char *force, *moment, *pressure;
    } cases[] = {{Metric, "- Horizontal (T/m)", "- Rotating moment (Tm/m)", "- Left (T/m\xB2)"},
                 {British, "- Horizontal (Kip/ft)", "- Rotating moment (Kipft/ft)", "- Left (Kip/ft\xB2)"},
                 {SI, "- Horizontal (kN/m)", "- Rotating moment (kNm/m)", "- Left (kPa)"}};
    for (const Case& c : cases) {
        StabilitySheet t;
        t.m.CurrentUnitSystem = c.units;
        t.Print(1);
        EXPECT_EQ(TextOnLine(t.s, t.Row(6), 0, t.s.Drawing().FrameWidth * 0.28), c.force);
        EXPECT_EQ(TextOnLine(t.s, t.Row(24), 0, t.s.Drawing().FrameWidth * 0.28), c.moment);
        EXPECT_EQ(TextOnLine(t.s, t.Row(14), 0, t.s.Drawing().FrameWidth * 0.28), c.pressure);
    }
}

}  // namespace
}  // namespace brindlemar::test

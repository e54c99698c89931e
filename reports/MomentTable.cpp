#include "reports/MomentTable.h"

#include <algorithm>

#include "design/DesignReinforcement.h"
#include "design/DesignUnits.h"
#include "design/ReinforcementSheets.h"
#include "design/StabilityTable.h"
#include "drawing/TextPlacement.h"
#include "model/DesignTypes.h"
#include "model/Units.h"
#include "reports/CombinationTexts.h"
#include "reports/FlexuralSummary.h"
#include "reports/ReportPage.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The label column ends and the member columns begin at this width fraction.
constexpr double LabelRight = 0.42;
constexpr double MemberWidth = 0.145;

}  // namespace

int ForceTableRows(int n, int page) { return std::clamp(n - ForceTableRowsPerPage * (page - 1), 0, ForceTableRowsPerPage); }

void PrintForceTablePage(const Model& m, Surface& s, const ReinforcementBlock& b, int page, const ForceTableColumns& table) {
    const CombinationSet& set = At(m.CombinationSets, m.ActiveCombinationSet);
    const int n = static_cast<int>(CheckedIndex(set.CombinationCount, 0, MaxCombinationSets));
    const int u = UnitSystemIndex(m);
    const double size = b.FontSize();
    const double h = b.RowPitch();
    const double x = b.LabelX();
    const double y0 = b.Top + 0.25 * h;
    const double y1 = b.Top + 360 * b.Scale;
    // texts of the label column end short of its rule
    const double labelWidth = CInt(b.At(LabelRight) - x) - TableTextInset * b.Scale;
    const int columns = static_cast<int>(table.Heads.size());
    const double columnWidth = (1 - LabelRight) / columns;
    const auto memberCentre = [&](int k) { return b.At(LabelRight + MemberWidth * (k - 0.5)); };
    const auto valueEdge = [&](int j) { return b.At(LabelRight + columnWidth * j - 0.001); };
    const auto plain = [&](bool bold) { SetPrinterFont(s, m.TextFontName, size, bold, false); };
    // a value with the digits its unit needs, "--" for none
    const auto printValue = [&](float value, Quantity q, int j, double y) {
        s.CurrentY = y;
        const std::string& pad = table.Padding;
        PrintRightAligned(s, Format(value, SignedQuantityMask(q, u, value, "--" + pad, false, pad)), valueEdge(j));
    };

    s.Drawing().BlockFontSize = static_cast<float>(size);
    plain(false);

    // heading and the unit of its values
    PrintMarkup(m, s, x, y0, table.Heading, size);
    s.CurrentY = y0;
    PrintRightAligned(s, "Unit: " + table.Unit, b.At(0.99));

    // members and their lengths
    PrintMarkup(m, s, x, y1, "&BMember&b", size);
    s.FontBold = true;
    for (int k = 1; k <= MemberCount; ++k) {
        s.CurrentY = y1;
        PrintCentered(s, WallMemberNames[k], memberCentre(k));
    }
    s.FontBold = false;
    PrintMarkup(m, s, x, y1 + h, "&BLength (" + m.LengthUnitLabels[u] + ")&b", size);
    for (int k = 1; k <= MemberCount; ++k) {
        s.CurrentY = y1 + h;
        PrintCentered(s, MemberLengthText(m, k), memberCentre(k));
    }

    // the set's name over the combinations, the column heads beside it
    // smaller where it must be, cut with an ellipsis only then
    plain(true);
    const std::vector<std::string> setLine = FitLines(s, "Load combinations: " + set.Name, "", labelWidth, 1, LeastNameShare * size);
    s.CurrentY = y1 + 2 * h;
    if (!setLine.empty()) PrintAt(s, setLine[0], x);
    plain(false);
    for (int j = 1; j <= columns; ++j) {
        s.CurrentY = y1 + 2 * h;
        PrintCentered(s, table.Heads[static_cast<size_t>(j - 1)], b.At(LabelRight + columnWidth * (j - 0.5)));
    }

    // one row per combination: its name, its formula, and its values between them
    const int rows = ForceTableRows(n, page);
    for (int i = 1; i <= rows; ++i) {
        const int c = ForceTableRowsPerPage * (page - 1) + i - 1;
        // the mark says why the row has no values: a long name is printed
        // smaller, then cut, and gives way to it
        const std::string mark = NoValuesMark(m, c + 1);
        plain(false);
        const std::vector<std::string> name =
            FitLines(s, set.Combinations[static_cast<size_t>(c)].Name, mark, labelWidth, 1, LeastNameShare * size);
        s.CurrentY = y1 + h * (1.5 * i + 1.4);
        if (!name.empty()) PrintAt(s, name[0], x);
        plain(false);
        s.CurrentY = y1 + h * (1.5 * i + 2);
        PrintAt(s, FormatCombinationFitted(m, s, m.ActiveCombinationSet, c, labelWidth, LeastNameShare * size), x);
        TableRuleAcross(s, b, y1 + h * (1.5 * i + 2.8), ReportLightGrey());
        s.ForeColor = RuleBlack;
        // a combination whose section forces could not be computed has no
        // values to show, stable or not
        if (m.CombinationDesignable[static_cast<size_t>(c + 1)] != True) continue;
        for (int j = 1; j <= columns; ++j) printValue(table.Force(c + 1, j), table.Kind, j, y1 + h * (1.5 * i + 1.7));
    }

    // grid of the header and the rows
    const double rowsEnd = y1 + h * (1.5 * rows + 2.8);
    TableRuleAcross(s, b, rowsEnd, RuleBlack);
    for (double row : {-0.2, 0.8, 1.8, 2.8}) TableRuleAcross(s, b, y1 + row * h, RuleBlack);
    const bool columnPerMember = columns == MemberCount;
    for (int k = 0; k <= MemberCount; ++k)
        TableRuleDown(s, b, LabelRight + MemberWidth * k, y1 - 0.2 * h, columnPerMember ? rowsEnd : y1 + 1.8 * h);
    if (!columnPerMember)
        for (int j = 0; j <= columns; ++j) TableRuleDown(s, b, LabelRight + columnWidth * j, y1 + 1.8 * h, rowsEnd);

    // the governing values take the room of two rows: only a page of 13 rows
    // or fewer has it, which the page count makes the last one
    if (rows > ForceTableRowsPerPage - 2) return;
    const double closing = y1 + h * (1.5 * rows + 3);
    PrintMarkup(m, s, x, closing, "&BFor section strength design&b", size);
    PrintMarkup(m, s, x, closing + h, "&BCorresponding P&Lu&l (" + ForcePerLengthLabel(m) + ")&b", size);
    PrintMarkup(m, s, x, closing + 2 * h, "&BDistance from end (" + m.LengthUnitLabels[u] + ")&b", size);
    if (m.AllCombinationsStable == True) {
        for (int j = 1; j <= columns; ++j) {
            const int g = static_cast<int>(CheckedIndex(table.Governing(j), 0, MaxCombinationSets));
            const float force = table.Force(g, j);
            printValue(force, table.Kind, j, closing);
            printValue(table.AxialForce(g, j), Quantity::ForcePerLength, j, closing + h);
            s.CurrentY = closing + 2 * h;
            const float distance = table.Distance(g, j);
            PrintRightAligned(s, force == 0 ? table.NoDistance
                                            : Format(distance, QuantityMask(Quantity::Length, u, distance) + table.Padding),
                              valueEdge(j));
        }
    }
    TableRuleAcross(s, b, y1 + h * (1.5 * rows + 3.8), ReportLightGrey());
    TableRuleAcross(s, b, y1 + h * (1.5 * rows + 4.8), ReportLightGrey());
    TableRuleAcross(s, b, y1 + h * (1.5 * rows + 5.8), RuleBlack);
    for (int j = 0; j <= columns; ++j)
        TableRuleDown(s, b, LabelRight + columnWidth * j, rowsEnd, y1 + h * (1.5 * rows + 5.8));

    // under the last table page, why no design follows: a combination not stable, or no concrete factors
    if (const std::string why = NoDesignMessage(m); !why.empty()) {
        plain(false);
        s.CurrentY = y1 + h * (1.5 * rows + 6.05);
        PrintAt(s, FitTextToWidth(s, why, b.Width - 2 * x, m.TextFontName, size, false, false), x);
    }
}

void PrintMomentTable(const Model& m, Surface& s, int page) {
    ForceTableColumns table;
    table.Heading = "&BBending moment, M&Lu&l&b";
    table.Unit = MomentPerLengthLabel(m);
    for (int j = 1; j <= PositionCount; ++j) table.Heads.push_back(j % 2 == 1 ? "Mu-" : "Mu+");
    table.Force = [&m](int row, int j) { return At(At(m.FlexureMoments, row), j); };
    table.AxialForce = [&m](int row, int j) { return At(At(m.FlexureAxialForces, row), j); };
    table.Distance = [&m](int row, int j) { return At(At(m.FlexureSectionDistances, row), j); };
    table.Governing = [&m](int j) { return DesignFlexureCombination(m, j); };
    table.Kind = Quantity::MomentPerLength;
    table.Padding = " ";
    table.NoDistance = "-- ";
    PrintForceTablePage(m, s, ReinforcementBlock::Current(s), page, table);
}

}  // namespace brindlemar

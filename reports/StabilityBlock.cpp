// The stability block: a caption column and the results of three load
// combinations of the active set, one column each: the cells the stability
// results window shows, from the table that AnalyseAllCombinations filled.

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "design/StabilityTable.h"
#include "drawing/Legend.h"
#include "drawing/Primitives.h"
#include "drawing/TextPlacement.h"
#include "reports/CombinationTexts.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportPage.h"
#include "runtime/Colours.h"
#include "runtime/RuntimeError.h"
#include "model/DisplayPrecision.h"
#include "model/Units.h"

namespace brindlemar {

namespace {

constexpr int LastRow = 26;
// A combination without a result says why over the rows of its resultant,
// which it has no values for.
constexpr int FirstReasonRow = 6, LastReasonRow = 12;

double RowTop(const Surface& s, int row) { return s.Drawing().FrameTop + 80 * s.Drawing().PrintScale + 240 * s.Drawing().PrintScale * row; }
double ColumnCentre(const Surface& s, int j) { return s.Drawing().FrameWidth * (0.16 + 0.24 * j); }
double Inset(const Surface& s) { return TableTextInset * s.Drawing().PrintScale; }
double CaptionX(const Surface& s) { return 120 * s.Drawing().PrintScale; }
double CaptionRoom(const Surface& s) { return s.Drawing().FrameWidth * 0.28 - CaptionX(s) - Inset(s); }
double ColumnRoom(const Surface& s) { return s.Drawing().FrameWidth * 0.24 - 2 * Inset(s); }

// The results table's row as the block prints it: the table's thin
// separator rows take no line here, and the header takes four lines.
int BlockRow(int tableRow) {
    int separatorsAbove = 0;
    for (const int separator : StabilitySeparatorRows) separatorsAbove += separator < tableRow ? 1 : 0;
    return tableRow + 3 - separatorsAbove;
}

// The set's name in bold in the caption column, on rows 2 and 3: smaller
// where it must be, wrapped, and cut (with an ellipsis) only then. Printed
// as it is, not as markup, so that an "&" in it is a letter.
void PrintSetName(const Model& m, Surface& s) {
    SetPrinterFont(s, m.TextFontName, s.Drawing().BlockFontSize, true, false);
    const std::vector<std::string> lines = FitLines(s, At(m.CombinationSets, m.ActiveCombinationSet).Name, "",
                                                    CaptionRoom(s), 2, LeastNameShare * s.Drawing().BlockFontSize);
    for (size_t k = 0; k < lines.size(); ++k) {
        s.CurrentY = RowTop(s, 2 + static_cast<int>(k));
        PrintAt(s, lines[k], CaptionX(s));
    }
    SetPrinterFont(s, m.TextFontName, s.Drawing().BlockFontSize, false, false);
}

// The caption of row r, unit labels of the current unit system; the set's
// name (row 2) is PrintSetName's.
std::string StabilityCaption(const Model& m, int row) {
    // forces and moments are per length of wall
    const std::string F = ForcePerLengthLabel(m);
    const std::string FL = MomentPerLengthLabel(m);
    const std::string L = UnitLabel(m, m.LengthUnitLabels);
    const std::string P = UnitLabel(m, m.PressureUnitLabels);
    switch (row) {
        case 1: return "&BLoad combinations&b";
        case 4: return "&BStability&b";
        case 5: return "&BEccentricity (overturning)&b";
        case 6: return "- Horizontal (" + F + ")";
        case 7: return "- Vertical (" + F + ")";
        case 8: return "- Moment at overturning point (" + FL + ")";
        case 9: return "- Moment at midbase (" + FL + ")";
        case 10: return "- Eccentricity from overturning point (" + L + ")";
        case 11: return "- Eccentricity from midbase (" + L + ")";
        case 12: return "- Criterion, criterion/eccentricity ratio";
        case 13: return "&BBearing pressure&b";
        case 14: return "- Left (" + P + ")";
        case 15: return "- Right (" + P + ")";
        case 16: return "- Pressure width (" + L + ", %)";
        case 17: return "- Factored bearing resistance (" + P + ")";
        case 18: case 22: case 26: return "- Resistance/load ratio";
        case 19: return "&BSliding&b";
        case 20: return "- Sliding force (" + F + ")";
        case 21: return "- Resisting force (" + F + ")";
        case 23: return "&BRotation&b";
        case 24: return "- Rotating moment (" + FL + ")";
        case 25: return "- Resisting moment (" + FL + ")";
        default: return "";
    }
}

void PrintStabilityCaptions(const Model& m, Surface& s) {
    const double scale = s.Drawing().PrintScale;
    const double y0 = RowTop(s, 0);
    s.Drawing().BlockFontSize = 7 * scale;
    for (int row = 0; row <= LastRow; ++row) {
        const std::string caption = StabilityCaption(m, row);
        if (!caption.empty()) PrintMarkup(m, s, CaptionX(s), RowTop(s, row), caption, s.Drawing().BlockFontSize);
    }
    PrintSetName(m, s);
    const int pen = RoundTwips(0.1 * scale);
    DrawLineSolid(s, 0, y0 + 912 * scale, s.Drawing().FrameWidth, y0 + 912 * scale, 0, pen);
    for (int row = 4; row <= LastRow; ++row) {
        const double y = y0 + 240 * scale * (row + 0.8);
        DrawLineSolid(s, 0, y, s.Drawing().FrameWidth, y, ReportLightGrey(), pen);
    }
    for (int i = 0; i <= 2; ++i) {
        const double x = s.Drawing().FrameWidth * (0.28 + 0.24 * i);
        DrawLineSolid(s, x, s.Drawing().FrameTop, x, s.Drawing().FrameTop + s.Drawing().FrameHeight, 0, pen);
    }
}

// The name and the formula of combination idx over rows 0 to 3 of its
// column, whole where a smaller font holds them: at the block's size on the
// rows, else on lines that close up with the font, down to the least size,
// where a name still too long is cut with an ellipsis.
void PrintCombinationHeader(const Model& m, Surface& s, int idx, double x) {
    const std::string& name = At(At(m.CombinationSets, m.ActiveCombinationSet).Combinations, idx - 1).Name;
    const double rowPitch = 240 * s.Drawing().PrintScale;
    const double bottom = RowTop(s, 0) + 912 * s.Drawing().PrintScale;   // the header rule
    const double least = LeastNameShare * s.Drawing().BlockFontSize;
    std::vector<std::string> nameLines, formula;
    double pitch = rowPitch;
    for (double size = s.Drawing().BlockFontSize;; size = std::max(least, size - s.Drawing().BlockFontSize / 20)) {
        SetPrinterFont(s, m.TextFontName, size, false, false);
        pitch = rowPitch * size / s.Drawing().BlockFontSize;
        // lines whose text ends above the header rule: the four rows at the block's size
        const int lines = std::max(1, 1 + static_cast<int>((bottom - RowTop(s, 0) - s.TextHeight("")) / pitch));
        formula = FormatCombinationWrapped(m, s, m.ActiveCombinationSet, idx - 1, ColumnRoom(s), 3);
        while (!formula.empty() && formula.back().empty()) formula.pop_back();
        const bool formulaWhole = formula.empty() || formula.back().back() != '\x85';
        nameLines = FitLines(s, name, "", ColumnRoom(s), std::max(1, lines - static_cast<int>(formula.size())), size);
        const bool nameWhole = nameLines.empty() || nameLines.back().back() != '\x85' || name.back() == '\x85';
        if ((nameWhole && formulaWhole && nameLines.size() + formula.size() <= static_cast<size_t>(lines)) ||
            size <= least)
            break;
    }
    // a nameless combination keeps row 0 empty, its formula under it
    double y = RowTop(s, 0) + (nameLines.empty() ? pitch : 0);
    for (const std::vector<std::string>* part : {&nameLines, &formula}) {
        for (const std::string& line : *part) {
            s.CurrentY = y;
            PrintCentered(s, line, x);
            y += pitch;
        }
    }
    s.FontSize = s.Drawing().BlockFontSize;
}

}  // namespace

void PrintStabilityBlock(const Model& m, Surface& s, int k) {
    PrintBlockFrame(m, s);
    PrintBlockTitle(m, s, "Stabilities");
    s.Drawing().BlockFontSize = 7 * s.Drawing().PrintScale;
    s.FontSize = s.Drawing().BlockFontSize;

    PrintStabilityCaptions(m, s);
    s.ForeColor = 0;
    const int count = At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount;
    const int columns = std::min(3, count - 3 * (k - 1));
    for (int j = 1; j <= columns; ++j) {
        const int idx = 3 * (k - 1) + j;
        const double x = ColumnCentre(s, j);
        PrintCombinationHeader(m, s, idx, x);
        const std::string& reason = NoResultReason(m, idx);
        if (!reason.empty()) {
            const std::vector<std::string> lines = FitLines(s, reason, "", ColumnRoom(s), LastReasonRow - FirstReasonRow + 1,
                                                            LeastNameShare * s.Drawing().BlockFontSize);
            for (std::size_t k = 0; k < lines.size(); ++k) {
                s.CurrentY = RowTop(s, FirstReasonRow + static_cast<int>(k));
                PrintCentered(s, lines[k], x);
            }
            s.FontSize = s.Drawing().BlockFontSize;
        }
        // the cells the results window shows for the combination
        const std::array<TableCell, StabilityTableRows> column = StabilityColumn(m, idx);
        for (int tableRow = 2; tableRow < StabilityTableRows; ++tableRow) {
            const int row = BlockRow(tableRow);
            if (!reason.empty() && row >= FirstReasonRow && row <= LastReasonRow) continue;
            const TableCell& cell = column[static_cast<std::size_t>(tableRow)];
            if (cell.Text.empty()) continue;
            s.CurrentY = RowTop(s, row);
            if (cell.Red) s.ForeColor = ReportRed();
            PrintCentered(s, cell.Text, x);
            s.ForeColor = 0;
        }
    }
}

}  // namespace brindlemar

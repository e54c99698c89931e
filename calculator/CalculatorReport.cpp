#include "calculator/CalculatorReport.h"

#include <array>
#include <vector>

#include "drawing/TextPlacement.h"
#include "reports/ReportPage.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

// A label printed piece after piece on one line: plain text, a Greek letter
// (its Latin letter in the symbol font) or a subscript.
struct Piece {
    enum Kind { Text, Greek, Subscript } kind;
    const char* text;
};
using Label = std::vector<Piece>;

Label Plain(const char* text) { return {{Piece::Text, text}}; }

const std::array<Label, CalculatorInputCount> InputLabels = {
    Label{{Piece::Text, "- Wet density of soil ("}, {Piece::Greek, "g"}, {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Saturated density of soil ("}, {Piece::Greek, "g"}, {Piece::Subscript, "s"},
          {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Density of water ("}, {Piece::Greek, "g"}, {Piece::Subscript, "w"}, {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Internal friction angle ("}, {Piece::Greek, "f"}, {Piece::Text, ") ="}},
    Plain("- Cohesion (c) ="),
    Label{{Piece::Text, "- Soil slope ("}, {Piece::Greek, "b"}, {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Wall friction angle ("}, {Piece::Greek, "d"}, {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Wall inclination ("}, {Piece::Greek, "q"}, {Piece::Text, ") ="}},
    Plain("- Depth of soil (h) ="),
    Label{{Piece::Text, "- Depth of water table (h"}, {Piece::Subscript, "w"}, {Piece::Text, ") ="}},
    Plain("- Surcharge load (q) ="),
    Label{{Piece::Text, "- Hor. seismic coefficient (k"}, {Piece::Subscript, "h"}, {Piece::Text, ") ="}},
};

// The result rows: offset below the base line, caption, and the element of
// the result columns printed there (-1 for a group heading).
struct ResultRow {
    double offset;
    const char* caption;
    int element;
};
const ResultRow ResultRows[] = {
    {2160, "- Pressure coefficient (K) =", 0}, {2400, "- Soil pressures (P):", -1},
    {2640, "  At top of wall =", 1},           {2880, "  At water table =", 2},
    {3120, "  At bottom of wall =", 3},        {3360, "- Soil forces (F):", -1},
    {3600, "  Above water table =", 4},        {3840, "   depth of resultant =", 5},
    {4080, "  Below water table =", 6},        {4320, "   depth of resultant =", 7},
    {4560, "  Total =", 8},                    {4800, "   depth of resultant =", 9},
};

const std::array<Label, 4> SingleLabels = {
    Label{{Piece::Text, "- Pressure inclination ("}, {Piece::Greek, "q"}, {Piece::Text, " + "}, {Piece::Greek, "d"},
          {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Water pressure at bottom (P"}, {Piece::Subscript, "w"}, {Piece::Text, ") ="}},
    Label{{Piece::Text, "- Water force (F"}, {Piece::Subscript, "w"}, {Piece::Text, ") ="}},
    Plain("   depth of resultant ="),
};
constexpr double SingleOffsets[4] = {5040, 5280, 5520, 5760};

// Right edges of the five result columns, millimetres.
constexpr double ColumnRightEdges[PressureCaseCount] = {60, 80, 100, 120, 140};

class BlockWriter {
public:
    BlockWriter(Model& m, Surface& s) : m_(m), s_(s), scale_(m.PrintScale) {}

    double Mm(double mm) const { return mm * ReportTwipsPerMm * scale_; }
    double Tw(double twips) const { return twips * scale_; }

    void Font(bool bold) { SetPrinterFont(s_, m_.TextFontName, m_.BlockFontSize, bold, false); }

    // starts the line at `offset` twips below the base line y
    void Line(double y, double offset) { s_.CurrentY = y + Tw(offset); }

    void PrintLabel(const Label& label, double x) {
        s_.CurrentX = x;
        for (const Piece& piece : label) {
            switch (piece.kind) {
            case Piece::Text: s_.Print(piece.text); break;
            case Piece::Greek:
                SetPrinterFont(s_, m_.SymbolFontName, m_.BlockFontSize, false, false);
                s_.Print(piece.text);
                Font(false);
                break;
            case Piece::Subscript: PrintSubscript(s_, piece.text); break;
            }
        }
    }

private:
    Model& m_;
    Surface& s_;
    double scale_;
};

}  // namespace

void PrintCalculatorReport(Model& m, Surface& s, const SoilPressureInputs& in, const SoilPressureResults& r) {
    SetupPrinterPage(m, s);
    m.CurrentHalfPage = 0;
    PrintBlockFrame(m, s);
    BlockWriter w(m, s);
    const double width = m.FrameWidth;
    const double half = width / 2;

    // block title, centred in the right part of the title band
    s.ForeColor = ReportDarkBlue();
    SetPrinterFont(s, m.TextFontName, 10 * m.PrintScale, false, false);
    s.CurrentY = m.FrameTop - m.TitleBandHeight / 2.0 - s.TextHeight("") / 2;
    PrintCentered(s, "Calculator", 0.85 * width);

    const float y = static_cast<float>(m.FrameTop + w.Tw(320));
    m.BlockFontSize = static_cast<float>(8 * m.PrintScale);
    s.ForeColor = 0;

    s.CurrentY = y - w.Tw(120);
    w.Font(true);
    s.FontUnderline = true;
    PrintCentered(s, "SOIL PRESSURE", half);
    s.FontUnderline = false;
    w.Font(false);

    // inputs: two columns of six lines, labels, then units, then values
    const CalculatorUnitLabels units = CalculatorUnits(m);
    const auto inputLine = [&](int i) { w.Line(y, 240.0 * (i % 6 + 1)); };
    const auto inputLeft = [&](int i) { return i < 6 ? 0.0 : half; };
    for (int i = 0; i < CalculatorInputCount; ++i) {
        inputLine(i);
        w.PrintLabel(InputLabels[i], i < 6 ? w.Tw(240) : half);
    }
    for (int i = 0; i < CalculatorInputCount; ++i) {
        inputLine(i);
        PrintAt(s, units.Inputs[i], inputLeft(i) + w.Mm(52));
    }
    s.ForeColor = ReportDarkBlue();
    for (int i = 0; i < CalculatorInputCount; ++i) {
        inputLine(i);
        PrintRightAligned(s, InputText(InputValue(in, i)), inputLeft(i) + w.Mm(50));
    }

    // captions of the result rows and of the single results, their units,
    // then the column headings
    s.ForeColor = 0;
    for (const ResultRow& row : ResultRows) {
        w.Line(y, row.offset);
        PrintAt(s, row.caption, w.Tw(240));
    }
    for (int i = 0; i < 4; ++i) {
        w.Line(y, SingleOffsets[i]);
        w.PrintLabel(SingleLabels[i], w.Tw(240));
    }
    for (const ResultRow& row : ResultRows) {
        if (row.element < 0) continue;
        w.Line(y, row.offset);
        PrintAt(s, units.ResultRows[row.element], w.Mm(142));
    }
    for (int i = 0; i < 4; ++i) {
        w.Line(y, SingleOffsets[i]);
        PrintAt(s, units.SingleResults[i], w.Mm(62));
    }
    w.Line(y, 1680);
    w.Font(true);
    PrintCentered(s, "Active", w.Mm(60));
    PrintCentered(s, "Passive", w.Mm(100));
    PrintCentered(s, "At rest", w.Mm(130));
    w.Line(y, 1920);
    w.Font(false);
    PrintRightAligned(s, "Normal", w.Mm(60));
    PrintRightAligned(s, "Seismic", w.Mm(80));
    PrintRightAligned(s, "Normal", w.Mm(100));
    PrintRightAligned(s, "Seismic", w.Mm(120));

    // values column by column; the single results after the first column
    s.ForeColor = ReportDarkBlue();
    const std::array<std::string, 4> singles = SingleResultTexts(in, r);
    for (int c = 0; c < PressureCaseCount; ++c) {
        const std::array<std::string, 10> texts = ResultColumnTexts(r, c);
        for (const ResultRow& row : ResultRows) {
            if (row.element < 0) continue;
            w.Line(y, row.offset);
            PrintRightAligned(s, texts[row.element], w.Mm(ColumnRightEdges[c]));
        }
        if (c != 0) continue;
        for (int i = 0; i < 4; ++i) {
            w.Line(y, SingleOffsets[i]);
            PrintRightAligned(s, singles[i], w.Mm(60));
        }
    }
    s.EndDoc();
}

}  // namespace brindlemar

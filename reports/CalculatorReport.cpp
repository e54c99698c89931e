#include "reports/CalculatorReport.h"

#include <algorithm>
#include <array>
#include <vector>

#include "drawing/TextPlacement.h"
#include "model/Units.h"
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

// Texts keep this far apart on a line, millimetres.
constexpr double GapMm = 1;
// An input value gets at most this much of its line, millimetres; its label
// has the rest.
constexpr double InputValueRoomMm = 25;
// The room of a result value: its column less the gap, millimetres.
constexpr double ResultValueRoomMm = 20 - GapMm;

class BlockWriter {
public:
    BlockWriter(const Model& m, Surface& s) : m_(m), s_(s), scale_(s.Drawing().PrintScale) {}

    double Mm(double mm) const { return mm * TwipsPerMillimetre * scale_; }
    double Tw(double twips) const { return twips * scale_; }

    void Font(bool bold, double size = 0) {
        SetPrinterFont(s_, m_.TextFontName, size > 0 ? size : s_.Drawing().BlockFontSize, bold, false);
    }

    // starts the line at `offset` twips below the base line y; a text in a
    // smaller font stands lower, on the baseline of the line (the ascent is
    // about four fifths of a line of text)
    void Line(double y, double offset, double size = 0) {
        s_.CurrentY = y + Tw(offset);
        if (size <= 0 || size == s_.Drawing().BlockFontSize) return;
        Font(false);
        const double full = s_.TextHeight("");
        Font(false, size);
        s_.CurrentY += 0.8 * (full - s_.TextHeight(""));
        Font(false);
    }

    // The block font size, or a smaller one at which `width(size)` fits
    // `room`: a text that would run into its neighbour is printed smaller.
    template <typename Width>
    double FittingSize(Width width, double room) const {
        double size = s_.Drawing().BlockFontSize;
        const double full = width(size);
        if (full <= room || full <= 0) return size;
        size *= std::max(room, 0.0) / full;
        // fonts do not shrink exactly in proportion: a little more until it fits
        for (int step = 0; step < 20 && width(size) > room; ++step) size *= 0.97;
        return size;
    }
    double TextSize(const std::string& text, double room) {
        const double size = FittingSize([&](double at) { Font(false, at); return s_.TextWidth(text); }, room);
        Font(false);
        return size;
    }
    double LabelSize(const Label& label, double room) {
        const double size = FittingSize([&](double at) { return LabelWidth(label, at); }, room);
        Font(false);
        return size;
    }

    void PrintLabel(const Label& label, double x, double size) {
        s_.CurrentX = x;
        Font(false, size);
        for (const Piece& piece : label) {
            switch (piece.kind) {
            case Piece::Text: s_.Print(piece.text); break;
            case Piece::Greek:
                SetPrinterFont(s_, m_.SymbolFontName, size, false, false);
                s_.Print(piece.text);
                Font(false, size);
                break;
            case Piece::Subscript: PrintSubscript(s_, piece.text); break;
            }
        }
        Font(false);
    }

    // A value right-aligned at x in the font size given.
    void PrintValue(const std::string& text, double x, double size) {
        Font(false, size);
        PrintRightAligned(s_, text, x);
        Font(false);
    }

    // The left end of a text right-aligned at x.
    double LeftOf(const std::string& text, double x, double size) {
        Font(false, size);
        const double left = x - s_.TextWidth(text);
        Font(false);
        return left;
    }

private:
    double LabelWidth(const Label& label, double size) {
        double width = 0;
        for (const Piece& piece : label) {
            const bool greek = piece.kind == Piece::Greek;
            SetPrinterFont(s_, greek ? m_.SymbolFontName : m_.TextFontName,
                           piece.kind == Piece::Subscript ? size * 2 / 3 : size, false, false);
            width += s_.TextWidth(piece.text);
        }
        return width;
    }

    const Model& m_;
    Surface& s_;
    double scale_;
};

}  // namespace

void PrintCalculatorReport(const Model& m, Surface& s, const SoilPressureInputs& in, const SoilPressureResults& r) {
    SetupPrinterPage(m, s);
    s.Drawing().CurrentHalfPage = 0;
    PrintBlockFrame(m, s);
    BlockWriter w(m, s);
    const double width = s.Drawing().FrameWidth;
    const double half = width / 2;

    // block title, centred in the right part of the title band
    s.ForeColor = ReportDarkBlue();
    SetPrinterFont(s, m.TextFontName, 10 * s.Drawing().PrintScale, false, false);
    s.CurrentY = s.Drawing().FrameTop - s.Drawing().TitleBandHeight / 2.0 - s.TextHeight("") / 2;
    PrintCentered(s, "Calculator", 0.85 * width);

    const float y = static_cast<float>(s.Drawing().FrameTop + w.Tw(320));
    s.Drawing().BlockFontSize = static_cast<float>(8 * s.Drawing().PrintScale);
    s.ForeColor = 0;

    s.CurrentY = y - w.Tw(120);
    w.Font(true);
    s.FontUnderline = true;
    PrintCentered(s, "SOIL PRESSURE", half);
    s.FontUnderline = false;
    w.Font(false);

    // Each label ends a gap before the value on its line and each value keeps
    // to its room; a text that would not is printed in a smaller font.
    const double gap = w.Mm(GapMm);

    // inputs: two columns of six lines, labels, then units, then values
    const CalculatorUnitLabels units = CalculatorUnits(m);
    const auto inputOffset = [](int i) { return 240.0 * (i % 6 + 1); };
    const auto inputLeft = [&](int i) { return i < 6 ? 0.0 : half; };
    const auto inputLabelX = [&](int i) { return i < 6 ? w.Tw(240) : half; };
    std::array<std::string, CalculatorInputCount> inputTexts;
    std::array<double, CalculatorInputCount> inputSizes{}, inputLabelSizes{};
    for (int i = 0; i < CalculatorInputCount; ++i) {
        inputTexts[i] = InputText(InputValue(in, i), i, m.CurrentUnitSystem);
        inputSizes[i] = w.TextSize(inputTexts[i], w.Mm(InputValueRoomMm));
        const double valueLeft = w.LeftOf(inputTexts[i], inputLeft(i) + w.Mm(50), inputSizes[i]);
        inputLabelSizes[i] = w.LabelSize(InputLabels[i], valueLeft - gap - inputLabelX(i));
    }
    for (int i = 0; i < CalculatorInputCount; ++i) {
        w.Line(y, inputOffset(i), inputLabelSizes[i]);
        w.PrintLabel(InputLabels[i], inputLabelX(i), inputLabelSizes[i]);
    }
    for (int i = 0; i < CalculatorInputCount; ++i) {
        w.Line(y, inputOffset(i));
        PrintAt(s, units.Inputs[i], inputLeft(i) + w.Mm(52));
    }
    s.ForeColor = ReportDarkBlue();
    for (int i = 0; i < CalculatorInputCount; ++i) {
        w.Line(y, inputOffset(i), inputSizes[i]);
        w.PrintValue(inputTexts[i], inputLeft(i) + w.Mm(50), inputSizes[i]);
    }

    // the results, each cell within its column, and the single results
    // under the first column
    std::array<std::array<std::string, 10>, PressureCaseCount> columns;
    std::array<std::array<double, 10>, PressureCaseCount> sizes{};
    for (int c = 0; c < PressureCaseCount; ++c) {
        columns[c] = ResultColumnTexts(r, c, m.CurrentUnitSystem);
        for (size_t e = 0; e < columns[c].size(); ++e) sizes[c][e] = w.TextSize(columns[c][e], w.Mm(ResultValueRoomMm));
    }
    const std::array<std::string, 4> singles = SingleResultTexts(in, r, m.CurrentUnitSystem);
    std::array<double, 4> singleSizes{}, singleLabelSizes{};
    for (int i = 0; i < 4; ++i) {
        singleSizes[i] = w.TextSize(singles[i], w.Mm(ResultValueRoomMm));
        singleLabelSizes[i] = w.LabelSize(SingleLabels[i], w.LeftOf(singles[i], w.Mm(60), singleSizes[i]) - gap - w.Tw(240));
    }
    const auto rowLabelSize = [&](const ResultRow& row) {
        const double valueLeft =
            row.element < 0 ? w.Mm(60)
                            : w.LeftOf(columns[0][row.element], w.Mm(60), sizes[0][row.element]);
        return w.LabelSize(Plain(row.caption), valueLeft - gap - w.Tw(240));
    };

    // captions of the result rows and of the single results, their units,
    // then the column headings
    s.ForeColor = 0;
    for (const ResultRow& row : ResultRows) {
        const double size = rowLabelSize(row);
        w.Line(y, row.offset, size);
        w.PrintLabel(Plain(row.caption), w.Tw(240), size);
    }
    for (int i = 0; i < 4; ++i) {
        w.Line(y, SingleOffsets[i], singleLabelSizes[i]);
        w.PrintLabel(SingleLabels[i], w.Tw(240), singleLabelSizes[i]);
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
    for (int c = 0; c < PressureCaseCount; ++c) {
        for (const ResultRow& row : ResultRows) {
            if (row.element < 0) continue;
            w.Line(y, row.offset, sizes[c][row.element]);
            w.PrintValue(columns[c][row.element], w.Mm(ColumnRightEdges[c]), sizes[c][row.element]);
        }
        if (c != 0) continue;
        for (int i = 0; i < 4; ++i) {
            w.Line(y, SingleOffsets[i], singleSizes[i]);
            w.PrintValue(singles[i], w.Mm(60), singleSizes[i]);
        }
    }
    s.EndDoc();
}

}  // namespace brindlemar

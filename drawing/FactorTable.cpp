#include "drawing/FactorTable.h"

#include <algorithm>
#include <cmath>

#include "drawing/Primitives.h"
#include "drawing/TextPlacement.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

constexpr int kLoadFactors = 11;

// One table: a name column with two caption lines, then one column per
// factor code with its code above its factor.
struct TableLayout {
    int first, last;            // factor codes
    double nameWidth;           // in column widths
    double captionRow;          // text rows below the text base, in text heights
    double codeRow, factorRow;
    double ruleTop, ruleMiddle, ruleBottom;   // rules below the rule base, in text heights
    const char* caption;
};

// The factor of code k the table shows: the concrete factors CT, CC and CS
// are the set's, held on its first combination, whichever combination is in use.
float ShownFactor(const Model& m, int k) {
    if (k >= CT && k <= CS) return At(At(m.CombinationSets, m.ActiveCombinationSet).Combinations, 0).Factor[static_cast<size_t>(k)];
    return m.CurrentLoadCombination.Factor[static_cast<size_t>(k)];
}

void DrawTableTexts(const Model& m, Surface& s, const TableLayout& t, double g, double cw, double th, double y0) {
    const double nameWidth = t.nameWidth * cw;
    s.CurrentY = y0 + t.captionRow * th;
    PrintCentered(s, t.caption, g + nameWidth / 2);
    s.CurrentY = y0 + (t.captionRow + 1) * th;
    PrintCentered(s, "Factors", g + nameWidth / 2);
    for (int k = t.first; k <= t.last; ++k) {
        const double x = g + nameWidth + (k - t.first + 0.5) * cw;
        s.CurrentY = y0 + t.codeRow * th;
        PrintCentered(s, m.CurrentFactorDefinition.FactorCode[static_cast<size_t>(k)], x);
        s.CurrentY = y0 + t.factorRow * th;
        PrintCentered(s, FactorTableText(ShownFactor(m, k)), x);
    }
}

void DrawTableRules(const Model& m, Surface& s, const TableLayout& t, double g, double cw, double th, double yL) {
    const int32_t colour = m.FactorTableGridColour;
    const int pen = s.Drawing().FactorTablePenWidth;
    const double nameRight = g + t.nameWidth * cw;
    const double right = nameRight + (t.last - t.first + 1) * cw;
    for (double row : {t.ruleTop, t.ruleBottom, t.ruleMiddle}) {
        DrawLineSolid(s, g, yL + row * th, right, yL + row * th, colour, pen);
    }
    const double top = yL + t.ruleTop * th, bottom = yL + t.ruleBottom * th;
    DrawLineSolid(s, g, top, g, bottom, colour, pen);
    DrawLineSolid(s, nameRight, top, nameRight, bottom, colour, pen);
    for (int j = 1; j <= t.last - t.first + 1; ++j) {
        DrawLineSolid(s, nameRight + j * cw, top, nameRight + j * cw, bottom, colour, pen);
    }
}

}  // namespace

std::string FactorTableText(double factor) {
    // A negative factor keeps its sign: a reversed load must not read as a positive one.
    return Format(factor, "0.00;-0.00;--");
}

double FactorTableHeight(Surface& s) {
    // the resistance rules end 6.6 text heights below the rule base, which
    // lies a margin of 0.4 below the top; another margin keeps the picture off them
    return (0.4 + 6.6 + 0.4) * s.TextHeight("T");
}

FrameBelowFactorTable::FrameBelowFactorTable(Surface& s)
    : s_(s), top_(s.Drawing().FrameTop), height_(s.Drawing().FrameHeight) {
    const auto table = static_cast<int32_t>(std::min<double>(std::ceil(FactorTableHeight(s)), height_));
    s_.Drawing().FrameTop = top_ + table;
    s_.Drawing().FrameHeight = height_ - table;
}

FrameBelowFactorTable::~FrameBelowFactorTable() {
    s_.Drawing().FrameTop = top_;
    s_.Drawing().FrameHeight = height_;
}

void DrawFactorTable(const Model& m, Surface& s) {
    const int factorCount = std::clamp<int>(m.FactorCount, kLoadFactors, MaxFactorCount);
    const CombinationSet& set = At(m.CombinationSets, m.ActiveCombinationSet);
    const LoadCombination& combination = At(set.Combinations, m.CurrentCombination);

    // every measure follows the surface's font, so a larger font widens the whole table
    // A column holds its widest code or factor ("1000.00") with the room
    // "1.23" has in its own. Tables that would run past the frame's right
    // edge are printed in smaller type, down to seven tenths of it.
    const double fontSize = s.FontSize;
    auto columnWidth = [&] {
        double widest = s.TextWidth("1.23");
        for (int k = 1; k <= factorCount; ++k) {
            const auto i = static_cast<size_t>(k);
            widest = std::max({widest, s.TextWidth(FactorTableText(ShownFactor(m, k))),
                               s.TextWidth(m.CurrentFactorDefinition.FactorCode[i])});
        }
        return 1.3 * widest;
    };
    const double columns = std::max(2.0 + kLoadFactors, 2.7 + factorCount - kLoadFactors);
    double cw = columnWidth();
    // a twentieth of the size at a time: a screen font's widths come in steps
    while (columns * cw + 0.8 * s.TextHeight("T") > s.Drawing().FrameLeft + s.Drawing().FrameWidth && s.FontSize > 0.7 * fontSize) {
        s.FontSize = std::max(0.7 * fontSize, s.FontSize - fontSize / 20);
        cw = columnWidth();
    }
    const double th = s.TextHeight("T");
    const double g = 0.4 * th;
    const double y0 = s.Drawing().FrameTop + 1.5 * g;   // base of the text rows
    const double yL = s.Drawing().FrameTop + g;         // base of the rules

    const TableLayout loads{1, kLoadFactors, 2.0, 1.2, 1.0, 2.4, 1.0, 2.3, 3.6, "Load"};
    const TableLayout resistances{kLoadFactors + 1, factorCount, 2.7, 4.2, 4.0, 5.4, 4.0, 5.3, 6.6, "Resistance"};

    s.ForeColor = m.FactorTableTextColour;
    DrawTableTexts(m, s, loads, g, cw, th, y0);
    s.CurrentY = s.Drawing().FrameTop + g;
    // long set and combination names are printed smaller, then cut, to stop
    // at the frame's right edge
    const double tableSize = s.FontSize;
    s.FontSize = fontSize;
    const std::vector<std::string> names = FitLines(s, "Combinations: " + set.Name + ", " + combination.Name, "",
                                                    s.Drawing().FrameLeft + s.Drawing().FrameWidth - 2 * g, 1, 0.7 * fontSize);
    if (!names.empty()) PrintAt(s, names[0], g);
    s.FontSize = tableSize;
    DrawTableRules(m, s, loads, g, cw, th, yL);

    s.ForeColor = m.FactorTableTextColour;
    DrawTableTexts(m, s, resistances, g, cw, th, y0);
    if (factorCount > kLoadFactors) DrawTableRules(m, s, resistances, g, cw, th, yL);
    s.FontSize = fontSize;
}

}  // namespace brindlemar

#include "reports/FlexuralSummary.h"

#include "design/DesignUnits.h"
#include "design/ReinforcementSheets.h"
#include "drawing/TextPlacement.h"
#include "model/DesignTypes.h"
#include "reports/ReportPage.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

double DesignTableRowTop(const ReinforcementBlock& b, double k) { return b.Top + 360 * b.Scale + k * b.RowPitch(); }

std::string MemberLengthText(const Model& m, int member) {
    const std::array<float, 5> lengths = MemberLengths(m);
    return Format(lengths[static_cast<std::size_t>(CheckedIndex(member, 1, DesignMemberCount))], "0.#0");
}

void PrintDesignTableHead(const Model& m, Surface& s, const ReinforcementBlock& b, DesignTableKind kind) {
    const bool flexure = kind == DesignTableKind::Flexure;
    const double size = b.FontSize();
    const double R = b.RowPitch();
    const double y0 = DesignTableRowTop(b, 0);
    s.Drawing().BlockFontSize = static_cast<float>(size);
    const int method = static_cast<int>(CheckedIndex(m.ReinforcementDesignMethod, 0, 1));
    const int u = UnitSystemIndex(m);

    PrintMarkup(m, s, b.LabelX(), b.Top + 0.25 * R,
                std::string(flexure ? "&BFlexural reinforcements&b" : "&BShear resistance&b") +
                    "    Design method: " + DesignMethodNames[method],
                size);
    PrintMarkup(m, s, b.LabelX(), y0, "&BMember&b", size);
    PrintMarkup(m, s, b.LabelX(), y0 + R, "&BLength (" + m.LengthUnitLabels[u] + ")&b", size);
    PrintMarkup(m, s, b.LabelX(), y0 + 2 * R, flexure ? "&BFlexure&b" : "&BShear&b", size);

    const auto memberCentre = [&](int k) {
        return b.At(DesignTableValuesLeft + DesignTableMemberWidth * (k - 0.5));
    };
    s.FontBold = true;
    for (int k = 1; k <= MemberCount; ++k) {
        s.CurrentY = y0;
        PrintCentered(s, WallMemberNames[k], memberCentre(k));
    }
    s.FontBold = false;
    for (int k = 1; k <= MemberCount; ++k) {
        s.CurrentY = y0 + R;
        PrintCentered(s, MemberLengthText(m, k), memberCentre(k));
    }
    if (flexure) {
        for (int j = 1; j <= PositionCount; ++j) {
            s.CurrentY = y0 + 2 * R;
            PrintCentered(s, DesignPositionFaces[j], b.At(DesignTableValuesLeft + DesignTableFaceWidth * (j - 0.5)));
        }
    }
    s.CurrentY = y0 + 2 * R;
    PrintCentered(s, "Unit", b.At(DesignTableUnitCentre));

    for (double row : {-0.2, 0.8, 1.8, 2.8}) TableRuleAcross(s, b, y0 + row * R, RuleBlack);
    // the member rules stop above the faces; with no faces they run through row 2
    const double memberRulesEnd = y0 + (flexure ? 1.8 : 2.8) * R;
    for (int i = 0; i <= MemberCount; ++i)
        TableRuleDown(s, b, DesignTableValuesLeft + DesignTableMemberWidth * i, y0 - 0.2 * R, memberRulesEnd);
    if (flexure) {
        for (int i = 0; i <= PositionCount + 1; ++i)
            TableRuleDown(s, b, DesignTableValuesLeft + DesignTableFaceWidth * (i - 1), y0 + 1.8 * R, y0 + 2.8 * R);
    } else {
        TableRuleDown(s, b, DesignTableUnitLeft, y0 + 1.8 * R, y0 + 2.8 * R);
    }
}

void PrintFlexureSummary(const Model& m, Surface& s) {
    PrintDesignTableHead(m, s, ReinforcementBlock::Current(s), DesignTableKind::Flexure);
}

void PrintDesignTableBody(const Model& m, Surface& s, const ReinforcementBlock& b, const std::vector<DesignTableLine>& lines,
                          int columns, double valueInset, const std::vector<double>& groupRules) {
    const double size = b.FontSize();
    const double columnWidth = (1 - DesignTableValuesLeft) / columns;

    for (const DesignTableLine& line : lines)
        PrintMarkup(m, s, b.LabelX(), DesignTableRowTop(b, line.Index), line.Caption, size);

    // units and values in the plain text font, whatever the captions left
    s.FontName = m.TextFontName;
    s.FontSize = size;
    s.FontBold = false;
    s.FontItalic = false;
    for (const DesignTableLine& line : lines) {
        if (line.Unit.empty()) continue;
        s.CurrentY = DesignTableRowTop(b, line.Index);
        PrintCentered(s, line.Unit, b.At(DesignTableUnitCentre));
    }
    for (int c = 1; c <= columns; ++c) {
        const double edge = b.At(DesignTableValuesLeft + columnWidth * c - valueInset);
        for (const DesignTableLine& line : lines) {
            if (line.Values.size() < static_cast<std::size_t>(c)) continue;
            s.CurrentY = DesignTableRowTop(b, line.Index);
            s.FontBold = line.Bold;
            PrintRightAligned(s, line.Values[static_cast<std::size_t>(c - 1)], edge);
        }
        s.FontBold = false;
    }

    const int lastRow = lines.empty() ? 3 : lines.back().Index;
    for (int k = 3; k <= lastRow; ++k) TableRuleAcross(s, b, DesignTableRowTop(b, k + 0.8), ReportLightGrey());
    const double top = DesignTableRowTop(b, 2.8), bottom = DesignTableRowTop(b, lastRow + 0.8);
    for (int i = 0; i <= columns; ++i) TableRuleDown(s, b, DesignTableValuesLeft + columnWidth * i, top, bottom);
    TableRuleDown(s, b, DesignTableUnitLeft, top, bottom);
    for (double rule : groupRules) TableRuleAcross(s, b, DesignTableRowTop(b, rule), RuleBlack);
}

}  // namespace brindlemar

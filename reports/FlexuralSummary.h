#pragma once
// The head of the flexure and shear design tables of the report: the title
// line with the design method and the rows of members, member lengths and
// faces, over a column grid that both tables share: labels on the left, a
// unit column, then the four members (or the eight faces, two to a member)
// across the right 0.62 of the frame.

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "model/Model.h"
#include "reports/ReinforcementLayout.h"

namespace brindlemar {

// Column grid, in fractions of the frame width.
inline constexpr double DesignTableUnitLeft = 0.3025;
inline constexpr double DesignTableUnitCentre = 0.34125;
inline constexpr double DesignTableValuesLeft = 0.38;
inline constexpr double DesignTableMemberWidth = 0.155;
inline constexpr double DesignTableFaceWidth = 0.0775;

// Top of the text of table row k (row 0 holds the member names).
double DesignTableRowTop(const ReinforcementBlock& b, double k);

// Length of member 1..4 in the length unit (MemberLengths) with the mask "0.#0".
std::string MemberLengthText(const Model& m, int member);

enum class DesignTableKind { Flexure, Shear };

// Title line and rows 0 to 2 with their rules. The flexure head names the
// eight faces in row 2; the shear head leaves the member cells of row 2
// empty and runs the member rules down through it. Sets BlockFontSize and
// leaves the surface with bold off.
void PrintDesignTableHead(const Model& m, Surface& s, const ReinforcementBlock& b, DesignTableKind kind);

// The head of both flexure design blocks.
void PrintFlexureSummary(const Model& m, Surface& s);

// Captions are markup texts: "&B"..."&b" bold, "&S"..."&s" the symbol font
// ("r" rho, "e" epsilon, "f" phi, 0xA3 less-or-equal, 0xB3
// greater-or-equal), "&L"..."&l" subscript. A detail row's caption begins
// with a soft hyphen and a blank, which sets it off from the group headings.
inline const std::string DetailRow = "\xAD ";

// One row under the head: a caption in markup, a unit (none when empty) and
// one text per value column (none in a group heading).
struct DesignTableLine {
    int Index = 0;
    std::string Caption;
    std::string Unit;
    std::vector<std::string> Values;
    bool Bold = false;
};

// A row as the listings describe it: how a record's value is printed, and
// whether it reads "--" in a column the design left empty.
template <class Record>
struct DesignTableRow {
    int Index;
    std::string Caption;
    std::string Unit;
    std::function<std::string(const Record&)> Value;  // none in a group heading
    bool Dashed = true;
    bool Bold = false;
};

// The rows' texts for the records of columns 1 to n (element 0 unused).
template <class Record, std::size_t N>
std::vector<DesignTableLine> DesignTableLines(const std::vector<DesignTableRow<Record>>& rows,
                                              const std::array<Record, N>& records,
                                              const std::function<bool(const Record&)>& left) {
    std::vector<DesignTableLine> lines;
    for (const DesignTableRow<Record>& row : rows) {
        DesignTableLine line{row.Index, row.Caption, row.Unit, {}, row.Bold};
        if (row.Value)
            for (std::size_t c = 1; c < N; ++c)
                line.Values.push_back(row.Dashed && left(records[c]) ? std::string("--") : row.Value(records[c]));
        lines.push_back(std::move(line));
    }
    return lines;
}

// Rows 3 on of a design table: captions, units and values right-aligned
// `valueInset` (a width fraction) inside the right edge of each of the
// `columns` columns; a grey rule under every row, the column rules from the
// head down, and black rules under the groups at the row positions given.
void PrintDesignTableBody(const Model& m, Surface& s, const ReinforcementBlock& b, const std::vector<DesignTableLine>& lines,
                          int columns, double valueInset, const std::vector<double>& groupRules);

}  // namespace brindlemar

#pragma once
// The force tables of the report: one row per load combination of the
// active set, fifteen to a page, with the factored forces at the design
// sections, and on the last page the governing values for the section
// strength design. The moment table has a negative and a positive moment
// column per member; the shear table (ShearTable.h) one shear column per
// member, on the same layout.

#include <functional>
#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "model/DisplayPrecision.h"
#include "model/Model.h"
#include "reports/ReinforcementLayout.h"

namespace brindlemar {

inline constexpr int ForceTableRowsPerPage = 15;

// The combination rows on page `page` (from 1) of a table of n rows.
int ForceTableRows(int n, int page);

// What distinguishes one force table from the other.
struct ForceTableColumns {
    std::string Heading;   // markup, at the top left
    std::string Unit;      // after "Unit: " at the top right
    std::vector<std::string> Heads;   // one per value column, under the set's name
    // The value of combination number `row` (from 1) in column `column`
    // (from 1), its axial force and the distance of its section from the
    // member end; the combination that governs a column (0 for none).
    std::function<float(int row, int column)> Force, AxialForce, Distance;
    std::function<int(int column)> Governing;
    Quantity Kind = Quantity::ForcePerLength;   // of the values; axial forces are forces per length
    std::string Padding;         // after every number and "--", clear of the right edge
    std::string NoDistance;      // in its place when the governing force is 0
};

// Prints page `page` of a force table into the current block.
void PrintForceTablePage(const Model& m, Surface& s, const ReinforcementBlock& b, int page, const ForceTableColumns& table);

// Page `page` of the table of factored moments Mu- and Mu+ of the upper
// stem, lower stem, toe and heel.
void PrintMomentTable(const Model& m, Surface& s, int page);

}  // namespace brindlemar

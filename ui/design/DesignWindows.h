#pragma once
// What the stability window and the reinforcement dialog share: placing a
// window over the main window, sizes in twips, and writing table cells into
// a grid.

#include <QString>
#include <string>
#include <vector>

#include "design/TableCell.h"
#include "platform/ControlNames.h"

class QWidget;

namespace brindlemar {

class FlexGrid;

// The font the windows were laid out for: the application's face at 8.25
// points, so that the captions fit the designed column widths.
void UseDesignedFont(QWidget* window);

// A grid drawn with a thin plain border.
void PrepareGrid(FlexGrid& grid);

// What a grid's outer size adds to its cells, in twips: its border, and never
// less than the designed allowance `designed`, so that the cells that are
// meant to be in sight are.
double BorderAllowance(const FlexGrid& grid, double designed);

// The room a grid's scroll bar takes, in twips, never less than the
// designed 240.
double ScrollBarAllowance(const FlexGrid& grid);

// The width, in twips, that a column needs to show each of `cells` whole in
// the grid's font, and never less than its designed width.
double ColumnWidthFor(const FlexGrid& grid, const std::vector<TableCell>& cells, double designed);

// Twips to whole pixels on the widget's screen.
int Px(const QWidget* widget, double twips);

// A text of the model (Windows-1252) as a cell shows it: a line feed and a
// carriage return in either order make one line break.
QString CellText(const std::string& text);

// Empties the grid and gives it its shape, every size and alignment back to
// the grid's own.
void ResetGrid(FlexGrid& grid, int rows, int cols, int fixedRows, int fixedCols);

// Writes a cell's text, boldness, its note as its tool tip and, for a failed
// check, the red text colour.
void SetCell(FlexGrid& grid, int row, int col, const TableCell& cell);

// Writes a combination's title (its name, then its formula): a name too long
// for the cell is cut at its end with "…" while a " (not stable)" after it
// stays in sight, and the whole title becomes the cell's tool tip.
void SetTitleCell(FlexGrid& grid, int row, int col, const TableCell& cell);

// A combination's title with its name broken at its blanks into at most
// `lines` lines as wide as `width` twips, in the grid's font; what is left
// over goes on the last line, for the grid to cut.
QString WrappedTitle(const FlexGrid& grid, const TableCell& cell, double width, int lines);

}  // namespace brindlemar

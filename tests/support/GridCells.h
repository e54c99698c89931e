#pragma once
// Where a grid's cell stands on the screen, for tests that click it as a
// user does.

#include <QPoint>
#include <QtTest/QTest>

#include "platform/FlexGrid.h"

namespace brindlemar::test {

// The centre of cell (row, col) in the grid's viewport: each column and row
// before it takes its size in whole pixels, as the grid lays them out.
inline QPoint CellCentre(const FlexGrid* g, int row, int col) {
    const double tpp = g->Tpp();
    int x = 0, y = 0;
    for (int c = 0; c < col; ++c) x += static_cast<int>(g->ColWidth(c) / tpp + 0.5);
    for (int r = 0; r < row; ++r) y += static_cast<int>(g->RowHeight(r) / tpp + 0.5);
    return {x + static_cast<int>(g->ColWidth(col) / tpp / 2), y + static_cast<int>(g->RowHeight(row) / tpp / 2)};
}

inline void ClickCell(FlexGrid* g, int row, int col) {
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, CellCentre(g, row, col));
}

}  // namespace brindlemar::test

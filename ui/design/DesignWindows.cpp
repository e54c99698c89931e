#include "ui/design/DesignWindows.h"

#include <QColor>
#include <QStyle>
#include <QWidget>
#include <algorithm>

#include "platform/FlexGrid.h"
#include "platform/QtText.h"
#include "platform/Twips.h"
#include "runtime/Text.h"

namespace brindlemar {

void UseDesignedFont(QWidget* window) {
    QFont font = window->font();
    font.setPointSizeF(8.25);
    window->setFont(font);
}

void PrepareGrid(FlexGrid& grid) {
    grid.setFrameStyle(QFrame::Box | QFrame::Plain);
    grid.setLineWidth(1);
}

double BorderAllowance(const FlexGrid& grid, double designed) {
    // a pixel more than the border, as pixel sizes round
    return std::max(designed, (2.0 * grid.frameWidth() + 1) * TwipsPerPixel(&grid));
}

double ScrollBarAllowance(const FlexGrid& grid) {
    return std::max(240.0, grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid) * TwipsPerPixel(&grid));
}

double ColumnWidthFor(const FlexGrid& grid, const std::vector<TableCell>& cells, double designed) {
    double widest = designed;
    for (const TableCell& cell : cells) widest = std::max(widest, grid.TextWidth(CellText(cell.Text), cell.Bold));
    return widest;
}

int Px(const QWidget* widget, double twips) { return TwipsToPixels(twips, TwipsPerPixel(widget)); }

QString CellText(const std::string& text) {
    QString s = ToQString(text);
    s.replace("\r\n", "\n").replace("\n\r", "\n").replace('\r', '\n');
    return s;
}

void ResetGrid(FlexGrid& grid, int rows, int cols, int fixedRows, int fixedCols) {
    grid.SetRows(0);
    grid.SetCols(0);
    grid.SetRows(rows);
    grid.SetCols(cols);
    grid.SetFixedRows(fixedRows);
    grid.SetFixedCols(fixedCols);
}

void SetCell(FlexGrid& grid, int row, int col, const TableCell& cell) {
    grid.SetTextMatrix(row, col, CellText(cell.Text));
    grid.SetCellFontBold(row, col, cell.Bold);
    // pure red marks a check that failed; otherwise the grid's own colour
    grid.SetCellForeColor(row, col, cell.Red ? QColor(255, 0, 0) : QColor());
    grid.SetCellToolTip(row, col, CellText(cell.Note));
}

void SetTitleCell(FlexGrid& grid, int row, int col, const TableCell& cell) {
    SetCell(grid, row, col, cell);
    const QString whole = CellText(cell.Text);
    QStringList lines = whole.split('\n');
    if (grid.TextWidth(lines[0], cell.Bold) <= grid.ColWidth(col)) return;
    QString mark;
    for (const QString& m : {QStringLiteral(" (not stable)"), QStringLiteral(" (no result)")})
        if (lines[0].endsWith(m)) mark = m;
    const QString tail = QString::fromUtf8("\u2026") + mark;
    QString name = lines[0].left(lines[0].size() - (tail.size() - 1));
    while (!name.isEmpty() && grid.TextWidth(name + tail, cell.Bold) > grid.ColWidth(col)) name.chop(1);
    lines[0] = name.trimmed() + tail;
    grid.SetTextMatrix(row, col, lines.join('\n'));
    grid.SetCellToolTip(row, col, whole);
}

QString WrappedTitle(const FlexGrid& grid, const TableCell& cell, double width, int lines) {
    QStringList title = CellText(cell.Text).split('\n');
    QStringList name;
    for (const QString& word : title[0].split(' ', Qt::SkipEmptyParts)) {
        if (!name.isEmpty() && (name.size() == lines || grid.TextWidth(name.back() + ' ' + word, cell.Bold) <= width))
            name.back() += ' ' + word;
        else
            name.push_back(word);
    }
    title.replace(0, name.join('\n'));
    return title.join('\n');
}

}  // namespace brindlemar

#pragma once
// A grid of text cells with fixed heading rows and columns, a current cell and
// a rectangular selection, sized in twips: the tables of the dialogs (line
// loads, factors, stability results, design sheets) are built on it.
//
// Cells are addressed (row, col) from 0; rows 0..FixedRows()-1 and columns
// 0..FixedCols()-1 are headings that never scroll and cannot become current.
// Row()/Col() is the current cell, RowSel()/ColSel() the other corner of the
// selection. A click on a heading cell of the fixed column selects its whole
// row (the current cell becomes its first scrollable column); a click on a
// heading of the fixed row selects the whole column.
//
// Events, as signals, in the order they happen:
//   LeaveCell, EnterCell, RowColChange  when the current cell changes, by the
//                                        user or by code;
//   SelChange                            when the selection changes;
//   Click                                on releasing the mouse button;
//   DblClick                             on a double click (after the Click of
//                                        its first press);
//   KeyPress(int& keyAscii)              for a typed character, Enter (13),
//                                        Escape (27) and Backspace (8); the
//                                        handler may swallow it by setting 0.
//
// Tab and Shift+Tab move from one cell the user types into to the next, row
// after row, as in a spreadsheet, and leave the grid only past its last or
// first such cell; a grid without such cells is left at once.
//
// In-cell editing (GridCellEditing.cpp): GridCellEditor (a line) and
// GridCellChooser (a list) are laid over the current cell by
// PlaceOverCurrentCell, and GridCellEditing opens them as the cell is entered. Enter (or a choice in
// the list) commits, Escape abandons, leaving the editor commits, Tab commits
// and moves on to the grid's next cell; once the editor has committed or
// abandoned, nothing more is committed. After Enter, Tab, Escape or a choice
// the focus goes back to where it was as the edit began.

#include <QAbstractScrollArea>
#include <QColor>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

namespace brindlemar {

// Placement of a cell's text: horizontal part left, centre, right; vertical
// part top, centre, bottom; General puts numbers on the right and other text
// on the left, vertically centred.
enum FlexAlignment {
    FlexAlignLeftTop = 0,
    FlexAlignLeftCenter = 1,
    FlexAlignLeftBottom = 2,
    FlexAlignCenterTop = 3,
    FlexAlignCenterCenter = 4,
    FlexAlignCenterBottom = 5,
    FlexAlignRightTop = 6,
    FlexAlignRightCenter = 7,
    FlexAlignRightBottom = 8,
    FlexAlignGeneral = 9,
};

enum FlexScrollBars { FlexScrollNone = 0, FlexScrollHorizontal = 1, FlexScrollVertical = 2, FlexScrollBoth = 3 };
enum FlexFocusRect { FlexFocusNone = 0, FlexFocusLight = 1, FlexFocusHeavy = 2 };
enum FlexHighLight { FlexHighlightNever = 0, FlexHighlightAlways = 1, FlexHighlightWithFocus = 2 };

class FlexGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    // shape; growing adds empty cells, shrinking drops them and keeps the
    // current cell and selection inside the grid
    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetRows(int rows);
    void SetCols(int cols);
    void SetFixedRows(int fixedRows);
    void SetFixedCols(int fixedCols);

    // current cell and selection; setting Row or Col makes the selection the
    // current cell alone
    int Row() const { return row_; }
    int Col() const { return col_; }
    int RowSel() const { return rowSel_; }
    int ColSel() const { return colSel_; }
    void SetRow(int row);
    void SetCol(int col);
    void SetRowSel(int row);
    void SetColSel(int col);

    // first scrollable row on show
    int TopRow() const { return topRow_; }
    void SetTopRow(int row);

    // texts; an address outside the grid reads "" and writes nothing
    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);

    // sizes in twips
    int ColWidth(int col) const;
    void SetColWidth(int col, int twips);
    int ColWidthsSum() const;  // all columns
    int RowHeight(int row) const;
    void SetRowHeight(int row, int twips);

    // alignment of a column's scrollable cells and of its heading cells
    int ColAlignment(int col) const;
    void SetColAlignment(int col, int alignment);
    int FixedAlignment(int col) const;
    void SetFixedAlignment(int col, int alignment);

    // per-cell look
    void SetCellForeColor(int row, int col, const QColor& colour);  // invalid colour: the grid's
    QColor CellForeColor(int row, int col) const;
    void SetCellFontBold(int row, int col, bool bold);
    // A line too wide for its cell is shown cut at its end with "…", and the
    // cell's tool tip is then its whole text, unless a tip of its own was
    // given (a new text drops that tip).
    void SetCellToolTip(int row, int col, const QString& tip);
    QString CellToolTip(int row, int col) const;  // "" when the cell has none
    QString ShownText(int row, int col) const;    // the text as the cell shows it
    // a cell that refused what was typed into it: tinted and framed red, with
    // the reason as the grid's tool tip, shown at once beside the cell; one
    // cell at a time, until cleared
    void MarkRefusedCell(int row, int col, const QString& reason);
    void ClearRefusedCell();
    bool IsRefusedCell(int row, int col) const { return row == refusedRow_ && col == refusedCol_; }

    // geometry of the current cell in twips from the grid's top left corner;
    // asking scrolls the cell into view
    int CellLeft();
    int CellTop();
    int CellWidth();
    int CellHeight();

    // rows: `text` holds the cells' texts separated by tabs; -1 appends
    void AddItem(const QString& text, int index = -1);
    void RemoveItem(int index);

    // the cells Tab stops on; none by default
    using TabStops = std::function<bool(int row, int col)>;
    void SetTabStops(TabStops stops) { tabStops_ = std::move(stops); }
    bool IsTabStop(int row, int col) const { return tabStops_ && tabStops_(row, col); }
    // moves the current cell to the next (or previous) tab stop; false when
    // there is none before the grid's end (or start)
    bool MoveToNextTabStop(bool next);

    int ScrollBars() const { return scrollBars_; }
    void SetScrollBars(int bars);

    // look
    void SetFocusRect(int focusRect);
    void SetHighLight(int highLight);
    void SetGridColor(const QColor& colour);
    void SetGridColorFixed(const QColor& colour);

    // the cell under a point of the viewport, or false beyond the last cell
    bool CellAt(const QPoint& viewportPoint, int& row, int& col) const;
    // lays `editor` (a child of any ancestor of the grid) over the current
    // cell, its edges moved by the given twips
    void PlaceOverCurrentCell(QWidget* editor, int leftInset, int topInset, int widthLess, int heightLess);
    // twips per pixel of the grid's screen
    double Tpp() const;
    // the width in twips a cell needs to show `text` whole, every line of it,
    // in the grid's font (bold where asked), with the air the cell leaves
    // around its text
    double TextWidth(const QString& text, bool bold = false) const;

signals:
    void Click();
    void DblClick();
    void KeyPress(int& keyAscii);
    void LeaveCell();
    void EnterCell();
    void RowColChange();
    void SelChange();

protected:
    bool viewportEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool focusNextPrevChild(bool next) override;

private:
    struct Cell {
        QString text;
        QColor fore;  // invalid: the grid's
        bool bold = false;
        QString toolTip;
    };

    Cell* At(int row, int col);
    const Cell* At(int row, int col) const;
    void Reshape(int rows, int cols);
    // moves the current cell and selection, raising the events of what changed
    void MoveTo(int row, int col, int rowSel, int colSel);
    void ClampCurrent();
    void EnsureVisible(int row, int col);
    void UpdateScrollBars();
    int Px(int twips) const;
    int ColPx(int col) const { return Px(ColWidth(col)); }
    int RowPx(int row) const { return Px(RowHeight(row)); }
    // left edge and top edge of a cell in viewport pixels as it stands now
    int ColX(int col) const;
    int RowY(int row) const;
    int FixedWidthPx() const;
    int FixedHeightPx() const;
    int LastTopRow() const;
    int LastLeftCol() const;
    int DefaultRowHeight() const;
    void DrawCell(QPainter& p, int row, int col, const QRect& rect) const;

    int rows_ = 2, cols_ = 2, fixedRows_ = 1, fixedCols_ = 1;
    int row_ = 1, col_ = 1, rowSel_ = 1, colSel_ = 1;
    int topRow_ = 1, leftCol_ = 1;
    std::vector<std::vector<Cell>> cells_;
    std::vector<int> colWidths_;   // twips, -1: default
    std::vector<int> rowHeights_;  // twips, -1: default
    std::vector<int> colAlignment_, fixedAlignment_;
    int scrollBars_ = FlexScrollBoth;
    int focusRect_ = FlexFocusLight;
    int highLight_ = FlexHighlightAlways;
    QColor gridColor_{192, 192, 192};
    QColor gridColorFixed_;
    QColor backColorBkg_{128, 128, 128};
    bool dragging_ = false;
    bool syncingScroll_ = false;
    int refusedRow_ = -1, refusedCol_ = -1;
    TabStops tabStops_;
};

// A text box laid over a grid cell.
class GridCellEditor : public QLineEdit {
    Q_OBJECT
public:
    explicit GridCellEditor(QWidget* parent = nullptr);
    // shows the editor with `text` (all of it selected, or the caret after it)
    // and gives it the focus
    void Open(const QString& text, bool selectAll);
    bool IsOpen() const { return open_; }

signals:
    void GotFocus();
    // the text is to go into the cell: byEnter when Enter was pressed, else the
    // editor is being left
    void Commit(bool byEnter);
    void Abandon();
    // the editor is hidden: the grid's own state may come back
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool open_ = false;
    bool wholeOnDoubleClick_ = false;  // opened with its text selected, and no key pressed since
    QPointer<QWidget> home_;  // where the focus was as the edit began
};

// A list laid over a grid cell: choosing an entry commits it; a character
// typed on it goes to the grid, as typed on the cell.
class GridCellChooser : public QComboBox {
    Q_OBJECT
public:
    explicit GridCellChooser(QWidget* parent = nullptr);
    void Open(int index);
    bool IsOpen() const { return open_; }

signals:
    void GotFocus();
    void Commit(bool byChoice);
    void Abandon();
    void Closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool TypedOnTheCell(const QKeyEvent* event);
    bool open_ = false;
    QPointer<QWidget> home_;  // where the focus was as the edit began
};

}  // namespace brindlemar

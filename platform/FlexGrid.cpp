#include "platform/FlexGrid.h"

#include <QFocusEvent>
#include <QHelpEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

#include "platform/Refusal.h"
#include "platform/Twips.h"

namespace brindlemar {

namespace {

constexpr int DefaultColWidthTwips = 960;
constexpr int TextMarginPx = 3;

bool IsNumberText(const QString& text) {
    bool ok = false;
    text.trimmed().toDouble(&ok);
    return ok;
}

}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QAbstractScrollArea(parent) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    gridColorFixed_ = palette().color(QPalette::Dark);
    Reshape(rows_, cols_);
    SetScrollBars(scrollBars_);
}

// ---- shape ------------------------------------------------------------------

FlexGrid::Cell* FlexGrid::At(int row, int col) {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return nullptr;
    return &cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

const FlexGrid::Cell* FlexGrid::At(int row, int col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_) return nullptr;
    return &cells_[static_cast<size_t>(row)][static_cast<size_t>(col)];
}

void FlexGrid::Reshape(int rows, int cols) {
    rows_ = std::max(rows, 0);
    cols_ = std::max(cols, 0);
    cells_.resize(static_cast<size_t>(rows_));
    for (auto& row : cells_) row.resize(static_cast<size_t>(cols_));
    rowHeights_.resize(static_cast<size_t>(rows_), -1);
    colWidths_.resize(static_cast<size_t>(cols_), -1);
    colAlignment_.resize(static_cast<size_t>(cols_), FlexAlignGeneral);
    fixedAlignment_.resize(static_cast<size_t>(cols_), FlexAlignLeftCenter);
    fixedRows_ = std::min(fixedRows_, rows_);
    fixedCols_ = std::min(fixedCols_, cols_);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void FlexGrid::SetRows(int rows) { Reshape(rows, cols_); }
void FlexGrid::SetCols(int cols) { Reshape(rows_, cols); }

void FlexGrid::SetFixedRows(int fixedRows) {
    // the scroll position stays as many rows past the headings
    const int scrolled = topRow_ - fixedRows_;
    fixedRows_ = std::clamp(fixedRows, 0, rows_);
    topRow_ = fixedRows_ + std::max(scrolled, 0);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void FlexGrid::SetFixedCols(int fixedCols) {
    const int scrolled = leftCol_ - fixedCols_;
    fixedCols_ = std::clamp(fixedCols, 0, cols_);
    leftCol_ = fixedCols_ + std::max(scrolled, 0);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

// Keeps the current cell, the selection and the scroll position on cells that
// exist; with no scrollable row (or column) they rest on the last one there is.
void FlexGrid::ClampCurrent() {
    auto clampTo = [](int v, int first, int count) {
        if (count <= 0) return 0;
        return std::clamp(v, std::min(first, count - 1), count - 1);
    };
    row_ = clampTo(row_, fixedRows_, rows_);
    rowSel_ = clampTo(rowSel_, fixedRows_, rows_);
    col_ = clampTo(col_, fixedCols_, cols_);
    colSel_ = clampTo(colSel_, fixedCols_, cols_);
    topRow_ = clampTo(topRow_, fixedRows_, rows_);
    leftCol_ = clampTo(leftCol_, fixedCols_, cols_);
    topRow_ = std::min(topRow_, std::max(LastTopRow(), std::min(fixedRows_, rows_ - 1)));
    leftCol_ = std::min(leftCol_, std::max(LastLeftCol(), std::min(fixedCols_, cols_ - 1)));
}

// ---- current cell and selection --------------------------------------------

void FlexGrid::MoveTo(int row, int col, int rowSel, int colSel) {
    const int oldRow = row_, oldCol = col_, oldRowSel = rowSel_, oldColSel = colSel_;
    row_ = row;
    col_ = col;
    rowSel_ = rowSel;
    colSel_ = colSel;
    ClampCurrent();
    const bool cellChanged = row_ != oldRow || col_ != oldCol;
    const bool selChanged = cellChanged || rowSel_ != oldRowSel || colSel_ != oldColSel;
    if (cellChanged || selChanged) viewport()->update();
    if (cellChanged) {
        emit LeaveCell();
        emit EnterCell();
        emit RowColChange();
    }
    if (selChanged) emit SelChange();
}

void FlexGrid::SetRow(int row) {
    if (row < 0 || row >= rows_) return;
    MoveTo(row, col_, row, col_);
}

void FlexGrid::SetCol(int col) {
    if (col < 0 || col >= cols_) return;
    MoveTo(row_, col, row_, col);
}

void FlexGrid::SetRowSel(int row) {
    if (row < 0 || row >= rows_) return;
    MoveTo(row_, col_, row, colSel_);
}

void FlexGrid::SetColSel(int col) {
    if (col < 0 || col >= cols_) return;
    MoveTo(row_, col_, rowSel_, col);
}

void FlexGrid::SetTopRow(int row) {
    topRow_ = row;
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

// ---- texts and looks ----------------------------------------------------------

QString FlexGrid::TextMatrix(int row, int col) const {
    const Cell* cell = At(row, col);
    return cell != nullptr ? cell->text : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    if (Cell* cell = At(row, col)) {
        cell->text = text;
        cell->toolTip.clear();
        viewport()->update();
    }
}

int FlexGrid::ColWidth(int col) const {
    if (col < 0 || col >= cols_) return 0;
    const int w = colWidths_[static_cast<size_t>(col)];
    return w >= 0 ? w : DefaultColWidthTwips;
}

int FlexGrid::ColWidthsSum() const {
    int sum = 0;
    for (int c = 0; c < cols_; ++c) sum += ColWidth(c);
    return sum;
}

void FlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= cols_) return;
    colWidths_[static_cast<size_t>(col)] = std::max(twips, 0);
    UpdateScrollBars();
    viewport()->update();
}

int FlexGrid::DefaultRowHeight() const {
    // the font's line with a little air, in whole pixels
    return static_cast<int>(std::lround((fontMetrics().height() + 4) * Tpp()));
}

int FlexGrid::RowHeight(int row) const {
    if (row < 0 || row >= rows_) return 0;
    const int h = rowHeights_[static_cast<size_t>(row)];
    return h >= 0 ? h : DefaultRowHeight();
}

void FlexGrid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= rows_) return;
    rowHeights_[static_cast<size_t>(row)] = std::max(twips, 0);
    UpdateScrollBars();
    viewport()->update();
}

int FlexGrid::ColAlignment(int col) const {
    return col >= 0 && col < cols_ ? colAlignment_[static_cast<size_t>(col)] : FlexAlignGeneral;
}

void FlexGrid::SetColAlignment(int col, int alignment) {
    if (col < 0 || col >= cols_) return;
    colAlignment_[static_cast<size_t>(col)] = std::clamp(alignment, 0, 9);
    viewport()->update();
}

int FlexGrid::FixedAlignment(int col) const {
    return col >= 0 && col < cols_ ? fixedAlignment_[static_cast<size_t>(col)] : FlexAlignLeftCenter;
}

void FlexGrid::SetFixedAlignment(int col, int alignment) {
    if (col < 0 || col >= cols_) return;
    fixedAlignment_[static_cast<size_t>(col)] = std::clamp(alignment, 0, 9);
    viewport()->update();
}

void FlexGrid::SetCellForeColor(int row, int col, const QColor& colour) {
    if (Cell* cell = At(row, col)) {
        cell->fore = colour;
        viewport()->update();
    }
}

QColor FlexGrid::CellForeColor(int row, int col) const {
    const Cell* cell = At(row, col);
    return cell != nullptr && cell->fore.isValid() ? cell->fore : palette().color(QPalette::Text);
}

void FlexGrid::MarkRefusedCell(int row, int col, const QString& reason) {
    if (At(row, col) == nullptr) return;
    refusedRow_ = row;
    refusedCol_ = col;
    setToolTip(reason);
    viewport()->update();
    if (isVisible()) ShowRefusalReason(viewport(), QRect(ColX(col), RowY(row), ColPx(col), RowPx(row)), reason);
}

void FlexGrid::ClearRefusedCell() {
    if (refusedRow_ < 0) return;
    refusedRow_ = refusedCol_ = -1;
    setToolTip(QString());
    HideRefusalReason(viewport());
    viewport()->update();
}

void FlexGrid::SetCellFontBold(int row, int col, bool bold) {
    if (Cell* cell = At(row, col)) {
        cell->bold = bold;
        viewport()->update();
    }
}

void FlexGrid::SetCellToolTip(int row, int col, const QString& tip) {
    if (Cell* cell = At(row, col)) cell->toolTip = tip;
}

QString FlexGrid::CellToolTip(int row, int col) const {
    const Cell* cell = At(row, col);
    if (cell == nullptr) return "";
    if (!cell->toolTip.isEmpty()) return cell->toolTip;
    return ShownText(row, col) == cell->text ? "" : cell->text;
}

QString FlexGrid::ShownText(int row, int col) const {
    const Cell* cell = At(row, col);
    if (cell == nullptr) return "";
    QFont f = font();
    f.setBold(cell->bold);
    const QFontMetrics metrics(f);
    const int room = ColPx(col) - 2 * TextMarginPx;
    QStringList lines = cell->text.split('\n');
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, room);
    return lines.join('\n');
}

void FlexGrid::SetScrollBars(int bars) {
    scrollBars_ = std::clamp(bars, 0, 3);
    setHorizontalScrollBarPolicy((scrollBars_ & FlexScrollHorizontal) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((scrollBars_ & FlexScrollVertical) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
}

void FlexGrid::SetFocusRect(int focusRect) {
    focusRect_ = focusRect;
    viewport()->update();
}

void FlexGrid::SetHighLight(int highLight) {
    highLight_ = highLight;
    viewport()->update();
}

void FlexGrid::SetGridColor(const QColor& colour) {
    gridColor_ = colour;
    viewport()->update();
}

void FlexGrid::SetGridColorFixed(const QColor& colour) {
    gridColorFixed_ = colour;
    viewport()->update();
}

// ---- rows ---------------------------------------------------------------------

void FlexGrid::AddItem(const QString& text, int index) {
    if (index < 0 || index > rows_) index = rows_;
    const auto at = static_cast<size_t>(index);
    std::vector<Cell> row(static_cast<size_t>(cols_));
    const QStringList parts = text.split('\t');
    for (int c = 0; c < cols_ && c < parts.size(); ++c) row[static_cast<size_t>(c)].text = parts[c];
    cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(at), std::move(row));
    rowHeights_.insert(rowHeights_.begin() + static_cast<std::ptrdiff_t>(at), -1);
    ++rows_;
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

void FlexGrid::RemoveItem(int index) {
    if (index < 0 || index >= rows_) return;
    cells_.erase(cells_.begin() + index);
    rowHeights_.erase(rowHeights_.begin() + index);
    --rows_;
    fixedRows_ = std::min(fixedRows_, rows_);
    ClampCurrent();
    UpdateScrollBars();
    viewport()->update();
}

// ---- geometry -----------------------------------------------------------------

double FlexGrid::Tpp() const { return TwipsPerPixel(this); }

int FlexGrid::Px(int twips) const { return TwipsToPixels(twips, Tpp()); }

namespace {

// Pixels from the view's edge to the start of line `index` (a row or a
// column): the headings first, then the scrolled lines from `first`.
template <class Size>
int Edge(int index, int fixed, int first, Size size) {
    int at = 0;
    for (int i = 0; i < std::min(index, fixed); ++i) at += size(i);
    if (index < fixed) return at;
    if (index >= first)
        for (int i = first; i < index; ++i) at += size(i);
    else
        for (int i = index; i < first; ++i) at -= size(i);
    return at;
}

// The highest first scrolled line that still fills `room` down to the last line.
template <class Size>
int LastFirst(int count, int fixed, int room, Size size) {
    int first = count - 1, used = 0;
    for (int i = count - 1; i >= fixed; --i) {
        used += size(i);
        if (used > room) break;
        first = i;
    }
    return std::max(first, fixed);
}

}  // namespace

int FlexGrid::FixedWidthPx() const { return Edge(fixedCols_, fixedCols_, fixedCols_, [this](int c) { return ColPx(c); }); }

int FlexGrid::FixedHeightPx() const { return Edge(fixedRows_, fixedRows_, fixedRows_, [this](int r) { return RowPx(r); }); }

int FlexGrid::ColX(int col) const { return Edge(col, fixedCols_, leftCol_, [this](int c) { return ColPx(c); }); }

int FlexGrid::RowY(int row) const { return Edge(row, fixedRows_, topRow_, [this](int r) { return RowPx(r); }); }

int FlexGrid::LastTopRow() const {
    return LastFirst(rows_, fixedRows_, viewport()->height() - FixedHeightPx(), [this](int r) { return RowPx(r); });
}

int FlexGrid::LastLeftCol() const {
    return LastFirst(cols_, fixedCols_, viewport()->width() - FixedWidthPx(), [this](int c) { return ColPx(c); });
}

bool FlexGrid::CellAt(const QPoint& point, int& row, int& col) const {
    row = -1;
    col = -1;
    for (int r = 0; r < rows_ && row < 0; ++r) {
        if (r >= fixedRows_ && r < topRow_) continue;
        const int y = RowY(r);
        if (point.y() >= y && point.y() < y + RowPx(r)) row = r;
    }
    for (int c = 0; c < cols_ && col < 0; ++c) {
        if (c >= fixedCols_ && c < leftCol_) continue;
        const int x = ColX(c);
        if (point.x() >= x && point.x() < x + ColPx(c)) col = c;
    }
    return row >= 0 && col >= 0;
}

void FlexGrid::EnsureVisible(int row, int col) {
    if (row >= fixedRows_ && row < rows_) {
        if (row < topRow_) topRow_ = row;
        const int room = viewport()->height() - FixedHeightPx();
        while (topRow_ < row && RowY(row) - FixedHeightPx() + RowPx(row) > room) ++topRow_;
    }
    if (col >= fixedCols_ && col < cols_) {
        if (col < leftCol_) leftCol_ = col;
        const int room = viewport()->width() - FixedWidthPx();
        while (leftCol_ < col && ColX(col) - FixedWidthPx() + ColPx(col) > room) ++leftCol_;
    }
    UpdateScrollBars();
    viewport()->update();
}

int FlexGrid::CellLeft() {
    EnsureVisible(row_, col_);
    return static_cast<int>(std::lround((ColX(col_) + frameWidth()) * Tpp()));
}

int FlexGrid::CellTop() {
    EnsureVisible(row_, col_);
    return static_cast<int>(std::lround((RowY(row_) + frameWidth()) * Tpp()));
}

int FlexGrid::CellWidth() {
    EnsureVisible(row_, col_);
    return ColWidth(col_);
}

int FlexGrid::CellHeight() {
    EnsureVisible(row_, col_);
    return RowHeight(row_);
}

double FlexGrid::TextWidth(const QString& text, bool bold) const {
    // the margins either side of a text and the grid line, and a pixel or
    // two that the font's rounding may want
    constexpr int Air = 2 * TextMarginPx + 4;
    QFont f = font();
    f.setBold(bold);
    const QFontMetrics metrics(f);
    int widest = 0;
    for (const QString& line : text.split('\n')) widest = std::max(widest, metrics.horizontalAdvance(line));
    return (widest + Air) * Tpp();
}

void FlexGrid::PlaceOverCurrentCell(QWidget* editor, int leftInset, int topInset, int widthLess, int heightLess) {
    const double tpp = Tpp();
    const int left = CellLeft(), top = CellTop(), width = CellWidth(), height = CellHeight();
    const QPoint origin = mapTo(editor->parentWidget(), QPoint(0, 0));
    editor->setGeometry(origin.x() + TwipsToPixels(left + leftInset, tpp),
                        origin.y() + TwipsToPixels(top + topInset, tpp),
                        std::max(TwipsToPixels(width - widthLess, tpp), 1),
                        std::max(TwipsToPixels(height - heightLess, tpp), 1));
    editor->raise();
}

void FlexGrid::UpdateScrollBars() {
    // The room is worked out from the grid's own size rather than from the
    // viewport's: a hidden grid's viewport is laid out again only when shown,
    // and a bar kept from an earlier size narrows the viewport enough to
    // justify itself (each bar can hold the other up).
    const QSize whole = contentsRect().marginsRemoved(viewportMargins()).size();
    const auto rowPx = [this](int r) { return RowPx(r); };
    const auto colPx = [this](int c) { return ColPx(c); };
    const auto lastTop = [&](int height) { return LastFirst(rows_, fixedRows_, height - FixedHeightPx(), rowPx); };
    const auto lastLeft = [&](int width) { return LastFirst(cols_, fixedCols_, width - FixedWidthPx(), colPx); };
    const int barWidth = verticalScrollBar()->sizeHint().width();
    const int barHeight = horizontalScrollBar()->sizeHint().height();
    const bool canV = (scrollBars_ & FlexScrollVertical) != 0, canH = (scrollBars_ & FlexScrollHorizontal) != 0;
    bool needV = canV && lastTop(whole.height()) > fixedRows_;
    bool needH = canH && lastLeft(whole.width()) > fixedCols_;
    // one bar may leave too little room for the other direction
    if (needV && !needH) needH = canH && lastLeft(whole.width() - barWidth) > fixedCols_;
    if (needH && !needV) needV = canV && lastTop(whole.height() - barHeight) > fixedRows_;
    const int topLimit = lastTop(whole.height() - (needH ? barHeight : 0));
    const int leftLimit = lastLeft(whole.width() - (needV ? barWidth : 0));

    syncingScroll_ = true;
    verticalScrollBar()->setRange(0, std::max(topLimit - fixedRows_, 0));
    verticalScrollBar()->setPageStep(1);
    verticalScrollBar()->setValue(topRow_ - fixedRows_);
    horizontalScrollBar()->setRange(0, std::max(leftLimit - fixedCols_, 0));
    horizontalScrollBar()->setValue(leftCol_ - fixedCols_);
    syncingScroll_ = false;
}

void FlexGrid::scrollContentsBy(int, int) {
    if (syncingScroll_) return;
    topRow_ = std::min(fixedRows_ + verticalScrollBar()->value(), std::max(rows_ - 1, 0));
    leftCol_ = std::min(fixedCols_ + horizontalScrollBar()->value(), std::max(cols_ - 1, 0));
    viewport()->update();
}

void FlexGrid::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    ClampCurrent();
    UpdateScrollBars();
}

// ---- painting -----------------------------------------------------------------

void FlexGrid::DrawCell(QPainter& p, int row, int col, const QRect& rect) const {
    const Cell& cell = *At(row, col);
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    const bool showSelection = highLight_ == FlexHighlightAlways || (highLight_ == FlexHighlightWithFocus && hasFocus());
    const bool inSelection = !fixed && row >= std::min(row_, rowSel_) && row <= std::max(row_, rowSel_) &&
                             col >= std::min(col_, colSel_) && col <= std::max(col_, colSel_);
    const bool current = row == row_ && col == col_;
    const bool highlighted = showSelection && inSelection && !current;

    const bool refused = IsRefusedCell(row, col);
    p.fillRect(rect, fixed         ? palette().color(QPalette::Button)
                     : refused     ? QColor(QRgb(RefusedBackground))
                     : highlighted ? palette().color(QPalette::Highlight)
                                   : palette().color(QPalette::Base));
    if (refused) {
        p.setPen(QPen(QColor(QRgb(RefusedFrame)), 2));
        p.drawRect(rect.adjusted(1, 1, -2, -2));
    }
    // lines on the right and bottom edges, as the cells tile
    p.setPen(fixed ? gridColorFixed_ : gridColor_);
    p.drawLine(rect.topRight(), rect.bottomRight());
    p.drawLine(rect.bottomLeft(), rect.bottomRight());

    const int alignment = fixed ? FixedAlignment(col) : ColAlignment(col);
    Qt::Alignment align;
    if (alignment == FlexAlignGeneral) {
        align = (IsNumberText(cell.text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    } else {
        const int h = alignment / 3, v = alignment % 3;
        align = (h == 0 ? Qt::AlignLeft : h == 1 ? Qt::AlignHCenter : Qt::AlignRight) |
                (v == 0 ? Qt::AlignTop : v == 1 ? Qt::AlignVCenter : Qt::AlignBottom);
    }
    QFont font = p.font();
    font.setBold(cell.bold);
    p.setFont(font);
    p.setPen(highlighted && !refused ? palette().color(QPalette::HighlightedText)
                         : cell.fore.isValid() ? cell.fore : palette().color(fixed ? QPalette::ButtonText : QPalette::Text));
    p.drawText(rect.adjusted(TextMarginPx, 1, -TextMarginPx, -1), static_cast<int>(align), ShownText(row, col));

    if (current && !fixed && focusRect_ != FlexFocusNone && hasFocus()) {
        QPen pen(palette().color(QPalette::Text));
        pen.setStyle(focusRect_ == FlexFocusLight ? Qt::DotLine : Qt::SolidLine);
        pen.setWidth(focusRect_ == FlexFocusHeavy ? 2 : 1);
        p.setPen(pen);
        p.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

bool FlexGrid::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        int r = 0, c = 0;
        // a refused cell tells why it refused before what it holds
        const QString tip = !CellAt(help->pos(), r, c) ? QString() : IsRefusedCell(r, c) ? toolTip() : CellToolTip(r, c);
        if (tip.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), tip, viewport(), QRect(ColX(c), RowY(r), ColPx(c), RowPx(r)));
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void FlexGrid::paintEvent(QPaintEvent*) {
    QPainter p(viewport());
    const QRect area = viewport()->rect();
    p.fillRect(area, backColorBkg_);
    const int fixedW = FixedWidthPx(), fixedH = FixedHeightPx();
    const QFont base = p.font();
    // scrollable cells first, clipped beside the headings; then the headings
    for (int pass = 0; pass < 4; ++pass) {
        const bool fixedRowPass = pass == 1 || pass == 3;
        const bool fixedColPass = pass == 2 || pass == 3;
        QRect clip = area;
        if (!fixedRowPass) clip.setTop(fixedH);
        if (!fixedColPass) clip.setLeft(fixedW);
        p.setClipRect(clip);
        const int r0 = fixedRowPass ? 0 : topRow_, r1 = fixedRowPass ? fixedRows_ : rows_;
        const int c0 = fixedColPass ? 0 : leftCol_, c1 = fixedColPass ? fixedCols_ : cols_;
        for (int r = r0; r < r1; ++r) {
            const int y = RowY(r);
            if (y > area.bottom()) break;
            for (int c = c0; c < c1; ++c) {
                const int x = ColX(c);
                if (x > area.right()) break;
                p.setFont(base);
                DrawCell(p, r, c, QRect(x, y, ColPx(c), RowPx(r)));
            }
        }
    }
    // a grid with no cell to mark still shows that the keys go to it
    if (hasFocus() && (rows_ <= fixedRows_ || cols_ <= fixedCols_ || focusRect_ == FlexFocusNone)) {
        p.setClipping(false);
        p.setPen(QPen(palette().color(QPalette::Highlight), 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area.adjusted(1, 1, -1, -1));
    }
}

// ---- mouse and keys -----------------------------------------------------------

void FlexGrid::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    int r = 0, c = 0;
    if (!CellAt(event->position().toPoint(), r, c)) return;
    if (r < fixedRows_ && c < fixedCols_) return;  // the corner
    if (c < fixedCols_) {
        // a row heading selects its whole row
        if (cols_ > fixedCols_) MoveTo(r, fixedCols_, r, cols_ - 1);
    } else if (r < fixedRows_) {
        if (rows_ > fixedRows_) MoveTo(fixedRows_, c, rows_ - 1, c);
    } else if (event->modifiers() & Qt::ShiftModifier) {
        MoveTo(row_, col_, r, c);
    } else {
        MoveTo(r, c, r, c);
        dragging_ = true;
    }
}

void FlexGrid::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_ || !(event->buttons() & Qt::LeftButton)) return;
    int r = 0, c = 0;
    if (CellAt(event->position().toPoint(), r, c) && r >= fixedRows_ && c >= fixedCols_) MoveTo(row_, col_, r, c);
}

void FlexGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = false;
    emit Click();
}

void FlexGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    emit DblClick();
}

void FlexGrid::keyPressEvent(QKeyEvent* event) {
    const bool extend = event->modifiers() & Qt::ShiftModifier;
    int r = extend ? rowSel_ : row_, c = extend ? colSel_ : col_;
    const int firstRow = std::min(fixedRows_, rows_ - 1), firstCol = std::min(fixedCols_, cols_ - 1);
    const int page = std::max(LastTopRow() > fixedRows_ ? (viewport()->height() - FixedHeightPx()) /
                                                              std::max(RowPx(std::max(rows_ - 1, 0)), 1)
                                                        : 1,
                              1);
    switch (event->key()) {
        case Qt::Key_Up: r = std::max(r - 1, firstRow); break;
        case Qt::Key_Down: r = std::min(r + 1, rows_ - 1); break;
        case Qt::Key_Left: c = std::max(c - 1, firstCol); break;
        case Qt::Key_Right: c = std::min(c + 1, cols_ - 1); break;
        case Qt::Key_PageUp: r = std::max(r - page, firstRow); break;
        case Qt::Key_PageDown: r = std::min(r + page, rows_ - 1); break;
        case Qt::Key_Home: c = firstCol; break;
        case Qt::Key_End: c = cols_ - 1; break;
        default: {
            int key = 0;
            if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) key = 13;
            else if (event->key() == Qt::Key_Escape) key = 27;
            else if (event->key() == Qt::Key_Backspace) key = 8;
            else if (!event->text().isEmpty() && event->text()[0].unicode() >= 32 && event->text()[0].unicode() < 256 &&
                     !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
                key = event->text()[0].unicode();
            if (key == 0) {
                QAbstractScrollArea::keyPressEvent(event);
                return;
            }
            emit KeyPress(key);
            // Enter and Esc that mean nothing to the grid's owner are the
            // window's, as in any other control: its default button, Cancel
            if (key == 13 || key == 27) {
                event->ignore();
                return;
            }
            event->accept();
            return;
        }
    }
    if (rows_ <= fixedRows_ || cols_ <= fixedCols_) return;
    if (extend)
        MoveTo(row_, col_, r, c);
    else
        MoveTo(r, c, r, c);
    EnsureVisible(extend ? rowSel_ : row_, extend ? colSel_ : col_);
    event->accept();
}

bool FlexGrid::MoveToNextTabStop(bool next) {
    if (!tabStops_ || rows_ <= fixedRows_ || cols_ <= fixedCols_) return false;
    const int step = next ? 1 : -1;
    int r = row_, c = col_;
    for (;;) {
        c += step;
        if (c >= cols_) c = fixedCols_, ++r;
        if (c < fixedCols_) c = cols_ - 1, --r;
        if (r < fixedRows_ || r >= rows_) return false;
        if (tabStops_(r, c)) break;
    }
    MoveTo(r, c, r, c);
    EnsureVisible(r, c);
    return true;
}

bool FlexGrid::focusNextPrevChild(bool next) {
    return MoveToNextTabStop(next) || QAbstractScrollArea::focusNextPrevChild(next);
}

void FlexGrid::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
}

void FlexGrid::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

}  // namespace brindlemar

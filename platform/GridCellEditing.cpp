#include "platform/GridCellEditing.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPointer>
#include <algorithm>

#include "platform/EntryGestures.h"
#include "platform/FlexGrid.h"

namespace brindlemar {

// ---- the editors ------------------------------------------------------------

namespace {
// Focus that leaves for a pop-up or another window is still the editor's.
bool LeavesEditor(const QFocusEvent* event) {
    return event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason;
}

// Tabbed: Tab or Shift+Tab commits, and the grid moves on to its next cell.
enum class Ending { Chosen, Tabbed, Left, Abandoned };

// Tells the owner how the edit ended, then hides the editor. An edit ended
// by a key or a choice gives the focus back to where the edit began (the
// grid) before the editor hides: hiding the focused editor would pass the
// focus on to the next control, where the next keys typed would go.
template <class Editor>
void EndEditing(Editor& editor, bool& open, const QPointer<QWidget>& home, Ending ending) {
    open = false;  // nothing more is committed while the editor closes
    if (ending == Ending::Abandoned)
        emit editor.Abandon();
    else
        emit editor.Commit(ending == Ending::Chosen);
    // closed and hidden, even where the owner opened it again meanwhile
    open = false;
    // the focus may also be in the editor's parts, its list among them
    bool editorFocused = QApplication::focusWidget() == nullptr;
    for (const QWidget* w = QApplication::focusWidget(); w != nullptr && !editorFocused; w = w->parentWidget())
        editorFocused = w == &editor;
    if (ending != Ending::Left && editorFocused && home != nullptr && home->isVisible() && home->isEnabled())
        home->setFocus(Qt::OtherFocusReason);
    editor.hide();
    emit editor.Closed();
}

// The control that has the focus as an editor opens, unless it is the editor.
QPointer<QWidget> FocusBefore(const QWidget* editor) {
    QWidget* focus = QApplication::focusWidget();
    return focus != editor ? QPointer<QWidget>(focus) : QPointer<QWidget>();
}

// Enter commits an open editor and Escape abandons it; true when the key was taken.
template <class Editor>
bool EndByKey(Editor& editor, bool& open, const QPointer<QWidget>& home, QKeyEvent* event) {
    if (!open) return false;
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (!enter && event->key() != Qt::Key_Escape) return false;
    event->accept();
    EndEditing(editor, open, home, enter ? Ending::Chosen : Ending::Abandoned);
    return true;
}
// Tab commits an open editor as leaving it would, but the focus goes back to
// the grid, which moves on to its next (or previous) cell, unless the cell
// refused what was typed: it stays current, to be typed again.
template <class Editor>
bool EndByTab(Editor& editor, bool& open, QPointer<QWidget> home, bool next) {
    EndEditing(editor, open, home, Ending::Tabbed);
    const auto* grid = qobject_cast<const FlexGrid*>(home.data());
    if (home == nullptr || !home->hasFocus() || (grid != nullptr && grid->IsRefusedCell(grid->Row(), grid->Col())))
        return true;
    QKeyEvent tab(QEvent::KeyPress, next ? Qt::Key_Tab : Qt::Key_Backtab, next ? Qt::NoModifier : Qt::ShiftModifier);
    QApplication::sendEvent(home, &tab);
    return true;
}
}  // namespace

GridCellEditor::GridCellEditor(QWidget* parent) : QLineEdit(parent) { hide(); }

void GridCellEditor::Open(const QString& text, bool selectAll) {
    if (!open_) home_ = FocusBefore(this);
    setText(text);
    open_ = true;
    wholeOnDoubleClick_ = selectAll;
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    if (selectAll)
        this->selectAll();
    else {
        deselect();
        setCursorPosition(static_cast<int>(this->text().size()));
    }
}

void GridCellEditor::keyPressEvent(QKeyEvent* event) {
    wholeOnDoubleClick_ = false;
    if (EndByKey(*this, open_, home_, event)) return;
    if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
        deselect();
        end(false);
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// The double click that opened the cell lands on its editor as often as on
// the grid (the first click may open it already): the cell's whole text is
// taken, whatever it holds and wherever the pointer is, until a key is pressed.
void GridCellEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    if (wholeOnDoubleClick_ && event->button() == Qt::LeftButton)
        selectAll();
    else
        QLineEdit::mouseDoubleClickEvent(event);
}

bool GridCellEditor::focusNextPrevChild(bool next) {
    return open_ ? EndByTab(*this, open_, home_, next) : QLineEdit::focusNextPrevChild(next);
}

void GridCellEditor::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (open_) emit GotFocus();
}

void GridCellEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (open_ && LeavesEditor(event)) EndEditing(*this, open_, home_, Ending::Left);
}

GridCellChooser::GridCellChooser(QWidget* parent) : QComboBox(parent) {
    hide();
    connect(this, &QComboBox::activated, this, [this](int) {
        if (open_) EndEditing(*this, open_, home_, Ending::Chosen);
    });
    view()->installEventFilter(this);
}

// A character typed on the list, closed or dropped down, is typed on the
// cell: the list closes untouched and the cell takes the text whole, as it
// takes what is typed on it, rather than each letter choosing the next entry
// that starts with it (a code of two letters would choose twice, the first
// time wrongly). Space still drops the list down.
bool GridCellChooser::TypedOnTheCell(const QKeyEvent* event) {
    const QString text = event->text();
    if (!open_ || text.isEmpty() || !text[0].isPrint() || text[0].isSpace() ||
        (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const QPointer<QWidget> home = home_;
    hidePopup();
    EndEditing(*this, open_, home_, Ending::Abandoned);
    QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), text);
    if (home != nullptr && home->hasFocus()) QApplication::sendEvent(home, &typed);
    return true;
}

bool GridCellChooser::eventFilter(QObject* watched, QEvent* event) {
    return watched == view() && event->type() == QEvent::KeyPress && TypedOnTheCell(static_cast<QKeyEvent*>(event));
}

void GridCellChooser::Open(int index) {
    if (!open_) home_ = FocusBefore(this);
    setCurrentIndex(index);
    open_ = true;
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
}

void GridCellChooser::keyPressEvent(QKeyEvent* event) {
    if (EndByKey(*this, open_, home_, event) || TypedOnTheCell(event)) return;
    // on the closed list the arrow keys move the choice, as typing does in a
    // line; it is taken by Enter, Tab or leaving, and Esc takes it back
    const int last = count() - 1;
    int to = -1;
    switch (event->key()) {
        case Qt::Key_Up: to = currentIndex() - 1; break;
        case Qt::Key_Down: to = currentIndex() + 1; break;
        case Qt::Key_PageUp: case Qt::Key_Home: to = 0; break;
        case Qt::Key_PageDown: case Qt::Key_End: to = last; break;
        default: break;
    }
    if (!open_ || to < 0 || (event->modifiers() & Qt::AltModifier) || (view() != nullptr && view()->isVisible())) {
        QComboBox::keyPressEvent(event);
        return;
    }
    setCurrentIndex(std::min(to, last));
    event->accept();
}

bool GridCellChooser::focusNextPrevChild(bool next) {
    return open_ ? EndByTab(*this, open_, home_, next) : QComboBox::focusNextPrevChild(next);
}

void GridCellChooser::focusInEvent(QFocusEvent* event) {
    QComboBox::focusInEvent(event);
    if (open_) emit GotFocus();
}

void GridCellChooser::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    // the list dropped down from the chooser keeps the edit open
    if (open_ && LeavesEditor(event) && (view() == nullptr || !view()->isVisible()))
        EndEditing(*this, open_, home_, Ending::Left);
}

// ---- how a cell is entered --------------------------------------------------

GridCellEditing::GridCellEditing(FlexGrid* grid, std::function<bool()> editable, Opener open)
    : QObject(grid), grid_(grid), editable_(std::move(editable)), open_(std::move(open)) {
    connect(grid, &FlexGrid::EnterCell, this, [this] { entered_ = true; });
    connect(grid, &FlexGrid::Click, this, [this] {
        if (!entered_) Open(CellEntry::Clicked, CurrentText());
        entered_ = false;
    });
    connect(grid, &FlexGrid::DblClick, this, [this] { Open(CellEntry::Clicked, CurrentText()); });
    connect(grid, &FlexGrid::KeyPress, this, [this](int& keyAscii) {
        if (keyAscii < 32 || keyAscii > 126 || !editable_()) return;
        Open(CellEntry::Typed, QString(QChar(keyAscii)));
        keyAscii = 0;
    });
    grid->installEventFilter(this);
}

bool GridCellEditing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_ && event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
        Open(CellEntry::Edited, CurrentText());
        return true;
    }
    return false;
}

void GridCellEditing::Open(CellEntry entry, const QString& text) {
    if (editable_()) open_(text, entry);
}

QString GridCellEditing::CurrentText() const { return grid_->TextMatrix(grid_->Row(), grid_->Col()); }

namespace {

class CellBox : public QObject {
public:
    explicit CellBox(QLineEdit* box) : QObject(box), box_(box) {
        SelectWholeText(box);
        box->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool edit = event->type() == QEvent::MouseButtonDblClick ||
                          (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F2);
        if (watched != box_ || !edit) return false;
        box_->deselect();
        box_->end(false);
        return true;
    }

private:
    QLineEdit* box_;
};

}  // namespace

void EnterAsGridCell(QLineEdit* box) { new CellBox(box); }

}  // namespace brindlemar

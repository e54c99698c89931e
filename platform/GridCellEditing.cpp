#include "platform/GridCellEditing.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

#include "platform/FlexGrid.h"

namespace brindlemar {

GridCellEditing::GridCellEditing(FlexGrid* grid, std::function<bool()> editable, Opener open)
    : QObject(grid), grid_(grid), editable_(std::move(editable)), open_(std::move(open)) {
    connect(grid, &FlexGrid::EnterCell, this, [this] { entered_ = true; });
    connect(grid, &FlexGrid::Click, this, [this] {
        if (!entered_) Open(CellEntry::Clicked, CurrentText());
        entered_ = false;
    });
    connect(grid, &FlexGrid::DblClick, this, [this] { Open(CellEntry::Edited, CurrentText()); });
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
    explicit CellBox(QLineEdit* box) : QObject(box), box_(box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_) return false;
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                // the press that brought the focus selects, as a click on a cell
                // does; a press in the box that has it places the caret
                if (!focusedByPress_) return false;
                focusedByPress_ = false;
                box_->selectAll();
                return true;
            case QEvent::FocusIn: {
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                focusedByPress_ = reason == Qt::MouseFocusReason;
                // coming back from a menu or another window keeps what was selected
                if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) box_->selectAll();
                return false;
            }
            case QEvent::MouseButtonDblClick: Edit(); return true;
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() != Qt::Key_F2) return false;
                Edit();
                return true;
            default: return false;
        }
    }

private:
    void Edit() {
        box_->deselect();
        box_->end(false);
    }
    QLineEdit* box_;
    bool focusedByPress_ = false;  // the focus came with a mouse press still to be delivered
};

}  // namespace

void EnterAsGridCell(QLineEdit* box) { new CellBox(box); }

}  // namespace brindlemar

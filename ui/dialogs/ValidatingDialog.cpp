#include "ui/dialogs/ValidatingDialog.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

#include "platform/QtText.h"
#include "platform/Shell.h"
#include "platform/WindowPlacement.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"
#include "ui/main/ErrorTrap.h"

namespace brindlemar {

ValidatingDialog::ValidatingDialog(Model& m, QWidget* parent) : QDialog(parent), m_(m) {
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

std::string ValidatingDialog::BoxText(const QLineEdit* box) { return FromQString(box->text()); }

QBoxLayout* ValidatingDialog::CreateButtonRow() {
    Command1 = Named(new QPushButton("Accept", this), "Command1");
    Command2 = Named(new QPushButton("Cancel", this), "Command2");
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->setFocusPolicy(Qt::StrongFocus);
        b->setMinimumWidth(fontMetrics().horizontalAdvance("Accept") + 40);
    }
    auto* row = new QHBoxLayout;
    row->addWidget(Named(new QLabel("F1 - Help", this), "lblHelp"));
    row->addStretch(1);
    row->addWidget(Command1);
    row->addWidget(Command2);
    return row;
}

void ValidatingDialog::WatchBoxes(const std::vector<QLineEdit*>& boxes) {
    boxes_ = boxes;
    for (QLineEdit* box : boxes_)
        if (box != nullptr) box->installEventFilter(this);
}

void ValidatingDialog::RememberShownTexts() {
    shown_.clear();
    for (const QLineEdit* box : boxes_) shown_.push_back(box->text());
}

bool ValidatingDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && !refocusing_ && !closing_) {
        // the focus going to another window, or to the box's own menu, does not leave the box
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const auto found = std::find(boxes_.begin(), boxes_.end(), watched);
        if (found != boxes_.end() && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            txtValue_LostFocus(static_cast<int>(found - boxes_.begin()));
    }
    return QDialog::eventFilter(watched, event);
}

void ValidatingDialog::txtValue_LostFocus(int index) {
    // on the way to Cancel nothing needs checking: nothing will be stored
    if (Command2 != nullptr && QApplication::focusWidget() == Command2) {
        m_.DialogCancelled = False;
        return;
    }
    m_.DialogCancelled = IsValidBoxText(index, BoxText(boxes_[index])) ? False : True;
    if (m_.DialogCancelled != 0) Refuse(index);
}

void ValidatingDialog::Refuse(int index) {
    m_.DialogCancelled = True;
    Beep();
    QLineEdit* box = boxes_[index];
    if (box->isVisible()) {
        refocusing_ = true;
        box->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
        return;
    }
    // the box's page is being put away: bring it back once that is over
    QTimer::singleShot(0, this, [this, index] {
        refocusing_ = true;
        RevealBox(index);
        boxes_[index]->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
    });
}

bool ValidatingDialog::ChangedBoxesValid() {
    for (size_t i = 0; i < boxes_.size() && i < shown_.size(); ++i) {
        if (boxes_[i]->text() == shown_[i]) continue;
        if (IsValidBoxText(static_cast<int>(i), BoxText(boxes_[i]))) continue;
        refocusing_ = true;
        RevealBox(static_cast<int>(i));
        refocusing_ = false;
        Refuse(static_cast<int>(i));
        return false;
    }
    return true;
}

void ValidatingDialog::Cancel() {
    m_.DialogCancelled = True;
    closing_ = true;
    QDialog::reject();
}

bool ValidatingDialog::RunStore(const std::function<void()>& store) { return RunTrapped(store); }

void ValidatingDialog::CloseAccepted() {
    closing_ = true;
    accept();
}

void ValidatingDialog::reject() { Cancel(); }

void ValidatingDialog::keyPressEvent(QKeyEvent* event) {
    if (ShowHelpOnF1(event)) return;
    // neither button is the default or the cancel button: Enter and Esc do nothing here
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter: event->accept(); return;
    default: QDialog::keyPressEvent(event);
    }
}

void ValidatingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this, parentWidget() != nullptr ? parentWidget()->window() : nullptr);
}


}  // namespace brindlemar

#include "ui/dialogs/ValidatingDialog.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "platform/WindowPlacement.h"
#include "runtime/ErrorTrap.h"

namespace brindlemar {

ValidatingDialog::ValidatingDialog(Model& m, QWidget* parent) : QDialog(parent), m_(m) {
    checks_ = new BoxChecks(
        m_, this, [this](int index, const std::string& text) { return BoxRefusal(index, text); },
        [this](int index) { RevealBox(index); });
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

QBoxLayout* ValidatingDialog::CreateButtonRow() {
    Command1 = Named(new QPushButton("Accept", this), "Command1");
    Command2 = Named(new QPushButton("Cancel", this), "Command2");
    // Enter is Accept, or the button that has the focus; Esc is Cancel
    Command1->setDefault(true);
    for (QPushButton* b : {Command1, Command2}) {
        b->setAutoDefault(true);
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

void ValidatingDialog::WatchBoxes(const std::vector<QLineEdit*>& boxes) { checks_->Watch(boxes, Command2); }

void ValidatingDialog::RememberShownTexts() { checks_->RememberShownTexts(); }

void ValidatingDialog::txtValue_LostFocus(int index) { checks_->CheckBox(index); }

bool ValidatingDialog::ChangedBoxesValid() { return checks_->ChangedBoxesValid(); }

void ValidatingDialog::Cancel() {
    m_.DialogCancelled = True;
    checks_->Closing();
    QDialog::reject();
}

bool ValidatingDialog::RunStore(const std::function<void()>& store) { return RunTrapped(store); }

void ValidatingDialog::CloseAccepted() {
    checks_->Closing();
    accept();
}

void ValidatingDialog::reject() { Cancel(); }

void ValidatingDialog::keyPressEvent(QKeyEvent* event) {
    if (!ShowHelpOnF1(event)) QDialog::keyPressEvent(event);
}

void ValidatingDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnOwner(this, parentWidget() != nullptr ? parentWidget()->window() : nullptr);
    FitOnScreen(this);
}

}  // namespace brindlemar

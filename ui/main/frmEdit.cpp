#include "ui/main/frmEdit.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "forms/DialogEntries.h"
#include "forms/NumberEntry.h"
#include "platform/EntryGestures.h"
#include "platform/Panel3D.h"
#include "platform/QtText.h"
#include "platform/Refusal.h"
#include "platform/ScreenFit.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

frmEdit::frmEdit(Model& m, QWidget* parent) : QDialog(parent), m_(m) {
    setObjectName("frmEdit");
    setWindowTitle(ProductName);
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    Panel3D1 = new Panel3D(this, Panel3D::Inset);
    Panel3D1->setObjectName("Panel3D1");
    Text1 = new QLineEdit(Panel3D1);
    Text1->setObjectName("Text1");
    Text1->setMinimumWidth(110);
    lblSubject = new QLabel(this);
    lblSubject->setObjectName("lblSubject");
    lblSubject->setBuddy(Text1);
    // the reason a value was refused, under the box until the value is one to take
    lblReason = new QLabel(this);
    KeepRefusalNotesIn(lblReason);
    auto* panelLayout = new QHBoxLayout(Panel3D1);
    panelLayout->setContentsMargins(2, 2, 2, 2);
    panelLayout->addWidget(Text1);

    // the two small step buttons, one above the other right of the text box
    cmdUp = new QToolButton(this);
    cmdUp->setObjectName("cmdUp");
    cmdUp->setArrowType(Qt::UpArrow);
    cmdDown = new QToolButton(this);
    cmdDown->setObjectName("cmdDown");
    cmdDown->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {cmdUp, cmdDown}) {
        b->setFixedSize(16, 14);
        // reached by Tab and pressed by Space; a click leaves the focus in the box
        b->setFocusPolicy(Qt::TabFocus);
        b->setAutoRepeat(true);
    }
    auto* steps = new QVBoxLayout;
    steps->setSpacing(0);
    steps->addWidget(cmdUp);
    steps->addWidget(cmdDown);

    Command1 = new QPushButton("Accept", this);
    Command1->setObjectName("Command1");
    Command1->setDefault(true);
    Command2 = new QPushButton("Cancel", this);
    Command2->setObjectName("Command2");
    for (QPushButton* b : {Command1, Command2}) b->setMinimumSize(57, 20);

    auto* entry = new QHBoxLayout;
    entry->addWidget(Panel3D1, 1);
    entry->addLayout(steps);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(lblSubject);
    layout->addLayout(entry);
    layout->addWidget(lblReason);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(cmdUp, &QToolButton::clicked, this, &frmEdit::cmdUp_Click);
    connect(cmdDown, &QToolButton::clicked, this, &frmEdit::cmdDown_Click);
    connect(Command1, &QPushButton::clicked, this, &frmEdit::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmEdit::Command2_Click);
    connect(Text1, &QLineEdit::textChanged, this, &frmEdit::Text1_Change);
}

void frmEdit::ShowSubject(const QString& subject, EntryRule rule) {
    rule_ = rule;
    setWindowTitle(subject);
    lblSubject->setText(subject + ":");
    name_ = BoxNameOfCaption(subject.toUtf8().constData());
    // a reason as wide as the box and its buttons, wrapped within them
    lblReason->setMaximumWidth(std::max(sizeHint().width(), Text1->minimumWidth()));
}

// A refused value says why only while it stands: the reason follows what is
// typed, and goes once the value is one the dimension takes.
void frmEdit::Text1_Change() {
    if (!IsMarkedRefused(Text1)) return;
    const std::string reason = EntryRefusal(rule_, FromQString(Text1->text()), name_);
    if (reason.empty())
        ClearRefused(Text1);
    else
        MarkRefused(Text1, ToQString(reason));
}

void frmEdit::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FitOnScreen(this);
    Form_Activate();
}

void frmEdit::Form_Activate() {
    Text1->setText(ToQString(m_.EditValueText));
    SelectWholeText(Text1);
    Text1->setFocus();
    if (refusal_.isEmpty())
        ClearRefused(Text1);
    else
        MarkRefused(Text1, refusal_);
    refusal_.clear();
}

// Up and Down step the value as its buttons do, all of it selected after, so
// that what is typed next replaces it.
void frmEdit::keyPressEvent(QKeyEvent* event) {
    const bool up = event->key() == Qt::Key_Up, down = event->key() == Qt::Key_Down;
    if ((!up && !down) || event->modifiers() != Qt::NoModifier) {
        QDialog::keyPressEvent(event);
        return;
    }
    if (up)
        cmdUp_Click();
    else
        cmdDown_Click();
    Text1->selectAll();
}

void frmEdit::cmdUp_Click() { Text1->setText(ToQString(StepEntryUp(FromQString(Text1->text())))); }

void frmEdit::cmdDown_Click() { Text1->setText(ToQString(StepEntryDown(FromQString(Text1->text())))); }

void frmEdit::Command1_Click() {
    const std::string text = FromQString(Text1->text());
    if (const std::string refusal = EntryRefusal(EntryRule::AnyNumber, text, name_); !refusal.empty()) {
        Beep();
        MarkRefused(Text1, ToQString(refusal));
        Text1->setFocus();
        return;
    }
    ClearRefused(Text1);
    m_.EditValueText = text;
    m_.DialogCancelled = False;
    accept();
}

void frmEdit::Command2_Click() { reject(); }

void frmEdit::reject() {
    m_.DialogCancelled = True;
    QDialog::reject();
}

}  // namespace brindlemar

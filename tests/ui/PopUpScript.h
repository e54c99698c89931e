#pragma once
// Answers the number-entry pop-up while it is open, as a user would: types
// into its text box and presses Enter, presses a step button, Cancel or Esc.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest/QTest>
#include <deque>
#include <vector>

#include "platform/Refusal.h"
#include "ui/main/frmEdit.h"

namespace brindlemar::test {

struct PopUpStep {
    enum Kind { Type, Edit, Up, Down, Cancel, Escape } kind;
    QString text;  // typed over the whole text, then Enter (Type) or not (Edit); empty: Enter alone
};

inline PopUpStep Typed(const QString& text) { return {PopUpStep::Type, text}; }
inline PopUpStep Edited(const QString& text) { return {PopUpStep::Edit, text}; }
inline PopUpStep StepUp() { return {PopUpStep::Up, {}}; }
inline PopUpStep StepDown() { return {PopUpStep::Down, {}}; }
inline PopUpStep CancelButton() { return {PopUpStep::Cancel, {}}; }
inline PopUpStep EscapeKey() { return {PopUpStep::Escape, {}}; }

class PopUpScript {
public:
    explicit PopUpScript(std::vector<PopUpStep> steps) : steps_(steps.begin(), steps.end()) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Act(); });
        timer_.start();
    }

    // What the text box showed as each step began, its tool tip and the note
    // beside it (the reason of a refusal), the title, and where the pop-up stood.
    std::vector<QString> Shown, ToolTips, Reasons, Titles;
    std::vector<QRect> Places;

    bool Done() const { return steps_.empty(); }

private:
    void Act() {
        auto* popUp = qobject_cast<frmEdit*>(QApplication::activeModalWidget());
        if (popUp == nullptr || !popUp->isVisible()) return;
        if (steps_.empty()) {
            ADD_FAILURE() << "the pop-up opened once more than scripted";
            popUp->Command2->click();
            return;
        }
        const PopUpStep step = steps_.front();
        steps_.pop_front();
        Shown.push_back(popUp->Text1->text());
        ToolTips.push_back(popUp->Text1->toolTip());
        const auto* note = qobject_cast<const QLabel*>(RefusalReasonOf(popUp));
        Reasons.push_back(note != nullptr ? note->text() : QString());
        Titles.push_back(popUp->windowTitle());
        Places.push_back(popUp->frameGeometry());
        switch (step.kind) {
        case PopUpStep::Type:
        case PopUpStep::Edit:
            popUp->Text1->selectAll();
            QTest::keyClicks(popUp->Text1, step.text);
            if (step.kind == PopUpStep::Type) QTest::keyClick(popUp->Text1, Qt::Key_Return);
            break;
        // by the keyboard alone: Up in the box, the lower button reached by Tab and pressed by Space
        case PopUpStep::Up: QTest::keyClick(popUp->Text1, Qt::Key_Up); break;
        case PopUpStep::Down:
            popUp->Text1->setFocus();
            for (int tab = 0; tab < 2; ++tab) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
            break;
        case PopUpStep::Cancel: popUp->Command2->click(); break;
        case PopUpStep::Escape: QTest::keyClick(popUp->Text1, Qt::Key_Escape); break;
        }
    }

    std::deque<PopUpStep> steps_;
    QTimer timer_;
};

}  // namespace brindlemar::test

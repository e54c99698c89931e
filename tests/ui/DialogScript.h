#pragma once
// Driving the dialogs as a user would: act on one
// once the main window has opened it modally, type into a box, click.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <memory>

#include "model/Model.h"

namespace brindlemar::test {

// Runs `act` on the dialog of type D as soon as it is open and modal, with
// the keyboard in it. `act` should close it; a dialog still open afterwards
// is a failure, and is cancelled so that the test goes on. Given `closer`,
// `act` may leave the dialog open, and that button closes it (none: it is
// cancelled). A dialog that
// never opened while the script lived is a failure too.
template <typename D>
class WhenOpen {
public:
    explicit WhenOpen(std::function<void(D&)> act) : WhenOpen(std::move(act), &D::Command2, true) {}
    WhenOpen(std::function<void(D&)> act, QPushButton* D::*closer) : WhenOpen(std::move(act), closer, false) {}
    ~WhenOpen() {
        if (!ran_) ADD_FAILURE() << "the dialog never opened";
    }

private:
    WhenOpen(std::function<void(D&)> act, QPushButton* D::*closer, bool mustClose) : act_(std::move(act)) {
        timer_.setInterval(0);
        QObject::connect(&timer_, &QTimer::timeout, [this, closer, mustClose] {
            auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
            if (dialog == nullptr || !dialog->isVisible()) return;
            timer_.stop();
            ran_ = true;
            // the keyboard goes to the window in front, as on a desktop
            QApplication::setActiveWindow(dialog);
            act_(*dialog);
            if (dialog->isVisible()) {
                if (mustClose) ADD_FAILURE() << "the dialog stayed open";
                closer != nullptr ? (dialog->*closer)->click() : dialog->reject();
            }
        });
        timer_.start();
    }

    std::function<void(D&)> act_;
    QTimer timer_;
    bool ran_ = false;
};

// Gives the box the focus and types `text` over what it holds.
inline void TypeInto(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// Option buttons and check boxes take a click on their mark, not anywhere in their row.
inline void Click(QWidget* w) {
    const bool marked = qobject_cast<QRadioButton*>(w) != nullptr || qobject_cast<QCheckBox*>(w) != nullptr;
    QTest::mouseClick(w, Qt::LeftButton, {}, marked ? QPoint(6, w->height() / 2) : w->rect().center());
}

// A dialog made by the test over the main window, shown active as the
// window's command would show it.
template <typename D>
std::unique_ptr<D> OpenDialog(Model& m, QWidget* mainWindow) {
    auto dialog = std::make_unique<D>(m, mainWindow);
    dialog->show();
    dialog->activateWindow();
    // Qt counts a dialog active while its owner is: wait for the dialog itself
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog.get(); }));
    return dialog;
}

}  // namespace brindlemar::test

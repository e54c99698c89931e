// Every number box and number cell of every window, found by walking its
// controls, takes a number whole whichever way it was reached, and the wheel
// over a list or box that lacks the focus changes nothing.

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QStyle>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QtTest/QTest>
#include <QtTest/qtestspontaneevent.h>
#include <cmath>
#include <set>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "platform/FlexGrid.h"
#include "runtime/Format.h"

namespace brindlemar {
namespace {

bool IsNumber(const QString& text) { return IsNumeric(text.trimmed().toStdString()); }
double ValueOf(const QString& text) { return Val(text.toStdString()); }
// A number the box or cell takes, other than `shown`: the one it was shown with, or half of that.
QString Another(const QString& shown, const QString& first) {
    // a whole number shown (a bar, a margin) may be all the box takes: typed again it tells as well
    if (ValueOf(shown) != ValueOf(first) || !first.contains('.')) return first;
    const double v = ValueOf(first);
    const int places = first.contains('.') ? static_cast<int>(first.size() - first.indexOf('.') - 1) : 0;
    const double half = std::round(v / 2 * std::pow(10, places)) / std::pow(10, places);
    return QString::number(half != 0 && half != v ? half : v + 1, 'f', places);
}

// Brings `w` into sight: its page of every tab control, scrolled to.
void Reveal(QWidget* w) {
    for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w)) tabs->setCurrentIndex(i);
    for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(p); area != nullptr && area->widget() != nullptr) area->ensureWidgetVisible(w);
}
bool OnPages(const QWidget* w) {
    for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p); tabs != nullptr && tabs->count() > 1) return true;
    return false;
}

void Keys(const QString& text) {
    for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}
void Key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers); }

// A double click as a desktop delivers it: the second press goes to what lies under the pointer then.
void DoubleClick(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    QWidget* window = w->window();
    const QPoint inWindow = w->mapTo(window, at);
    QWidget* under = window->childAt(inWindow) != nullptr ? window->childAt(inWindow) : w;
    QTest::mouseDClick(under, Qt::LeftButton, {}, under->mapFrom(window, inWindow));
    QTest::mouseRelease(under, Qt::LeftButton, {}, under->mapFrom(window, inWindow));
}
// The focus taken by the keyboard: Tab from the control before, or a page put away and brought back.
void TabInto(QWidget* w) {
    QWidget* before = w->previousInFocusChain();
    while (before != w && !((before->focusPolicy() & Qt::TabFocus) && before->isVisible() && before->isEnabled()))
        before = before->previousInFocusChain();
    before->setFocus();
    Key(Qt::Key_Tab);
}
void PageAwayAndBack(QWidget* w) {
    Key(Qt::Key_Tab, Qt::ControlModifier);
    for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p))
            for (int i = 0; i < tabs->count(); ++i)
                if (tabs->widget(i)->isAncestorOf(w) && tabs->currentIndex() != i)
                    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(i).center());
}

void WalkBoxes(QWidget* window) {
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->isHidden() || box->isReadOnly() || qobject_cast<QComboBox*>(box->parentWidget()) != nullptr) continue;
        Reveal(box);
        if (!box->isVisible() || !box->isEnabled() || !IsNumber(box->text())) continue;
        const QString first = box->text();
        const auto entered = [&](const char* how, const std::function<void()>& reach) {
            const QString x = Another(box->text(), first);
            reach();
            ASSERT_EQ(QApplication::focusWidget(), box) << how << " " << box->objectName().toStdString();
            Keys(x);
            Key(Qt::Key_Tab);
            EXPECT_DOUBLE_EQ(ValueOf(box->text()), ValueOf(x)) << how << " " << box->objectName().toStdString();
        };
        entered("double click", [&] {
            // on the point, where a word would end
            const int point = std::max<int>(static_cast<int>(box->text().indexOf('.')), 0);
            const QFontMetrics metrics = box->fontMetrics();
            const int x = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2 + box->textMargins().left() +
                          metrics.horizontalAdvance(box->text().left(point)) + metrics.horizontalAdvance('.') / 2;
            DoubleClick(box, QPoint(x, box->height() / 2));
        });
        entered("Tab", [&] { TabInto(box); });
        if (OnPages(box)) entered("page switch", [&] { QTest::mouseClick(box, Qt::LeftButton); PageAwayAndBack(box); });
    }
}

void WalkGrids(QWidget* window) {
    for (FlexGrid* g : window->findChildren<FlexGrid*>()) {
        Reveal(g);
        if (!g->isVisible() || !g->isEnabled()) continue;
        for (int r = g->FixedRows(); r < g->Rows(); ++r)
            for (int c = g->FixedCols(); c < g->Cols(); ++c) {
                if (!g->IsTabStop(r, c) || !IsNumber(g->TextMatrix(r, c))) continue;
                const QString first = g->TextMatrix(r, c);
                const auto entered = [&](const char* how, const std::function<void()>& reach) {
                    const QString x = Another(g->TextMatrix(r, c), first);
                    reach();
                    ASSERT_EQ(std::pair(g->Row(), g->Col()), std::pair(r, c)) << how;
                    ASSERT_TRUE(g->hasFocus() || qobject_cast<QLineEdit*>(QApplication::focusWidget()) != nullptr) << how;
                    Keys(x);
                    Key(Qt::Key_Return);
                    EXPECT_DOUBLE_EQ(ValueOf(g->TextMatrix(r, c)), ValueOf(x)) << how << " " << r << "," << c;
                };
                // the centre of the cell, scrolled into sight
                const auto current = [&] {
                    g->SetRow(r);
                    g->SetCol(c);
                    g->setFocus();
                    const double tpp = g->Tpp();
                    return QPoint(static_cast<int>((g->CellLeft() + g->CellWidth() / 2) / tpp),
                                  static_cast<int>((g->CellTop() + g->CellHeight() / 2) / tpp)) - g->viewport()->pos();
                };
                entered("double click on the current cell", [&] { DoubleClick(g->viewport(), current()); });
                entered("double click", [&] {
                    const QPoint at = current();
                    g->SetCol(c > g->FixedCols() ? c - 1 : c + 1);
                    DoubleClick(g->viewport(), at);
                });
                entered("Tab", [&] { current(); if (g->MoveToNextTabStop(false)) Key(Qt::Key_Tab); });
                if (OnPages(g)) entered("page switch", [&] { current(); PageAwayAndBack(g); });
            }
    }
}

// One notch down over every list and number box while the focus is elsewhere.
void WalkWheel(QWidget* window) {
    std::vector<QWidget*> turned;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (qobject_cast<QComboBox*>(w) != nullptr || qobject_cast<QAbstractSpinBox*>(w) != nullptr) turned.push_back(w);
    const auto values = [&] {
        QStringList v;
        for (const QComboBox* list : window->findChildren<QComboBox*>()) v << list->currentText();
        for (const QLineEdit* box : window->findChildren<QLineEdit*>()) v << box->text();
        return v;
    };
    for (QWidget* w : turned) {
        Reveal(w);
        if (!w->isVisible() || !w->isEnabled()) continue;
        window->setFocus();
        const QStringList before = values();
        auto* area = qobject_cast<QScrollArea*>(window->findChild<QScrollArea*>());
        QScrollBar* bar = area != nullptr && area->isAncestorOf(w) ? area->verticalScrollBar() : nullptr;
        const int scrolled = bar != nullptr ? bar->value() : 0;
        const QPoint at = w->rect().center();
        QWheelEvent wheel(at, w->mapToGlobal(at), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(w, &wheel);
        EXPECT_EQ(values(), before) << w->objectName().toStdString();
        EXPECT_FALSE(w->hasFocus()) << w->objectName().toStdString();
        if (bar != nullptr && scrolled < bar->maximum()) {
            EXPECT_GT(bar->value(), scrolled) << w->objectName().toStdString();
        }
    }
}

// Tab round the window from its first button: every stop is in sight and looks otherwise with the focus.
void WalkTabStops(QWidget* window) {
    QPushButton* start = window->findChild<QPushButton*>();
    if (start == nullptr) return;
    Reveal(start);
    start->setFocus();
    std::set<QWidget*> seen;
    for (int step = 0; step < 300; ++step) {
        Key(Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        ASSERT_NE(w, nullptr);
        if (w == start) return;
        if (!seen.insert(w).second) continue;
        const std::string name = w->objectName().toStdString() + " " + w->metaObject()->className();
        EXPECT_TRUE(w->isVisible() && !w->visibleRegion().isEmpty()) << name;
        const QImage focused = w->grab().toImage();
        w->clearFocus();
        const QImage unfocused = w->grab().toImage();
        w->setFocus(Qt::TabFocusReason);
        EXPECT_NE(focused, unfocused) << name;
    }
    ADD_FAILURE() << "Tab never came back to " << start->objectName().toStdString();
}

void Walk(QWidget* window) {
    SCOPED_TRACE(window->objectName().toStdString());
    WalkTabStops(window);
    WalkBoxes(window);
    WalkGrids(window);
    WalkWheel(window);
}

// Walks the window the command opens, then closes it.
void WalkModal(const std::function<void()>& command) {
    bool ran = false;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) return;
        timer.stop();
        ran = true;
        QApplication::setActiveWindow(dialog);
        Walk(dialog);
        dialog->reject();
    });
    timer.start();
    command();
    EXPECT_TRUE(ran);
}

class EntryGesturesTest : public test::MainWindowTest {};

TEST_F(EntryGesturesTest, EveryNumberIsTakenWholeAndTheWheelTurnsOnlyWhatHasTheFocus) {
    test::FactorForConcrete(m);
    m.UpperStemLength = 4;
    m.LineLoadCount = 2;
    m.LineLoads[1] = {1.25f, 0.75f, 6.25f, -90, 1};
    m.LineLoads[2] = {0.5f, 1, 2.5f, -90, 5};
    Walk(window.get());
    for (QAction* command : {window->mnuEditProperties, window->mnuEditRestraint, window->mnuEditLoads,
                             window->mnuCalculateConcrete, window->mnuCalculateCalcu, window->mnuFilePrint})
        WalkModal([command] { command->trigger(); });
    WalkModal([this] { QTest::mouseClick(window->lblDim[1], Qt::LeftButton); });
    // the line-load grid without a load is a Tab stop too
    m.LineLoadCount = 0;
    WalkModal([this] { window->mnuEditLoads->trigger(); });
}

}  // namespace
}  // namespace brindlemar

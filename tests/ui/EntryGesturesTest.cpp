// Every number box and number cell of every window, found by walking its
// controls, keeps the number typed after a double click, after Tab and after
// a page switch; every text and type cell keeps what is typed however it was
// opened and left; every Tab stop shows the focus; the wheel over a list or
// box that lacks the focus changes nothing and scrolls the page.

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDialog>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <set>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "platform/FlexGrid.h"
#include "runtime/Format.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

QTabWidget* PagesOf(const QWidget* w, int& page) {
    for (QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(p))
            for (page = 0; page < tabs->count(); ++page)
                if (tabs->widget(page)->isAncestorOf(w)) return tabs;
    return nullptr;
}
// Brings `w` into sight: its page shown, scrolled to.
void Reveal(QWidget* w) {
    int page = 0;
    if (QTabWidget* tabs = PagesOf(w, page)) tabs->setCurrentIndex(page);
    for (QScrollArea* area : w->window()->findChildren<QScrollArea*>()) area->ensureWidgetVisible(w);
}
void Key(int key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers); }
// Types each character where the focus is then: Tab, Space and Enter among them.
void Type(const QString& keys) {
    for (QChar c : keys) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// A double click as a desktop delivers it: the second press goes to what lies under the pointer then.
void DoubleClick(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, {}, at);
    const QPoint inWindow = w->mapTo(w->window(), at);
    QWidget* under = w->window()->childAt(inWindow) != nullptr ? w->window()->childAt(inWindow) : w;
    QTest::mouseDClick(under, Qt::LeftButton, {}, under->mapFrom(w->window(), inWindow));
    QTest::mouseRelease(under, Qt::LeftButton, {}, under->mapFrom(w->window(), inWindow));
}
// The focus taken by the keyboard: the page put away by Ctrl+Tab and its tab clicked.
void PageAwayAndBack(QWidget* w) {
    Key(Qt::Key_Tab, Qt::ControlModifier);
    int page = 0;
    if (QTabWidget* tabs = PagesOf(w, page)) QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(page).center());
}

// Reaches a number and types it again over itself: what a gesture left unselected would spoil it.
void Entered(const std::string& what, const std::function<QString()>& shown, const std::function<bool()>& reach, int commit) {
    const QString x = shown();
    ASSERT_TRUE(reach()) << what;
    Type(x);
    Key(commit);
    EXPECT_DOUBLE_EQ(Val(shown().toStdString()), Val(x.toStdString())) << what;
}

void WalkBoxes(QWidget* window) {
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (box->isHidden() || box->isReadOnly() || qobject_cast<QComboBox*>(box->parentWidget()) != nullptr) continue;
        Reveal(box);
        if (!box->isVisible() || !box->isEnabled() || !IsNumeric(box->text().toStdString())) continue;
        const std::string name = box->objectName().toStdString();
        const auto shown = [box] { return box->text(); };
        const auto reached = [box] { return QApplication::focusWidget() == box; };
        // on the point, where a word would end
        const int x = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 2 + box->textMargins().left() +
                      box->fontMetrics().horizontalAdvance(box->text().left(static_cast<int>(std::max<qsizetype>(box->text().indexOf('.'), 0)))) + 1;
        Entered(name + " double click", shown, [&] { DoubleClick(box, {x, box->height() / 2}); return reached(); }, Qt::Key_Tab);
        Entered(name + " Tab", shown, [&] { test::TabInto(box); return reached(); }, Qt::Key_Tab);
        int page = 0;
        if (PagesOf(box, page) != nullptr)
            Entered(name + " page switch", shown, [&] { QTest::mouseClick(box, Qt::LeftButton); PageAwayAndBack(box); return reached(); }, Qt::Key_Tab);
    }
}

// A click as a desktop delivers it: to what lies under the pointer.
void ClickAt(QWidget* w, QPoint at) {
    const QPoint inWindow = w->mapTo(w->window(), at);
    QWidget* under = w->window()->childAt(inWindow) != nullptr ? w->window()->childAt(inWindow) : w;
    QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(w->window(), inWindow));
}

// A text cell or a load-type cell opened every way a cell opens, typed into
// and left every way an entry ends: it holds the text typed (after F2, added
// to its own), a type cell the type whose code was typed; Esc takes it back.
void TextCellEntered(FlexGrid* g, int r, int c, const std::function<QPoint(int)>& current) {
    static const QStringList codes = {"DL", "EV", "EH", "ES", "LL", "LD", "WA", "EQ", "IC"};
    const int other = c > g->FixedCols() ? c - 1 : c + 1;
    for (const std::string how : {"click", "double click on the current cell", "double click", "F2", "typed"})
        for (const std::string end : {"Enter", "Tab", "a click elsewhere", "Esc"}) {
            SCOPED_TRACE(g->objectName().toStdString() + " " + std::to_string(r) + "," + std::to_string(c) + " " + how + ", " + end);
            const QString before = g->TextMatrix(r, c);
            const qsizetype code = before.mid(2, 3) == " - " ? codes.indexOf(before.left(2)) : -1;
            const QString typed = code >= 0 ? codes[(code + 4) % codes.size()] : "QW Str I max";
            const QPoint elsewhere = current(other), at = current(c);
            if (how == "click" || how == "double click on the current cell") g->SetCol(other), ClickAt(g->viewport(), at);
            if (how == "click") ClickAt(g->viewport(), at);
            if (how.find("double") == 0) DoubleClick(g->viewport(), at);
            if (how == "F2") Key(Qt::Key_F2);
            Type(typed);
            if (end == "a click elsewhere") ClickAt(g->viewport(), elsewhere);
            else Key(end == "Enter" ? Qt::Key_Return : end == "Tab" ? Qt::Key_Tab : Qt::Key_Escape);
            const QString after = g->TextMatrix(r, c);
            if (end == "Esc") EXPECT_EQ(after.toStdString(), before.toStdString());
            else if (code >= 0) EXPECT_TRUE(after.startsWith(typed + " - ")) << after.toStdString();
            else EXPECT_EQ(after.toStdString(), (how == "F2" ? before + typed : typed).toStdString());
        }
}

void WalkGrids(QWidget* window) {
    for (FlexGrid* g : window->findChildren<FlexGrid*>()) {
        Reveal(g);
        for (int r = g->FixedRows(); r < g->Rows() && g->isVisible() && g->isEnabled(); ++r)
            for (int c = g->FixedCols(); c < g->Cols(); ++c) {
                if (!g->IsTabStop(r, c) || g->TextMatrix(r, c).isEmpty()) continue;
                // a cell of the row made current and scrolled into sight: its centre
                const auto currentIn = [&](int col) {
                    g->SetRow(r), g->SetCol(col), g->setFocus();
                    return QPoint(static_cast<int>((g->CellLeft() + g->CellWidth() / 2) / g->Tpp()), static_cast<int>((g->CellTop() + g->CellHeight() / 2) / g->Tpp())) - g->viewport()->pos();
                };
                // words, or a type's code and name; neither "--" for no bar
                if (g->TextMatrix(r, c).contains(QRegularExpression("[A-Za-z]"))) TextCellEntered(g, r, c, currentIn);
                if (!IsNumeric(g->TextMatrix(r, c).toStdString())) continue;
                const std::string name = g->objectName().toStdString() + " " + std::to_string(r) + "," + std::to_string(c);
                const auto shown = [&] { return g->TextMatrix(r, c); };
                const auto reached = [&] { return g->Row() == r && g->Col() == c && (g->hasFocus() || qobject_cast<QLineEdit*>(QApplication::focusWidget())); };
                const auto current = [&] { return currentIn(c); };
                Entered(name + " double click on the current cell", shown, [&] { DoubleClick(g->viewport(), current()); return reached(); }, Qt::Key_Return);
                Entered(name + " double click", shown, [&] { const QPoint at = current(); g->SetCol(c > g->FixedCols() ? c - 1 : c + 1); DoubleClick(g->viewport(), at); return reached(); }, Qt::Key_Return);
                Entered(name + " Tab", shown, [&] { current(); if (g->MoveToNextTabStop(false)) Key(Qt::Key_Tab); return reached(); }, Qt::Key_Return);
                int page = 0;
                if (PagesOf(g, page) != nullptr) Entered(name + " page switch", shown, [&] { current(); PageAwayAndBack(g); return reached(); }, Qt::Key_Return);
            }
    }
}

// One notch down over every list and number box while the focus is elsewhere.
void WalkWheel(QWidget* window) {
    const auto values = [window] {
        QStringList v;
        for (const QComboBox* list : window->findChildren<QComboBox*>()) v << list->currentText();
        for (const QLineEdit* box : window->findChildren<QLineEdit*>()) v << box->text();
        return v;
    };
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (qobject_cast<QComboBox*>(w) == nullptr && qobject_cast<QAbstractSpinBox*>(w) == nullptr) continue;
        Reveal(w);
        if (!w->isVisible() || !w->isEnabled()) continue;
        window->setFocus();
        const QStringList before = values();
        QScrollArea* area = window->findChild<QScrollArea*>();
        QScrollBar* bar = area != nullptr && area->isAncestorOf(w) && area->verticalScrollBar()->value() < area->verticalScrollBar()->maximum() ? area->verticalScrollBar() : nullptr;
        const int scrolled = bar != nullptr ? bar->value() : 0;
        QWheelEvent wheel(w->rect().center(), w->mapToGlobal(w->rect().center()), {}, {0, -120}, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);
        QApplication::instance()->notify(w, &wheel);
        EXPECT_EQ(values(), before) << w->objectName().toStdString();
        EXPECT_FALSE(w->hasFocus()) << w->objectName().toStdString();
        EXPECT_TRUE(bar == nullptr || bar->value() > scrolled) << w->objectName().toStdString();
    }
}

// `w`, which has the focus, is in sight and looks otherwise without it.
void ShowsTheFocus(QWidget* w) {
    const std::string name = w->objectName().toStdString() + " " + w->metaObject()->className();
    EXPECT_FALSE(w->visibleRegion().isEmpty()) << name;
    // a text area by its frame, not by its caret
    const auto look = [w] {
        QImage shot = w->grab().toImage();
        if (w->inherits("QTextEdit") || w->inherits("QPlainTextEdit")) QPainter(&shot).fillRect(shot.rect().adjusted(2, 2, -2, -2), Qt::black);
        return shot;
    };
    const QImage focused = look();
    w->clearFocus();
    EXPECT_NE(look(), focused) << name;
    w->setFocus(Qt::TabFocusReason);
}

// The focus as the window opens, then Tab round it from its first button: every stop shows the focus.
void WalkTabStops(QWidget* window) {
    if (QWidget* first = QApplication::focusWidget(); first != nullptr && first->window() == window) ShowsTheFocus(first);
    QPushButton* start = window->findChild<QPushButton*>();
    Reveal(start);
    start->setFocus();
    std::set<QWidget*> seen;
    for (int step = 0; step < 300; ++step) {
        Key(Qt::Key_Tab);
        QWidget* w = QApplication::focusWidget();
        if (w == start) return;
        if (seen.insert(w).second) ShowsTheFocus(w);
    }
    ADD_FAILURE() << "Tab never came back to " << start->objectName().toStdString();
}

// Add new for a set, by the keyboard, twice over: the focus goes to the
// list, the new set's empty row in sight; Tab goes on to Rename, not back to
// Add new, so that each try adds one set and names it.
void AddSetsByKeys(QDialog& d) {
    auto* list = d.findChild<QListWidget*>("lstComboSet");
    for (const QString name : {"Seismic", "Service"}) {
        const int sets = list->count();
        Reveal(d.findChild<QPushButton*>("cmdAdd"));
        d.findChild<QPushButton*>("cmdAdd")->setFocus();
        Key(Qt::Key_Space);
        EXPECT_TRUE(list->hasFocus() && list->currentRow() == sets && list->viewport()->rect().contains(list->visualItemRect(list->item(sets))));
        Type("\t " + name + "\r");
        ASSERT_EQ(list->count(), sets + 1);
        EXPECT_EQ(list->item(sets)->text(), name);
    }
}

void Walk(QWidget* window) {
    SCOPED_TRACE(window->objectName().toStdString());
    if (window->findChild<QPushButton*>() != nullptr) WalkTabStops(window);
    WalkBoxes(window);
    WalkGrids(window);
    WalkWheel(window);
}

// Walks the window the command opens, after what the user does there first, then closes it.
void WalkModal(const std::function<void()>& command, const std::function<void(QDialog&)>& first = [](QDialog&) {}) {
    const test::WhenOpen<QDialog> walk([&first](QDialog& d) { first(d), Walk(&d); }, nullptr);
    command();
}

TEST_F(MainWindowTest, EveryNumberIsTakenWholeEveryStopShowsTheFocusAndTheWheelTurnsOnlyWhatHasIt) {
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
    m.LineLoadCount = 0;  // the line-load grid without a load is a Tab stop too
    WalkModal([this] { window->mnuEditLoads->trigger(); }, AddSetsByKeys);
}

}  // namespace
}  // namespace brindlemar

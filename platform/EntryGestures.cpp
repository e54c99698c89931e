#include "platform/EntryGestures.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabBar>
#include <QWheelEvent>

#include "platform/QtText.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

// A control whose value the wheel turns: a list or a number box, or a part of one.
QWidget* TurnedByWheel(QObject* watched) {
    for (auto* w = qobject_cast<QWidget*>(watched); w != nullptr && !w->isWindow(); w = w->parentWidget())
        if (qobject_cast<QComboBox*>(w) != nullptr || qobject_cast<QAbstractSpinBox*>(w) != nullptr) return w;
    return nullptr;
}

// The option buttons that exclude one another with `button`: its group, else
// the option buttons beside it.
QList<QAbstractButton*> OptionGroupOf(QRadioButton* button) {
    if (button->group() != nullptr) return button->group()->buttons();
    QList<QAbstractButton*> group;
    if (!button->autoExclusive() || button->parentWidget() == nullptr) return group;
    for (QRadioButton* other : button->parentWidget()->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly))
        if (other->autoExclusive()) group.append(other);
    return group;
}

// Marks a box whose text is selected whenever it takes the focus.
constexpr const char* WholeOnFocus = "brindlemarSelectsWholeOnFocus";

// Focus that comes back from a pop-up or another window, not to be taken afresh.
bool ComesBack(Qt::FocusReason reason) { return reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason; }

bool TakesTab(const QWidget* w, const QWidget* window) {
    return (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->focusProxy() == nullptr && w->isVisible() &&
           w->isEnabled() && w->window() == window;
}

class EntryGestures : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::Polish:
                // the wheel passing over a control never gives it the focus
                if (auto* w = qobject_cast<QWidget*>(watched); w != nullptr && w->focusPolicy() == Qt::WheelFocus)
                    w->setFocusPolicy(Qt::StrongFocus);
                return false;
            case QEvent::Show:
                // the control that has the focus as a window opens is marked, as one reached by Tab is
                if (auto* w = qobject_cast<QWidget*>(watched); w != nullptr && w->isWindow())
                    w->setAttribute(Qt::WA_KeyboardFocusChange);
                return false;
            case QEvent::KeyPress: pointed_ = false; return false;
            // a page's tab clicked gives the focus to a box of the page without pointing at it
            case QEvent::MouseButtonPress:
                pointed_ = qobject_cast<QTabBar*>(watched) == nullptr;
                // the press that brought the focus to a box selected whole would place the caret
                if (watched != pressedInto_ || pressedInto_ == nullptr) return false;
                pressedInto_->selectAll();
                pressedInto_ = nullptr;
                return true;
            case QEvent::MouseButtonDblClick: pointed_ = true; return SelectWholeNumber(watched);
            case QEvent::Wheel: {
                const QWidget* turned = TurnedByWheel(watched);
                if (turned == nullptr || turned->hasFocus() || turned->isAncestorOf(QApplication::focusWidget()))
                    return false;
                // not taken here: it goes on to what the control lies in, which scrolls
                event->ignore();
                return true;
            }
            case QEvent::FocusOut:
                left_ = qobject_cast<QWidget*>(watched);
                if (watched == pressedInto_) pressedInto_ = nullptr;
                return false;
            case QEvent::FocusIn: return FocusCame(watched, static_cast<QFocusEvent*>(event)->reason());
            default: return false;
        }
    }

private:
    static bool SelectWholeNumber(QObject* watched) {
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box == nullptr || !IsNumeric(FromQString(box->text().trimmed()))) return false;
        box->selectAll();
        return true;
    }

    bool FocusCame(QObject* watched, Qt::FocusReason reason) {
        const bool tabbed = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (auto* option = qobject_cast<QRadioButton*>(watched); option != nullptr && tabbed)
            return ToSelectedOption(option, reason);
        auto* box = qobject_cast<QLineEdit*>(watched);
        if (box == nullptr) return false;
        const bool always = box->property(WholeOnFocus).toBool() && !ComesBack(reason);
        if (always && reason == Qt::MouseFocusReason) pressedInto_ = box;
        if (always || tabbed || reason == Qt::ShortcutFocusReason || (reason == Qt::OtherFocusReason && !pointed_))
            box->selectAll();
        return false;
    }

    // Tab onto an option of a group where another is selected: into the group
    // it goes to the selected one; within it (from the selected one), past it.
    bool ToSelectedOption(QRadioButton* option, Qt::FocusReason reason) {
        if (option->isChecked()) return false;
        const QList<QAbstractButton*> group = OptionGroupOf(option);
        QAbstractButton* selected = nullptr;
        for (QAbstractButton* b : group)
            if (b->isChecked() && b->isVisible() && b->isEnabled()) selected = b;
        if (selected == nullptr) return false;
        QWidget* to = selected;
        if (group.contains(left_.data())) {
            const bool next = reason == Qt::TabFocusReason;
            QWidget* window = option->window();
            to = nullptr;
            for (QWidget* w = next ? option->nextInFocusChain() : option->previousInFocusChain(); w != option && to == nullptr;
                 w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
                auto* b = qobject_cast<QAbstractButton*>(w);
                if (TakesTab(w, window) && (b == nullptr || !group.contains(b))) to = w;
            }
            if (to == nullptr) return false;
        }
        to->setFocus(reason);
        return true;
    }

    bool pointed_ = true;     // the user last pointed at the control to be given the focus
    QPointer<QWidget> left_;  // the control that lost the focus last
    QPointer<QLineEdit> pressedInto_;  // a box selected whole, given the focus by a press still to come
};

}  // namespace

void SelectWholeText(QLineEdit* box) {
    box->setProperty(WholeOnFocus, true);
    box->selectAll();
}

void FrameShowsFocus(QFrame* box) {
    const QString type = QString(box->metaObject()->className()).replace("::", "--");
    box->setStyleSheet(QString("%1 { border: 1px solid palette(dark); padding: 1px; }"
                               "%1:focus { border: 2px solid palette(highlight); padding: 0px; }")
                           .arg(type));
}

void InstallEntryGestures() {
    static EntryGestures* gestures = nullptr;
    if (gestures != nullptr || qApp == nullptr) return;
    gestures = new EntryGestures(qApp);
    qApp->installEventFilter(gestures);
}

}  // namespace brindlemar

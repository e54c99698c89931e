#include "ui/dialogs/BoxChecks.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QTimer>
#include <algorithm>

#include "platform/QtText.h"
#include "platform/Refusal.h"
#include "runtime/Hooks.h"

namespace brindlemar {

BoxChecks::BoxChecks(Model& m, QObject* parent, Check check, Reveal reveal, Passed passed)
    : QObject(parent), m_(m), check_(std::move(check)), reveal_(std::move(reveal)), passed_(std::move(passed)) {}

std::string BoxChecks::BoxText(const QLineEdit* box) { return FromQString(box->text()); }

void BoxChecks::Watch(const std::vector<QLineEdit*>& boxes, const QWidget* cancel) {
    boxes_ = boxes;
    cancel_ = cancel;
    for (size_t i = 0; i < boxes_.size(); ++i) {
        QLineEdit* box = boxes_[i];
        if (box == nullptr) continue;
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, i] { Recheck(static_cast<int>(i)); });
    }
}

// A refused box says why only while its text is still refused: the reason
// follows what is typed, and goes, with the hold on Accept, once the text is
// one the box takes.
void BoxChecks::Recheck(int index) {
    QLineEdit* box = boxes_[static_cast<size_t>(index)];
    if (!IsMarkedRefused(box)) return;
    const std::string reason = check_(index, BoxText(box));
    if (!reason.empty()) {
        if (ToQString(reason) != box->toolTip()) MarkRefused(box, ToQString(reason));
        return;
    }
    ClearRefused(box);
    m_.DialogCancelled = False;
}

void BoxChecks::RememberShownTexts() {
    shown_.clear();
    for (const QLineEdit* box : boxes_) shown_.push_back(box->text());
}

int BoxChecks::IndexOf(const QObject* box) const {
    const auto found = std::find(boxes_.begin(), boxes_.end(), box);
    return found != boxes_.end() ? static_cast<int>(found - boxes_.begin()) : -1;
}

std::string BoxChecks::TextToStore(int index) const {
    const QLineEdit* box = boxes_[static_cast<size_t>(index)];
    const std::string text = BoxText(box);
    if (box->isEnabled() || static_cast<size_t>(index) >= shown_.size() || check_(index, text).empty()) return text;
    return FromQString(shown_[static_cast<size_t>(index)]);
}

bool BoxChecks::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::EnabledChange) {
        const int index = IndexOf(watched);
        if (index >= 0 && !boxes_[static_cast<size_t>(index)]->isEnabled()) Release(index);
    }
    if (event->type() == QEvent::FocusOut && !refocusing_ && !closing_) {
        // the focus going to another window, or to the box's own menu, does not leave the box
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const int index = IndexOf(watched);
        if (index >= 0 && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) CheckBox(index);
    }
    return QObject::eventFilter(watched, event);
}

void BoxChecks::CheckBox(int index) {
    // on the way to Cancel nothing needs checking: nothing will be stored
    if (cancel_ != nullptr && QApplication::focusWidget() == cancel_) {
        m_.DialogCancelled = False;
        return;
    }
    if (!boxes_[index]->isEnabled()) {
        Release(index);
        return;
    }
    const std::string reason = check_(index, BoxText(boxes_[index]));
    m_.DialogCancelled = reason.empty() ? False : True;
    if (m_.DialogCancelled != 0) {
        Refuse(index, reason);
        return;
    }
    ClearRefused(boxes_[index]);
    if (passed_) passed_(index);
}

void BoxChecks::Release(int index) {
    QLineEdit* box = boxes_[static_cast<size_t>(index)];
    if (IsMarkedRefused(box)) m_.DialogCancelled = False;
    ClearRefused(box);
}

void BoxChecks::Refuse(int index, const std::string& reason) {
    m_.DialogCancelled = True;
    Beep();
    QLineEdit* box = boxes_[index];
    MarkRefused(box, ToQString(reason));
    if (box->isVisible()) {
        refocusing_ = true;
        box->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
        return;
    }
    // the box's page is being put away: bring it back once that is over
    QTimer::singleShot(0, this, [this, index] {
        refocusing_ = true;
        if (reveal_) reveal_(index);
        boxes_[index]->setFocus(Qt::OtherFocusReason);
        refocusing_ = false;
        MarkRefused(boxes_[index], boxes_[index]->toolTip());
    });
}

bool BoxChecks::ChangedBoxesValid() {
    for (size_t i = 0; i < boxes_.size() && i < shown_.size(); ++i) {
        if (boxes_[i]->text() == shown_[i] || !boxes_[i]->isEnabled()) continue;
        const std::string reason = check_(static_cast<int>(i), BoxText(boxes_[i]));
        if (reason.empty()) continue;
        refocusing_ = true;
        if (reveal_) reveal_(static_cast<int>(i));
        refocusing_ = false;
        Refuse(static_cast<int>(i), reason);
        return false;
    }
    return true;
}

}  // namespace brindlemar

#pragma once
// Value boxes checked one at a time as the focus leaves them: a refused text
// beeps, marks the box with the reason, takes the focus back and sets the
// model's DialogCancelled, so that Accept refuses to close; moving the focus
// to Cancel skips the check. A greyed box takes no part: nobody can correct
// it, so it never holds Accept back, and it stores what it was shown with
// rather than a text it refuses. The properties, restraints and loads
// dialogs check their boxes this way.

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "model/Model.h"

class QLineEdit;
class QWidget;

namespace brindlemar {

class BoxChecks : public QObject {
    Q_OBJECT
public:
    // Why box `index` refuses `text`, in one line; empty when it may keep it.
    using Check = std::function<std::string(int index, const std::string& text)>;
    // Brings box `index` into view (its page of a tabbed dialog).
    using Reveal = std::function<void(int index)>;
    // Runs after box `index` passed its check.
    using Passed = std::function<void(int index)>;

    BoxChecks(Model& m, QObject* parent, Check check, Reveal reveal = {}, Passed passed = {});

    // The value boxes by index, and the Cancel button the focus may leave them for.
    void Watch(const std::vector<QLineEdit*>& boxes, const QWidget* cancel);
    // Notes what the boxes show now, after the dialog filled them.
    void RememberShownTexts();
    // The check of box `index`, as when the focus has left it.
    void CheckBox(int index);
    // Accept's own check: a box the user changed must hold a valid value even
    // when the focus never left it for another box (it went to Cancel and the
    // click was abandoned, or its page was put away). A failing box is
    // treated as when it lost the focus. False when Accept must not go on.
    bool ChangedBoxesValid();
    // The dialog is closing: the boxes losing their focus now are not checked.
    void Closing() { closing_ = true; }

    int IndexOf(const QObject* box) const;
    static std::string BoxText(const QLineEdit* box);
    // What box `index` stores: its text, or for a greyed box that refuses its
    // text, the text it was shown with.
    std::string TextToStore(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refuse(int index, const std::string& reason);
    void Recheck(int index);
    // A greyed box is never checked, and loses a mark it had.
    void Release(int index);

    Model& m_;
    Check check_;
    Reveal reveal_;
    Passed passed_;
    std::vector<QLineEdit*> boxes_;
    std::vector<QString> shown_;
    const QWidget* cancel_ = nullptr;
    bool refocusing_ = false;  // the focus moves back to a refused box: no check on the way
    bool closing_ = false;
};

}  // namespace brindlemar

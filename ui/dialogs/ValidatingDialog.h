#pragma once
// What the properties and restraints dialogs share: value boxes checked one
// at a time as the focus leaves them (a beep, the box marked with the reason
// why, the focus back, the model's
// DialogCancelled set so that Accept refuses to close; moving to Cancel
// skips the check), Cancel and the window's close button storing nothing,
// and the place over the main window.

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/Model.h"
#include "platform/ControlNames.h"
#include "ui/dialogs/BoxChecks.h"

class QBoxLayout;
class QLineEdit;
class QPushButton;

namespace brindlemar {

class ValidatingDialog : public QDialog {
    Q_OBJECT
public:
    ValidatingDialog(Model& m, QWidget* parent);

    // The check of box `index` when the focus has left it.
    void txtValue_LostFocus(int index);

    // The window's close button is Cancel.
    void reject() override;

    QPushButton *Command1 = nullptr, *Command2 = nullptr;  // Accept, Cancel

protected:
    // Why box `index` refuses `text`, in one line; empty when it takes it.
    virtual std::string BoxRefusal(int index, const std::string& text) const = 0;
    // Brings box `index` into view (its page of a tabbed dialog).
    virtual void RevealBox(int /*index*/) {}

    // The row under the dialog's controls: "F1 - Help", Accept, the default
    // button, and Cancel, which Esc presses too.
    QBoxLayout* CreateButtonRow();
    // The value boxes by index; moving to Cancel skips their check.
    void WatchBoxes(const std::vector<QLineEdit*>& boxes);
    // Notes what the boxes show now, after the dialog filled them.
    void RememberShownTexts();
    // Accept's own check: a box the user changed must hold a valid value even
    // when the focus never left it for another box (it went to Cancel and the
    // click was abandoned, or its page was put away). A failing box is
    // treated as when it lost the focus. False when Accept must not go on.
    bool ChangedBoxesValid();
    // Accept: unless a box was refused, `store` and close. A run-time error
    // in `store` is told and keeps the dialog open.
    template <typename Store>
    void Accept(Store&& store) {
        if (m_.DialogCancelled != 0 || !ChangedBoxesValid()) return;
        if (RunStore(store)) CloseAccepted();
    }
    // Cancel: nothing is stored and the caller is told so.
    void Cancel();

    // What box `index` stores: a greyed box never a text it refuses.
    std::string TextToStore(int index) const { return checks_->TextToStore(index); }

    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

    Model& m_;

private:
    bool RunStore(const std::function<void()>& store);
    void CloseAccepted();

    BoxChecks* checks_ = nullptr;
};

}  // namespace brindlemar

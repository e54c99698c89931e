#pragma once
// The number-entry pop-up of the dimension labels: a text box with two step
// buttons, Accept and Cancel. It works on the model's EditValueText and
// DialogCancelled.

#include <QDialog>

#include "model/InputRules.h"
#include "model/Model.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace brindlemar {

class Panel3D;

class frmEdit : public QDialog {
    Q_OBJECT
public:
    explicit frmEdit(Model& m, QWidget* parent = nullptr);

    void Form_Activate();
    // The pop-up opens again because its entry before was refused: it says
    // why beside its box (empty: nothing was refused).
    void TellRefusal(const QString& reason) { refusal_ = reason; }
    // What the value is, with its unit: the title and the caption over the
    // box; and the rule of the value, by which a refused entry's reason
    // follows what is retyped.
    void ShowSubject(const QString& subject, EntryRule rule);
    void cmdUp_Click();
    void cmdDown_Click();
    void Command1_Click();  // Accept
    void Command2_Click();  // Cancel

    // Esc and the window's close button are Cancel too
    void reject() override;

    Panel3D* Panel3D1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel *lblSubject = nullptr, *lblReason = nullptr;
    QToolButton *cmdUp = nullptr, *cmdDown = nullptr;
    QPushButton *Command1 = nullptr, *Command2 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Text1_Change();
    Model& m_;
    QString refusal_;
    std::string name_ = "Value";  // what the value is, as a refusal names it
    EntryRule rule_ = EntryRule::AnyNumber;
};

}  // namespace brindlemar

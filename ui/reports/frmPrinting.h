#pragma once
// The printing window: shown modally for one report, it prints the chosen
// sections on the current printer (or into a PDF file) as soon as it is
// shown, tells which section it is at, and closes itself at the end.

#include <QDialog>
#include <optional>
#include <string>

#include "model/Model.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace brindlemar {

class frmPrinting : public QDialog {
    Q_OBJECT
public:
    explicit frmPrinting(Model& m, QWidget* owner = nullptr);

    // Prints the report and closes the window.
    void Form_Activate();

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    Model& m_;
    bool started_ = false;
};

}  // namespace brindlemar

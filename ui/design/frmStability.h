#pragma once
// The stability results window: one column per load combination of the
// active set with the resultant, eccentricity, bearing, sliding and rotation
// of the wall, failed checks in red. It analyses every combination when it
// opens and writes nothing else to the model.

#include <QDialog>

#include "model/Model.h"

class QLabel;
class QPushButton;

namespace brindlemar {

class FlexGrid;
class Panel3D;

class frmStability : public QDialog {
    Q_OBJECT
public:
    // `owner` is the main window the window is centred on.
    frmStability(Model& m, QWidget* owner);

    void Form_Load();
    void Command1_Click();
    void ShowResults();

    Panel3D* SSPanel1 = nullptr;
    QWidget* Picture1 = nullptr;
    FlexGrid* MSHFlexGrid1 = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* lblNote = nullptr;
    QLabel* Label35 = nullptr;
    QPushButton* Command1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Place();
    void SetTwips(QWidget* w, double left, double top, double width, double height);

    Model& m_;
    QWidget* owner_;
};

}  // namespace brindlemar

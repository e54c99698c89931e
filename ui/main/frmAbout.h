#pragma once
// The About box: product name, version and release date, a picture, and two
// links (the mail address and the web page).

#include <QDialog>
#include <QLabel>
#include <array>

#include "model/Model.h"

class QPushButton;

namespace brindlemar {

class Panel3D;

class frmAbout : public QDialog {
    Q_OBJECT
public:
    frmAbout(const Model& m, QWidget* parent);

    void lblAbout_Click(int index);
    void lblAbout_MouseMove(int index);
    void Form_MouseMove();
    void cmdAbout_Click();

    Panel3D* TitlePanel = nullptr;
    QLabel* TitleCaption = nullptr;
    QLabel* Image1 = nullptr;
    std::array<QLabel*, 5> lblAbout{};
    QPushButton* cmdAbout = nullptr;

    static constexpr const char* MailAddress = "support@brindlemar.example";
    static constexpr const char* WebAddress = "https://www.brindlemar.example/";

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace brindlemar

#include "ui/reports/frmPrinting.h"

#include <QGroupBox>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "files/Paths.h"
#include "platform/FileDialogs.h"
#include "platform/Printers.h"
#include "platform/PrinterSurface.h"
#include "platform/ScreenFit.h"
#include "reports/ReportJob.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

frmPrinting::frmPrinting(Model& m, QWidget* owner) : QDialog(owner), m_(m) {
    setObjectName("frmPrinting");
    setWindowTitle("Brindlemar: Printing");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    auto* frameLayout = new QVBoxLayout(Frame1);
    Label1 = new QLabel("Printing", Frame1);
    Label1->setObjectName("Label1");
    Label1->setMinimumWidth(Label1->fontMetrics().horizontalAdvance("Printing reinforcement design") + 20);
    frameLayout->addWidget(Label1);
    layout->addWidget(Frame1);
    // the job runs to its end: the button has nothing to stop
    Command1 = new QPushButton("Cancel", this);
    Command1->setObjectName("Command1");
    layout->addWidget(Command1, 0, Qt::AlignHCenter);
    if (owner != nullptr) {
        adjustSize();
        move(owner->x() + (owner->width() - width()) / 2, owner->y() + (owner->height() - height()) / 2);
    }
}

void frmPrinting::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FitOnScreen(this);
    // print once the window stands on the screen
    if (!started_) {
        started_ = true;
        QTimer::singleShot(0, this, &frmPrinting::Form_Activate);
    }
}

void frmPrinting::Form_Activate() {
    repaint();
    CurrentPrinter& printer = CurrentPrinter::Get();
    std::string pdfPath;
    if (printer.IsPdf()) {
        const std::optional<std::string> path = AskPdfPath(m_, this);
        if (!path) {
            close();
            return;
        }
        pdfPath = *path;
    }
    // a failed job ends here: what was printed is released, the error told
    RunTrapped([&] {
        std::unique_ptr<QPrinter> device = printer.MakePrinter(pdfPath);
        PrinterSurface surface(*device);
        PrintReport(m_, surface, [this](const std::string& caption) {
            Label1->setText(QString::fromStdString(caption));
            Label1->repaint();
        });
    });
    close();
}

}  // namespace brindlemar

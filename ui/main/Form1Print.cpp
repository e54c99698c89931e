// The main window's printing commands: the print dialog and the report,
// and the choice of printer.

#include <QAction>

#include "platform/Printers.h"
#include "ui/reports/frmPrint.h"
#include "ui/reports/frmPrinting.h"
#include "runtime/ErrorTrap.h"
#include "runtime/OneBoxPerError.h"
#include "ui/main/Form1.h"

namespace brindlemar {

void Form1::ConnectPrintCommands() {
    for (QAction* action : {mnuFilePageSetup, mnuFilePrint, mnuFilePrinterSetup}) action->setEnabled(true);
    connect(mnuFilePrint, &QAction::triggered, this, [this] { mnuFilePrint_Click(); });
    connect(mnuFilePageSetup, &QAction::triggered, this, [this] { mnuFilePageSetup_Click(); });
    connect(mnuFilePrinterSetup, &QAction::triggered, this, [this] { mnuFilePrinterSetup_Click(); });
}

void Form1::mnuFilePrint_Click() {
    // The dialog counts the pages from the design of every combination, the
    // job designs them again and the picture is redrawn after it: a fault of
    // the wall is told once per print command, not once per step.
    const OneBoxPerError oneBox;
    RunTrapped([&] {
        {
            frmPrint dialog(m_, this);
            dialog.exec();
        }
        if (m_.PrintConfirmed) {
            frmPrinting printing(m_, this);
            printing.exec();
        }
    });
    // the dialog and the report analysed every combination of the set and
    // left the last one's results in the wall: the current combination is
    // prepared again, and the picture and status drawn from it
    RedrawView();
}

void Form1::mnuFilePageSetup_Click() {
    // paper, margins, font and footers are set in the print dialog
    mnuFilePrint_Click();
}

void Form1::mnuFilePrinterSetup_Click() {
    RunTrapped([&] {
        CurrentPrinter& printer = CurrentPrinter::Get();
        PrinterSetupRequest request;
        request.PrinterName = printer.DeviceName();
        request.DriverName = printer.DriverName();
        request.Port = printer.Port();
        request.PaperSize = printer.PaperSize();
        request.Flags = 576;
        const std::optional<PrinterSetupAnswer> answer = ShowPrinterSetup(this, request);
        // a cancelled dialog leaves the printer as it was
        if (!answer) return;
        for (const std::string& name : PrinterDeviceNames()) {
            if (name == answer->PrinterName) {
                printer.Select(name);
                break;
            }
        }
    });
}

}  // namespace brindlemar

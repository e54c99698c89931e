#include "platform/Printers.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace brindlemar {

namespace {

constexpr int UserDefinedPaper = 256;

PrinterSetupAnswerer& Answerer() {
    static PrinterSetupAnswerer answerer;
    return answerer;
}

// The page size of a Windows paper code; nothing for a code with no size.
std::optional<QPageSize> PageSizeOf(int code) {
    if (code <= 0 || code == UserDefinedPaper) return std::nullopt;
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom) return std::nullopt;
    return QPageSize(id);
}

std::string DefaultPrinterName() {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? PdfPrinterName : info.printerName().toStdString();
}

int DefaultPaperOf(const std::string& deviceName) {
    if (deviceName != PdfPrinterName) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(deviceName));
        if (!info.isNull()) {
            const int code = info.defaultPageSize().windowsId();
            return code > 0 ? code : UserDefinedPaper;
        }
    }
    return QPageSize(QPageSize::A4).windowsId();
}

}  // namespace

std::vector<std::string> PrinterDeviceNames() {
    std::vector<std::string> names;
    for (const QString& name : QPrinterInfo::availablePrinterNames()) names.push_back(name.toStdString());
    names.push_back(PdfPrinterName);
    return names;
}

CurrentPrinter& CurrentPrinter::Get() {
    static CurrentPrinter printer;
    return printer;
}

CurrentPrinter::CurrentPrinter() { Reset(); }

void CurrentPrinter::Reset() {
    deviceName_ = DefaultPrinterName();
    paperCode_ = DefaultPaperOf(deviceName_);
    TrackDefault = true;
}

std::string CurrentPrinter::DriverName() const {
    if (IsPdf()) return "PDF";
    return QPrinterInfo::printerInfo(QString::fromStdString(deviceName_)).makeAndModel().toStdString();
}

std::string CurrentPrinter::Port() const {
    if (IsPdf()) return "FILE:";
    return QPrinterInfo::printerInfo(QString::fromStdString(deviceName_)).location().toStdString();
}

void CurrentPrinter::Select(const std::string& deviceName) {
    if (deviceName == deviceName_) return;
    deviceName_ = deviceName;
    // the paper goes with the printer when the new one takes it
    if (!SetPaperSize(paperCode_)) paperCode_ = DefaultPaperOf(deviceName_);
}

bool CurrentPrinter::SetPaperSize(int code) {
    const std::optional<QPageSize> size = PageSizeOf(code);
    if (!size) return false;
    if (!IsPdf()) {
        const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(deviceName_));
        const QList<QPageSize> supported = info.isNull() ? QList<QPageSize>() : info.supportedPageSizes();
        const bool takes = supported.isEmpty() ||
                           std::any_of(supported.begin(), supported.end(),
                                       [&](const QPageSize& s) { return s.id() == size->id(); });
        if (!takes) return false;
    }
    paperCode_ = code;
    return true;
}

std::unique_ptr<QPrinter> CurrentPrinter::MakePrinter(const std::string& pdfPath) const {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (IsPdf()) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdfPath));
    } else {
        printer->setPrinterName(QString::fromStdString(deviceName_));
    }
    const QPageSize size = PageSizeOf(paperCode_).value_or(QPageSize(QPageSize::A4));
    // the report keeps its own margins: the whole sheet is addressable, and
    // the report layout is an upright one
    printer->setFullPage(true);
    printer->setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    return printer;
}

const std::vector<std::pair<int, std::string>>& PaperSizeTable() {
    static const std::vector<std::pair<int, std::string>> table = {
        {1, "Letter, 8 1/2 x 11 in."},
        {2, "Letter Small, 8 1/2 x 11 in."},
        {3, "Tabloid, 11 x 17 in."},
        {4, "Ledger, 17 x 11 in."},
        {5, "Legal, 8 1/2 x 14 in."},
        {6, "Statement, 5 1/2 x 8 1/2 in."},
        {7, "Executive, 7 1/2 x 10 1/2 in."},
        {8, "A3, 297 x 420 mm"},
        {9, "A4, 210 x 297 mm"},
        {10, "A4 Small, 210 x 297 mm"},
        {11, "A5, 148 x 210 mm"},
        {12, "B4, 250 x 354 mm"},
        {13, "B5, 182 x 257 mm"},
        {14, "Folio, 8 1/2 x 13 in."},
        {15, "Quarto, 215 x 275 mm"},
        {16, "10 x 14 in."},
        {17, "11 x 17 in."},
        {18, "Note, 8 1/2 x 11 in."},
        {19, "Envelope #9, 3 7/8 x 8 7/8 in."},
        {20, "Envelope #10, 4 1/8 x 9 1/2 in."},
        {21, "Envelope #11, 4 1/2 x 10 3/8 in."},
        {22, "Envelope #12, 4 1/2 x 11 in."},
        {23, "Envelope #14, 5 x 11 1/2 in."},
        {24, "C size sheet"},
        {25, "D size sheet"},
        {26, "E size sheet"},
        {27, "Envelope DL, 110 x 220 mm"},
        {28, "Envelope C5, 162 x 229 mm"},
        {29, "Envelope C3, 324 x 458 mm"},
        {30, "Envelope C4, 229 x 324 mm"},
        {31, "Envelope C6, 114 x 162 mm"},
        {32, "Envelope C65, 114 x 229 mm"},
        {33, "Envelope B4, 250 x 353 mm"},
        {34, "Envelope B5, 176 x 250 mm"},
        {35, "Envelope B6, 176 x 125 mm"},
        {36, "Envelope, 110 x 230 mm"},
        {37, "Envelope Monarch, 3 7/8 x 7 1/2 in."},
        {38, "Envelope, 3 5/8 x 6 1/2 in."},
        {39, "U.S. Standard Fanfold, 14 7/8 x 11 in."},
        {40, "German Standard Fanfold, 8 1/2 x 12 in."},
        {41, "German Legal Fanfold, 8 1/2 x 13 in."},
        {256, "User-defined"}
    };
    return table;
}

PrinterSetupAnswerer InstallPrinterSetupAnswerer(PrinterSetupAnswerer answerer) {
    PrinterSetupAnswerer previous = std::move(Answerer());
    Answerer() = std::move(answerer);
    return previous;
}

std::optional<PrinterSetupAnswer> ShowPrinterSetup(QWidget* owner, const PrinterSetupRequest& request) {
    if (Answerer()) return Answerer()(request);

    QDialog dialog(owner);
    dialog.setWindowTitle("Printer setup");
    auto* printers = new QComboBox(&dialog);
    printers->setObjectName("cmbPrinter");
    for (const std::string& name : PrinterDeviceNames()) printers->addItem(QString::fromStdString(name));
    printers->setCurrentText(QString::fromStdString(request.PrinterName));
    auto* papers = new QComboBox(&dialog);
    papers->setObjectName("cmbPaper");
    for (const auto& [code, name] : PaperSizeTable()) {
        papers->addItem(QString::fromStdString(name), code);
        if (code == request.PaperSize) papers->setCurrentIndex(papers->count() - 1);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QFormLayout(&dialog);
    layout->addRow("Printer:", printers);
    layout->addRow("Paper:", papers);
    layout->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return PrinterSetupAnswer{printers->currentText().toStdString(), papers->currentData().toInt()};
}

}  // namespace brindlemar

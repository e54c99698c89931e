#pragma once
// The program's printer: one of the installed printers, or a PDF file, which
// is always offered (last in the list) so that a report can be made on a
// machine without a printer. Paper sizes are named by their Windows paper
// codes (9 A4, 1 Letter, 256 user-defined), as the print dialog lists them.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

namespace brindlemar {

// The device name of the PDF file "printer".
inline constexpr const char* PdfPrinterName = "PDF file";

// The installed printers' device names in the system's order, then the PDF file.
std::vector<std::string> PrinterDeviceNames();

class CurrentPrinter {
public:
    // The one printer of the program; at first the system's default printer,
    // or the PDF file when none is installed.
    static CurrentPrinter& Get();

    std::string DeviceName() const { return deviceName_; }
    std::string DriverName() const;
    std::string Port() const;
    bool IsPdf() const { return deviceName_ == PdfPrinterName; }

    // Makes the named printer the current one (paper kept when it has it).
    void Select(const std::string& deviceName);

    // The Windows code of the current paper; 256 for one without a code.
    int PaperSize() const { return paperCode_; }
    // Gives the printer the paper of `code`; false when the printer does not
    // take it (a code with no known size, or a size the printer lacks).
    bool SetPaperSize(int code);

    // False keeps the printer chosen here; True lets it follow the system's
    // default printer when that changes.
    bool TrackDefault = true;

    // A printer set up for the report: the device, its paper, upright, the
    // whole sheet addressable; a PDF file printer writes to `pdfPath`.
    std::unique_ptr<QPrinter> MakePrinter(const std::string& pdfPath) const;

    // Back to the system's default printer and its paper (for tests).
    void Reset();

private:
    CurrentPrinter();
    std::string deviceName_;
    int paperCode_ = 9;
};

// What the printer-setup dialog starts from and what it answers.
struct PrinterSetupRequest {
    std::string PrinterName, DriverName, Port;
    int PaperSize = 9;
    long Flags = 0;
};
struct PrinterSetupAnswer {
    std::string PrinterName;
    int PaperSize = 9;
};

// Shows the printer-setup dialog modally over `owner`: a printer and a
// paper to choose. Nothing when the user cancelled.
std::optional<PrinterSetupAnswer> ShowPrinterSetup(QWidget* owner, const PrinterSetupRequest& request);

using PrinterSetupAnswerer = std::function<std::optional<PrinterSetupAnswer>(const PrinterSetupRequest&)>;
// Makes ShowPrinterSetup answer through `answerer` instead of opening a
// window (an empty one restores the window); returns the one installed before.
PrinterSetupAnswerer InstallPrinterSetupAnswerer(PrinterSetupAnswerer answerer);

// The names of the paper codes 1 to 41 and 256 as the print dialog lists them.
const std::vector<std::pair<int, std::string>>& PaperSizeTable();

}  // namespace brindlemar

#pragma once
// The paper: a Surface over a QPrinter (a system printer or a PDF file, as
// the caller set it up). Coordinate 0 is the corner of the printable area
// until the caller moves the scale origin. The document and each new sheet
// start with the first drawing on them, so no blank sheet comes out.

#include <QPainter>

#include "platform/PainterSurface.h"

class QPrinter;

namespace brindlemar {

class PrinterSurface : public PainterSurface {
public:
    explicit PrinterSurface(QPrinter& printer);
    ~PrinterSurface() override;
    PrinterSurface(const PrinterSurface&) = delete;
    PrinterSurface& operator=(const PrinterSurface&) = delete;

    double ScaleWidth() const override;
    double ScaleHeight() const override;
    double PageWidth() const override;
    double PageHeight() const override;
    void NewPage() override;
    void EndDoc() override;
    // Sheets of the document being printed, or of the last one printed.
    int PagesStarted() const { return pages_; }

protected:
    QPainter& ActivePainter() override;
    const QPaintDevice* MetricsDevice() const override;
    // A sheet cannot be wiped: clearing does nothing on paper.
    void Clear() override {}

private:
    QPrinter& printer_;
    QPainter painter_;
    bool newPagePending_ = false;
    int pages_ = 0;
};

}  // namespace brindlemar

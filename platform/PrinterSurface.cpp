#include "platform/PrinterSurface.h"

#include <QPrinter>

#include "model/Units.h"
#include "platform/Twips.h"
#include "platform/VectorRegisters.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {
constexpr int kPrinterError = 482;

// The sheet in true twips, like the printable area, which the device gives
// in pixels at 1440 twips to the inch: the unprintable border is half their
// difference, so the page layout's round millimetre would skew it.
double SheetTwips(double millimetres) { return millimetres * TwipsPerInch / MillimetresPerInch; }
}  // namespace

PrinterSurface::PrinterSurface(QPrinter& printer) : printer_(printer) {
    const double twipsPerPixel = TwipsPerInch / printer_.resolution();
    SetResolution(twipsPerPixel, twipsPerPixel);
}

PrinterSurface::~PrinterSurface() {
    if (painter_.isActive()) painter_.end();
    ClearUpperVectorRegisters();
}

double PrinterSurface::ScaleWidth() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).width() * TwipsPerPixelX();
}

double PrinterSurface::ScaleHeight() const {
    return printer_.pageLayout().paintRectPixels(printer_.resolution()).height() * TwipsPerPixelY();
}

double PrinterSurface::PageWidth() const {
    return SheetTwips(printer_.pageLayout().fullRect(QPageLayout::Millimeter).width());
}

double PrinterSurface::PageHeight() const {
    return SheetTwips(printer_.pageLayout().fullRect(QPageLayout::Millimeter).height());
}

const QPaintDevice* PrinterSurface::MetricsDevice() const { return &printer_; }

QPainter& PrinterSurface::ActivePainter() {
    if (!painter_.isActive()) {
        if (!painter_.begin(&printer_)) RaiseError(kPrinterError, "Printer error");
        newPagePending_ = false;
        pages_ = 1;
        PainterRestarted();
    } else if (newPagePending_) {
        if (!printer_.newPage()) RaiseError(kPrinterError, "Printer error");
        newPagePending_ = false;
        ++pages_;
        PainterRestarted();
    }
    return painter_;
}

void PrinterSurface::NewPage() {
    if (painter_.isActive()) newPagePending_ = true;
}

void PrinterSurface::EndDoc() {
    if (painter_.isActive()) painter_.end();
    newPagePending_ = false;
    ClearUpperVectorRegisters();
}

}  // namespace brindlemar

#pragma once
// A sheet of paper on the recording surface: the whole sheet and its
// printable area (an unprintable border of 5 mm all round), and the
// built-in wall measured on it for one print job.

#include "model/BuiltInWall.h"
#include "reports/ReportPage.h"
#include "support/RecordingSurface.h"

namespace brindlemar::test {

inline constexpr double TwipsPerMm = 1440 / 25.4;

class PaperSurface : public RecordingSurface {
public:
    PaperSurface(double widthMm, double heightMm, double twipsPerPixel = 1440.0 / 600)
        : RecordingSurface((widthMm - 10) * TwipsPerMm, (heightMm - 10) * TwipsPerMm, twipsPerPixel),
          pageWidth_(widthMm * TwipsPerMm),
          pageHeight_(heightMm * TwipsPerMm) {}
    double PageWidth() const override { return pageWidth_; }
    double PageHeight() const override { return pageHeight_; }

private:
    double pageWidth_, pageHeight_;
};

// The built-in wall on an A4 sheet measured for printing, fonts as a printer
// with the usual faces gives them.
struct ReportSheet {
    BuiltInWall w;
    Model& m = w.m;
    PaperSurface s{210, 297};

    ReportSheet() {
        m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
        m.SymbolFontName = "Symbol";
        SetupPrinterPage(m, s);
        m.CurrentHalfPage = 0;
    }
};

}  // namespace brindlemar::test

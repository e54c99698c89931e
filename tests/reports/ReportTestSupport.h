#pragma once
// A sheet of paper on the recording surface: the whole sheet and its
// printable area (an unprintable border of 5 mm all round), and the
// built-in wall measured on it for one print job.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "support/BuiltInWall.h"
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

// The prints whose top lies within 100 twips of y and whose left edge lies
// in [xFrom, xTo), left to right; only those of `colour` when it is given.
inline std::vector<SurfaceCall> PrintsOnLine(const RecordingSurface& s, double y, double xFrom, double xTo,
                                             int32_t colour = -1) {
    std::vector<SurfaceCall> out;
    for (const SurfaceCall& c : s.Of("Print"))
        if (std::fabs(c.Y1 - y) < 100 && c.X1 >= xFrom - 1e-6 && c.X1 < xTo && (colour < 0 || c.Colour == colour))
            out.push_back(c);
    std::stable_sort(out.begin(), out.end(), [](const SurfaceCall& a, const SurfaceCall& b) { return a.X1 < b.X1; });
    return out;
}

// Their texts joined: what a reader sees on that stretch of the line.
inline std::string TextOnLine(const RecordingSurface& s, double y, double xFrom, double xTo, int32_t colour = -1) {
    std::string text;
    for (const SurfaceCall& c : PrintsOnLine(s, y, xFrom, xTo, colour)) text += c.Text;
    return text;
}

}  // namespace brindlemar::test

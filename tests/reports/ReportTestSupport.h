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

// Fonts as a printer with the usual faces gives them.
inline void UsePrinterFonts(Model& m) {
    m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
    m.SymbolFontName = "Symbol";
}

// The active set with n combinations, each with the factors of the first one.
inline void SetCombinationCount(Model& m, int n) {
    CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
    for (int i = 1; i < n; ++i) set.Combinations[static_cast<size_t>(i)] = set.Combinations[0];
    set.CombinationCount = static_cast<int16_t>(n);
}

// The built-in wall on an A4 sheet measured for printing, in the printer's fonts.
struct ReportSheet {
    BuiltInWall w;
    Model& m = w.m;
    PaperSurface s{210, 297};

    ReportSheet() {
        UsePrinterFonts(m);
        SetupPrinterPage(m, s);
        s.Drawing().CurrentHalfPage = 0;
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

// What a reader would see as broken in a table among the texts whose top lies in
// [top, bottom): two texts printed over one another, or a text crossed by a
// rule or a frame line (a text printed past the frame is crossed by it). A
// text's box is its width by one em of its font (20 twips a point: capitals
// and descenders, without the leading of a line); each clash is described
// by its texts, none when the layout is clean.
inline std::vector<std::string> Clashes(const RecordingSurface& s, double top, double bottom) {
    constexpr double slack = 0.5;
    struct Rect {
        double x1, y1, x2, y2;
        std::string what;
    };
    const auto overlap = [](double a1, double a2, double b1, double b2) {
        return std::min(a2, b2) - std::max(a1, b1) > slack;
    };
    std::vector<Rect> texts, rules;
    for (const SurfaceCall& c : s.Calls) {
        if (c.Kind == "Print" && !c.Text.empty() && c.Y1 >= top && c.Y1 < bottom)
            texts.push_back({c.X1, c.Y1, c.X2, c.Y1 + 20 * c.FontSize, "'" + c.Text + "'"});
        const std::string at = " (" + std::to_string(c.X1) + ", " + std::to_string(c.Y1) + ")";
        if (c.Kind == "Line") rules.push_back({c.X1, c.Y1, c.X2, c.Y2, "a rule" + at});
        if (c.Kind == "Box") {
            rules.push_back({c.X1, c.Y1, c.X2, c.Y1, "a frame line" + at});
            rules.push_back({c.X1, c.Y2, c.X2, c.Y2, "a frame line" + at});
            rules.push_back({c.X1, c.Y1, c.X1, c.Y2, "a frame line" + at});
            rules.push_back({c.X2, c.Y1, c.X2, c.Y2, "a frame line" + at});
        }
    }
    std::vector<std::string> out;
    for (size_t i = 0; i < texts.size(); ++i) {
        const Rect& a = texts[i];
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const Rect& b = texts[j];
            if (overlap(a.x1, a.x2, b.x1, b.x2) && overlap(a.y1, a.y2, b.y1, b.y2)) out.push_back(a.what + " over " + b.what);
        }
        for (const Rect& r : rules) {
            const double x1 = std::min(r.x1, r.x2), x2 = std::max(r.x1, r.x2);
            const double y1 = std::min(r.y1, r.y2), y2 = std::max(r.y1, r.y2);
            if (x1 != x2 && y1 != y2) continue;   // the rules of a table run across or down
            // a rule crosses a text when it passes through the inside of its box
            const bool across = x1 == x2 ? x1 > a.x1 + slack && x1 < a.x2 - slack && overlap(y1, y2, a.y1, a.y2)
                                         : y1 > a.y1 + slack && y1 < a.y2 - slack && overlap(x1, x2, a.x1, a.x2);
            if (across) out.push_back(a.what + " crossed by " + r.what);
        }
    }
    return out;
}

}  // namespace brindlemar::test

#include "reports/ReportPage.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "drawing/Primitives.h"
#include "drawing/TextPlacement.h"
#include "model/Units.h"
#include "runtime/Colours.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The 165 x 257 mm layout in twips.
constexpr double LayoutWidth = 165 * TwipsPerMillimetre;
constexpr double LayoutHeight = 257 * TwipsPerMillimetre;

// Runs one step of the block frame; a step the surface refuses is left out
// and the frame goes on, so one bad value never loses the block.
void Skipping(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

int FramePenWidth(const Surface& s) {
    return RoundTwips(PenWidthPixels(s, 0.3 * s.Drawing().PrintScale));
}

Picture MakeLogo() {
    // A cantilever wall in section: grey stem and base, brown backfill behind
    // it, on white inside a dark blue border.
    constexpr int size = 64;
    Picture logo;
    logo.Width = size;
    logo.Height = size;
    logo.Pixels.assign(size * size, 0xFFFFFFFFu);
    const auto put = [&](int x, int y, uint32_t colour) { logo.Pixels[static_cast<size_t>(y * size + x)] = colour; };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const bool border = x < 3 || y < 3 || x >= size - 3 || y >= size - 3;
            const bool stem = x >= 24 && x < 32 && y >= 10 && y < 48;
            const bool base = x >= 12 && x < 52 && y >= 48 && y < 54;
            const bool backfill = x >= 32 && x < 61 && y >= 14 + (x - 32) / 4 && y < 48;
            if (border) put(x, y, 0xFF000080u);
            else if (stem || base) put(x, y, 0xFF8C8C8Cu);
            else if (backfill) put(x, y, 0xFFC8A46Eu);
        }
    }
    return logo;
}

}  // namespace

int32_t ReportDarkBlue() { return RGB(0, 0, 128); }
int32_t ReportLightGrey() { return RGB(200, 200, 200); }
int32_t ReportRed() { return RGB(255, 0, 0); }
int32_t ReportBandGrey() { return RGB(210, 210, 210); }

int32_t RoundTwips(double value) {
    const double rounded = std::nearbyint(CheckedFinite(value));
    if (rounded < -2147483648.0 || rounded > 2147483647.0) RaiseError(6, "Overflow");
    return static_cast<int32_t>(rounded);
}

const Picture& ReportLogo() {
    static const Picture logo = MakeLogo();
    return logo;
}

void SetupPrinterPage(const Model& m, Surface& s) {
    const double W = s.PageWidth();
    const double Ht = s.PageHeight();
    s.Drawing().PrintableWidth = RoundTwips(W - (m.PageMarginLeft + m.PageMarginRight) * TwipsPerMillimetre);
    s.Drawing().PrintableHeight = RoundTwips(Ht - (m.PageMarginTop + m.PageMarginBottom) * TwipsPerMillimetre);

    // (0, 0) on the top-left margin corner: the unprintable border is taken
    // as half the difference between the sheet and its printable area
    s.ScaleLeft = -m.PageMarginLeft * TwipsPerMillimetre + (W - s.ScaleWidth()) / 2;
    s.ScaleTop = -m.PageMarginTop * TwipsPerMillimetre + (Ht - s.ScaleHeight()) / 2;

    // Margins as wide as the sheet leave no printable area: refuse the job
    // rather than print a mirrored or empty layout.
    if (s.Drawing().PrintableWidth <= 0 || s.Drawing().PrintableHeight <= 0)
        RaiseError(5, "The page margins leave no room to print on this paper");
    s.Drawing().PrintScale = static_cast<float>(std::min(s.Drawing().PrintableWidth / LayoutWidth, s.Drawing().PrintableHeight / LayoutHeight));

    s.Drawing().FrameWidth = s.Drawing().PrintableWidth;
    s.Drawing().HalfPageHeight = RoundTwips((s.Drawing().PrintableHeight - 13 * TwipsPerMillimetre * s.Drawing().PrintScale) / 2);
    s.Drawing().FrameHeight = RoundTwips(s.Drawing().HalfPageHeight - 4 * TwipsPerMillimetre * s.Drawing().PrintScale);

    const auto pen = [&](double mm) { return ToInteger(PenWidthPixels(s, mm) * s.Drawing().PrintScale); };
    s.Drawing().OutlinePenWidth = pen(0.35);
    s.Drawing().DetailPenWidth = pen(0.1);
    s.Drawing().LoadArrowPenWidth = pen(0.35);
    s.Drawing().LoadOutlinePenWidth = pen(0.1);
    s.Drawing().ResistanceArrowPenWidth = pen(0.35);
    s.Drawing().ResistanceDiagramPenWidth = pen(0.1);
    s.Drawing().ResultantArrowPenWidth = pen(0.35);
    s.Drawing().FactorTablePenWidth = pen(0.1);
    s.Drawing().ArrowHeadSize = ToInteger(60 * s.Drawing().PrintScale);
    s.Drawing().ForceArrowLength = ToInteger(480 * s.Drawing().PrintScale);

    s.Drawing().PageNumber = 1;
}

void PrintBlockFrame(const Model& m, Surface& s) {
    const double scale = s.Drawing().PrintScale;
    const double W = s.Drawing().FrameWidth;
    Skipping([&] { s.Drawing().PageBandHeight = RoundTwips(8 * TwipsPerMillimetre * scale); });
    Skipping([&] { s.Drawing().TitleBandHeight = RoundTwips(4 * TwipsPerMillimetre * scale); });
    s.Drawing().FrameLeft = 0;
    Skipping([&] {
        s.Drawing().FrameTop = RoundTwips(s.Drawing().PageBandHeight + s.Drawing().TitleBandHeight +
                                static_cast<double>(s.Drawing().CurrentHalfPage) * (s.Drawing().FrameHeight + s.Drawing().TitleBandHeight));
    });

    if (s.Drawing().CurrentHalfPage == 0) {
        // the grey page band with the logo at its left end
        s.FillStyle = vbFSSolid;
        s.ForeColor = ReportBandGrey();
        s.FillColor = ReportBandGrey();
        Skipping([&] { s.FilledBox(0, 0, W, s.Drawing().PageBandHeight); });
        Skipping([&] { s.PaintPicture(ReportLogo(), 0, 0, s.Drawing().PageBandHeight, s.Drawing().PageBandHeight); });
        Skipping([&] { s.DrawWidth = FramePenWidth(s); });
        s.FillStyle = vbFSTransparent;
        s.ForeColor = ReportDarkBlue();
        // the line between the halves and the sheet frame, which also frames
        // an empty bottom half
        Skipping([&] { s.Line(0, s.Drawing().FrameTop + s.Drawing().FrameHeight, W, s.Drawing().FrameTop + s.Drawing().FrameHeight); });
        Skipping([&] { s.Box(0, 0, W, s.Drawing().PageBandHeight + 2.0 * s.Drawing().HalfPageHeight); });
        Skipping([&] { s.Line(0, s.Drawing().PageBandHeight, W, s.Drawing().PageBandHeight); });
        Skipping([&] { s.Line(0.2 * W, 0, 0.2 * W, s.Drawing().PageBandHeight); });

        const double x = s.Drawing().PageBandHeight + TwipsPerMillimetre * scale;
        s.ForeColor = 0;
        Skipping([&] {
            SetPrinterFont(s, m.TitleFontName, 12 * scale, true, true);
            s.CurrentY = (5 * TwipsPerMillimetre - 240) / 2 * scale;
            PrintAt(s, ProductName, x);
        });
        s.ForeColor = ReportDarkBlue();
        Skipping([&] {
            SetPrinterFont(s, m.TitleFontName, 6 * scale, false, false);
            s.CurrentY = (5 * TwipsPerMillimetre + (2 * TwipsPerMillimetre - 120) / 2) * scale;
            PrintAt(s, "Version " + m.ProgramVersion, x);
        });
    }

    // the title band: project title left of the rule, section title right
    Skipping([&] { s.DrawWidth = FramePenWidth(s); });
    s.ForeColor = ReportDarkBlue();
    Skipping([&] { s.Box(0, s.Drawing().FrameTop - s.Drawing().TitleBandHeight, W, s.Drawing().FrameTop); });
    Skipping([&] { s.Box(0.7 * W, s.Drawing().FrameTop - s.Drawing().TitleBandHeight, 0.7 * W, s.Drawing().FrameTop); });

    SetPrinterFont(s, m.TextFontName, 10 * scale, false, false);
    s.ForeColor = 0;
    Skipping([&] {
        // on one line, a little smaller where it must be; a longer title on
        // two lines as small as the band needs, and only then cut, with an ellipsis
        const double room = 0.7 * W - 2 * 60 * scale;
        const double size = s.FontSize;
        std::vector<std::string> lines = FitLines(s, m.ProjectTitle, "", room, 1, LeastNameShare * size);
        if (s.TextWidth(m.ProjectTitle) > room) {
            s.FontSize = size;
            s.FontSize = std::min(size, size * s.Drawing().TitleBandHeight / (2 * s.TextHeight("")));
            lines = FitLines(s, m.ProjectTitle, "", room, 2, LeastNameShare * s.FontSize);
        }
        const double lineHeight = s.TextHeight("");
        double y = s.Drawing().FrameTop - s.Drawing().TitleBandHeight / 2.0 - lineHeight * static_cast<double>(lines.size()) / 2;
        for (const std::string& line : lines) {
            s.CurrentY = y;
            PrintCentered(s, line, 0.35 * W);
            y += lineHeight;
        }
    });
}

void PrintBlockTitle(const Model& m, Surface& s, const std::string& title) {
    s.ForeColor = 0;
    SetPrinterFont(s, m.TextFontName, 10 * s.Drawing().PrintScale, false, false);
    s.CurrentY = s.Drawing().FrameTop - s.Drawing().TitleBandHeight / 2.0 - s.TextHeight("") / 2;
    PrintCentered(s, title, 0.85 * s.Drawing().FrameWidth);
}

void SetPrinterFont(Surface& s, const std::string& fontName, double size, bool bold, bool italic) {
    s.FontName = fontName;
    s.FontSize = size;
    s.FontBold = bold;
    s.FontItalic = italic;
}

std::string FitTextToWidth(Surface& s, const std::string& text, double maxWidth, const std::string& fontName,
                           double size, bool bold, bool italic) {
    SetPrinterFont(s, fontName, size, bold, italic);
    return CutToWidth(s, text, maxWidth);
}

void PrintSubscript(Surface& s, const std::string& text) {
    const double y = s.CurrentY;
    const double size = s.FontSize;
    s.CurrentY = y + size * 10;
    s.FontSize = size * 2 / 3;
    s.Print(text);
    s.CurrentY = y;
    s.FontSize = size;
}

}  // namespace brindlemar

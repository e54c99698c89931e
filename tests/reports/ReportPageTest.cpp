#include <gtest/gtest.h>

#include "reports/ReportPage.h"
#include "reports/ReportTestSupport.h"
#include "runtime/Colours.h"

namespace brindlemar::test {
namespace {

TEST(ReportPage, SheetsAreMeasuredFromTheMarginCorner) {
    struct Case {
        const char* what;
        double widthMm, heightMm;
        double wantScale;
    } cases[] = {
        // A4 with the default margins holds the 165 x 257 mm layout exactly
        {"A4", 210, 297, 9354.0 / 9355.5},
        // a wider sheet of the same height is limited by its height
        {"wider than A4", 297, 297, (297 * TwipsPerMm - 40 * 56.7) / 14571.9},
        // A3 is relatively narrower than the layout: limited by its height
        {"A3", 297, 420, (420 * TwipsPerMm - 40 * 56.7) / 14571.9},
        // a narrow tall sheet is limited by its width
        {"narrow", 210, 420, (210 * TwipsPerMm - 45 * 56.7) / 9355.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BuiltInWall w;
        PaperSurface s(c.widthMm, c.heightMm);
        SetupPrinterPage(w.m, s);
        EXPECT_EQ(s.Drawing().PrintableWidth, RoundTwips(c.widthMm * TwipsPerMm - 45 * 56.7));
        EXPECT_EQ(s.Drawing().PrintableHeight, RoundTwips(c.heightMm * TwipsPerMm - 40 * 56.7));
        EXPECT_NEAR(s.Drawing().PrintScale, c.wantScale, 2e-4);
        // (0, 0) is 25 mm from the left edge and 20 mm from the top of the
        // sheet: the printable area starts 5 mm in
        EXPECT_NEAR(s.ScaleLeft, -25 * 56.7 + 5 * TwipsPerMm, 1e-6);
        EXPECT_NEAR(s.ScaleTop, -20 * 56.7 + 5 * TwipsPerMm, 1e-6);
        EXPECT_EQ(s.Drawing().FrameWidth, s.Drawing().PrintableWidth);
        EXPECT_EQ(s.Drawing().HalfPageHeight, RoundTwips((s.Drawing().PrintableHeight - 737.1 * s.Drawing().PrintScale) / 2));
        EXPECT_EQ(s.Drawing().FrameHeight, RoundTwips(s.Drawing().HalfPageHeight - 226.8 * s.Drawing().PrintScale));
        EXPECT_EQ(s.Drawing().PageNumber, 1);
    }
}

TEST(ReportPage, PensAndArrowsScaleWithTheSheet) {
    BuiltInWall w;
    Model& m = w.m;
    // a 600 dpi printer: 0.35 mm is 8.27 pixels, 0.1 mm 2.36
    PaperSurface s(210, 297, 2.4);
    SetupPrinterPage(m, s);
    EXPECT_EQ(s.Drawing().OutlinePenWidth, 8);
    EXPECT_EQ(s.Drawing().ResultantArrowPenWidth, 8);
    EXPECT_EQ(s.Drawing().DetailPenWidth, 2);
    EXPECT_EQ(s.Drawing().FactorTablePenWidth, 2);
    EXPECT_EQ(s.Drawing().ArrowHeadSize, 60);
    EXPECT_EQ(s.Drawing().ForceArrowLength, 480);
    // the force-diagram pens stay as the screen set them
    EXPECT_EQ(s.Drawing().DiagramPenWidths[0], 2);
    EXPECT_EQ(s.Drawing().DiagramHatchPitch, 30);

    // A5 scales everything down; a coarse printer still gets one-pixel pens
    PaperSurface a5(148, 210, 1440.0 / 72);
    SetupPrinterPage(m, a5);
    EXPECT_LT(a5.Drawing().PrintScale, 0.71);
    EXPECT_EQ(a5.Drawing().DetailPenWidth, 1);
    EXPECT_EQ(a5.Drawing().ForceArrowLength, RoundTwips(480 * a5.Drawing().PrintScale));
}

TEST(ReportPage, TopBlockCarriesTheSheetFurniture) {
    ReportSheet r;
    Model& m = r.m;
    m.ProgramVersion = "2.60";
    m.ProjectTitle = "Quay";
    PrintBlockFrame(m, r.s);
    const double W = r.s.Drawing().FrameWidth;
    EXPECT_EQ(r.s.Drawing().PageBandHeight, RoundTwips(8 * 56.7 * r.s.Drawing().PrintScale));
    EXPECT_EQ(r.s.Drawing().TitleBandHeight, RoundTwips(4 * 56.7 * r.s.Drawing().PrintScale));
    EXPECT_EQ(r.s.Drawing().FrameTop, r.s.Drawing().PageBandHeight + r.s.Drawing().TitleBandHeight);

    const auto band = r.s.Of("FilledBox");
    ASSERT_EQ(band.size(), 1u);
    EXPECT_EQ(band[0].Colour, RGB(210, 210, 210));
    EXPECT_DOUBLE_EQ(band[0].Y2, r.s.Drawing().PageBandHeight);
    const auto logo = r.s.Of("Picture");
    ASSERT_EQ(logo.size(), 1u);
    EXPECT_DOUBLE_EQ(logo[0].X2 - logo[0].X1, r.s.Drawing().PageBandHeight);

    // sheet frame over both halves, title band, its divider at 0.7 W
    const auto boxes = r.s.Of("Box");
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_DOUBLE_EQ(boxes[0].Y2, r.s.Drawing().PageBandHeight + 2.0 * r.s.Drawing().HalfPageHeight);
    EXPECT_DOUBLE_EQ(boxes[1].Y1, r.s.Drawing().FrameTop - r.s.Drawing().TitleBandHeight);
    EXPECT_DOUBLE_EQ(boxes[2].X1, 0.7 * W);
    for (const SurfaceCall& b : boxes) EXPECT_EQ(b.Colour, RGB(0, 0, 128));

    const SurfaceCall* product = r.s.FindText("Brindlemar");
    ASSERT_NE(product, nullptr);
    EXPECT_TRUE(product->Bold && product->Italic);
    EXPECT_NEAR(product->FontSize, 12 * r.s.Drawing().PrintScale, 1e-4);
    ASSERT_NE(r.s.FindText("Version 2.60"), nullptr);
    const SurfaceCall* title = r.s.FindText("Quay");
    ASSERT_NE(title, nullptr);
    EXPECT_NEAR((title->X1 + title->X2) / 2, 0.35 * W, 1e-6);
}

TEST(ReportPage, BottomBlockHasOnlyItsTitleBand) {
    ReportSheet r;
    Model& m = r.m;
    r.s.Drawing().CurrentHalfPage = 1;
    PrintBlockFrame(m, r.s);
    EXPECT_EQ(r.s.Drawing().FrameTop, r.s.Drawing().PageBandHeight + r.s.Drawing().TitleBandHeight + r.s.Drawing().FrameHeight + r.s.Drawing().TitleBandHeight);
    EXPECT_TRUE(r.s.Of("FilledBox").empty());
    EXPECT_TRUE(r.s.Of("Picture").empty());
    EXPECT_EQ(r.s.Of("Box").size(), 2u);
    EXPECT_EQ(r.s.FindText("Brindlemar"), nullptr);
    // the frame lies inside the printable area, above the footer strip
    EXPECT_LT(r.s.Drawing().FrameTop + r.s.Drawing().FrameHeight, r.s.Drawing().PrintableHeight - 8 * 20 * r.s.Drawing().PrintScale);
}

// A title too long for the band is made smaller, then wrapped onto two
// lines, and cut with an ellipsis only then; it never loses its end silently.
TEST(ReportPage, LongProjectTitleIsWholeInTheBand) {
    const std::string quay = "North quay wall, section 4 between the ferry ramp and the old crane rails: seismic EQ rev A";
    const struct {
        std::string title;
        size_t lines;  // at most
        bool whole;
    } cases[] = {{std::string(60, 'x'), 1, true}, {quay, 1, true}, {quay + ", " + quay, 2, true},
                 {std::string(100, 'x'), 2, true}, {quay + quay + quay + quay + quay, 2, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.title);
        ReportSheet r;
        Model& m = r.m;
        const double W = r.s.Drawing().FrameWidth;
        m.ProjectTitle = c.title;
        PrintBlockFrame(m, r.s);
        std::vector<SurfaceCall> lines;
        for (const SurfaceCall& p : r.s.Of("Print"))
            if (p.Y1 >= r.s.Drawing().FrameTop - 2 * r.s.Drawing().TitleBandHeight && p.Y1 < r.s.Drawing().FrameTop && std::fabs((p.X1 + p.X2) / 2 - 0.35 * W) < 1)
                lines.push_back(p);
        ASSERT_GE(lines.size(), 1u);
        ASSERT_LE(lines.size(), c.lines);
        std::string shown;
        for (const SurfaceCall& line : lines) {
            shown += (shown.empty() || line.Text[0] == 'x' ? "" : " ") + line.Text;
            EXPECT_GE(line.X1, 0);
            EXPECT_LE(line.X2, 0.7 * W);
            // inside the band, the lines one under the other
            EXPECT_LE(line.Y1 + 20 * line.FontSize, r.s.Drawing().FrameTop + 1e-6);
            EXPECT_GE(line.FontSize, 0.3 * 10 * r.s.Drawing().PrintScale);
        }
        if (c.whole) {
            EXPECT_EQ(shown, c.title);
        } else {
            EXPECT_EQ(shown.back(), '\x85');
        }
    }
}

TEST(ReportPage, FitTextToWidthCutsOnTheRight) {
    RecordingSurface s;
    struct Case {
        const char* text;
        double maxWidth;
        const char* want;
    } cases[] = {
        {"abcdef", 600, "abcdef"},  // exactly fits: 6 characters at 10 points, 100 each
        {"abcdef", 599, "abcde"},
        {"abcdef", 150, "a"},
        {"abcdef", 50, ""},
        {"", 0, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitTextToWidth(s, c.text, c.maxWidth, "Arial", 10, false, false), c.want) << c.text;
        EXPECT_EQ(s.FontSize, 10);
    }
}

TEST(ReportPage, SubscriptDropsHalfALineAndContinuesTheLine) {
    RecordingSurface s;
    s.FontSize = 9;
    s.CurrentX = 100;
    s.CurrentY = 1000;
    s.Print("f");
    PrintSubscript(s, "y");
    s.Print("=");
    const auto prints = s.Of("Print");
    ASSERT_EQ(prints.size(), 3u);
    EXPECT_DOUBLE_EQ(prints[1].Y1, 1090);
    EXPECT_DOUBLE_EQ(prints[1].FontSize, 6);
    EXPECT_DOUBLE_EQ(prints[2].Y1, 1000);
    EXPECT_DOUBLE_EQ(prints[2].FontSize, 9);
    EXPECT_DOUBLE_EQ(prints[2].X1, prints[1].X2);
}

}  // namespace
}  // namespace brindlemar::test

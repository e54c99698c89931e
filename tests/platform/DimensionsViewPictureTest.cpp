// The dimensions view of the built-in wall drawn for real: on a screen
// picture (pixels checked where the wall, water and soil must be) and on a
// PDF page through the printer surface (its text read back).

#include <gtest/gtest.h>

#include <QPrinter>
#include <filesystem>

#include "PictureFiles.h"
#include "SurfaceTestApplication.h"
#include "drawing/Draw.h"
#include "support/BuiltInWall.h"
#include "platform/ImageSurface.h"
#include "platform/PrinterSurface.h"
#include "runtime/Colours.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

using test::CommandOutput;
using test::KeepPicture;

class DimensionsViewPicture : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        m.TextFontName = "Arial";
        m.SymbolFontName = SymbolFontFamily;
    }
    test::BuiltInWall w;
    Model& m = w.m;
    test::TempDir folder;
};

TEST_F(DimensionsViewPicture, ScreenPictureShowsWallWaterAndSoilInsideTheFrame) {
    ImageSurface s(1200, 900);
    s.FontName = m.TextFontName;
    s.FontSize = 8;
    // a frame inset in the picture, so that drawing outside it would show
    const int left = 0, top = 60, width = 1100, height = 780;
    s.Drawing().FrameLeft = left;
    s.Drawing().FrameTop = top * 15;
    s.Drawing().FrameWidth = width * 15;
    s.Drawing().FrameHeight = height * 15;
    DrawWall(m, s, 1, 0);
    DrawDimensionsView(m, s, 1);
    const QImage& image = s.Image();
    ASSERT_EQ(image.width(), 1200);
    image.save(QString::fromStdString(folder.File("screen.png")));
    KeepPicture(folder.File("screen.png"), "dimensions-screen.png");

    // the same picture with its values, as a person checks the layout of the texts
    ImageSurface withTexts(1200, 900);
    withTexts.FontName = m.TextFontName;
    withTexts.FontSize = 8;
    withTexts.Drawing() = s.Drawing();
    DrawWall(m, withTexts, 1, 0);
    DrawDimensionsView(m, withTexts, 0);
    withTexts.Image().save(QString::fromStdString(folder.File("texts.png")));
    KeepPicture(folder.File("texts.png"), "dimensions-texts.png");

    const double scale = s.Drawing().DrawingScale;
    auto pixel = [&](double x, double y) { return image.pixel(static_cast<int>(x / 15), static_cast<int>(y / 15)); };
    auto nodeX = [&](int i) { return static_cast<double>(s.Drawing().DrawingXCoordinates[i]); };
    auto nodeY = [&](int i) { return static_cast<double>(s.Drawing().DrawingYCoordinates[i]); };
    const QRgb concrete = qRgb(51, 51, 153), water = qRgb(204, 255, 255), backfill = qRgb(128, 128, 128),
               ground = qRgb(200, 200, 200), white = qRgb(255, 255, 255);

    // concrete inside the stem, the toe and the heel
    EXPECT_EQ(pixel((nodeX(1) + nodeX(8)) / 2, nodeY(1) + 3 * scale), concrete);
    EXPECT_EQ(pixel(nodeX(3) + 0.5 * scale, nodeY(4) - 0.5 * scale), concrete);
    EXPECT_EQ(pixel(nodeX(6) - 0.5 * scale, nodeY(5) - 0.5 * scale), concrete);
    // the front water between its level and the top of the toe tip
    EXPECT_EQ(pixel(nodeX(11) + 0.3 * scale, nodeY(11) + 1.5 * scale), water);
    // backfill over the heel, ground beyond it and under the base
    EXPECT_EQ(pixel(nodeX(6) - 0.5 * scale, nodeY(1) + 4 * scale), backfill);
    EXPECT_EQ(pixel(nodeX(5) + 0.5 * scale, nodeY(5) - 0.5 * scale), ground);
    EXPECT_EQ(pixel(nodeX(4) + 3 * scale, nodeY(4) + 0.3 * scale), ground);
    // above the front water there is nothing but air
    EXPECT_EQ(pixel(nodeX(11) + 0.3 * scale, nodeY(1) + 2 * scale), white);

    // nothing drawn outside the frame
    int outside = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const bool inFrame = x >= left && x < left + width && y >= top && y < top + height;
            if (!inFrame && image.pixel(x, y) != white) ++outside;
        }
    }
    EXPECT_EQ(outside, 0);
}

TEST_F(DimensionsViewPicture, PaperPictureIsOnePdfPageWithTheDimensionTexts) {
    const std::string pdf = folder.File("dimensions.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        test::PrintToA4Pdf(printer, pdf);
        PrinterSurface s(printer);
        // the top half of the sheet, with the pens and sizes of paper
        s.Drawing().FrameTop = 0;
        s.Drawing().FrameWidth = static_cast<int32_t>(s.ScaleWidth());
        s.Drawing().FrameHeight = static_cast<int32_t>(s.ScaleHeight() / 2);
        s.Drawing().OutlinePenWidth = static_cast<int16_t>(std::lround(PenWidthPixels(s, 0.35)));
        s.Drawing().DetailPenWidth = static_cast<int16_t>(std::lround(PenWidthPixels(s, 0.1)));
        s.FontName = m.TextFontName;
        s.FontSize = 6;
        ComputeDrawingScale(m, s);
        DrawDimensionsView(m, s, 0);
        DrawWall(m, s, 0, 0);
        s.NewPage();   // no drawing follows: no second sheet
        s.EndDoc();
        EXPECT_EQ(s.PagesStarted(), 1);
    }
    ASSERT_TRUE(std::filesystem::exists(pdf));
    KeepPicture(pdf, "dimensions-paper.pdf");
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
    for (const char* caption : {"2.00", "0.50", "0.83", "3.37", "7.20", "6.60", "0.60", "8.00", "7.73", "1.27",
                                "10.00", "5.00", "1.50", "0.67", "1 : 5.00", "Dimensions in m"}) {
        EXPECT_NE(text.find(caption), std::string::npos) << caption;
    }
}

TEST_F(DimensionsViewPicture, SymbolTextOnPaperReadsAsGreek) {
    const std::string pdf = folder.File("symbols.pdf");
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        PrinterSurface s(printer);
        PrintMarkup(m, s, 1000, 1000, "&Sg&s = 18.5, &Sf&s = 30\xB0", 12);
        s.EndDoc();
    }
    const std::string text = CommandOutput("pdftotext '" + pdf + "' -");
    EXPECT_NE(text.find("γ = 18.5, φ = 30°"), std::string::npos) << text;
}

}  // namespace
}  // namespace brindlemar

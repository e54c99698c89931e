#include <gtest/gtest.h>

#include "SurfaceTestApplication.h"
#include "drawing/SymbolFont.h"
#include "platform/ImageSurface.h"
#include "runtime/Colours.h"

namespace brindlemar {
namespace {

class ImageSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override { test::EnsureQtApplication(); }
};

QRgb PixelAt(ImageSurface& s, double xTwips, double yTwips) {
    return s.Image().pixel(static_cast<int>(xTwips / 15), static_cast<int>(yTwips / 15));
}

TEST_F(ImageSurfaceTest, BoxesOfNoHeightAreOnePixelLines) {
    ImageSurface s(100, 100);
    s.FilledBox(150, 300, 1350, 300, RGB(51, 51, 153));
    EXPECT_EQ(PixelAt(s, 600, 300), qRgb(51, 51, 153));
    EXPECT_EQ(PixelAt(s, 600, 285), qRgb(255, 255, 255));
    EXPECT_EQ(PixelAt(s, 600, 315), qRgb(255, 255, 255));
    // a whole rectangle covers both corners
    s.FilledBox(150, 600, 300, 750, RGB(255, 0, 0));
    EXPECT_EQ(PixelAt(s, 150, 600), qRgb(255, 0, 0));
    EXPECT_EQ(PixelAt(s, 300, 750), qRgb(255, 0, 0));
    EXPECT_DOUBLE_EQ(s.CurrentX, 300);
    EXPECT_DOUBLE_EQ(s.CurrentY, 750);
}

TEST_F(ImageSurfaceTest, MaskPenAndsWithWhatLiesBelow) {
    ImageSurface s(50, 50);
    s.FilledBox(0, 0, 600, 600, RGB(0, 255, 255));
    s.DrawMode = vbMaskPen;
    s.Line(0, 300, 700, 300, RGB(255, 255, 0));
    EXPECT_EQ(PixelAt(s, 150, 300), qRgb(0, 255, 0));      // cyan AND yellow
    EXPECT_EQ(PixelAt(s, 660, 300), qRgb(255, 255, 0));    // yellow AND white
    s.DrawMode = vbCopyPen;
    s.Line(0, 450, 700, 450, RGB(255, 255, 0));
    EXPECT_EQ(PixelAt(s, 150, 450), qRgb(255, 255, 0));
}

TEST_F(ImageSurfaceTest, PrintPutsTheTextTopAtCurrentYAndAdvances) {
    ImageSurface s(400, 200);
    s.FontName = "Arial";
    s.FontSize = 20;
    s.CurrentX = 300;
    s.CurrentY = 600;
    const double width = s.TextWidth("HHH");
    s.Print("HHH");
    EXPECT_DOUBLE_EQ(s.CurrentX, 300 + width);
    EXPECT_DOUBLE_EQ(s.CurrentY, 600);
    // ink between the top and the bottom of the line, none above it
    const QImage& image = s.Image();
    const double height = s.TextHeight("");
    EXPECT_GT(height, 20 * 20 * 0.9);
    int firstInkRow = -1;
    for (int y = 0; y < image.height() && firstInkRow < 0; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                firstInkRow = y;
                break;
            }
        }
    }
    EXPECT_GE(firstInkRow, 600 / 15);
    EXPECT_LT(firstInkRow, (600 + height) / 15);
}

TEST_F(ImageSurfaceTest, SymbolFontDrawsGreekLettersInTheTextFont) {
    ImageSurface s(100, 100);
    s.FontName = "Arial";
    s.FontSize = 12;
    EXPECT_EQ(s.DisplayText("gf"), QString("gf"));
    const double latinWidth = s.TextWidth("g");
    s.FontName = SymbolFontFamily;
    EXPECT_EQ(s.DisplayText("gfdbq"), QString::fromUtf8("γφδβθ"));
    EXPECT_EQ(s.DisplayText("\xB0\xB1"), QString::fromUtf8("°±"));
    EXPECT_EQ(s.CurrentFont().family(), QString("Arial"));
    EXPECT_GT(s.TextWidth("g"), 0);
    EXPECT_NE(s.TextWidth("g"), latinWidth);
    const auto names = s.FontNames();
    EXPECT_NE(std::find(names.begin(), names.end(), std::string(SymbolFontFamily)), names.end());
}

}  // namespace
}  // namespace brindlemar

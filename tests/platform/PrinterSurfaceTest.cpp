#include <gtest/gtest.h>

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <filesystem>

#include "SurfaceTestApplication.h"
#include "platform/PrinterSurface.h"
#include "runtime/Colours.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

class PrinterSurfaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf));
        printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(10, 15, 10, 15), QPageLayout::Millimeter));
    }
    test::TempDir folder;
    std::string pdf = folder.File("out.pdf");
    QPrinter printer{QPrinter::HighResolution};
};

TEST_F(PrinterSurfaceTest, SheetAndPrintableAreaInTwips) {
    PrinterSurface s(printer);
    const double twipsPerMm = 1440 / 25.4;
    EXPECT_NEAR(s.PageWidth(), 210 * twipsPerMm, 1);
    EXPECT_NEAR(s.PageHeight(), 297 * twipsPerMm, 1);
    // the printable area is whole device pixels inside margins the driver rounds: within half a millimetre
    EXPECT_NEAR(s.ScaleWidth(), 190 * twipsPerMm, 0.5 * twipsPerMm);
    EXPECT_NEAR(s.ScaleHeight(), 267 * twipsPerMm, 0.5 * twipsPerMm);
    EXPECT_DOUBLE_EQ(s.TwipsPerPixelX(), 1440.0 / printer.resolution());
    s.EndDoc();
    // nothing drawn: no document at all
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

TEST_F(PrinterSurfaceTest, SheetsStartWithTheirFirstDrawing) {
    PrinterSurface s(printer);
    s.NewPage();                           // before anything: no blank first sheet
    s.Line(0, 0, 1440, 1440, RGB(0, 0, 0));
    s.NewPage();
    s.NewPage();                           // twice without drawing: still one new sheet
    s.CurrentX = 1000;
    s.CurrentY = 1000;
    s.Print("second");
    s.NewPage();                           // the document ends here: no blank last sheet
    s.EndDoc();
    EXPECT_EQ(s.PagesStarted(), 2);
    EXPECT_TRUE(std::filesystem::exists(pdf));
}

}  // namespace
}  // namespace brindlemar

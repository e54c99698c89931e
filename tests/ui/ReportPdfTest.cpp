#include <QtTest/QTest>
#include <filesystem>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "analysis/Coefficients.h"
#include "model/Initialise.h"
#include "platform/PictureFiles.h"
#include "platform/Printers.h"
#include "reports/ReportJob.h"
#include "ui/reports/frmPrint.h"
#include "runtime/Format.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

class ReportPdfTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        CurrentPrinter::Get().Reset();
        CurrentPrinter::Get().Select(PdfPrinterName);
        CurrentPrinter::Get().SetPaperSize(9);
    }
    // Prints the chosen sections from the main window's Print command into
    // `pdf`, the file dialog's answer (nullopt: Cancel).
    void PrintFromMainWindow(const std::optional<std::string>& pdf, const std::function<void(frmPrint&)>& choose) {
        std::vector<FileDialogRequest> requests;
        const FileDialogAnswerer previous = InstallFileDialogAnswerer([&](const FileDialogRequest& r) {
            requests.push_back(r);
            return pdf;
        });
        test::WhenOpen<frmPrint> script([&](frmPrint& d) {
            choose(d);
            test::Click(d.Command2);
        });
        window->mnuFilePrint->trigger();
        InstallFileDialogAnswerer(previous);
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_TRUE(requests[0].Save);
        EXPECT_EQ(requests[0].DefaultExtension, "pdf");
    }
};

TEST_F(ReportPdfTest, WholeReportOfTheBuiltInWall) {
    test::MessageRecorder messages;
    const std::string pdf = dir.File("report.pdf");
    PrintFromMainWindow(pdf, [](frmPrint& d) { test::Click(d.Command4); });
    ASSERT_TRUE(std::filesystem::exists(pdf));
    EXPECT_TRUE(messages.Messages.empty());

    const int pages = ReportPageCount(m);
    EXPECT_GT(pages, 5);
    EXPECT_EQ(test::PdfPageCount(pdf), pages);
    test::KeepPicture(pdf, "report-built-in-wall.pdf");

    const std::string text = test::CommandOutput("pdftotext -layout '" + pdf + "' -");
    for (const char* caption :
         {"Brindlemar", "Dimensions", "Properties", "Loads", "Reactions and restraints", "Stabilities",
          "Moment diagram", "Shear force diagram", "Normal force diagram", "Backfill earth:",
          "Rock (elastic)", "Load combinations", "Resistance/load ratio", "[Unnamed]"})
        EXPECT_NE(text.find(caption), std::string::npos) << caption;
    EXPECT_NE(text.find("Page 1 of " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)), std::string::npos);
    // the backfill's unit weight and the concrete's strength as entered
    EXPECT_NE(text.find("1.70"), std::string::npos);
    EXPECT_NE(text.find("300"), std::string::npos);
    // every combination's vertical force reaches the stability table
    const CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
    for (int i = 1; i <= set.CombinationCount; ++i)
        EXPECT_NE(text.find(Format(*m.CombinationTotalVerticalForces[static_cast<size_t>(i)], "#0.#0")),
                  std::string::npos)
            << i;
}

TEST_F(ReportPdfTest, CancelledFileNamePrintsNothing) {
    test::MessageRecorder messages;
    PrintFromMainWindow(std::nullopt, [](frmPrint& d) { test::Click(d.chkPrint[SectionDimensions]); });
    EXPECT_EQ(m.PrintConfirmed, True);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(ReportPdfTest, AFaultOfTheWallIsToldOncePerPrintCommand) {
    // beyond tan φ no seismic earth pressure exists: the dialog's page count,
    // every section of the job and the redraw after it all meet that fault
    m.SeismicIncluded = True;
    m.EnteredSeismicCoefficient = 0.6f;
    SetSeismicCoefficient(m);
    test::MessageRecorder messages;
    PrintFromMainWindow(dir.File("report.pdf"), [](frmPrint& d) { test::Click(d.Command4); });
    int told = 0;
    for (const test::RecordedMessage& message : messages.Messages) told += message.Text == SeismicAccelerationTooLarge;
    EXPECT_EQ(told, 1);
}

TEST_F(ReportPdfTest, UnwritableFileIsToldAndTheWindowCloses) {
    test::MessageRecorder messages;
    const std::string pdf = dir.File("no such folder/report.pdf");
    PrintFromMainWindow(pdf, [](frmPrint& d) { test::Click(d.chkPrint[SectionDimensions]); });
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Style, vbExclamation);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace brindlemar

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "platform/Printers.h"
#include "reports/ReportJob.h"
#include "ui/reports/frmPrint.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::Click;
using test::TypeInto;

class PrintDialogTest : public test::MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        CurrentPrinter::Get().Reset();
        CurrentPrinter::Get().Select(PdfPrinterName);
        CurrentPrinter::Get().SetPaperSize(9);
        // no test here prints: a file dialog would mean the report started
        previous_ = InstallFileDialogAnswerer([](const FileDialogRequest& r) {
            ADD_FAILURE() << "the report was started: " << r.Title;
            return std::optional<std::string>();
        });
    }
    void TearDown() override {
        InstallFileDialogAnswerer(previous_);
        MainWindowTest::TearDown();
    }
    std::unique_ptr<frmPrint> Open() { return test::OpenDialog<frmPrint>(m, window.get()); }
    FileDialogAnswerer previous_;
};

TEST_F(PrintDialogTest, OpensFromMenuAndToolButtonAndCancelPrintsNothing) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"menu", [this] { window->mnuFilePrint->trigger(); }},
        {"page setup", [this] { window->mnuFilePageSetup->trigger(); }},
        {"tool button", [this] { window->imgTool_Click(3); }},
    };
    for (const auto& [what, command] : commands) {
        SCOPED_TRACE(what);
        test::WhenOpen<frmPrint> script([](frmPrint& d) {
            EXPECT_EQ(d.windowTitle(), "Brindlemar: Print");
            Click(d.Command3);
        });
        command();
        EXPECT_TRUE(script.Ran());
        EXPECT_EQ(m.PrintConfirmed, False);
    }
}

TEST_F(PrintDialogTest, SectionBoxesCountThePages) {
    auto d = Open();
    EXPECT_EQ(d->Label10->text(), "Pages: 0");
    EXPECT_FALSE(d->Command2->isEnabled());
    Click(d->chkPrint[SectionDimensions]);
    EXPECT_EQ(d->Label10->text(), "Pages: 1");
    EXPECT_TRUE(d->Command2->isEnabled());
    EXPECT_EQ(m.PrintDimensions, 1);
    Click(d->chkPrint[SectionDimensions]);
    EXPECT_EQ(d->Label10->text(), "Pages: 0");
    EXPECT_FALSE(d->Command2->isEnabled());

    Click(d->Command4);
    for (int section = 0; section <= 6; ++section) EXPECT_EQ(SectionSwitch(m, section), 1) << section;
    EXPECT_EQ(d->Label10->text(), QString("Pages: %1").arg(ReportPageCount(m)));
    d->reject();
    // the switches stay for the next opening, and a new project keeps them
    m.ProjectModified = False;
    window->mnuFileNew->trigger();
    auto again = Open();
    for (int section = 0; section <= 6; ++section) EXPECT_TRUE(again->chkPrint[section]->isChecked());
    again->reject();
}

TEST_F(PrintDialogTest, TabWalksTheSectionBoxesDownEachColumn) {
    auto d = Open();
    QStringList stops;
    for (QWidget* w = d->chkPrint[SectionDimensions]; w != d->Command4; w = w->nextInFocusChain()) {
        if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) stops << w->property("text").toString();
        ASSERT_LT(stops.size(), 20) << "the chain never reaches \"Select All\"";
    }
    EXPECT_EQ(stops, QStringList({"Dimensions", "Properties", "Loads", "Reactions, resistances", "Stability analysis",
                                  "Force diagrams", "Reinforcement design"}));
}

TEST_F(PrintDialogTest, MarginBoxesAreClampedWhenLeft) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {{"ab", "5"}, {".5", "5"}, {"", "5"}, {"70", "50"}, {"4", "5"}, {"50", "50"}, {"5", "5"},
                 {"9.", "9"}, {"123", "12"}};
    auto d = Open();
    for (const Case& c : cases) {
        TypeInto(d->txtMargin[1], c.typed);
        Click(d->txtMargin[2]);
        EXPECT_EQ(d->txtMargin[1]->text(), c.shown) << c.typed;
        EXPECT_EQ(d->LastFocusCode, 1);
    }
    d->reject();
}

TEST_F(PrintDialogTest, ClosingStoresTheSettingsAndMarksOnlyChanges) {
    m.PageMarginRight = 60;  // read from a file: kept while its box is not entered
    // a first closing takes a font the machine has
    Open()->reject();
    struct Case {
        const char* typed;
        int16_t stored;
        bool modified;
    } cases[] = {{"25", 25, false}, {"9", 9, true}};
    for (const Case& c : cases) {
        m.ProjectModified = False;
        auto d = Open();
        EXPECT_EQ(d->txtMargin[2]->text(), "60");
        TypeInto(d->txtMargin[1], c.typed);
        d->reject();  // cancel stores as the Print button does
        EXPECT_EQ(m.PageMarginLeft, c.stored);
        EXPECT_EQ(m.PageMarginRight, 60);
        EXPECT_EQ(m.ProjectModified != False, c.modified) << c.typed;
        EXPECT_EQ(m.PrintConfirmed, False);
    }
}

TEST_F(PrintDialogTest, FontSizeOutsideTheListIsNormalised) {
    const struct {
        float stored;
        int item;
        float after;
        bool modified;
    } cases[] = {{10, 4, 10, false}, {14, 5, 11, true}, {5.5f, 5, 11, true}};
    for (const auto& c : cases) {
        m.ReportFontSize = c.stored;
        m.ProjectModified = False;
        auto d = Open();
        EXPECT_EQ(d->Combo4->currentIndex(), c.item);
        m.ReportFontName = d->Combo3->currentText().toStdString();
        d->reject();
        EXPECT_EQ(m.ReportFontSize, c.after);
        EXPECT_EQ(m.ProjectModified != False, c.modified) << c.stored;
        EXPECT_EQ(m.TextFontName, m.ReportFontName);
    }
}

TEST_F(PrintDialogTest, SavedFontKeptOrReplacedByTheFirstUsualFace) {
    const struct {
        const char* saved;
        const char* chosen;
        bool modified;
    } cases[] = {{"Arial", "Arial", false}, {"No Such Face", "Arial", true}, {"Courier New", "Courier New", false},
                 {"", "Arial", false}};  // none chosen yet: the program's first choice
    for (const auto& c : cases) {
        m.ReportFontName = c.saved;
        m.ReportFontSize = 10;
        m.ProjectModified = False;
        auto d = Open();
        EXPECT_EQ(d->Combo3->currentText(), c.chosen);
        EXPECT_EQ(d->lblSample->font().family(), c.chosen);
        d->reject();
        EXPECT_EQ(m.ReportFontName, c.chosen);
        EXPECT_EQ(m.TextFontName, c.chosen);
        EXPECT_EQ(m.ProjectModified != False, c.modified) << c.saved;
    }
}

TEST_F(PrintDialogTest, TokenButtonsTypeIntoTheLastFooterBox) {
    auto d = Open();
    // nothing has lost the focus yet: nothing happens
    Click(d->cmdFooter[1]);
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(d->txtFooter[i]->Text().toStdString(), m.FooterTexts[static_cast<size_t>(i)]);

    d->txtFooter[2]->setFocus();
    d->txtFooter[2]->clear();
    QTest::keyClicks(d->txtFooter[2], "On ");
    Click(d->cmdFooter[1]);
    EXPECT_EQ(d->txtFooter[2]->Text(), "On &Date");
    Click(d->cmdFooter[5]);
    EXPECT_EQ(d->txtFooter[2]->Text(), "On &Date&NPages");
    EXPECT_TRUE(d->txtFooter[2]->hasFocus());

    // the last focus in a margin box only takes the focus back there
    d->txtMargin[3]->setFocus();
    d->txtFooter[3]->setFocus();
    d->txtMargin[3]->setFocus();
    Click(d->cmdFooter[2]);
    EXPECT_TRUE(d->txtMargin[3]->hasFocus());
    EXPECT_EQ(d->txtFooter[3]->Text().toStdString(), m.FooterTexts[3]);

    // a box holding 46 characters takes the first four of a token
    d->txtFooter[1]->setPlainText(QString(46, 'x'));
    d->txtFooter[1]->setFocus();
    d->txtFooter[1]->moveCursor(QTextCursor::End);
    Click(d->cmdFooter[3]);
    EXPECT_EQ(d->txtFooter[1]->Text(), QString(46, 'x') + "&Fil");
    QTest::keyClicks(d->txtFooter[1], "more");
    EXPECT_EQ(d->txtFooter[1]->Text().size(), 50);
    d->reject();
    EXPECT_EQ(m.FooterTexts[2], "On &Date&NPages");
}

TEST_F(PrintDialogTest, PaperListGivesThePrinterItsCode) {
    test::MessageRecorder messages;
    auto d = Open();
    EXPECT_EQ(d->Combo1->currentText().toStdString(), PdfPrinterName);
    EXPECT_EQ(d->Combo2->currentText(), "A4, 210 x 297 mm");
    EXPECT_EQ(d->Combo2->count(), 42);
    const struct {
        int index;
        int code;
    } cases[] = {{27, 28}, {28, 29}, {29, 30}, {0, 1}, {7, 8}};
    for (const auto& c : cases) {
        d->Combo2->setCurrentIndex(c.index);
        EXPECT_EQ(CurrentPrinter::Get().PaperSize(), c.code) << c.index;
        EXPECT_FALSE(CurrentPrinter::Get().TrackDefault);
    }
    EXPECT_TRUE(messages.Messages.empty());
    // a file has no paper of its own size: said, and the list returns
    d->Combo2->setCurrentIndex(41);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, "Printer: Paper size not supported");
    EXPECT_EQ(messages.Messages[0].Style, vbExclamation);
    EXPECT_EQ(d->Combo2->currentIndex(), 7);
    d->reject();
}

TEST_F(PrintDialogTest, PrinterSetupCancelledOrUnknownLeavesThePrinter) {
    test::MessageRecorder messages;
    std::vector<PrinterSetupRequest> requests;
    std::optional<PrinterSetupAnswer> answer;
    const PrinterSetupAnswerer previous = InstallPrinterSetupAnswerer([&](const PrinterSetupRequest& r) {
        requests.push_back(r);
        return answer;
    });
    window->mnuFilePrinterSetup->trigger();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].PrinterName, PdfPrinterName);
    EXPECT_EQ(requests[0].Flags, 576);
    answer = PrinterSetupAnswer{"pdf FILE", 9};
    window->mnuFilePrinterSetup->trigger();
    EXPECT_EQ(CurrentPrinter::Get().DeviceName(), PdfPrinterName);
    EXPECT_TRUE(messages.Messages.empty());

    // from the print dialog: the paper chosen in the setup dialog is taken
    auto d = Open();
    answer = PrinterSetupAnswer{PdfPrinterName, 11};
    Click(d->Command1);
    EXPECT_EQ(requests.back().PaperSize, 9);
    EXPECT_EQ(CurrentPrinter::Get().PaperSize(), 11);
    EXPECT_EQ(d->Combo2->currentIndex(), 10);
    answer.reset();
    Click(d->Command1);
    EXPECT_TRUE(CurrentPrinter::Get().TrackDefault);
    EXPECT_TRUE(messages.Messages.empty());
    d->reject();
    InstallPrinterSetupAnswerer(previous);
}

}  // namespace
}  // namespace brindlemar

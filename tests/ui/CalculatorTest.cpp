// The soil-pressure calculator as a user meets it: opened from the main
// window, edited box by box, printed to a PDF file.

#include <QLineEdit>
#include <QProcess>
#include <QPrinter>
#include <QPushButton>
#include <QtTest/QTest>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "model/Units.h"
#include "ui/calculator/frmCalculator.h"
#include "platform/FileDialogs.h"
#include "platform/Printers.h"
#include "platform/Refusal.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

class CalculatorTest : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        dialog = test::OpenDialog<frmCalculator>(m, window.get());
    }
    void TearDown() override {
        dialog.reset();
        MainWindowTest::TearDown();
    }

    // Types over box i and presses Enter.
    void Enter(int i, const QString& text) {
        dialog->txtValue[i]->setFocus();
        dialog->txtValue[i]->selectAll();
        QTest::keyClicks(dialog->txtValue[i], text);
        QTest::keyClick(dialog->txtValue[i], Qt::Key_Return);
    }
    // Runs `print` with the calculator's page going to the A4 PDF file `pdf`.
    static void PrintToPdf(const QString& pdf, const std::function<void()>& print) {
        const auto keep = frmCalculator::Printer();
        frmCalculator::Printer() = [pdf] {
            auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
            printer->setOutputFormat(QPrinter::PdfFormat);
            printer->setOutputFileName(pdf);
            printer->setPageSize(QPageSize(QPageSize::A4));
            return printer;
        };
        print();
        frmCalculator::Printer() = keep;
    }
    QString Box(int i) { return dialog->txtValue[i]->text(); }
    QString Column(const std::array<QLabel*, 10>& column, int e) { return column[e]->text(); }

    std::unique_ptr<frmCalculator> dialog;
};

TEST_F(MainWindowTest, CalculatorOpensModallyFromTheMenuAndTheToolButton) {
    test::MessageRecorder messages;
    ASSERT_TRUE(window->mnuCalculateCalcu->isEnabled());
    ASSERT_TRUE(window->imgTool[9]->isEnabled());
    EXPECT_EQ(window->mnuCalculateCalcu->text(), "Soil pressure ca&lculator");
    EXPECT_EQ(window->imgTool[9]->toolTip(), "Soil pressure calculator");
    const Model before = m;
    for (const std::function<void()>& open : {std::function<void()>([&] { window->mnuCalculateCalcu->trigger(); }),
                                             std::function<void()>([&] { window->imgTool_Click(9); })}) {
        test::WhenOpen<frmCalculator> opened([&](frmCalculator& d) {
            EXPECT_TRUE(d.isModal());
            EXPECT_EQ(d.windowTitle(), "Brindlemar: Soil pressure calculator");
            // the built-in wall's backfill, with its results already shown
            EXPECT_EQ(d.txtValue[FrictionAngleInput]->text().toStdString(), InputText(m.BackfillFrictionAngle, FrictionAngleInput, Metric));
            EXPECT_EQ(d.txtValue[SoilDepthInput]->text().toStdString(), InputText(m.BackStemHeight, SoilDepthInput, Metric));
            EXPECT_FALSE(d.lblResultA1[0]->text().isEmpty());
            EXPECT_FALSE(d.lblResultR[9]->text().isEmpty());
            // an edit lives only in the dialog
            d.txtValue[WetDensityInput]->setFocus();
            d.txtValue[WetDensityInput]->setText("3");
            int enter = 13;
            d.txtValue_KeyPress(WetDensityInput, enter);
            EXPECT_EQ(d.Inputs.WetDensity, 3.0f);
        }, &frmCalculator::Command1);
        open();
    }
    EXPECT_EQ(m.BackfillUnitWeight, before.BackfillUnitWeight);
    EXPECT_EQ(m.BackStemHeight, before.BackStemHeight);
    EXPECT_EQ(m.BackWaterDepth, before.BackWaterDepth);
    EXPECT_EQ(m.ProjectModified, before.ProjectModified);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(CalculatorTest, TypedInputsShowTheHandCalculatedResults) {
    // Metric, level ground, vertical smooth face (worked in
    // tests/calculator/hand_calc_soil_pressure.py)
    const char* const typed[12] = {"1.8", "2", "1", "30", "0", "0", "0", "0", "6", "2", "1", "0.15"};
    for (int i = 0; i < 12; ++i) Enter(i, typed[i]);
    EXPECT_FALSE(dialog->InputChanged);
    const char* const active[10] = {"0.333", "0.33", "1.53", "2.87", "1.87", "1.21", "8.80", "4.20", "10.67", "3.68"};
    const char* const activeSeismic[10] = {"0.433", "1.41", "2.25/2.33", "2.87", "3.66",
                                           "1.08",  "10.39", "4.07",     "14.05", "3.29"};
    const char* const passive[10] = {"3.000", "3.00", "13.80", "25.80", "16.80", "1.21", "79.20", "4.20", "96.00", "3.68"};
    const char* const passiveSeismic[10] = {"2.727", "2.73",  "12.55/12.55", "23.45", "15.27",
                                            "1.21",  "72.00", "4.20",        "87.27", "3.68"};
    const char* const atRest[10] = {"0.500", "0.50", "2.30", "4.30", "2.80", "1.21", "13.20", "4.20", "16.00", "3.68"};
    for (int e = 0; e < 10; ++e) {
        EXPECT_EQ(Column(dialog->lblResultA1, e), active[e]) << e;
        EXPECT_EQ(Column(dialog->lblResultA2, e), activeSeismic[e]) << e;
        EXPECT_EQ(Column(dialog->lblResultP1, e), passive[e]) << e;
        EXPECT_EQ(Column(dialog->lblResultP2, e), passiveSeismic[e]) << e;
        EXPECT_EQ(Column(dialog->lblResultR, e), atRest[e]) << e;
    }
    const char* const singles[4] = {"0.00", "4.00", "8.00", "4.67"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(dialog->lblResult[i]->text(), singles[i]) << i;
    EXPECT_EQ(dialog->lblUnit[WetDensityInput]->text(), QString::fromUtf8("T/m\u00B3"));
    EXPECT_EQ(dialog->lblUnitResultB[8]->text(), "T/m");
    EXPECT_EQ(dialog->lblUnit[SeismicCoefficientInput]->text(), "");

    if (const char* folder = std::getenv("BRINDLEMAR_PICTURES"); folder && *folder)
        dialog->grab().save(QString("%1/calculator.png").arg(folder));
}

TEST_F(CalculatorTest, RefusedInputBeepsKeepsTheFocusAndComputesNothing) {
    test::MessageRecorder messages;
    const std::string angle = "Type an angle of 0 or more and less than 90";
    struct Case {
        int box;
        const char* bad;
        std::string reason;
        const char* good;
    };
    const Case cases[] = {
        {SoilDepthInput, "abc", "\"abc\" is no number: type digits and a decimal point, such as 2.5", "6"},
        {SoilDepthInput, "-1", "Type a number of 0 or more", "4"},
        // a friction angle of 90 or more has no tangent, or pushes
        {FrictionAngleInput, "90", angle, "35"},
        {WallFrictionAngleInput, "95", angle, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bad);
        const float kept = InputValue(dialog->Inputs, c.box);
        const QString before = Column(dialog->lblResultA1, 8);
        Enter(c.box, c.bad);
        EXPECT_EQ(Box(c.box), c.bad);
        EXPECT_EQ(InputValue(dialog->Inputs, c.box), kept);
        EXPECT_TRUE(dialog->InputChanged);
        EXPECT_EQ(m.DialogCancelled, True);
        // no result stands beside an entry it is not of
        EXPECT_EQ(Column(dialog->lblResultA1, 8), "");
        EXPECT_EQ(dialog->lblResult[0]->text(), "");
        EXPECT_TRUE(IsMarkedRefused(dialog->txtValue[c.box]));
        EXPECT_EQ(dialog->txtValue[c.box]->toolTip().toStdString(), c.reason);
        // leaving the box for another box is refused too
        dialog->txtValue[CohesionInput]->setFocus();
        EXPECT_TRUE(dialog->txtValue[c.box]->hasFocus());

        Enter(c.box, c.good);
        EXPECT_FALSE(IsMarkedRefused(dialog->txtValue[c.box]));
        EXPECT_EQ(m.DialogCancelled, False);
        EXPECT_EQ(InputValue(dialog->Inputs, c.box), QString(c.good).toFloat());
        EXPECT_NE(Column(dialog->lblResultA1, 8), before);
        EXPECT_FALSE(dialog->InputChanged);
    }
    EXPECT_EQ(messages.Beeps, 2 * static_cast<int>(std::size(cases)));
    // Enter with nothing changed does nothing
    m.DialogCancelled = True;
    int enter = 13;
    dialog->txtValue_KeyPress(SoilDepthInput, enter);
    EXPECT_EQ(m.DialogCancelled, True);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_F(CalculatorTest, WaterTableStaysWithinTheSoilAndValuesAreStoredAsTyped) {
    Enter(SoilDepthInput, "6");
    Enter(WaterTableDepthInput, "9");
    EXPECT_EQ(Box(WaterTableDepthInput), "6.00");
    EXPECT_EQ(dialog->Inputs.WaterTableDepth, 6.0f);
    EXPECT_EQ(dialog->lblResult[1]->text(), "0.00");  // no water below the soil
    Enter(WaterTableDepthInput, "3");
    Enter(SoilDepthInput, "2.5");
    EXPECT_EQ(Box(WaterTableDepthInput), "2.50");
    EXPECT_EQ(dialog->Inputs.WaterTableDepth, 2.5f);
    Enter(SurchargeLoadInput, "0.125");
    EXPECT_EQ(Box(SurchargeLoadInput), "0.13");
    EXPECT_EQ(dialog->Inputs.SurchargeLoad, 0.125f);
}

// British unit weights are about 0.1 Kip/ft³: a box left alone keeps the
// wall's value, a typed one keeps every digit typed.
TEST_F(CalculatorTest, BritishUnitWeightsKeepTheirDigits) {
    dialog.reset();
    m.PreviousUnitSystem = Metric;
    m.CurrentUnitSystem = British;
    ConvertUnits(m);
    dialog = test::OpenDialog<frmCalculator>(m, window.get());
    EXPECT_EQ(Box(WetDensityInput), "0.106");
    const QString force = Column(dialog->lblResultA1, 8);
    dialog->txtValue[WetDensityInput]->setFocus();
    dialog->txtValue[SaturatedDensityInput]->setFocus();
    EXPECT_EQ(dialog->Inputs.WetDensity, m.BackfillUnitWeight);
    EXPECT_EQ(Column(dialog->lblResultA1, 8), force);
    Enter(WaterDensityInput, "0.0625");
    EXPECT_EQ(dialog->Inputs.WaterDensity, 0.0625f);
    EXPECT_EQ(Box(WaterDensityInput), "0.0625");
}

// Print prints what the boxes show: an edit not yet entered is taken first,
// whether the focus moved to Print or Print was clicked; one it refuses
// prints nothing and is told once.
TEST_F(CalculatorTest, PrintTakesWhatTheBoxesShowFirst) {
    test::TempDir folder;
    test::MessageRecorder messages;
    const QString pdf = QString::fromStdString((folder.Path() / "calculator.pdf").string());
    // Tab out of the last box, toward the buttons
    dialog->txtValue[SeismicCoefficientInput]->setFocus();
    dialog->txtValue[SeismicCoefficientInput]->selectAll();
    QTest::keyClicks(dialog->txtValue[SeismicCoefficientInput], "0.2");
    QTest::keyClick(dialog->txtValue[SeismicCoefficientInput], Qt::Key_Tab);
    EXPECT_EQ(dialog->Inputs.SeismicCoefficient, 0.2f);
    dialog->txtValue[SeismicCoefficientInput]->setFocus();
    dialog->txtValue[SeismicCoefficientInput]->selectAll();
    QTest::keyClicks(dialog->txtValue[SeismicCoefficientInput], "0.25");
    PrintToPdf(pdf, [this] { QTest::mouseClick(dialog->Command2, Qt::LeftButton); });

    EXPECT_EQ(dialog->Inputs.SeismicCoefficient, 0.25f);
    EXPECT_EQ(Box(SeismicCoefficientInput), "0.25");
    EXPECT_EQ(dialog->windowTitle(), "Brindlemar: Soil pressure calculator");
    EXPECT_EQ(messages.BusyDepth, 0);
    EXPECT_TRUE(messages.Messages.empty());
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& wanted : {QString("SOIL PRESSURE"), QString("Calculator"), QString("Brindlemar"),
                                  QString("0.25"), QString("Pressure coefficient (K) ="),
                                  dialog->lblResultA1[0]->text(), dialog->lblResultA2[0]->text(),
                                  dialog->lblResultP2[2]->text(), dialog->lblResultR[8]->text(),
                                  QString::fromUtf8("- Wet density of soil (\u03B3) ="),
                                  QString::fromUtf8("(\u03B8 + \u03B4)")})
        EXPECT_TRUE(page.contains(wanted)) << wanted.toStdString();
    EXPECT_FALSE(page.contains("0.15"));
    if (const char* pictures = std::getenv("BRINDLEMAR_PICTURES"); pictures && *pictures)
        QProcess::execute("pdftoppm", {"-png", "-r", "80", "-f", "1", "-l", "1", pdf,
                                       QString("%1/calculator-report").arg(pictures)});

    // a refused text: nothing printed, one beep, the box marked
    const QString refused = QString::fromStdString((folder.Path() / "refused.pdf").string());
    dialog->txtValue[SoilDepthInput]->setFocus();
    dialog->txtValue[SoilDepthInput]->selectAll();
    QTest::keyClicks(dialog->txtValue[SoilDepthInput], "abc");
    PrintToPdf(refused, [this] { QTest::mouseClick(dialog->Command2, Qt::LeftButton); });
    EXPECT_FALSE(std::filesystem::exists(refused.toStdString()));
    EXPECT_EQ(messages.Beeps, 1);
    EXPECT_TRUE(IsMarkedRefused(dialog->txtValue[SoilDepthInput]));
}

TEST_F(CalculatorTest, APrinterThatCannotPrintIsToldAndTheDialogComesBack) {
    test::MessageRecorder messages;
    PrintToPdf("/no/such/folder/calculator.pdf", [this] { dialog->Command2->click(); });
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Style, vbExclamation);
    EXPECT_EQ(messages.BusyDepth, 0);
    EXPECT_EQ(dialog->windowTitle(), "Brindlemar: Soil pressure calculator");
}

// The page goes to the printer chosen for the report; the PDF file printer
// asks for its file first, and a cancelled file dialog prints nothing.
TEST_F(CalculatorTest, PrintFollowsTheChosenPrinter) {
    test::TempDir folder;
    const std::string pdf = (folder.Path() / "chosen.pdf").string();
    CurrentPrinter::Get().Select(PdfPrinterName);
    for (bool named : {false, true}) {
        SCOPED_TRACE(named ? "file named" : "file dialog cancelled");
        int asked = 0;
        const FileDialogAnswerer previous = InstallFileDialogAnswerer([&](const FileDialogRequest& r) {
            ++asked;
            EXPECT_EQ(r.DefaultExtension, "pdf");
            return named ? std::optional<std::string>(pdf) : std::nullopt;
        });
        test::MessageRecorder messages;
        dialog->Command2->click();
        InstallFileDialogAnswerer(previous);
        EXPECT_EQ(asked, 1);
        EXPECT_TRUE(messages.Messages.empty());
        EXPECT_EQ(messages.BusyDepth, 0);
        EXPECT_EQ(std::filesystem::exists(pdf), named);
        EXPECT_EQ(dialog->windowTitle(), "Brindlemar: Soil pressure calculator");
    }
    CurrentPrinter::Get().Reset();

    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    ASSERT_TRUE(text.waitForFinished(20000));
    EXPECT_TRUE(QString::fromUtf8(text.readAllStandardOutput()).contains("SOIL PRESSURE"));
}

TEST_F(CalculatorTest, UnitLabelsFollowTheProjectUnits) {
    m.CurrentUnitSystem = SI;
    dialog->SetUnitLabels();
    EXPECT_EQ(dialog->lblUnit[WetDensityInput]->text(), QString::fromUtf8("kN/m\u00B3"));
    EXPECT_EQ(dialog->lblUnit[CohesionInput]->text(), "MPa");
    EXPECT_EQ(dialog->lblUnitResultB[4]->text(), "kN/m");
    EXPECT_EQ(dialog->lblUnitResult[2]->text(), "kN/m");
    EXPECT_EQ(dialog->lblUnitResultB[0]->text(), "");
}

}  // namespace
}  // namespace brindlemar

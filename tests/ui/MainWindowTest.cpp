#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest/QTest>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "UiTestSupport.h"
#include "platform/Panel3D.h"
#include "platform/Shell.h"
#include "support/MessageRecorder.h"
#include "ui/dialogs/frmLoads.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

TEST_F(MainWindowTest, StartsWithTheBuiltInWallAndItsStatus) {
    EXPECT_EQ(window->windowTitle(), "Brindlemar 2.60");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(m.FileTypeTitle, "Brindlemar Input Data");
    EXPECT_EQ(m.TextFontName, "Arial");  // Liberation Sans stands in for it
    // the dimensions view is chosen as the window first shows
    EXPECT_TRUE(window->optView[0]->isChecked());
    EXPECT_EQ(m.ViewDimensions, True);
    EXPECT_TRUE(window->mnuViewItems[0]->isChecked());
    // the first combination of the first set is analysed
    EXPECT_EQ(m.CurrentLoadCombination.Name, "Sliding and eccentricity");
    const QString verdict = window->Label5->text();
    EXPECT_TRUE(verdict == "STABLE" || verdict == "NOT STABLE");
    EXPECT_EQ(verdict == "STABLE", m.WallStable != 0);
    if (m.WallStable != 0) {
        EXPECT_TRUE(StatusLine().startsWith("[Resistance/load ratios: bearing = ")) << StatusLine().toStdString();
    }
    EXPECT_EQ(m.ProjectModified, False);
}

TEST_F(MainWindowTest, EveryControlAndMenuItemCarriesItsName) {
    const char* const widgets[] = {"Panel3D4", "Command2", "Command3", "Command6", "Command4", "Command5", "Panel3D2",
                                   "Label4",   "Text1",    "Panel3D1", "Picture1", "lblSlope", "Panel3D3", "Picture4",
                                   "Label5",   "Label1",   "Combo1a",  "Line1",    "Label2",   "Label9",   "Line2",
                                   "Label7",   "Check1",   "Check2",   "Label8",   "Check3",   "Line3",    "Picture3",
                                   "Label10",  "optLoad_0", "optLoad_1", "Label11", "Combo2",  "Label12",  "Combo3"};
    for (const char* name : widgets) Find(name);
    for (int i = 0; i <= 10; ++i) {
        Find(QString("ToolPanel_%1").arg(i));
        Find(QString("imgTool_%1").arg(i));
    }
    for (int i = 0; i < 20; ++i) Find(QString("lblDim_%1").arg(i));
    for (int i = 0; i < 6; ++i) Find(QString("Label6_%1").arg(i));
    for (int i = 0; i < 14; ++i) Find(QString("optView_%1").arg(i));

    const char* const actions[] = {
        "mnuFileNew", "mnuFileOpen", "mnuFileSave", "mnuFileSaveAs", "mnuFilePageSetup", "mnuFilePrint",
        "mnuFilePrinterSetup", "mnuFileExit", "mnuEditProperties", "mnuEditLoads", "mnuEditRestraint",
        "mnuViewDimensions", "mnuViewDead", "mnuViewLive", "mnuViewSoil", "mnuViewWater", "mnuViewEquip",
        "mnuViewImpact", "mnuViewSeismic", "mnuViewLoads", "mnuViewReaction", "mnuViewRestraint",
        "mnuViewDiagramMoment", "mnuViewDiagramShear", "mnuViewDiagramNormal", "mnuCalculateStability",
        "mnuCalculateConcrete", "mnuCalculateCalcu", "mnuUnitMetric", "mnuUnitSI", "mnuUnitBritish",
        "mnuOptionWater", "mnuOptionSeismic", "mnuOptionKey", "mnuHelpRet", "mnuAbout"};
    for (const char* name : actions) Find<QAction>(name);

    QStringList menus;
    for (QAction* top : window->menuBar()->actions()) menus << top->text();
    EXPECT_EQ(menus, QStringList({"&File", "&Edit", "&View", "&Calculate", "&Options", "&Help"}));
    EXPECT_EQ(Find<QAction>("mnuViewRestraint")->text(), "Resis&tances");
    EXPECT_EQ(window->imgTool[6]->toolTip(), "Add or remove sliding restraints");
}

TEST_F(MainWindowTest, SelectorsListUnitsViewsSetsAndCombinations) {
    ASSERT_EQ(window->Combo1a->count(), 3);
    EXPECT_EQ(window->Combo1a->itemText(0), "Metric");
    EXPECT_EQ(window->Combo1a->itemText(1), "SI");
    EXPECT_EQ(window->Combo1a->itemText(2), "British");
    EXPECT_EQ(window->Combo1a->currentIndex(), m.CurrentUnitSystem);
    EXPECT_TRUE(window->mnuUnitMetric->isChecked());
    EXPECT_FALSE(window->mnuUnitSI->isChecked());

    // the hidden "ASD" set is never listed
    ASSERT_EQ(window->Combo2->count(), m.CombinationSetCount - 1);
    EXPECT_EQ(window->Combo2->itemText(0), "Unfactored");
    EXPECT_EQ(window->Combo2->currentIndex(), 0);
    ASSERT_EQ(window->Combo3->count(), 2);
    EXPECT_EQ(window->Combo3->itemText(0), "Sliding and eccentricity");
    EXPECT_EQ(window->Combo3->itemText(1), "Bearing and reinforcement");
    EXPECT_EQ(window->Combo3->currentIndex(), 0);

    const char* const captions[14] = {"Dimensions", "Dead", "Live", "Soil", "Water", "Structural", "Impact",
                                      "Seismic", "Reactions", "Resistances", "Loads", "Moment", "Shear", "Normal"};
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(window->optView[i]->text(), captions[i]);
        EXPECT_EQ(window->optView[i]->isVisible(), i == 0 || i >= 8) << i;
    }
    // the load option shown is that of the combination analysed: the set's in the lists
    EXPECT_TRUE(window->optLoad[LRFD]->isChecked() && !window->optLoad[ASD]->isChecked());
    EXPECT_TRUE(window->Combo2->isEnabled());
    EXPECT_EQ(window->Label8->text(), "0.15g");
    EXPECT_TRUE(window->Check1->isChecked());
    EXPECT_TRUE(window->Check2->isChecked());
    EXPECT_TRUE(window->Check3->isChecked());
}

TEST_F(MainWindowTest, SwitchingUnitsConvertsAndKeepsTheRatios) {
    const float toe = m.ToeLength;
    const double bearing = m.BearingResistanceRatio, sliding = m.SlidingResistanceRatio,
                 eccentricity = m.EccentricityFromMidbase / m.AnalysisBaseWidth;
    const QString line = StatusLine();
    QStringList ratioTexts;
    for (int i = 1; i <= 4; ++i) ratioTexts << window->Label6[i]->text();

    window->mnuUnitBritish->trigger();
    EXPECT_EQ(m.CurrentUnitSystem, British);
    EXPECT_EQ(m.PreviousUnitSystem, Metric);
    EXPECT_EQ(window->Combo1a->currentIndex(), British);
    EXPECT_TRUE(window->mnuUnitBritish->isChecked());
    EXPECT_FALSE(window->mnuUnitMetric->isChecked());
    EXPECT_NEAR(m.ToeLength, toe / 0.3048, 1e-3);
    EXPECT_EQ(m.ProjectModified, True);
    // the same wall in other units: the ratios agree to three digits
    EXPECT_NEAR(m.BearingResistanceRatio, bearing, 5e-4 * bearing);
    EXPECT_NEAR(m.SlidingResistanceRatio, sliding, 5e-4 * sliding);
    EXPECT_NEAR(m.EccentricityFromMidbase / m.AnalysisBaseWidth, eccentricity, 5e-4 * std::fabs(eccentricity) + 1e-7);
    for (int i = 1; i <= 4; ++i) EXPECT_EQ(window->Label6[i]->text(), ratioTexts[i - 1]) << i;
    EXPECT_TRUE(StatusLine().contains(" ft = ") || m.WallStable == 0) << StatusLine().toStdString();

    window->Combo1a->setCurrentIndex(Metric);
    emit window->Combo1a->activated(Metric);
    EXPECT_EQ(m.PreviousUnitSystem, British);
    EXPECT_NEAR(m.ToeLength, toe, 1e-5);
    EXPECT_EQ(StatusLine(), line);

    // the unit in use chosen again converts nothing but marks the project
    const float metricToe = m.ToeLength;
    m.ProjectModified = False;
    window->mnuUnitMetric->trigger();
    EXPECT_EQ(m.ToeLength, metricToe);
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_TRUE(window->mnuUnitMetric->isChecked());
}

TEST_F(MainWindowTest, WaterOffAndOnRestoresTheEnteredDepths) {
    const float front = m.EnteredFrontWaterDepth, back = m.EnteredBackWaterDepth;
    ASSERT_GT(front, 0);
    const float base = m.FrontStemHeight + m.ToeTopDrop + m.ToeTipThickness;

    window->Check1->click();
    EXPECT_EQ(m.WaterIncluded, False);
    EXPECT_FALSE(window->mnuOptionWater->isChecked());
    EXPECT_FLOAT_EQ(m.FrontWaterDepth, base);
    EXPECT_FLOAT_EQ(m.BackWaterDepth, base);
    EXPECT_EQ(m.ProjectModified, True);

    window->mnuOptionWater->trigger();
    EXPECT_EQ(m.WaterIncluded, True);
    EXPECT_TRUE(window->Check1->isChecked());
    EXPECT_TRUE(window->mnuOptionWater->isChecked());
    EXPECT_FLOAT_EQ(m.FrontWaterDepth, front);
    EXPECT_FLOAT_EQ(m.BackWaterDepth, back);
}

TEST_F(MainWindowTest, SeismicAndShearKeySwitchesRedoTheAnalysis) {
    m.ProjectModified = False;
    const float sliding = m.SlidingResistanceRatio;
    window->mnuOptionSeismic->trigger();
    EXPECT_EQ(m.SeismicIncluded, False);
    EXPECT_EQ(m.AppliedSeismicCoefficient, 0);
    EXPECT_FALSE(window->Label8->isVisible());
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_GT(m.SlidingResistanceRatio, sliding);
    window->Check2->click();
    EXPECT_TRUE(window->Label8->isVisible());
    EXPECT_FLOAT_EQ(m.AppliedSeismicCoefficient, 0.15f);

    m.ProjectModified = False;
    window->Check3->click();
    EXPECT_EQ(m.ShearKeyIncluded, 0);
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_LT(m.SlidingResistanceRatio, sliding);
    window->mnuOptionKey->trigger();
    EXPECT_EQ(m.ShearKeyIncluded, 1);  // 1, not -1
    EXPECT_TRUE(window->mnuOptionKey->isChecked());
}

TEST_F(MainWindowTest, AnotherCombinationChangesTheStatus) {
    const QString first = StatusLine() + window->Label5->text();
    window->Combo3->setCurrentIndex(1);
    emit window->Combo3->activated(1);
    EXPECT_EQ(m.CurrentCombination, 1);
    EXPECT_EQ(m.CurrentLoadCombination.Name, "Bearing and reinforcement");
    EXPECT_NE(StatusLine() + window->Label5->text(), first);
    // the lists do not mark the project
    EXPECT_EQ(m.ProjectModified, False);
}

TEST_F(MainWindowTest, AsdAnalysesTheHiddenSetThroughEveryRedraw) {
    window->optLoad[ASD]->click();
    EXPECT_FALSE(window->Combo2->isEnabled());
    EXPECT_FALSE(window->Combo3->isEnabled());
    EXPECT_EQ(m.CurrentLoadCombination.Name, "ASD");
    window->RedrawView();
    window->resize(window->width() + 40, window->height());
    EXPECT_EQ(m.CurrentLoadCombination.Name, "ASD");
    // the user's set and combination stay chosen for LRFD
    EXPECT_EQ(m.ActiveCombinationSet, 1);
    EXPECT_EQ(m.CurrentCombination, 0);
    EXPECT_EQ(m.ProjectModified, True);

    window->optLoad[LRFD]->click();
    EXPECT_TRUE(window->Combo3->isEnabled());
    EXPECT_EQ(m.CurrentLoadCombination.Name, "Sliding and eccentricity");

    // a wall shown anew (a file opened) shows, unmarked, the option it is
    // analysed with: ASD when it has no set of its own, else LRFD
    for (const int16_t sets : {3, 1}) {
        window->optLoad[sets == 1 ? LRFD : ASD]->click();
        m.CombinationSetCount = sets, m.ProjectModified = False;
        window->RefreshControlsFromModel();
        EXPECT_EQ(window->optLoad[LRFD]->isChecked() && window->Combo2->isEnabled(), sets > 1);
        EXPECT_EQ(m.CurrentLoadCombination.Name + (m.ProjectModified ? " modified" : ""), sets == 1 ? "ASD" : "Sliding and eccentricity");
    }
}

TEST_F(MainWindowTest, LoadTypeViewsAreChosenFromTheMenu) {
    window->mnuViewItems[1]->trigger();  // Dead loads
    EXPECT_TRUE(window->optView[1]->isChecked());
    EXPECT_EQ(m.ViewDead, True);
    for (int16_t* flag : {&m.ViewDimensions, &m.ViewLoads, &m.ViewReactions}) EXPECT_EQ(*flag, False);
    EXPECT_TRUE(window->mnuViewItems[1]->isChecked());
    window->mnuViewItems[1]->trigger();  // choosing it again keeps it
    EXPECT_TRUE(window->optView[1]->isChecked());
    EXPECT_EQ(m.ViewDead, True);

    window->mnuViewItems[12]->trigger();  // Shear
    EXPECT_TRUE(window->optView[12]->isChecked());
    EXPECT_EQ(m.ViewShear, True);
    EXPECT_EQ(m.ViewDead, False);
    EXPECT_TRUE(window->mnuViewItems[12]->isChecked());
    EXPECT_FALSE(window->mnuViewItems[1]->isChecked());
}

TEST_F(MainWindowTest, TabWalksTheViewButtonsAsTheyStand) {
    // the buttons in the focus chain, from Dimensions to the first option
    QStringList stops;
    for (QWidget* w = window->optView[0]; w != window->Check1; w = w->nextInFocusChain()) {
        if (w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus) stops << w->objectName();
        ASSERT_LT(stops.size(), 20) << "the chain never reaches the options";
    }
    EXPECT_EQ(stops, QStringList({"optView_0", "optView_10", "optView_8", "optView_9", "optView_11", "optView_12",
                                  "optView_13"}));

    // a view button has had the focus: Tab still stops on the load options
    ASSERT_TRUE(window->optLoad[LRFD]->isChecked());
    window->show();
    QApplication::setActiveWindow(window.get());
    window->optView[0]->setFocus();
    window->Check3->setFocus();
    QTest::keyClick(window->Check3, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->optLoad[LRFD]) << "on the option in use";
    // so into the views, on the one shown, and on out of them
    window->optView[10]->click();
    test::TabInto(window->optView[0]);
    EXPECT_EQ(QApplication::focusWidget(), window->optView[10]);
    QTest::keyClick(window->optView[10], Qt::Key_Tab);
    EXPECT_FALSE(QApplication::focusWidget()->objectName().startsWith("optView"));
}

TEST_F(MainWindowTest, TitleTypedMarksTheProjectButWritingItFromTheModelDoesNot) {
    m.ProjectTitle = "Quay wall \xBD";
    window->RefreshControlsFromModel();
    EXPECT_EQ(window->Text1->text(), QString::fromUtf8("Quay wall \u00BD"));
    EXPECT_EQ(m.ProjectModified, False);

    window->Text1->setText("Quay wall 2");
    EXPECT_EQ(m.ProjectTitle, "Quay wall 2");
    EXPECT_EQ(m.ProjectModified, True);
}

TEST_F(MainWindowTest, ToolButtonsLookPressedRaisedAndNormal) {
    const int offset = window->imgTool[10]->x();
    window->imgTool_MouseDown(10);
    EXPECT_EQ(window->ToolPanel[10]->BevelOuter(), Panel3D::Inset);
    EXPECT_GT(window->imgTool[10]->x(), offset);
    window->imgTool_MouseMove(10);
    EXPECT_EQ(window->ToolPanel[10]->BevelOuter(), Panel3D::Raised);
    EXPECT_EQ(window->imgTool[10]->x(), offset);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window->Picture1, &move);
    EXPECT_EQ(window->ToolPanel[10]->BevelOuter(), Panel3D::None);

    // a greyed command's button shows no look
    window->mnuFilePrint->setEnabled(false);
    ASSERT_FALSE(window->imgTool[3]->isEnabled());
    window->imgTool_MouseDown(3);
    window->imgTool_MouseMove(3);
    EXPECT_EQ(window->ToolPanel[3]->BevelOuter(), Panel3D::None);
}

TEST_F(MainWindowTest, EveryCommandIsAvailableAndItsButtonsFollowIt) {
    for (QAction* a : {window->mnuFileNew, window->mnuFileOpen, window->mnuFileSave, window->mnuFileSaveAs,
                       window->mnuFilePrint, window->mnuFilePageSetup, window->mnuFilePrinterSetup,
                       window->mnuEditProperties, window->mnuEditLoads, window->mnuEditRestraint,
                       window->mnuCalculateStability, window->mnuCalculateConcrete, window->mnuCalculateCalcu,
                       window->mnuHelpRet})
        EXPECT_TRUE(a->isEnabled()) << a->objectName().toStdString();
    for (QPushButton* b : {window->Command2, window->Command3, window->Command6, window->Command4, window->Command5})
        EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
    for (ToolImage* image : window->imgTool) EXPECT_TRUE(image->isEnabled()) << image->Index();
    // no recent files yet: neither their items nor the separator above them
    EXPECT_FALSE(window->mnuFileX3->isVisible());
    for (int i = 1; i <= 4; ++i) EXPECT_FALSE(window->mnuFileList[i]->isVisible()) << i;
    // a tool button follows its command
    window->mnuFilePrint->setEnabled(false);
    EXPECT_FALSE(window->imgTool[3]->isEnabled());
    window->mnuFilePrint->setEnabled(true);
    EXPECT_TRUE(window->imgTool[3]->isEnabled());
}

// Help that cannot show its page says so and names the page: a page that is
// missing, and one no browser could be started for, with the desktop's reason.
// F1 is the help key in the main window and in the loads dialog, whose
// caption under the tabs says so.
TEST_F(MainWindowTest, HelpThatCannotShowItsPageSaysWhyAndWhereItIs) {
    const std::filesystem::path page = HelpFilePath();
    const bool installed = std::filesystem::exists(page);
    std::vector<std::string> handed;
    const ShellOpener previous = InstallShellOpener([&](const std::string& target, std::string& reason) {
        handed.push_back(target);
        reason = "no web browser was found";
        return false;
    });
    const std::vector<std::function<void()>> commands = {
        [&] { window->mnuHelpRet->trigger(); },
        [&] {
            window->show();
            QApplication::setActiveWindow(window.get());
            QTest::keyClick(window.get(), Qt::Key_F1);
        },
        [&] {
            frmLoads loads(m, window.get());
            loads.show();
            QApplication::setActiveWindow(&loads);
            QTest::keyClick(&loads, Qt::Key_F1);
        },
    };
    for (const bool present : {false, true}) {
        if (!present && installed) continue;  // an installed page is not the test's to take away
        // a page the test put there goes again, whatever the test found
        const bool put = present && !installed;
        std::unique_ptr<const std::filesystem::path, void (*)(const std::filesystem::path*)> placed(
            put ? &page : nullptr, [](const std::filesystem::path* p) { std::filesystem::remove(*p); });
        if (put) std::ofstream(page) << "<html></html>";
        for (size_t i = 0; i < commands.size(); ++i) {
            SCOPED_TRACE(testing::Message() << (present ? "no browser, command " : "no page, command ") << i);
            test::MessageRecorder rec;
            handed.clear();
            commands[i]();
            if (rec.Messages.size() != 1) {
                ADD_FAILURE() << rec.Messages.size() << " messages";
                continue;
            }
            EXPECT_EQ(rec.Messages[0].Style, vbExclamation);
            EXPECT_EQ(rec.Messages[0].Text,
                      present ? "No browser could be started for the help page (no web browser was found). "
                                "Open it in a browser: " + page.string()
                              : "The help page is missing: " + page.string());
            EXPECT_EQ(handed, present ? std::vector<std::string>{page.string()} : std::vector<std::string>{});
        }
    }
    InstallShellOpener(previous);
    if (installed) GTEST_SKIP() << "the help page is installed: a missing page was not tried";
}

TEST_F(MainWindowTest, ARunTimeErrorInTheRedrawIsToldAndTheWindowGoesOn) {
    test::MessageRecorder rec;
    m.ActiveCombinationSet = 60;  // no such set: the selection is refused with error 9
    window->RedrawView();
    ASSERT_FALSE(rec.Messages.empty());
    EXPECT_EQ(rec.Messages[0].Text, "Subscript out of range");
    EXPECT_EQ(rec.Messages[0].Style, vbExclamation);
    // every step of the redraw meets the same fault: one box tells it
    EXPECT_EQ(rec.Messages.size(), 1u);
    m.ActiveCombinationSet = 1;
    window->RedrawView();
    EXPECT_EQ(m.CurrentLoadCombination.Name, "Sliding and eccentricity");

    // values beyond what the analysis can sum: one box, and the next
    // redraw tells it again
    rec.Messages.clear();
    m.BackfillSurcharge = 1e30f;
    m.BackfillUnitWeight = 1e30f;
    m.ShearKeyDepth = 1e30f;
    for (int redraw = 1; redraw <= 2; ++redraw) {
        window->RedrawView();
        ASSERT_EQ(rec.Messages.size(), static_cast<size_t>(redraw));
        EXPECT_EQ(rec.Messages.back().Text, "Overflow");
    }
}

}  // namespace
}  // namespace brindlemar

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest/QTest>
#include <deque>
#include <filesystem>
#include <functional>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "analysis/Coefficients.h"
#include "files/FactorFile.h"
#include "platform/FlexGrid.h"
#include "platform/Refusal.h"
#include "runtime/Format.h"
#include "support/GridCells.h"
#include "support/MessageRecorder.h"
#include "forms/DialogEntries.h"
#include "design/ReinforcementSheets.h"
#include "ui/design/frmRein.h"
#include "ui/dialogs/frmLoads.h"

namespace brindlemar {
namespace {

// Acts on the loads dialog once the main window has it open; a script that
// left the dialog open closes it, as Cancel.
struct WhileOpen : test::WhenOpen<frmLoads> {
    explicit WhileOpen(std::function<void(frmLoads&)> act) : test::WhenOpen<frmLoads>(std::move(act), &frmLoads::Command4) {}
};

using test::ClickCell;

// Types into the grid's current cell (opening its editor) and presses Enter.
void TypeIntoCell(FlexGrid* g, GridCellEditor* editor, const QString& text) {
    QTest::keyClicks(g, text.left(1));
    ASSERT_TRUE(editor->isVisible());
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
}

// Types each key where the focus is, as from a keyboard: '>' is Tab, '<' Shift+Tab, '\n' Enter,
// '\x02' F2, '\x03' Down, '\x1b' Esc.
void TypeKeys(const std::string& keys) {
    for (char key : keys) {
        QWidget* focus = QApplication::focusWidget();
        if (key == '>' || key == '<') QTest::keyClick(focus, key == '>' ? Qt::Key_Tab : Qt::Key_Backtab, key == '<' ? Qt::ShiftModifier : Qt::NoModifier);
        else if (key == '\n') QTest::keyClick(focus, Qt::Key_Return);
        else if (key == '\x02' || key == '\x03' || key == '\x1b')
            QTest::keyClick(focus, key == '\x02' ? Qt::Key_F2 : key == '\x03' ? Qt::Key_Down : Qt::Key_Escape);
        else QTest::keyClick(focus, key);
    }
}

class LoadsDialogTest : public test::MainWindowTest {
protected:
    // The dialog on its own, shown but not modal.
    std::unique_ptr<frmLoads> Open() {
        auto dialog = std::make_unique<frmLoads>(m, window.get());
        dialog->show();
        QApplication::setActiveWindow(dialog.get());
        QApplication::processEvents();
        return dialog;
    }
};

TEST_F(LoadsDialogTest, EveryCommandOpensTheDialogOnItsFirstTab) {
    std::vector<std::function<void()>> commands = {
        [&] { window->mnuEditLoads->trigger(); },
        [&] { window->Command3->click(); },
        [&] { window->imgTool_Click(5); },
    };
    for (size_t i = 0; i < commands.size(); ++i) {
        int tab = -1;
        QString title;
        WhileOpen script([&](frmLoads& d) {
            tab = d.SSTab1->currentIndex();
            title = d.windowTitle();
            d.SSTab1->setCurrentIndex(1);  // the next opening starts on the first tab again
        });
        commands[i]();
        EXPECT_EQ(tab, 0) << i;
        EXPECT_EQ(title, "Brindlemar: Loads and Resistances") << i;
    }
    EXPECT_TRUE(window->mnuEditLoads->isEnabled());
}

TEST_F(LoadsDialogTest, AcceptStoresALineLoadAndAFactorAndTheWallIsAnalysedAgain) {
    const float vertical = m.TotalVerticalForce;
    const float slidingRatio = m.SlidingResistanceRatio;
    const int loads = m.LineLoadCount;
    std::filesystem::remove(m.DefaultsFilePath);
    m.ProjectModified = False;
    WhileOpen script([&](frmLoads& d) {
        // a vertical load of 40 on the stem top, typed from the keyboard alone
        d.cmdLAdd->click();
        FlexGrid* g = d.MSHFlexGrid3;
        ASSERT_EQ(g->Rows(), loads + 2);
        ASSERT_EQ(g->Col(), 1);
        TypeKeys("40\n");
        EXPECT_EQ(g->Col(), 2);  // Enter moves on to X
        TypeKeys("1.5\n10\n-90\n");
        EXPECT_TRUE(g->hasFocus()) << "after each Enter the grid has the focus again";
        // the factor of the horizontal earth pressure of the chosen combination, on the second tab
        d.SSTab1->setCurrentIndex(1);
        FlexGrid* f = d.MSHFlexGrid1;
        const int row = m.CurrentCombination + 1;
        ClickCell(f, row, 1 + EH);
        ClickCell(f, row, 1 + EH);  // the second click edits
        ASSERT_TRUE(d.txtFactor->isVisible());
        QTest::keyClicks(d.txtFactor, "2");
        QTest::keyClick(d.txtFactor, Qt::Key_Return);
        d.SSTab1->setCurrentIndex(0);
        d.Check1[2]->setChecked(!d.Check1[2]->isChecked());  // the shear key
        d.Command3->click();
    });
    const bool key = window->Check3->isChecked();
    window->Command3->click();
    // the main window's shear-key option shows what the dialog stored
    EXPECT_NE(window->Check3->isChecked(), key);
    EXPECT_EQ(window->Check3->isChecked(), m.ShearKeyIncluded == 1);
    ASSERT_EQ(m.LineLoadCount, loads + 1);
    const LineLoad& added = m.LineLoads[loads + 1];
    EXPECT_EQ(added.Value, 40.0f);
    EXPECT_EQ(added.X, 1.5f);
    EXPECT_EQ(added.Y, 10.0f);
    EXPECT_EQ(added.Direction, -90.0f);
    EXPECT_EQ(added.LoadType, DL);
    EXPECT_EQ(m.CombinationSets[m.ActiveCombinationSet].Combinations[m.CurrentCombination].Factor[EH], 2.0f);
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_TRUE(std::filesystem::exists(m.DefaultsFilePath));
    // the main window analysed the wall with the new load and factor
    EXPECT_NE(m.TotalVerticalForce, vertical);
    EXPECT_NE(m.SlidingResistanceRatio, slidingRatio);
}

TEST_F(LoadsDialogTest, CancelLeavesTheModelAsItWas) {
    auto before = std::make_unique<Model>(m);
    m.ProjectModified = False;
    before->ProjectModified = False;
    {
        WhileOpen script([&](frmLoads& d) {
            d.cmdLAdd->click();
            d.Option2[1 - m.BaseMaterialOption]->setChecked(true);
            d.txtSurcharge->setText("99");
            d.cmdAdd->click();
            d.Command4->click();
        });
        window->Command3->click();
    }
    EXPECT_EQ(m.LineLoadCount, before->LineLoadCount);
    EXPECT_EQ(m.BaseMaterialOption, before->BaseMaterialOption);
    EXPECT_EQ(m.BackfillSurcharge, before->BackfillSurcharge);
    EXPECT_EQ(m.CombinationSetCount, before->CombinationSetCount);
    EXPECT_EQ(m.CombinationSets, before->CombinationSets);
    EXPECT_EQ(m.ProjectModified, False);
    // and the next opening shows the model again
    auto d = Open();
    EXPECT_EQ(d->MSHFlexGrid3->Rows(), m.LineLoadCount + 1);
    EXPECT_EQ(d->lstComboSet->count(), m.CombinationSetCount - 1);
}

TEST_F(LoadsDialogTest, LineLoadCellsEditOnTheSecondClickAndKeepTheirType) {
    auto d = Open();
    FlexGrid* g = d->MSHFlexGrid3;
    d->cmdLAdd->click();
    // the direction's heading says which way its angles turn: a new load's 0 acts upward
    EXPECT_TRUE(g->CellToolTip(0, 4).contains(QString::fromUtf8("0\u00B0 up, 90\u00B0 toward the heel, 180\u00B0 down")));
    const int r = g->Rows() - 1;
    EXPECT_EQ(g->TextMatrix(r, 5), "DL - Structural dead load");
    ClickCell(g, r, 2);
    EXPECT_FALSE(d->txtLoad->isVisible());  // the first click only selects
    ClickCell(g, r, 2);
    EXPECT_TRUE(d->txtLoad->isVisible());
    QTest::keyClicks(d->txtLoad, "9");
    QTest::keyClick(d->txtLoad, Qt::Key_Return);
    EXPECT_EQ(g->TextMatrix(r, 2), "9");
    EXPECT_EQ(g->Col(), 3);
    // 9 from the toe tip is beyond the heel end: a note, not a refusal
    EXPECT_EQ(d->lblLoadsOffTheWall->text(), QString("Load %1 stands beyond the heel: it is counted as a load on the wall").arg(r));
    // Esc abandons
    TypeIntoCell(g, d->txtLoad, "7");
    g->SetCol(3);
    QTest::keyClicks(g, "5");
    QTest::keyClick(d->txtLoad, Qt::Key_Escape);
    EXPECT_EQ(g->TextMatrix(r, 3), "7");
    // a typed type is completed to the type its code names; a text naming none is refused
    g->SetCol(5);
    struct Case { const char* typed; int16_t want; bool refused; } types[] = {
        {"LL from the crane", LL, false}, {"crane", LL, true}, {"wa", WA, false}, {"180", WA, true}, {"Ice load", IC, false}, {"E", IC, true}, {"D", DL, false}};
    for (const Case& c : types) {
        TypeIntoCell(g, d->txtLoad, c.typed);
        EXPECT_EQ(d->WorkingLineLoads[r].LoadType, c.want) << c.typed;
        EXPECT_EQ(g->TextMatrix(r, 5), d->cmbType->itemText(c.want - 1)) << c.typed;
        EXPECT_EQ(g->IsRefusedCell(r, 5), c.refused) << c.typed;
    }
    // the list over the type cell
    d->EditLoadTypeCell();
    ASSERT_TRUE(d->cmbType->isVisible());
    for (QPushButton* b : {d->cmdLAdd, d->cmdLDelete, d->cmdLMUp, d->cmdLMDown}) EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    d->cmbType->setCurrentIndex(WA - 1);
    emit d->cmbType->activated(WA - 1);
    EXPECT_EQ(g->TextMatrix(r, 5), "WA - Water pressure");
    EXPECT_EQ(d->WorkingLineLoads[r].LoadType, WA);
}

// A cell entered by typing or a double click takes what is typed in place of
// its number, as in a spreadsheet; one entered by F2 is edited.
TEST_F(LoadsDialogTest, TypingOrADoubleClickReplacesACellAndF2EditsIt) {
    auto d = Open();
    d->cmdLAdd->click();
    const struct {
        FlexGrid* grid;
        GridCellEditor* editor;
        int row, col;
    } grids[] = {{d->MSHFlexGrid3, d->txtLoad, d->MSHFlexGrid3->Rows() - 1, 2}, {d->MSHFlexGrid1, d->txtFactor, 1, 2}};
    for (const auto& g : grids) {
        if (g.grid == d->MSHFlexGrid1) d->SSTab1->setCurrentIndex(1);
        for (const char* entry : {"typed", "F2", "double click"}) {
            SCOPED_TRACE(std::string(g.editor->objectName().toStdString()) + " " + entry);
            g.grid->SetTextMatrix(g.row, g.col, "7");
            const bool doubleClick = entry == std::string("double click");
            g.grid->SetRow(g.row);
            g.grid->SetCol(doubleClick ? g.col - 1 : g.col);  // a double click enters the cell too
            g.grid->setFocus();
            if (entry == std::string("F2")) QTest::keyClick(g.grid, Qt::Key_F2);
            if (doubleClick) {
                ClickCell(g.grid, g.row, g.col);
                QTest::mouseDClick(g.grid->viewport(), Qt::LeftButton, {}, test::CellCentre(g.grid, g.row, g.col));
            }
            QTest::keyClicks(g.editor->isVisible() ? static_cast<QWidget*>(g.editor) : g.grid, "5");
            QTest::keyClick(g.editor, Qt::Key_Return);
            EXPECT_EQ(g.grid->TextMatrix(g.row, g.col), entry == std::string("F2") ? "75" : "5");
        }
    }
}

TEST_F(LoadsDialogTest, LineLoadButtonsFollowTheSelectedRowAndTheLimit) {
    auto d = Open();
    FlexGrid* g = d->MSHFlexGrid3;
    while (g->Rows() > 1) {
        ClickCell(g, 1, 0);
        d->cmdLDelete->click();
    }
    EXPECT_EQ(d->WorkingLineLoadCount, 0);
    EXPECT_FALSE(d->cmdLDelete->isEnabled());
    EXPECT_TRUE(d->cmdLAdd->isEnabled());
    ClickCell(g, 0, 1);  // clicking the empty table opens nothing
    QTest::keyClicks(g, "5");
    EXPECT_FALSE(d->txtLoad->isVisible());

    for (int i = 0; i < 3; ++i) {
        d->cmdLAdd->click();
        g->SetTextMatrix(g->Row(), 1, QString::number(i + 1));
    }
    d->StoreLineLoadGrid();
    ClickCell(g, 1, 0);  // a row number selects the whole row
    EXPECT_TRUE(d->cmdLDelete->isEnabled());
    EXPECT_FALSE(d->cmdLMUp->isEnabled());
    EXPECT_TRUE(d->cmdLMDown->isEnabled());
    d->cmdLMDown->click();
    d->cmdLMDown->click();  // the moved load stays selected
    EXPECT_EQ(g->Row(), 3);
    EXPECT_FALSE(d->cmdLMDown->isEnabled());
    EXPECT_EQ(g->TextMatrix(3, 0), "3");  // numbers stay
    EXPECT_EQ(d->WorkingLineLoads[3].Value, 1.0f);
    EXPECT_EQ(d->WorkingLineLoads[1].Value, 2.0f);

    while (d->WorkingLineLoadCount < MaxLineLoads) d->cmdLAdd->click();
    EXPECT_FALSE(d->cmdLAdd->isEnabled());
    EXPECT_GE(g->TopRow(), g->Rows() - 6);  // the newest load shows
    d->cmdLAdd->click();
    EXPECT_EQ(d->WorkingLineLoadCount, MaxLineLoads);
}

TEST_F(LoadsDialogTest, OptionsEnableTheirBoxesAndShowComputedCoefficients) {
    m.KaSource = Computed;
    m.KaeSource = Computed;
    m.SeismicIncluded = True;
    m.BackfillSlopeRatio = 0;
    m.EarthPressureOption = Active;
    m.BaseMaterialOption = Soil;
    m.BearingResistanceMethod = SptBearing;
    // with the earthquake off, the seismic coefficient of the acceleration in
    // the box: the one an analysis with the earthquake on would take
    m.SeismicIncluded = 0;
    m.AppliedSeismicCoefficient = 0;
    EXPECT_EQ(Open()->txtKae->text().toStdString(), SeismicCoefficientText(m, m.EnteredSeismicCoefficient));
    m.SeismicIncluded = True;
    auto d = Open();
    EXPECT_EQ(d->txtKa->text().toStdString(), ActiveCoefficientText(m, false, m.AppliedSeismicCoefficient));
    EXPECT_FALSE(d->txtKa->isEnabled());
    d->Option1[1]->setChecked(true);  // at rest
    EXPECT_EQ(d->txtKa->text().toStdString(), ActiveCoefficientText(m, true, m.AppliedSeismicCoefficient));
    d->optKa[1]->setChecked(true);
    EXPECT_TRUE(d->txtKa->isEnabled());
    d->Option1[0]->setChecked(true);  // a user value stays
    EXPECT_EQ(d->txtKa->text().toStdString(), ActiveCoefficientText(m, true, m.AppliedSeismicCoefficient));

    // the seismic coefficient follows the acceleration; beyond tan phi it has
    // none, and no value of an earlier acceleration stays beside it; short of
    // tan phi but too steep a slope for it, it is that of the flattened slope
    m.BackfillSlopeRatio = 5;
    for (const char* kh : {"0.15", "0.9", "0.4", "0.1"}) {
        d->txtSeismic->setFocus();
        d->txtSeismic->setText(kh);
        QTest::keyClick(d->txtSeismic, Qt::Key_Return);
        EXPECT_EQ(d->txtKae->text().toStdString(), SeismicCoefficientText(m, static_cast<float>(Val(kh)))) << kh;
        EXPECT_EQ(d->txtKae->text() == "--", std::string(kh) == "0.9") << kh;
    }
    m.BackfillSlopeRatio = 0;

    // soil with SPT: only the blow count box
    EXPECT_TRUE(d->Option3[2]->isChecked());
    EXPECT_TRUE(d->txtResist1[3]->isEnabled());
    EXPECT_FALSE(d->txtResist1[0]->isEnabled());
    EXPECT_FALSE(d->txtResist1[4]->isEnabled());
    d->Option2[0]->setChecked(true);  // rock
    EXPECT_TRUE(d->Option3[0]->isChecked());
    EXPECT_TRUE(d->txtResist1[0]->isEnabled());
    for (int i = 1; i <= 3; ++i) EXPECT_FALSE(d->Option3[i]->isEnabled()) << i;
    EXPECT_FALSE(d->txtResist1[5]->isVisible());

    d->Check1[1]->setChecked(!d->Check1[1]->isChecked());
    EXPECT_EQ(d->txtValue[0]->isEnabled(), d->Check1[1]->isChecked());
    d->Check1[2]->setChecked(!d->Check1[2]->isChecked());
    EXPECT_FALSE(d->txtValue[1]->isEnabled());  // the key depth is the restraints'
}

TEST_F(LoadsDialogTest, SetsAddedDeletedAndRenamedReachTheSummary) {
    auto d = Open();
    d->SSTab1->setCurrentIndex(1);
    const int sets = d->lstComboSet->count();
    d->cmdAdd->click();
    EXPECT_EQ(d->lstComboSet->count(), sets + 1);
    EXPECT_EQ(d->cmbComboSet1->count(), sets + 1);
    EXPECT_EQ(d->lstComboSet->item(sets)->text(), "New set 1");
    EXPECT_EQ(d->cmbComboSet1->itemText(sets), "New set 1");
    EXPECT_EQ(d->MSHFlexGrid1->Rows(), 2);
    EXPECT_EQ(d->MSHFlexGrid1->TextMatrix(1, 1 + EX), "0");
    EXPECT_EQ(d->txtResist[CC]->text(), "1");
    // rename the new set
    d->cmdRename->click();
    ASSERT_TRUE(d->txtComboSet->isVisible());
    QTest::keyClicks(d->txtComboSet, "Seismic check");
    QTest::keyClick(d->txtComboSet, Qt::Key_Return);
    EXPECT_EQ(d->lstComboSet->item(sets)->text(), "Seismic check");
    EXPECT_EQ(d->cmbComboSet1->itemText(sets), "Seismic check");
    EXPECT_EQ(m.WorkingCombinationSets[sets + 1].Name, "Seismic check");
    // a code changed here heads the summary at once
    d->cmbComboSet1->setCurrentIndex(sets);
    d->cmbComboSet1_Click();
    d->txtShortLoad[DL]->setText("XX");
    QTest::keyClick(d->txtShortLoad[DL], Qt::Key_Return);
    EXPECT_EQ(d->MSHFlexGrid2[0]->TextMatrix(0, 0), "XX");
    EXPECT_EQ(d->MSHFlexGrid1->TextMatrix(0, 2), "XX");
    EXPECT_EQ(d->MSHFlexGrid2[0]->TextMatrix(1, 0), "1.00");
    EXPECT_EQ(d->MSHFlexGrid2[2]->TextMatrix(1, EX - BE), "--");
    // deleting the summary's set moves the summary to the set in its place
    d->cmdDelete->click();
    EXPECT_EQ(d->lstComboSet->count(), sets);
    EXPECT_EQ(m.WorkingActiveCombinationSet, sets);
    EXPECT_EQ(d->cmbComboSet1->currentIndex(), sets - 1);
}

// Large factors (a file may hold any) and a negative one read whole in the
// summary's columns, and the summary stays inside its frame.
TEST_F(LoadsDialogTest, FactorSummaryHoldsLargeFactorsWholeInsideItsFrame) {
    for (LoadCombination& c : m.CombinationSets[1].Combinations) {
        c.Factor[LL] = c.Factor[LD] = c.Factor[IC] = 1000;
        c.Factor[EV] = -1.2f;
        c.Factor[FC] = 123456;
    }
    auto d = Open();
    const QWidget* frame = d->MSHFlexGrid2[0]->parentWidget();
    ASSERT_EQ(d->MSHFlexGrid2[0]->TextMatrix(1, LL - DL), "1000.00");
    for (FlexGrid* grid : d->MSHFlexGrid2) {
        SCOPED_TRACE(grid->objectName().toStdString());
        EXPECT_LE(grid->geometry().right(), frame->contentsRect().right());
        for (int c = 0; c < grid->Cols(); ++c)
            for (int r = 0; r < 2; ++r) EXPECT_LE(grid->TextWidth(grid->TextMatrix(r, c)), grid->ColWidth(c)) << r << ", " << c;
    }
}

// A factor cell takes a number of 0 or more as typed, and refuses any
// other text as the boxes do, visibly: the cell keeps its factor, tinted red,
// with the reason as the grid's tool tip. A factor read as 0 or as its
// leading digit would silently drop or change a load in every check.
TEST_F(LoadsDialogTest, FactorCellsAndConcreteFactorsRefuseWhatIsNoNumber) {
    auto d = Open();
    d->SSTab1->setCurrentIndex(1);
    FlexGrid* f = d->MSHFlexGrid1;
    CombinationSet& set = m.WorkingCombinationSets[m.EditedCombinationSet];
    struct Case {
        const char* typed;
        const char* shown;
        float stored;
        const char* reason;  // nullptr: taken
    };
    const Case cases[] = {
        {"1.6", "1.6", 1.6f, nullptr},
        {"abc", "1.6", 1.6f, "\"abc\" is no number: type digits and a decimal point, such as 2.5"},
        {"1,6", "1.6", 1.6f, "\"1,6\" is no number: type digits and a decimal point, such as 2.5"},
        {"1.35x", "1.6", 1.6f, "\"1.35x\" is no number: type digits and a decimal point, such as 2.5"},
        {"1e39", "1.6", 1.6f, "Overflow in \"LL factor\""},
        {"-1.2", "1.6", 1.6f, "Type a number of 0 or more"},
        {"1e3", "1000", 1000.0f, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ClickCell(f, 1, 1 + LL);
        TypeIntoCell(f, d->txtFactor, c.typed);
        EXPECT_EQ(f->TextMatrix(1, 1 + LL), c.shown);
        EXPECT_EQ(set.Combinations[0].Factor[LL], c.stored);
        EXPECT_EQ(f->IsRefusedCell(1, 1 + LL), c.reason != nullptr);
        EXPECT_EQ(f->toolTip().toStdString(), c.reason != nullptr ? c.reason : "");
        EXPECT_EQ(f->Row(), c.reason != nullptr ? 1 : 2);  // Enter goes down a row from a factor taken
    }
    f->SetRow(f->Rows() - 1);
    TypeIntoCell(f, d->txtFactor, "2");
    EXPECT_EQ(f->Row(), f->Rows() - 1);  // but not past the last
    // a concrete factor is a magnitude, shown for the set whichever
    // combination is chosen; a text that is no number leaves it as it was
    const float ct = set.Combinations[0].Factor[CT];
    test::TypeInto(d->txtResist[CT], "1,6");
    QTest::keyClick(d->txtResist[CT], Qt::Key_Return);
    EXPECT_EQ(d->txtResist[CT]->text().toStdString(), GeneralNumber(ct));
    EXPECT_TRUE(IsMarkedRefused(d->txtResist[CT]));
    EXPECT_EQ(d->txtResist[CT]->toolTip(), "\"1,6\" is no number: type digits and a decimal point, such as 2.5");
    EXPECT_EQ(set.Combinations[0].Factor[CT], ct);
    // nor does a negative one, which was once stored as its magnitude
    test::TypeInto(d->txtResist[CT], "-0.9");
    QTest::keyClick(d->txtResist[CT], Qt::Key_Return);
    EXPECT_EQ(d->txtResist[CT]->text().toStdString(), GeneralNumber(ct));
    EXPECT_TRUE(IsMarkedRefused(d->txtResist[CT]));
    EXPECT_EQ(d->txtResist[CT]->toolTip(), "Type a number of 0 or more");
    test::TypeInto(d->txtResist[CT], "0.9");
    QTest::keyClick(d->txtResist[CT], Qt::Key_Return);
    EXPECT_EQ(d->txtResist[CT]->text(), "0.9");
    EXPECT_FALSE(IsMarkedRefused(d->txtResist[CT]));
    EXPECT_EQ(set.Combinations[0].Factor[CT], 0.9f);
    d->cmbCombo1->setCurrentIndex(1);
    d->cmbCombo1_Click();
    EXPECT_EQ(d->MSHFlexGrid2[2]->TextMatrix(1, CT - BE), "0.90");
    EXPECT_EQ(d->MSHFlexGrid2[0]->TextMatrix(1, LL - DL), "2.00");  // combination 1's own factor
    // a new combination copies the last one's factors, whichever row is current
    f->SetRow(1);
    d->cmdFAdd->click();
    const int added = f->Rows() - 1;
    EXPECT_EQ(f->TextMatrix(added, 1), "");
    EXPECT_EQ(f->TextMatrix(added, 1 + LL), "2");
    EXPECT_EQ(set.CombinationCount, added);
    EXPECT_EQ(set.Combinations[added - 1].Factor[LL], 2.0f);
}

TEST_F(LoadsDialogTest, FactorFilesSaveLoadAndAppendWithinTheLimit) {
    test::MessageRecorder messages;
    const std::string path = (dir.Path() / "sets.bmf").string();
    std::deque<std::optional<std::string>> answers;
    const FileDialogAnswerer previous = InstallFileDialogAnswerer([&](const FileDialogRequest&) {
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    });
    auto d = Open();
    const int sets = d->lstComboSet->count();
    answers.push_back(path);
    d->Command5_Click();
    ASSERT_TRUE(std::filesystem::exists(path));

    // No to the confirmation: nothing happens
    messages.Answer(vbNo);
    d->Command9_Click();
    EXPECT_EQ(d->lstComboSet->count(), sets);

    answers.push_back(path);
    d->Command1_Click();  // appended
    EXPECT_EQ(d->lstComboSet->count(), 2 * sets);

    while (m.WorkingCombinationSetCount + sets + 1 <= MaxCombinationSets) d->cmdAdd->click();
    const int before = m.WorkingCombinationSetCount;
    answers.push_back(path);
    d->Command1_Click();  // one slot too many
    EXPECT_EQ(m.WorkingCombinationSetCount, before);
    ASSERT_FALSE(messages.Messages.empty());
    EXPECT_EQ(messages.Messages.back().Text, "Too many combinations.  Delete unneccesary ones and try again.");

    // a file without a set of its own replaces nothing
    const std::string empty = (dir.Path() / "empty.bmf").string();
    ASSERT_TRUE(WriteFactorFile(m.WorkingCombinationSets, 1, empty));
    const int16_t working = m.WorkingCombinationSetCount;
    messages.Answer(vbYes);
    answers.push_back(empty);
    d->Command9_Click();
    EXPECT_EQ(m.WorkingCombinationSetCount, working);
    EXPECT_EQ(messages.Messages.back().Style, vbExclamation);

    messages.Answer(vbYes);
    answers.push_back(path);
    d->Command9_Click();  // replaced by the file's sets
    EXPECT_EQ(d->lstComboSet->count(), sets);
    EXPECT_EQ(m.WorkingActiveCombinationSet, 1);
    EXPECT_EQ(d->lstComboSet->currentRow(), 0);
    InstallFileDialogAnswerer(previous);
}

// Converted values are shown rounded to their unit (1 T/m² of surcharge is
// 0.205 Kip/ft², not 0.2046323) and kept exact while left alone.
TEST_F(LoadsDialogTest, AcceptUntouchedInEveryUnitSystemLeavesTheProjectUnmodified) {
    m.LineLoads[++m.LineLoadCount] = {5, 1, 2, 180, DL};
    struct Shown {
        QAction* units;
        const char *surcharge, *load, *x;
    };
    for (const Shown& c : {Shown{window->mnuUnitSI, "9.81", "49.05", "1"},
                           Shown{window->mnuUnitBritish, "0.205", "3.36", "3.28"},
                           Shown{window->mnuUnitMetric, "1", "5", "1"}}) {
        SCOPED_TRACE(c.units->text().toStdString());
        c.units->trigger();
        const float surcharge = m.BackfillSurcharge, bearing = m.NominalBearingResistance;
        const LineLoad load = m.LineLoads[1];
        m.ProjectModified = False;
        WhileOpen script([&c](frmLoads& d) {
            // converted values run longer than their boxes: each shows its first digits
            for (QLineEdit* box : {d.txtSurcharge, d.txtResist1[0], d.txtValue[1]})
                EXPECT_EQ(box->cursorPosition(), 0) << box->text().toStdString();
            EXPECT_EQ(d.txtSurcharge->text().toStdString(), c.surcharge);
            EXPECT_EQ(d.MSHFlexGrid3->TextMatrix(1, 1).toStdString(), c.load);
            EXPECT_EQ(d.MSHFlexGrid3->TextMatrix(1, 2).toStdString(), c.x);
            if (const char* folder = std::getenv("BRINDLEMAR_PICTURES"); folder && *folder)
                d.grab().save(QString("%1/loads_%2.png").arg(folder).arg(c.x));
            d.Command3->click();
        });
        window->Command3->click();
        EXPECT_EQ(m.ProjectModified, False);
        EXPECT_EQ(m.BackfillSurcharge, surcharge);
        EXPECT_EQ(m.NominalBearingResistance, bearing);
        EXPECT_TRUE(m.LineLoads[1] == load);
    }
}

// A text that is no number for its quantity is refused as the properties
// and restraints dialogs refuse it: a beep, the box marked with the reason in
// its tool tip, the focus back in the box, and Accept blocked until it is
// corrected. The line-load cells refuse what is no number but keep negative
// loads.
TEST_F(LoadsDialogTest, NumberBoxesAndLineLoadCellsRefuseWhatIsNoNumberForThem) {
    struct Case {
        const char* what;
        QLineEdit* frmLoads::*single;
        std::array<QLineEdit*, 6> frmLoads::*indexed;
        int index;
        const char* text;
        const char* reason;  // nullptr: taken
    };
    const Case cases[] = {
        {"decimal comma", &frmLoads::txtSurcharge, nullptr, 0, "2,5",
         "\"2,5\" is no number: type digits and a decimal point, such as 2.5"},
        {"letters", nullptr, &frmLoads::txtResist1, 2, "abc",
         "\"abc\" is no number: type digits and a decimal point, such as 2.5"},
        {"nothing", nullptr, &frmLoads::txtResist1, 2, "", "Type a number"},
        {"negative magnitude", &frmLoads::txtSurcharge, nullptr, 0, "-5", "Type a number of 0 or more"},
        {"negative friction angle", nullptr, &frmLoads::txtResist1, 1, "-5", "Type an angle of 0 or more and less than 90"},
        {"no bearing resistance", nullptr, &frmLoads::txtResist1, 0, "0", "Type a number greater than 0"},
        {"too large for a Single", &frmLoads::txtSurcharge, nullptr, 0, "1e39",
         "Overflow in \"Surcharge on upper ground\""},
        {"a decimal point", &frmLoads::txtSurcharge, nullptr, 0, "2.5", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto d = Open();
        test::MessageRecorder rec;
        QLineEdit* box = c.single != nullptr ? (*d).*c.single : ((*d).*c.indexed)[static_cast<size_t>(c.index)];
        test::TypeInto(box, c.text);
        QTest::keyClick(box, Qt::Key_Return);  // Enter checks the box as leaving it does
        const bool refused = c.reason != nullptr;
        EXPECT_EQ(rec.Beeps, refused ? 1 : 0);
        EXPECT_EQ(IsMarkedRefused(box), refused);
        if (refused) {
            EXPECT_EQ(box->toolTip().toStdString(), c.reason);
        }
        test::Click(d->Command3);
        EXPECT_TRUE(rec.Messages.empty());
        EXPECT_EQ(d->isVisible(), refused);
        if (!refused) continue;
        EXPECT_EQ(rec.Beeps, 2);
        // the reason in sight once Accept was clicked, beside the box and clear of the buttons
        QApplication::processEvents();
        const auto* note = qobject_cast<const QLabel*>(RefusalReasonOf(d.get()));
        ASSERT_NE(note, nullptr);
        EXPECT_EQ(note->text().toStdString(), c.reason);
        for (const QPushButton* b : {d->Command3, d->Command4})
            EXPECT_FALSE(note->geometry().intersects(QRect(b->mapTo(d.get(), QPoint(0, 0)), b->size())));
        EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(box->text(), c.text) << "the text stays as typed";
        test::TypeInto(box, "5");
        QTest::keyClick(box, Qt::Key_Return);
        EXPECT_FALSE(IsMarkedRefused(box)) << "a corrected box loses its mark";
        EXPECT_EQ(box->toolTip(), "");
        EXPECT_EQ(RefusalReasonOf(d.get()), nullptr);
        test::Click(d->Command3);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(m.DialogCancelled, False);
    }

    auto d = Open();
    FlexGrid* g = d->MSHFlexGrid3;
    d->cmdLAdd->click();
    const int r = g->Rows() - 1;
    test::MessageRecorder rec;
    for (const char* bad : {"2,5", "abc", "1e39", ""}) {
        SCOPED_TRACE(bad);
        g->SetCol(1);
        QTest::keyClicks(g, "1");
        d->txtLoad->setText(bad);
        QTest::keyClick(d->txtLoad, Qt::Key_Return);
        EXPECT_EQ(g->TextMatrix(r, 1), "0");
        EXPECT_EQ(g->Col(), 1);
        EXPECT_TRUE(g->IsRefusedCell(r, 1));
    }
    EXPECT_EQ(rec.Beeps, 4);
    EXPECT_EQ(g->toolTip(), "Type a number");
    TypeIntoCell(g, d->txtLoad, "-12.5");  // a load may point either way
    EXPECT_EQ(d->WorkingLineLoads[r].Value, -12.5f);
    EXPECT_FALSE(g->IsRefusedCell(r, 1));
}

// The theoretical bearing capacity shows the base unit weight it needs and
// refuses to close on none, with the box marked and the reason beside it;
// another method hides the box and needs no weight.
TEST_F(LoadsDialogTest, TheTheoreticalBearingCapacityAsksForTheBaseUnitWeight) {
    m.BaseMaterialOption = Soil;
    m.BearingResistanceMethod = TheoreticalBearing;
    m.BaseUnitWeight = 0;
    auto d = Open();
    test::MessageRecorder rec;
    QLineEdit* box = d->txtResist1[5];
    EXPECT_TRUE(box->isVisible() && box->isEnabled());
    test::Click(d->Command3);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(IsMarkedRefused(box));
    EXPECT_EQ(box->toolTip().toStdString(), BearingMethodRefusal(TheoreticalBearing, "0"));
    test::TypeInto(box, "1.9");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(IsMarkedRefused(box));
    test::Click(d->Command3);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.BaseUnitWeight, 1.9f);

    m.BaseUnitWeight = 0;
    auto spt = Open();
    spt->Option3[SptBearing]->setChecked(true);
    EXPECT_FALSE(spt->txtResist1[5]->isVisible());
    test::Click(spt->Command3);
    EXPECT_FALSE(spt->isVisible());
    EXPECT_EQ(m.BearingResistanceMethod, SptBearing);
}

// A greyed box nobody can correct never holds Accept back, and never stores
// a text it refuses. An earthquake too strong for the backfill leaves the
// seismic coefficient without a value ("--"): Accept stores the acceleration
// typed and closes, and the analysis says why it has no seismic pressure.
TEST_F(LoadsDialogTest, GreyedBoxesNeverHoldAcceptBack) {
    struct Case {
        const char* what;
        std::function<void(frmLoads&)> act;
        std::function<void()> expect;
        std::vector<std::string> messages;
    };
    const float fluid = m.MinimumFluidDensity, capacity = m.AdjacentStructureCapacity;
    const Case cases[] = {
        {"a typo left in a box then greyed",
         [](frmLoads& d) {
             d.chkMinFluid->setChecked(true);
             test::TypeInto(d.txtMinFluid, "abc");
             test::Click(d.chkMinFluid);
             EXPECT_FALSE(d.txtMinFluid->isEnabled());
         },
         [&] { EXPECT_EQ(m.MinimumFluidDensity, fluid); },
         {}},
        {"a number too large left in a box then greyed",
         [](frmLoads& d) {
             d.Check1[1]->setChecked(true);
             test::TypeInto(d.txtValue[0], "1e39");
             test::Click(d.Check1[1]);
             EXPECT_FALSE(d.txtValue[0]->isEnabled());
         },
         [&] { EXPECT_EQ(m.AdjacentStructureCapacity, capacity); },
         {}},
        {"an earthquake too strong for the backfill",
         [](frmLoads& d) {
             test::TypeInto(d.txtSeismic, "0.7");
             QTest::keyClick(d.txtSeismic, Qt::Key_Return);
             EXPECT_EQ(d.txtKae->text(), "--");
             EXPECT_FALSE(d.txtKae->isEnabled());
         },
         [&] { EXPECT_EQ(m.EnteredSeismicCoefficient, 0.7f); },
         {SeismicAccelerationTooLarge}},
    };
    m.SeismicIncluded = True;
    m.KaeSource = Computed;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::MessageRecorder rec;
        bool closed = false;
        WhileOpen script([&](frmLoads& d) {
            c.act(d);
            test::Click(d.Command3);
            closed = !d.isVisible();
        });
        window->Command3->click();
        EXPECT_TRUE(closed);
        EXPECT_EQ(m.DialogCancelled, False);
        c.expect();
        std::vector<std::string> texts;
        for (const auto& message : rec.Messages) texts.push_back(message.Text);
        EXPECT_EQ(texts, c.messages);
    }
}

// Tab and Shift+Tab move cell to cell in every grid typed into, row after
// row, leaving the grid only past its last or first cell; each grid keeps
// its Enter (the factors' moves down), and the grid has the focus again.
TEST_F(LoadsDialogTest, GridKeysPutEveryValueInTheCellMeant) {
    enum Grid { LineLoads, Factors, Bars };
    constexpr int Last = -1, Left = -1, Closed = -2;  // the grid's last row; the focus left the grid; the window closed
    struct Landing { int row, col; const char* text; };
    struct Case { const char* what; Grid grid; int row, col; std::string keys; std::vector<Landing> landings; int endRow, endCol; };
    const Case cases[] = {
        {"a new load typed across its row", LineLoads, 3, 1, "5>2>3>180\n", {{3, 1, "5"}, {3, 2, "2"}, {3, 3, "3"}, {3, 4, "180"}}, 3, 5},
        {"Tab past a row's type goes on to the next row, Shift+Tab back", LineLoads, 1, 4, "7>>9<", {{1, 4, "7"}, {2, 1, "9"}}, 1, 5},
        {"Tab past the last cell leaves the grid", LineLoads, Last, 5, ">", {}, Left, 0},
        {"Shift+Tab before the first cell leaves the grid", LineLoads, 1, 1, "<", {}, Left, 0},
        {"a refused number keeps its cell current", LineLoads, 1, 2, "x>", {{1, 2, "0"}}, 1, 2},
        {"F2 and Down on a load type, then Esc, keep the type", LineLoads, 2, 5, "\x02\x03\x1b", {{2, 5, "DL - Structural dead load"}}, 2, 5},
        {"factors down a column", Factors, 1, 2, "1.25\n0.9\n", {{1, 2, "1.25"}, {2, 2, "0.9"}}, 3, 2},
        {"Shift+Tab to the last factor above, Tab back and across a row", Factors, 2, 1, "<2>Service>1.5>0.8\n",
         {{1, 19, "2"}, {2, 1, "Service"}, {2, 2, "1.5"}, {2, 3, "0.8"}}, 3, 3},
        {"Enter on a cell with no editor is Accept", LineLoads, 1, 1, "\n", {}, Closed, 0},
        {"bars typed across their row", Bars, BarDiameterRow, 2, "16>20\n", {{BarDiameterRow, 2, "16"}, {BarDiameterRow, 3, "20"}}, BarDiameterRow, 3},
        {"Tab past the last diameter goes to the first spacing", Bars, BarDiameterRow, 9, ">", {}, BarSpacingRow, 2},
        {"Tab past the last spacing leaves the sheet", Bars, BarSpacingRow, 9, ">", {}, Left, 0},
        {"Esc on a cell with no editor closes the dialog", Bars, BarSpacingRow, 2, "\x1b", {}, Closed, 0},
    };
    auto run = [](const Case& c, FlexGrid* g) {
        SCOPED_TRACE(c.what);
        g->SetRow(c.row == Last ? g->Rows() - 1 : c.row);
        g->SetCol(c.col);
        g->setFocus();
        TypeKeys(c.keys);
        EXPECT_EQ(g->window()->isVisible(), c.endRow != Closed);
        if (c.endRow == Closed) return;
        for (const Landing& l : c.landings) EXPECT_EQ(g->TextMatrix(l.row, l.col).toStdString(), l.text) << l.row << "," << l.col;
        const QWidget* focus = QApplication::focusWidget();
        EXPECT_FALSE(focus != nullptr && focus->inherits("brindlemar::GridCellEditor"));
        EXPECT_EQ(focus == g, c.endRow != Left);
        EXPECT_EQ(std::pair(g->Row(), g->Col()), c.endRow != Left ? std::pair(c.endRow, c.endCol) : std::pair(g->Row(), g->Col()));
    };
    {
        auto d = Open();
        for (int i = 0; i < 3; ++i) d->cmdLAdd->click();
        d->cmdFAdd->click();
        for (const Case& c : cases)
            if (c.grid != Bars) {
                d->SSTab1->setCurrentIndex(c.grid == Factors ? 1 : 0);
                run(c, c.grid == Factors ? d->MSHFlexGrid1 : d->MSHFlexGrid3);
            }
        // the working copies hold what the grids show
        EXPECT_FLOAT_EQ(d->WorkingLineLoads[3].Direction, 180);
        EXPECT_FLOAT_EQ(m.WorkingCombinationSets[m.EditedCombinationSet].Combinations[1].Factor[DL], 1.5f);
    }
    test::FactorForConcrete(m);
    m.UpperStemLength = 4;
    test::WhenOpen<frmRein> script([&](frmRein& d) {
            d.SSTab1->setCurrentIndex(frmRein::DesignTab);
            for (const Case& c : cases)
                if (c.grid == Bars) run(c, d.MSHFlexGrid5);
        }, &frmRein::Command1);
    window->Command5->click();
}

}  // namespace
}  // namespace brindlemar

// The stability results window and the reinforcement design dialog, opened
// through the main window's commands on the built-in wall: what the grids
// show against the model's results, and the edits that run the design again.

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolTip>
#include <QtTest/QTest>
#include <cstdlib>
#include <functional>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "analysis/Coefficients.h"
#include "analysis/SectionStations.h"
#include "design/DesignReinforcement.h"
#include "design/ReinforcementSheets.h"
#include "forms/DimensionEdit.h"
#include "ui/design/frmRein.h"
#include "ui/design/frmStability.h"
#include "platform/FlexGrid.h"
#include "platform/Refusal.h"
#include "runtime/Format.h"
#include "support/GridCells.h"
#include "support/MessageRecorder.h"
#include "support/PlainSIWall.h"

namespace brindlemar {
namespace {

// Acts on the modal window of type `Dialog` once it is open, then closes it.
template <typename Dialog>
struct WhenOpen : test::WhenOpen<Dialog> {
    explicit WhenOpen(std::function<void(Dialog&)> act) : test::WhenOpen<Dialog>(std::move(act), &Dialog::Command1) {}
};

std::string Text(const FlexGrid* grid, int row, int col) { return grid->TextMatrix(row, col).toStdString(); }

class DesignWindowsTest : public test::MainWindowTest {
protected:
    void FactoredForConcrete() {
        test::FactorForConcrete(m);
        m.UpperStemLength = 4;
    }

    // Opens the reinforcement dialog by its button and runs `act` in it.
    void InReinforcementDialog(std::function<void(frmRein&)> act) {
        WhenOpen<frmRein> script(std::move(act));
        window->Command5->click();
    }

    // Types `text` into the bar cell (row, col) of the flexure sheet and ends with `key`.
    static void TypeBar(frmRein& d, int row, int col, const QString& text, Qt::Key key = Qt::Key_Return) {
        d.SSTab1->setCurrentIndex(frmRein::DesignTab);
        d.MSHFlexGrid5->SetRow(row);
        d.MSHFlexGrid5->SetCol(col);
        d.MSHFlexGrid5->setFocus();
        QTest::keyClicks(d.MSHFlexGrid5, text.left(1));
        EXPECT_TRUE(d.txtRebar->isVisible());
        QTest::keyClicks(d.txtRebar, text.mid(1));
        QTest::keyClick(d.txtRebar, key);
    }
};

TEST_F(DesignWindowsTest, StabilitiesFromMenuToolButtonAndCommandButton) {
    struct Entry {
        const char* what;
        std::function<void()> open;
    };
    const Entry entries[] = {
        {"menu", [this] { window->mnuCalculateStability->trigger(); }},
        {"tool button", [this] { window->imgTool_Click(7); }},
        {"command button", [this] { window->Command4->click(); }},
    };
    EXPECT_TRUE(window->Command4->isEnabled());
    EXPECT_TRUE(window->imgTool[7]->isEnabled());
    m.CurrentCombination = 1;
    for (const Entry& entry : entries) {
        SCOPED_TRACE(entry.what);
        WhenOpen<frmStability> script([this](frmStability& w) {
            EXPECT_EQ(w.windowTitle(), "Brindlemar: Stabilities");
            const FlexGrid* grid = w.MSHFlexGrid1;
            const int n = m.CombinationSets[1].CombinationCount;
            ASSERT_EQ(grid->Cols(), n + 1);
            EXPECT_EQ(grid->TextMatrix(0, 0), "Load combinations\nUnfactored");
            // the name may wrap where the type is wide: its words and the formula's lines stay
            EXPECT_EQ(grid->TextMatrix(0, 1).replace('\n', ' '), "Sliding and eccentricity 1DL+1EV+1EH+1ES +1LL+1LD+1WA+1EQ +1IC+1S2");
            for (int i = 1; i <= n; ++i) {
                SCOPED_TRACE(i);
                EXPECT_EQ(Text(grid, 2, i), "Stable");
                EXPECT_EQ(Text(grid, 5, i), Format(-*m.CombinationTotalHorizontalForces[i], "#0.#0"));
                EXPECT_EQ(Text(grid, 6, i), Format(*m.CombinationTotalVerticalForces[i], "#0.#0"));
                EXPECT_EQ(Text(grid, 15, i), Format(*m.CombinationRightBearingPressures[i], "#0.#0"));
                EXPECT_EQ(Text(grid, 27, i), Format(*m.CombinationRotationResistingMoments[i], "#0.#0"));
            }
            // the built-in wall fails sliding: ratio 0.74, in red
            EXPECT_EQ(Text(grid, 23, 1), "0.74");
            EXPECT_EQ(grid->CellForeColor(23, 1), QColor(255, 0, 0));
            EXPECT_NE(grid->CellForeColor(18, 1), QColor(255, 0, 0));
            EXPECT_EQ(w.lblNote->text(), "Per 1 m of wall length.");
        });
        entry.open();
        // the combination of the main window is the one it was
        EXPECT_EQ(m.CurrentCombination, 1);
    }
}

// An acceleration beyond tan φ: the combination without the earthquake
// stands as it does without one; the other has no result, and the window,
// its note and the status panel say so and why, never "not stable".
TEST_F(DesignWindowsTest, AnEarthquakeWithoutAWedgeLeavesNoVerdictAndSaysWhy) {
    test::MessageRecorder messages;
    m.CombinationSets[1].Combinations[0].Factor[EQ] = 0;
    m.EnteredSeismicCoefficient = 0.7f;
    m.CurrentCombination = 1;
    window->RedrawView();
    EXPECT_EQ(window->Label5->text(), "NO RESULT");
    EXPECT_EQ(StatusLine(), "The earthquake acceleration is too large for the friction angle and slope of the backfill");
    WhenOpen<frmStability> script([](frmStability& w) {
        const FlexGrid* grid = w.MSHFlexGrid1;
        EXPECT_EQ(Text(grid, 2, 1), "Stable");
        EXPECT_EQ(Text(grid, 2, 2), "No result");
        EXPECT_EQ(Text(grid, 5, 2), "--");
        EXPECT_EQ(w.lblNote->text().toStdString(),
                  "Per 1 m of wall length.\nNo result: " + std::string(SeismicAccelerationTooLarge));
        // the whole note is in sight, above the button
        EXPECT_GE(w.lblNote->height(), w.lblNote->heightForWidth(w.lblNote->width()));
        EXPECT_LE(w.lblNote->mapTo(&w, QPoint(0, w.lblNote->height())).y(), w.Command1->y());
    });
    window->Command4->click();
}

// The grid has the focus, yet Enter and Esc close the window through "OK".
TEST_F(DesignWindowsTest, EnterAndEscCloseTheStabilityWindowFromItsGrid) {
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        bool closed = false;
        WhenOpen<frmStability> script([&](frmStability& w) {
            w.MSHFlexGrid1->setFocus();
            QTest::keyClick(QApplication::focusWidget(), key);
            closed = !w.isVisible();
        });
        window->Command4->click();
        EXPECT_TRUE(closed) << key;
    }
}

// The built-in "Unfactored" set has no concrete factors: the design tab is
// greyed, and the line under the combinations says why.
TEST_F(DesignWindowsTest, ASetWithoutConcreteFactorsSaysWhyNothingIsDesigned) {
    InReinforcementDialog([](frmRein& d) {
        EXPECT_FALSE(d.SSTab1->isTabEnabled(frmRein::DesignTab));
        EXPECT_TRUE(d.Label16->isVisible());
        EXPECT_EQ(d.Label16->text(), "Reinforcement is designed for combination sets with concrete factors CT, CC "
                                     "and CS; set \"Unfactored\" has none.");
        if (const char* folder = std::getenv("BRINDLEMAR_PICTURES"); folder && *folder)
            d.grab().save(QString("%1/reinforcement_unfactored.png").arg(folder));
        d.Command1->click();
    });
}

TEST_F(DesignWindowsTest, ReinforcementShowsTheForcesAndTheDesign) {
    FactoredForConcrete();
    InReinforcementDialog([this](frmRein& d) {
        EXPECT_EQ(d.windowTitle(), "Brindlemar: Reinforcement design");
        EXPECT_EQ(d.txtValue[1]->text(), "300");
        EXPECT_EQ(d.lblResist[0]->text(), "0.9");
        EXPECT_EQ(d.Label16->text(), "");
        ASSERT_TRUE(d.SSTab1->isTabEnabled(frmRein::DesignTab));

        const FlexGrid* forces = d.MSHFlexGrid1;
        ASSERT_EQ(forces->Rows(), 2 + 2);
        for (int c = 1; c <= 2; ++c)
            for (int j = 1; j <= 8; ++j) EXPECT_EQ(Text(forces, c + 1, j), Format(m.FlexureMoments[c][j], "0.#0 ;-0.#0 ;-- "));
        EXPECT_EQ(Text(d.MSHFlexGrid2, 1, 2), Format(ToSingle(StemMemberLength(m)) - 4, "0.#0"));
        EXPECT_EQ(d.txtLStem1->text(), "4");

        d.Combo1a->setCurrentIndex(1);
        d.Combo1a_Click();
        EXPECT_EQ(d.MSHFlexGrid1->Cols(), 5);
        EXPECT_EQ(Text(d.MSHFlexGrid1, 3, 2), Format(m.ShearForces[2][2], "0.#0 ;-0.#0 ;-- "));
        EXPECT_EQ(d.lblUnit1->text(), "Unit: T/m");

        // the lower stem's foot, worked by hand: 31 mm bars at 22 cm
        const FlexGrid* flexure = d.MSHFlexGrid5;
        EXPECT_EQ(Text(flexure, BarDiameterRow, 4), "31");
        EXPECT_EQ(Text(flexure, BarSpacingRow, 4), "22");
        EXPECT_EQ(Text(flexure, 0, 4), "Right");
        EXPECT_EQ(Text(d.MSHFlexGrid4, 0, 2), "Lower stem");
        for (int member = 1; member <= 4; ++member)
            EXPECT_EQ(Text(d.MSHFlexGrid6, 14, member + 1), m.ShearDesignResults[member].Result + "    ");
    });
}

// A vertical stem bends the same under two combinations that differ in
// their dead load (the thrust factor of the second, short by millionths,
// takes back the trace of moment its dead load leaves); the heavier loads the
// stem past its axial strength, so the bars fare worst under it, and the
// force tab's design rows show its forces as the design sheet does, not the
// least compressed one's that governs.
TEST_F(DesignWindowsTest, TheForceTabShowsTheForcesTheDesignShows) {
    test::MakePlainSIWall(m);
    test::ShapePlainWall(m, 1.0f, 0, 0.3f, 0, 2.5f, 4.0f, 0.4f, 0);
    m.ActiveCombinationSet = 1;
    CombinationSet& set = m.CombinationSets[1];
    set.CombinationCount = 2;
    set.Combinations[0].Factor = {};
    for (int code : {DL, EH}) set.Combinations[0].Factor[code] = 1;
    set.Combinations[1] = set.Combinations[0];
    set.Combinations[1].Factor[DL] = 150;
    set.Combinations[1].Factor[EH] = 0.9999975f;
    test::FactorForConcrete(m);
    InReinforcementDialog([this](frmRein& d) {
        ASSERT_TRUE(d.SSTab1->isTabEnabled(frmRein::DesignTab));
        int shown = 0;
        for (int p = 1; p <= 4; ++p) {
            if (m.FlexureDesignResults[p].Combination != 2 || m.GoverningFlexureCombinations[p] != 1) continue;
            ++shown;
            EXPECT_EQ(Text(d.MSHFlexGrid3, 1, p), Format(m.FlexureAxialForces[2][p], "0.#0 ;-0.#0 ;-- ")) << p;
            EXPECT_NEAR(Val(Text(d.MSHFlexGrid3, 1, p)), Val(Text(d.MSHFlexGrid5, 10, p + 1)), 0.0051) << p;
        }
        EXPECT_GT(shown, 0);
    });
}

TEST_F(DesignWindowsTest, TypedBarsAreDesignedAndEveryFaceKeepsItsBars) {
    FactoredForConcrete();
    m.ProjectModified = False;
    InReinforcementDialog([this](frmRein& d) {
        const std::string searched = Text(d.MSHFlexGrid5, BarDiameterRow, 2);
        TypeBar(d, BarDiameterRow, 4, "-25");
        EXPECT_EQ(Text(d.MSHFlexGrid5, BarDiameterRow, 4), "25");
        EXPECT_FLOAT_EQ(m.UserBarDiameters[3], 25);
        EXPECT_FLOAT_EQ(m.FlexureDesignResults[3].BarDiameter, 0.025f);
        EXPECT_EQ(m.ProjectModified, True);
        // the bars the search found elsewhere are now the user's
        EXPECT_FLOAT_EQ(m.UserBarDiameters[1], Val(searched));
        EXPECT_EQ(d.MSHFlexGrid5->Row(), BarDiameterRow);
        EXPECT_EQ(d.MSHFlexGrid5->Col(), 4);
        EXPECT_FALSE(d.txtRebar->isVisible());

        // text without a number: the face is searched again
        TypeBar(d, BarSpacingRow, 4, "abc");
        EXPECT_FLOAT_EQ(m.UserBarSpacings[3], 0);
        EXPECT_GT(Val(Text(d.MSHFlexGrid5, BarSpacingRow, 4)), 0);

        // Esc keeps the cell as it was
        m.ProjectModified = False;
        const std::string before = Text(d.MSHFlexGrid5, BarDiameterRow, 5);
        TypeBar(d, BarDiameterRow, 5, "9", Qt::Key_Escape);
        EXPECT_EQ(Text(d.MSHFlexGrid5, BarDiameterRow, 5), before);
        EXPECT_EQ(m.ProjectModified, False);
        EXPECT_TRUE(d.isVisible());

        // the design method re-runs the design and leaves the project as it was
        d.Option1[1]->click();
        EXPECT_EQ(m.ReinforcementDesignMethod, 1);
        EXPECT_EQ(m.ProjectModified, False);
        // 50 mm bars 2 cm apart cannot exist: every check fails, and says why
        TypeBar(d, BarSpacingRow, 4, "2");
        TypeBar(d, BarDiameterRow, 4, "50");
        EXPECT_EQ(Text(d.MSHFlexGrid5, 40, 4), "Not OK");
        EXPECT_TRUE(d.MSHFlexGrid5->CellToolTip(40, 4).startsWith("50 mm bars 2 cm apart overlap"));
    });
}

// Metric bars shown in British: each cell at the digits of its unit, and
// the bars kept exact when another cell is edited.
TEST_F(DesignWindowsTest, ConvertedBarsAreShownToTheirUnitAndKeptExact) {
    FactoredForConcrete();
    m.UserBarDiameters[3] = 14;
    m.UserBarSpacings[3] = 16;
    window->mnuUnitBritish->trigger();
    const float diameter = m.UserBarDiameters[3], spacing = m.UserBarSpacings[3];
    ASSERT_NE(GeneralNumber(diameter), "0.551");
    InReinforcementDialog([&](frmRein& d) {
        EXPECT_EQ(Text(d.MSHFlexGrid5, BarDiameterRow, 4), "0.551");
        EXPECT_EQ(Text(d.MSHFlexGrid5, BarSpacingRow, 4), "6.3");
        TypeBar(d, BarDiameterRow, 2, "0.75");
        EXPECT_EQ(m.UserBarDiameters[3], diameter);
        EXPECT_EQ(m.UserBarSpacings[3], spacing);
        EXPECT_FLOAT_EQ(m.UserBarDiameters[1], 0.75f);
        if (const char* folder = std::getenv("BRINDLEMAR_PICTURES"); folder && *folder)
            d.grab().save(QString("%1/reinforcement_british.png").arg(folder));
    });
}

TEST_F(DesignWindowsTest, BarEditorOpensOnTheCurrentCellOnly) {
    FactoredForConcrete();
    InReinforcementDialog([](frmRein& d) {
        d.SSTab1->setCurrentIndex(frmRein::DesignTab);
        FlexGrid* sheet = d.MSHFlexGrid5;
        const int width = sheet->width();
        test::ClickCell(sheet, BarDiameterRow, 3);
        EXPECT_EQ(sheet->Row(), BarDiameterRow);
        EXPECT_FALSE(d.txtRebar->isVisible()) << "a click that moves only selects";
        test::ClickCell(sheet, BarDiameterRow, 3);
        ASSERT_TRUE(d.txtRebar->isVisible());
        EXPECT_EQ(d.txtRebar->text().toStdString(), Text(sheet, BarDiameterRow, 3));
        EXPECT_EQ(sheet->ScrollBars(), FlexScrollNone);
        EXPECT_NEAR(width - sheet->width(), 270 / sheet->Tpp(), 1);
        QTest::keyClick(d.txtRebar, Qt::Key_Escape);
        EXPECT_EQ(sheet->width(), width);
        EXPECT_EQ(sheet->ScrollBars(), FlexScrollVertical);

        // a caption cell opens nothing
        sheet->SetRow(9);
        sheet->SetCol(3);
        QTest::mouseDClick(sheet->viewport(), Qt::LeftButton, {}, test::CellCentre(sheet, 9, 3));
        EXPECT_FALSE(d.txtRebar->isVisible());
    });
}

TEST_F(DesignWindowsTest, UpperStemLengthBox) {
    FactoredForConcrete();
    // a stem of 1.0799999, shown as 1.08, to which the upper stem's 4 is cut back
    StoreDimension(m, 6, 1.35f);
    test::MessageRecorder rec;
    m.ProjectModified = False;
    InReinforcementDialog([&](frmRein& d) {
        d.SSTab1->setCurrentIndex(1);
        const std::string stem = GeneralNumber(ToSingle(StemMemberLength(m)));
        const std::string longest = "The upper stem is at most " + stem + " " + m.LengthUnitLabels[m.CurrentUnitSystem] + " long";
        struct Case { const char* typed; bool valid; std::string shown; std::string reason; };
        const Case cases[] = {{nullptr, true, stem, ""},  // clicked into and left untouched
                              {"100", false, stem, longest},
                              {"-1", false, "-1", "Type a number of 0 or more"},
                              {"x", false, "x", "\"x\" is no number: type digits and a decimal point, such as 2.5"},
                              {"0.5", true, "0.5", ""},
                              {stem.c_str(), true, stem, ""}};
        for (const Case& k : cases) {
            SCOPED_TRACE(k.typed ? k.typed : "untouched");
            const int beeps = rec.Beeps;
            d.txtLStem1->setFocus();
            if (k.typed) d.txtLStem1->setText(k.typed);
            QTest::keyClick(d.txtLStem1, Qt::Key_Return);
            EXPECT_TRUE(k.typed || m.ProjectModified == False);
            EXPECT_EQ(d.txtLStem1->text().toStdString(), k.shown);
            EXPECT_EQ(rec.Beeps, beeps + (k.valid ? 0 : 1));
            EXPECT_EQ(m.DialogCancelled, k.valid ? False : True);
            EXPECT_EQ(IsMarkedRefused(d.txtLStem1), !k.valid);
            EXPECT_EQ(d.txtLStem1->toolTip().toStdString(), k.reason);
            if (k.valid) {
                EXPECT_FLOAT_EQ(m.UpperStemLength, static_cast<float>(Val(k.shown)));
                EXPECT_EQ(Text(d.MSHFlexGrid4, 1, 1), Format(m.UpperStemLength, "0.#0"));
            }
        }
        EXPECT_EQ(m.ProjectModified, True);
        // entered by a click left of its "0", as a cell: what is typed replaces the length; F2 edits it
        QApplication::processEvents();
        d.Combo1a->setFocus();
        d.txtLStem1->setText("0");
        QTest::mouseClick(d.txtLStem1, Qt::LeftButton, {}, QPoint(2, d.txtLStem1->height() / 2));
        QTest::keyClicks(d.txtLStem1, "1");
        QTest::keyClick(d.txtLStem1, Qt::Key_Return);
        EXPECT_FLOAT_EQ(m.UpperStemLength, 1);
        QTest::keyClick(d.txtLStem1, Qt::Key_F2);
        QTest::keyClicks(d.txtLStem1, ".05");
        QTest::keyClick(d.txtLStem1, Qt::Key_Return);
        EXPECT_FLOAT_EQ(m.UpperStemLength, 1.05f);
        // Esc takes back a length typed and not applied, and leaves the dialog open
        d.txtLStem1->setText("2");
        QTest::keyClick(d.txtLStem1, Qt::Key_Escape);
        EXPECT_EQ(d.txtLStem1->text(), "1.05");
        EXPECT_TRUE(d.isVisible());
        // leaving the box for "Close" neither checks nor stores it
        d.txtLStem1->setFocus();
        d.txtLStem1->setText("2");
        d.Command1->setFocus();
        EXPECT_FLOAT_EQ(m.UpperStemLength, 1.05f);
    });
}

// The stem was shortened since the upper stem's length was chosen: the
// length is cut back before any force is shown, and the forces are those of
// the length shown.
TEST_F(DesignWindowsTest, UpperStemLongerThanTheStemIsCutBackFirst) {
    FactoredForConcrete();
    m.UpperStemLength = 50;
    InReinforcementDialog([this](frmRein& d) {
        const float stem = ToSingle(StemMemberLength(m));
        EXPECT_FLOAT_EQ(m.UpperStemLength, stem);
        EXPECT_FLOAT_EQ(m.FlexureSectionDistances[1][1], stem);
        EXPECT_EQ(d.txtLStem1->text().toStdString(), GeneralNumber(stem));
        EXPECT_EQ(Text(d.MSHFlexGrid2, 1, 2), "0.00");
        EXPECT_EQ(Text(d.MSHFlexGrid4, 1, 2), "0.00");
    });
}

TEST_F(DesignWindowsTest, MaterialBoxes) {
    FactoredForConcrete();
    InReinforcementDialog([this](frmRein& d) {
        m.ProjectModified = False;
        d.txtValue[1]->setFocus();
        d.txtValue[1]->setText("-280");
        QTest::keyClick(d.txtValue[1], Qt::Key_Return);
        EXPECT_EQ(d.txtValue[1]->text(), "280");
        EXPECT_FLOAT_EQ(m.ConcreteCompressiveStress, 280);
        EXPECT_EQ(m.ProjectModified, True);
        // Esc in a box does not close the dialog
        QTest::keyClick(d.txtValue[1], Qt::Key_Escape);
        EXPECT_TRUE(d.isVisible());
        // a text that is no number is no 0 nor its leading digits: the value stays, and the box says why
        for (const char* typed : {"abc", "2,5"}) {
            d.txtValue[1]->setText(typed);
            QTest::keyClick(d.txtValue[1], Qt::Key_Return);
            EXPECT_EQ(d.txtValue[1]->text(), "280") << typed;
            EXPECT_FLOAT_EQ(m.ConcreteCompressiveStress, 280) << typed;
            EXPECT_TRUE(IsMarkedRefused(d.txtValue[1])) << typed;
            EXPECT_EQ(d.txtValue[1]->toolTip().toStdString(),
                      "\"" + std::string(typed) + "\" is no number: type digits and a decimal point, such as 2.5");
        }
        d.txtValue[1]->setText("1e39");
        QTest::keyClick(d.txtValue[1], Qt::Key_Return);
        EXPECT_EQ(d.txtValue[1]->toolTip(), "Overflow in \"Concrete compressive stress\"");

        // the concrete's weight changes the design forces
        const float moment = m.FlexureMoments[1][3];
        d.txtValue[0]->setFocus();
        d.txtValue[0]->setText("1.2");
        QTest::keyClick(d.txtValue[0], Qt::Key_Return);
        EXPECT_NE(m.FlexureMoments[1][3], moment);
        EXPECT_EQ(Text(d.MSHFlexGrid1, 2, 3), Format(m.FlexureMoments[1][3], "0.#0 ;-0.#0 ;-- "));
    });
    // what the boxes hold is kept when the dialog closes
    EXPECT_FLOAT_EQ(m.ConcreteUnitWeight, 1.2f);
}

// A push at the top of the wall towards the toe that only the second
// combination carries, and four more combinations than fit side by side.
TEST_F(DesignWindowsTest, UnstableCombinationAndMoreColumnsThanFit) {
    FactoredForConcrete();
    CombinationSet& set = m.CombinationSets[1];
    for (int c = 2; c < 6; ++c) set.Combinations[c] = set.Combinations[0];
    set.CombinationCount = 6;
    set.Combinations[1].Factor[LL] = 1;
    for (int c : {0, 2, 3, 4, 5}) set.Combinations[c].Factor[LL] = 0;
    m.LineLoadCount = 1;
    m.LineLoads[1] = {200, 5, 11, -90, LL};

    WhenOpen<frmStability> stability([](frmStability& w) {
        const FlexGrid* grid = w.MSHFlexGrid1;
        EXPECT_EQ(Text(grid, 2, 2), "Not stable");
        EXPECT_EQ(grid->CellForeColor(2, 2), QColor(255, 0, 0));
        EXPECT_NE(Text(grid, 10, 2), "");
        EXPECT_EQ(Text(grid, 14, 2), "");
        EXPECT_EQ(Text(grid, 2, 6), "Stable");
        // four combinations in sight, the rest behind the horizontal scroll bar
        const int fourColumns = grid->ColWidth(0) + 4 * grid->ColWidth(1);
        EXPECT_NEAR(grid->width() * grid->Tpp(), fourColumns + 45, 45);
        EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
        EXPECT_FALSE(grid->verticalScrollBar()->isVisible());
    });
    window->Command4->click();

    InReinforcementDialog([](frmRein& d) {
        EXPECT_FALSE(d.SSTab1->isTabEnabled(frmRein::DesignTab));
        EXPECT_EQ(d.Label16->text(), "One or more combinations are not stable, reinforcement design cancelled.");
        EXPECT_TRUE(d.MSHFlexGrid1->TextMatrix(3, 0).contains(" (not stable)\n"));
        EXPECT_EQ(Text(d.MSHFlexGrid1, 3, 1), "");
        EXPECT_EQ(Text(d.MSHFlexGrid3, 0, 1), "");
        d.Combo1a->setCurrentIndex(1);
        d.Combo1a_Click();
        EXPECT_EQ(Text(d.MSHFlexGrid1, 3, 1), "Not stable");
    });
}

// Long names that differ only at their end: a cell shows each cut at its end
// with "…", an unstable one keeps its mark in sight, and the whole text is
// the cell's tool tip.
TEST_F(DesignWindowsTest, LongSimilarNamesAreCutAtTheirEndAndWholeInTheToolTip) {
    FactoredForConcrete();
    CombinationSet& set = m.CombinationSets[1];
    const std::string start = "Strength with the full hydrostatic uplift under the base and the design event";
    set.Combinations[0].Name = start + " I";
    set.Combinations[1].Name = start + " II";
    set.Combinations[1].Factor[LL] = 1;
    set.Combinations[0].Factor[LL] = 0;
    // a formula of every load: three lines of terms, each whole
    set.CombinationCount = 3;
    set.Combinations[2] = set.Combinations[0];
    set.Combinations[2].Name = "Every load";
    for (int f = DL; f <= S2; ++f) set.Combinations[2].Factor[f] = 1.25f;
    set.Name = "LRFD AASHTO Strength I and Extreme Event I - earthquake with hydrodynamic water";
    m.LineLoadCount = 1;
    m.LineLoads[1] = {200, 5, 11, -90, LL};
    const auto shown = [](const FlexGrid* grid, int row, int col) { return grid->ShownText(row, col).split('\n')[0]; };
    const QString ellipsis = QString::fromUtf8("\u2026");

    WhenOpen<frmStability> stability([&](frmStability& w) {
        const FlexGrid* grid = w.MSHFlexGrid1;
        for (int i = 1; i <= 2; ++i) {
            SCOPED_TRACE(i);
            // the name over two lines, cut on the second
            EXPECT_TRUE(shown(grid, 0, i).startsWith("Strength with")) << shown(grid, 0, i).toStdString();
            EXPECT_TRUE(grid->ShownText(0, i).split('\n')[1].endsWith(ellipsis));
            EXPECT_EQ(grid->CellToolTip(0, i).split('\n')[0].toStdString(), set.Combinations[i - 1].Name);
            // a text in sight whole has no tip
            EXPECT_EQ(grid->CellToolTip(2, i), "");
        }
        // the formula's lines whole under the name
        for (int i = 1; i <= 3; ++i) {
            const QStringList lines = grid->TextMatrix(0, i).split('\n');
            EXPECT_EQ(grid->ShownText(0, i).split('\n').mid(i < 3 ? 2 : 1), lines.mid(i < 3 ? 2 : 1)) << i;
        }
        EXPECT_TRUE(grid->TextMatrix(0, 3).endsWith("+1.25S1+1.25S2")) << grid->TextMatrix(0, 3).toStdString();
        // the mouse resting on the second heading shows its whole text
        const QPoint point((grid->ColWidth(0) + grid->ColWidth(1) * 1.5) / grid->Tpp(), grid->RowHeight(0) / 2 / grid->Tpp());
        QHelpEvent help(QEvent::ToolTip, point, grid->viewport()->mapToGlobal(point));
        QApplication::sendEvent(grid->viewport(), &help);
        EXPECT_EQ(QToolTip::text(), grid->CellToolTip(0, 2));
    });
    window->Command4->click();

    InReinforcementDialog([&](frmRein& d) {
        const FlexGrid* forces = d.MSHFlexGrid1;
        for (int c = 1; c <= 2; ++c) {
            SCOPED_TRACE(c);
            const std::string whole = set.Combinations[c - 1].Name + (c == 2 ? " (not stable)" : "");
            EXPECT_TRUE(shown(forces, c + 1, 0).startsWith("Strength with"));
            EXPECT_TRUE(shown(forces, c + 1, 0).endsWith(ellipsis + (c == 2 ? " (not stable)" : "")))
                << shown(forces, c + 1, 0).toStdString();
            EXPECT_EQ(forces->CellToolTip(c + 1, 0).split('\n')[0].toStdString(), whole);
        }
        // the set's name, cut at its end, whole in the tool tip
        EXPECT_TRUE(d.lblComboSet->text().endsWith(ellipsis)) << d.lblComboSet->text().toStdString();
        EXPECT_LE(d.lblComboSet->fontMetrics().horizontalAdvance(d.lblComboSet->text()), d.lblComboSet->contentsRect().width());
        EXPECT_EQ(d.lblComboSet->toolTip().toStdString(), set.Name);
    });

    // the main window's lists: open as wide as their longest name, a cut name whole in the tool tip
    window->RefreshControlsFromModel();
    for (QComboBox* box : {window->Combo2, window->Combo3}) {
        SCOPED_TRACE(box->objectName().toStdString());
        int widest = 0;
        for (int i = 0; i < box->count(); ++i) widest = std::max(widest, box->view()->fontMetrics().horizontalAdvance(box->itemText(i)));
        EXPECT_GE(box->view()->minimumWidth(), widest);
        EXPECT_GT(box->fontMetrics().horizontalAdvance(box->currentText()), box->width()) << "a name longer than the box";
        EXPECT_EQ(box->toolTip(), box->currentText());
    }
}

// A set of more combinations than the result tables hold is refused with a
// message, and the program goes on.
TEST_F(DesignWindowsTest, ARunTimeErrorIsToldAndNoWindowOpens) {
    for (QPushButton* command : {window->Command4, window->Command5}) {
        SCOPED_TRACE(command->objectName().toStdString());
        test::MessageRecorder rec;
        m.CombinationSets[1].CombinationCount = 51;
        command->click();
        m.CombinationSets[1].CombinationCount = 2;
        ASSERT_FALSE(rec.Messages.empty());
        EXPECT_EQ(rec.Messages.back().Text, "Subscript out of range");
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    }
}

}  // namespace
}  // namespace brindlemar

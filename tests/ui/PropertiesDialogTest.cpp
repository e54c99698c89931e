#include <QLabel>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "forms/DialogEntries.h"
#include "platform/Refusal.h"
#include "support/MessageRecorder.h"
#include "ui/dialogs/frmLoads.h"
#include "ui/dialogs/frmProperties.h"
#include "ui/dialogs/frmRestraint.h"

namespace brindlemar {
namespace {

using test::Click;
using test::TypeInto;

class PropertiesDialogTest : public test::MainWindowTest {
protected:
    std::unique_ptr<frmProperties> Open() { return test::OpenDialog<frmProperties>(m, window.get()); }
    // The box on its page, as the user finds it.
    static QLineEdit* Box(frmProperties& d, int index) {
        ShowPage(d, PropertyBoxAt(index).Page);
        return d.txtValue[index];
    }
    static void ShowPage(frmProperties& d, int page) {
        d.SSTab1->setCurrentIndex(page);
        QApplication::processEvents();
    }
    // A value of the model that only a redraw's analysis writes.
    static constexpr float NotAnalysed = -7;
};

// Cancel stores nothing and redraws nothing, and from a bad value it closes
// without a beep.
TEST_F(PropertiesDialogTest, OpensFromItsButtonMenuAndToolButtonAndCancelChangesNothing) {
    struct Command {
        const char* what;
        std::function<void()> open;
        const char* typed;
    };
    const Command commands[] = {
        {"button", [this] { Click(window->Command2); }, "9"},
        {"button, from a bad value", [this] { Click(window->Command2); }, "0"},
        {"menu", [this] { window->mnuEditProperties->trigger(); }, "9"},
        {"tool button", [this] { window->imgTool_Click(4); }, "9"},
    };
    for (const Command& c : commands) {
        SCOPED_TRACE(c.what);
        test::MessageRecorder rec;
        const float weight = m.ConcreteUnitWeight;
        m.ProjectModified = False;
        m.SlidingResistanceRatio = NotAnalysed;
        test::WhenOpen<frmProperties> script([&c](frmProperties& d) {
            EXPECT_EQ(d.windowTitle(), "Brindlemar: Properties");
            EXPECT_EQ(d.SSTab1->currentIndex(), 0);
            QStringList tabs;
            for (int i = 0; i < d.SSTab1->count(); ++i) tabs << d.SSTab1->tabText(i);
            EXPECT_EQ(tabs.join("|"), "Backfill earth|Base|Toe earth|Water|Friction angles|Wall|Reinforcement");
            EXPECT_EQ(d.txtValue[8]->text(), "1.7");
            TypeInto(Box(d, 0), c.typed);
            Click(d.Command2);
        });
        c.open();
        EXPECT_EQ(rec.Beeps, 0);
        EXPECT_EQ(m.ConcreteUnitWeight, weight);
        EXPECT_EQ(m.ProjectModified, False);
        EXPECT_EQ(m.DialogCancelled, False);
        EXPECT_EQ(m.SlidingResistanceRatio, NotAnalysed) << "a cancelled dialog redraws nothing";
    }
}

TEST_F(PropertiesDialogTest, AcceptStoresTheValuesMarksTheProjectAndRedraws) {
    m.ProjectModified = False;
    m.SlidingResistanceRatio = NotAnalysed;
    test::WhenOpen<frmProperties> script([](frmProperties& d) {
        TypeInto(Box(d, 0), "2.5");
        ShowPage(d, BackfillEarthPage);
        Click(d.Option1[AtRest]);
        Click(d.Command1);
        EXPECT_FALSE(d.isVisible());
    });
    Click(window->Command2);
    EXPECT_EQ(m.ConcreteUnitWeight, 2.5f);
    EXPECT_EQ(m.EarthPressureOption, AtRest);
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_EQ(m.DialogCancelled, False);
    EXPECT_NE(m.SlidingResistanceRatio, NotAnalysed);
}

TEST_F(PropertiesDialogTest, ABadValueBeepsKeepsTheFocusAndBlocksAcceptUntilCorrected) {
    m.BaseMaterialOption = Soil;
    m.BearingResistanceMethod = SptBearing;
    struct Case {
        int index;
        const char* text;
        const char* reason;  // nullptr: taken
    };
    const char* const noNumber = "\" is no number: type digits and a decimal point, such as 2.5";
    const std::string letters = std::string("\"12a") + noNumber, comma = std::string("\"2,5") + noNumber;
    const Case cases[] = {
        {0, "0", "Type a number greater than 0"},
        {11, "0", nullptr},
        {11, "-1", "Type an angle of 0 or more and less than 90"},
        {14, "-1", "Type a number of 0 or more"},
        {24, "-5", nullptr},
        {26, "", "Type a number"},
        {8, "12a", letters.c_str()},
        {13, "2,5", comma.c_str()},
        {1, "1e39", "Overflow in \"Compressive stress\""},
        {18, "1e-3", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.index) + " \"" + c.text + "\"");
        const float before = m.*PropertyBoxAt(c.index).Variable;
        auto d = Open();
        test::MessageRecorder rec;
        QLineEdit* box = Box(*d, c.index);
        TypeInto(box, c.text);
        Click(d->Command1);  // leaving the box checks it first
        if (c.reason == nullptr) {
            EXPECT_EQ(rec.Beeps, 0);
            EXPECT_FALSE(d->isVisible());
            EXPECT_EQ(m.*PropertyBoxAt(c.index).Variable, EntryValue(c.text));
            continue;
        }
        EXPECT_EQ(rec.Beeps, 1);
        EXPECT_TRUE(d->isVisible());
        EXPECT_TRUE(box->hasFocus());
        EXPECT_EQ(box->text(), c.text) << "the text stays as typed";
        EXPECT_TRUE(IsMarkedRefused(box));
        EXPECT_EQ(box->toolTip().toStdString(), c.reason);
        EXPECT_EQ(m.DialogCancelled, True);
        EXPECT_EQ(m.*PropertyBoxAt(c.index).Variable, before);
        // the note stands clear of the other boxes, and its reason follows what is typed
        QApplication::processEvents();
        const QWidget* note = RefusalReasonOf(d.get());
        ASSERT_NE(note, nullptr);
        for (const QLineEdit* other : d->findChildren<QLineEdit*>())
            EXPECT_FALSE(other != box && other->isVisible() &&
                         QRect(other->mapTo(d.get(), QPoint()), other->size()).intersects(QRect(note->mapTo(d.get(), QPoint()), note->size())))
                << other->objectName().toStdString();
        TypeInto(box, "x");
        EXPECT_EQ(box->toolTip().toStdString(), std::string("\"x") + noNumber);
        // corrected and left, Accept stores and closes
        TypeInto(box, "5");
        EXPECT_FALSE(IsMarkedRefused(box)) << "the mark goes as soon as the text is one to take";
        Click(d->Command1);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(m.*PropertyBoxAt(c.index).Variable, 5.0f);
        EXPECT_EQ(m.DialogCancelled, False);
    }
}

TEST_F(PropertiesDialogTest, ABadValueLeftByAnyOtherWayIsStillRefusedByAccept) {
    test::MessageRecorder rec;
    // the press on Cancel skips the check, but the click is abandoned
    auto d = Open();
    TypeInto(Box(*d, 0), "0");
    QTest::mousePress(d->Command2, Qt::LeftButton);
    QTest::mouseRelease(d->Command2, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_TRUE(d->isVisible());
    EXPECT_EQ(rec.Beeps, 0);
    Click(d->Command1);
    EXPECT_EQ(rec.Beeps, 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(d->txtValue[0]->hasFocus());
    EXPECT_NE(m.ConcreteUnitWeight, 0.0f);
    d.reset();

    // another page chosen while the box holds a bad value: its page comes back
    d = Open();
    TypeInto(Box(*d, 8), "0");
    QTabBar* tabs = d->SSTab1->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(WallPage).center());
    QApplication::processEvents();
    EXPECT_EQ(rec.Beeps, 2);
    EXPECT_EQ(d->SSTab1->currentIndex(), BackfillEarthPage);
    EXPECT_TRUE(d->txtValue[8]->hasFocus());
    Click(d->Command1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_NE(m.BackfillUnitWeight, 0.0f);
    d.reset();

    // a box greyed after a bad value takes no part: nobody can correct it,
    // so Accept closes, and the box keeps its stored value
    m.BaseMaterialOption = Soil;
    m.BearingResistanceMethod = NominalBearing;
    const float nominal = m.NominalBearingResistance;
    d = Open();
    TypeInto(Box(*d, NominalBearingBox), "abc");
    Click(d->Option3[SptBearing]);
    EXPECT_FALSE(d->txtValue[NominalBearingBox]->isEnabled());
    EXPECT_FALSE(IsMarkedRefused(d->txtValue[NominalBearingBox]));
    Click(d->Command1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.BearingResistanceMethod, SptBearing);
    EXPECT_EQ(m.NominalBearingResistance, nominal);
}

TEST_F(PropertiesDialogTest, TheBaseMaterialAndMethodEnableTheBoxTheMethodNeeds) {
    m.BaseMaterialOption = Soil;
    m.BearingResistanceMethod = CptBearing;
    auto d = Open();
    const auto enabled = [&] {
        std::string state;
        for (int i : {NominalBearingBox, SptBlowCountBox, CptTipResistanceBox}) state += d->txtValue[i]->isEnabled() ? '1' : '0';
        state += ' ';
        for (int i = 1; i < 4; ++i) state += d->Option3[i]->isEnabled() ? '1' : '0';
        return state;
    };
    EXPECT_EQ(enabled(), "001 111");
    EXPECT_TRUE(d->Option3[CptBearing]->isChecked());
    ShowPage(*d, BasePage);
    struct Step {
        QRadioButton* click;
        const char* state;
    };
    const Step steps[] = {
        {d->Option3[TheoreticalBearing], "000 111"},
        {d->Option3[SptBearing], "010 111"},
        {d->Option2[Rock], "100 000"},
        {d->Option2[Soil], "100 111"},
        {d->Option3[CptBearing], "001 111"},
    };
    for (const Step& s : steps) {
        Click(s.click);
        EXPECT_EQ(enabled(), s.state) << s.click->objectName().toStdString();
    }
    Click(d->Option2[Rock]);
    EXPECT_TRUE(d->Option3[NominalBearing]->isChecked());

    // the theoretical capacity bears on the base's weight: Accept asks for it
    m.BaseUnitWeight = 0;
    d = Open();
    ShowPage(*d, BasePage);
    Click(d->Option3[TheoreticalBearing]);
    test::MessageRecorder rec;
    Click(d->Command1);
    EXPECT_TRUE(d->isVisible());
    QLineEdit* weight = d->txtValue[BaseUnitWeightPropertyBox];
    EXPECT_TRUE(IsMarkedRefused(weight));
    EXPECT_EQ(weight->toolTip().toStdString(), BearingMethodRefusal(TheoreticalBearing, "0"));
    test::TypeInto(weight, "1.9");
    Click(d->Command1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.BearingResistanceMethod, TheoreticalBearing);
    EXPECT_EQ(m.BaseUnitWeight, 1.9f);
}

TEST_F(PropertiesDialogTest, HiddenRowsCarryTheirValues) {
    m.BackfillCohesion = 1.25f;
    m.BaseElasticityModulus = 0;  // not a valid modulus, but never shown, so kept
    m.ToeEarthCohesion = 0.5f;
    m.ProjectModified = False;
    auto d = Open();
    for (int i : {12, 16, 23}) {
        EXPECT_TRUE(d->txtValue[i]->isHidden()) << i;
        EXPECT_FALSE(d->txtValue[i]->isEnabled()) << i;
        EXPECT_TRUE(d->findChild<QLabel*>(QString("Shape1_%1").arg(i))->isHidden()) << i;
        EXPECT_TRUE(d->lblUnit[i]->isHidden()) << i;
    }
    Click(d->Command1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.BackfillCohesion, 1.25f);
    EXPECT_EQ(m.BaseElasticityModulus, 0.0f);
    EXPECT_EQ(m.ToeEarthCohesion, 0.5f);
    EXPECT_EQ(m.ProjectModified, False);
}

// Enter is Accept, or the button that has the focus, and Esc is Cancel in
// the dialogs that edit the wall; a box that takes Enter or Esc for its own
// entry keeps it, a grid with no editor open does not.
TEST_F(PropertiesDialogTest, EnterAcceptsAndEscapeCancelsTheWallsDialogs) {
    enum Dialog { Properties, Restraints, Loads }; enum Outcome { StaysOpen, Accepted, Cancelled };
    struct Case { Dialog dialog; const char* control; Qt::Key key; Outcome want; };
    const Case cases[] = {
        {Properties, "txtValue_8", Qt::Key_Return, Accepted}, {Properties, "txtValue_8", Qt::Key_Escape, Cancelled},
        {Properties, "Command2", Qt::Key_Return, Cancelled},  {Restraints, "txtValue_1", Qt::Key_Return, Accepted},
        {Restraints, "Command2", Qt::Key_Return, Cancelled},  {Loads, "Option1_0", Qt::Key_Return, Accepted},
        {Loads, "txtSurcharge", Qt::Key_Escape, Cancelled},   {Loads, "Command4", Qt::Key_Return, Cancelled},
        {Loads, "txtSurcharge", Qt::Key_Return, StaysOpen},   {Loads, "MSHFlexGrid3", Qt::Key_Escape, Cancelled},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.dialog) + " " + c.control + " " + std::to_string(c.key));
        m.DialogCancelled = False;  // as the main window leaves it after each dialog
        std::unique_ptr<QDialog> d;
        if (c.dialog == Properties) d = test::OpenDialog<frmProperties>(m, window.get());
        if (c.dialog == Restraints) d = test::OpenDialog<frmRestraint>(m, window.get());
        if (c.dialog == Loads) d = test::OpenDialog<frmLoads>(m, window.get());
        auto* control = d->findChild<QWidget*>(c.control);
        ASSERT_NE(control, nullptr);
        control->setFocus();
        QTest::keyClick(control, c.key);
        EXPECT_EQ(d->isVisible() ? StaysOpen : d->result() == QDialog::Accepted ? Accepted : Cancelled, c.want);
    }
}

}  // namespace
}  // namespace brindlemar

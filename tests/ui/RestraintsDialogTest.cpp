#include <QCheckBox>
#include <QLabel>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "forms/DialogEntries.h"
#include "platform/Refusal.h"
#include "support/MessageRecorder.h"
#include "ui/dialogs/frmRestraint.h"

namespace brindlemar {
namespace {

using test::Click;
using test::TypeInto;

class RestraintsDialogTest : public test::MainWindowTest {
protected:
    std::unique_ptr<frmRestraint> Open() { return test::OpenDialog<frmRestraint>(m, window.get()); }
};

TEST_F(RestraintsDialogTest, OpensFromItsButtonMenuAndToolButtonAndAcceptStoresAndRedraws) {
    const std::pair<const char*, std::function<void()>> commands[] = {
        {"button", [this] { Click(window->Command6); }},
        {"menu", [this] { window->mnuEditRestraint->trigger(); }},
        {"tool button", [this] { window->imgTool_Click(6); }},
    };
    float depth = 0.5f;
    for (const auto& [what, command] : commands) {
        SCOPED_TRACE(what);
        m.ShearKeyIncluded = 0;
        window->RedrawView();
        m.ProjectModified = False;
        depth += 0.25f;
        test::WhenOpen<frmRestraint> script([depth](frmRestraint& d) {
            EXPECT_EQ(d.windowTitle(), "Brindlemar: Sliding restraints");
            EXPECT_EQ(d.lblUnit[0]->text(), "T/m");
            EXPECT_FALSE(d.txtValue[ShearKeyDepthBox]->isEnabled());
            Click(d.Check1[ShearKeyCheck]);
            TypeInto(d.txtValue[ShearKeyDepthBox], QString::number(depth));
            Click(d.Command1);
        });
        command();
        EXPECT_EQ(m.ShearKeyIncluded, 1);
        EXPECT_EQ(m.ShearKeyDepth, depth);
        EXPECT_EQ(m.ProjectModified, True);
        EXPECT_EQ(m.DialogCancelled, False);
        EXPECT_TRUE(window->Check3->isChecked()) << "the main window's shear-key option follows";
    }
}

TEST_F(RestraintsDialogTest, LettersInABoxAreRefusedUntilCorrected) {
    test::MessageRecorder rec;
    m.ShearKeyIncluded = 1;
    auto d = Open();
    QLineEdit* depth = d->txtValue[ShearKeyDepthBox];
    TypeInto(depth, "abc");
    Click(d->Command1);
    EXPECT_EQ(rec.Beeps, 1);
    EXPECT_TRUE(d->isVisible());
    EXPECT_TRUE(depth->hasFocus());
    EXPECT_TRUE(IsMarkedRefused(depth));
    EXPECT_EQ(depth->toolTip(), "\"abc\" is no number: type digits and a decimal point, such as 2.5");
    TypeInto(depth, "0.9");
    Click(d->Command1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.ShearKeyDepth, 0.9f);
}

TEST_F(RestraintsDialogTest, CancelOrClosingStoresNothingEvenFromANegativeValue) {
    test::MessageRecorder rec;
    m.AdjacentStructureIncluded = 1;
    m.AdjacentStructurePosition = 1.5f;
    m.ProjectModified = False;
    {
        test::WhenOpen<frmRestraint> script([](frmRestraint& d) {
            Click(d.Check1[PassiveToeCheck]);
            TypeInto(d.txtValue[AdjacentPositionBox], "-2");
            Click(d.Command2);
        });
        Click(window->Command6);
    }
    EXPECT_EQ(rec.Beeps, 0);
    EXPECT_EQ(m.AdjacentStructurePosition, 1.5f);
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(m.DialogCancelled, False);

    // the window's close button is Cancel too
    auto d = Open();
    TypeInto(d->txtValue[AdjacentPositionBox], "3");
    d->close();
    EXPECT_EQ(m.DialogCancelled, True);
    EXPECT_EQ(m.AdjacentStructurePosition, 1.5f);
}

TEST_F(RestraintsDialogTest, UntickingTheStructureGreysItsBoxesButStillStoresThem) {
    m.AdjacentStructureIncluded = 1;
    const float position = m.AdjacentStructurePosition;
    auto d = Open();
    EXPECT_TRUE(d->txtValue[AdjacentCapacityBox]->isEnabled());
    TypeInto(d->txtValue[AdjacentCapacityBox], "15");
    Click(d->Check1[AdjacentStructureCheck]);
    EXPECT_FALSE(d->txtValue[AdjacentCapacityBox]->isEnabled());
    EXPECT_FALSE(d->txtValue[AdjacentPositionBox]->isEnabled());
    Click(d->Command1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.AdjacentStructureIncluded, 0);
    EXPECT_EQ(m.AdjacentStructureCapacity, 15.0f);
    // base friction always counts: shown ticked and greyed
    EXPECT_TRUE(d->Check1[3]->isChecked());
    EXPECT_FALSE(d->Check1[3]->isEnabled());

    // a box greyed while it holds a bad value never holds Accept back, and
    // keeps its stored value
    d = Open();
    Click(d->Check1[AdjacentStructureCheck]);
    TypeInto(d->txtValue[AdjacentPositionBox], "-2");
    Click(d->Check1[AdjacentStructureCheck]);
    EXPECT_FALSE(d->txtValue[AdjacentPositionBox]->isEnabled());
    Click(d->Command1);
    EXPECT_FALSE(d->isVisible());
    EXPECT_EQ(m.AdjacentStructureIncluded, 0);
    EXPECT_EQ(m.AdjacentStructurePosition, position);
}

}  // namespace
}  // namespace brindlemar

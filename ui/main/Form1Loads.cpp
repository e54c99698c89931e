// The command that opens the loads-and-resistances dialog. The dialog sets
// no cancel flag: after it closes the sets are listed again and the view is
// analysed and redrawn, with the model as Accept left it or as it was.

#include <QCheckBox>

#include "ui/dialogs/frmLoads.h"
#include "runtime/ErrorTrap.h"
#include "runtime/OneBoxPerError.h"
#include "ui/main/Form1.h"

namespace brindlemar {

void Form1::Command3_Click() {
    // listing the sets again redraws the picture as the command's own redraw
    // does: a fault of the wall is told once per command
    const OneBoxPerError oneBox;
    RunTrapped([&] {
        frmLoads dialog(m_, this);
        dialog.setWindowTitle("Brindlemar: Loads and Resistances");
        dialog.exec();
        if (m_.DialogCancelled == 0) {
            // the dialog may have switched the shear key: the option shows it
            Updating = true;
            Check3->setChecked(m_.ShearKeyIncluded == 1);
            Updating = false;
            FillCombinationSetCombo();
            RedrawView();
        }
    });
    m_.DialogCancelled = False;
}

}  // namespace brindlemar

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
    // the dialog's preview and the redraw after it meet the same fault of
    // the wall: it is told once per command
    const OneBoxPerError oneBox;
    RunTrapped([&] {
        frmLoads dialog(m_, this);
        dialog.setWindowTitle("Brindlemar: Loads and Resistances");
        dialog.exec();
        if (m_.DialogCancelled == 0) {
            // the sets as Accept stored them, and the picture with the options as it left them
            FillCombinationSetCombo();
            RedrawAfterListing();
        }
    });
    m_.DialogCancelled = False;
}

}  // namespace brindlemar

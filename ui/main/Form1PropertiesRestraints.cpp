// The commands that open the material-properties and sliding-restraints
// dialogs: each shows its dialog modally and, unless it was cancelled or
// refused a value, analyses and redraws.

#include "ui/dialogs/frmProperties.h"
#include "runtime/ErrorTrap.h"
#include "ui/dialogs/frmRestraint.h"
#include "ui/main/Form1.h"

namespace brindlemar {

namespace {

// A fresh dialog each time, so that it opens on the model as it is now.
template <typename Dialog>
void ShowInputDialog(Model& m, Form1& window) {
    RunTrapped([&] {
        Dialog dialog(m, &window);
        dialog.exec();
        if (m.DialogCancelled == 0) window.RedrawView();
    });
    m.DialogCancelled = False;
}

}  // namespace

void Form1::Command2_Click() { ShowInputDialog<frmProperties>(m_, *this); }

void Form1::Command6_Click() { ShowInputDialog<frmRestraint>(m_, *this); }

}  // namespace brindlemar

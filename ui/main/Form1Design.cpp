// The main window's commands that open the stability results window and the
// reinforcement design dialog.

#include "design/DesignSectionForces.h"
#include "ui/design/frmRein.h"
#include "ui/design/frmStability.h"
#include "analysis/Preparation.h"
#include "runtime/ErrorTrap.h"
#include "ui/main/Form1.h"

namespace brindlemar {

void Form1::ConnectDesignCommands() {
    for (QAction* action : {mnuCalculateStability, mnuCalculateConcrete}) action->setEnabled(true);
    connect(mnuCalculateStability, &QAction::triggered, this, [this] { Command4_Click(); });
    connect(mnuCalculateConcrete, &QAction::triggered, this, [this] { Command5_Click(); });
}

// Stabilities: the window analyses every combination of the set itself; the
// current combination is analysed first so that its errors are told before.
void Form1::Command4_Click() {
    RunTrapped([this] {
        PrepareCombination(m_);
        frmStability window(m_, this);
        window.exec();
    });
}

// Reinforcement: the design forces of every combination first, then the dialog.
void Form1::Command5_Click() {
    RunTrapped([this] {
        ComputeDesignSectionForces(m_);
        frmRein dialog(m_, this);
        dialog.exec();
    });
}

}  // namespace brindlemar

// Loading the main window and closing it.

#include <QComboBox>
#include <QRadioButton>

#include "files/DefaultsFile.h"
#include "forms/CommandLine.h"
#include "platform/WindowPlacement.h"
#include "runtime/Hooks.h"
#include "ui/main/Form1.h"

#include <QSettings>

namespace brindlemar {

void Form1::Form_Load(const std::vector<std::string>& arguments) {
    // a project named on the command line opens with the file commands
    const std::string path = CommandLinePath(arguments);
    if (!path.empty()) OpenProjectFile(path);

    Updating = true;
    RebuildRecentFileMenu();

    // the project opened from the command line names itself
    if (m_.ProjectFilePath.empty()) setWindowTitle(QString::fromStdString("Brindlemar " + m_.ProgramVersion));
    {
        const auto settings = OpenProgramSettings();
        LoadWindowPlacement(this, *settings);
    }

    SetUnitMenuChecks();
    Combo1a->clear();
    Combo1a->addItems({"Metric", "SI", "British"});
    Combo1a->setCurrentIndex(m_.CurrentUnitSystem);
    Combo1a_Click();

    FillCombinationSetCombo();

    if (m_.ViewDimensions != 0) {
        optView[0]->setChecked(true);
        mnuViewItems[0]->setChecked(true);
    } else if (m_.ViewLoads != 0) {
        optView[10]->setChecked(true);
        mnuViewItems[10]->setChecked(true);
    }
    Updating = false;

    // the Dimensions button is the first in the tab order: with no view chosen
    // it takes the focus and so becomes the view shown
    bool anyView = false;
    for (const QRadioButton* button : optView) anyView = anyView || button->isChecked();
    if (!anyView) {
        optView[0]->setFocus();
        optView[0]->setChecked(true);
    }
}

void Form1::Form_Unload(int& Cancel) {
    if (m_.ProjectModified != 0) {
        const int answer = AskToSave();
        if (answer == vbCancel) {
            Cancel = 1;
            return;
        }
        if (answer == vbYes) {
            mnuFileSave_Click();
            if (m_.SaveSucceeded != True) {
                Cancel = 1;
                return;
            }
        }
    }
    {
        const auto settings = OpenProgramSettings();
        StoreWindowPlacement(this, *settings);
    }
    RestoreFormWindow(this);
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
}

}  // namespace brindlemar

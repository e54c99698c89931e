// Loading the main window and closing it.

#include <QComboBox>
#include <QRadioButton>
#include <QSignalBlocker>

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

    // The controls show the model without running their handlers; the
    // picture is drawn once, when the window is shown.
    {
        const QSignalBlocker quiet(Combo1a);
        Combo1a->clear();
        Combo1a->addItems({"Metric", "SI", "British"});
    }
    ShowUnit();

    FillCombinationSetCombo();
    ShowLoadOption();
    RedrawAfterListing();

    if (m_.ViewDimensions != 0)
        ShowView(0);
    else if (m_.ViewLoads != 0)
        ShowView(10);
    Updating = false;

    // the Dimensions button is the first in the tab order: with no view chosen
    // it takes the focus and so becomes the view shown
    bool anyView = false;
    for (const QRadioButton* button : optView) anyView = anyView || button->isChecked();
    if (!anyView) {
        optView[0]->setFocus();
        ShowView(0);
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

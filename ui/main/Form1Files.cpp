// The File menu: New, Open, Save, Save as, the recent files, and opening a
// project by name. Paths are kept as the file system spells them (UTF-8),
// case and all; only what is shown of them is lower case.

#include <QAction>
#include <QSettings>
#include <filesystem>
#include <memory>

#include "files/DefaultsFile.h"
#include "files/FileAccess.h"
#include "files/Paths.h"
#include "files/ProjectFile.h"
#include "model/Initialise.h"
#include "forms/RecentFiles.h"
#include "forms/SaveAsTarget.h"
#include "platform/FileDialogs.h"
#include "platform/WindowPlacement.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"
#include "ui/main/Form1.h"

namespace brindlemar {

namespace {

constexpr const char* ProjectFilter = "Input files (*.bmi)|*.bmi|All files (*.*)|*.*";

std::string FileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

}  // namespace

void Form1::ConnectFileCommands() {
    for (QAction* action : {mnuFileNew, mnuFileOpen, mnuFileSave, mnuFileSaveAs}) action->setEnabled(true);
    connect(mnuFileNew, &QAction::triggered, this, [this] { mnuFileNew_Click(); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { mnuFileOpen_Click(); });
    connect(mnuFileSave, &QAction::triggered, this, [this] { mnuFileSave_Click(); });
    connect(mnuFileSaveAs, &QAction::triggered, this, [this] { mnuFileSaveAs_Click(); });
    for (int i = 1; i <= MaxRecentFiles; ++i)
        connect(mnuFileList[i], &QAction::triggered, this, [this, i] { mnuFileList_Click(i); });
}

void Form1::SetProjectCaption(const std::string& path) {
    const std::string name = path.empty() ? "[Unnamed]" : GetFileBaseName(path) + "." + GetFileExtension(path);
    setWindowTitle(QString::fromStdString("Brindlemar " + m_.ProgramVersion + " - " + name));
}

int Form1::AskToSave() const {
    // paths are kept as the file system spells them; the message box shows
    // the program's own texts
    const std::string name = m_.ProjectFilePath.empty() ? "[Unnamed]" : PathForMessage(m_.ProjectFilePath);
    return MsgBox(name + " is not saved.  Do you want to save it now?", vbYesNoCancel + vbExclamation, ProductName);
}

bool Form1::MayReplaceProjectFile(const FileStamp& found) const {
    int style = 0;
    const std::string question = ReplaceQuestion(m_.ProjectFilePath, m_.ProjectFileStamp, found, style);
    return question.empty() || MsgBox(question, style, ProductName) == vbYes;
}

void Form1::SaveUnderProjectName() {
    m_.SaveSucceeded = False;
    WriteProjectFile(m_, m_.ProjectFilePath, [this](const FileStamp& found) { return MayReplaceProjectFile(found); });
}

bool Form1::SavePrompt() {
    if (m_.ProjectModified == 0) return true;
    const int answer = AskToSave();
    if (answer == vbCancel) return false;
    if (answer != vbYes) return true;
    // unsaved work is never thrown away: a save that did not happen ends the command
    if (m_.ProjectFilePath.empty())
        mnuFileSaveAs_Click();
    else
        SaveUnderProjectName();
    return m_.SaveSucceeded == True;
}

void Form1::RebuildRecentFileMenu() {
    mnuFileX3->setVisible(m_.RecentFileCount > 0);
    for (int i = 1; i <= MaxRecentFiles; ++i) {
        if (i <= m_.RecentFileCount) {
            const std::string& path = m_.RecentFiles[i];
            mnuFileList[i]->setText(QString::fromStdString(
                RecentFileCaption(i, GetFileDirectory(path), GetFileBaseName(path), GetFileExtension(path))));
            mnuFileList[i]->setVisible(true);
        } else {
            mnuFileList[i]->setText({});
            mnuFileList[i]->setVisible(false);
        }
    }
}

void Form1::AddRecentFile(const std::string& path) {
    brindlemar::AddRecentFile(m_, path);
    RebuildRecentFileMenu();
}

bool Form1::ReadProject(const std::string& path) {
    // the project is read into a fresh copy reset to the new-project values,
    // so that a file that cannot be read leaves the open project as it was
    auto fresh = std::make_unique<Model>(m_);
    InitialiseProject(*fresh);
    fresh->ProjectFilePath = path;
    if (!ReadProjectFile(*fresh, path)) {
        // a defaults file the reset had to leave alone stays so for the run
        m_.DefaultsFileLeftAlone = fresh->DefaultsFileLeftAlone;
        return false;
    }
    m_ = std::move(*fresh);

    AddRecentFile(m_.ProjectFilePath);
    m_.ProjectModified = False;
    SetProjectCaption(path);
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
    RefreshControlsFromModel();
    return true;
}

void Form1::mnuFileNew_Click() {
    if (!SavePrompt()) return;
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
    InitialiseProject(m_);
    m_.ProjectFilePath.clear();
    m_.ProjectModified = False;
    SetProjectCaption({});
    RefreshControlsFromModel();
}

void Form1::mnuFileOpen_Click() {
    if (!SavePrompt()) return;
    FileDialogRequest request;
    request.Title = "Brindlemar: Open file";
    request.Filter = ProjectFilter;
    request.FilterIndex = 1;
    request.InitialDirectory = m_.StartDirectory;
    const auto chosen = ShowFileDialog(this, request);
    if (!chosen) return;
    m_.StartDirectory = FolderOf(*chosen);
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
    ReadProject(*chosen);
}

void Form1::mnuFileList_Click(int index) {
    if (index < 1 || index > m_.RecentFileCount) return;
    if (!SavePrompt()) return;
    const std::string path = m_.RecentFiles[index];
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
    if (FileExists(path) == 0) {
        MsgBox("File not found", vbExclamation, ProductName);
        return;
    }
    ReadProject(path);
}

void Form1::OpenProjectFile(const std::string& path) {
    if (!SavePrompt()) return;
    ReadProject(path);
}

void Form1::mnuFileSave_Click() {
    m_.SaveSucceeded = False;
    if (m_.ProjectFilePath.empty())
        mnuFileSaveAs_Click();
    else
        SaveUnderProjectName();
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
}

void Form1::mnuFileSaveAs_Click() {
    m_.SaveSucceeded = False;
    FileDialogRequest request;
    request.Save = true;
    request.Title = "Brindlemar: Save as";
    request.Filter = ProjectFilter;
    request.DefaultExtension = "bmi";
    if (m_.ProjectFilePath.empty()) {
        request.InitialDirectory = m_.StartDirectory;
    } else {
        request.FileName = FileNameOf(m_.ProjectFilePath);
        request.InitialDirectory = FolderOf(m_.ProjectFilePath);
    }
    FileStamp asked;
    const auto chosen = ShowFileDialog(this, request, &asked);
    if (!chosen) return;
    m_.StartDirectory = FolderOf(*chosen);
    // a wall saved over a file the program writes again itself would be lost
    const std::string settings = OpenProgramSettings()->fileName().toStdString();
    if (const std::string refusal = SaveAsRefusal(*chosen, m_.DefaultsFilePath, settings); !refusal.empty()) {
        MsgBox(refusal, vbExclamation, ProductName);
        return;
    }
    const auto mayReplace = [&](const FileStamp& found) { return MayReplaceChosen(*chosen, asked, found); };
    // a save that failed neither renames the project nor lists it
    if (WriteProjectFile(m_, *chosen, mayReplace)) {
        m_.ProjectFilePath = *chosen;
        AddRecentFile(m_.ProjectFilePath);
        m_.ProjectModified = False;
        SetProjectCaption(m_.ProjectFilePath);
    }
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
}

}  // namespace brindlemar

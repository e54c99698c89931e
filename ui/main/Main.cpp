#include "ui/main/Main.h"

#include <QSettings>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>
#include <vector>

#include "files/Paths.h"
#include "model/Initialise.h"
#include "forms/StartUp.h"
#include "platform/EntryGestures.h"
#include "platform/Fonts.h"
#include "platform/ImageSurface.h"
#include "platform/WindowPlacement.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"
#include "ui/main/Form1.h"

namespace brindlemar {

namespace {

// A configuration folder or settings file the program cannot read makes
// the defaults and the window placement fall back to the built-in ones
// without a word at every reset: say so once, at start-up, with the path.
void ReportUnreadableConfiguration(const Model& m) {
    const std::string settingsFile = OpenProgramSettings()->fileName().toStdString();

    std::vector<std::string> seen;
    std::string message;
    const auto add = [&](const std::string& path, const std::string& why) {
        if (path.empty() || why.empty() || std::find(seen.begin(), seen.end(), path) != seen.end()) return;
        seen.push_back(path);
        message += (message.empty() ? "" : "\n") + ("Cannot read " + PathForMessage(path) + ": " + why);
    };
    add(FolderOf(m.DefaultsFilePath), FolderReadProblem(FolderOf(m.DefaultsFilePath)));
    const std::string settingsFolderProblem = FolderReadProblem(FolderOf(settingsFile));
    add(FolderOf(settingsFile), settingsFolderProblem);
    std::error_code ec;
    if (settingsFolderProblem.empty() && std::filesystem::is_regular_file(settingsFile, ec) &&
        ::access(settingsFile.c_str(), R_OK) != 0)
        add(settingsFile, std::strerror(errno));
    if (!message.empty()) MsgBox(message + "\nThe built-in settings are used.", vbExclamation, ProductName);
}

}  // namespace

Form1* Main(Model& m, const std::vector<std::string>& arguments) {
    InstallEntryGestures();
    InitialiseProject(m);
    ReportUnreadableConfiguration(m);
    m.StartDirectory = "";
    m.RecentFileCount = static_cast<int16_t>(
        std::count_if(m.RecentFiles.begin() + 1, m.RecentFiles.begin() + 5, [](const std::string& f) { return !f.empty(); }));
    m.FileTypeTitle = "Brindlemar Input Data";

    // The printer and the screen draw with the same font system, so the
    // screen's font list stands for the printer's, also when no printer is
    // installed.
    const ImageSurface screen(1, 1);
    ChooseReportFonts(m, OfferedFontNames(ReportFontCandidates(), screen.FontNames()), CurrentFontName());

    auto* window = new Form1(m);
    window->Form_Load(arguments);
    window->show();
    return window;
}

}  // namespace brindlemar

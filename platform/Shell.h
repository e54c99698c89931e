#pragma once
// Hands a web address, a mail address or a local file to the desktop, which
// opens it in the browser or the mail program.

#include <functional>
#include <string>

class QKeyEvent;

namespace brindlemar {

// Opens `target` ("https://...", "mailto:...", or a file path). Returns
// whether the desktop accepted it; when it did not, `reason` (if given)
// says why, as the desktop put it.
bool ShellOpen(const std::string& target, std::string* reason = nullptr);

// What hands a target to the desktop: true when it was accepted, else
// false with the reason. The desktop's own unless one is installed (a test
// installs one that fails, as on a machine without a browser). Returns the
// one it replaces; an empty one restores the desktop's.
using ShellOpener = std::function<bool(const std::string& target, std::string& reason)>;
ShellOpener InstallShellOpener(ShellOpener opener);

// The program's help page: beside the program (a build tree, an unpacked
// folder), else in the data folder of the installed tree the program is in.
// A page found in neither place is named beside the program.
std::string HelpFilePath();
// Opens the help page in the browser. A page that is missing, or that no
// browser could be started for, is told in a message that names the page
// and why; returns whether the page was handed to the browser.
bool ShowHelp();
// F1 in a window opens the help page; returns whether the key was F1, which
// the window then leaves alone.
bool ShowHelpOnF1(QKeyEvent* event);

}  // namespace brindlemar

#pragma once
// Hands a web address, a mail address or a local file to the desktop, which
// opens it in the browser or the mail program.

#include <string>

class QKeyEvent;

namespace brindlemar {

// Opens `target` ("https://...", "mailto:...", or a file path). Returns
// whether the desktop accepted it.
bool ShellOpen(const std::string& target);

// The program's help page: beside the program (a build tree, an unpacked
// folder), else in the data folder of the installed tree the program is in.
// A page found in neither place is named beside the program.
std::string HelpFilePath();
// Opens the help page in the browser. A missing page leaves everything as it
// was; returns whether the page was handed to the browser.
bool ShowHelp();
// F1 in a window opens the help page; returns whether the key was F1, which
// the window then leaves alone.
bool ShowHelpOnF1(QKeyEvent* event);

}  // namespace brindlemar

#pragma once
// What Save as may not write the wall over.

#include <string>

namespace brindlemar {

// The message that refuses Save as at `chosen` when it names, whatever the
// spelling (a link, ".."), a file the program writes again itself: the
// defaults file after every file command, the settings file and the lock
// beside it when the program ends. "" when the wall may go there.
std::string SaveAsRefusal(const std::string& chosen, const std::string& defaultsFile, const std::string& settingsFile);

}  // namespace brindlemar

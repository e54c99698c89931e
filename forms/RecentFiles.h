#pragma once
// The list of the four project files opened or saved most recently. It lives
// only while the program runs.

#include <string>

#include "model/Model.h"

namespace brindlemar {

inline constexpr int MaxRecentFiles = 4;

// Puts `path` at the top of RecentFiles (slot 1), dropping an earlier entry
// of the same path (compared exactly, case and all) and, when the list is
// full, the oldest. Slots beyond RecentFileCount are emptied. An empty path
// changes nothing.
void AddRecentFile(Model& m, const std::string& path);

// The menu caption of recent file `index` (1 to 4): "&1 folder/name.ext",
// with a folder of 32 characters or more shown as "..." and its last 30
// (UTF-8 characters, as the file system spells the path).
// Ampersands of the path are doubled so that they show as themselves.
std::string RecentFileCaption(int index, const std::string& directory, const std::string& baseName,
                              const std::string& extension);

}  // namespace brindlemar

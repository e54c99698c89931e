#pragma once
// The defaults file: the user's standing choices (page settings, units,
// materials, options, combination sets) carried from one project to the next.
// ReadUserDefaults and DefaultsFileLocation, which the model's reset calls,
// are declared with the services the model uses (model/ProjectServices.h).

#include <string>

#include "model/Model.h"
#include "model/ProjectServices.h"

namespace brindlemar {

// Reads the user's defaults file into `m`. Returns false when the file could
// not be read whole, or its values make of `m` a wall that neither a window
// nor an earlier version could have made (see WallInputRefusal); the reader
// has then told the user why, and `m` is as it was before the call.
bool ReadDefaultsFile(Model& m, const std::string& path);

// Writes the defaults file the same way as a project file: a temporary file
// beside it, renamed over it once written, so a failed write keeps the old one.
// Creates the folder when it is missing (the user's configuration folder).
// Into a folder that cannot be read nothing is written, and nothing is said:
// start-up has told the user. A failed write is told once a run; a file the
// reset left alone (see ReadUserDefaults) is not written.
bool WriteDefaultsFile(Model& m, const std::string& path);

// The user's configuration folder for the program: $XDG_CONFIG_HOME/Brindlemar
// when that is an absolute path, else ~/.config/Brindlemar; "" when no home
// folder is known.
std::string UserConfigDirectory();

}  // namespace brindlemar

#pragma once
// What resetting the model needs of the project files: where the defaults
// file lives, and reading it. Implemented with the file readers, the one
// place where the model calls a layer above it.

#include <string>

namespace brindlemar {

struct Model;

// Reads the user's defaults file, m.DefaultsFilePath, into `m` when there is
// one. A file there that cannot be read, or whose values make a wall that
// neither a window nor an earlier version could have made, is moved aside
// under a free name beside it ("Default.dat.unreadable", then
// ".unreadable.2"...), so that no later write destroys it, and one message
// names both paths; one that cannot be moved either is left alone for the
// rest of the run. One whose save was cut short is read from the copy of its
// previous contents, written back at the next write; where that copy cannot
// be read, the file is left alone for the rest of the run. Returns false
// when a file was there and was not taken; `m` is then as it was.
bool ReadUserDefaults(Model& m);

// Where the defaults file lives: "Default.dat" in the user's configuration
// folder, or in the program's folder when one is there already (a copy of the
// program carried on a stick) or no configuration folder is known.
std::string DefaultsFileLocation(const std::string& programDirectory, const std::string& configurationDirectory);

}  // namespace brindlemar

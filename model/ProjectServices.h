#pragma once
// What resetting the model needs of the project files: whether the defaults
// file exists, where it lives, and reading it. Implemented with the file readers.

#include <cstdint>
#include <string>

namespace brindlemar {

struct Model;

// -1 when anything (a file, a folder, a device...) exists at `path`, else
// 0. A path that cannot be looked at is reported and gives 0.
int16_t FileExists(const std::string& path);

// True when a plain file is at `path`. A path that cannot be looked at
// counts as no file, and nothing is said: start-up reports an unreadable
// configuration folder once, and the reset must not repeat it.
bool IsFile(const std::string& path);

// Reads the user's defaults file into `m`. Returns false when the file could
// not be read whole; the reader has then told the user why, and `m` is as it
// was before the call.
bool ReadDefaultsFile(Model& m, const std::string& path);

// Where the defaults file lives: "Default.dat" in the program's folder, or in
// the user's configuration folder when the program's folder cannot be written
// (an installed program).
std::string DefaultsFileLocation(const std::string& programDirectory);

}  // namespace brindlemar

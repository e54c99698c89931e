#pragma once
// Load-and-resistance factor files: libraries of combination sets exchanged
// between projects through the loads dialog, which works on its own copy of
// the set table.

#include <string>

#include "files/Encoding.h"
#include "files/FileAccess.h"

namespace brindlemar {

// A factor file's set table: slots 0 to Count were read (slot 0 the hidden
// set, 1 to Count - 1 the sets, Count the spare slot after them).
struct FactorFileSets {
    int16_t Count = 0;
    CombinationSetTable Sets{};
};

// Writes slots 0 to count of `sets`; a file found at `path` is replaced
// only when `mayReplace` says so (asked while the save holds its lock).
bool WriteFactorFile(const CombinationSetTable& sets, int16_t count, const std::string& path,
                     const ReplaceCheck& mayReplace = {});

// Reads a whole factor file into `file`; false, with the user told why, when
// it cannot be read. `file` is filled only on success.
bool ReadFactorFileSets(const std::string& path, FactorFileSets& file);

// Replaces slots 0 to the file's count of `sets` and `count` by the file's.
// A count of 0 becomes 2 (slot 1 keeps what it held). On failure nothing changes.
bool ReadFactorFile(CombinationSetTable& sets, int16_t& count, const std::string& path);

}  // namespace brindlemar

#pragma once
// Project input files: one wall with its page settings, materials, line
// loads, options, reinforcement choices and combination sets. Written in the
// current layout; read in every layout back to the 1.x files.

#include <string>

#include "files/FileAccess.h"
#include "model/Model.h"

namespace brindlemar {

// Writes the open wall to `path`. The previous file survives any failure;
// SaveSucceeded tells the file commands whether the save happened, and only a
// save that happened clears ProjectModified and notes in ProjectFileStamp
// what the file now is. A file found at `path` is replaced only when
// `mayReplace` says so (asked while the save holds the file's lock).
bool WriteProjectFile(Model& m, const std::string& path, const ReplaceCheck& mayReplace = {});

// Reads a project file into `m`, which the caller has reset to the
// new-project defaults so that what an old layout lacks keeps its default.
// The file is read into a copy: the model changes only when the whole file
// was read, otherwise it stays exactly as it was and the user is told why.
// ProjectFileStamp notes what the file was when it was read.
bool ReadProjectFile(Model& m, const std::string& path);

// Load types of the old numbering (1 to 7) against the current factor codes
// (1 to 9); out-of-range codes raise run-time error 9.
int16_t LegacyLoadTypeOf(int16_t loadType);
int16_t LoadTypeOfLegacy(int16_t legacyType);

// Puts the shear key back inside the base: the toe distance, width and heel
// distance end within 0 and BaseWidth and add up to it.
void RefitShearKey(Model& m);

}  // namespace brindlemar

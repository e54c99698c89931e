#pragma once
// Taking a path apart. "/" and "\" both separate folders. The name routines
// return lower case because captions and menus show them that way; a path
// that is used to open, rename or delete a file keeps its case.

#include <string>

#include "model/ProjectServices.h"

namespace brindlemar {

// The text after the last "." anywhere in the path, lower case; "" without a
// dot. A dot in a folder name counts when the file name has none.
std::string GetFileExtension(const std::string& path);
// The file name without its last extension, lower case.
std::string GetFileBaseName(const std::string& path);
// The folder, without the trailing separator, lower case; "" without one.
std::string GetFileDirectory(const std::string& path);

// The backup beside a project file: same folder, same base name, ".BAK",
// with the case of the path kept ("Quay Wall.bmi" -> "Quay Wall.BAK").
std::string BackupFilePath(const std::string& path);

// The path as the operating system takes it: "\" becomes "/" where "/" is
// the separator.
std::string NativePath(const std::string& path);

}  // namespace brindlemar

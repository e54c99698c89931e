#pragma once
// Taking a path apart. A path the file system gave (the file dialogs, the
// command line, the recent files) is used exactly as given: on Linux a "\"
// is a character of a name like any other. Only a path that is plainly a
// Windows path ("C:\Walls\Quay.bmi", "\\server\walls\quay.bmi") is split at
// its backslashes, and only to show it or to find its base name. The name
// routines return lower case because captions and menus show them that way;
// a path that is used to open, rename or delete a file keeps its case.

#include <cstdint>
#include <string>

namespace brindlemar {

// -1 when anything (a file, a folder, a device...) exists at `path`, else
// 0. A path that cannot be looked at (a folder the user may not search, a
// name too long) gives -1 without a word: only an open can tell what is
// there, and its refusal says why.
int16_t FileExists(const std::string& path);

// True when a plain file is at `path`. A path that cannot be looked at
// counts as no file, and nothing is said: start-up reports an unreadable
// configuration folder once, and the reset must not repeat it.
bool IsFile(const std::string& path);

// True for a path that begins with a drive letter ("C:") or "\\".
bool IsWindowsPath(const std::string& path);

// The text after the last "." anywhere in the path, lower case; "" without a
// dot. A dot in a folder name counts when the file name has none.
std::string GetFileExtension(const std::string& path);
// The file name without its last extension, lower case.
std::string GetFileBaseName(const std::string& path);
// The folder, without the trailing separator, lower case; "" without one.
std::string GetFileDirectory(const std::string& path);
// The folder with its case kept, for a dialog to open: on a file system
// that minds case a lower-cased folder is another folder.
std::string FolderOf(const std::string& path);

// The backup beside a project file: same folder, same base name, ".BAK",
// with the case of the path kept ("Quay Wall.bmi" -> "Quay Wall.BAK").
std::string BackupFilePath(const std::string& path);

// True when `a` and `b` name one file, whatever the spelling ("..", a
// symbolic link, a second name), also when it does not exist yet.
bool NamesSameFile(const std::string& a, const std::string& b);

// The program's folder among the user's own: "$<variable>/Brindlemar" when
// the variable holds an absolute path (the base-directory rules ignore a
// relative one), else "<home>/<fallback>/Brindlemar". "" when no home folder
// is known. UserFolder("XDG_CONFIG_HOME", ".config") is where the settings
// and the defaults live, UserFolder("XDG_CACHE_HOME", ".cache") the cache.
std::string UserFolder(const char* variable, const char* fallback);

// What keeps the program from reading the folder at `path`: "" when it can
// be read or does not exist yet, else the reason ("Permission denied").
std::string FolderReadProblem(const std::string& path);

}  // namespace brindlemar

#pragma once
// Opening, reading and replacing whole files, with the busy pointer while it
// lasts and a message box when it fails. Every reader and writer of the
// project, defaults and factor files goes through here. Paths are used
// exactly as given.

#include <cstdint>
#include <functional>
#include <string>

#include "files/Encoding.h"
#include "model/ModelApp.h"

namespace brindlemar {

// Reads the file at `path` and hands its bytes to `parse`. A file that is
// missing or unreadable, that is no file at all (a folder, a device, a
// pipe), that is longer than `largest` bytes (refused before it is read), or
// that `parse` refuses (FileFormatError, or a RuntimeError), is reported in a
// message box that names the file ("Not a valid <kind> file: <path>" and
// what is wrong) and gives false.
bool ReadFileWith(const std::string& path, const std::string& kind, std::uintmax_t largest,
                  const std::function<void(RecordReader&)>& parse);

// The read above without the pointer and the message: "" when the file was
// read, else the message the read above would show.
std::string ReadFileProblem(const std::string& path, const std::string& kind, std::uintmax_t largest,
                            const std::function<void(RecordReader&)>& parse);

// Lets `compose` build the file's bytes, then writes them to a new file beside
// `path` and renames that over `path` only once it is written and closed, so
// a write that fails leaves the previous file as it was. Every file a save
// makes is created new, under a name no one else holds: a link planted in a
// shared folder is never followed. A symbolic link at `path` itself is
// followed: the file it points to is saved and the link stays. The saved
// file keeps the previous file's owner, group and permission bits (the owner
// only when the system lets the user give it); a file whose permission bits
// forbid writing is refused, whoever runs the program. A file with more than
// one name (hard links), or in a folder the user may not write, is written
// in place, so that it stays the same file; its previous contents are kept
// in the user's cache folder until the new ones are complete and put back if
// they cannot be. With `backup`, the previous file is copied beside it under
// its ".BAK" name for the time of the save, unless a file of that name is
// there already, which is left alone; a copy that cannot be finished is
// removed. A failure is reported in a message box and gives false. What the
// saved file is comes back in `written`.
bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose,
                   bool backup = false, FileStamp* written = nullptr);

// The write above without the pointer and the message: the text of what
// went wrong comes back in `error`.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error,
                        bool backup = false, FileStamp* written = nullptr);

// Which file is at `path` now (links followed) and when it was last written;
// an empty stamp when there is none.
FileStamp FileStampOf(const std::string& path);

}  // namespace brindlemar

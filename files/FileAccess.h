#pragma once
// Opening, reading and replacing whole files, with the busy pointer while it
// lasts and a message box when it fails. Every reader and writer of the
// project, defaults and factor files goes through here. Paths are used
// exactly as given.

#include <cstdint>
#include <functional>
#include <string>

#include "files/Encoding.h"

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

// Lets `compose` build the file's bytes, then writes them to a temporary file
// beside `path` and renames that over `path` only once it is written and
// closed, so a write that fails leaves the previous file as it was. A
// symbolic link is followed: the file it points to is saved and the link
// stays. The saved file keeps the previous file's permission bits; a file
// whose permission bits forbid writing is refused, whoever runs the program.
// With `backup`, the previous file is copied beside it under its ".BAK" name
// for the time of the rename, unless a file of that name is there already,
// which is left alone. A failure is reported in a message box and gives false.
bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose,
                   bool backup = false);

// The write above without the pointer and the message: the text of what
// went wrong comes back in `error`.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error,
                        bool backup = false);

}  // namespace brindlemar

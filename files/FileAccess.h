#pragma once
// Opening, reading and replacing whole files, with the busy pointer while it
// lasts and a message box when it fails. Every reader and writer of the
// project, defaults and factor files goes through here.

#include <functional>
#include <string>

#include "files/Encoding.h"

namespace brindlemar {

// Reads the file at `path` and hands its bytes to `parse`. A file that is
// missing or unreadable, or that `parse` refuses (FileFormatError, or a
// RuntimeError), is reported in a message box ("Not a valid <kind> file: ...")
// and gives false.
bool ReadFileWith(const std::string& path, const std::string& kind,
                  const std::function<void(RecordReader&)>& parse);

// Lets `compose` build the file's bytes, then writes them to a temporary file
// beside `path` and renames that over `path` only once it is written and
// closed, so a write that fails leaves the previous file as it was. With a
// `backupPath`, the previous file is copied there before the rename and the
// copy is deleted after it; a write that fails leaves the copy. A failure is
// reported in a message box and gives false.
bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose,
                   const std::string& backupPath = {});

// The two halves of the above without the pointer and the message: the text
// of what went wrong comes back in `error`.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error);
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error,
                        const std::string& backupPath = {});

}  // namespace brindlemar

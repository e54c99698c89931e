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
// missing or cannot be opened (the message says why: "Permission denied",
// "File name too long"), that is no file at all (a folder, a device, a pipe:
// the file is opened without waiting and its type taken from what was
// opened), that is longer than `largest` bytes (refused before it is read),
// or that `parse` refuses (FileFormatError, or a RuntimeError), is reported
// in a message box that names the file ("Not a valid <kind> file: <path>"
// and what is wrong) and gives false. A save of the file under way is waited
// for a moment (a second and a half, the windows painted meanwhile); a file
// another program holds locked longer is read all the same, unless it
// changes while it is read or is marked as being overwritten, when the
// message says that another program holds it locked. A file that a save was
// overwriting in place when it stopped may hold parts of two files: that
// save marked the file itself, and the file is refused whether or not it
// reads, with a message that names the copy of its previous contents beside
// the file as it is reached now, or whose copy it is when the user may not
// read it; unless the mark's keys show the file whole (a save stopped before
// its first byte changed, or after its last), or name a copy that is another
// file (a mark another user set). No ".BAK" decides that on its own. On a
// file system that keeps no marks, a file that cannot be read after a save
// whose copy of it is in the user's cache names that copy; a file that
// cannot be read beside which a save stopped before its new file took the
// name left that whole file names it.
bool ReadFileWith(const std::string& path, const std::string& kind, std::uintmax_t largest,
                  const std::function<void(RecordReader&)>& parse);

// The read above without the pointer and the message: "" when the file was
// read, else the message the read above would show.
std::string ReadFileProblem(const std::string& path, const std::string& kind, std::uintmax_t largest,
                            const std::function<void(RecordReader&)>& parse);

// Lets `compose` build the file's bytes, then writes them to a new file beside
// `path` and renames that over `path` only once it is written and flushed,
// so a write that fails leaves the previous file as it was; the folder is
// then flushed to the disk, so that the new name survives a power cut (a
// folder the user may write but not read cannot be, and the save stands).
// Every file a save makes is created new, under a name no one else holds,
// readable by the user alone until it is the previous file's: a link planted
// in a shared folder is never followed, and no one keeps a handle on a file
// he may not read. Symbolic links on the path, at `path` itself or at any
// folder on it, are followed: the file they lead to is saved and the links
// stay; a link the system would not follow (another user's, in a folder
// anyone may write and whose sticky bit is set) is not, and the message
// names it and where it leads. Nor is a second name, in such a folder, of a
// file of the user's that no one else may read and write. The save holds a
// lock on the file from the moment it looks at it to its end, so that two
// saves never write it at once; one that waited and finds the file changed
// is refused, and one that another program keeps waiting longer than a
// moment (the windows painted meanwhile) fails with a message that says so.
// A file another program changes while the save runs, ignoring the lock, is
// not replaced: the save fails and says so. It removes the temporary
// files that saves of the file cut short left, by the names this user's
// saves noted in the cache folder, and those it finds beside the file, but
// for one that holds a whole file of the kind (one `parse` reads) that
// neither the file nor this save holds. The saved file keeps the previous
// file's owner, group, extended attributes (its access control list among
// them) and permission bits; a file whose permission bits forbid writing is
// refused, whoever runs the program. A file that could not keep all of that
// as a new file (another user's, a group the user is not in, an attribute
// the user may not set), a file with more than one name (hard links), and
// one in a folder the user may not write, or that renames nothing, is
// written in place, so that it stays the same file; its previous contents
// wait, flushed to the disk, in the ".BAK" beside it or else in the user's
// cache folder, until the new ones are complete, and go back if they cannot
// be. Before its first byte changes, the file is marked with where they
// wait, and the mark goes as the save's last step, so that every open tells
// a save that did not finish; a whole save, by anyone, clears it, and the
// new file of a save that renames never carries it. With `backup`, the
// previous file, read through the descriptor of the file looked at, is
// copied to its ".BAK" name for the time of the save, with the same owner,
// group, attributes and bits (the user's alone where they cannot be given);
// the copy is made under a temporary name, marked as this file's, and takes
// the ".BAK" name only when complete, replacing one that a save of the file
// left but never a ".BAK" of the user's own (there is then no backup). A
// save that succeeds leaves no ".BAK" and no copy of the file in the cache
// that it or a save of it cut short made. A failure is reported in a
// message box and gives false. What the file at `path` now is comes back in
// `left`: the saved file, or after a failure the previous file the save put
// back (an empty stamp when the save left it untouched).
// With `mayReplace`, a file found at `path` is replaced only when it says
// so, asked while the save holds the file's lock, with what the file is
// then (or, for a file the user may not write, before the save refuses
// it); when it says no, the save ends with false and no message of its own.
// Its yes holds for that file as it was when asked. A file that is not there
// when the save looks is never replaced by one another program makes there
// meanwhile: that save fails.
using ReplaceCheck = std::function<bool(const FileStamp& found)>;
bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose,
                   bool backup = false, FileStamp* left = nullptr, const ReplaceCheck& mayReplace = {},
                   const std::function<void(RecordReader&)>& parse = {});

// The write above without the pointer and the message: "" when the file was
// written, else the message the write above would show.
std::string WriteFileProblem(const std::string& path, const std::function<void(RecordWriter&)>& compose,
                             bool backup = false, FileStamp* left = nullptr, const ReplaceCheck& mayReplace = {},
                             const std::function<void(RecordReader&)>& parse = {});

// Which file is at `path` now (links followed) and when it was last written;
// an empty stamp when there is none.
FileStamp FileStampOf(const std::string& path);

}  // namespace brindlemar

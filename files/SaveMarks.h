#pragma once
// What a save keeps while it runs and leaves when it is cut short: the
// temporary files beside the file, the copies in the user's cache folder,
// the ".BAK", and the marks that say which is whose and that a file was
// being overwritten.

#include <filesystem>
#include <string>
#include <vector>

#include "files/FileHandles.h"

namespace brindlemar {

// The start of the names of the temporary files a save of `target` makes
// beside it: the next save of the same file knows them for what a save cut
// short left.
std::string TemporaryPrefix(const std::filesystem::path& target);

// The user's cache folder, where a save keeps what it cannot keep beside the
// file; empty when no home folder is known.

std::filesystem::path UserCacheDirectory();

// The user's cache folder, made where it is not there yet (the user's alone);
// empty when no home folder is known.
std::filesystem::path MadeCacheDirectory();

// The start of the names of what the cache folder keeps of the file at
// `target`: its name, then a key of the file's own path (links and ".."
// resolved), so that the copy of one "wall.bmi" is never taken for
// another's, and is found whichever way the file is reached; for a copy of
// the file open as `fd`, a key of which file it is follows, so that a copy
// stays for its file when another file takes that path.
std::string CopyPrefix(const std::filesystem::path& target);
std::string CopyPrefix(const std::filesystem::path& target, int fd);

// The copies of the file at `target`, open as `fd`, that saves left in the
// cache folder.
std::vector<std::filesystem::path> KeptCopies(const std::filesystem::path& target, int fd);

// The newest copy of the file at `path`, open as `fd`, that a save cut short
// left in the cache folder; "" when there is none.
std::string KeptCopyOf(const std::string& path, int fd);

// The mark a save puts on the ".BAK" it makes: which file it is a copy of.
// A ".BAK" without it is the user's own. Earlier saves marked a copy whose
// file they had begun to overwrite as "overwriting": that is a save's copy
// too.
inline constexpr const char* BackupMark = "user.brindlemar.backup";

std::string BackupMarkOf(const std::filesystem::path& target, bool overwriting);

bool SetBackupMark(int fd, const std::filesystem::path& target);

// A file that a save of the file made beside it, by its name then and
// which file it is.
struct MadeFile {
    dev_t Device = 0;
    ino_t Inode = 0;
    std::filesystem::path Path;
};

// Notes in the user's cache folder that a save of `target` made the file
// open as `fd` at `made`, before it is used, so that the next save can
// remove what a save cut short left by its name, also in a folder the user
// may not list, and know a ".BAK" it made on a file system without marks.
// With `fd` -1, notes the name alone, before the file is made.
void NoteMade(const std::filesystem::path& target, const std::filesystem::path& made, int fd);

// What saves of `target` noted; ForgetMade drops it once the save leaves
// nothing behind.
std::vector<MadeFile> NotedMade(const std::filesystem::path& target);
void ForgetMade(const std::filesystem::path& target);

// The ".BAK" at `backupPath`, open, when a save of `target` made it: it
// carries the mark, or where no mark could be set it is one of `made`; no
// descriptor for any other file, the user's own ".BAK" among them.
Descriptor BackupOfASave(const std::filesystem::path& backupPath, const std::filesystem::path& target,
                         const std::vector<MadeFile>& made);

// The mark a save that overwrites a file in place puts on the file itself
// before it changes a byte, and takes off as its last step: a file that
// carries it may hold parts of two walls, whatever it reads as (unless
// MarkBelieved says otherwise). Only someone who may write the file can set
// it, and a good save by anyone clears it. It says where the previous
// contents wait: the path of the ".BAK" beside the file, or of a copy in the
// saver's cache, then, after a line break, whose copy it is.
inline constexpr const char* SavingMark = "user.brindlemar.saving";

// The name of the user the program runs as, for a message to another user.
std::string UserName();

// What the mark on the open file `fd` says; false when it carries none. A
// file system that keeps no user attributes sets `unsupported`. A file
// without the mark may carry one in the note that this user's save kept.
bool SavingMarkOn(int fd, std::string& mark, bool* unsupported = nullptr);

// Where a file cannot carry the mark (no user attributes), the saver's own
// cache notes it under the file's device and inode, on the disk; false when
// it cannot. ForgetSaving drops the note of the open file `fd`.
bool NoteSaving(int fd, const std::string& mark);
void ForgetSaving(int fd);

// The last line of a save's mark: what the file may hold until the save is
// done, page by page, from `before`, what it holds when marked, and
// `after`, what the save writes over it; a save cut short leaves each page
// as it was or as written, but for the one it was writing, the one it was
// putting back when the write failed, and a last one cut at a length of
// neither. It also carries a key of the whole of `after` and `copyKey`, the
// key of the whole contents the copy holds (KeyOf; "" when not known).
std::string SavingStateOf(const std::string& before, const std::string& after, const std::string& copyKey);

// The key of the copy's contents that `mark` carries; "" when it has none.
std::string CopyKeyOf(const std::string& mark);

// The mark without that line: where the copy waits, and whose it is.
std::string MarkWithoutState(const std::string& mark);

// False when `contents` cannot be what the save that set `mark` left, so
// that another program has written the file since (a good wall copied over
// it) and the mark no longer tells of it. A mark that says nothing of the
// contents, as earlier saves wrote them, always holds.
bool MarkHolds(const std::string& mark, const std::string& contents);

// True when the keys of `mark` show that `contents` are whole: those the
// copy holds (the file as it was before the save, a save killed before its
// first byte changed) or those the save wrote, all of them.
bool MarkWhole(const std::string& mark, const std::string& contents);

// Whether the readable file `fd` at `path` is a copy a save made: it carries
// the mark a save puts on its ".BAK", or lies in the user's own cache.
bool MadeByASave(int fd, const std::filesystem::path& path);

// The copy of the previous contents that a mark names, looked for beside
// the file as it is reached now (a folder renamed, a stick mounted
// elsewhere), then where the mark says it was made (a file reached by a
// second name in another folder), and recognised by its contents: the key
// the mark carries, or, for a mark without one, the mark a save puts on its
// ".BAK" or its place in the user's cache. A copy the user may not read is
// taken for it where it belongs to the user the mark names.
struct KeptCopy {
    enum Standing { Missing, Other, Unreadable, Found };
    Standing Is = Missing;  // Other: a file is there, but not the copy
    std::filesystem::path Path;
    std::string Owner;  // whose copy the mark says it is
};
KeptCopy CopyNamedBy(const std::string& mark, const std::string& path);

// Whether the mark on the file at `path`, which holds `contents`, tells of a
// save that was cut short: its keys hold for the contents, which are not
// whole, and the copy it names is not another file (nor, for a mark without
// keys, missing). Another user who may write the file can set a mark, but
// not one that is believed over the user's own ".BAK". `copy` hears what
// was found.
bool MarkBelieved(const std::string& mark, const std::string& contents, const std::string& path,
                  KeptCopy* copy = nullptr);

// Where the previous contents of the file wait, as found by CopyNamedBy, in
// the words of a message ("its previous contents are kept in ..."): the copy
// itself when this user may read it, else whose it is; or that none is found.
std::string CutShortCopyOf(const KeptCopy& copy);

}  // namespace brindlemar

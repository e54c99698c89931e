#include "files/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <tuple>
#include <unistd.h>
#include <utility>
#include <vector>

#include "files/FileHandles.h"
#include "files/Paths.h"
#include "files/SaveMarks.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

namespace fs = std::filesystem;

// What is known of a lock that did not come free: someone holds it, and
// whether that is a save of this program's or another program is not.
constexpr const char* HeldLocked = "another program holds the file locked";

bool SameTime(const timespec& a, const timespec& b) { return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec; }

// ---- reading ----

// What a read found in the file besides its bytes.
struct Found {
    std::string Bytes;
    bool Marked = false;      // a save overwriting it in place has not finished
    bool MarkOn = false;      // it carries a mark, believed or not
    std::string Mark;         // what the mark says
    KeptCopy Copy;            // the copy of its previous contents the mark names
    bool Unmarkable = false;  // its file system keeps no marks
    std::string Cached;       // there, the copy a save of this user's kept of it
    bool LockedOut = false;   // another program held its lock through the wait
};

// Reads the whole file; "" on success, else why not. The file is opened
// without waiting (a pipe put at the path must not hang the program) and
// what it is comes from what was opened, not from a look at the path
// before. A file longer than any of its kind can be is refused by its size,
// before a byte of it is read. A save under way is waited for a moment, so
// that the whole file is read; the mark of a save in place that did not
// finish is then read with it. A file another program holds locked beyond
// the wait is read all the same, and one that changed meanwhile refused.
std::string ReadWholeFile(const std::string& path, const std::string& kind, std::uintmax_t largest, Found& found) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.Valid())
        return errno == ENOENT ? "File not found: " + Shown(path) : "Cannot open " + Shown(path) + ": " + SystemError();
    found.LockedOut = !WaitForLock(file.Get(), LOCK_SH);
    found.MarkOn = SavingMarkOn(file.Get(), found.Mark, &found.Unmarkable);
    if (found.Unmarkable) found.Cached = KeptCopyOf(path, file.Get());
    std::string& bytes = found.Bytes;
    struct stat opened {};
    if (::fstat(file.Get(), &opened) != 0) return "Cannot read " + Shown(path) + ": " + SystemError();
    const std::string invalid = "Not a valid " + kind + " file: " + Shown(path) + "\n";
    if (!S_ISREG(opened.st_mode)) return invalid + "It is " + KindOfEntry(opened.st_mode) + ", not a " + kind + " file.";
    const auto tooLong = [&](std::uintmax_t size) {
        return invalid + "It is " + std::to_string(size) + " bytes long; a " + kind + " file is at most " +
               std::to_string(largest) + " bytes.";
    };
    const auto size = static_cast<std::uintmax_t>(opened.st_size);
    if (size > largest) return tooLong(size);
    bytes.reserve(static_cast<std::size_t>(size));
    // a file that grows while it is read is still cut off one byte past the largest
    char chunk[1 << 16];
    while (bytes.size() <= largest) {
        const ssize_t n = ::read(file.Get(), chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return "Cannot read " + Shown(path) + ": " + SystemError();
        if (n == 0) break;
        bytes.append(chunk, static_cast<std::size_t>(n));
    }
    if (bytes.size() > largest) return tooLong(bytes.size());
    // a mark tells of its save only while the file may still be as that save
    // left it, not whole, and its copy is not another file
    found.Marked = found.MarkOn && MarkBelieved(found.Mark, bytes, path, &found.Copy);
    struct stat after {};
    const bool changed = ::fstat(file.Get(), &after) != 0 || !SameTime(after.st_ctim, opened.st_ctim);
    // the program holding it may be overwriting it now, whatever its mark says
    if (found.LockedOut && (found.MarkOn || changed))
        return "Cannot open " + Shown(path) + ": " + HeldLocked + "; open it again once it has finished with it.";
    return "";
}


// Why `bytes` are no whole file of the kind `parse` reads, after `invalid`
// (the file's name); "" when they are one.
std::string ParseProblem(const std::string& bytes, const std::function<void(RecordReader&)>& parse,
                         const std::string& invalid) {
    try {
        RecordReader reader(bytes);
        parse(reader);
    } catch (const FileFormatError& e) {
        return invalid + e.what();
    } catch (const RuntimeError& e) {
        return e.Description;
    }
    return "";
}

// The newest temporary file beside the file at `path`, of a save of it, that
// holds a whole file of its kind: a save stopped before its new file took
// the name (on FAT, while an empty file of its own held it); "" when none.
std::string WholeLeftover(const std::string& path, std::uintmax_t largest,
                          const std::function<void(RecordReader&)>& parse) {
    const fs::path file = FollowLinks(path);
    const std::string prefix = TemporaryPrefix(file);
    std::string newest;
    timespec newestTime{};
    std::error_code ec;
    for (fs::directory_iterator it(Folder(file), ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().rfind(prefix, 0) != 0) continue;
        const Descriptor fd(::open(it->path().c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat s {};
        std::string bytes;
        if (fd.Valid() && ::fstat(fd.Get(), &s) == 0 && S_ISREG(s.st_mode) &&
            static_cast<std::uintmax_t>(s.st_size) <= largest && ReadContents(fd.Get(), bytes) &&
            ParseProblem(bytes, parse, "").empty() &&
            (newest.empty() || std::tie(s.st_mtim.tv_sec, s.st_mtim.tv_nsec) >
                                   std::tie(newestTime.tv_sec, newestTime.tv_nsec))) {
            newest = it->path().string();
            newestTime = s.st_mtim;
        }
    }
    return newest;
}

// ---- writing ----

// The names of a file's extended attributes, from `list` (flistxattr); a
// file system without them has none. false on an error.
template <class List>
bool AttributeNames(List list, std::vector<std::string>& names) {
    std::vector<char> buffer;
    for (;;) {
        const ssize_t size = list(nullptr, 0);
        if (size < 0) return errno == ENOTSUP;
        buffer.resize(static_cast<std::size_t>(size));
        const ssize_t got = list(buffer.data(), buffer.size());
        if (got < 0 && errno == ERANGE) continue;  // attributes added meanwhile
        if (got < 0) return false;
        for (const char* p = buffer.data(); p < buffer.data() + got; p += std::strlen(p) + 1) names.emplace_back(p);
        return true;
    }
}

// Gives the new file `fd` the extended attributes of the open file `from`
// (its access control list among them) and no others: an access control
// list that the folder's default list gave the new file goes. The marks of a
// save's ".BAK" and of a save cut short neither come nor go with them: the
// new file of a save that completes is whole.
bool CopyAttributes(int from, int fd) {
    std::vector<std::string> wanted, present;
    if (!AttributeNames([&](char* list, std::size_t size) { return ::flistxattr(from, list, size); }, wanted) ||
        !AttributeNames([&](char* list, std::size_t size) { return ::flistxattr(fd, list, size); }, present))
        return false;
    for (const char* own : {BackupMark, SavingMark}) {
        std::erase(wanted, own);
        std::erase(present, own);
    }
    for (const std::string& name : present)
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(fd, name.c_str()) != 0 &&
            errno != ENODATA)
            return false;
    std::vector<char> value;
    for (const std::string& name : wanted) {
        ssize_t size = ::fgetxattr(from, name.c_str(), nullptr, 0);
        if (size >= 0) {
            value.resize(static_cast<std::size_t>(size));
            size = ::fgetxattr(from, name.c_str(), value.data(), value.size());
        }
        if (size < 0 || ::fsetxattr(fd, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) != 0)
            return false;
    }
    return true;
}

// Makes the new file `fd`, still readable by the user alone, what the
// previous file open as `from` was: its owner and group first, while no one
// else may open it, then its extended attributes, then its permission bits.
// false when any of it cannot be given (another user's file, a group the
// user is not in, an attribute the user may not set). What the new file has
// already is not given again: a file system that gives every file the same
// owner, group and bits (FAT, exFAT) refuses to give them even so.
bool TakeOverAttributes(int fd, int from, const struct stat& previous) {
    struct stat made {};
    if (::fstat(fd, &made) != 0) return false;
    const bool owned = made.st_uid == previous.st_uid && made.st_gid == previous.st_gid;
    return (owned || ::fchown(fd, previous.st_uid, previous.st_gid) == 0) && CopyAttributes(from, fd) &&
           ((made.st_mode & 07777) == (previous.st_mode & 07777) || ::fchmod(fd, previous.st_mode & 07777) == 0);
}

// One save: what is written where, and how it went.
struct SaveJob {
    fs::path Target;
    bool Replacing = false;  // a file is at Target, described by Previous
    struct stat Previous {};
    Descriptor Held;          // the file examined, locked for the whole save
    timespec SeenChanged{};   // when its contents or attributes had last changed then
    const std::string* Bytes = nullptr;
    const std::function<void(RecordReader&)>* Parse = nullptr;  // reads a whole file of the kind saved
    bool AppendOnly = false;  // its folder takes new names, but renames and removes none
    fs::path BackupPath;
    Descriptor Backup;  // the ".BAK" this save made
    Descriptor Stale;   // the ".BAK" a save of the file left before
    fs::path Cached;    // the copy of the file this save kept in the cache
    std::vector<MadeFile> Made;  // what saves of the file noted they made beside it
    std::string Earlier;         // the mark a save of it cut short left on the file
    KeptCopy EarlierCopy;        // the copy that mark names
    bool EarlierBelieved = false;

    std::string Reason;          // why the save failed
    bool RenameRefused = false;  // all went well but the rename, which the folder forbids
    bool NoRoom = false;         // the disk or the user's quota is full
    bool Intact = true;          // the file holds either its new or its previous contents
    bool Marked = false;         // this save marked the file as being overwritten
    FileStamp Left;              // the file as the save left it
};

// Opens the file examined for writing, which asks its permission bits and
// access list whether the user may write it; bits that forbid writing are
// respected even by a user the system would let write.
bool OpenExamined(SaveJob& job) {
    const bool mayWrite = (job.Previous.st_mode & 0222) != 0;
    if (mayWrite)
        job.Held = Descriptor(::open(job.Target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (job.Held.Valid()) return true;
    job.Reason = !mayWrite || errno == EACCES ? "the file is write-protected" : SystemError();
    return false;
}

// Holds the lock of the file examined until the save ends, so that two saves
// of one file never write it at once. A save that waited for another finds
// the file as that one left it, and says so rather than replace what its
// user has not seen.
bool LockExamined(SaveJob& job) {
    if (!WaitForLock(job.Held.Get(), LOCK_EX)) {
        job.Reason = std::string(HeldLocked) + "; save again once it has finished with it";
        return false;
    }
    struct stat held {};
    if (::fstat(job.Held.Get(), &held) != 0 || !IsAt(job.Target, job.Held.Get()) ||
        StampOf(held) != StampOf(job.Previous) || held.st_size != job.Previous.st_size) {
        job.Reason = "another program saved it while this save waited; save again to replace it";
        return false;
    }
    job.SeenChanged = held.st_ctim;
    return true;
}

// The file examined is still at its name and as it was then: an answer
// about it, and the copy made of it, hold for it alone. The system notes
// every change of a file's contents, its time and size included, in the time
// of its last change, which no user may set. Only a program that ignores the
// lock changes it meanwhile.
bool AsExamined(SaveJob& job) {
    struct stat held {};
    if (IsAt(job.Target, job.Held.Get()) && ::fstat(job.Held.Get(), &held) == 0 &&
        SameTime(held.st_ctim, job.SeenChanged))
        return true;
    job.Reason = "another program changed it while this save was under way; save again to replace it";
    return false;
}

// A second name of a file of the user's that no one else may read and
// write, in a folder anyone may write whose sticky bit is set: the system
// lets no other user make such a name unless it was told to drop that rule,
// and one made there by another user has a save overwrite a private file.
bool PlantedSecondName(const SaveJob& job) {
    struct stat folder {};
    const mode_t mode = job.Previous.st_mode;
    const bool othersMayWrite = (mode & 060) == 060 || (mode & 006) == 006;
    return job.Previous.st_nlink > 1 && job.Previous.st_uid == ::geteuid() && !othersMayWrite &&
           ::stat(Folder(job.Target).c_str(), &folder) == 0 && SharedSticky(folder);
}

// A folder whose append-only attribute lets files be added to it but never
// renamed or removed.
bool AppendOnlyFolder(const fs::path& folder) {
    const Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NONBLOCK | O_CLOEXEC));
    int flags = 0;
    return fd.Valid() && ::ioctl(fd.Get(), FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_APPEND_FL) != 0;
}

// Whether the leftover at `path` holds a whole file of the kind saved that
// neither the file nor this save holds: the only place where a wall whose
// save was stopped before it took the name waits.
bool HoldsUnsavedWhole(const SaveJob& job, const fs::path& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat s {};
    std::string bytes, held;
    return job.Parse && fd.Valid() && ::fstat(fd.Get(), &s) == 0 && S_ISREG(s.st_mode) && s.st_size > 0 &&
           ReadContents(fd.Get(), bytes) && bytes != *job.Bytes &&
           !(job.Held.Valid() && ReadContents(job.Held.Get(), held) && bytes == held) &&
           ParseProblem(bytes, *job.Parse, "").empty();
}

// Removes the temporary files that saves of the file cut short left beside
// it: with the lock held, no save of the file is using one; a name still
// free has no lock, and a temporary file that its save holds locked is in
// use. Those this user's saves made go by the names they were noted under,
// whether or not the folder may be listed, while they are still the files
// made (one noted before it was made is still empty). One that holds a wall
// no file holds stays. false when one of those stays.
bool RemoveLeftovers(const SaveJob& job) {
    const std::string prefix = TemporaryPrefix(job.Target);
    const auto unused = [&](const fs::path& path) {
        const Descriptor fd(job.Replacing ? -1 : ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        return (job.Replacing || (fd.Valid() && ::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0)) &&
               !HoldsUnsavedWhole(job, path);
    };
    bool cleared = true;
    struct stat s {};
    for (const MadeFile& made : job.Made)
        if (made.Path.parent_path() == Folder(job.Target) && made.Path.filename().string().rfind(prefix, 0) == 0 &&
            ::lstat(made.Path.c_str(), &s) == 0 &&
            (made.Inode == 0 ? S_ISREG(s.st_mode) && s.st_uid == ::geteuid() && s.st_size == 0
                             : s.st_dev == made.Device && s.st_ino == made.Inode))
            cleared = unused(made.Path) && ::unlink(made.Path.c_str()) == 0 && cleared;
    std::error_code ec;
    for (fs::directory_iterator it(Folder(job.Target), ec), end; !ec && it != end; it.increment(ec))
        if (it->path().filename().string().rfind(prefix, 0) == 0 && unused(it->path())) ::unlink(it->path().c_str());
    return cleared;
}

// Makes a new file beside the target under a temporary name, noted as made
// by a save of it: by its name before it is made, so that a save cut short
// in between leaves none that the next save cannot find, and then as the
// file it is. It is locked at once: a save that opens it waits until this
// one has finished, after it took the file's name too.
Descriptor CreateBeside(const SaveJob& job, mode_t mode, fs::path& created) {
    Descriptor fd = CreateExclusive(Folder(job.Target), TemporaryPrefix(job.Target), mode, created,
                                    [&](const fs::path& name) { NoteMade(job.Target, name, -1); });
    if (fd.Valid()) {
        ::flock(fd.Get(), LOCK_EX | LOCK_NB);
        NoteMade(job.Target, created, fd.Get());
    }
    return fd;
}

// Gives the finished copy `temporary` the ".BAK" name: over the copy that a
// save of the file left, while it is still there, else only where the name
// is free; an empty file that holds the name for it meanwhile is noted as
// this save's, so that it is never taken for the user's own.
bool NameBackup(const fs::path& temporary, const SaveJob& job) {
    if (job.Stale.Valid())
        return IsAt(job.BackupPath, job.Stale.Get()) && ::rename(temporary.c_str(), job.BackupPath.c_str()) == 0;
    return RenameNoReplace(temporary, job.BackupPath, [&] { NoteMade(job.Target, job.BackupPath, -1); });
}

// Copies the previous file to its ".BAK" name, read through the descriptor
// of the file examined: a link put at the file's name meanwhile is never
// followed. The copy is written under a temporary name, marked as a copy of
// this file, and takes the ".BAK" name only when it is complete, so that no
// half copy ever holds it. A ".BAK" of the user's own stays as it is, and
// there is then no backup. The copy is the user's alone until it has the
// file's owner, group, attributes and bits, and stays so where it cannot
// have them.
bool MakeBackup(SaveJob& job) {
    fs::path temporary;
    Descriptor to = CreateBeside(job, 0600, temporary);
    if (!to.Valid()) return false;
    // a file system without attributes keeps the copy unmarked
    SetBackupMark(to.Get(), job.Target);
    bool given = TakeOverAttributes(to.Get(), job.Held.Get(), job.Previous);
    if (!given) {
        // another user's file: the copy is the user's, with the file's
        // group, attributes and bits where he may give them, else his alone
        const bool groupKept = ::fchown(to.Get(), static_cast<uid_t>(-1), job.Previous.st_gid) == 0 &&
                               CopyAttributes(job.Held.Get(), to.Get());
        given = ::fchmod(to.Get(), groupKept ? job.Previous.st_mode & 0777 : 0600) == 0;
    }
    if (given && CopyContents(job.Held.Get(), to.Get()) && NameBackup(temporary, job)) {
        job.Backup = std::move(to);
        return true;
    }
    RemoveOwnFile(temporary, to.Get());
    return false;
}

// The reason a new file could not take the name of a target that was not
// there when the save looked: one another program made there meanwhile is
// never replaced.
void TellNameTaken(SaveJob& job) {
    if (errno == EEXIST)
        job.Reason = "another program made a file of that name while this save ran; save again to replace it";
}

// Writes the bytes to the new file `file` and renames it over the target,
// once the file examined is still as it was; a target that was not there
// takes the new file only while its name is still free.
bool WriteAndRename(const Descriptor& file, const fs::path& temporary, SaveJob& job) {
    struct stat saved {};
    const std::string& bytes = *job.Bytes;
    // the data must be on the disk before the rename makes it the file
    const bool ok = WriteAt(file.Get(), bytes.data(), bytes.size(), 0) && ::fsync(file.Get()) == 0 &&
                    ::fstat(file.Get(), &saved) == 0;
    const bool named = ok && (job.Replacing ? AsExamined(job) && ::rename(temporary.c_str(), job.Target.c_str()) == 0
                                            : RenameNoReplace(temporary, job.Target));
    if (!named) {
        job.RenameRefused = ok && job.Reason.empty() && (errno == EPERM || errno == EACCES);
        if (job.Reason.empty() && !job.Replacing) TellNameTaken(job);
        if (job.Reason.empty()) job.Reason = SystemError();
        ::unlink(temporary.c_str());
        return false;
    }
    job.Left = StampOf(saved);
    if (!SyncFolder(Folder(job.Target))) {
        job.Reason = "the folder could not be written to the disk: " + SystemError();
        return false;
    }
    return true;
}

// Writes the bytes to a new file made under the target's own name, where no
// other name could be given to it (a folder that renames nothing).
bool WriteUnderName(SaveJob& job) {
    const Descriptor file(::open(job.Target.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC, 0666));
    struct stat saved {};
    const std::string& bytes = *job.Bytes;
    if (!file.Valid()) TellNameTaken(job);
    if (!file.Valid() || !WriteAt(file.Get(), bytes.data(), bytes.size(), 0) || ::fsync(file.Get()) != 0 ||
        ::fstat(file.Get(), &saved) != 0 || !SyncFolder(Folder(job.Target))) {
        if (job.Reason.empty()) job.Reason = SystemError();
        return false;
    }
    job.Left = StampOf(saved);
    return true;
}

// Keeps a copy of the open file `file` in the user's cache folder, on the
// disk under its name; no descriptor, and the reason, when it cannot.
Descriptor KeepCopy(SaveJob& job, int file) {
    const fs::path cache = MadeCacheDirectory();
    Descriptor copy =
        cache.empty() ? Descriptor() : CreateExclusive(cache, CopyPrefix(job.Target, file), 0600, job.Cached);
    if (copy.Valid() && CopyContents(file, copy.Get()) && SyncFolder(cache)) return copy;
    job.NoRoom = errno == ENOSPC || errno == EDQUOT;
    job.Reason = "no copy of the previous file could be kept in " +
                 (cache.empty() ? std::string("a cache folder (no home folder is known)")
                                : Shown(cache.string()) + ": " + SystemError());
    if (copy.Valid()) RemoveOwnFile(job.Cached, copy.Get());
    job.Cached.clear();
    return Descriptor();
}

// Marks the open file `file` as being overwritten, with `mark` (where its
// previous contents wait and whose copy that is) and what the file may hold
// until the save is done, and puts the mark on the disk before the file
// changes, once the file is still as the save found it; it replaces a mark
// that no longer holds, or one whose save this one finishes. The copy holds
// what the file holds now, or, for `copyKey`, the contents of that key. A
// mark too long for the file system says only where the copy waits. On a
// file system that keeps no user attributes the mark is noted in the
// user's own cache instead; false, with the reason, when one cannot be set
// otherwise (the disk is full).
bool MarkOverwrite(SaveJob& job, int file, const std::string& mark, const std::string* copyKey = nullptr) {
    std::string now;
    if (!AsExamined(job) || !ReadContents(file, now)) {
        if (job.Reason.empty()) job.Reason = SystemError();
        return false;
    }
    const std::string full = mark + "\n" + SavingStateOf(now, *job.Bytes, copyKey ? *copyKey : KeyOf(now));
    const bool set = ::fsetxattr(file, SavingMark, full.data(), full.size(), 0) == 0 ||
                     (errno != ENOTSUP && ::fsetxattr(file, SavingMark, mark.data(), mark.size(), 0) == 0);
    if (!set && errno != ENOTSUP) {
        job.NoRoom = errno == ENOSPC || errno == EDQUOT;
        job.Reason = "the file cannot be marked as being saved: " + SystemError();
        return false;
    }
    job.Marked = set || NoteSaving(file, full);
    if (::fsync(file) == 0) return true;
    job.Reason = SystemError();
    return false;
}

// `file` by a path that does not depend on the name it was reached by: its
// folder's own path (links and ".." resolved), then its name.
fs::path WholePath(const fs::path& file) {
    std::error_code ec;
    const fs::path folder = fs::canonical(Folder(file), ec);
    return ec ? file : folder / file.filename();
}

// Notes what the open file `file` now is as what the save left.
bool StampFile(int file, SaveJob& job) {
    struct stat now {};
    if (::fstat(file, &now) != 0) return false;
    job.Left = StampOf(now);
    return true;
}

// Takes the mark off the file once it holds whole contents, on the disk:
// the new ones (whoever set the mark), or its own previous ones when this
// save set it. The contents are on the disk already, so a flush that fails
// costs no more than a mark that may come back after a power cut.
bool ClearOverwriteMark(int file, bool saved, const SaveJob& job) {
    if (!saved && !job.Marked) return true;
    if (::fremovexattr(file, SavingMark) != 0 && errno != ENODATA && errno != ENOTSUP) return false;
    ForgetSaving(file);
    ::fsync(file);
    return true;
}

// Writes the bytes over the open file `file`, on the disk, then takes off
// the mark that it is being overwritten.
bool Overwrite(int file, SaveJob& job) {
    const std::string& bytes = *job.Bytes;
    return WriteAt(file, bytes.data(), bytes.size(), 0) && ::ftruncate(file, static_cast<off_t>(bytes.size())) == 0 &&
           ::fsync(file) == 0 && ClearOverwriteMark(file, true, job) && StampFile(file, job);
}

// Writes the bytes over the file itself. Its previous contents wait in the
// ".BAK" beside it, where everyone who may open the file may read them, or
// else in the user's cache folder; the mark on the file names them, so that
// the next open, by anyone, tells that the save did not finish. They go
// back into the file when the new contents cannot be written.
bool WriteInPlace(SaveJob& job) {
    job.Intact = true;
    job.Reason.clear();
    const int file = job.Held.Get();
    if (!IsAt(job.Target, file)) {
        job.Reason = "the file was replaced while it was being saved";
        return false;
    }
    // a file that a save cut short left marked is no whole file to keep a
    // copy of: the copy its mark names holds the last whole contents until
    // it is saved, and the mark says from then on what this save may leave
    if (job.EarlierBelieved) {
        const KeptCopy& copy = job.EarlierCopy;
        const std::string where = copy.Is == KeptCopy::Missing ? MarkWithoutState(job.Earlier)
                                                                : WholePath(copy.Path).string() + "\n" + copy.Owner;
        const std::string copyKey = CopyKeyOf(job.Earlier);
        if (MarkOverwrite(job, file, where, &copyKey) && Overwrite(file, job)) return true;
        if (job.Reason.empty()) job.Reason = SystemError();
        job.Reason += "\nA save of it was cut short before; " + CutShortCopyOf(copy);
        job.Intact = false;
        return false;
    }
    // the copy and its name are on the disk before the mark names them; where
    // the disk has room for the ".BAK" but not for the mark too, the copy goes
    // to the cache, which often lies on another disk
    Descriptor cached;
    bool beside = job.Backup.Valid() && SyncFolder(Folder(job.Target));
    for (;;) {
        if (!beside && !(cached = KeepCopy(job, file)).Valid()) return false;
        const fs::path copyPath = beside ? WholePath(job.BackupPath) : job.Cached;
        if (MarkOverwrite(job, file, copyPath.string() + "\n" + UserName())) break;
        if (cached.Valid()) RemoveOwnFile(job.Cached, cached.Get());
        if (!beside || !job.NoRoom) return false;
        RemoveOwnFile(job.BackupPath, job.Backup.Get());
        job.Backup.Close();
        beside = false;
    }
    const int copy = beside ? job.Backup.Get() : cached.Get();

    if (Overwrite(file, job)) return true;
    job.Reason = SystemError();
    job.Intact = CopyContents(copy, file) && ClearOverwriteMark(file, false, job);
    if (job.Intact) {
        if (cached.Valid()) RemoveOwnFile(job.Cached, copy);
        // the program's own restore is no change by someone else
        StampFile(file, job);
    } else {
        job.Reason += "\nThe previous file is kept in " + Shown((beside ? job.BackupPath : job.Cached).string());
    }
    return false;
}

// Once the file is whole with this save's contents, the copy of its earlier
// contents that a save of it cut short left goes too: the ".BAK" a save
// made, one in the user's cache, or another user's the mark names, which
// the user may not read.
void RemoveEarlierCopy(const SaveJob& job) {
    const KeptCopy& copy = job.EarlierCopy;
    if (copy.Is == KeptCopy::Found) {
        const Descriptor fd(::open(copy.Path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        if (fd.Valid() && MadeByASave(fd.Get(), copy.Path)) RemoveOwnFile(copy.Path, fd.Get());
    } else if (copy.Is == KeptCopy::Unreadable && job.EarlierBelieved) {
        const Descriptor fd(::open(copy.Path.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
        if (fd.Valid()) RemoveOwnFile(copy.Path, fd.Get());
    }
}

// The write of WriteFileWith without the pointer and the message.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error, bool backup,
                        FileStamp& left, const ReplaceCheck& mayReplace,
                        const std::function<void(RecordReader&)>& parse) {
    SaveJob job;
    fs::path refused;
    job.Target = FollowLinks(path, &refused);
    job.Bytes = &bytes;
    job.Parse = parse ? &parse : nullptr;
    const std::string cannot = "Cannot write " + Shown(path) + ": ";
    if (!refused.empty()) {
        error = cannot + "the link " + Shown(refused.string()) + " leads to " +
                Shown(FollowLinks(refused.string()).string()) +
                ", but it is another user's link in a folder anyone may write, and the system follows no such link";
        return false;
    }

    // what is there now: it keeps its permission bits
    job.Replacing = ::stat(job.Target.c_str(), &job.Previous) == 0;
    if (!job.Replacing && errno != ENOENT) {
        error = cannot + SystemError();
        return false;
    }
    if (job.Replacing && !S_ISREG(job.Previous.st_mode)) {
        error = cannot + "it is " + KindOfEntry(job.Previous.st_mode);
        return false;
    }
    if (job.Replacing) {
        // a file the user may not write is no reason to refuse one that the
        // caller did not expect to find (made at a name that was free): he says why
        if (!OpenExamined(job)) {
            if (!mayReplace || mayReplace(StampOf(job.Previous))) error = cannot + job.Reason;
            return false;
        }
        if (!LockExamined(job)) {
            error = cannot + job.Reason;
            return false;
        }
        if (PlantedSecondName(job)) {
            error = cannot + "it is a second name of a file that only its owner may read and write, in a folder "
                             "anyone may write whose sticky bit is set; another user may have made it there, and the "
                             "system lets no one else make such a name";
            return false;
        }
        // asked under the lock, so that what is replaced is what was asked about
        if (mayReplace && !mayReplace(StampOf(job.Previous))) return false;
        std::string contents;
        job.EarlierBelieved = SavingMarkOn(job.Held.Get(), job.Earlier) && ReadContents(job.Held.Get(), contents) &&
                              MarkBelieved(job.Earlier, contents, job.Target.string(), &job.EarlierCopy);
    }
    job.Made = NotedMade(job.Target);
    job.AppendOnly = AppendOnlyFolder(Folder(job.Target));
    const bool leftoversGone = RemoveLeftovers(job);

    // A file with other names is written in place so that they all see the
    // saved wall; so is one in a folder where no new file may be made, or
    // none renamed, and one whose owner, group or attributes a new file
    // could not keep. A new file replacing another is the user's alone until
    // it has the other's owner and bits; a file of a new name takes the
    // user's usual bits and the folder's default access list from the start.
    bool inPlace = job.Replacing && (job.Previous.st_nlink > 1 || job.AppendOnly);
    fs::path temporary;
    Descriptor file;
    if (!inPlace && !(job.AppendOnly && !job.Replacing)) {
        file = CreateBeside(job, job.Replacing ? 0600 : 0666, temporary);
        if (!file.Valid() && !(job.Replacing && (errno == EACCES || errno == EPERM))) {
            error = cannot + SystemError();
            return false;
        }
        if (file.Valid() && job.Replacing && !TakeOverAttributes(file.Get(), job.Held.Get(), job.Previous)) {
            RemoveOwnFile(temporary, file.Get());
            file.Close();
        }
        inPlace = !file.Valid();
    }

    // no ".BAK" where nothing can be removed: the copy waits in the cache
    job.BackupPath = BackupFilePath(job.Target.string());
    if (backup && job.Replacing && !job.AppendOnly && job.BackupPath != job.Target) {
        job.Stale = BackupOfASave(job.BackupPath, job.Target, job.Made);
        if (!job.EarlierBelieved) MakeBackup(job);
    }

    bool saved = inPlace ? WriteInPlace(job) : file.Valid() ? WriteAndRename(file, temporary, job) : WriteUnderName(job);
    // a folder that lets the user make files but not replace this one: the
    // file itself is writable, so it takes the new contents in place
    if (!saved && job.RenameRefused && job.Replacing) saved = WriteInPlace(job);
    // the backup goes once the file holds either the new or the old
    // contents; a save that succeeded leaves no copy of the file at all
    if (job.Intact && job.Backup.Valid()) RemoveOwnFile(job.BackupPath, job.Backup.Get());
    if (saved && job.Stale.Valid()) RemoveOwnFile(job.BackupPath, job.Stale.Get());
    if (saved && job.Replacing)
        for (const fs::path& copy : KeptCopies(job.Target, job.Held.Get())) ::unlink(copy.c_str());
    if (saved) RemoveEarlierCopy(job);
    // a note of a save cut short on the file a rename replaced
    if (saved && job.Replacing) ForgetSaving(job.Held.Get());
    // nothing this save made is left beside the file but a ".BAK" that
    // still waits for the next save
    if (job.Intact && leftoversGone && (saved || !job.Stale.Valid())) ForgetMade(job.Target);
    left = job.Left;
    if (!saved) error = cannot + job.Reason;
    return saved;
}

// The write of WriteFileWith without the pointer: false with the message
// in `error`, which is empty when the user said not to replace the file.
bool WriteFile(const std::string& path, const std::function<void(RecordWriter&)>& compose, bool backup,
               FileStamp* left, const ReplaceCheck& mayReplace, const std::function<void(RecordReader&)>& parse,
               std::string& error) {
    FileStamp stamp;
    bool written = false;
    try {
        RecordWriter writer;
        compose(writer);
        written = WriteFileReplacing(path, writer.Bytes(), error, backup, stamp, mayReplace, parse);
    } catch (const RuntimeError& e) {
        error = e.Description;
    }
    if (left) *left = stamp;
    return written;
}

}  // namespace

FileStamp FileStampOf(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? StampOf(s) : FileStamp{};
}

std::string ReadFileProblem(const std::string& path, const std::string& kind, std::uintmax_t largest,
                            const std::function<void(RecordReader&)>& parse) {
    Found found;
    std::string problem = ReadWholeFile(path, kind, largest, found);
    // what another program is doing to it is all that is known
    if (found.LockedOut && !problem.empty()) return problem;
    if (problem.empty()) problem = ParseProblem(found.Bytes, parse, "Not a valid " + kind + " file: " + Shown(path) + "\n");
    const std::string cutShort = "\nA save of it was cut short; ";
    // a file that a save was overwriting when it stopped may hold parts of
    // two walls that read as one: it is no good file, whether or not it reads
    if (found.Marked)
        return (problem.empty() ? "Cannot open " + Shown(path) + ": it may hold parts of two files." : problem) +
               cutShort + CutShortCopyOf(found.Copy);
    if (problem.empty()) return problem;
    // where no file can carry the mark, a file that does not read may still
    // be one a save of this user's was overwriting
    if (!found.Cached.empty()) return problem + cutShort + "its previous contents are kept in " + Shown(found.Cached);
    // a save that made a new file and was stopped before it took the name
    if (const std::string left = WholeLeftover(path, largest, parse); !left.empty())
        problem += cutShort + "a whole " + kind + " file it left stands in " + Shown(left);
    return problem;
}

bool ReadFileWith(const std::string& path, const std::string& kind, std::uintmax_t largest,
                  const std::function<void(RecordReader&)>& parse) {
    std::string problem;
    {
        // the pointer is back to normal before the message shows
        const BusyPointer busy;
        problem = ReadFileProblem(path, kind, largest, parse);
    }
    if (problem.empty()) return true;
    MsgBox(problem, vbExclamation, ProductName);
    return false;
}

std::string WriteFileProblem(const std::string& path, const std::function<void(RecordWriter&)>& compose, bool backup,
                             FileStamp* left, const ReplaceCheck& mayReplace,
                             const std::function<void(RecordReader&)>& parse) {
    std::string error;
    WriteFile(path, compose, backup, left, mayReplace, parse, error);
    return error;
}

bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose, bool backup,
                   FileStamp* left, const ReplaceCheck& mayReplace, const std::function<void(RecordReader&)>& parse) {
    std::string problem;
    bool written = false;
    {
        const BusyPointer busy;
        written = WriteFile(path, compose, backup, left, mayReplace, parse, problem);
    }
    if (!problem.empty()) MsgBox(problem, vbExclamation, ProductName);
    return written;
}

}  // namespace brindlemar

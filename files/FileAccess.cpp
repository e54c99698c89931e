#include "files/FileAccess.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>
#include <unistd.h>
#include <utility>
#include <vector>

#include "files/Paths.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

namespace fs = std::filesystem;

// Message boxes show the program's Windows-1252 texts; paths are UTF-8.
std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

std::string SystemError() { return std::strerror(errno); }

// A file descriptor that is closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // false, with errno, when the system reports a late write error
    bool Close() { return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

// What an entry that is not a plain file is, in words.
std::string KindOfEntry(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISBLK(mode) || S_ISCHR(mode)) return "a device";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a plain file";
}

// Follows a chain of symbolic links to the path they end at, which need not
// exist yet: saving through a link writes the file it points to.
fs::path FollowLinks(const std::string& path) {
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) break;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
}

// ---- the copies a save in place keeps ----

fs::path UserCacheDirectory() { return UserFolder("XDG_CACHE_HOME", ".cache"); }

// The start of the names of the copies kept of the file at `target`: its
// name, then a key of its whole path, so that the copy of one "wall.bmi" is
// never taken for another's.
std::string CopyPrefix(const fs::path& target) {
    std::error_code ec;
    fs::path whole = fs::absolute(target, ec).lexically_normal();
    if (ec) whole = target;
    std::uint64_t key = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : whole.string()) key = (key ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(key));
    return target.filename().string().substr(0, 200) + "." + hex + ".";
}

// The newest copy of the file at `path` that a save cut short left in the
// cache folder; "" when there is none.
std::string KeptCopyOf(const std::string& path) {
    const fs::path cache = UserCacheDirectory();
    if (cache.empty()) return "";
    const std::string prefix = CopyPrefix(FollowLinks(path));
    std::error_code ec;
    fs::path newest;
    fs::file_time_type newestTime{};
    for (fs::directory_iterator it(cache, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename().string().rfind(prefix, 0) != 0) continue;
        const auto time = fs::last_write_time(it->path(), ec);
        if (!ec && (newest.empty() || time > newestTime)) {
            newest = it->path();
            newestTime = time;
        }
        ec.clear();
    }
    return newest.string();
}

// ---- reading ----

// Reads the whole file; "" on success, else why not. The file is opened
// without waiting (a pipe put at the path must not hang the program) and
// what it is comes from what was opened, not from a look at the path
// before. A file longer than any of its kind can be is refused by its size,
// before a byte of it is read.
std::string ReadWholeFile(const std::string& path, const std::string& kind, std::uintmax_t largest,
                          std::string& bytes) {
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.Valid())
        return errno == ENOENT ? "File not found: " + Shown(path) : "Cannot open " + Shown(path) + ": " + SystemError();
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
    return "";
}

// ---- writing ----

FileStamp StampOf(const struct stat& s) {
    return {static_cast<uint64_t>(s.st_dev), static_cast<uint64_t>(s.st_ino), static_cast<int64_t>(s.st_mtim.tv_sec),
            static_cast<int64_t>(s.st_mtim.tv_nsec)};
}

bool WriteAt(int fd, const char* data, std::size_t size, off_t offset) {
    while (size > 0) {
        const ssize_t n = ::pwrite(fd, data, size, offset);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        data += n;
        size -= static_cast<std::size_t>(n);
        offset += n;
    }
    return true;
}

// Makes `to` hold exactly what `from` holds, on the disk.
bool CopyContents(int from, int to) {
    std::vector<char> buffer(1 << 16);
    off_t offset = 0;
    for (;;) {
        const ssize_t n = ::pread(from, buffer.data(), buffer.size(), offset);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;
        if (n == 0) break;
        if (!WriteAt(to, buffer.data(), static_cast<std::size_t>(n), offset)) return false;
        offset += n;
    }
    return ::ftruncate(to, offset) == 0 && ::fsync(to) == 0;
}

// Flushes a folder to the disk, so that a name just made or replaced in it
// survives a power cut. A file system that cannot flush a folder (EINVAL)
// has nothing to flush.
bool SyncFolder(const fs::path& folder) {
    Descriptor fd(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return fd.Valid() && (::fsync(fd.Get()) == 0 || errno == EINVAL);
}

// Creates a new file in `folder` under a random name that starts with
// `prefix`. O_EXCL makes the call fail on a name that is taken, a planted
// link included, instead of opening what is there.
Descriptor CreateExclusive(const fs::path& folder, const std::string& prefix, mode_t mode, fs::path& created) {
    static std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
        created = folder / (prefix + suffix);
        Descriptor fd(::open(created.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.Valid() || errno != EEXIST) return fd;
    }
    return Descriptor();
}

// Removes a file this save created, unless someone has put another file
// under its name since.
void RemoveOwnFile(const fs::path& path, int fd) {
    struct stat ours {}, now {};
    if (::fstat(fd, &ours) == 0 && ::lstat(path.c_str(), &now) == 0 && ours.st_dev == now.st_dev &&
        ours.st_ino == now.st_ino)
        ::unlink(path.c_str());
}

// The names of a file's extended attributes, from `list` (listxattr or
// flistxattr); a file system without them has none. false on an error.
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

// Gives the new file `fd` the extended attributes of the file at `from`
// (its access control list among them) and no others: an access control
// list that the folder's default list gave the new file goes.
bool CopyAttributes(const fs::path& from, int fd) {
    std::vector<std::string> wanted, present;
    if (!AttributeNames([&](char* list, std::size_t size) { return ::listxattr(from.c_str(), list, size); }, wanted) ||
        !AttributeNames([&](char* list, std::size_t size) { return ::flistxattr(fd, list, size); }, present))
        return false;
    for (const std::string& name : present)
        if (std::find(wanted.begin(), wanted.end(), name) == wanted.end() && ::fremovexattr(fd, name.c_str()) != 0 &&
            errno != ENODATA)
            return false;
    std::vector<char> value;
    for (const std::string& name : wanted) {
        ssize_t size = ::getxattr(from.c_str(), name.c_str(), nullptr, 0);
        if (size >= 0) {
            value.resize(static_cast<std::size_t>(size));
            size = ::getxattr(from.c_str(), name.c_str(), value.data(), value.size());
        }
        if (size < 0 || ::fsetxattr(fd, name.c_str(), value.data(), static_cast<std::size_t>(size), 0) != 0)
            return false;
    }
    return true;
}

// Makes the new file `fd`, still readable by the user alone, what the
// previous file at `from` was: its owner and group first, while no one else
// may open it, then its extended attributes, then its permission bits.
// false when any of it cannot be given (another user's file, a group the
// user is not in, an attribute the user may not set).
bool TakeOverAttributes(int fd, const fs::path& from, const struct stat& previous) {
    return ::fchown(fd, previous.st_uid, previous.st_gid) == 0 && CopyAttributes(from, fd) &&
           ::fchmod(fd, previous.st_mode & 07777) == 0;
}

// One save: what is written where, and how it went.
struct SaveJob {
    fs::path Target;
    bool Replacing = false;  // a file is at Target, described by Previous
    struct stat Previous {};
    const std::string* Bytes = nullptr;

    std::string Reason;          // why the save failed
    bool RenameRefused = false;  // all went well but the rename, which the folder forbids
    bool Intact = true;          // the file holds either its new or its previous contents
    FileStamp Left;              // the file as the save left it
};

// Copies the previous file to its ".BAK" name. A file of that name is the
// user's (or was kept by a failed save) and stays as it is; a copy that
// cannot be finished (a full disk) goes, so that no later save takes it for
// the user's. The copy is the user's alone until it has the file's owner,
// group, attributes and bits, and stays so where it cannot have them.
bool MakeBackup(const SaveJob& job, const fs::path& backupPath) {
    Descriptor from(::open(job.Target.c_str(), O_RDONLY | O_CLOEXEC));
    if (!from.Valid()) return false;
    Descriptor to(::open(backupPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!to.Valid()) return false;
    if (!TakeOverAttributes(to.Get(), job.Target, job.Previous)) {
        // another user's file: the copy is the user's, with the file's
        // group, attributes and bits where he may give them, else his alone
        const bool groupKept = ::fchown(to.Get(), static_cast<uid_t>(-1), job.Previous.st_gid) == 0 &&
                               CopyAttributes(job.Target, to.Get());
        if (::fchmod(to.Get(), groupKept ? job.Previous.st_mode & 0777 : 0600) != 0) return false;
    }
    if (CopyContents(from.Get(), to.Get())) return to.Close();
    RemoveOwnFile(backupPath, to.Get());
    return false;
}

// Writes the bytes to the new file `temporary` and renames it over the target.
bool WriteAndRename(Descriptor file, const fs::path& temporary, SaveJob& job) {
    struct stat saved {};
    const std::string& bytes = *job.Bytes;
    // the data must be on the disk before the rename makes it the file
    const bool ok = WriteAt(file.Get(), bytes.data(), bytes.size(), 0) && ::fsync(file.Get()) == 0 &&
                    ::fstat(file.Get(), &saved) == 0 && file.Close();
    if (!ok || ::rename(temporary.c_str(), job.Target.c_str()) != 0) {
        job.RenameRefused = ok && (errno == EPERM || errno == EACCES);
        job.Reason = SystemError();
        ::unlink(temporary.c_str());
        return false;
    }
    job.Left = StampOf(saved);
    if (!SyncFolder(job.Target.parent_path())) {
        job.Reason = "the folder could not be written to the disk: " + SystemError();
        return false;
    }
    return true;
}

// Keeps a copy of the open file `file` in the user's cache folder, on the
// disk under its name; no descriptor, and the reason, when it cannot.
Descriptor KeepCopy(const SaveJob& job, int file, fs::path& copyPath, std::string& reason) {
    const fs::path cache = UserCacheDirectory();
    std::error_code ec;
    if (!cache.empty()) {
        fs::create_directories(cache.parent_path(), ec);
        ::mkdir(cache.c_str(), 0700);
    }
    Descriptor copy = cache.empty() ? Descriptor() : CreateExclusive(cache, CopyPrefix(job.Target), 0600, copyPath);
    if (copy.Valid() && CopyContents(file, copy.Get()) && SyncFolder(cache)) return copy;
    reason = "no copy of the previous file could be kept in " +
             (cache.empty() ? std::string("a cache folder (no home folder is known)")
                            : Shown(cache.string()) + ": " + SystemError());
    if (copy.Valid()) RemoveOwnFile(copyPath, copy.Get());
    return Descriptor();
}

// Writes the bytes over the file itself. Its previous contents wait in the
// user's cache folder until the new ones are on the disk, and go back into
// the file when they cannot be written. A crash in between leaves the copy
// for the user, and the message of a file that cannot be read names it.
bool WriteInPlace(SaveJob& job) {
    job.Intact = true;
    Descriptor file(::open(job.Target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {};
    if (!file.Valid() || ::fstat(file.Get(), &opened) != 0) {
        job.Reason = SystemError();
        return false;
    }
    if (opened.st_dev != job.Previous.st_dev || opened.st_ino != job.Previous.st_ino) {
        job.Reason = "the file was replaced while it was being saved";
        return false;
    }
    fs::path copyPath;
    const Descriptor copy = KeepCopy(job, file.Get(), copyPath, job.Reason);
    if (!copy.Valid()) return false;

    const std::string& bytes = *job.Bytes;
    struct stat after {};
    if (WriteAt(file.Get(), bytes.data(), bytes.size(), 0) &&
        ::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(file.Get()) == 0 &&
        ::fstat(file.Get(), &after) == 0) {
        RemoveOwnFile(copyPath, copy.Get());
        job.Left = StampOf(after);
        return true;
    }
    job.Reason = SystemError();
    job.Intact = CopyContents(copy.Get(), file.Get());
    if (job.Intact) {
        RemoveOwnFile(copyPath, copy.Get());
        // the program's own restore is no change by someone else
        if (::fstat(file.Get(), &after) == 0) job.Left = StampOf(after);
    } else {
        job.Reason += "\nThe previous file is kept in " + Shown(copyPath.string());
    }
    return false;
}

// The write of WriteFileWith without the pointer and the message.
bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error, bool backup,
                        FileStamp& left) {
    SaveJob job;
    job.Target = FollowLinks(path);
    job.Bytes = &bytes;
    const std::string cannot = "Cannot write " + Shown(path) + ": ";

    // what is there now: it keeps its permission bits, and bits that forbid
    // writing are respected even by a user the system would let write
    job.Replacing = ::stat(job.Target.c_str(), &job.Previous) == 0;
    if (!job.Replacing && errno != ENOENT) {
        error = cannot + SystemError();
        return false;
    }
    if (job.Replacing && !S_ISREG(job.Previous.st_mode)) {
        error = cannot + "it is " + KindOfEntry(job.Previous.st_mode);
        return false;
    }
    if (job.Replacing && ((job.Previous.st_mode & 0222) == 0 || ::access(job.Target.c_str(), W_OK) != 0)) {
        error = cannot + "the file is write-protected";
        return false;
    }

    // A file with other names is written in place so that they all see the
    // saved wall; so is one in a folder where no new file may be made, and
    // one whose owner, group or attributes a new file could not keep. A new
    // file replacing another is the user's alone until it has the other's
    // owner and bits; a file of a new name takes the user's usual bits and
    // the folder's default access list from the start.
    bool inPlace = job.Replacing && job.Previous.st_nlink > 1;
    fs::path temporary;
    Descriptor file;
    if (!inPlace) {
        file = CreateExclusive(job.Target.parent_path(), ".brindlemar-", job.Replacing ? 0600 : 0666, temporary);
        if (!file.Valid() && !(job.Replacing && (errno == EACCES || errno == EPERM))) {
            error = cannot + SystemError();
            return false;
        }
        if (file.Valid() && job.Replacing && !TakeOverAttributes(file.Get(), job.Target, job.Previous)) {
            RemoveOwnFile(temporary, file.Get());
            file.Close();
        }
        inPlace = !file.Valid();
    }

    const fs::path backupPath = BackupFilePath(job.Target.string());
    const bool backedUp = backup && job.Replacing && MakeBackup(job, backupPath);

    bool saved = inPlace ? WriteInPlace(job) : WriteAndRename(std::move(file), temporary, job);
    // a folder that lets the user make files but not replace this one: the
    // file itself is writable, so it takes the new contents in place
    if (!saved && job.RenameRefused && job.Replacing) saved = WriteInPlace(job);
    // the backup goes once the file holds either the new or the old contents
    std::error_code ec;
    if (backedUp && job.Intact) fs::remove(backupPath, ec);
    left = job.Left;
    if (!saved) error = cannot + job.Reason;
    return saved;
}

}  // namespace

FileStamp FileStampOf(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? StampOf(s) : FileStamp{};
}

std::string ReadFileProblem(const std::string& path, const std::string& kind, std::uintmax_t largest,
                            const std::function<void(RecordReader&)>& parse) {
    std::string bytes, problem = ReadWholeFile(path, kind, largest, bytes);
    if (problem.empty()) {
        try {
            RecordReader reader(bytes);
            parse(reader);
            return "";
        } catch (const FileFormatError& e) {
            problem = "Not a valid " + kind + " file: " + Shown(path) + "\n" + e.what();
        } catch (const RuntimeError& e) {
            problem = e.Description;
        }
    }
    if (const std::string copy = KeptCopyOf(path); !copy.empty())
        problem += "\nA save of it was cut short; its previous contents are kept in " + Shown(copy);
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
                             FileStamp* left) {
    std::string error;
    FileStamp stamp;
    try {
        RecordWriter writer;
        compose(writer);
        WriteFileReplacing(path, writer.Bytes(), error, backup, stamp);
    } catch (const RuntimeError& e) {
        error = e.Description;
    }
    if (left) *left = stamp;
    return error;
}

bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose, bool backup,
                   FileStamp* left) {
    std::string problem;
    {
        const BusyPointer busy;
        problem = WriteFileProblem(path, compose, backup, left);
    }
    if (problem.empty()) return true;
    MsgBox(problem, vbExclamation, ProductName);
    return false;
}

}  // namespace brindlemar

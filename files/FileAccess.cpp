#include "files/FileAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <random>
#include <sys/stat.h>
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

// The pointer is back to normal before the message shows.
void Report(const std::string& message) {
    SetBusyPointer(false);
    MsgBox(message, vbExclamation, ProductName);
}

// What an entry that is not a plain file is, in words.
std::string KindOfEntry(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory: return "a folder";
        case fs::file_type::block:
        case fs::file_type::character: return "a device";
        case fs::file_type::fifo: return "a pipe";
        case fs::file_type::socket: return "a socket";
        default: return "not a plain file";
    }
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

// Reads the whole file; "" on success, else why not. A file longer than any
// of its kind can be is refused by its size, before a byte of it is read.
std::string ReadWholeFile(const std::string& path, const std::string& kind, std::uintmax_t largest,
                          std::string& bytes) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status)) return "File not found: " + Shown(path);
    const std::string invalid = "Not a valid " + kind + " file: " + Shown(path) + "\n";
    if (!fs::is_regular_file(status))
        return invalid + "It is " + KindOfEntry(status.type()) + ", not a " + kind + " file.";
    const auto tooLong = [&](std::uintmax_t size) {
        return invalid + "It is " + std::to_string(size) + " bytes long; a " + kind + " file is at most " +
               std::to_string(largest) + " bytes.";
    };
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > largest) return tooLong(size);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Cannot open " + Shown(path) + ": " + std::strerror(errno);
    // a file that grows while it is read is still cut off one byte past the largest
    char chunk[1 << 16];
    while (in && bytes.size() <= largest) {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return "Cannot read " + Shown(path);
    if (bytes.size() > largest) return tooLong(bytes.size());
    return "";
}

}  // namespace

// ---- writing ----

namespace {

// A file descriptor that is closed when it goes.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // false, with errno, when the system reports a late write error
    bool Close() { return fd_ < 0 || ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};

std::string SystemError() { return std::strerror(errno); }

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

// The user's cache folder for the program: $XDG_CACHE_HOME/Brindlemar, else
// ~/.cache/Brindlemar.
fs::path UserCacheDirectory() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg == '/') return fs::path(xdg) / "Brindlemar";
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir;
    return fs::path(home ? home : "") / ".cache" / "Brindlemar";
}

// Removes a file this save created, unless someone has put another file
// under its name since.
void RemoveOwnFile(const fs::path& path, int fd) {
    struct stat ours {}, now {};
    if (::fstat(fd, &ours) == 0 && ::lstat(path.c_str(), &now) == 0 && ours.st_dev == now.st_dev &&
        ours.st_ino == now.st_ino)
        ::unlink(path.c_str());
}

// Copies the previous file to its ".BAK" name. A file of that name is the
// user's (or was kept by a failed save) and stays as it is; a copy that
// cannot be finished (a full disk) goes, so that no later save takes it for
// the user's.
bool MakeBackup(const fs::path& target, const fs::path& backupPath, const struct stat& previous) {
    Descriptor from(::open(target.c_str(), O_RDONLY | O_CLOEXEC));
    if (!from.Valid()) return false;
    Descriptor to(::open(backupPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, previous.st_mode & 0666));
    if (!to.Valid()) return false;
    if (CopyContents(from.Get(), to.Get())) return to.Close();
    RemoveOwnFile(backupPath, to.Get());
    return false;
}

// The new file takes over the previous one's owner and group (an owner only
// root may give, a group anyone may keep who belongs to it) and its bits.
bool KeepOwnerAndMode(int fd, const struct stat& previous) {
    if (::fchown(fd, previous.st_uid, previous.st_gid) != 0) {
        if (errno != EPERM) return false;
        if (::fchown(fd, static_cast<uid_t>(-1), previous.st_gid) != 0 && errno != EPERM) return false;
    }
    return ::fchmod(fd, previous.st_mode & 07777) == 0;
}

// Writes the bytes to the new file `temporary` and renames it over `target`.
// `renameRefused` tells that all went well but the rename, which the folder
// forbids (another user's file in a folder with the sticky bit).
bool WriteAndRename(Descriptor file, const fs::path& temporary, const fs::path& target, const struct stat* previous,
                    const std::string& bytes, std::string& reason, FileStamp& written, bool& renameRefused) {
    struct stat saved {};
    renameRefused = false;
    // the data must be on the disk before the rename makes it the file
    const bool ok = (!previous || KeepOwnerAndMode(file.Get(), *previous)) &&
                    WriteAt(file.Get(), bytes.data(), bytes.size(), 0) && ::fsync(file.Get()) == 0 &&
                    ::fstat(file.Get(), &saved) == 0 && file.Close();
    if (!ok || ::rename(temporary.c_str(), target.c_str()) != 0) {
        renameRefused = ok && (errno == EPERM || errno == EACCES);
        reason = SystemError();
        ::unlink(temporary.c_str());
        return false;
    }
    written = StampOf(saved);
    return true;
}

// Writes the bytes over the file itself. Its previous contents wait in the
// user's cache folder until the new ones are on the disk, and go back into
// the file when they cannot be written; `intact` tells whether the file
// holds either. A crash in between leaves the copy for the user.
bool WriteInPlace(const fs::path& target, const struct stat& previous, const std::string& bytes, std::string& reason,
                  FileStamp& written, bool& intact) {
    intact = true;
    Descriptor file(::open(target.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC));
    struct stat opened {};
    if (!file.Valid() || ::fstat(file.Get(), &opened) != 0) {
        reason = SystemError();
        return false;
    }
    if (opened.st_dev != previous.st_dev || opened.st_ino != previous.st_ino) {
        reason = "the file was replaced while it was being saved";
        return false;
    }

    const fs::path cache = UserCacheDirectory();
    std::error_code ec;
    fs::create_directories(cache, ec);
    fs::path copyPath;
    Descriptor copy = CreateExclusive(cache, target.filename().string().substr(0, 200) + ".", 0600, copyPath);
    if (!copy.Valid() || !CopyContents(file.Get(), copy.Get())) {
        reason = "no copy of the previous file could be kept in " + Shown(cache.string()) + ": " + SystemError();
        if (copy.Valid()) RemoveOwnFile(copyPath, copy.Get());
        return false;
    }

    struct stat saved {};
    if (WriteAt(file.Get(), bytes.data(), bytes.size(), 0) &&
        ::ftruncate(file.Get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(file.Get()) == 0 &&
        ::fstat(file.Get(), &saved) == 0) {
        RemoveOwnFile(copyPath, copy.Get());
        written = StampOf(saved);
        return true;
    }
    reason = SystemError();
    intact = CopyContents(copy.Get(), file.Get());
    if (intact)
        RemoveOwnFile(copyPath, copy.Get());
    else
        reason += "\nThe previous file is kept in " + Shown(copyPath.string());
    return false;
}

}  // namespace

FileStamp FileStampOf(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? StampOf(s) : FileStamp{};
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error, bool backup,
                        FileStamp* written) {
    const fs::path target = FollowLinks(path);
    const std::string cannot = "Cannot write " + Shown(path) + ": ";
    std::error_code ec;

    // what is there now: it keeps its permission bits, and bits that forbid
    // writing are respected even by a user the system would let write
    const auto status = fs::status(target, ec);
    struct stat previous {};
    const bool replacing = fs::exists(status) && ::stat(target.c_str(), &previous) == 0;
    if (replacing && !fs::is_regular_file(status)) {
        error = cannot + "it is " + KindOfEntry(status.type());
        return false;
    }
    if (replacing && ((status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                               fs::perms::others_write)) == fs::perms::none ||
                      ::access(target.c_str(), W_OK) != 0)) {
        error = cannot + "the file is write-protected";
        return false;
    }

    // a file with other names is written in place so that they all see the
    // saved wall; so is one in a folder where no new file may be made
    const bool linked = replacing && previous.st_nlink > 1;
    fs::path temporary;
    Descriptor file = linked ? Descriptor() : CreateExclusive(target.parent_path(), ".brindlemar-", 0666, temporary);
    const bool inPlace = linked || (replacing && !file.Valid() && (errno == EACCES || errno == EPERM));
    if (!inPlace && !file.Valid()) {
        error = cannot + SystemError();
        return false;
    }

    const fs::path backupPath = BackupFilePath(target.string());
    const bool backedUp = backup && replacing && MakeBackup(target, backupPath, previous);

    std::string reason;
    FileStamp stamp;
    bool intact = true;
    bool renameRefused = false;
    bool saved = inPlace ? WriteInPlace(target, previous, bytes, reason, stamp, intact)
                         : WriteAndRename(std::move(file), temporary, target, replacing ? &previous : nullptr, bytes,
                                          reason, stamp, renameRefused);
    // a folder that lets the user make files but not replace this one: the
    // file itself is writable, so it takes the new contents in place
    if (!saved && renameRefused && replacing) saved = WriteInPlace(target, previous, bytes, reason, stamp, intact);
    // the backup goes once the file holds either the new or the old contents
    if (backedUp && intact) fs::remove(backupPath, ec);
    if (!saved) {
        error = cannot + reason;
        return false;
    }
    if (written) *written = stamp;
    return true;
}

std::string ReadFileProblem(const std::string& path, const std::string& kind, std::uintmax_t largest,
                            const std::function<void(RecordReader&)>& parse) {
    std::string bytes;
    if (std::string error = ReadWholeFile(path, kind, largest, bytes); !error.empty()) return error;
    try {
        RecordReader reader(bytes);
        parse(reader);
    } catch (const FileFormatError& e) {
        return "Not a valid " + kind + " file: " + Shown(path) + "\n" + e.what();
    } catch (const RuntimeError& e) {
        return e.Description;
    }
    return "";
}

bool ReadFileWith(const std::string& path, const std::string& kind, std::uintmax_t largest,
                  const std::function<void(RecordReader&)>& parse) {
    SetBusyPointer(true);
    if (const std::string error = ReadFileProblem(path, kind, largest, parse); !error.empty()) {
        Report(error);
        return false;
    }
    SetBusyPointer(false);
    return true;
}

bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose, bool backup,
                   FileStamp* written) {
    SetBusyPointer(true);
    std::string error;
    try {
        RecordWriter writer;
        compose(writer);
        if (WriteFileReplacing(path, writer.Bytes(), error, backup, written)) {
            SetBusyPointer(false);
            return true;
        }
    } catch (const RuntimeError& e) {
        error = e.Description;
    }
    Report(error);
    return false;
}

}  // namespace brindlemar

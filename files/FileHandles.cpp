#include "files/FileHandles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/file.h>
#include <vector>

#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace fs = std::filesystem;

std::string Shown(const std::string& path) { return PathForMessage(path); }

std::string SystemError() { return std::strerror(errno); }

std::string KindOfEntry(mode_t mode) {
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISBLK(mode) || S_ISCHR(mode)) return "a device";
    if (S_ISFIFO(mode)) return "a pipe";
    if (S_ISSOCK(mode)) return "a socket";
    return "not a plain file";
}

bool SharedSticky(const struct stat& folder) {
    constexpr mode_t shared = S_ISVTX | S_IWOTH;
    return S_ISDIR(folder.st_mode) && (folder.st_mode & shared) == shared;
}

fs::path FollowLinks(const std::string& path, fs::path* refused) {
    // the path walked so far, each link on it replaced by where it leads,
    // and what is still to walk
    const fs::path given = path;
    fs::path walked = given.root_path();
    std::vector<fs::path> rest;
    for (const fs::path& part : given.relative_path()) rest.insert(rest.begin(), part);
    bool followed = false;
    for (int hops = 0; !rest.empty();) {
        const fs::path part = rest.back();
        rest.pop_back();
        if (part.empty() || part == ".") continue;
        // with no link left on the way, ".." is the folder the walk came from
        if (part == ".." && !walked.empty() && walked != walked.root_path() && walked.filename() != "..") {
            walked = walked.parent_path();
            continue;
        }
        const fs::path next = walked / part;
        struct stat link {}, folder {};
        std::error_code ec;
        if (part == ".." || ::lstat(next.c_str(), &link) != 0 || !S_ISLNK(link.st_mode) || ++hops > 40) {
            walked = next;
            continue;
        }
        // the rule holds here even where the system was told to drop it: such
        // a link is how another user makes a save replace a private file
        if (refused && link.st_uid != ::geteuid() && ::stat(Folder(next).c_str(), &folder) == 0 &&
            SharedSticky(folder) && folder.st_uid != link.st_uid) {
            *refused = next;
            return next;
        }
        const fs::path to = fs::read_symlink(next, ec);
        if (ec) {
            walked = next;
            continue;
        }
        followed = true;
        if (to.is_absolute()) walked = to.root_path();
        const fs::path inside = to.relative_path();
        for (auto step = inside.end(); step != inside.begin();) rest.push_back(*--step);
    }
    // a path with no link on it is kept as it was given
    return followed ? walked : given;
}

fs::path Folder(const fs::path& file) { return file.has_parent_path() ? file.parent_path() : fs::path("."); }

std::string KeyOf(const std::string& text) {
    std::uint64_t key = 14695981039346656037ull;  // FNV-1a
    for (unsigned char c : text) key = (key ^ c) * 1099511628211ull;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(key));
    return hex;
}

bool IsAt(const fs::path& path, int fd) {
    struct stat ours {}, now {};
    return ::fstat(fd, &ours) == 0 && ::lstat(path.c_str(), &now) == 0 && ours.st_dev == now.st_dev &&
           ours.st_ino == now.st_ino;
}

bool WaitForLock(int fd, int kind) {
    // 30 tries 50 ms apart: a save of the program's own holds it for less
    for (int wait = 0; ::flock(fd, kind | LOCK_NB) != 0 && errno == EWOULDBLOCK; ++wait) {
        if (wait == 30) return false;
        DoEvents();
        ::usleep(50000);
    }
    return true;
}

void RemoveOwnFile(const fs::path& path, int fd) {
    if (IsAt(path, fd)) ::unlink(path.c_str());
}

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

bool ReadContents(int fd, std::string& contents) {
    char buffer[1 << 16];
    struct stat s {};
    contents.clear();
    if (::fstat(fd, &s) == 0 && s.st_size > 0) contents.reserve(static_cast<std::size_t>(s.st_size));
    for (;;) {
        const ssize_t n = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(contents.size()));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return n == 0;
        contents.append(buffer, static_cast<std::size_t>(n));
    }
}

bool SyncFolder(const fs::path& folder) {
    Descriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd.Valid()) return errno == EACCES;
    return ::fsync(fd.Get()) == 0 || errno == EINVAL;
}

Descriptor CreateExclusive(const fs::path& folder, const std::string& prefix, mode_t mode, fs::path& created,
                           const std::function<void(const fs::path&)>& naming) {
    static std::mt19937_64 random{std::random_device{}()};
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[17];
        std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
        created = folder / (prefix + suffix);
        if (naming) naming(created);
        Descriptor fd(::open(created.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, mode));
        if (fd.Valid() || errno != EEXIST) return fd;
    }
    return Descriptor();
}

bool RenameNoReplace(const fs::path& from, const fs::path& to, const std::function<void()>& holding) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno == EEXIST) return false;
    // locked, so that a save that opens it meanwhile waits and then finds
    // it gone; written into by another program, it is that program's
    if (holding) holding();
    Descriptor held(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0600));
    if (!held.Valid()) return false;
    ::flock(held.Get(), LOCK_EX | LOCK_NB);
    struct stat s {};
    const bool ours = ::fstat(held.Get(), &s) == 0 && s.st_size == 0 && IsAt(to, held.Get());
    if (ours && ::rename(from.c_str(), to.c_str()) == 0) return true;
    const int error = ours ? errno : EEXIST;
    if (::fstat(held.Get(), &s) == 0 && s.st_size == 0) RemoveOwnFile(to, held.Get());
    errno = error;
    return false;
}

}  // namespace brindlemar

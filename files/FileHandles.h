#pragma once
// Open files and the system calls under the project, defaults and factor
// files: what an entry is, where a link leads, writing and flushing to
// the disk, new files under names no one else holds, and locks.

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>
#include <utility>

#include "model/ModelApp.h"

namespace brindlemar {

// Message boxes show the program's Windows-1252 texts; a path in one is
// shown as the file system spells it.
std::string Shown(const std::string& path);

std::string SystemError();

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
std::string KindOfEntry(mode_t mode);

// A folder anyone may write whose sticky bit is set (/tmp): another user may
// put a name there, but not replace or remove one of this user's.
bool SharedSticky(const struct stat& folder);

// Follows every symbolic link on the path, in its folders as at its name,
// to the path they end at, which need not exist yet: saving through a link
// writes the file it points to. With `refused`, it stops at the first link
// the system would not follow for this user (another user's link in a
// folder anyone may write whose sticky bit is set, unless the folder is the
// link owner's) and names it there. A path with no link on it comes back as
// it was given.
std::filesystem::path FollowLinks(const std::string& path, std::filesystem::path* refused = nullptr);

// A file's own folder, "." for a name without one.
std::filesystem::path Folder(const std::filesystem::path& file);

// Sixteen hexadecimal digits that stand for `text` in a file name.
std::string KeyOf(const std::string& text);

// True when the file open as `fd` is the one at `path` (a link there is not).
bool IsAt(const std::filesystem::path& path, int fd);

// Takes the lock of the open file `fd` (LOCK_SH to read it, LOCK_EX to save
// it), waiting a second and a half at most for whoever holds it, the windows
// painted meanwhile; a file system without locks has nothing to wait for.
// false when the wait ran out.
bool WaitForLock(int fd, int kind);

// Removes a file this save created, unless someone has put another file
// under its name since.
void RemoveOwnFile(const std::filesystem::path& path, int fd);

FileStamp StampOf(const struct stat& s);

bool WriteAt(int fd, const char* data, std::size_t size, off_t offset);

// Makes `to` hold exactly what `from` holds, on the disk.
bool CopyContents(int from, int to);

// Everything the open file `fd` holds; false when it cannot be read.
bool ReadContents(int fd, std::string& contents);

// Flushes a folder to the disk, so that a name just made or replaced in it
// survives a power cut. A file system that cannot flush a folder (EINVAL)
// has nothing to flush; a folder the user may write but not read (a drop
// box) cannot be opened to be flushed, and the system writes its names in
// its own time.
bool SyncFolder(const std::filesystem::path& folder);

// Creates a new file in `folder` under a random name that starts with
// `prefix`. O_EXCL makes the call fail on a name that is taken, a planted
// link included, instead of opening what is there. `naming` hears each name
// before it is tried.
Descriptor CreateExclusive(const std::filesystem::path& folder, const std::string& prefix, mode_t mode,
                           std::filesystem::path& created,
                           const std::function<void(const std::filesystem::path&)>& naming = {});

// Gives the file at `from` the name `to` only while no file holds it: a file
// another program makes there meanwhile is never replaced (false, with errno
// EEXIST). A file system that cannot rename without replacing gets a second
// name made where none is; one without second names either (FAT, some
// shares) gets an empty file of the save's own under the name first, which
// the rename replaces while it is still that empty file; `holding` hears
// first that it is made. false, with errno, when none of it can be done.
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     const std::function<void()>& holding = {});

}  // namespace brindlemar

#include "files/SaveMarks.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <pwd.h>
#include <sys/xattr.h>

#include "files/Paths.h"

namespace brindlemar {

namespace fs = std::filesystem;

std::string TemporaryPrefix(const fs::path& target) {
    return ".brindlemar-" + KeyOf(target.filename().string()) + "-";
}

fs::path UserCacheDirectory() { return UserFolder("XDG_CACHE_HOME", ".cache"); }

std::string CopyPrefix(const fs::path& target) {
    std::error_code ec;
    fs::path whole = fs::weakly_canonical(target, ec);
    if (ec) whole = target;
    return target.filename().string().substr(0, 200) + "." + KeyOf(whole.string()) + ".";
}

std::vector<fs::path> KeptCopies(const fs::path& target) {
    std::vector<fs::path> copies;
    const fs::path cache = UserCacheDirectory();
    if (cache.empty()) return copies;
    const std::string prefix = CopyPrefix(target);
    std::error_code ec;
    for (fs::directory_iterator it(cache, ec), end; !ec && it != end; it.increment(ec))
        if (const std::string name = it->path().filename().string();
            name.rfind(prefix, 0) == 0 && name.size() == prefix.size() + 16)
            copies.push_back(it->path());
    return copies;
}

std::string KeptCopyOf(const std::string& path) {
    const std::vector<fs::path> copies = KeptCopies(FollowLinks(path));
    std::error_code ec;
    const auto newest = std::max_element(copies.begin(), copies.end(), [&](const fs::path& a, const fs::path& b) {
        return fs::last_write_time(a, ec) < fs::last_write_time(b, ec);
    });
    return newest == copies.end() ? "" : newest->string();
}

std::string BackupMarkOf(const fs::path& target, bool overwriting) {
    return (overwriting ? "overwriting " : "copy of ") + target.filename().string();
}

bool SetBackupMark(int fd, const fs::path& target) {
    const std::string mark = BackupMarkOf(target, false);
    return ::fsetxattr(fd, BackupMark, mark.data(), mark.size(), 0) == 0;
}

Descriptor BackupOfASave(const fs::path& backupPath, const fs::path& target, const std::vector<MadeFile>& made) {
    if (backupPath == target) return Descriptor();
    Descriptor fd(::open(backupPath.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    char mark[512];
    const ssize_t size = fd.Valid() ? ::fgetxattr(fd.Get(), BackupMark, mark, sizeof mark) : -1;
    const std::string found = size < 0 ? "" : std::string(mark, static_cast<std::size_t>(size));
    if (found == BackupMarkOf(target, true) || found == BackupMarkOf(target, false)) return fd;
    struct stat s {};
    if (fd.Valid() && ::fstat(fd.Get(), &s) == 0)
        for (const MadeFile& file : made)
            if (file.Device == s.st_dev && file.Inode == s.st_ino) return fd;
    return Descriptor();
}

fs::path MadeCacheDirectory() {
    const fs::path cache = UserCacheDirectory();
    std::error_code ec;
    if (!cache.empty()) {
        fs::create_directories(cache.parent_path(), ec);
        ::mkdir(cache.c_str(), 0700);
    }
    return cache;
}

namespace {
// The record of what saves of `target` made beside it: a name no copy has
// (a copy's name ends in sixteen hexadecimal digits).
fs::path MadeRecordOf(const fs::path& target, const fs::path& cache) {
    return cache.empty() ? fs::path() : cache / (CopyPrefix(target) + "made");
}
}  // namespace

void NoteMade(const fs::path& target, const fs::path& made, int fd) {
    struct stat s {};
    const fs::path record = MadeRecordOf(target, MadeCacheDirectory());
    if (record.empty() || (fd >= 0 && ::fstat(fd, &s) != 0)) return;
    const Descriptor out(::open(record.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600));
    const std::string line = std::to_string(s.st_dev) + " " + std::to_string(s.st_ino) + " " + made.string() + "\n";
    if (out.Valid()) WriteAt(out.Get(), line.data(), line.size(), 0);
}

std::vector<MadeFile> NotedMade(const fs::path& target) {
    std::vector<MadeFile> made;
    const fs::path record = MadeRecordOf(target, UserCacheDirectory());
    std::ifstream in(record, std::ios::binary);
    unsigned long long device = 0, inode = 0;
    std::string path;
    while (in >> device >> inode && in.get() == ' ' && std::getline(in, path))
        made.push_back({static_cast<dev_t>(device), static_cast<ino_t>(inode), path});
    return made;
}

void ForgetMade(const fs::path& target) {
    const fs::path record = MadeRecordOf(target, UserCacheDirectory());
    if (!record.empty()) ::unlink(record.c_str());
}

namespace {
std::string NameOfUser(uid_t user) {
    std::vector<char> buffer(16384);
    struct passwd entry {}, *found = nullptr;
    if (::getpwuid_r(user, &entry, buffer.data(), buffer.size(), &found) == 0 && found) return found->pw_name;
    return "number " + std::to_string(user);
}

// The note of a save cut short on the open file `fd`, in the user's cache.
fs::path SavingNoteOf(int fd, const fs::path& cache) {
    struct stat s {};
    if (cache.empty() || ::fstat(fd, &s) != 0) return {};
    return cache / ("saving." + std::to_string(s.st_dev) + "." + std::to_string(s.st_ino));
}
}  // namespace

std::string UserName() { return NameOfUser(::geteuid()); }

Descriptor BackupNamedBy(const std::string& fullMark, const fs::path& target, const fs::path& backupPath) {
    // a name may hold line breaks, a user name none: the owner is the last line
    const std::string mark = MarkWithoutState(fullMark);
    const std::size_t lineBreak = mark.rfind('\n');
    if (lineBreak == std::string::npos || backupPath == target) return Descriptor();
    const std::string where = mark.substr(0, lineBreak);
    const fs::path copy = where.find('/') == std::string::npos ? Folder(target) / where : fs::path(where);
    Descriptor fd(::open(backupPath.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC));
    struct stat s {};
    if (fd.Valid() && ::fstat(fd.Get(), &s) == 0 && S_ISREG(s.st_mode) && IsAt(copy, fd.Get()) &&
        NameOfUser(s.st_uid) == mark.substr(lineBreak + 1))
        return fd;
    return Descriptor();
}

bool SavingMarkOn(int fd, std::string& mark, bool* unsupported) {
    std::vector<char> value(1 << 16);  // the most an attribute holds
    ssize_t size = ::fgetxattr(fd, SavingMark, value.data(), value.size());
    if (unsupported) *unsupported = size < 0 && errno == ENOTSUP;
    // a mark too long to read is a mark all the same
    if (size < 0 && errno == ERANGE) size = 0;
    if (size < 0) {
        // a note only the user himself can have kept
        const fs::path noted = SavingNoteOf(fd, UserCacheDirectory());
        const Descriptor note(::open(noted.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
        struct stat s {};
        if (!note.Valid() || ::fstat(note.Get(), &s) != 0 || s.st_uid != ::geteuid()) return false;
        // a note cut short before its end was written was made before the file changed
        size = ::pread(note.Get(), value.data(), value.size(), 0);
        if (size <= 0 || value[static_cast<std::size_t>(--size)] != '\0') return false;
    }
    mark = std::string(value.data(), static_cast<std::size_t>(size));
    return true;
}

bool NoteSaving(int fd, const std::string& mark) {
    const fs::path cache = MadeCacheDirectory(), note = SavingNoteOf(fd, cache);
    const Descriptor out(
        note.empty() ? -1 : ::open(note.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    return out.Valid() && WriteAt(out.Get(), mark.c_str(), mark.size() + 1, 0) && ::fsync(out.Get()) == 0 &&
           SyncFolder(cache);
}

void ForgetSaving(int fd) {
    if (const fs::path note = SavingNoteOf(fd, UserCacheDirectory()); !note.empty()) ::unlink(note.c_str());
}

namespace {

constexpr std::size_t PageBytes = 4096;
constexpr const char* StateTag = "pages ";

// The line of the mark that says what the file may hold; "" when it has none.
// A name may hold line breaks, a user name none: the lines count from the end.
std::string StateLine(const std::string& mark) {
    const std::size_t lineBreak = mark.rfind('\n');
    return lineBreak != std::string::npos && mark.compare(lineBreak + 1, 6, StateTag) == 0 ? mark.substr(lineBreak + 1)
                                                                                             : "";
}

// Four hexadecimal digits for the page of `bytes` at `page`.
std::string PageKey(const std::string& bytes, std::size_t page) {
    const std::string key = KeyOf(bytes.substr(page * PageBytes, PageBytes));
    return key.substr(0, 4);
}

std::size_t PagesOf(std::size_t size) { return (size + PageBytes - 1) / PageBytes; }

}  // namespace

std::string SavingStateOf(const std::string& before, const std::string& after) {
    std::string state = StateTag + std::to_string(before.size()) + " " + std::to_string(after.size()) + " ";
    for (const std::string* bytes : {&before, &after})
        for (std::size_t page = 0; page < PagesOf(bytes->size()); ++page) state += PageKey(*bytes, page);
    return state;
}

std::string MarkWithoutState(const std::string& mark) {
    const std::string state = StateLine(mark);
    return state.empty() ? mark : mark.substr(0, mark.size() - state.size() - 1);
}

bool MarkHolds(const std::string& mark, const std::string& contents) {
    const std::string state = StateLine(mark);
    unsigned long long before = 0, after = 0;
    int read = 0;
    if (std::sscanf(state.c_str(), "pages %llu %llu %n", &before, &after, &read) != 2 || read <= 0) return true;
    const std::string keys = state.substr(static_cast<std::size_t>(read));
    const std::size_t pagesBefore = PagesOf(before), pagesAfter = PagesOf(after);
    // a line that cannot be read says nothing
    if (keys.size() != 4 * (pagesBefore + pagesAfter)) return true;
    if (contents.size() > std::max(before, after)) return false;
    std::size_t neither = 0;
    for (std::size_t page = 0; page < PagesOf(contents.size()); ++page) {
        const std::string key = PageKey(contents, page);
        neither += !((page < pagesBefore && keys.compare(4 * page, 4, key) == 0) ||
                     (page < pagesAfter && keys.compare(4 * (pagesBefore + page), 4, key) == 0));
    }
    // the page the save was writing, the one its putting back the previous
    // contents was writing, and a last one cut at a length of neither
    return neither <= (contents.size() != before && contents.size() != after ? 3u : 2u);
}

bool SavingMarkHolds(int fd, std::string& mark) {
    std::string contents;
    return SavingMarkOn(fd, mark) && (!ReadContents(fd, contents) || MarkHolds(mark, contents));
}

std::string CutShortCopyOf(const std::string& path, const std::string& mark) {
    const std::string copyAndOwner = MarkWithoutState(mark);
    const std::size_t lineBreak = copyAndOwner.rfind('\n');
    const std::string where = copyAndOwner.substr(0, lineBreak);
    const std::string owner = lineBreak == std::string::npos ? "" : copyAndOwner.substr(lineBreak + 1);
    if (where.empty()) return "no copy (the save kept none)";
    // earlier saves named a ".BAK" by its name alone: beside the file as it was reached
    const fs::path copy = where.find('/') == std::string::npos ? Folder(FollowLinks(path)) / where : fs::path(where);
    const Descriptor fd(::open(copy.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.Valid() || owner.empty() || owner == UserName()) return Shown(copy.string());
    return Shown(copy.string()) + ", which only the user " + Shown(owner) + " may read";
}

}  // namespace brindlemar

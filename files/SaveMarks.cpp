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

std::string CopyPrefix(const fs::path& target, int fd) {
    struct stat s {};
    const std::string file = ::fstat(fd, &s) == 0 ? std::to_string(s.st_dev) + ":" + std::to_string(s.st_ino) : "";
    return CopyPrefix(target) + KeyOf(file).substr(0, 8) + ".";
}

std::vector<fs::path> KeptCopies(const fs::path& target, int fd) {
    std::vector<fs::path> copies;
    const fs::path cache = UserCacheDirectory();
    if (cache.empty()) return copies;
    const std::string prefix = CopyPrefix(target, fd);
    std::error_code ec;
    for (fs::directory_iterator it(cache, ec), end; !ec && it != end; it.increment(ec))
        if (const std::string name = it->path().filename().string();
            name.rfind(prefix, 0) == 0 && name.size() == prefix.size() + 16)
            copies.push_back(it->path());
    return copies;
}

std::string KeptCopyOf(const std::string& path, int fd) {
    const std::vector<fs::path> copies = KeptCopies(FollowLinks(path), fd);
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
    // one noted by its name alone is the empty file that held the name for it
    struct stat s {};
    if (fd.Valid() && ::fstat(fd.Get(), &s) == 0)
        for (const MadeFile& file : made)
            if ((file.Device == s.st_dev && file.Inode == s.st_ino) ||
                (file.Inode == 0 && file.Path == backupPath && s.st_size == 0 && s.st_uid == ::geteuid()))
                return fd;
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
// in place of the key of a copy whose contents are not known
const std::string UnknownKey(16, '-');

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

// What a mark's last line says: the lengths before and after, the keys of
// the copy's and the new contents (earlier saves wrote none), the page keys.
struct SavingState {
    bool Read = false;
    unsigned long long Before = 0, After = 0;
    std::string CopyKey, AfterKey, PageKeys;
};

SavingState StateOf(const std::string& mark) {
    SavingState state;
    const std::string line = StateLine(mark);
    int read = 0;
    if (std::sscanf(line.c_str(), "pages %llu %llu %n", &state.Before, &state.After, &read) != 2 || read <= 0)
        return {};
    std::string rest = line.substr(static_cast<std::size_t>(read));
    const std::size_t pageDigits = 4 * (PagesOf(state.Before) + PagesOf(state.After)), keyDigits = UnknownKey.size();
    if (rest.size() == 2 * (keyDigits + 1) + pageDigits) {
        state.CopyKey = rest.substr(0, keyDigits);
        state.AfterKey = rest.substr(keyDigits + 1, keyDigits);
        rest.erase(0, 2 * (keyDigits + 1));
    }
    // a line that cannot be read says nothing
    if (rest.size() != pageDigits) return {};
    state.PageKeys = rest;
    state.Read = true;
    return state;
}

}  // namespace

bool MadeByASave(int fd, const fs::path& path) {
    char mark[512];
    const ssize_t size = ::fgetxattr(fd, BackupMark, mark, sizeof mark);
    const std::string found = size < 0 ? "" : std::string(mark, static_cast<std::size_t>(size));
    return found.rfind("copy of ", 0) == 0 || found.rfind("overwriting ", 0) == 0 ||
           path.parent_path() == UserCacheDirectory();
}

std::string SavingStateOf(const std::string& before, const std::string& after, const std::string& copyKey) {
    std::string state = StateTag + std::to_string(before.size()) + " " + std::to_string(after.size()) + " " +
                        (copyKey.empty() ? UnknownKey : copyKey) + " " + KeyOf(after) + " ";
    for (const std::string* bytes : {&before, &after})
        for (std::size_t page = 0; page < PagesOf(bytes->size()); ++page) state += PageKey(*bytes, page);
    return state;
}

std::string CopyKeyOf(const std::string& mark) {
    const std::string key = StateOf(mark).CopyKey;
    return key == UnknownKey ? "" : key;
}

std::string MarkWithoutState(const std::string& mark) {
    const std::string state = StateLine(mark);
    return state.empty() ? mark : mark.substr(0, mark.size() - state.size() - 1);
}

bool MarkHolds(const std::string& mark, const std::string& contents) {
    const SavingState state = StateOf(mark);
    if (!state.Read) return true;
    const std::size_t pagesBefore = PagesOf(state.Before), pagesAfter = PagesOf(state.After);
    const std::string& keys = state.PageKeys;
    if (contents.size() > std::max(state.Before, state.After)) return false;
    std::size_t neither = 0;
    for (std::size_t page = 0; page < PagesOf(contents.size()); ++page) {
        const std::string key = PageKey(contents, page);
        neither += !((page < pagesBefore && keys.compare(4 * page, 4, key) == 0) ||
                     (page < pagesAfter && keys.compare(4 * (pagesBefore + page), 4, key) == 0));
    }
    // the page the save was writing, the one its putting back the previous
    // contents was writing, and a last one cut at a length of neither
    return neither <= (contents.size() != state.Before && contents.size() != state.After ? 3u : 2u);
}

bool MarkWhole(const std::string& mark, const std::string& contents) {
    const SavingState state = StateOf(mark);
    const std::string key = KeyOf(contents);
    return state.Read && (key == state.CopyKey || key == state.AfterKey);
}

KeptCopy CopyNamedBy(const std::string& mark, const std::string& path) {
    // a name may hold line breaks, a user name none: the owner is the last line
    const std::string copyAndOwner = MarkWithoutState(mark);
    const std::size_t lineBreak = copyAndOwner.rfind('\n');
    KeptCopy result;
    const fs::path named = copyAndOwner.substr(0, lineBreak);
    if (lineBreak != std::string::npos) result.Owner = copyAndOwner.substr(lineBreak + 1);
    if (named.empty()) return result;
    const std::string copyKey = CopyKeyOf(mark);
    // earlier saves named a ".BAK" by its name alone, which is the one beside the file
    const fs::path beside = Folder(FollowLinks(path)) / named.filename();
    for (const fs::path* at : {&beside, &named}) {
        const fs::path& place = *at;
        if (at == &named && (!named.is_absolute() || named == beside)) break;
        const Descriptor fd(::open(place.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
        struct stat s {};
        std::string contents;
        if (fd.Valid()) {
            const bool copy = ::fstat(fd.Get(), &s) == 0 && S_ISREG(s.st_mode) && ReadContents(fd.Get(), contents) &&
                              (copyKey.empty() ? MadeByASave(fd.Get(), place) : KeyOf(contents) == copyKey);
            result.Is = copy ? KeptCopy::Found : KeptCopy::Other;
        } else if (errno == EACCES) {
            // one the user may not read, or in a folder he may not enter, is not his to judge
            const bool seen = ::lstat(place.c_str(), &s) == 0;
            result.Is = !seen || (S_ISREG(s.st_mode) && NameOfUser(s.st_uid) == result.Owner) ? KeptCopy::Unreadable
                                                                                                : KeptCopy::Other;
        } else {
            continue;
        }
        result.Path = place;
        if (result.Is != KeptCopy::Other) break;
    }
    return result;
}

bool MarkBelieved(const std::string& mark, const std::string& contents, const std::string& path, KeptCopy* copy) {
    const KeptCopy found = CopyNamedBy(mark, path);
    if (copy) *copy = found;
    return MarkHolds(mark, contents) && !MarkWhole(mark, contents) && found.Is != KeptCopy::Other &&
           (found.Is != KeptCopy::Missing || StateOf(mark).Read);
}

std::string CutShortCopyOf(const KeptCopy& copy) {
    if (copy.Is == KeptCopy::Missing) return "no copy of its previous contents is found";
    const std::string kept = "its previous contents are kept in " + Shown(copy.Path.string());
    if (copy.Is == KeptCopy::Found || copy.Owner.empty() || copy.Owner == UserName()) return kept;
    return kept + ", which only the user " + Shown(copy.Owner) + " may read";
}

}  // namespace brindlemar

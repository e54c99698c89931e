// What a save shows others while it runs, what it leaves when it is cut
// short, and what reaches the disk. The program's own calls of the file
// system pass through the hook below, so that a test can look at the folder
// then, stop the save as a kill would, or refuse a call as FAT would.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/DefaultsFile.h"
#include "files/FactorFile.h"
#include "files/FileAccess.h"
#include "files/ProjectFile.h"
#include "support/MessageRecorder.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace brindlemar::test {
// Called with the name of the call and its descriptor (-1 for a path).
std::function<void(const char* call, int fd)> OnFileCall;
// The error each call named answers with, as a file system not mounted here would.
std::map<std::string, int> Refused;
}  // namespace brindlemar::test

// Defines the system call `name` to pass the hook first, with `fd`.
#define PASS_HOOK(spec, result, name, parameters, arguments, fd)                                   \
    extern "C" result name parameters spec {                                                       \
        static const auto real = reinterpret_cast<result(*) parameters>(::dlsym(RTLD_NEXT, #name)); \
        if (brindlemar::test::OnFileCall) brindlemar::test::OnFileCall(#name, fd);                  \
        if (const auto refused = brindlemar::test::Refused.find(#name);                             \
            refused != brindlemar::test::Refused.end())                                             \
            return errno = refused->second, -1;                                                     \
        return real arguments;                                                                      \
    }
PASS_HOOK(, int, fsync, (int fd), (fd), fd)
PASS_HOOK(noexcept, int, ftruncate, (int fd, off_t length), (fd, length), fd)
PASS_HOOK(noexcept, int, flock, (int fd, int operation), (fd, operation), fd)
PASS_HOOK(noexcept, int, fchown, (int fd, uid_t owner, gid_t group), (fd, owner, group), fd)
PASS_HOOK(noexcept, int, fchmod, (int fd, mode_t mode), (fd, mode), fd)
PASS_HOOK(noexcept, int, rename, (const char* from, const char* to), (from, to), -1)
PASS_HOOK(noexcept, int, renameat2, (int at, const char* from, int toAt, const char* to, unsigned flags),
          (at, from, toAt, to, flags), -1)
PASS_HOOK(noexcept, int, link, (const char* from, const char* to), (from, to), -1)
PASS_HOOK(noexcept, int, fsetxattr, (int fd, const char* name, const void* value, size_t size, int flags),
          (fd, name, value, size, flags), fd)
// while a test watches, every write is short, as one cut by a signal is
PASS_HOOK(, ssize_t, pwrite, (int fd, const void* data, size_t size, off_t at),
          (fd, data, brindlemar::test::OnFileCall && size > 1 ? size / 2 : size, at), fd)

namespace brindlemar {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;

// Sets the hook for one test and takes it away after it.
struct FileCallHook {
    explicit FileCallHook(std::function<void(const char*, int)> hook) { test::OnFileCall = std::move(hook); }
    ~FileCallHook() { test::OnFileCall = nullptr; }
};

struct stat StatOf(const fs::path& p) {
    struct stat s {};
    EXPECT_EQ(::stat(p.c_str(), &s), 0) << p;
    return s;
}

struct stat StatOf(int fd) {
    struct stat s {};
    ::fstat(fd, &s);
    return s;
}

// The file's access control list as getfacl shows it, without its name.
std::string AccessList(const fs::path& file) {
    const std::string command = "getfacl -pc '" + file.string() + "' 2>&1";
    std::string text;
    if (FILE* out = ::popen(command.c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, out)) text += buffer;
        ::pclose(out);
    }
    return text;
}

std::string Attribute(const fs::path& file, const char* name) {
    char value[256];
    const ssize_t n = ::getxattr(file.c_str(), name, value, sizeof value);
    return n < 0 ? "" : std::string(value, static_cast<std::size_t>(n));
}

bool Shell(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

// Lets a folder take new names but rename and remove none (chattr +a), or no longer; false where it cannot.
bool AppendOnly(const fs::path& folder, bool on) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    const bool set = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0 &&
                     (flags = on ? flags | FS_APPEND_FL : flags & ~FS_APPEND_FL, ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0);
    if (fd >= 0) ::close(fd);
    return set;
}

// Saves or opens `path` as a project ('p'), factor ('f') or defaults ('d') file; 'r' opens the defaults as a
// start does and then writes them back, as its first file command does.
bool SaveAs(char kind, Model& m, const std::string& path) {
    return kind == 'f'   ? WriteFactorFile(m.CombinationSets, m.CombinationSetCount, path)
           : kind == 'p' ? WriteProjectFile(m, path) : WriteDefaultsFile(m, path);
}
bool OpenAs(char kind, Model& m, const std::string& path) {
    FactorFileSets sets;
    if (kind != 'r')
        return kind == 'f' ? ReadFactorFileSets(path, sets) : kind == 'd' ? ReadDefaultsFile(m, path) : ReadProjectFile(m, path);
    m.DefaultsFilePath = path;
    const bool read = ReadUserDefaults(m);
    WriteDefaultsFile(m, path);
    return read;
}

// A save lets no one see the wall who may not read the file: the temporary
// file and the backup are the user's alone, or the file's with its group,
// at every moment; the saved file keeps its owner, group, bits, access list
// and other attributes, written in place where a new file could not keep
// them. Another user's file is saved by nobody, who is named in its access
// list or is in its group; such cases need root to set them up.
constexpr gid_t Team = 4242;

TEST(SaveSafetyAsTwoUsers, NoOneSeesTheWallWhoMayNotReadTheFileAndTheFileKeepsItsRights) {
    struct Case {
        const char* what;
        bool anotherUsers;  // the file is root's, saved by nobody
        bool (*setUp)(const fs::path& folder, const fs::path& file);  // false: the file system cannot
    };
    const Case cases[] = {
        {"the user's own file of mode 0600", false,
         [](const fs::path&, const fs::path& f) {
             fs::permissions(f, fs::perms(0600));
             return true;
         }},
        {"the user's own file with an access list and an attribute", false,
         [](const fs::path&, const fs::path& f) {
             fs::permissions(f, fs::perms(0640));
             ::setxattr(f.c_str(), "user.origin", "quay", 4, 0);
             return Shell("setfacl -m u:65534:rw,g::r '" + f.string() + "'");
         }},
        {"a folder whose default access list names nobody", false,
         [](const fs::path& d, const fs::path& f) {
             fs::permissions(f, fs::perms(0600));
             return Shell("setfacl -d -m u:65534:r '" + d.string() + "'");
         }},
        {"a file of mode 0660 of a group nobody belongs to, not his own", true,
         [](const fs::path&, const fs::path& f) {
             fs::permissions(f, fs::perms(0660));
             return ::chown(f.c_str(), 0, Team) == 0;
         }},
        {"a file whose access list lets nobody write it", true,
         [](const fs::path&, const fs::path& f) {
             fs::permissions(f, fs::perms(0640));
             ::setxattr(f.c_str(), "user.origin", "quay", 4, 0);
             return Shell("setfacl -m u:65534:rw,g::r '" + f.string() + "'");
         }},
    };
    if (!Shell("setfacl --version")) GTEST_SKIP() << "setfacl is not installed (scripts/install-deps installs it)";
    std::string notRun;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.anotherUsers && ::geteuid() != 0) {
            notRun += std::string(c.what) + " (another user needs root); ";
            continue;
        }
        test::TempDir dir;
        auto m = test::BuiltInModel(dir.File("program"));
        ASSERT_TRUE(WriteProjectFile(*m, dir.File("expected.bmi")));
        for (const char* folder : {"cache", "shared"}) {
            fs::create_directory(dir.Path() / folder);
            fs::permissions(dir.Path() / folder, fs::perms(0777));
        }
        const fs::path shared = dir.Path() / "shared", file = shared / "wall.bmi";
        test::WriteBytes(file.string(), "old");
        if (!c.setUp(shared, file)) GTEST_SKIP() << "no access lists on this file system";
        const struct stat before = StatOf(file);
        const std::string list = AccessList(file), origin = Attribute(file, "user.origin");
        const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));

        // at every flush to the disk, what the save made beside the file is
        // no more open than the file
        const int outcome = test::InChildProcess(
            c.anotherUsers, 0,
            [&] {
                int exposed = 0;
                const FileCallHook hook([&](const char*, int) {
                    for (const auto& entry : fs::directory_iterator(shared)) {
                        const std::string name = entry.path().filename().string();
                        if (name.rfind(".brindlemar-", 0) != 0 && entry.path().extension() != ".BAK") continue;
                        const struct stat s = StatOf(entry.path());
                        const bool wider = (s.st_mode & 0777 & ~before.st_mode) != 0;
                        const bool otherGroup = s.st_gid != before.st_gid && (s.st_mode & 0077) != 0;
                        if (wider || otherGroup) {
                            std::fprintf(stderr, "%s: mode %o, group %d\n", name.c_str(), s.st_mode & 0777,
                                         static_cast<int>(s.st_gid));
                            exposed = 1;
                        }
                    }
                });
                test::MessageRecorder rec;
                if (!WriteProjectFile(*m, file.string())) return 2;
                return exposed;
            },
            {Team});
        if (outcome == test::CannotDrop) GTEST_SKIP() << "cannot become the user nobody";
        EXPECT_EQ(outcome, 0);
        EXPECT_EQ(ReadBytes(file.string()), ReadBytes(dir.File("expected.bmi")));
        const struct stat after = StatOf(file);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_gid, before.st_gid);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(AccessList(file), list);
        EXPECT_EQ(Attribute(file, "user.origin"), origin);
        EXPECT_EQ(test::NamesIn(shared), std::set<std::string>{"wall.bmi"});
    }
    if (!notRun.empty()) GTEST_SKIP() << "not run: " << notRun;
}

// A name a save made or replaced is on the disk with the file: the folder of
// a new or replaced file is flushed after the rename, and of a file written
// in place after the ".BAK" that protects it.
TEST(SaveSafety, TheFolderOfEveryNameMadeIsFlushed) {
    struct Case {
        const char* what;
        void (*setUp)(const fs::path& file);
        const char* flushed;  // the folder, in the test folder
    };
    const Case cases[] = {
        {"a new file", [](const fs::path&) {}, "shared"},
        {"a file replaced", [](const fs::path& f) { test::WriteBytes(f.string(), "old"); }, "shared"},
        {"a file written in place",
         [](const fs::path& f) {
             test::WriteBytes(f.string(), "old");
             fs::create_hard_link(f, f.parent_path() / "second name.bmi");
         },
         "shared"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        fs::create_directory(dir.Path() / "shared");
        const fs::path file = dir.Path() / "shared" / "wall.bmi";
        c.setUp(file);
        const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
        auto m = test::BuiltInModel(dir.File("program"));
        std::set<ino_t> folders;
        {
            const FileCallHook hook([&](const char* call, int fd) {
                const struct stat s = StatOf(fd);
                if (std::string(call) == "fsync" && S_ISDIR(s.st_mode)) folders.insert(s.st_ino);
            });
            ASSERT_TRUE(WriteProjectFile(*m, file.string()));
        }
        EXPECT_TRUE(folders.count(StatOf(dir.Path() / c.flushed).st_ino)) << c.flushed;
    }
}

// A save stopped at a system call as a kill or a power cut stops it, or met
// there by another user or a second save. The next open (through a second
// name in another folder) refuses a file that was being overwritten and names
// the copy of the old wall beside the name it was saved by, which all who may
// open it may read; nothing private is copied out;
// the next save clears what was left, after which no copy is named.
TEST(SaveSafetyAsTwoUsers, ASaveStoppedAnywhereIsToldAndClearedByTheNext) {
    if (::geteuid() != 0) GTEST_SKIP() << "two users need root";
    constexpr int Killed = 9, Exposed = 8;
    test::TempDir dir;
    // a line break in the name does not split what the file's mark says
    const fs::path shared = dir.Path() / "shared", file = shared / "wall\nsecond line.bmi",
                   backupPath = shared / "wall\nsecond line.BAK", secondName = dir.Path() / "other" / "copy.bmi";
    const std::string path = file.string(), secret = dir.File("secret.txt");
    fs::create_directory(secondName.parent_path());
    test::WriteBytes(secret, "secret");
    ASSERT_EQ(::chown(secret.c_str(), test::Nobody, 0) + ::chmod(secret.c_str(), 0600), 0);
    const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
    auto m = test::BuiltInModel(dir.File("program")), old = test::BuiltInModel(dir.File("program"));
    old->ProjectTitle = std::string(300, 'o');  // longer than the new wall
    const std::string oldBytes = WriteProjectFile(*old, dir.File("old.bmi")) ? ReadBytes(dir.File("old.bmi")) : "";
    const std::string newBytes = WriteProjectFile(*m, dir.File("new.bmi")) ? ReadBytes(dir.File("new.bmi")) : "";
    auto third = test::BuiltInModel(dir.File("program"));
    third->ProjectTitle = std::string(150, 't');  // of a length between the two
    const std::string thirdBytes = WriteProjectFile(*third, dir.File("3.bmi")) ? ReadBytes(dir.File("3.bmi")) : "";

    int cue[2] = {-1, -1}, calls = 0, secondsEnd = -1;  // the first save's end and the second's
    char token = 'g';
    const std::function<void()> kill = [] { ::_exit(Killed); }, plantLink = [&] {
        fs::create_symlink(secret, shared / "p"), fs::rename(shared / "p", file);
    };
    // another wall copied over the file, or moved onto its name
    const std::function<void()> copyOver = [&] { test::WriteBytes(path, thirdBytes); }, moveOnto = [&] {
        test::WriteBytes(dir.File("shared/theirs"), thirdBytes), fs::rename(shared / "theirs", file);
    };
    // the second save (of the longer old wall) starts; the first goes on once it waits or has ended
    const std::function<void()> secondSave = [&] { ::write(cue[0], &token, 1) == 1 && ::read(cue[0], &token, 1); };
    // root's file is written in place, nobody's own replaced; the act comes at the nth call (on the file
    // alone, with onTheFile), or while the save asks whether to replace the file; outcome: killed, or saved +
    // 2 x the second save saved; `left`: what the file holds
    struct Case { const char* what; bool rootsFile; const char* call; int nth; bool onTheFile;
                  const std::function<void()>& act; int outcome; const std::string* left; };
    const Case cases[] = {
        {"in place, stopped before its first write to the file", true, "pwrite", 1, true, kill, Killed, &oldBytes},
        {"in place, stopped after a short write", true, "pwrite", 2, true, kill, Killed, nullptr},
        {"in place, stopped before the file is cut to length", true, "ftruncate", 1, true, kill, Killed, nullptr},
        {"in place, while a second save of the file comes", true, "ftruncate", 1, true, secondSave, 1, &newBytes},
        {"stopped at the lock", false, "flock", 1, true, kill, Killed, &oldBytes},
        {"stopped at the rename", false, "rename", 1, false, kill, Killed, &oldBytes},
        {"a link to a private file put at its name", false, "rename", 1, false, plantLink, 1, &newBytes},
        {"in place, another wall copied over it while the question is open", true, "question", 0, false, copyOver, 0,
         &thirdBytes},
        {"another wall moved onto its name while the question is open", false, "question", 0, false, moveOnto, 0,
         &thirdBytes},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(shared);
        fs::create_directory(shared);
        test::WriteBytes(path, oldBytes);
        ASSERT_EQ(::chmod(shared.c_str(), 0777) + ::chmod(path.c_str(), 0664) +
                      ::chown(path.c_str(), c.rootsFile ? 0 : test::Nobody, Team),
                  0);
        const ino_t inode = StatOf(file).st_ino;
        const auto save = [&] {
            const FileCallHook hook([&](const char* call, int fd) {
                if (secondsEnd >= 0 && std::string(call) == "flock" && ::write(secondsEnd, &token, 1)) return;
                for (const auto& entry : fs::directory_iterator(shared))
                    if (fs::is_regular_file(fs::symlink_status(entry)) && ReadBytes(entry.path()) == "secret")
                        ::_exit(Exposed);
                if (secondsEnd < 0 && call == std::string(c.call) && (!c.onTheFile || StatOf(fd).st_ino == inode) &&
                    ++calls == c.nth)
                    c.act();
            });
            test::MessageRecorder rec;
            pid_t second = -1;
            if (calls == 0 && &c.act == &secondSave && ::socketpair(AF_UNIX, SOCK_STREAM, 0, cue) == 0 &&
                (second = ::fork()) == 0)
                ::_exit(::read(secondsEnd = cue[1], &token, 1) == 1 && WriteProjectFile(*old, path) ? 0 : 1);
            if (second > 0) ::close(cue[1]);
            const bool saved = WriteProjectFile(*m, path, [&](const FileStamp&) {
                if (calls == 0 && c.call == std::string("question")) c.act();
                return true;
            });
            int status = 1;
            return int(saved) + 2 * int(second > 0 && !::close(cue[0]) && ::waitpid(second, &status, 0) > 0 && !status);
        };
        calls = 0;
        const int outcome = test::InChildProcess(true, 0, save, {Team});
        if (outcome == test::CannotDrop) GTEST_SKIP() << "cannot become the user nobody";
        ASSERT_EQ(outcome, c.outcome);

        test::MessageRecorder rec;
        auto opened = test::BuiltInModel(dir.File("program"));
        fs::create_hard_link(file, secondName);
        EXPECT_EQ(ReadProjectFile(*opened, secondName.string()), c.left != nullptr);
        fs::remove(secondName);
        EXPECT_TRUE(!c.left || ReadBytes(path) == *c.left);
        const std::string told =
            "\nA save of it was cut short; its previous contents are kept in " + backupPath.string();
        struct stat backup {};
        EXPECT_TRUE(c.left || (rec.Messages.size() == 1 && rec.Messages[0].Text.ends_with(told) &&
                               ReadBytes(backupPath) == oldBytes && !::stat(backupPath.c_str(), &backup) &&
                               backup.st_gid == Team &&
                               (backup.st_mode & 0777) == 0664));
        // a good wall another program copies over it is no longer the file the save left
        if (c.call == std::string("pwrite")) {
            test::WriteBytes(path, thirdBytes);
            EXPECT_TRUE(ReadProjectFile(*opened, path));
        }
        calls = -100;  // the next save goes through, and clears what was left
        EXPECT_EQ(test::InChildProcess(true, 0, save, {Team}), 1);
        EXPECT_EQ(test::NamesIn(shared), std::set<std::string>{file.filename().string()});
        fs::resize_file(file, 10);
        rec.Messages.clear();
        EXPECT_FALSE(ReadProjectFile(*opened, path));
        EXPECT_TRUE(rec.Messages.size() == 1 && rec.Messages[0].Text.find("cut short") == std::string::npos);
    }
}

// Only the file itself tells that a save overwriting it was cut short: the
// saver marks it, no ".BAK" can fake that, a whole save by anyone clears it,
// and each user who opens it is told where the old wall waits, or whose it
// is. What a save cut short left beside the file goes with the next save by
// the names it was made under: in a folder the saver may not list, and on a
// file system that keeps no marks, where a ".BAK" cannot say it is a save's.
TEST(SaveSafetyAsTwoUsers, OnlyTheFileItselfTellsThatASaveOfItWasCutShort) {
    if (::geteuid() != 0) GTEST_SKIP() << "two users and a mount need root";
    test::TempDir dir;
    const fs::path shared = dir.Path() / "shared", file = shared / "wall.bmi", moved = dir.Path() / "moved";
    const std::string cut = "cut short; its previous contents are kept in " + dir.File("cache/Brindlemar/wall.bmi.");
    const std::string keptMoved = "kept in " + dir.File("moved/wall.BAK");
    const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
    // the file holds `old`, longer than the wall saved over it, so that a save stopped before it cut the file
    // to length leaves parts of both
    auto m = test::BuiltInModel(dir.File("program")), old = test::BuiltInModel(dir.File("program"));
    old->CombinationSets[1].Comment = std::string(3000, 'o');
    constexpr int None = -1, Root = 0, Nobody = int(test::Nobody);
    enum Disk { Same, Ramfs, Cramped };  // Cramped: room for a copy of the file or for its mark, not both
    // the file: its owner, group Team, mode 0666; with a second name it is written in place by everyone;
    // `cleared`: the next save leaves nothing but the file's names; `kind`: a project, factor or defaults file,
    // or 'r', the defaults as a start reads them and writes them back; `movedTo`: where its folder goes after the cut
    struct Case { const char* what; int folderMode; int owner; bool twoNames; const char* plantedMark; const char* mark;
                  int cutBy; const char* killAt; int thenSavedBy; std::string toldNobody, toldRoot;
                  bool cleared = false; Disk disk = Same; char kind = 'p'; const char* movedTo = nullptr; };
    const Case cases[] = {
        {"a .BAK an earlier save marked as overwriting is the next save's to clear", 01777, Root, false,
         "overwriting wall.bmi", nullptr, None, "", Nobody, "", "", true},
        {"cut short where the user's own .BAK stands", 0777, Root, false, "", nullptr, Nobody, "ftruncate", None, cut,
         cut},
        {"cut short by root, then saved whole by nobody", 01777, Root, true, nullptr, nullptr, Root, "ftruncate",
         Nobody, "", ""},
        {"cut short where only root may read the copy", 0777, Root, true, "", nullptr, Root, "ftruncate", None,
         ", which only the user root may read", cut},
        {"stopped before its first byte changed, it is whole", 0777, Root, true, nullptr, nullptr, Root, "pwrite",
         None, "", ""},
        {"cut short, then its folder renamed and another wall put where it was", 0777, Root, true, nullptr, nullptr,
         Root, "ftruncate", None, keptMoved, keptMoved, false, Same, 'p', "moved"},
        {"a mark on the file is not carried to the new file", 0777, Nobody, false, nullptr, "wall.BAK\nroot", None, "",
         Nobody, "", "", true},
        {"the copy its mark names, which only root may read, goes with the next save", 0777, Nobody, false,
         "copy of wall.bmi", "wall.BAK\nroot", None, "", Nobody, "", "", true},
        {"a mark another user set naming the user's own .BAK is not believed", 01777, Root, false, "",
         "wall.BAK\nnobody", None, "", None, "", ""},
        {"a mark another user set naming the user's own .BAK deletes nothing", 01777, Root, false, "",
         "wall.BAK\nnobody", None, "", Nobody, "", ""},
        {"cut short in a folder the saver may not list", 0733, Nobody, false, nullptr, nullptr, Nobody, "rename",
         Nobody, "", "", true},
        {"cut short on a file system without attributes", 0777, Root, true, nullptr, nullptr, Root, "ftruncate", Root,
         "", "", true, Ramfs},
        {"in place on a disk with room for its .BAK or its mark, not both", 0777, Root, true, nullptr, nullptr, None,
         "", Nobody, "", "", false, Cramped},
        {"a factor file cut short where only root may read the copy", 0777, Root, true, "", nullptr, Root, "ftruncate",
         None, ", which only the user root may read", cut, false, Same, 'f'},
        {"a defaults file cut short where only root may read the copy, who puts it back", 0777, Root, true, "",
         nullptr, Root, "ftruncate", None, ", which only the user root may read", "", false, Same, 'r'},
        {"a defaults file whose save stopped before its first byte changed", 0777, Root, true, nullptr, nullptr, Root,
         "pwrite", None, "", "", false, Same, 'r'},
    };
    std::string notRun;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::path reached = file;  // the file's path, after a move the new one
        const auto write = [&](Model& w) { return SaveAs(c.kind, w, reached.string()); };
        fs::remove_all(shared), fs::remove_all(moved);
        fs::create_directory(shared);
        const std::string image = dir.File("disk"), mount = "mount -o loop " + image + " " + shared.string();
        if ((c.disk == Ramfs && ::mount("none", shared.c_str(), "ramfs", 0, nullptr) != 0) ||
            (c.disk == Cramped && !Shell("truncate -s 2M " + image + " && mkfs.ext4 -qFm0 -b4096 " + image +
                                         " >/dev/null 2>&1 && " + mount))) {
            notRun += std::string(c.what) + " (no mount: " + std::strerror(errno) + "); ";
            continue;
        }
        // taken away whichever way the case ends
        const std::unique_ptr<const fs::path, void (*)(const fs::path*)> mounted(
            c.disk == Same ? nullptr : &shared, [](const fs::path* at) { ::umount2(at->c_str(), MNT_DETACH); });
        ASSERT_TRUE(SaveAs(c.kind, *old, dir.File("old")) && write(*old));
        fs::remove_all(dir.Path() / "cache");
        fs::create_directory(dir.Path() / "cache");
        ASSERT_EQ(::chmod(shared.c_str(), c.folderMode) + ::chmod(dir.File("cache").c_str(), 0777) +
                      ::chmod(file.c_str(), 0666) + ::chown(file.c_str(), c.owner, Team),
                  0);
        if (c.twoNames) fs::create_hard_link(file, shared / "second name.bmi");
        if (c.plantedMark) {
            test::WriteBytes(dir.File("shared/wall.BAK"), "planted");
            ::chown(dir.File("shared/wall.BAK").c_str(), c.owner == Nobody ? Root : Nobody, 0);
            ::chmod(dir.File("shared/wall.BAK").c_str(), 0600);
            ::setxattr(dir.File("shared/wall.BAK").c_str(), "user.brindlemar.backup", c.plantedMark,
                       std::strlen(c.plantedMark), 0);
        }
        if (c.mark) ::setxattr(file.c_str(), "user.brindlemar.saving", c.mark, std::strlen(c.mark), 0);
        if (struct statvfs disk {}; c.disk == Cramped && ::statvfs(shared.c_str(), &disk) == 0) {
            const off_t copy = (StatOf(file).st_size + 4095) / 4096 * 4096, room = copy + 2048;
            const int filler = ::open(dir.File("shared/filler").c_str(), O_WRONLY | O_CREAT, 0600);
            ASSERT_EQ(::posix_fallocate(filler, 0, off_t(disk.f_bavail * disk.f_bsize) - room), 0);
            ::close(filler);
        }
        const ino_t inode = StatOf(file).st_ino;
        const auto save = [&](int user, bool killed) {
            return test::InChildProcess(user == Nobody, 0, [&] {
                const FileCallHook hook([&](const char* call, int fd) {
                    if (killed && call == std::string(c.killAt) && (fd < 0 || StatOf(fd).st_ino == inode)) ::_exit(9);
                });
                test::MessageRecorder rec;
                return write(*m) ? 0 : 1;
            }, {Team});
        };
        ASSERT_EQ(c.cutBy == None ? 9 : save(c.cutBy, true), 9);
        const std::size_t leftAfterCut = test::NamesIn(shared).size();
        if (c.movedTo) {
            fs::rename(shared, moved), fs::create_directory(shared), reached = moved / file.filename();
            test::WriteBytes(file.string(), "another wall"), test::WriteBytes(dir.File("shared/wall.BAK"), "its copy");
        }
        ASSERT_EQ(c.thenSavedBy == None ? 0 : save(c.thenSavedBy, false), 0);
        for (const int user : {Nobody, Root}) {
            const std::string& told = user == Nobody ? c.toldNobody : c.toldRoot;
            EXPECT_EQ(test::InChildProcess(user == Nobody, 0, [&] {
                test::MessageRecorder rec;
                auto opened = test::BuiltInModel(dir.File("program"));
                if (OpenAs(c.kind, *opened, reached.string())) return 0;
                return rec.Messages.size() == 1 && rec.Messages[0].Text.find(told) != std::string::npos ? 1 : 2;
            }), told.empty() ? 0 : 1) << "opened by " << user;
        }
        const std::size_t names = c.twoNames ? 2 : 1;
        EXPECT_TRUE(!c.cleared || (test::NamesIn(shared).size() == names && (c.cutBy == None || leftAfterCut > names)));
        // a user's own .BAK stays; the defaults the cut save overwrote are back, put there by whoever could read them
        EXPECT_TRUE(!c.plantedMark || fs::exists(shared / "wall.BAK") != c.cleared);
        EXPECT_TRUE(c.kind != 'r' || ReadBytes(file.string()) == ReadBytes(dir.File("old")));
    }
    if (!notRun.empty()) GTEST_SKIP() << "not run: " << notRun;
}

// Where the file system answers as FAT, exFAT or one without user attributes
// does (the calls refused), and in a drop box, every kind of file is saved; a
// save stopped at any call leaves a whole file or one that tells its saver,
// and the next save leaves nothing but the file.
TEST(SaveSafetyAsTwoUsers, EveryKindIsSavedAndClearedWhereTheFileSystemAnswersOtherwise) {
    if (::geteuid() != 0) GTEST_SKIP() << "a second user needs root";
    // the modes of the folder and of nobody's file there (0: a new name); an append-only folder renames and
    // removes nothing
    struct Case { const char* what; std::map<std::string, int> refused; int folderMode, fileMode; bool twoNames;
                  bool appendOnly = false; };
    const Case cases[] = {
        {"FAT", {{"renameat2", EINVAL}, {"link", EPERM}}, 0777, 0, false},
        {"FAT, the user's file", {{"renameat2", EINVAL}, {"link", EPERM}}, 0777, 0644, false},
        {"exFAT", {{"fchown", EPERM}, {"fchmod", EPERM}}, 0777, 0600, false},
        {"no user attributes, two names", {{"fsetxattr", EOPNOTSUPP}}, 0777, 0666, true},
        {"a drop box, a new name", {}, 0733, 0, false},
        {"a drop box, the user's file", {}, 0733, 0644, false},
        {"an append-only folder", {}, 0777, 0644, false, true},
    };
    test::TempDir dir;
    const fs::path shared = dir.Path() / "shared", file = shared / "wall.bmi";
    const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
    fs::permissions(dir.Path(), fs::perms::all);
    auto m = test::BuiltInModel(dir.File("program")), old = test::BuiltInModel(dir.File("program"));
    // another wall from the start of every file to its end, so that a part of each is a third
    old->BackfillUnitWeight += 1, old->CombinationSets[0].Combinations[0].Factor[1] += 1;
    old->CombinationSets[old->CombinationSetCount].Combinations[50].Factor[21] += 1;
    for (const Case& c : cases)
        for (const char kind : {'p', 'f', 'd'}) {
            SCOPED_TRACE(std::string(c.what) + ", kind " + kind);
            if (kind == 'd' && c.folderMode == 0733) continue;  // no configuration folder is a drop box
            // as nobody, a save (stopped at the nth call; none for 0) or an open: 0 done unasked, 9 stopped,
            // 3 an open that names where the whole new wall waits
            std::string newBytes;
            const auto as = [&](Model& w, const std::string& path, int stop, bool read) {
                return test::InChildProcess(true, 0, [&] {
                    int calls = 0;
                    test::Refused = read ? std::map<std::string, int>{} : c.refused;
                    const FileCallHook hook([&](const char*, int) { ++calls == stop ? ::_exit(9) : void(); });
                    const test::MessageRecorder rec;
                    if ((read ? OpenAs : SaveAs)(kind, w, path) && rec.Messages.empty()) return 0;
                    const std::size_t at = rec.Messages.empty() ? std::string::npos : rec.Messages[0].Text.find("stands in ");
                    return at != std::string::npos && ReadBytes(rec.Messages[0].Text.substr(at + 10)) == newBytes ? 3 : 1;
                });
            };
            ASSERT_EQ(as(*m, dir.File("new"), 0, false) + as(*old, dir.File("old"), 0, false), 0);
            newBytes = ReadBytes(dir.File("new"));
            const std::string oldBytes = ReadBytes(dir.File("old"));
            for (int stop = 1, outcome = 9; outcome == 9; ++stop) {
                if (c.appendOnly) AppendOnly(shared, false);
                fs::remove_all(shared), fs::create_directory(shared), fs::permissions(shared, fs::perms(c.folderMode));
                if (c.fileMode) fs::copy_file(dir.File("old"), file), ::chown(file.c_str(), test::Nobody, test::Nobody);
                if (c.twoNames) fs::create_hard_link(file, shared / "second name.bmi");
                const ino_t inode = c.fileMode && !::chmod(file.c_str(), c.fileMode) ? StatOf(file).st_ino : 0;
                if (c.appendOnly && !AppendOnly(shared, true)) GTEST_SKIP() << "no append-only folders here";
                if ((outcome = as(*m, file.string(), stop, false)) == 9) {
                    const std::string left = ReadBytes(file.string());  // a third wall opens for none
                    const int opened = as(*m, file.string(), 0, true);
                    EXPECT_TRUE(opened || left == oldBytes || left == newBytes) << stop;
                    // the empty file a save on FAT holds the name with before its rename: the open names the
                    // wall, and another save leaves it where it waits
                    EXPECT_TRUE(!fs::exists(file) || !left.empty() || opened == 3) << stop;
                    if (fs::exists(file) && left.empty()) {
                        ASSERT_EQ(as(*old, file.string(), 0, false), 0);
                        const std::set<std::string> names = test::NamesIn(shared);
                        EXPECT_TRUE(std::any_of(names.begin(), names.end(), [&](const std::string& name) {
                            return ReadBytes((shared / name).string()) == newBytes;
                        })) << stop;
                    }
                    ASSERT_EQ(as(*m, file.string(), 0, false), 0) << "after a stop at call " << stop;
                }
                EXPECT_EQ(test::NamesIn(shared).size(), 1u + c.twoNames) << "stopped at " << stop;
                EXPECT_EQ(ReadBytes(file.string()), newBytes);
                EXPECT_TRUE(!c.fileMode || outcome == 9 || (StatOf(file).st_ino == inode) == (c.twoNames || c.appendOnly));
            }
            if (c.appendOnly) AppendOnly(shared, false);
        }
}

// A save under a name that was free never takes it from a file another
// program made there while the wall was written, or before the save looked:
// one the user may not write is told as made meanwhile, as the caller that
// found the name free tells it, not as a file the user may not write.
TEST(SaveSafety, ANameThatWasFreeIsNeverTakenFromAFileMadeMeanwhile) {
    for (const bool beforeTheSave : {false, true}) {
        test::TempDir dir;
        const std::string path = dir.File("wall.bmi");
        auto m = test::BuiltInModel(dir.File("program"));
        test::MessageRecorder rec;
        if (beforeTheSave) test::WriteBytes(path, "theirs"), fs::permissions(path, fs::perms(0444));
        {
            const FileCallHook hook([&](const char* call, int) {
                if (std::string(call) == "fsync" && !fs::exists(path)) test::WriteBytes(path, "theirs");
            });
            EXPECT_FALSE(WriteProjectFile(*m, path, [](const FileStamp&) {
                MsgBox("made meanwhile", vbExclamation, ProductName);
                return false;
            }));
        }
        EXPECT_EQ(ReadBytes(path), "theirs");
        ASSERT_EQ(rec.Messages.size(), 1u);
        EXPECT_NE(rec.Messages[0].Text.find("made"), std::string::npos) << rec.Messages[0].Text;
        EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"wall.bmi"});
    }
}

// A save follows a link only where the system would: not another user's link in a folder anyone may write
// whose sticky bit is set, unless the folder is his, at the name or at a folder on the way; every kind of file
// then names the link and where it leads. Nor a second name there of the user's private file.
TEST(SaveSafetyAsTwoUsers, ASaveFollowsNoLinkTheSystemWouldRefuse) {
    if (::geteuid() != 0) GTEST_SKIP() << "another user's link needs root";
    test::TempDir dir;
    const fs::path shared = dir.Path() / "shared", link = shared / "factors.bmf", folder = dir.Path() / "private";
    const std::string thesis = dir.File("private/thesis.txt");
    auto m = test::BuiltInModel(dir.File("program"));
    // how the thesis is reached: a link at the name ('n') or to its folder ('f'), or a second name of it, private
    // ('h') or one anyone may write ('w'), which no link rule can refuse
    struct Case { uid_t linkOwner, folderOwner; bool refused; char how = 'n'; };
    for (const Case c : {Case{test::Nobody, 0, true}, Case{0, 0, false}, Case{test::Nobody, test::Nobody, false},
                         Case{test::Nobody, 0, true, 'f'}, Case{0, 0, true, 'h'}, Case{0, 0, false, 'w'}})
        for (const char kind : {'f', 'd', 'p'}) {
            fs::remove_all(shared), fs::remove_all(folder), fs::create_directory(shared), fs::create_directory(folder);
            test::WriteBytes(thesis, "thesis");
            const fs::path linked = c.how == 'f' ? shared / "proj" : link, saved = c.how == 'f' ? linked / "thesis.txt" : link;
            if (c.how == 'n' || c.how == 'f') fs::create_symlink(c.how == 'f' ? folder.string() : thesis, linked);
            else fs::create_hard_link(thesis, link), fs::permissions(thesis, fs::perms(c.how == 'h' ? 0600 : 0666));
            ASSERT_EQ(::chmod(shared.c_str(), 01777) + ::chown(shared.c_str(), c.folderOwner, 0) +
                          ::lchown(linked.c_str(), c.linkOwner, 0), 0);
            test::MessageRecorder rec;
            m->DefaultsWriteFailureTold = false;
            EXPECT_EQ(SaveAs(kind, *m, saved.string()), !c.refused);
            EXPECT_EQ(ReadBytes(thesis) == "thesis", c.refused);
            const std::string told = "Cannot write " + saved.string() + ": " +
                                     (c.how == 'h' ? "it is a second name of a file that only its owner may read"
                                                   : "the link " + linked.string() + " leads to " +
                                                         (c.how == 'f' ? folder.string() : thesis) +
                                                         ", but it is another user's link in a folder anyone may "
                                                         "write, and the system follows no such link");
            EXPECT_TRUE(!c.refused || (rec.Messages.size() == 1 && rec.Messages[0].Text.rfind(told, 0) == 0));
        }
}

// A lock that another program holds, here another user who may only read
// the file, is waited for a moment while the windows paint, and then told
// for what it is: a save does not happen, an open reads a file that did not
// change, and refuses one that is marked as being overwritten.
TEST(SaveSafety, ALockHeldByAnotherProgramIsWaitedForAMomentAndTold) {
    struct Case { const char* what; bool save, marked, done; };
    const Case cases[] = {
        {"a save", true, false, false},
        {"an open", false, false, true},
        {"an open while the holder overwrites it", false, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        const std::string path = dir.File("wall.bmi");
        auto m = test::BuiltInModel(dir.File("program"));
        ASSERT_TRUE(WriteProjectFile(*m, path));
        if (c.marked) ::setxattr(path.c_str(), "user.brindlemar.saving", "wall.BAK\nroot", 13, 0);
        int held[2];
        ASSERT_EQ(::pipe(held), 0);
        const pid_t holder = ::fork();
        if (holder == 0) {
            if (::geteuid() == 0 && (::setgid(test::Nobody) != 0 || ::setuid(test::Nobody) != 0)) ::_exit(1);
            const int fd = ::open(path.c_str(), O_RDONLY);
            if (::flock(fd, LOCK_EX) == 0 && ::write(held[1], "h", 1) == 1) ::pause();
            ::_exit(1);
        }
        char token;
        ASSERT_EQ(::read(held[0], &token, 1), 1);
        test::MessageRecorder rec;
        const auto start = std::chrono::steady_clock::now();
        const bool done = c.save ? WriteProjectFile(*m, path) : ReadProjectFile(*m, path);
        const auto waited = std::chrono::steady_clock::now() - start;
        ::kill(holder, SIGKILL);
        ::waitpid(holder, nullptr, 0);
        ::close(held[0]), ::close(held[1]);
        EXPECT_EQ(done, c.done);
        EXPECT_LT(waited, std::chrono::seconds(3));
        EXPECT_GT(rec.EventRounds, 5) << "the windows were painted while it waited";
        EXPECT_TRUE(c.done || (rec.Messages.size() == 1 &&
                               rec.Messages[0].Text.find("another program holds the file locked") != std::string::npos));
    }
}

// A save in place that fails puts the old contents back and takes its mark
// off; that restore is the program's own doing, and the next Save does not
// take it for a change by another program.
TEST(SaveSafety, TheProgramsOwnRestoreIsNoChangeBySomeoneElse) {
    test::TempDir dir;
    const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
    const std::string path = dir.File("wall.bmi");
    auto m = test::BuiltInModel(dir.File("program")), opened = test::BuiltInModel(dir.File("program"));
    ASSERT_TRUE(WriteProjectFile(*m, path));
    const std::string old = ReadBytes(path);
    fs::create_hard_link(path, dir.File("second name.bmi"));
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365));
    m->ProjectFileStamp = FileStampOf(path);
    m->ProjectTitle = std::string(1000, 't');  // longer than the size limit lets the file grow
    const int outcome = test::InChildProcess(false, old.size() + 500, [&] {
        test::MessageRecorder rec;
        if (WriteProjectFile(*m, path) || ReadBytes(path) != old) return 2;
        if (::getxattr(path.c_str(), "user.brindlemar.saving", nullptr, 0) >= 0 || !ReadProjectFile(*opened, path))
            return 3;
        return m->ProjectFileStamp == FileStampOf(path) ? 0 : 1;
    });
    if (outcome == test::CannotDrop) GTEST_SKIP() << "cannot limit the file size";
    EXPECT_EQ(outcome, 0);
}

// Open takes what it opened for what it is: a pipe put at the path between a
// look at it and the open never makes the program wait for a writer.
TEST(SaveSafety, APipePutAtThePathNeverHangsOpen) {
    test::TempDir dir;
    const std::string path = dir.File("wall.bmi");
    const int outcome = test::InChildProcess(false, 0, [&] {
        ::alarm(20);
        std::atomic<bool> stop{false};
        std::thread swapper([&] {
            while (!stop) {
                ::mkfifo(dir.File("pipe").c_str(), 0600);
                ::rename(dir.File("pipe").c_str(), path.c_str());
                test::WriteBytes(dir.File("plain"), "not a wall");
                ::rename(dir.File("plain").c_str(), path.c_str());
            }
        });
        test::MessageRecorder rec;
        auto m = test::BuiltInModel(dir.File("program"));
        for (int i = 0; i < 3000; ++i) ReadProjectFile(*m, path);
        stop = true;
        swapper.join();
        return 0;
    });
    EXPECT_EQ(outcome, 0) << "the reader hung on a pipe";
}

}  // namespace
}  // namespace brindlemar

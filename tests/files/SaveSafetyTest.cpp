// What a save shows others while it runs, what it leaves when it is cut
// short, and what reaches the disk. The program's own calls of fsync and
// ftruncate pass through the hook below, so that a test can look at the
// folder at that moment, or stop the save there as a kill would.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <dlfcn.h>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <thread>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/FileAccess.h"
#include "files/ProjectFile.h"
#include "support/MessageRecorder.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace brindlemar::test {
// Called with the name of the call ("fsync", "ftruncate") and its descriptor.
std::function<void(const char* call, int fd)> OnFileCall;
}  // namespace brindlemar::test

extern "C" int fsync(int fd) {
    static const auto real = reinterpret_cast<int (*)(int)>(::dlsym(RTLD_NEXT, "fsync"));
    if (brindlemar::test::OnFileCall) brindlemar::test::OnFileCall("fsync", fd);
    return real(fd);
}

extern "C" int ftruncate(int fd, off_t length) noexcept {
    static const auto real = reinterpret_cast<int (*)(int, off_t)>(::dlsym(RTLD_NEXT, "ftruncate"));
    if (brindlemar::test::OnFileCall) brindlemar::test::OnFileCall("ftruncate", fd);
    return real(fd, length);
}

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

// A save lets no one see the wall who may not read the file: the temporary
// file and the backup are the user's alone, or the file's with its group,
// at every moment; the saved file keeps its owner, group, bits, access list
// and other attributes, written in place where a new file could not keep
// them. Another user's file is saved by nobody, who is named in its access
// list or is in its group; such cases need root to set them up.
constexpr gid_t Team = 4242;

TEST(SaveSafety, NoOneSeesTheWallWhoMayNotReadTheFileAndTheFileKeepsItsRights) {
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
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.anotherUsers && ::geteuid() != 0) continue;
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
}

// A name a save made or replaced is on the disk with the file: the folder of
// a new or replaced file is flushed after the rename, and the cache folder
// after the copy that protects a file written in place.
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
         "cache/Brindlemar"},
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

// Killed between writing the new wall in place and cutting the file to its
// length, a save leaves the new wall and the tail of the old one: the file
// opens. When it cannot be opened, its message names the copy of the old
// contents that the save kept.
TEST(SaveSafety, ASaveCutShortLeavesAFileThatOpensAndSaysWhereTheOldOneIs) {
    test::TempDir dir;
    const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
    const std::string path = dir.File("wall.bmi");
    auto old = test::BuiltInModel(dir.File("program"));
    old->ProjectTitle = std::string(300, 'o');
    ASSERT_TRUE(WriteProjectFile(*old, path));
    const std::string oldBytes = ReadBytes(path);
    fs::create_hard_link(path, dir.File("second name.bmi"));
    const ino_t inode = StatOf(fs::path(path)).st_ino;

    auto m = test::BuiltInModel(dir.File("program"));
    m->ProjectTitle = "New";
    ASSERT_TRUE(WriteProjectFile(*m, dir.File("new.bmi")));
    const std::string newBytes = ReadBytes(dir.File("new.bmi"));
    constexpr int Killed = 9;
    const int outcome = test::InChildProcess(false, 0, [&] {
        const FileCallHook hook([&](const char* call, int fd) {
            if (std::string(call) == "ftruncate" && StatOf(fd).st_ino == inode) ::_exit(Killed);
        });
        test::MessageRecorder rec;
        WriteProjectFile(*m, path);
        return 0;
    });
    ASSERT_EQ(outcome, Killed);
    ASSERT_EQ(ReadBytes(path), newBytes + oldBytes.substr(newBytes.size())) << "the new wall and the old tail";

    test::MessageRecorder rec;
    auto opened = test::BuiltInModel(dir.File("program"));
    ASSERT_TRUE(ReadProjectFile(*opened, path));
    EXPECT_EQ(opened->ProjectTitle, "New");

    fs::resize_file(path, 10);
    EXPECT_FALSE(ReadProjectFile(*opened, path));
    ASSERT_EQ(rec.Messages.size(), 1u);
    const std::string& message = rec.Messages[0].Text;
    const std::string cache = dir.File("cache") + "/Brindlemar/";
    ASSERT_NE(message.find("\nA save of it was cut short; its previous contents are kept in " + cache + "wall.bmi."),
              std::string::npos)
        << message;
    EXPECT_EQ(ReadBytes(message.substr(message.find(cache))), oldBytes);
}

// A save in place that fails puts the old contents back; that restore is the
// program's own doing, and the next Save does not take it for a change by
// another program.
TEST(SaveSafety, TheProgramsOwnRestoreIsNoChangeBySomeoneElse) {
    test::TempDir dir;
    const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));
    const std::string path = dir.File("wall.bmi");
    test::WriteBytes(path, "old");
    fs::create_hard_link(path, dir.File("second name.bmi"));
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24 * 365));
    auto m = test::BuiltInModel(dir.File("program"));
    m->ProjectFileStamp = FileStampOf(path);
    const int outcome = test::InChildProcess(false, 1000, [&] {
        test::MessageRecorder rec;
        if (WriteProjectFile(*m, path) || ReadBytes(path) != "old") return 2;
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

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/DefaultsFile.h"
#include "files/Encoding.h"
#include "files/FactorFile.h"
#include "files/Paths.h"
#include "files/ProjectFile.h"
#include "model/Units.h"
#include "runtime/RuntimeError.h"
#include "support/MessageRecorder.h"
#include "support/ScopedEnvironment.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

namespace fs = std::filesystem;
using test::BuiltInModel;
using test::ReadBytes;

std::size_t TextBytes(const std::string& s) { return 2 + s.size(); }

// The length of a set record, counted from the layout: name, 51
// combinations (name and 22 Singles), count, 22 names, 22 codes, comment.
std::size_t SetBytes(const CombinationSet& set) {
    std::size_t n = TextBytes(set.Name) + 2 + TextBytes(set.Comment);
    for (const auto& c : set.Combinations) n += TextBytes(c.Name) + 22 * 4;
    for (int k = 0; k <= 21; ++k) n += TextBytes(set.Factors.FactorName[k]) + TextBytes(set.Factors.FactorCode[k]);
    return n;
}

// A wall that fills the file: 50 line loads of every type, 50 sets (the
// table's last slot the spare), texts of 0 and 255 characters.
void FillToTheLimits(Model& m) {
    m.ProjectTitle = std::string(255, 'T');
    m.FooterTexts[2] = "";
    m.FooterTexts[3] = std::string(255, '\xE9');
    m.LineLoadCount = 50;
    for (int i = 1; i <= 50; ++i)
        m.LineLoads[i] = {10.0f + i, 0.1f * i, 0.2f * i, 15.0f * (i % 24), static_cast<int16_t>(1 + i % 9)};
    m.CombinationSetCount = 50;
    for (int s = 2; s <= 50; ++s) {
        CombinationSet& set = m.CombinationSets[s];
        set = m.CombinationSets[1];
        set.Name = s % 2 ? "" : std::string(255, 'S');
        set.Comment = "Set " + std::to_string(s);
        set.CombinationCount = static_cast<int16_t>(1 + s % 50);
        for (int c = 0; c < set.CombinationCount; ++c) {
            set.Combinations[c].Name = "C" + std::to_string(c);
            for (int k = 1; k <= 21; ++k) set.Combinations[c].Factor[k] = 0.05f * static_cast<float>(k + c);
        }
    }
    m.ActiveCombinationSet = 49;
    m.CurrentCombination = 49;
    for (int i = 1; i <= 8; ++i) {
        m.UserBarDiameters[i] = 10.0f + 2 * i;
        m.UserBarSpacings[i] = 100.0f + 25 * i;
    }
    m.UpperStemLength = 3.5f;
    m.ReinforcementDesignMethod = 1;
    m.BearingResistanceMethod = CptBearing;
    m.MinimumFluidDensity = 0.55f;
    m.MinimumFluidDensityEnabled = 1;
    m.KaSource = UserValue;
    m.EnteredKa = 0.31f;
}

TEST(ProjectFileWrite, BuiltInWallHasTheLengthOfTheLayout) {
    test::TempDir dir;
    auto m = BuiltInModel(dir.Path().string());
    const std::string path = dir.File("wall.bmi");
    ASSERT_TRUE(WriteProjectFile(*m, path));
    const std::string bytes = ReadBytes(path);

    std::size_t expected = 4 + 4 * 2;  // lead-in, margins
    for (int i = 1; i <= 3; ++i) expected += TextBytes(m->FooterTexts[i]);
    expected += TextBytes(m->ReportFontName) + 4 + TextBytes(m->ProjectTitle) + 2;
    expected += 35 * 4 + 2 + 4 + 2 + 2;  // geometry to surcharge, old surcharge type, seismic, flag, count
    expected += 2 + 12 * 4;               // results marker, old-form bars
    expected += TextBytes("Brindlemar Input Data") + TextBytes("2.60");
    expected += 2 * 2 + 5 * 4 + 3 * 2 + 5 * 4;                   // water to toe earth
    expected += 4 * 4 + 4 * 2 + 2 * 4 + 16 * 4 + 2 * 2;          // key to reserved, no line loads
    expected += TextBytes(m->CurrentLoadCombination.Name) + 88;  // current combination
    expected += 2;                                               // set count
    for (int s = 0; s <= m->CombinationSetCount; ++s) expected += SetBytes(m->CombinationSets[s]);
    expected += 2 * 2 + 3 * (2 + 4);  // active, current, coefficient sources
    expected += 4 + 2 + 3 * 4 + 2;    // bearing and minimum fluid density
    EXPECT_EQ(bytes.size(), expected);
    EXPECT_EQ(bytes.substr(0, 4), std::string(4, '\0'));
    EXPECT_EQ(m->SaveSucceeded, -1);
}

void ConvertFromMetric(Model& m, UnitSystem units) {
    m.PreviousUnitSystem = Metric;
    m.CurrentUnitSystem = units;
    ConvertUnits(m);
}

// Whatever the program writes, it reads back: writing what was read gives
// the same bytes, for project, defaults and factor files alike, in any unit
// system and at the table limits. The defaults file goes through the reset
// of the model, as at every start.
TEST(FileRoundTrip, WhatIsWrittenReadsBackToTheSameBytes) {
    struct Case {
        const char* what;
        void (*prepare)(Model&);
    };
    const Case cases[] = {
        {"built-in wall", [](Model&) {}},
        {"converted to British", [](Model& m) { ConvertFromMetric(m, British); }},
        {"converted to SI", [](Model& m) { ConvertFromMetric(m, SI); }},
        {"50 loads, 50 sets, long and empty texts", FillToTheLimits},
        {"at the limits, in SI",
         [](Model& m) {
             FillToTheLimits(m);
             ConvertFromMetric(m, SI);
         }},
        // the table without sets of its own, used through its spare slot
        {"one slot, the first active",
         [](Model& m) {
             m.CombinationSetCount = 1;
             m.ActiveCombinationSet = 1;
             m.CurrentCombination = 0;
         }},
        {"no slots at all",
         [](Model& m) {
             m.CombinationSetCount = 0;
             m.ActiveCombinationSet = 0;
             m.CurrentCombination = 0;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        test::MessageRecorder rec;
        const auto folder = [&](const char* name) {
            fs::create_directory(dir.Path() / name);
            return (dir.Path() / name).string();
        };
        const std::string projects = folder("projects"), program = folder("program");
        auto original = BuiltInModel(projects);
        c.prepare(*original);

        // project file
        ASSERT_TRUE(WriteProjectFile(*original, projects + "/first.bmi"));
        auto reread = BuiltInModel(projects);
        ASSERT_TRUE(ReadProjectFile(*reread, projects + "/first.bmi"));
        ASSERT_TRUE(WriteProjectFile(*reread, projects + "/second.bmi"));
        EXPECT_EQ(ReadBytes(projects + "/first.bmi"), ReadBytes(projects + "/second.bmi"));
        EXPECT_EQ(reread->CurrentUnitSystem, original->CurrentUnitSystem);
        EXPECT_EQ(reread->LineLoadCount, original->LineLoadCount);
        EXPECT_TRUE(reread->CombinationSets == original->CombinationSets);
        EXPECT_EQ(reread->ProjectTitle, original->ProjectTitle);
        EXPECT_EQ(reread->UserBarDiameters, original->UserBarDiameters);
        EXPECT_EQ(reread->ProjectModified, 0);

        // defaults file, read by two starts in a row: a set count of 0 has
        // become 1 and the active set 1 at the first, the second takes that
        const std::string defaults = program + "/Default.dat";
        ASSERT_TRUE(WriteDefaultsFile(*original, defaults));
        const std::string written = ReadBytes(defaults);
        auto firstStart = BuiltInModel(program);
        ASSERT_TRUE(WriteDefaultsFile(*firstStart, defaults));
        const std::string afterFirst = ReadBytes(defaults);
        auto secondStart = BuiltInModel(program);
        ASSERT_TRUE(WriteDefaultsFile(*secondStart, defaults));
        EXPECT_EQ(ReadBytes(defaults), afterFirst);
        EXPECT_EQ(secondStart->CurrentUnitSystem, original->CurrentUnitSystem);
        EXPECT_EQ(secondStart->CombinationSetCount, std::max<int16_t>(original->CombinationSetCount, 1));
        if (original->CombinationSetCount > 0) {
            EXPECT_EQ(afterFirst, written);
        }

        // factor file of the model's set table
        ASSERT_TRUE(WriteFactorFile(original->CombinationSets, original->CombinationSetCount, projects + "/a.bmf"));
        auto sets = std::make_unique<FactorFileSets>();
        ASSERT_TRUE(ReadFactorFileSets(projects + "/a.bmf", *sets));
        ASSERT_TRUE(WriteFactorFile(sets->Sets, sets->Count, projects + "/b.bmf"));
        EXPECT_EQ(ReadBytes(projects + "/a.bmf"), ReadBytes(projects + "/b.bmf"));

        EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
    }
}

// Writers that did not cut a file short left the tail of a longer file
// behind a shorter one: a project saved over a longer one, a defaults or
// factor file rewritten with fewer sets. Every reader takes what its layout
// holds, whatever the version, and leaves the tail unread.
TEST(FileRoundTrip, TheTailOfALongerFileIsLeftUnread) {
    struct Kind {
        const char* what;
        bool (*write)(Model&, const std::string&);
        bool (*read)(Model&, const std::string&);
        const char* version;  // the version the shorter file names
    };
    const Kind kinds[] = {
        {"project", [](Model& m, const std::string& p) { return WriteProjectFile(m, p); },
         [](Model& m, const std::string& p) { return ReadProjectFile(m, p); }, "2.60"},
        {"defaults", [](Model& m, const std::string& p) { return WriteDefaultsFile(m, p); },
         [](Model& m, const std::string& p) { return ReadDefaultsFile(m, p); }, "2.60"},
        {"factor", [](Model& m, const std::string& p) { return WriteFactorFile(m.CombinationSets, m.CombinationSetCount, p); },
         [](Model& m, const std::string& p) { return ReadFactorFile(m.CombinationSets, m.CombinationSetCount, p); },
         "2.50"},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.what);
        test::TempDir dir;
        test::MessageRecorder rec;
        auto shorter = BuiltInModel(dir.File("program")), longer = BuiltInModel(dir.File("program"));
        FillToTheLimits(*longer);
        ASSERT_TRUE(kind.write(*longer, dir.File("longer")));
        ASSERT_TRUE(kind.write(*shorter, dir.File("shorter")));
        const std::string whole = ReadBytes(dir.File("shorter")), tail = ReadBytes(dir.File("longer")).substr(whole.size());
        ASSERT_GT(tail.size(), 0u);
        std::string file = whole + tail;
        file.replace(file.find(FileLayoutVersion), 4, kind.version);
        test::WriteBytes(dir.File("rewritten"), file);

        auto read = BuiltInModel(dir.File("program"));
        ASSERT_TRUE(kind.read(*read, dir.File("rewritten")));
        EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
        ASSERT_TRUE(kind.write(*read, dir.File("again")));
        EXPECT_EQ(ReadBytes(dir.File("again")), whole);
    }
}

TEST(ProjectFileWrite, TwelveLoadsKeepTenInTheOldBlockAndAllTwelveInTheNew) {
    test::TempDir dir;
    auto m = BuiltInModel(dir.Path().string());
    m->LineLoadCount = 12;
    for (int i = 1; i <= 12; ++i) m->LineLoads[i] = {1.0f * i, 0.5f, 1.0f, 90, static_cast<int16_t>(i % 9 + 1)};
    m->SurchargeLoadType = LL;
    ASSERT_TRUE(WriteProjectFile(*m, dir.File("wall.bmi")));
    EXPECT_EQ(m->LegacyLineLoadCount, 10);
    EXPECT_EQ(m->LegacySurchargeLoadType, 2);
    // old numbering: DL, EV, ES, IC -> 1; EH 3; LL 2; LD 6; WA 4; EQ 7
    const int16_t oldTypes[10] = {1, 3, 1, 2, 6, 4, 7, 1, 1, 1};
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(m->LegacyLineLoads[i].LoadType, oldTypes[i - 1]) << i;

    auto back = BuiltInModel(dir.Path().string());
    ASSERT_TRUE(ReadProjectFile(*back, dir.File("wall.bmi")));
    EXPECT_EQ(back->LineLoadCount, 12);
    for (int i = 1; i <= 12; ++i) EXPECT_TRUE(back->LineLoads[i] == m->LineLoads[i]) << i;
    EXPECT_EQ(back->SurchargeLoadType, LL);
}

void OldFile(const fs::path& p) { test::WriteBytes(p.string(), "old"); }

// The longest name a file may have: its backup name is as long.
const std::string LongestName = std::string(251, 'n') + ".bmi";

// Saving writes the file the user chose, where it is and as it is: under the
// case of its name and folder, through a link to its target, with its
// permission bits, as the same file for all its names, leaving the user's own
// backup alone (and a project named like one), and not at all when it is
// write-protected. A completed save leaves no backup or temporary file, and
// a link someone planted where the program once put its temporary file is
// not followed.
TEST(ProjectFileWrite, SavingKeepsTheUsersFileWhereAndAsItIs) {
    struct Case {
        const char* what;
        const char* saveAs;              // in the test folder
        void (*setUp)(const fs::path&);  // the folder before the save
        const char* written;             // where the project lands; "" when refused
        void (*check)(const fs::path&);  // the folder after it
    };
    const Case cases[] = {
        {"a name and folder with capitals", "Mixed Case/Quay Wall.bmi",
         [](const fs::path& d) {
             fs::create_directory(d / "Mixed Case");
             OldFile(d / "Mixed Case" / "Quay Wall.bmi");
         },
         "Mixed Case/Quay Wall.bmi",
         [](const fs::path& d) {
             EXPECT_EQ(test::NamesIn(d / "Mixed Case"), std::set<std::string>{"Quay Wall.bmi"});
             EXPECT_FALSE(fs::exists(d / "mixed case"));
         }},
        {"write-protected", "wall.bmi",
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             fs::permissions(d / "wall.bmi", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
         },
         "",
         [](const fs::path& d) {
             EXPECT_EQ(ReadBytes((d / "wall.bmi").string()), "old");
             EXPECT_EQ(fs::status(d / "wall.bmi").permissions() & fs::perms::all, fs::perms(0444));
         }},
        {"a link to a file", "link.bmi",
         [](const fs::path& d) {
             fs::create_directory(d / "real");
             OldFile(d / "real" / "wall.bmi");
             fs::create_symlink("real/wall.bmi", d / "link.bmi");
         },
         "real/wall.bmi", [](const fs::path& d) { EXPECT_TRUE(fs::is_symlink(d / "link.bmi")); }},
        {"a link to a file not there yet", "link.bmi",
         [](const fs::path& d) { fs::create_symlink(d / "new.bmi", d / "link.bmi"); }, "new.bmi",
         [](const fs::path& d) { EXPECT_TRUE(fs::is_symlink(d / "link.bmi")); }},
        {"its permission bits", "wall.bmi",
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             fs::permissions(d / "wall.bmi", fs::perms(0640));
         },
         "wall.bmi",
         [](const fs::path& d) { EXPECT_EQ(fs::status(d / "wall.bmi").permissions() & fs::perms::all, fs::perms(0640)); }},
        {"the user's own backup", "wall.bmi",
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             test::WriteBytes((d / "wall.BAK").string(), "mine");
         },
         "wall.bmi", [](const fs::path& d) { EXPECT_EQ(ReadBytes((d / "wall.BAK").string()), "mine"); }},
        {"a project named like its backup", "wall.BAK", [](const fs::path& d) { OldFile(d / "wall.BAK"); }, "wall.BAK",
         [](const fs::path&) {}},
        {"a backslash in the name", "we\\ird.bmi", [](const fs::path& d) { fs::create_directory(d / "we"); },
         "we\\ird.bmi", [](const fs::path& d) { EXPECT_TRUE(fs::is_empty(d / "we")); }},
        {"a name of 255 bytes", LongestName.c_str(), [](const fs::path& d) { OldFile(d / LongestName); },
         LongestName.c_str(), [](const fs::path&) {}},
        {"a file with a second name", "wall.bmi",
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             fs::create_hard_link(d / "wall.bmi", d / "other name.bmi");
         },
         "wall.bmi",
         [](const fs::path& d) {
             EXPECT_EQ(ReadBytes((d / "other name.bmi").string()), ReadBytes((d / "wall.bmi").string()));
             EXPECT_EQ(fs::hard_link_count(d / "wall.bmi"), 2u);
         }},
        {"a link planted at a temporary name", "wall.bmi",
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             test::WriteBytes((d / "victim").string(), "victim");
             fs::create_symlink("victim", d / ("wall.bmi." + std::to_string(::getpid()) + ".tmp"));
         },
         "wall.bmi",
         [](const fs::path& d) {
             EXPECT_EQ(ReadBytes((d / "victim").string()), "victim");
             EXPECT_FALSE(fs::is_symlink(d / "wall.bmi"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir, cache;
        const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", cache.Path().string());
        test::MessageRecorder rec;
        auto m = BuiltInModel(dir.File("program"));
        ASSERT_TRUE(WriteProjectFile(*m, dir.File("expected.bmi")));
        c.setUp(dir.Path());
        std::set<std::string> before = test::NamesIn(dir.Path());
        m->ProjectModified = -1;

        const std::string path = dir.File(c.saveAs);
        const bool refused = std::string(c.written).empty();
        EXPECT_EQ(WriteProjectFile(*m, path), !refused);
        if (refused) {
            EXPECT_EQ(m->ProjectModified, -1);
            EXPECT_EQ(m->SaveSucceeded, 0);
            ASSERT_EQ(rec.Messages.size(), 1u);
            EXPECT_EQ(rec.Messages[0].Text, "Cannot write " + path + ": the file is write-protected");
        } else {
            EXPECT_EQ(ReadBytes(dir.File(c.written)), ReadBytes(dir.File("expected.bmi")));
            EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
            EXPECT_EQ(m->ProjectModified, 0);
            EXPECT_EQ(m->SaveSucceeded, -1);
        }
        EXPECT_EQ(rec.BusyDepth, 0);
        c.check(dir.Path());
        // nothing but what the case made and the saved file
        if (!refused) before.insert(fs::path(c.written).begin()->string());
        EXPECT_EQ(test::NamesIn(dir.Path()), before);
        EXPECT_TRUE(!fs::exists(cache.Path() / "Brindlemar") || fs::is_empty(cache.Path() / "Brindlemar"));
    }
}

// A write that fails says so once, keeps the previous file as it was (or
// makes none) and leaves the project modified.
TEST(ProjectFileWrite, AFailedWriteKeepsThePreviousFileAndTheModifiedFlag) {
    struct Case {
        const char* what;
        const char* file;
        void (*prepare)(Model&, const std::string& path);
        bool cannotWrite;  // the file system refused, rather than the layout
    };
    const Case cases[] = {
        {"into a folder that does not exist", "missing/wall.bmi", [](Model&, const std::string&) {}, true},
        {"a title longer than a text can be", "wall.bmi",
         [](Model& m, const std::string&) { m.ProjectTitle = std::string(40000, 'x'); }, false},
        {"more line loads than the file holds", "wall.bmi", [](Model& m, const std::string&) { m.LineLoadCount = 51; },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        auto m = BuiltInModel(dir.Path().string());
        const std::string path = dir.File(c.file), previous = dir.File("wall.bmi");
        ASSERT_TRUE(WriteProjectFile(*m, previous));
        const std::string before = ReadBytes(previous);
        test::MessageRecorder rec;
        c.prepare(*m, path);
        m->ProjectModified = -1;
        EXPECT_FALSE(WriteProjectFile(*m, path));
        EXPECT_EQ(m->SaveSucceeded, 0);
        EXPECT_EQ(m->ProjectModified, -1);
        EXPECT_EQ(ReadBytes(previous), before);
        EXPECT_FALSE(fs::exists(dir.File("missing")));
        ASSERT_EQ(rec.Messages.size(), 1u);
        if (c.cannotWrite) {
            EXPECT_EQ(rec.Messages[0].Text.rfind("Cannot write " + path, 0), 0u) << rec.Messages[0].Text;
            EXPECT_EQ(rec.Messages[0].Style, vbExclamation);
            EXPECT_EQ(rec.Messages[0].Title, "Brindlemar");
        }
        EXPECT_EQ(rec.BusyDepth, 0);
    }
}

// A save keeps what the file was, also where the system would stop the
// usual replacement by a new file: the owner of another user's file saved by
// root, a writable file in a folder the user may not write (saved in place,
// with the old contents back when the disk fills), a folder he may not list
// (which cannot be flushed), and a disk that fills while the backup is
// copied (no half backup left behind).
TEST(ProjectFileWrite, ASaveKeepsWhatTheFileWasWhereItCannotSimplyBeReplaced) {
    struct Case {
        const char* what;
        bool asNobody;
        rlim_t sizeLimit;
        void (*setUp)(const fs::path& shared);  // the folder of wall.bmi, writable by all until then
        bool saved;
        void (*check)(const fs::path& shared);
    };
    const Case cases[] = {
        {"another user's file saved by root", false, 0,
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             if (::geteuid() == 0) {
                 ASSERT_EQ(::chown((d / "wall.bmi").c_str(), 65534, 65534), 0);
             }
         },
         true,
         [](const fs::path& d) {
             struct stat s {};
             ASSERT_EQ(::stat((d / "wall.bmi").c_str(), &s), 0);
             const uid_t owner = ::geteuid() == 0 ? 65534 : ::geteuid();
             const gid_t group = ::geteuid() == 0 ? 65534 : ::getegid();
             EXPECT_EQ(s.st_uid, owner);
             EXPECT_EQ(s.st_gid, group);
         }},
        {"a writable file in a folder the user may not write", true, 0,
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             fs::permissions(d / "wall.bmi", fs::perms(0666));
             fs::permissions(d, fs::perms(0555));
         },
         true, [](const fs::path& d) { EXPECT_EQ(test::NamesIn(d), std::set<std::string>{"wall.bmi"}); }},
        {"the same when the disk fills while it is written", true, 1000,
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             fs::permissions(d / "wall.bmi", fs::perms(0666));
             fs::permissions(d, fs::perms(0555));
         },
         false, [](const fs::path& d) { EXPECT_EQ(ReadBytes((d / "wall.bmi").string()), "old"); }},
        {"another user's writable file in a shared folder with the sticky bit", true, 0,
         [](const fs::path& d) {
             OldFile(d / "wall.bmi");
             fs::permissions(d / "wall.bmi", fs::perms(0666));
             fs::permissions(d, fs::perms(01777));
         },
         true, [](const fs::path& d) { EXPECT_EQ(test::NamesIn(d), std::set<std::string>{"wall.bmi"}); }},
        {"the user's own file in a folder he may write but not list", true, 0,
         [](const fs::path& d) {
             OldFile(d / "wall.bmi"), ::chown((d / "wall.bmi").c_str(), 65534, 65534), ::chmod(d.c_str(), 0733);
         },
         true, [](const fs::path& d) { EXPECT_EQ(test::NamesIn(d), std::set<std::string>{"wall.bmi"}); }},
        {"a disk that fills while the backup is copied", false, 100000,
         [](const fs::path& d) { test::WriteBytes((d / "wall.bmi").string(), std::string(200000, 'o')); }, true,
         [](const fs::path& d) { EXPECT_EQ(test::NamesIn(d), std::set<std::string>{"wall.bmi"}); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempDir dir;
        auto m = BuiltInModel(dir.File("program"));
        ASSERT_TRUE(WriteProjectFile(*m, dir.File("expected.bmi")));
        // the user's cache folder and the project's folder, open to nobody
        for (const char* folder : {"cache", "shared"}) {
            fs::create_directory(dir.Path() / folder);
            fs::permissions(dir.Path() / folder, fs::perms(0777));
        }
        const fs::path shared = dir.Path() / "shared";
        c.setUp(shared);
        const std::string path = (shared / "wall.bmi").string();
        const test::ScopedEnvironment cacheHome("XDG_CACHE_HOME", dir.File("cache"));

        // the child answers 0 for a save, 1 for a refusal that said why
        const int outcome = test::InChildProcess(c.asNobody, c.sizeLimit, [&] {
            test::MessageRecorder rec;
            const bool saved = WriteProjectFile(*m, path);
            const bool said =
                rec.Messages.size() == 1 && rec.Messages[0].Text.rfind("Cannot write " + path + ": ", 0) == 0;
            if (saved ? rec.Messages.empty() : said) return saved ? 0 : 1;
            for (const auto& message : rec.Messages) std::fprintf(stderr, "%s\n", message.Text.c_str());
            return 2;
        });
        fs::permissions(shared, fs::perms::owner_all, fs::perm_options::add);
        if (outcome == test::CannotDrop) GTEST_SKIP() << "cannot become the user nobody or limit the file size";
        EXPECT_EQ(outcome, c.saved ? 0 : 1);
        if (c.saved) {
            EXPECT_EQ(ReadBytes(path), ReadBytes(dir.File("expected.bmi")));
        }
        c.check(shared);
        // the previous file kept during the save is gone with it
        EXPECT_TRUE(!fs::exists(dir.Path() / "cache/Brindlemar") || fs::is_empty(dir.Path() / "cache/Brindlemar"));
    }
}

TEST(ShearKeyRefit, DistancesEndWithinTheBase) {
    struct Case {
        const char* what;
        float toe, width, heel;
        float wantToe, wantWidth, wantHeel;
    };
    // base width 7.2 throughout
    const Case cases[] = {
        {"fits: unchanged", 3.0f, 0.5f, 3.7f, 3.0f, 0.5f, 3.7f},
        {"too short: the toe distance takes the rest", 1.0f, 0.5f, 1.0f, 5.7f, 0.5f, 1.0f},
        {"too long: the toe distance gives way", 6.6f, 0.6f, 0.6f, 6.0f, 0.6f, 0.6f},
        {"heel distance beyond the base", 2.0f, 0.6f, 8.0f, 0.0f, 0.6f, 6.6f},
        {"too long with the heel filling it", 5.0f, 0.6f, 7.0f, 0.0f, 0.6f, 6.6f},
        {"key wider than the base", 0.0f, 9.0f, 0.0f, 0.0f, 7.2f, 0.0f},
        {"negative distances", -1.0f, 0.6f, -2.0f, 6.6f, 0.6f, 0.0f},
        {"sums up but lies outside", -1.0f, 0.6f, 7.6f, 0.0f, 0.6f, 6.6f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        m.BaseWidth = 7.2f;
        m.ShearKeyToeDistance = c.toe;
        m.ShearKeyWidth = c.width;
        m.ShearKeyHeelDistance = c.heel;
        RefitShearKey(m);
        EXPECT_NEAR(m.ShearKeyToeDistance, c.wantToe, 1e-5);
        EXPECT_NEAR(m.ShearKeyWidth, c.wantWidth, 1e-5);
        EXPECT_NEAR(m.ShearKeyHeelDistance, c.wantHeel, 1e-5);
        for (float v : {m.ShearKeyToeDistance, m.ShearKeyWidth, m.ShearKeyHeelDistance}) {
            EXPECT_GE(v, 0.0f);
            EXPECT_LE(v, m.BaseWidth);
        }
    }
}

TEST(LoadTypeNumbering, OldAndCurrentCodesMapBothWays) {
    const int16_t oldOf[10] = {0, 1, 1, 3, 1, 2, 6, 4, 7, 1};
    for (int16_t t = DL; t <= IC; ++t) EXPECT_EQ(LegacyLoadTypeOf(t), oldOf[t]) << t;
    const int16_t currentOf[8] = {0, DL, LL, EH, WA, DL, LD, EQ};
    for (int16_t t = 1; t <= 7; ++t) EXPECT_EQ(LoadTypeOfLegacy(t), currentOf[t]) << t;
    EXPECT_THROW(LoadTypeOfLegacy(0), RuntimeError);
    EXPECT_THROW(LoadTypeOfLegacy(8), RuntimeError);
    EXPECT_THROW(LegacyLoadTypeOf(10), RuntimeError);
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

#include "FileTestSupport.h"
#include "files/Paths.h"
#include "files/ProjectFile.h"
#include "support/MessageRecorder.h"
#include "support/ProjectFileBuilder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

namespace fs = std::filesystem;
using test::ProjectFileBuilder;

// A project the user had open before trying a bad file: not the built-in
// one, so that a reader that changed anything would show.
std::unique_ptr<Model> OpenProject(const std::string& folder) {
    auto m = test::BuiltInModel(folder);
    m->ProjectTitle = "Before";
    m->LineLoadCount = 2;
    m->LineLoads[1] = {3, 1, 1, 90, LL};
    m->LineLoads[2] = {4, 2, 1, 0, WA};
    m->CombinationSets[1].Comment = "mine";
    m->ProjectModified = -1;
    m->NodeXCoordinates[1] = 123.0f;
    return m;
}

// Reads `bytes` as a project file into a model that must stay as it was;
// returns the one message shown.
std::string Refusal(const std::string& bytes) {
    test::TempDir dir;
    test::MessageRecorder rec;
    auto m = OpenProject(dir.Path().string());
    const auto before = std::make_unique<Model>(*m);
    test::WriteBytes(dir.File("bad.bmi"), bytes);
    EXPECT_FALSE(ReadProjectFile(*m, dir.File("bad.bmi")));
    test::ExpectSameFileState(*m, *before);
    EXPECT_EQ(rec.BusyDepth, 0);
    if (rec.Messages.size() != 1) {
        ADD_FAILURE() << rec.Messages.size() << " messages";
        return "";
    }
    EXPECT_EQ(rec.Messages[0].Style, vbExclamation);
    EXPECT_EQ(rec.Messages[0].Title, "Brindlemar");
    return rec.Messages[0].Text;
}

// Reads `bytes` as a project file that must open without a word.
std::unique_ptr<Model> Opening(const std::string& bytes) {
    test::TempDir dir;
    test::MessageRecorder rec;
    auto m = test::BuiltInModel(dir.Path().string());
    test::WriteBytes(dir.File("old.bmi"), bytes);
    EXPECT_TRUE(ReadProjectFile(*m, dir.File("old.bmi")));
    EXPECT_TRUE(rec.Messages.empty()) << rec.Messages[0].Text;
    return m;
}

ProjectFileBuilder WithLoads(const char* version) {
    ProjectFileBuilder file;
    file.Version = version;
    file.OldLoads = {{1, 1, 1, 90, 2}, {2, 2, 2, 0, 4}};
    file.Loads = {{5, 1, 2, 45, LD}};
    return file;
}

TEST(BadProjectFiles, EveryTruncationIsRefusedAndChangesNothing) {
    // small files, so that every byte offset can be tried: one set only
    ProjectFileBuilder current = WithLoads("2.60");
    current.Sets = {test::StandardSet("ASD", 1)};
    current.SetCount = 0;
    current.Active = 0;
    current.CurrentCombination = 0;
    ProjectFileBuilder old = WithLoads("2.10");
    old.Marker = -1;

    for (const ProjectFileBuilder* file : {&current, &old}) {
        const std::string whole = file->Bytes();
        SCOPED_TRACE(file->Version);
        test::TempDir dir;
        test::MessageRecorder rec;
        auto m = OpenProject(dir.Path().string());
        const auto before = std::make_unique<Model>(*m);
        const std::string path = dir.File("cut.bmi");
        for (std::size_t length = 0; length < whole.size(); ++length) {
            test::WriteBytes(path, whole.substr(0, length));
            ASSERT_FALSE(ReadProjectFile(*m, path)) << "accepted " << length << " of " << whole.size() << " bytes";
            ASSERT_EQ(rec.Messages.size(), length + 1);
            ASSERT_EQ(rec.Messages.back().Text.rfind("Not a valid project file: ", 0), 0u) << rec.Messages.back().Text;
            // a full comparison at a spread of lengths keeps the run short
            if (length % 61 == 0 || length + 8 > whole.size()) test::ExpectSameFileState(*m, *before);
            ASSERT_EQ(m->ProjectTitle, "Before");
        }
        test::WriteBytes(path, whole);
        EXPECT_TRUE(ReadProjectFile(*m, path));
        EXPECT_EQ(rec.BusyDepth, 0);
    }
}

// A file is refused only for what the reader cannot use, and then says what
// is wrong; values a version throws away, or that read safely, let it open.
TEST(BadProjectFiles, ValuesAreRefusedOnlyWhereTheReaderCannotUseThem) {
    struct Case {
        const char* what;
        const char* version;
        const char* field;      // offset recorded by the builder
        std::size_t plus;       // bytes after it
        int16_t value;          // patched Integer
        const char* message;    // nullptr: the file opens, and `holds`
        bool (*holds)(const Model&) = nullptr;
    };
    const Case cases[] = {
        {"old load type 8 in 2.60: the current loads stand", "2.60", "OldLoads", 16, 8, nullptr,
         [](const Model& m) { return m.LineLoadCount == 1 && m.LineLoads[1].LoadType == LD; }},
        {"old load type 0 in 2.50", "2.50", "OldLoads", 18 + 16, 0, nullptr,
         [](const Model& m) { return m.LineLoadCount == 1; }},
        {"old load type 9 in 1.x: no loads taken", "1.0", "OldLoads", 16, 9, nullptr,
         [](const Model& m) { return m.LineLoadCount == 0; }},
        {"water switch 1 is on", "2.00", "Water", 0, 1, nullptr, [](const Model& m) { return m.WaterIncluded == -1; }},
        {"seismic switch 2 in 2.60 is on", "2.60", "Water", 2, 2, nullptr,
         [](const Model& m) { return m.SeismicIncluded == -1; }},
        {"line loads -1", "2.60", "LoadCount", 0, -1, "-1 line loads (at least 0)"},
        {"line loads 51", "2.60", "LoadCount", 0, 51, "51 line loads (at most 50)"},
        {"old loads past the end", "1.0", "OldLoadCount", 0, 50, "50 old-format line loads need 900 bytes but only"},
        {"old loads -1", "2.10", "OldLoadCount", 0, -1, "-1 old-format line loads (at least 0)"},
        {"old loads 51", "2.60", "OldLoadCount", 0, 51, "51 old-format line loads (at most 50)"},
        {"sets -1", "2.60", "SetCount", 0, -1, "-1 combination sets (at least 0)"},
        {"sets 51", "2.60", "SetCount", 0, 51, "51 combination sets (at most 50)"},
        {"sets past the end", "2.60", "SetCount", 0, 30, "30 combination sets (31 records) need"},
        {"combinations -1", "2.60", "CombinationCount1", 0, -1, "-1 combinations in a set (at least 0)"},
        {"combinations 52", "2.60", "CombinationCount1", 0, 52, "52 combinations in a set (at most 51)"},
        {"title length -1", "2.60", "Title", 0, -1, "a text at byte"},
        {"title length 30000", "2.60", "Title", 0, 30000, "has length 30000 but only"},
        {"comment length 30000", "2.60", "Comment2", 0, 30000, "has length 30000 but only"},
        {"unit system 3", "2.60", "UnitSystem", 0, 3, "unit system 3 (0 to 2)"},
        {"unit system -1", "1.0", "UnitSystem", 0, -1, "unit system -1 (0 to 2)"},
        {"load type 0", "2.60", "Loads", 16, 0, "line load 1 has load type 0 (1 to 9)"},
        {"load type 10", "2.50", "Loads", 16, 10, "line load 1 has load type 10 (1 to 9)"},
        {"old load type 8", "2.10", "OldLoads", 18 + 16, 8, "old-format line load 2 has the old load type 8 (1 to 7)"},
        {"old load type 0", "2.21", "OldLoads", 16, 0, "old-format line load 1 has the old load type 0 (1 to 7)"},
        {"old surcharge type 9", "2.20", "OldSurchargeType", 0, 9, "the surcharge has the old load type 9 (1 to 7)"},
        {"surcharge type 10", "2.60", "SurchargeType", 0, 10, "surcharge load type 10 (1 to 9)"},
        {"base material 2", "2.60", "BaseMaterial", 0, 2, "base material 2 (0 to 1)"},
        {"earth pressure 2", "2.60", "BaseMaterial", 2, 2, "earth pressure option 2 (0 to 1)"},
        {"design method 2", "2.50", "DesignMethod", 0, 2, "design method 2 (0 to 1)"},
        {"Ka source 2", "2.60", "KaSource", 0, 2, "Ka source 2 (0 to 1)"},
        {"bearing method 4", "2.60", "Bearing", 0, 4, "bearing method 4 (0 to 3)"},
        {"minimum fluid switch 2", "2.60", "MinFluidOn", 0, 2, "minimum fluid density switch 2 (0 to 1)"},
        {"passive switch -1", "2.21", "Passive", 0, -1, "passive toe pressure switch -1 (0 to 1)"},
        {"active set 3", "2.60", "Active", 0, 3, "active combination set 3 (0 to 2)"},
        {"current combination 3", "2.60", "Active", 2, 3, "current combination 3 of set 1 (0 to 2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::ByteWriter file = WithLoads(c.version).Build();
        ASSERT_TRUE(file.Offsets.count(c.field)) << c.field;
        test::PatchInteger(file.Bytes, file.Offsets[c.field] + c.plus, c.value);
        if (!c.message) {
            EXPECT_TRUE(c.holds(*Opening(file.Bytes)));
            continue;
        }
        const std::string message = Refusal(file.Bytes);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_EQ(message.rfind("Not a valid project file: ", 0), 0u) << message;
        EXPECT_NE(message.find("/bad.bmi\n"), std::string::npos) << "names the file: " << message;
    }
}

TEST(BadProjectFiles, NoNumberThatIsNotANumberReachesTheModel) {
    for (float bad : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        test::ByteWriter file = WithLoads("2.60").Build();
        test::PatchSingle(file.Bytes, file.Offsets["Geometry"] + 4, bad);
        EXPECT_NE(Refusal(file.Bytes).find("is not a number"), std::string::npos);
    }
    // a negative factor is a number the factor grid takes and a save writes:
    // the file that holds one opens again
    {
        test::ByteWriter file = WithLoads("2.60").Build();
        test::PatchSingle(file.Bytes, file.Offsets["CurrentLoadCombination"] + 2 + 7 + 4 * 3, -1.5f);
        EXPECT_EQ(Opening(file.Bytes)->CurrentLoadCombination.Factor[3], -1.5f);
    }
    // values that overflow when the reader adds them up
    test::ByteWriter file = WithLoads("2.60").Build();
    for (std::size_t i : {6u, 7u, 8u}) test::PatchSingle(file.Bytes, file.Offsets["Geometry"] + 4 * i, 3e38f);
    EXPECT_EQ(Refusal(file.Bytes), "Overflow");
}

// Walls neither a window nor an earlier version makes are refused, and the
// edges of what those made open: their change of units rounded each length to
// hundredths (sums off by 0.03 m, or 0.03 / 0.3048 + 0.03 ft; a stem of 0.5 ft
// to 0.15 m, then 0.49 ft; a thin toe to none; a small weight to 0), and
// their dialogs took what ours now refuse for a new entry.
TEST(BadProjectFiles, WallsOpenWhereAWindowOrAnEarlierVersionCouldHaveMadeThem) {
    struct Wall {
        const char* what;
        void (*edit)(ProjectFileBuilder&);
        const char* message;  // nullptr: the wall opens as stored
    };
    const Wall walls[] = {
        {"water above the top", [](auto& f) { f.FrontWater = -0.5f; },
         "Front water depth -0.5 is not a number of 0 or more"},
        {"water above the backfill", [](auto& f) { f.BackWater = -0.5f; },
         "Back water depth -0.5 is not a number of 0 or more"},
        {"base 0.03 m short", [](auto& f) { f.Geometry[5] = 7.17f; }, nullptr},
        {"base 0.04 m short", [](auto& f) { f.Geometry[5] = 7.16f; },
         "Base width 7.16 is not the sum of toe, stem and heel, 7.2"},
        {"base 0.12 ft long", [](auto& f) { f.UnitSystem = British, f.Geometry[5] = 7.32f; }, nullptr},
        {"base 0.13 ft long", [](auto& f) { f.UnitSystem = British, f.Geometry[5] = 7.33f; },
         "Base width 7.33 is not the sum"},
        {"back face 0.03 m high", [](auto& f) { f.Geometry[9] = 7.76f; }, nullptr},
        {"back face 0.04 m high", [](auto& f) { f.Geometry[9] = 7.77f; },
         "The back face is 10.04 high and the front face 10: both"},
        {"back face 0.12 ft low", [](auto& f) { f.UnitSystem = British, f.Geometry[9] = 7.61f; }, nullptr},
        {"back face 0.13 ft low", [](auto& f) { f.UnitSystem = British, f.Geometry[9] = 7.6f; },
         "The back face is 9.87 high"},
        {"back face 2 m high", [](auto& f) { f.Geometry[9] = 9.73f; }, "The back face is 12 high"},
        {"stems of 0.15 m",
         [](auto& f) { f.Geometry[6] = f.Geometry[9] = 0.15f, f.Geometry[7] = 8.85f, f.Geometry[10] = 8.58f; }, nullptr},
        {"a stem of 0.14 m", [](auto& f) { f.Geometry[6] = 0.14f, f.Geometry[7] = 8.86f; },
         "Front stem height 0.14 is less than 0.15, the lowest stem"},
        {"a stem of 0.49 ft", [](auto& f) { f.UnitSystem = British, f.Geometry[9] = 0.49f, f.Geometry[10] = 8.24f; },
         nullptr},
        {"a stem of 0.48 ft", [](auto& f) { f.UnitSystem = British, f.Geometry[9] = 0.48f, f.Geometry[10] = 8.25f; },
         "Back stem height 0.48 is less than 0.49"},
        {"toe and heel without thickness", [](auto& f) {
             f.Geometry[6] = f.Geometry[9] = 10;
             f.Geometry[7] = f.Geometry[8] = f.Geometry[10] = f.Geometry[11] = 0;
         }, nullptr},
        {"water weighing 0", [](auto& f) { f.Materials[0] = 0; }, nullptr},
        {"water weighing less", [](auto& f) { f.Materials[0] = -0.01f; },
         "Water unit weight -0.01 is not a number of 0 or more"},
        {"Poisson's ratio 0", [](auto& f) { f.Concrete[3] = 0; },
         "Poisson's ratio 0 is not a number greater than 0"},
        {"nominal bearing resistance 0", [](auto& f) { f.Materials[8] = 0; }, nullptr},
        {"minimum fluid density below 0", [](auto& f) { f.MinFluid = -0.5f; }, nullptr},
        {"theoretical bearing without weight", [](auto& f) { f.Bearing = TheoreticalBearing, f.BaseUnitWeight = 0; },
         nullptr},
    };
    for (const Wall& c : walls) {
        SCOPED_TRACE(c.what);
        ProjectFileBuilder file = WithLoads("2.60");
        c.edit(file);
        if (c.message) {
            EXPECT_NE(Refusal(file.Bytes()).find(c.message), std::string::npos) << c.message;
            continue;
        }
        const auto m = Opening(file.Bytes());
        EXPECT_EQ((std::array{m->ToeLength, m->StemFrontBatter, m->StemTopThickness, m->StemBackBatter, m->HeelLength,
                              m->BaseWidth, m->FrontStemHeight, m->ToeTopDrop, m->ToeTipThickness, m->BackStemHeight,
                              m->HeelTopDrop, m->HeelEndThickness}),
                  file.Geometry);
    }
}

// What is no wall this version can read is refused, never half read: a
// newer version's file, a file of zeros as a crash leaves one. Writers did
// not always cut a file short, so a file of any version opens whatever
// follows its last field.
TEST(BadProjectFiles, ForeignFilesAreRefusedAndOlderOnesStillOpen) {
    const std::string current = WithLoads("2.60").Bytes();
    struct Case {
        std::string what;
        std::string bytes;
        std::string message;  // "": the file opens
    };
    std::vector<Case> cases;
    for (const char* version : {"2.61", "2.7", "3.00", "9.99", "10.0", "3.0 beta"})
        cases.push_back({version, WithLoads(version).Bytes(),
                         std::string("it was written by a newer version of the program (") + version + ")"});
    for (std::size_t size : {184u, 186u, 4096u, 65536u})
        cases.push_back({std::to_string(size) + " zeros", std::string(size, '\0'), "it names no version of the program"});
    cases.push_back({"183 zeros", std::string(183, '\0'), "it ends too early"});
    cases.push_back({"2.60 and a byte", current + '\0', ""});
    cases.push_back({"2.21 and 100 bytes", WithLoads("2.21").Bytes() + std::string(100, 'x'), ""});
    cases.push_back({"2.50 and 10 bytes", WithLoads("2.50").Bytes() + std::string(10, '\0'), ""});
    cases.push_back({"2.6", WithLoads("2.6").Bytes(), ""});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.message.empty()) {
            Opening(c.bytes);
            continue;
        }
        const std::string message = Refusal(c.bytes);
        EXPECT_NE(message.find("/bad.bmi\n" + c.message), std::string::npos) << message;
    }
}

TEST(BadProjectFiles, WhatIsNoFileIsReportedByName) {
    EXPECT_EQ(Refusal(std::string()).rfind("Not a valid project file", 0), 0u);

    test::TempDir dir;
    fs::create_directory(dir.File("walls.bmi"));
    ASSERT_EQ(::mkfifo(dir.File("pipe.bmi").c_str(), 0600), 0);
    struct Case {
        std::string path;
        std::string message;
    };
    const std::string notAProject = "Not a valid project file: ";
    const Case cases[] = {
        {dir.File("none.bmi"), "File not found: " + dir.File("none.bmi")},
        {dir.File(std::string(300, 'n') + ".bmi"),
         "Cannot open " + dir.File(std::string(300, 'n') + ".bmi") + ": File name too long"},
        {dir.File("walls.bmi"), notAProject + dir.File("walls.bmi") + "\nIt is a folder, not a project file."},
        {dir.File("pipe.bmi"), notAProject + dir.File("pipe.bmi") + "\nIt is a pipe, not a project file."},
        {"/dev/null", notAProject + "/dev/null\nIt is a device, not a project file."},
        // larger than any project file can be (every text 32767 bytes long,
        // 50 line loads, 50 sets of 51 combinations): refused by its size, unread
        {dir.File("huge.bmi"), notAProject + dir.File("huge.bmi") +
                                   "\nIt is 1000000000 bytes long; a project file is at most 162603837 bytes."},
    };
    { std::ofstream(dir.File("huge.bmi")) << "x"; }
    fs::resize_file(dir.File("huge.bmi"), 1000000000);
    for (const Case& c : cases) {
        test::MessageRecorder rec;
        auto m = OpenProject(dir.Path().string());
        EXPECT_FALSE(ReadProjectFile(*m, c.path));
        ASSERT_EQ(rec.Messages.size(), 1u);
        EXPECT_EQ(rec.Messages[0].Text, c.message);
        EXPECT_EQ(m->ProjectModified, -1);
        EXPECT_EQ(rec.BusyDepth, 0);
    }

    // a folder the user may not search: the file may well be there, so the
    // look-up of a recent file passes it on, and the open alone says why not
    fs::create_directory(dir.File("locked"));
    test::WriteBytes(dir.File("locked/wall.bmi"), "");
    // root's folder of mode 0700 for nobody, the user's own of mode 0 else
    fs::permissions(dir.File("locked"), fs::perms(::geteuid() == 0 ? 0700 : 0));
    fs::permissions(dir.Path(), fs::perms(0755));
    const int outcome = test::InChildProcess(true, 0, [&] {
        test::MessageRecorder rec;
        auto m = OpenProject(dir.Path().string());
        const bool said = FileExists(dir.File("locked/wall.bmi")) == -1 &&
                          !ReadProjectFile(*m, dir.File("locked/wall.bmi")) && rec.Messages.size() == 1 &&
                          rec.Messages[0].Text == "Cannot open " + dir.File("locked/wall.bmi") + ": Permission denied";
        if (!said) std::fprintf(stderr, "%s\n", rec.Messages.empty() ? "no message" : rec.Messages[0].Text.c_str());
        return said ? 0 : 1;
    });
    fs::permissions(dir.File("locked"), fs::perms(0700));
    if (outcome == test::CannotDrop) GTEST_SKIP() << "cannot become the user nobody";
    EXPECT_EQ(outcome, 0);
}

}  // namespace
}  // namespace brindlemar

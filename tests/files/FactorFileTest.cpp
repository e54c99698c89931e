#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "files/FactorFile.h"
#include "support/MessageRecorder.h"
#include "support/ProjectFileBuilder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

// A dialog's working table: the hidden set, three sets of its own, a spare slot.
std::unique_ptr<CombinationSetTable> WorkingTable() {
    auto sets = std::make_unique<CombinationSetTable>();
    for (int s = 0; s <= 4; ++s) {
        CombinationSet& set = (*sets)[s];
        set.Name = s == 0 ? "ASD" : "Set " + std::to_string(s);
        set.CombinationCount = static_cast<int16_t>(s == 4 ? 0 : s + 1);
        set.Comment = "comment " + std::to_string(s);
        for (int k = 1; k <= 21; ++k) {
            set.Factors.FactorName[k] = "name " + std::to_string(k) + " of set " + std::to_string(s);
            set.Factors.FactorCode[k] = "C" + std::to_string(k);
        }
        for (int c = 0; c < set.CombinationCount; ++c) set.Combinations[c].Factor[c + 1] = 1.25f;
    }
    return sets;
}

TEST(FactorFile, ATableIsWrittenWithItsSpareSlotAndReadBackWhole) {
    test::TempDir dir;
    test::MessageRecorder rec;
    const auto sets = WorkingTable();
    const std::string path = dir.File("Library.bmf");
    ASSERT_TRUE(WriteFactorFile(*sets, 4, path));

    // lead-in, title, version, count, five sets
    std::size_t expected = 4 + 2 + 21 + 2 + 4 + 2;
    for (int s = 0; s <= 4; ++s) {
        RecordWriter w;
        w.Record((*sets)[s]);
        expected += w.Bytes().size();
    }
    EXPECT_EQ(test::ReadBytes(path).size(), expected);

    auto working = std::make_unique<CombinationSetTable>();
    (*working)[5].Name = "beyond the file: kept";
    int16_t count = 9;
    ASSERT_TRUE(ReadFactorFile(*working, count, path));
    EXPECT_EQ(count, 4);
    for (int s = 0; s <= 4; ++s) EXPECT_TRUE((*working)[s] == (*sets)[s]) << s;
    EXPECT_EQ((*working)[2].Factors.FactorName[7], "name 7 of set 2");
    EXPECT_EQ((*working)[5].Name, "beyond the file: kept");
    EXPECT_TRUE(rec.Messages.empty());
    EXPECT_EQ(rec.BusyDepth, 0);
}

TEST(FactorFile, ACountOfZeroReadsTheHiddenSetAndBecomesTwo) {
    test::TempDir dir;
    const auto sets = WorkingTable();
    ASSERT_TRUE(WriteFactorFile(*sets, 0, dir.File("Hidden.bmf")));
    auto working = WorkingTable();
    (*working)[0].Name = "replaced";
    (*working)[1].Name = "kept";
    int16_t count = 4;
    ASSERT_TRUE(ReadFactorFile(*working, count, dir.File("Hidden.bmf")));
    EXPECT_EQ(count, 2);
    EXPECT_EQ((*working)[0].Name, "ASD");
    EXPECT_EQ((*working)[1].Name, "kept");
}

TEST(FactorFile, ABadFileLeavesTheWorkingTableAlone) {
    test::TempDir dir;
    const auto sets = WorkingTable();
    ASSERT_TRUE(WriteFactorFile(*sets, 4, dir.File("Library.bmf")));
    const std::string whole = test::ReadBytes(dir.File("Library.bmf"));
    const std::size_t countAt = 4 + 2 + 21 + 2 + 4;

    struct Case {
        const char* what;
        std::string bytes;
        const char* message;
    };
    std::string negative = whole, tooMany = whole, badCombinations = whole, newer = whole;
    newer.replace(newer.find(FileLayoutVersion), 4, "2.61");
    test::PatchInteger(negative, countAt, -1);
    test::PatchInteger(tooMany, countAt, 51);
    test::PatchInteger(badCombinations, countAt + 2 + 5 + 51 * 90, 60);
    const Case cases[] = {
        {"count -1", negative, "-1 combination sets (at least 0)"},
        {"count 51", tooMany, "51 combination sets (at most 50)"},
        {"combination count 60", badCombinations, "60 combinations in a set (at most 51)"},
        {"last byte missing", whole.substr(0, whole.size() - 1), "has length 9 but only 8 bytes follow"},
        {"only the title", whole.substr(0, countAt), "it ends too early"},
        {"written by a newer version", newer, "it was written by a newer version of the program (2.61)"},
        {"zeros as long as the file", std::string(whole.size(), '\0'), "it names no version of the program"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::WriteBytes(dir.File("bad.bmf"), c.bytes);
        test::MessageRecorder rec;
        auto working = WorkingTable();
        (*working)[1].Name = "mine";
        const auto before = std::make_unique<CombinationSetTable>(*working);
        int16_t count = 4;
        EXPECT_FALSE(ReadFactorFile(*working, count, dir.File("bad.bmf")));
        EXPECT_EQ(count, 4);
        EXPECT_TRUE(*working == *before);
        ASSERT_EQ(rec.Messages.size(), 1u);
        EXPECT_EQ(rec.Messages[0].Text.rfind("Not a valid load and resistance factor file: ", 0), 0u);
        EXPECT_NE(rec.Messages[0].Text.find(c.message), std::string::npos) << rec.Messages[0].Text;
    }
}

TEST(FactorFile, AWriteThatCannotHappenSaysSo) {
    test::TempDir dir;
    test::MessageRecorder rec;
    const auto sets = WorkingTable();
    EXPECT_FALSE(WriteFactorFile(*sets, 4, dir.File("missing/Library.bmf")));
    EXPECT_FALSE(WriteFactorFile(*sets, 51, dir.File("Library.bmf")));
    EXPECT_EQ(rec.Messages.size(), 2u);
    EXPECT_EQ(rec.BusyDepth, 0);
}

}  // namespace
}  // namespace brindlemar

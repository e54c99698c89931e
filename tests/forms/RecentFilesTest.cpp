#include <gtest/gtest.h>

#include <vector>

#include "model/Model.h"
#include "forms/RecentFiles.h"

namespace brindlemar {
namespace {

std::vector<std::string> Listed(const Model& m) {
    return std::vector<std::string>(m.RecentFiles.begin() + 1, m.RecentFiles.begin() + 1 + m.RecentFileCount);
}

TEST(RecentFiles, NewestFirstAtMostFourWithoutDuplicates) {
    struct Case {
        const char* what;
        std::vector<std::string> added;
        std::vector<std::string> listed;
    };
    const Case cases[] = {
        {"one file", {"/w/a.bmi"}, {"/w/a.bmi"}},
        {"newest first", {"/w/a.bmi", "/w/b.bmi", "/w/c.bmi"}, {"/w/c.bmi", "/w/b.bmi", "/w/a.bmi"}},
        {"a fifth file pushes the oldest out",
         {"/w/a.bmi", "/w/b.bmi", "/w/c.bmi", "/w/d.bmi", "/w/e.bmi"},
         {"/w/e.bmi", "/w/d.bmi", "/w/c.bmi", "/w/b.bmi"}},
        {"a listed file moves to the top", {"/w/a.bmi", "/w/b.bmi", "/w/c.bmi", "/w/b.bmi"},
         {"/w/b.bmi", "/w/c.bmi", "/w/a.bmi"}},
        {"the oldest of a full list moves up without losing another",
         {"/w/a.bmi", "/w/b.bmi", "/w/c.bmi", "/w/d.bmi", "/w/a.bmi"},
         {"/w/a.bmi", "/w/d.bmi", "/w/c.bmi", "/w/b.bmi"}},
        {"the same file again", {"/w/a.bmi", "/w/a.bmi"}, {"/w/a.bmi"}},
        {"paths differing in case are two files", {"/w/A.bmi", "/w/a.bmi"}, {"/w/a.bmi", "/w/A.bmi"}},
        {"an empty path changes nothing", {"/w/a.bmi", ""}, {"/w/a.bmi"}},
    };
    for (const Case& c : cases) {
        Model m;
        for (const std::string& p : c.added) AddRecentFile(m, p);
        EXPECT_EQ(Listed(m), c.listed) << c.what;
        EXPECT_EQ(m.RecentFiles[0], "") << c.what;
        EXPECT_EQ(m.RecentFiles[5], "") << c.what;
        for (int i = m.RecentFileCount + 1; i <= 4; ++i) EXPECT_EQ(m.RecentFiles[i], "") << c.what;
    }
}

TEST(RecentFiles, CaptionShortensLongFolders) {
    const std::string folder31(31, 'f');
    const std::string folder32 = std::string(2, 'a') + std::string(30, 'z');
    const std::string folder40 = std::string(10, 'a') + "/0123456789/0123456789/0123456";
    EXPECT_EQ(RecentFileCaption(1, folder31, "wall", "bmi"), "&1 " + folder31 + "/wall.bmi");
    EXPECT_EQ(RecentFileCaption(2, folder32, "wall", "bmi"), "&2 ..." + std::string(30, 'z') + "/wall.bmi");
    EXPECT_EQ(RecentFileCaption(3, folder40, "w", "bmi"), "&3 ..." + folder40.substr(10) + "/w.bmi");
    EXPECT_EQ(RecentFileCaption(4, "/tmp/r&d", "a&b", "bmi"), "&4 /tmp/r&&d/a&&b.bmi");
    // characters, not bytes, and never half of one: "\u00e9" is two bytes
    std::string accents31, accents30;
    for (int i = 0; i < 31; ++i) accents31 += "\u00e9";
    for (int i = 0; i < 30; ++i) accents30 += "\u00e9";
    EXPECT_EQ(RecentFileCaption(1, accents31, "w", "bmi"), "&1 " + accents31 + "/w.bmi");
    EXPECT_EQ(RecentFileCaption(1, "/" + accents31, "w", "bmi"), "&1 ..." + accents30 + "/w.bmi");
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/Paths.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

TEST(Paths, NamesComeBackInLowerCase) {
    struct Case {
        const char* path;
        const char* extension;
        const char* baseName;
        const char* directory;
    };
    const Case cases[] = {
        {"C:\\Walls\\Quay Wall.BMI", "bmi", "quay wall", "c:\\walls"},
        {"/home/Ann/Walls/Quay Wall.bmi", "bmi", "quay wall", "/home/ann/walls"},
        {"/home/Ann/Walls/Pier.v2.bmi", "bmi", "pier.v2", "/home/ann/walls"},
        // on Linux a backslash belongs to the name; only a Windows path splits at it
        {"/home/ann/walls\\Pier.bmi", "bmi", "walls\\pier", "/home/ann"},
        {"we\\ird.bmi", "bmi", "we\\ird", ""},
        {"\\\\Server\\Walls\\Quay.bmi", "bmi", "quay", "\\\\server\\walls"},
        {"C:\\Walls\\README", "", "readme", "c:\\walls"},
        // a dot in a folder counts when the file name has none
        {"C:\\My.Walls\\Quay", "walls\\quay", "quay", "c:\\my.walls"},
        {"/srv/x.y/Quay", "y/quay", "quay", "/srv/x.y"},
        {"Quay.bmi", "bmi", "quay", ""},
        {"/Trailing/", "", "", "/trailing"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(GetFileExtension(c.path), c.extension) << c.path;
        EXPECT_EQ(GetFileBaseName(c.path), c.baseName) << c.path;
        EXPECT_EQ(GetFileDirectory(c.path), c.directory) << c.path;
    }
}

TEST(Paths, BackupKeepsTheCaseOfThePath) {
    EXPECT_EQ(BackupFilePath("/home/Ann/Quay Wall.bmi"), "/home/Ann/Quay Wall.BAK");
    EXPECT_EQ(BackupFilePath("C:\\Walls\\Pier.V2.BMI"), "C:\\Walls\\Pier.V2.BAK");
    EXPECT_EQ(BackupFilePath("/home/Ann.Walls/Quay"), "/home/Ann.Walls/Quay.BAK");
    EXPECT_EQ(BackupFilePath("/home/Ann/we\\ird.bmi"), "/home/Ann/we\\ird.BAK");
}

TEST(Paths, FileExistsFindsWhatIsThereUnderItsExactName) {
    test::TempDir dir;
    test::MessageRecorder rec;
    const std::string file = dir.File("Wall.bmi");
    EXPECT_EQ(FileExists(file), 0);
    { std::ofstream(file) << "x"; }
    EXPECT_EQ(FileExists(file), -1);
    EXPECT_TRUE(IsFile(file));
    // a backslash is part of a name, not a folder separator
    EXPECT_EQ(FileExists(dir.Path().string() + "\\Wall.bmi"), 0);
    // a folder is found (the reader then says it is no project file), but is no file
    EXPECT_EQ(FileExists(dir.Path().string()), -1);
    EXPECT_FALSE(IsFile(dir.Path().string()));
    EXPECT_EQ(FileExists(dir.File("no such folder/Wall.bmi")), 0);
    EXPECT_EQ(FileExists(file + "/below a file"), 0);
    EXPECT_EQ(FileExists(""), 0);
    // a name the system cannot look up may be there: the open says why it is not read
    EXPECT_EQ(FileExists(dir.File(std::string(300, 'n') + ".bmi")), -1);
    EXPECT_TRUE(rec.Messages.empty());
}

}  // namespace
}  // namespace brindlemar

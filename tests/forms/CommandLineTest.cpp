#include <gtest/gtest.h>

#include <fstream>

#include "forms/CommandLine.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

TEST(CommandLine, TheFirstArgumentNamesTheFile) {
    test::TempDir dir;
    const std::string spaced = dir.File("quay wall.bmi");
    const std::string folder = dir.Path().string();
    std::ofstream(spaced) << "x";
    std::ofstream(dir.File("north")) << "x";

    struct Case {
        std::vector<std::string> arguments;
        std::string path;
    };
    const Case cases[] = {
        {{}, ""},
        {{"--"}, ""},
        {{"/walls/quay wall.bmi"}, "/walls/quay wall.bmi"},
        {{"\"/walls/quay wall.bmi\""}, "/walls/quay wall.bmi"},
        // opened with a quote and never closed: the last character stays
        {{"\"/walls/quay wall.bmi"}, "/walls/quay wall.bmi"},
        {{"wall.bmi\""}, "wall.bmi\""},
        {{"\""}, ""},
        // the end of options, then the file; a second file is ignored
        {{"--", "wall.bmi"}, "wall.bmi"},
        {{"--", "-wall.bmi"}, "-wall.bmi"},
        {{"one.bmi", "two.bmi"}, "one.bmi"},
        {{"--", "one.bmi", "two.bmi"}, "one.bmi"},
        // a name the shell split at its blank, with or without quotes; a
        // first argument that is a file stands
        {{folder + "/quay", "wall.bmi"}, spaced},
        {{"\"" + folder + "/quay", "wall.bmi\""}, spaced},
        {{"--", folder + "/quay", "wall.bmi"}, spaced},
        {{folder + "/Quay", "wall.bmi"}, folder + "/Quay"},
        {{folder + "/north", "wall.bmi"}, folder + "/north"},
        // bytes that are no UTF-8 pass unchanged
        {{"/walls/Qu\xE9 wall.bmi"}, "/walls/Qu\xE9 wall.bmi"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const std::string& a : c.arguments) shown += "[" + a + "]";
        EXPECT_EQ(CommandLinePath(c.arguments), c.path) << shown;
    }
}

}  // namespace
}  // namespace brindlemar

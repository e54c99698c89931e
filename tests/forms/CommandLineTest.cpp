#include <gtest/gtest.h>

#include "forms/CommandLine.h"

namespace brindlemar {
namespace {

TEST(CommandLine, QuotedAndPlainPaths) {
    struct Case {
        const char* line;
        const char* path;
    };
    const Case cases[] = {
        {"", ""},
        {"/walls/quay wall.bmi", "/walls/quay wall.bmi"},
        {"\"/walls/quay wall.bmi\"", "/walls/quay wall.bmi"},
        // opened with a quote and never closed: the last character stays
        {"\"/walls/quay wall.bmi", "/walls/quay wall.bmi"},
        {"wall.bmi\"", "wall.bmi\""},
        {"\"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CommandLinePath(c.line), c.path) << c.line;
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include "forms/NumberEntry.h"

namespace brindlemar {
namespace {

TEST(NumberEntry, AcceptsOnlyTextsThatAreWholeNumbers) {
    struct Case {
        const char* text;
        bool accepted;
    };
    const Case cases[] = {
        {"2.5", true},   {" 2.5 ", true}, {".5", true},     {"-1", true},    {"1e3", true},
        {"3e38", true},  {"2,5", false},  {"12abc", false}, {"", false},     {"abc", false},
        {"1 2", false},  {"4e38", false}, {"1e999", false}, {"-", false},    {".", false},
    };
    for (const Case& c : cases) EXPECT_EQ(IsAcceptableEntry(c.text), c.accepted) << '"' << c.text << '"';
}

TEST(NumberEntry, StepsRoundToOneDecimalThenMoveByATenth) {
    struct Case {
        const char* text;
        const char* up;
        const char* down;
    };
    const Case cases[] = {
        {"2.34", "2.4", "2.2"},
        {"2.36", "2.5", "2.3"},
        {"0.2", "0.3", "0.1"},
        {"0", "0.1", "0"},
        {"0.04", "0.1", "0"},
        {"0.05", "0.2", "0"},
        {"abc", "0.1", "0"},
        {"", "0.1", "0"},
        {"12abc", "12.1", "11.9"},
        {"-5", "-4.9", "0"},
        {"1e39", "1e39", "1e39"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(StepEntryUp(c.text), c.up) << '"' << c.text << '"';
        EXPECT_EQ(StepEntryDown(c.text), c.down) << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace brindlemar

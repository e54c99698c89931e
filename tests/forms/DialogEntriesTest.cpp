#include <gtest/gtest.h>

#include "forms/DialogEntries.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

TEST(DialogEntries, EachRuleAcceptsOnlyWholeNumbersOnItsSideOfZero) {
    constexpr EntryRule Pos = EntryRule::Positive, Non = EntryRule::NotNegative, Any = EntryRule::AnyNumber;
    struct Case {
        EntryRule rule;
        const char* text;
        bool valid;
    };
    const Case cases[] = {
        {Pos, "2.5", true},    {Pos, "0", false},     {Pos, "-0.1", false}, {Non, "0", true},
        {Non, "-0", true},     {Non, "-1", false},    {Any, "-5", true},    {Any, "1.5E+3", true},
        {Any, " 3 ", true},    {Any, "", false},      {Any, "12a", false},  {Any, "2,5", false},
        {Non, "abc", false},   {Any, "1e39", false},  {Pos, "1e-50", false},  // would be stored as 0
        {Non, "1e-50", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidEntry(c.rule, c.text), c.valid) << '"' << c.text << "\" rule " << static_cast<int>(c.rule);
}

TEST(DialogEntries, ATextStoresItsLeadingNumberAndAnUntouchedTextItsSingle) {
    EXPECT_EQ(EntryValue("12abc"), 12.0f);
    EXPECT_EQ(EntryValue("abc"), 0.0f);
    EXPECT_EQ(EntryValue(""), 0.0f);
    try {
        EntryValue("1e39");
        ADD_FAILURE() << "a number beyond a Single was stored";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Number, ErrOverflow);
    }
    // a text left as it was shown keeps the Single it showed, even one that
    // seven digits cannot give back; an edited text is read afresh
    for (float v : {0.1f, 2.4f, 1.0f / 3.0f, 0.124744f * 0.85f, 24000.0f, 1e-7f, 3.4e38f, -17.25f}) {
        EXPECT_EQ(EntryValue(EntryText(v), v), v) << EntryText(v);
        EXPECT_EQ(EntryValue("2.5", v), 2.5f);
    }
    EXPECT_EQ(EntryValue("0.3333333"), 0.3333333f);
    EXPECT_NE(EntryValue("0.3333333"), 1.0f / 3.0f);
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include "forms/DialogEntries.h"
#include "model/Enums.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

// Each rule takes only whole numbers on its side of zero, and a refusal
// says why in one line.
TEST(DialogEntries, EachRuleAcceptsOnlyWholeNumbersOnItsSideOfZero) {
    constexpr EntryRule Pos = EntryRule::Positive, Non = EntryRule::NotNegative, Any = EntryRule::AnyNumber,
                        Phi = EntryRule::FrictionAngle;
    const std::string positive = "Type a number greater than 0", notNegative = "Type a number of 0 or more",
                      angle = "Type an angle of 0 or more and less than 90";
    const auto noNumber = [](const std::string& text) {
        return "\"" + text + "\" is no number: type digits and a decimal point, such as 2.5";
    };
    struct Case {
        EntryRule rule;
        const char* text;
        std::string refusal;  // empty: taken
    };
    const Case cases[] = {
        {Pos, "2.5", ""},        {Pos, "0", positive},
        {Pos, "-0.1", positive}, {Non, "0", ""},
        {Non, "-0", ""},         {Non, "-1", notNegative},
        {Any, "-5", ""},         {Any, "1.5E+3", ""},
        {Any, " 3 ", ""},        {Any, "", "Type a number"},
        {Any, "  ", "Type a number"},
        {Any, "12a", noNumber("12a")},
        {Any, "2,5", noNumber("2,5")},
        {Non, "abc", noNumber("abc")},
        {Any, "1e39", "Overflow in \"Box\""},
        {Pos, "1e-50", positive},  // would be stored as 0
        {Non, "1e-50", ""},
        {Phi, "0", ""},          {Phi, "89.9", ""},
        {Phi, "90", angle},      {Phi, "95", angle},
        {Phi, "-1", angle},      {Phi, "89.999999", angle},  // a Single of 90
    };
    for (const Case& c : cases)
        EXPECT_EQ(EntryRefusal(c.rule, c.text, "Box"), c.refusal) << '"' << c.text << "\" rule " << static_cast<int>(c.rule);
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

// The theoretical bearing capacity of a weightless soil is 0 without
// cohesion: the method asks for the unit weight; the others need none.
TEST(DialogEntries, TheTheoreticalBearingCapacityNeedsTheBaseUnitWeight) {
    const std::string why = "The theoretical bearing capacity needs the base's unit weight: type a number greater than 0";
    const struct {
        int method;
        const char* weight;
        std::string refusal;
    } cases[] = {
        {TheoreticalBearing, "0", why}, {TheoreticalBearing, "-1.9", why}, {TheoreticalBearing, "1.9", ""},
        {TheoreticalBearing, "abc", ""},   // the box's own rule tells what is no number
        {NominalBearing, "0", ""},        {SptBearing, "0", ""},        {CptBearing, "0", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BearingMethodRefusal(c.method, c.weight), c.refusal) << c.method << " " << c.weight;
}

}  // namespace
}  // namespace brindlemar

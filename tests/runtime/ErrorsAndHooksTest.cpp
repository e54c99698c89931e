#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/Colours.h"
#include "runtime/Hooks.h"
#include "runtime/OneBoxPerError.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "support/ErrorOf.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::ErrorOf;

TEST(CheckedArithmetic, RefusesWhatHasNoValue) {
    EXPECT_EQ(ErrorOf([] { CheckedDivide(1, 0); }), 11);
    EXPECT_EQ(ErrorOf([] { CheckedSqrt(-1e-9); }), 5);
    EXPECT_EQ(ErrorOf([] { CheckedLog(0); }), 5);
    EXPECT_EQ(ErrorOf([] { ToSingle(1e39); }), 6);
    EXPECT_EQ(ErrorOf([] { ToInteger(32767.6); }), 6);
    EXPECT_EQ(ErrorOf([] { CheckedIndex(51, 0, 50); }), 9);
    EXPECT_EQ(ToInteger(2.5), 2);
    EXPECT_EQ(ToInteger(3.5), 4);
    EXPECT_EQ(ToInteger(-32768.4), -32768);
    EXPECT_DOUBLE_EQ(CheckedSqrt(0), 0);
    try {
        CheckedDivide(2, 0);
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.Description, "Division by zero");
    }
}

TEST(Hooks, RecorderAnswersInOrderThenDefault) {
    test::MessageRecorder rec;
    rec.Answer(vbCancel);
    EXPECT_EQ(MsgBox("Save?", vbYesNoCancel + vbExclamation, "Brindlemar"), vbCancel);
    EXPECT_EQ(MsgBox("Again?", vbYesNoCancel), vbYes);
    EXPECT_EQ(MsgBox("Default second", vbYesNo + vbDefaultButton2), vbNo);
    ASSERT_EQ(rec.Messages.size(), 3u);
    EXPECT_EQ(rec.Messages[0].Style, 51);
    EXPECT_EQ(rec.Messages[1].Title, "Brindlemar");
    { BusyPointer busy; EXPECT_EQ(rec.BusyDepth, 1); }
    EXPECT_EQ(rec.BusyDepth, 0);
}

TEST(Hooks, OneBoxPerErrorTellsAFaultOnceAndTheUsersOwnActionsEveryTime) {
    test::MessageRecorder messages;
    const std::string fault = "fault";
    {
        const OneBoxPerError command;
        MsgBox(fault, vbExclamation);
        {
            const OneBoxPerError step;  // an inner scope leaves the filtering to the outer one
            MsgBox(fault, vbExclamation);
        }
        MsgBox(fault, vbExclamation);
        MsgBox("question", vbYesNo);
        MsgBox("question", vbYesNo);
        OneBoxPerError::Unfiltered("paper", vbExclamation, ProductName);
        OneBoxPerError::Unfiltered("paper", vbExclamation, ProductName);
    }
    MsgBox(fault, vbExclamation);  // the next command tells it again
    std::vector<std::string> texts;
    for (const test::RecordedMessage& message : messages.Messages) texts.push_back(message.Text);
    EXPECT_EQ(texts, (std::vector<std::string>{fault, "question", "question", "paper", "paper", fault}));
}

TEST(Colours, PaletteAndRgbPutRedInTheLowByte) {
    EXPECT_EQ(RGB(51, 51, 153), 51 + 51 * 256 + 153 * 65536);
    EXPECT_EQ(QBColor(12), 255);
    EXPECT_EQ(QBColor(1), 128 * 65536);
    EXPECT_EQ(QBColor(8), RGB(128, 128, 128));
    EXPECT_EQ(ErrorOf([] { QBColor(16); }), 5);
}

TEST(Text, Windows1252RoundTrip) {
    const std::string cp = "T/m\xB3 \xB0 \x80";
    EXPECT_EQ(Cp1252ToUtf8(cp), "T/m\u00B3 \u00B0 \u20AC");
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(cp)), cp);
    EXPECT_EQ(Utf8ToCp1252("\u03B3"), "?");
    // a path in a message reads back as the file system spells it
    for (const std::string& path : {std::string("/w/caf\u00E9.BAK"), std::string("/w/\u03C4\u03BF\u03AF\u03C7\u03BF\u03C2.BAK")})
        EXPECT_EQ(Cp1252ToUtf8("in " + PathForMessage(path) + "."), "in " + path + ".");
    EXPECT_EQ(Cp1252ToUtf8(PathForMessage("/w/caf\xE9.BAK")), "/w/caf\u00E9.BAK");
    EXPECT_EQ(LCase("Quay Wall.BMI"), "quay wall.bmi");
    EXPECT_EQ(Trim("  a b "), "a b");
}

}  // namespace
}  // namespace brindlemar

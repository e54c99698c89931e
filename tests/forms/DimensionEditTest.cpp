#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "support/BuiltInWall.h"
#include "forms/DimensionEdit.h"
#include "runtime/RuntimeError.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

// Stands in for the number-entry pop-up: records the text it was opened on
// and answers with the next scripted entry, or Cancel for nullopt.
struct ScriptedPopUp {
    Model& m;
    std::deque<std::optional<std::string>> entries;
    std::vector<std::string> shown;

    void operator()(const std::string&) {
        shown.push_back(m.EditValueText);
        ASSERT_FALSE(entries.empty()) << "the pop-up opened once more than scripted";
        const auto entry = entries.front();
        entries.pop_front();
        if (entry) {
            m.EditValueText = *entry;
            m.DialogCancelled = False;
        } else {
            m.DialogCancelled = True;
        }
    }
};

bool Enter(Model& m, int index, std::deque<std::optional<std::string>> entries,
           std::vector<std::string>* shown = nullptr) {
    ScriptedPopUp popUp{m, std::move(entries), {}};
    const bool stored = EditDimension(m, index, std::ref(popUp));
    if (shown) *shown = popUp.shown;
    EXPECT_TRUE(popUp.entries.empty()) << "the pop-up closed before every entry was used";
    return stored;
}

// What must hold after every edit, whatever was entered.
void ExpectConsistentWall(const Model& m) {
    const double tolerance = 2e-5 * std::max(1.0f, m.WallHeight + m.BaseWidth);
    EXPECT_NEAR(m.BaseWidth,
                double(m.ToeLength) + m.StemFrontBatter + m.StemTopThickness + m.StemBackBatter + m.HeelLength,
                tolerance)
        << "base width is the sum of its parts";
    EXPECT_NEAR(m.WallHeight, double(m.ToeTopDrop) + m.FrontStemHeight + m.ToeTipThickness, tolerance)
        << "wall height is the front sum";
    EXPECT_NEAR(m.WallHeight, double(m.HeelTopDrop) + m.BackStemHeight + m.HeelEndThickness, tolerance)
        << "wall height is the back sum";
    EXPECT_NEAR(m.BaseWidth, double(m.ShearKeyToeDistance) + m.ShearKeyWidth + m.ShearKeyHeelDistance,
                tolerance)
        << "the shear key fills the base";
    for (int i = 0; i < DimensionLabelCount; ++i)
        EXPECT_GE(DimensionValue(m, i), 0.0f) << "label " << i << " holds a negative value";
    EXPECT_GE(m.FrontStemHeight, MinimumStemHeight);
    EXPECT_GE(m.BackStemHeight, MinimumStemHeight);
    EXPECT_LE(m.ShearKeyWidth, m.BaseWidth);
    if (m.WaterIncluded != 0) {
        EXPECT_LE(m.FrontWaterDepth, m.WallHeight + tolerance);
        EXPECT_LE(m.BackWaterDepth, m.WallHeight + tolerance);
    }
}

using Member = float ModelInputs::*;
struct Expected {
    Member member;
    float value;
    const char* name;
};
#define WANT(member, value) Expected{&ModelInputs::member, value, #member}

struct RuleCase {
    const char* what;
    int index;
    const char* entry;
    std::vector<Expected> want;
    std::function<void(Model&)> before = nullptr;
};

// The built-in wall: toe 2, front batter 0.5, stem top 0.83, back batter 0.5,
// heel 3.37, base 7.2; front 1 + 8 + 1, back 1 + 7.73 + 1.27, height 10;
// water at 5 and 1.5; a key 0.6 wide at the heel end (6.6 + 0.6 + 0).
TEST(DimensionEdit, EveryLabelStoresAndRebalances) {
    const RuleCase cases[] = {
        {"toe length widens the base", ToeLengthLabel, "3", {WANT(ToeLength, 3), WANT(BaseWidth, 8.2f), WANT(ShearKeyToeDistance, 7.6f)}},
        {"front batter", StemFrontBatterLabel, "0", {WANT(StemFrontBatter, 0), WANT(BaseWidth, 6.7f)}},
        {"stem top", StemTopThicknessLabel, "1.17", {WANT(StemTopThickness, 1.17f), WANT(BaseWidth, 7.54f)}},
        {"back batter", StemBackBatterLabel, "1", {WANT(StemBackBatter, 1), WANT(BaseWidth, 7.7f)}},
        {"heel length", HeelLengthLabel, "1.37", {WANT(HeelLength, 1.37f), WANT(BaseWidth, 5.2f), WANT(ShearKeyToeDistance, 4.6f)}},
        {"base width 1.0: the toe and the heel give way, then the stem top reaches 0", BaseWidthLabel, "1.0",
         {WANT(BaseWidth, 1), WANT(ToeLength, 0), WANT(HeelLength, 0), WANT(StemTopThickness, 0),
          WANT(StemFrontBatter, 0.5f), WANT(StemBackBatter, 0.5f)}},
        {"base width 0.2: the front batter gives way last", BaseWidthLabel, "0.2",
         {WANT(BaseWidth, 0.2f), WANT(StemTopThickness, 0), WANT(StemFrontBatter, 0), WANT(StemBackBatter, 0.2f),
          WANT(ShearKeyWidth, 0.2f), WANT(ShearKeyToeDistance, 0), WANT(ShearKeyHeelDistance, 0)}},
        {"base width 5: only the toe gives way", BaseWidthLabel, "5", {WANT(ToeLength, 0), WANT(HeelLength, 3.17f)}},
        {"front stem height 0.3 stores 0.5", FrontStemHeightLabel, "0.3",
         {WANT(FrontStemHeight, 0.5f), WANT(WallHeight, 2.5f), WANT(BackStemHeight, 0.5f), WANT(HeelTopDrop, 0.73f),
          WANT(HeelEndThickness, 1.27f), WANT(FrontWaterDepth, 2.5f), WANT(BackWaterDepth, 1.5f)}},
        {"front stem height 12 raises the back stem", FrontStemHeightLabel, "12",
         {WANT(WallHeight, 14), WANT(BackStemHeight, 11.73f), WANT(HeelTopDrop, 1)}},
        {"front stem height so low that the heel top drop and the heel end give way", FrontStemHeightLabel, "0.5",
         {WANT(WallHeight, 0.7f), WANT(BackStemHeight, 0.5f), WANT(HeelTopDrop, 0), WANT(HeelEndThickness, 0.2f)},
         [](Model& m) { m.ToeTopDrop = 0; m.ToeTipThickness = 0.2f; m.FrontStemHeight = 9.8f; }},
        {"toe top drop within the front face", ToeTopDropLabel, "2", {WANT(ToeTopDrop, 2), WANT(FrontStemHeight, 7), WANT(WallHeight, 10)}},
        {"toe top drop eats the toe tip", ToeTopDropLabel, "9", {WANT(FrontStemHeight, 0.5f), WANT(ToeTipThickness, 0.5f), WANT(WallHeight, 10)}},
        {"toe top drop beyond the wall height: the wall grows", ToeTopDropLabel, "12",
         {WANT(ToeTopDrop, 12), WANT(ToeTipThickness, 0), WANT(FrontStemHeight, 0.5f), WANT(WallHeight, 12.5f), WANT(BackStemHeight, 10.23f)}},
        {"toe tip thickness eats the toe top drop", ToeTipThicknessLabel, "9", {WANT(FrontStemHeight, 0.5f), WANT(ToeTopDrop, 0.5f)}},
        {"toe tip thickness beyond the wall height: the wall grows", ToeTipThicknessLabel, "11",
         {WANT(ToeTipThickness, 11), WANT(ToeTopDrop, 0), WANT(FrontStemHeight, 0.5f), WANT(WallHeight, 11.5f), WANT(BackStemHeight, 9.23f)}},
        {"back stem height 0.3 stores 0.5", BackStemHeightLabel, "0.3",
         {WANT(BackStemHeight, 0.5f), WANT(WallHeight, 2.77f), WANT(FrontStemHeight, 0.77f), WANT(ToeTopDrop, 1)}},
        {"back stem height so low that the toe gives way", BackStemHeightLabel, "0.5",
         {WANT(WallHeight, 0.7f), WANT(FrontStemHeight, 0.5f), WANT(ToeTopDrop, 0), WANT(ToeTipThickness, 0.2f)},
         [](Model& m) { m.HeelTopDrop = 0; m.HeelEndThickness = 0.2f; m.BackStemHeight = 9.8f; }},
        {"heel top drop eats the heel end", HeelTopDropLabel, "9", {WANT(BackStemHeight, 0.5f), WANT(HeelEndThickness, 0.5f)}},
        {"heel top drop beyond the wall height: the wall grows", HeelTopDropLabel, "11",
         {WANT(HeelEndThickness, 0), WANT(BackStemHeight, 0.5f), WANT(WallHeight, 11.5f), WANT(FrontStemHeight, 9.5f)}},
        {"heel end thickness eats the heel top drop", HeelEndThicknessLabel, "9", {WANT(BackStemHeight, 0.5f), WANT(HeelTopDrop, 0.5f)}},
        {"heel end thickness beyond the wall height: the wall grows", HeelEndThicknessLabel, "10",
         {WANT(HeelTopDrop, 0), WANT(WallHeight, 10.5f), WANT(FrontStemHeight, 8.5f)}},
        {"front water deeper than the wall is cut to its height", FrontWaterDepthLabel, "12",
         {WANT(FrontWaterDepth, 10), WANT(EnteredFrontWaterDepth, 10)}},
        {"back water", BackWaterDepthLabel, "3", {WANT(BackWaterDepth, 3), WANT(EnteredBackWaterDepth, 3)}},
        {"backfill slope", BackfillSlopeLabel, "0", {WANT(BackfillSlopeRatio, 0)}},
        {"shear key depth needs no re-balancing", ShearKeyDepthLabel, "1.5", {WANT(ShearKeyDepth, 1.5f), WANT(ShearKeyToeDistance, 6.6f)}},
        {"key toe distance", ShearKeyToeDistanceLabel, "1", {WANT(ShearKeyToeDistance, 1), WANT(ShearKeyHeelDistance, 5.6f)}},
        {"key toe distance beyond the base", ShearKeyToeDistanceLabel, "10", {WANT(ShearKeyToeDistance, 6.6f), WANT(ShearKeyHeelDistance, 0)}},
        {"key width", ShearKeyWidthLabel, "2", {WANT(ShearKeyWidth, 2), WANT(ShearKeyToeDistance, 5.2f), WANT(ShearKeyHeelDistance, 0)}},
        {"key wider than the base fills it", ShearKeyWidthLabel, "8",
         {WANT(ShearKeyWidth, 7.2f), WANT(ShearKeyToeDistance, 0), WANT(ShearKeyHeelDistance, 0)}},
        {"key widening pushes the heel distance", ShearKeyWidthLabel, "7",
         {WANT(ShearKeyToeDistance, 0), WANT(ShearKeyHeelDistance, 0.2f)},
         [](Model& m) { m.ShearKeyToeDistance = 5.6f; m.ShearKeyHeelDistance = 1; }},
        {"key heel distance", ShearKeyHeelDistanceLabel, "1", {WANT(ShearKeyHeelDistance, 1), WANT(ShearKeyToeDistance, 5.6f)}},
        {"key heel distance beyond the base", ShearKeyHeelDistanceLabel, "10", {WANT(ShearKeyHeelDistance, 6.6f), WANT(ShearKeyToeDistance, 0)}},
        {"wall height 12: both stems grow", WallHeightLabel, "12", {WANT(FrontStemHeight, 10), WANT(BackStemHeight, 9.73f)}},
        {"wall height 0.3 stores 0.5 and removes toe and heel", WallHeightLabel, "0.3",
         {WANT(WallHeight, 0.5f), WANT(FrontStemHeight, 0.5f), WANT(ToeTopDrop, 0), WANT(ToeTipThickness, 0),
          WANT(BackStemHeight, 0.5f), WANT(HeelTopDrop, 0), WANT(HeelEndThickness, 0), WANT(ToeLength, 0),
          WANT(HeelLength, 0), WANT(BaseWidth, 1.83f), WANT(ShearKeyToeDistance, 1.23f), WANT(FrontWaterDepth, 0.5f),
          WANT(BackWaterDepth, 0.5f)}},
        {"an entry is stored as the label shows it", ToeLengthLabel, "2.3456", {WANT(ToeLength, 2.35f), WANT(BaseWidth, 7.55f)}},
        // edits that build on earlier ones
        {"a toe with some thickness left keeps its length", ToeTopDropLabel, "0", {WANT(ToeLength, 2)}},
        {"removing the toe shrinks the base", ToeTipThicknessLabel, "0",
         {WANT(ToeLength, 0), WANT(BaseWidth, 5.2f), WANT(FrontStemHeight, 10)},
         [](Model& m) { Enter(m, ToeTopDropLabel, {"0"}); }},
        {"removing toe and heel leaves the stem", HeelEndThicknessLabel, "0",
         {WANT(HeelLength, 0), WANT(BaseWidth, 1.83f), WANT(ShearKeyToeDistance, 1.23f)},
         [](Model& m) {
             for (int label : {ToeTopDropLabel, ToeTipThicknessLabel, HeelTopDropLabel}) Enter(m, label, {"0"});
         }},
        {"without water the levels sit at the base and the entered depths stay", WallHeightLabel, "8",
         {WANT(FrontWaterDepth, 8), WANT(BackWaterDepth, 8), WANT(EnteredFrontWaterDepth, 5), WANT(EnteredBackWaterDepth, 12)},
         [](Model& m) { m.WaterIncluded = False; m.EnteredFrontWaterDepth = 5; m.EnteredBackWaterDepth = 12; }},
        {"water levels follow a lower wall", WallHeightLabel, "4",
         {WANT(FrontWaterDepth, 4), WANT(EnteredFrontWaterDepth, 4), WANT(BackWaterDepth, 1.5f)},
         [](Model& m) { Enter(m, FrontWaterDepthLabel, {"9.5"}); }},
        {"narrowing the base below the key width keeps the key inside", BaseWidthLabel, "1.5",
         {WANT(ShearKeyWidth, 1.5f), WANT(ShearKeyToeDistance, 0), WANT(ShearKeyHeelDistance, 0)},
         [](Model& m) { Enter(m, ShearKeyWidthLabel, {"3"}); }},
    };
    for (const RuleCase& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        if (c.before) c.before(w.m);
        w.m.ProjectModified = False;
        EXPECT_TRUE(Enter(w.m, c.index, {c.entry}));
        for (const Expected& e : c.want) {
            if (e.value == 0) EXPECT_EQ(w.m.*e.member, 0.0f) << e.name;  // a part removed is gone, not nearly
            else EXPECT_NEAR(w.m.*e.member, e.value, 1e-6) << e.name;
        }
        EXPECT_EQ(w.m.ProjectModified, True);
        EXPECT_EQ(w.m.DialogCancelled, False);
        ExpectConsistentWall(w.m);
    }
}

// Any order of edits keeps the wall whole: a fixed pseudo-random walk over
// every label with values from 0 to well beyond the wall's size.
TEST(DimensionEdit, LongSequencesOfEditsKeepTheWallConsistent) {
    const char* values[] = {"0", "0.01", "0.3", "0.5", "0.6", "1", "2.3456", "5", "7.2", "12", "40"};
    for (int16_t water : {True, False}) {
        test::BuiltInWall w;
        w.m.WaterIncluded = water;
        unsigned state = 12345;
        for (int step = 0; step < 3000; ++step) {
            state = state * 1103515245u + 12345u;
            const int index = static_cast<int>((state >> 8) % DimensionLabelCount);
            const char* value = values[(state >> 20) % std::size(values)];
            Enter(w.m, index, {value});
            SCOPED_TRACE("step " + std::to_string(step) + ": label " + std::to_string(index) + " = " + value);
            ExpectConsistentWall(w.m);
            if (HasFailure()) return;
        }
    }
}

TEST(DimensionEdit, PopUpOpensOnTheLabelValueAndRefusesNegativeEntries) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    Model& m = w.m;
    std::vector<std::string> shown;
    EXPECT_TRUE(Enter(m, StemTopThicknessLabel, {"-1", "-0.001", "1.2"}, &shown));
    EXPECT_EQ(shown, (std::vector<std::string>{"0.83", "0.83", "0.83"}));
    EXPECT_EQ(messages.Beeps, 2);
    EXPECT_FLOAT_EQ(m.StemTopThickness, 1.2f);

    // a value the label shows rounded opens rounded
    m.ToeLength = 2.3456f;
    Enter(m, ToeLengthLabel, {std::nullopt}, &shown);
    EXPECT_EQ(shown, std::vector<std::string>{"2.35"});
}

TEST(DimensionEdit, CancelChangesNothingAndAlwaysLeaves) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    Model& m = w.m;
    m.ProjectModified = False;
    const float base = m.BaseWidth;
    EXPECT_FALSE(Enter(m, BaseWidthLabel, {std::nullopt}));
    EXPECT_EQ(m.BaseWidth, base);
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(m.DialogCancelled, False);

    // a negative value read from a file: Cancel still leaves at the first try
    m.BackfillSlopeRatio = -2;
    std::vector<std::string> shown;
    EXPECT_FALSE(Enter(m, BackfillSlopeLabel, {std::nullopt}, &shown));
    EXPECT_EQ(shown, std::vector<std::string>{"-2"});
    EXPECT_EQ(m.BackfillSlopeRatio, -2);
    EXPECT_EQ(messages.Beeps, 0);
}

TEST(DimensionEdit, AValueTooLargeToStoreChangesNothing) {
    test::MessageRecorder messages;
    test::BuiltInWall w;
    Model& m = w.m;
    EXPECT_TRUE(Enter(m, HeelLengthLabel, {"2e38"}));
    m.ProjectModified = False;
    // the entry fits a stored value, the base width it would make does not
    EXPECT_FALSE(Enter(m, ToeLengthLabel, {"2e38"}));
    EXPECT_FLOAT_EQ(m.ToeLength, 2);
    EXPECT_FLOAT_EQ(m.HeelLength, 2e38f);
    EXPECT_EQ(m.ProjectModified, False);
    ASSERT_EQ(messages.Messages.size(), 1u);
    EXPECT_EQ(messages.Messages[0].Text, "Overflow");
    EXPECT_EQ(messages.Messages[0].Style, vbExclamation);
}

TEST(DimensionEdit, LabelIndexOutsideTheArrayIsRefused) {
    test::BuiltInWall w;
    EXPECT_THROW(DimensionValue(w.m, DimensionLabelCount), RuntimeError);
    EXPECT_EQ(DimensionCaption(w.m, BaseWidthLabel), "7.20");
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include "forms/StatusPanel.h"

namespace brindlemar {
namespace {

// A stable wall 7.2 m wide with every resistance factor 1.
StatusInputs Stable() {
    StatusInputs in;
    in.WallStable = true;
    in.BE = in.FC = in.EP = in.RH = in.EX = in.RO = 1;
    in.BearingResistanceRatio = 2.31f;
    in.SlidingResistanceRatio = 1.52f;
    in.RotationResistanceRatio = 1e10f;
    in.Eccentricity = 0.41f;
    in.BaseWidth = 7.2f;
    in.BearingPressureWidth = 7.2f;
    in.LengthUnit = "m";
    return in;
}

std::string Line(const StatusTexts& t) {
    std::string line;
    for (const std::string& piece : t.Ratios) line += piece;
    return line;
}

TEST(StatusPanel, StableWallReadsAsOneLine) {
    const StatusTexts t = ComputeStatusTexts(Stable());
    EXPECT_EQ(t.Verdict, "STABLE");
    EXPECT_FALSE(t.VerdictRed);
    // eccentricity ratio 3.6 / 0.41 = 8.78; |e| / (B/2) = 0.114
    EXPECT_EQ(Line(t),
              "[Resistance/load ratios: bearing = 2.31, sliding = 1.52, eccentricity = 8.78, rotation = ~] "
              "[e = 0.41 m = 0.11 \xBD" "B] [100.0%]");
    for (bool red : t.Red) EXPECT_FALSE(red);
}

TEST(StatusPanel, UnstableWallShowsTheVerdictOnlyInRed) {
    StatusInputs in = Stable();
    in.WallStable = false;
    const StatusTexts t = ComputeStatusTexts(in);
    EXPECT_EQ(t.Verdict, "NOT STABLE");
    EXPECT_TRUE(t.VerdictRed);
    for (const std::string& piece : t.Ratios) EXPECT_EQ(piece, "");
}

TEST(StatusPanel, NoResultIsNoVerdictAndSaysWhy) {
    StatusInputs in = Stable();
    in.WallStable = false;
    in.NoResultReason = "Division by zero";
    const StatusTexts t = ComputeStatusTexts(in);
    EXPECT_EQ(t.Verdict, "NO RESULT");
    EXPECT_TRUE(t.VerdictRed);
    EXPECT_EQ(Line(t), "Division by zero");
    // the cause, without the consequence the verdict already states
    in.NoResultReason = "The acceleration is too large: no seismic earth pressure can be computed.";
    EXPECT_EQ(Line(ComputeStatusTexts(in)), "The acceleration is too large");
}

TEST(StatusPanel, RatiosBelowOneAreRedAndLargeOnesUnbounded) {
    struct Case {
        const char* what;
        float sliding;
        const char* text;
        bool red;
    } cases[] = {
        {"just below one", 0.99f, ", sliding = 0.99", true},
        {"exactly one", 1.0f, ", sliding = 1.00", false},
        {"largest shown", 99.99f, ", sliding = 99.99", false},
        {"above it", 100.0f, ", sliding = ~", false},
        {"no sliding force", 1e10f, ", sliding = ~", false},
    };
    for (const Case& c : cases) {
        StatusInputs in = Stable();
        in.SlidingResistanceRatio = c.sliding;
        in.BearingResistanceRatio = c.sliding;
        const StatusTexts t = ComputeStatusTexts(in);
        EXPECT_EQ(t.Ratios[2], c.text) << c.what;
        EXPECT_EQ(t.Red[2], c.red) << c.what;
        EXPECT_EQ(t.Red[1], c.red) << c.what;
    }
    StatusInputs in = Stable();
    in.Eccentricity = -4.0f;  // ratio 3.6 / 4 = 0.9, resultant towards the toe
    const StatusTexts t = ComputeStatusTexts(in);
    EXPECT_EQ(t.Ratios[3], ", eccentricity = 0.90");
    EXPECT_TRUE(t.Red[3]);
    EXPECT_EQ(t.Ratios[5], "] [e = -4.00 m = 1.11 \xBD" "B] [100.0%]");
}

TEST(StatusPanel, FactorsOfZeroLeaveTheirRatiosOut) {
    StatusInputs in = Stable();
    in.FC = in.EP = in.RH = in.EX = in.RO = 0;
    const StatusTexts t = ComputeStatusTexts(in);
    EXPECT_EQ(t.Ratios[0], "");
    EXPECT_EQ(t.Ratios[1], " bearing = 2.31");
    EXPECT_EQ(t.Ratios[2], "");
    EXPECT_EQ(t.Ratios[3], "");
    EXPECT_EQ(t.Ratios[4], "");
    EXPECT_EQ(t.Ratios[5], "[e = 0.41 m = 0.11 \xBD" "B] [100.0%]");

    StatusInputs passiveOnly = Stable();
    passiveOnly.BE = passiveOnly.FC = passiveOnly.RH = passiveOnly.EX = passiveOnly.RO = 0;
    const StatusTexts p = ComputeStatusTexts(passiveOnly);
    EXPECT_EQ(p.Ratios[0], "[Resistance/load ratios:");
    EXPECT_EQ(p.Ratios[1], "");
    EXPECT_EQ(p.Ratios[2], ", sliding = 1.52");
}

TEST(StatusPanel, CentredResultantAndNoBaseDivideByNothing) {
    StatusInputs in = Stable();
    in.Eccentricity = 0;
    in.BearingPressureWidth = 3.6f;
    StatusTexts t = ComputeStatusTexts(in);
    EXPECT_EQ(t.Ratios[3], ", eccentricity = ~");
    EXPECT_FALSE(t.Red[3]);
    EXPECT_EQ(t.Ratios[5], "] [e = 0.00 m = 0.0 \xBD" "B] [50.0%]");

    in.BaseWidth = 0;
    t = ComputeStatusTexts(in);
    EXPECT_EQ(t.Ratios[5], "] [e = 0.00 m = ~ \xBD" "B] [~%]");
}

}  // namespace
}  // namespace brindlemar

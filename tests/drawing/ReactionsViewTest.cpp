#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "ViewTestSupport.h"
#include "drawing/AnalysisViews.h"
#include "drawing/ForceArrows.h"
#include "drawing/ReactionsView.h"
#include "drawing/ResistancesView.h"
#include "runtime/Colours.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::SurfaceCall;
using test::ViewPicture;

TEST(ReactionsView, EccentricityZonesIncludeTheirLimits) {
    struct Case {
        double e;
        int32_t want;
    };
    // base 6: the half base is 3, the zone limits 1, 1.5, 2 and 2.5
    const Case cases[] = {
        {0, RGB(0, 255, 0)},          {1, RGB(0, 255, 0)},       {-1, RGB(0, 255, 0)},
        {1.0001, RGB(180, 255, 0)},   {1.5, RGB(180, 255, 0)},   {2, RGB(255, 255, 0)},
        {2.5, RGB(255, 204, 0)},      {2.5001, RGB(255, 0, 0)},  {4, RGB(255, 0, 0)},
    };
    for (const Case& c : cases) EXPECT_EQ(EccentricityZoneColour(c.e, 6), c.want) << c.e;
    // e = B/6 of a base whose sixth is no exact binary number is still green
    EXPECT_EQ(EccentricityZoneColour(7.2f / 6, 7.2f), RGB(0, 255, 0));
}

TEST(ReactionsView, ResultantPointsTheWayItActsAndTheBaseForceTheWayHActs) {
    struct Case {
        double H, V;
    };
    // H > 0 acts towards the heel (right), V > 0 downwards
    const Case cases[] = {{-3, 4}, {3, 4}, {-3, -4}, {3, -4}, {0, 5}, {5, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "H " << c.H << " V " << c.V);
        ViewPicture p;
        p.m.TotalHorizontalForce = static_cast<float>(c.H);
        p.m.TotalVerticalForce = static_cast<float>(c.V);
        p.m.EccentricityFromOverturningPoint = 3;
        p.m.LeftBearingPressure = p.m.RightBearingPressure = 0;
        DrawReactionsView(p.m, p.s);
        const double px = p.X(4) + 3.0 * p.s.Drawing().DrawingScale, py = p.Y(4), R = std::hypot(c.H, c.V);
        bool found = false;
        for (const SurfaceCall& line : p.LinesTo(px, py)) {
            if (std::fabs(std::hypot(line.X1 - px, line.Y1 - py) - 960) > 1e-3) continue;
            found = true;
            EXPECT_NEAR((px - line.X1) / 960, c.H / R, 1e-6);
            EXPECT_NEAR((py - line.Y1) / 960, c.V / R, 1e-6);
        }
        EXPECT_TRUE(found);
        EXPECT_NE(p.s.FindText("5.00R"), nullptr);
        // the horizontal force from the same point (a twip within the base), 480 long
        const auto lines = p.s.Of("Line");
        const bool level = std::any_of(lines.begin(), lines.end(), [&](const SurfaceCall& l) {
            return std::fabs(l.X1 - px) < 1e-6 && std::fabs(l.Y1 - py) <= 1 && l.Y2 == l.Y1 &&
                   std::fabs(l.X2 - (px + 480 * (c.H > 0 ? 1 : -1))) < 1e-6;
        });
        EXPECT_EQ(level, c.H != 0);
    }
}

TEST(ReactionsView, ValuesReadOnAWhiteGroundTheBaseForceAboveTheBand) {
    // the load values stand over the concrete of the base and the soil
    // under it; the band of zones runs just above the base force's shaft
    for (const int outlinePen : {1, 2, 4}) {
        SCOPED_TRACE(outlinePen);
        ViewPicture p;
        p.s.Drawing().OutlinePenWidth = outlinePen;
        p.m.TotalHorizontalForce = -86.88f;
        p.m.TotalVerticalForce = 100;
        p.m.EccentricityFromOverturningPoint = 1.5;
        p.m.LeftBearingPressure = 57.43f;
        p.m.BearingContactEnd = 4.5f;
        SetReactionsArrowScale(p.m, p.s);
        DrawReactionsView(p.m, p.s);
        const auto& calls = p.s.Calls;
        int values = 0;
        for (auto text = calls.begin(); text != calls.end(); ++text) {
            // (the resultant's value keeps the bright colour of its zone, which reads on the concrete)
            if (text->Kind != "Print" || !std::isdigit(static_cast<unsigned char>(text->Text[0])) ||
                text->Text.back() == 'R')
                continue;
            SCOPED_TRACE(text->Text);
            ++values;
            // the white ground is laid just before the text, under the whole of it
            ASSERT_NE(text, calls.begin());
            const SurfaceCall& ground = *(text - 1);
            EXPECT_EQ(ground.Kind, "FilledBox");
            EXPECT_EQ(ground.Colour, RGB(255, 255, 255));
            EXPECT_NEAR(ground.X1, text->X1, 1e-9);
            EXPECT_NEAR(ground.Y1, text->Y1, 1e-9);
            EXPECT_NEAR(ground.X2, text->X1 + p.s.TextWidth(text->Text), 1e-9);
            EXPECT_GE(ground.Y2, text->Y1 + 20 * text->FontSize - 1e-9);
            if (text->Text == "86.88") {
                const double bandTop = p.Y(4) - 30 - std::nearbyint(1.5 * outlinePen) * 15 / 2;
                EXPECT_LE(text->Y1 + 20 * text->FontSize, bandTop - 30);
            }
        }
        EXPECT_EQ(values, 2) << "the base force and the toe pressure";
    }
}

TEST(ReactionsView, NoContactDrawsNoBasePressureAndZeroPressuresKeepTheScale) {
    ViewPicture p;
    p.m.TotalVerticalForce = 10;
    p.s.Drawing().LoadArrowScale = 7;
    p.m.BearingContactStart = 0;
    p.m.BearingContactEnd = p.m.BaseWidth;
    SetReactionsArrowScale(p.m, p.s);
    EXPECT_EQ(p.s.Drawing().LoadArrowScale, 7);
    DrawReactionsView(p.m, p.s);
    for (const SurfaceCall& c : p.s.Of("Line")) EXPECT_NE(c.Y2, p.Y(4) + 45);

    p.m.LeftBearingPressure = 12;
    p.m.RightBearingPressure = 48;
    SetReactionsArrowScale(p.m, p.s);
    EXPECT_EQ(p.s.Drawing().LoadArrowScale, 10);
}

TEST(ResistancesView, PassiveValuesAreFactoredAsTheirLengthsAre) {
    ViewPicture p;
    test::MessageRecorder messages;
    p.m.CombinationSets[1].Combinations[0].Factor[EP] = 1.5f;
    PrepareCombination(p.m);
    SetResistancesArrowScale(p.m, p.s);
    DrawResistancesView(p.m, p.s);
    const auto& pp = p.m.PassivePressureOrdinates;
    ASSERT_GT(pp[3], 0);
    EXPECT_NE(p.s.FindText(LoadValueText(1.5 * pp[2])), nullptr);
    EXPECT_NE(p.s.FindText(LoadValueText(1.5 * pp[3])), nullptr);
    EXPECT_EQ(p.s.FindText(LoadValueText(pp[3])), nullptr);
    // the key's pressure at its bottom is drawn ForceArrowLength times the factor
    const double bottom = p.Y(4) + p.s.Drawing().DrawingScale * p.m.ShearKeyDepth;
    EXPECT_NE(p.s.Calls.end(), std::find_if(p.s.Calls.begin(), p.s.Calls.end(), [&](const SurfaceCall& c) {
                  return c.Kind == "Line" && std::fabs(c.Y1 - bottom) < 1e-3 && std::fabs(c.X1 - c.X2 - 720) < 1e-2;
              }));

    // without passive toe pressure only the key's trapezoid is left
    ViewPicture q;
    q.m.PassiveToePressureIncluded = 0;
    PrepareCombination(q.m);
    DrawResistancesView(q.m, q.s);
    EXPECT_EQ(q.s.FindText(LoadValueText(q.m.PassivePressureOrdinates[1])), nullptr);
    EXPECT_NE(q.s.FindText(LoadValueText(q.m.PassivePressureOrdinates[3])), nullptr);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(ResistancesView, AWallThatIsNotStableShowsNoBaseFriction) {
    ViewPicture p;
    test::MessageRecorder messages;
    p.m.LineLoadCount = 1;
    p.m.LineLoads[1] = {500, 2.9f, 10, 270, DL};   // pushes the wall over towards the toe
    PrepareCombination(p.m);
    DrawAnalysisView(p.m, p.s, ResistancesView);
    ASSERT_EQ(p.m.WallStable, False);
    // (the key's passive pressure stands in front of the toe, left of the base)
    for (const SurfaceCall& c : p.s.Of("Line"))
        EXPECT_FALSE(c.X1 > p.X(4) && c.Y1 == p.Y(4) && c.Y2 == p.Y(4) && c.Colour == p.m.ResistanceColour);
    EXPECT_NE(p.s.FindText("The wall is not stable"), nullptr);
}

}  // namespace
}  // namespace brindlemar

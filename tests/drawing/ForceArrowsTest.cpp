#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "drawing/ForceArrows.h"
#include "drawing/PressureTrapezoids.h"
#include "support/RecordingSurface.h"

namespace brindlemar {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;

// Texts are 100 twips a character and 200 high (20 x FontSize 10); arrows 480 long, heads 60.
TEST(ForceArrows, InclinedForceRunsFromItsPointWithItsValueBesideTheShaft) {
    struct Case {
        const char* what;
        double degrees, magnitude;
        double endX, endY, textX, textY;
    };
    const Case cases[] = {
        {"0 degrees points up, text right of the middle", 0, 5, 1000, 520, 1030, 660},
        {"90 degrees points right, text above the middle", 90, 5, 1480, 1000, 940, 770},
        {"a negative force at 90 degrees points left", 90, -5, 520, 1000, 460, 770},
        {"180 degrees points down, text right of the middle", 180, 5, 1000, 1480, 1030, 1140},
    };
    Model m;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingSurface s;
        DrawInclinedForce(s, 1000, 1000, c.magnitude, c.degrees * std::atan(1.0) / 45, "DL", 1, 2, 2);
        const SurfaceCall shaft = s.Of("Line").front();
        EXPECT_NEAR(shaft.X1, 1000, 1e-9);
        EXPECT_NEAR(shaft.X2, c.endX, 1e-9);
        EXPECT_NEAR(shaft.Y2, c.endY, 1e-9);
        ASSERT_EQ(s.Texts(), std::vector<std::string>{"5.00DL"});
        EXPECT_NEAR(s.Of("Print")[0].X1, c.textX, 1e-9);
        EXPECT_NEAR(s.Of("Print")[0].Y1, c.textY, 1e-9);
    }
}

TEST(ForceArrows, InclinedTextStandsClearOfItsShaftAtEveryAngle) {
    Model m;
    for (int degrees = 0; degrees < 360; degrees += 15) {
        SCOPED_TRACE(degrees);
        RecordingSurface s;
        DrawInclinedForce(s, 5000, 5000, 12.5, degrees * std::atan(1.0) / 45, "LL", 1, 2, 2);
        const SurfaceCall shaft = s.Of("Line").front(), text = s.Of("Print").front();
        for (int i = 0; i <= 100; ++i) {
            const double x = shaft.X1 + (shaft.X2 - shaft.X1) * i / 100, y = shaft.Y1 + (shaft.Y2 - shaft.Y1) * i / 100;
            EXPECT_FALSE(x > text.X1 && x < text.X2 && y > text.Y1 && y < text.Y1 + 200) << i;
        }
    }
}

TEST(ForceArrows, LevelAndUprightArrowsAndForcesTooSmallToDraw) {
    Model m;
    RecordingSurface s;
    DrawInclinedForce(s, 0, 0, 9E-6, 0, "DL", 1, 2, 2);
    DrawHorizontalLoadArrow(s, 0, 0, 0, "EQ", 1, 2, 2);
    DrawVerticalLoadArrow(s, 0, 0, 0, "DL", 1, 2, 2);
    EXPECT_TRUE(s.Calls.empty());

    DrawHorizontalLoadArrow(s, 1000, 1000, -3, "EQ", 1, 2, 2);
    EXPECT_EQ(s.Of("Line").front().X2, 520);
    EXPECT_EQ(s.Of("Print").front().X1, 760 - 300);
    EXPECT_EQ(s.Of("Print").front().Y1, 1000 - 200 - 30);
    s.Calls.clear();
    DrawVerticalLoadArrow(s, 1000, 1000, 3, "DL", 1, 2, 2);
    EXPECT_EQ(s.Of("Line").front().Y2, 1480);
    EXPECT_EQ(s.Of("Print").front().X1, 1015);
    EXPECT_EQ(s.Of("Print").front().Y1, 1240 - 115);   // centred on the shaft's middle
}

// The heads of the arrows of a trapezoid on the vertical line x: y and length of each.
std::vector<std::pair<double, double>> ArrowsOnto(const RecordingSurface& s, double x) {
    std::vector<std::pair<double, double>> out;
    for (const SurfaceCall& c : s.Of("Line"))
        if (c.X2 == x && c.Y1 == c.Y2 && c.X1 != x) out.emplace_back(c.Y2, x - c.X1);
    return out;
}

TEST(PressureTrapezoids, ArrowsStandOnTheGridOfTheFrameWhicheverWayTheEndsAreGiven) {
    Model m;
    RecordingSurface down, up;
    DrawPressureTrapezoidV(down, 1000, 1300, 5000, 100, 400, "1.00", "4.00", 1, 2, 1);
    DrawPressureTrapezoidV(up, 1300, 1000, 5000, 400, 100, "4.00", "1.00", 1, 2, 1);
    const std::vector<std::pair<double, double>> want = {{1020, 120}, {1080, 180}, {1140, 240}, {1200, 300},
                                                         {1260, 360}};
    EXPECT_EQ(ArrowsOnto(down, 5000), want);
    auto reversed = ArrowsOnto(up, 5000);
    std::sort(reversed.begin(), reversed.end());
    EXPECT_EQ(reversed, want);
    // texts beyond the outer ends, the upper one from 15 above its end, the lower one ending on its end
    EXPECT_EQ(down.FindText("1.00")->X1, 5000 - 100 - 15 - 400);
    EXPECT_EQ(down.FindText("1.00")->Y1, 1000 - 15);
    EXPECT_EQ(down.FindText("4.00")->Y1, 1300 - 200);

    RecordingSurface flat;
    DrawPressureTrapezoidH(flat, 1000, 1250, 3000, 100, 100, "a", "b", 1, 2, 1);
    EXPECT_EQ(flat.Of("Line").size(), 4u * 3 + 4);   // four arrows of shaft and two barbs, and the outline
    EXPECT_EQ(flat.FindText("a")->X1, 1000);
    EXPECT_EQ(flat.FindText("b")->X2, 1250);
    EXPECT_EQ(flat.FindText("a")->Y1, 3000 - 100 - 15 - 200);
}

TEST(PressureTrapezoids, NothingForNoPressureOrNoHeightNotEvenTheTexts) {
    Model m;
    RecordingSurface s;
    DrawPressureTrapezoidV(s, 1000, 2000, 5000, 1E-5, -1E-5, "0.00", "0.00", 1, 2, 1);
    DrawPressureTrapezoidV(s, 1000, 1000 + 9E-6, 5000, 100, 200, "1.00", "2.00", 1, 2, 1);
    DrawPressureTrapezoidH(s, 1000, 1000, 3000, 100, 200, "1.00", "2.00", 1, 2, 1);
    EXPECT_TRUE(s.Calls.empty());
}

}  // namespace
}  // namespace brindlemar

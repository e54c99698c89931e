// Values the label layer can stand nowhere near what they label, judged by
// the label checks, and the checks' rule for the long leaders it draws.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>

#include "drawing/LabelLayer.h"
#include "support/LabelChecks.h"
#include "support/PlaneGeometry.h"
#include "support/RecordingSurface.h"

namespace brindlemar {
namespace {

// A text of the recording surface at 10 points is 230 twips high, "5.00DL" 600 wide.
constexpr double kHeight = 230;

TEST(LabelLayer, ValueWithNoRoomByItsArrowIsLedOutClearOfOtherThings) {
    test::RecordingSurface s(10000, 8000);
    std::tie(s.Drawing().FrameWidth, s.Drawing().FrameHeight) = std::pair(10000, 8000);
    s.FontSize = 10;
    {
        LabelLayer layer = ViewLabelLayer(s);
        {
            // another thing around the arrow: a channel 300 wide, open only 2000 above it
            const DrawnFor channel(layer);
            layer.Line(4850, 3000, 4850, 6000);
            layer.Line(4850, 6000, 5150, 6000);
            layer.Line(5150, 6000, 5150, 3000);
        }
        const DrawnFor arrow(layer);
        layer.Line(5000, 5000, 5000, 5480);
        NextTextLabels(layer, 5000, 5000, 5000, 5480, LabelLayer::WhenCrowded::Leader, true);
        layer.CurrentX = 5100;
        layer.CurrentY = 5125;
        layer.Print("5.00DL");
    }
    std::vector<std::string> asRead;
    EXPECT_EQ(test::LabelFaults(s.Calls, {{}, true, &asRead, {}, 0, false}), std::vector<std::string>{});
    EXPECT_EQ(asRead, std::vector<std::string>{});
    // out of the channel: farther than a short leader of six heights reaches
    const std::vector<test::SurfaceCall> lines = s.Of("Line");
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const test::SurfaceCall& l) {
        return l.Part == PartLeader && std::hypot(l.X2 - l.X1, l.Y2 - l.Y1) > 6 * kHeight;
    }));
}

TEST(LabelLayer, ValueWhoseOnlyWaysOutCrossAnotherLeaderCrossesNoLineOfAnotherThing) {
    // Texts fill the picture but for a channel one text high from the arrow
    // (3050, 2430)-(3050, 2480) to a room past x = 3700, across which an earlier
    // value's leader runs down at x = 3350. A wall stands in the room's
    // mouth below y = 2400: the nearest spot in the room is behind it, one
    // a little higher is led to over it.
    test::RecordingSurface s(10000, 8000);
    std::tie(s.Drawing().FrameWidth, s.Drawing().FrameHeight) = std::pair(10000, 8000);
    s.FontSize = 10;
    // the channel, the earlier value's strip and its spot, the room
    const TextBox open[] = {{3000, 2300, 700, 230}, {3300, 1840, 100, 920}, {3000, 2760, 900, 460},
                            {3700, 1840, 1000, 1150}};
    const test::Stretch wall{3720, 2400, 3720, 2600};
    {
        LabelLayer layer = ViewLabelLayer(s);
        layer.PrintInPlace(true);
        for (double x = 0; x < 9900; x += 100)
            for (double y = 0; y < 7800; y += 230)
                if (std::none_of(std::begin(open), std::end(open),
                                 [&](const TextBox& o) { return test::BoxesOverlap(o, {x, y, 100, 230}); })) {
                    layer.CurrentX = x;
                    layer.CurrentY = y;
                    layer.Print("X");
                }
        layer.PrintInPlace(false);
        {
            const DrawnFor other(layer);
            layer.Line(wall.x1, wall.y1, wall.x2, wall.y2);
        }
        {
            // the earlier value, asked for in the spot below the channel, is led up the strip to its point
            const DrawnFor point(layer);
            layer.Line(3345, 1900, 3355, 1900);
            NextTextLabels(layer, 3345, 1900, 3355, 1900);
            layer.CurrentX = 3150;
            layer.CurrentY = 2830;
            layer.Print("1.00DL");
        }
        layer.Flush();
        const DrawnFor arrow(layer);
        layer.Line(3050, 2430, 3050, 2480);
        NextTextLabels(layer, 3050, 2430, 3050, 2480, LabelLayer::WhenCrowded::Leader, true);
        layer.CurrentX = 3100;
        layer.CurrentY = 2430;
        layer.Print("2.00DL");
    }
    std::vector<test::Stretch> leaders;
    for (const test::SurfaceCall& l : s.Of("Line"))
        if (l.Part == PartLeader) leaders.push_back({l.X1, l.Y1, l.X2, l.Y2});
    ASSERT_EQ(leaders.size(), 2u);
    EXPECT_TRUE(test::StretchesCross(leaders[1], leaders[0]));
    EXPECT_FALSE(test::StretchesCross(leaders[1], wall));
}

TEST(LabelChecks, LongLeaderReadsRightOnlyWhereItAndItsValueKeepClearOfOtherThings) {
    // the value of the arrow from (1000, 1000) to (1000, 1480) stands at x, led from the arrow's middle
    struct Case {
        const char* what;
        double x;                        // where the value stands
        double ox1, oy1, ox2, oy2;       // a line of another thing
        bool otherValue;                 // another thing's value "1.00" at (2000, 1290)
        bool passesNear;
    };
    const Case cases[] = {
        {"eight heights out, other things far off", 3000, 5000, 3000, 6000, 3000, false, false},
        {"a line of another thing a quarter height from its way", 3000, 2000, 1300, 2500, 1300, false, true},
        {"a line of another thing a fifth of a height beside its value", 3000, 3650, 1000, 3650, 1500, false, true},
        {"another thing's value a sixth of a height from its way", 3000, 5000, 3000, 6000, 3000, true, true},
        {"a short leader, five heights, by other things", 2200, 1500, 1300, 1900, 1300, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::RecordingSurface s;
        s.FontSize = 10;
        s.Owner = 1;
        s.Line(1000, 1000, 1000, 1480);
        s.OwnerPart = PartLeader;
        s.Line(1000, 1240, c.x - 30, 1240);
        s.OwnerPart = PartBody;
        s.LabelNextText(1000, 1000, 1000, 1480, true);
        s.CurrentX = c.x;
        s.CurrentY = 1125;
        s.Print("5.00DL");
        s.Owner = 2;
        s.Line(c.ox1, c.oy1, c.ox2, c.oy2);
        if (c.otherValue) {
            s.LabelNextText(2200, 1700, 2200, 1700);
            s.CurrentX = 2000;
            s.CurrentY = 1290;
            s.Print("1.00");
        }
        std::vector<std::string> asRead;
        test::LabelFaults(s.Calls, {{}, true, &asRead, {}, 0, false});
        const bool near = std::any_of(asRead.begin(), asRead.end(), [](const std::string& f) {
            return f.find("\"5.00DL\"") == 0 && f.find("passes near another thing") != std::string::npos;
        });
        EXPECT_EQ(near, c.passesNear);
    }
}

}  // namespace
}  // namespace brindlemar

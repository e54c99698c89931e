// Values the label layer can stand nowhere near what they label, judged by
// the label checks, and the checks' rule for the long leaders it draws.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "drawing/LabelLayer.h"
#include "support/LabelChecks.h"
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

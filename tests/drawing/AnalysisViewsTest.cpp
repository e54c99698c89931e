#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "ViewTestSupport.h"
#include "drawing/AnalysisViews.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::SurfaceCall;
using test::ViewPicture;

// A wall with no load of some kinds: every view draws the rest with finite
// coordinates and no error, whatever maximum is 0.
TEST(AnalysisViews, WallsWithoutSomeLoadsDrawTheRestWithoutDividingByZero) {
    struct Case {
        const char* what;
        bool water, seismic;
        float surcharge, backfillWeight;
    };
    const Case cases[] = {
        {"no water, no seismic loading, no surcharge", false, false, 0, 1.8f},
        {"no earth pressure either: every pressure is 0", false, false, 0, 0},
        {"water and seismic loading but weightless backfill", true, true, 1, 0},
    };
    for (const Case& c : cases) {
        for (int view : {LoadsView, ReactionsView, ResistancesView, MomentView, ShearView, NormalView}) {
            SCOPED_TRACE(testing::Message() << c.what << ", view " << view);
            ViewPicture p;
            test::MessageRecorder messages;
            p.m.WaterIncluded = c.water ? True : False;
            p.m.SeismicIncluded = c.seismic ? True : False;
            p.m.BackfillSurcharge = c.surcharge;
            p.m.BackfillUnitWeight = p.m.BackfillSaturatedDensity = c.backfillWeight;
            SetWaterDepths(p.m);
            SetSeismicCoefficient(p.m);
            SelectLoadCombination(p.m, 1, 0);
            DrawAnalysisView(p.m, p.s, view);
            // the reactions of a wall that is not stable are not drawn: the wall alone
            EXPECT_EQ(p.s.Texts().empty(), view == ReactionsView && p.m.WallStable == False);
            for (const SurfaceCall& call : p.s.Calls)
                ASSERT_TRUE(std::isfinite(call.X1) && std::isfinite(call.Y1) && std::isfinite(call.X2) &&
                            std::isfinite(call.Y2))
                    << call.Kind << " " << call.Text;
            EXPECT_TRUE(std::isfinite(p.m.LoadArrowScale));
            EXPECT_TRUE(messages.Messages.empty()) << messages.Messages.front().Text;
        }
    }
}

// Each view's legend is printed once: printed twice on the same spot it
// reads bold.
TEST(AnalysisViews, LegendIsPrintedOnce) {
    for (int view : {LoadsView, ReactionsView, ResistancesView}) {
        SCOPED_TRACE(testing::Message() << "view " << view);
        ViewPicture p;
        test::MessageRecorder messages;
        SelectLoadCombination(p.m, 1, 0);
        DrawAnalysisView(p.m, p.s, view);
        ASSERT_NE(p.m.WallStable, False);
        const std::vector<std::string> texts = p.s.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Line loads in T/m"), 1);
        EXPECT_EQ(std::count(texts.begin(), texts.end(), "Distributed loads in T/m\xB2"), 1);
    }
}

}  // namespace
}  // namespace brindlemar

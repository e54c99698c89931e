#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "ViewTestSupport.h"
#include "drawing/ForceDiagrams.h"
#include "analysis/SectionForces.h"
#include "support/MessageRecorder.h"
#include "support/PlainSIWall.h"

namespace brindlemar {
namespace {

using test::SurfaceCall;
using test::ViewPicture;

TEST(ForceDiagrams, ScalesFitTheLargestExpectedOrdinate) {
    struct Case {
        const char* what;
        float V, H, toe, heel;
        double room, moment, force;
    };
    const Case cases[] = {
        {"no forces keep 10000", 0, 0, 2, 3, 600, 10000, 10000},
        {"moments by V and the longer of toe and heel", 10, 4, 2, 3, 600, 20, 60},
        {"forces by the larger of H and V", 2, -8, 2, 3, 600, 100, 75},
        {"no room leaves no diagram", 10, 4, 2, 3, -50, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        m.TotalVerticalForce = c.V;
        m.TotalHorizontalForce = c.H;
        m.ToeLength = c.toe;
        m.HeelLength = c.heel;
        const ForceDiagramScales scales = ComputeForceDiagramScales(m, c.room);
        EXPECT_DOUBLE_EQ(scales.Moment, c.moment);
        EXPECT_DOUBLE_EQ(scales.Force, c.force);
    }
}

TEST(ForceDiagrams, HeelCutsAreCountedFromTheHeelEnd) {
    Model m;
    m.HeelLength = 3;
    m.HeelStations = {0, 1, 2.5f, 3};
    m.HeelStationCount = 4;
    EXPECT_EQ(HeelCutsFromEnd(m), (std::vector<float>{0, 0.5f, 2, 3}));
}

// Hatch lines of the diagram: horizontal ones on the stem, vertical ones on toe and heel.
std::pair<int, int> HatchLines(const ViewPicture& p) {
    int stem = 0, baseSlab = 0;
    for (const SurfaceCall& c : p.s.Of("Line")) {
        if (c.Colour != p.m.DiagramColours[1] || c.Mode != vbMaskPen) continue;
        if (c.Y1 == c.Y2 && c.X1 != c.X2) ++stem;
        if (c.X1 == c.X2 && c.Y1 != c.Y2) ++baseSlab;
    }
    return {stem, baseSlab};
}

TEST(ForceDiagrams, AWallThatIsNotStableShowsTheStemAlone) {
    test::MessageRecorder messages;
    for (int kind : {MomentDiagram, ShearDiagram, NormalForceDiagram}) {
        SCOPED_TRACE(kind);
        ViewPicture stable, overturned;
        stable.m.SeismicIncluded = False;
        PrepareCombination(stable.m);
        DrawForceDiagrams(stable.m, stable.s, kind);
        ASSERT_NE(stable.m.WallStable, False);
        EXPECT_GT(HatchLines(stable).first, 50);
        EXPECT_GT(HatchLines(stable).second, 50);
        EXPECT_EQ(stable.s.FindText("The wall is not stable"), nullptr);

        overturned.m.SeismicIncluded = False;
        overturned.m.LineLoadCount = 1;
        overturned.m.LineLoads[1] = {500, 2.9f, 10, 270, DL};
        PrepareCombination(overturned.m);
        DrawForceDiagrams(overturned.m, overturned.s, kind);
        ASSERT_EQ(overturned.m.WallStable, False);
        EXPECT_GT(HatchLines(overturned).first, 50);
        EXPECT_EQ(HatchLines(overturned).second, 0);
        // said even without seismic loading, above the caption
        const std::string caption = kind == MomentDiagram ? "Moments in Tm/m" : "Forces in T/m";
        const SurfaceCall* verdict = overturned.s.FindText("The wall is not stable");
        const SurfaceCall* captionText = overturned.s.FindText(caption);
        ASSERT_NE(verdict, nullptr);
        ASSERT_NE(captionText, nullptr);
        EXPECT_LT(verdict->Y1, captionText->Y1);
        EXPECT_EQ(verdict->Y1, 13500 - 2 * 230 - 60);
        EXPECT_EQ(verdict->Mode, vbCopyPen);
    }
    EXPECT_EQ(messages.Messages.size(), 0u);
}

TEST(ForceDiagrams, AJumpAtAStationIsLabelledOnBothSides) {
    ViewPicture p;
    test::MessageRecorder messages;
    // a level load on the stem's front face halfway up makes the shear jump there
    p.m.LineLoadCount = 1;
    p.m.LineLoads[1] = {20, 2.19f, 6, 90, LL};
    PrepareCombination(p.m);
    DrawForceDiagrams(p.m, p.s, ShearDiagram);
    const double y = p.Y(4) - 6.0 * p.m.DrawingScale;
    int above = 0, below = 0;
    for (const SurfaceCall& c : p.s.Of("Print")) {
        if (std::fabs(c.Y1 - (y - 200)) < 1) ++above;
        // (moved down a little, clear of the hatch line that ends at its side)
        if (c.Y1 > y - 1 && c.Y1 < y + 100) ++below;
    }
    EXPECT_EQ(above, 1);
    EXPECT_EQ(below, 1);
}

TEST(ForceDiagrams, AHumpBetweenStationsIsDrawnAsHighAsItIs) {
    // the base pressure rising towards the stem brings the L-shaped wall's
    // heel shear back towards 0 at its root, and it peaks inside the heel
    ViewPicture p;
    test::MessageRecorder messages;
    Model& m = p.m;
    test::MakeLShapedWall(m);
    PrepareCombination(m);
    DrawWall(m, p.s, 1, 0);
    p.s.Calls.clear();
    DrawForceDiagrams(m, p.s, ShearDiagram);
    ASSERT_NE(m.WallStable, False);

    // the shear at the root and the largest along the heel
    float M, V, N, M2, V2, N2, root = 0, largest = 0;
    for (int k = 0; k <= 400; ++k) {
        ASSERT_TRUE(CalcHeelSectionForces(m, m.HeelLength * k / 400.0f, M, V, N, M2, V2, N2));
        largest = std::max(largest, std::fabs(V));
        if (k == 400) root = std::fabs(V);
    }
    ASSERT_GT(largest, 3 * root);
    // the base slab's hatch lines are vertical: the one at the root against the longest
    const double xRoot = p.X(4) + m.DrawingScale * (m.BaseWidth - m.HeelLength);
    double atRoot = 0, longest = 0;
    for (const SurfaceCall& c : p.s.Of("Line")) {
        if (c.Colour != m.DiagramColours[1] || c.Mode != vbMaskPen || c.X1 != c.X2) continue;
        const double length = std::fabs(c.Y2 - c.Y1);
        if (std::fabs(c.X1 - xRoot) < 0.5) atRoot = std::max(atRoot, length);
        longest = std::max(longest, length);
    }
    ASSERT_GT(atRoot, 0);
    EXPECT_NEAR(longest / atRoot, largest / root, 0.01 * largest / root);
    EXPECT_TRUE(messages.Messages.empty());
}

TEST(ForceDiagrams, ValuesSideBySideNeverReadAsOneNumber) {
    // the built-in wall's heel has values at close stations
    for (const int kind : {MomentDiagram, ShearDiagram, NormalForceDiagram}) {
        SCOPED_TRACE(kind);
        ViewPicture p;
        test::MessageRecorder messages;
        PrepareCombination(p.m);
        DrawForceDiagrams(p.m, p.s, kind);
        std::vector<SurfaceCall> values;
        for (const SurfaceCall& c : p.s.Of("Print"))
            if (!c.Text.empty() && (std::isdigit(static_cast<unsigned char>(c.Text[0])) || c.Text[0] == '-'))
                values.push_back(c);
        ASSERT_GE(values.size(), 4u);
        for (size_t i = 0; i < values.size(); ++i)
            for (size_t j = i + 1; j < values.size(); ++j) {
                const SurfaceCall &a = values[i], &b = values[j];
                const double height = 20 * a.FontSize;
                if (std::fabs(a.Y1 - b.Y1) >= height) continue;   // on different lines
                const double gap = std::max(b.X1 - (a.X1 + p.s.TextWidth(a.Text)), a.X1 - (b.X1 + p.s.TextWidth(b.Text)));
                EXPECT_GE(gap, 30 - 1e-6) << a.Text << " and " << b.Text;
            }
        EXPECT_TRUE(messages.Messages.empty());
    }
}

}  // namespace
}  // namespace brindlemar

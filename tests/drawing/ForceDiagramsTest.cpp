#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "ViewTestSupport.h"
#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/ForceDiagrams.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionStations.h"
#include "support/LabelChecks.h"
#include "support/MessageRecorder.h"
#include "runtime/Format.h"
#include "support/PlainSIWall.h"
#include "support/ViewWalls.h"

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
    EXPECT_EQ(HeelCutsFromEnd(3, {0, 1, 2.5f, 3}), (std::vector<float>{0, 0.5f, 2, 3}));
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
    // a level load on the stem's front face halfway up makes the shear jump
    // there; a small load is a load all the same, not rounding
    for (const float load : {20.0f, 0.008f}) {
        SCOPED_TRACE(load);
        ViewPicture p;
        test::MessageRecorder messages;
        p.m.LineLoadCount = 1;
        p.m.LineLoads[1] = {load, 2.19f, 6, 90, LL};
        PrepareCombination(p.m);
        DrawForceDiagrams(p.m, p.s, ShearDiagram);
        const double y = p.Y(4) - 6.0 * p.s.Drawing().DrawingScale;
        int atTheJump = 0;
        for (const SurfaceCall& c : p.s.Of("Print"))
            if (c.Anchor && std::fabs(c.Anchor->Top - y) < 1) ++atTheJump;
        EXPECT_EQ(atTheJump, 2);
        EXPECT_EQ(test::LabelFaults(p.s.Calls), std::vector<std::string>{});
    }
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
    const double xRoot = p.X(4) + p.s.Drawing().DrawingScale * (m.BaseWidth - m.HeelLength);
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

// Values side by side never read as one number (the built-in wall's heel
// has values at close stations). On the least picture of the main window
// (1366 x 768 at 125 %, in type as wide as the window's) the ordinates still
// show, and each member's end values and largest of either sign label a
// point of that member's diagram, beside it or led to it by a line.
TEST(ForceDiagrams, ValuesReadApartAndTheOnesThatMatterStandByTheirMembers) {
    const struct {
        const char* what;
        int32_t width, height;
        bool lineLoads;
        int wall;
    } cases[] = {{"large window", 18000, 13500, false, test::BuiltIn},
                 {"least window", 11340, 5910, false, test::BuiltIn},
                 {"least window, line loads", 11340, 5910, true, test::BuiltIn},
                 {"least window, ten line loads", 11340, 5910, false, test::TenLoads},
                 {"least window, wide low wall", 11340, 5910, false, test::WideLow},
                 {"least window, tall narrow wall", 11340, 5910, false, test::TallNarrow}};
    for (const auto& c : cases)
        for (const int kind : {MomentDiagram, ShearDiagram, NormalForceDiagram}) {
            SCOPED_TRACE(testing::Message() << c.what << ", kind " << kind);
            ViewPicture p;
            test::MessageRecorder messages;
            Model& m = p.m;
            p.s.FontSize = 12;
            p.s.Drawing().FrameWidth = c.width;
            p.s.Drawing().FrameHeight = c.height;
            test::ShapeNamedWall(m, c.wall);
            if (c.lineLoads) test::AddStemAndHeelLineLoads(m);
            PrepareCombination(m);
            {
                const FrameBelowFactorTable below(p.s);
                DrawAnalysisView(m, p.s, MomentView + kind - MomentDiagram);
            }
            ASSERT_NE(m.WallStable, False);
            std::vector<SurfaceCall> values;
            for (const SurfaceCall& t : p.s.Of("Print"))
                if (IsNumeric(t.Text)) values.push_back(t);
            for (size_t i = 0; i < values.size(); ++i)
                for (size_t j = i + 1; j < values.size(); ++j) {
                    const SurfaceCall &a = values[i], &b = values[j];
                    if (std::fabs(a.Y1 - b.Y1) >= 20 * a.FontSize) continue;   // on different lines
                    const double gap =
                        std::max(b.X1 - (a.X1 + p.s.TextWidth(a.Text)), a.X1 - (b.X1 + p.s.TextWidth(b.Text)));
                    EXPECT_GE(gap, 30 - 1e-6) << a.Text << " and " << b.Text;
                }

            // each member (stem, toe, heel): its axis, drawn first, and the hatch lines standing on it
            auto distance = [](const TextBox& b, const SurfaceCall& l) {
                return std::hypot(std::max({0.0, b.Left - std::max(l.X1, l.X2), std::min(l.X1, l.X2) - b.Left - b.Width}),
                                  std::max({0.0, b.Top - std::max(l.Y1, l.Y2), std::min(l.Y1, l.Y2) - b.Top - b.Height}));
            };
            std::vector<std::vector<SurfaceCall>> members;
            double longest = 0;
            for (const SurfaceCall& l : p.s.Of("Line")) {
                if (l.Colour == m.DiagramColours[0] && l.Mode == vbMaskPen) members.push_back({l});
                if (members.empty() || l.Colour != m.DiagramColours[1]) continue;
                members.back().push_back(l);
                const bool across = members.size() == 1 ? l.Y1 == l.Y2 : l.X1 == l.X2;
                if (across && distance({l.X1, l.Y1, 0, 0}, members.back()[0]) < 1)
                    longest = std::max(longest, std::hypot(l.X2 - l.X1, l.Y2 - l.Y1));
            }
            ASSERT_EQ(members.size(), 3u);
            // however small the forces against those expected, 40 pixels at least (the hatch
            // lines stand a pitch apart, the largest ordinate may fall between two), unless two
            // members' diagrams would then overlap: shorter, they stand apart by no more than
            // half a line of type (room for a leader between them)
            const double pitch = p.s.Drawing().DiagramHatchPitch;
            double nearest = 1E300;
            for (size_t i = 0; i < members.size(); ++i)
                for (size_t j = 0; j < members.size(); ++j)
                    for (const SurfaceCall& a : members[i])
                        for (const SurfaceCall& b : members[j])
                            if (i != j) nearest = std::min(nearest, test::PointGap({b.X1, b.Y1, b.X2, b.Y2}, a.X1, a.Y1));
            EXPECT_GT(longest, p.s.Drawing().DrawingScale * m.WallHeight / 25);
            EXPECT_TRUE(longest >= 600 - pitch || nearest < 2 * pitch + 10 * p.s.FontSize) << longest << " long, " << nearest << " apart";

            // the values that matter, from the section forces at the stations and at 400 cuts between
            const SectionRoutine routines[] = {&CalcStemSectionForces, &CalcToeSectionForces, &CalcHeelSectionForces};
            std::vector<float> cuts[] = {StemStationList(m), ToeStationList(m),
                                         HeelCutsFromEnd(m.HeelLength, HeelStationList(m))};
            for (size_t i = 0; i < 3; ++i) {
                for (int k = 0, n = static_cast<int>(cuts[i].size()); k <= 400; ++k)
                    cuts[i].push_back(cuts[i][n - 1] * k / 400);
                std::sort(cuts[i].begin(), cuts[i].end());
                float f[6];
                std::vector<double> want, all;
                for (const float d : cuts[i]) {
                    ASSERT_TRUE(routines[i](m, d, f[0], f[1], f[2], f[3], f[4], f[5]));
                    all.insert(all.end(), {f[kind - 1], f[kind + 2]});
                    if (d == cuts[i].front() && want.empty()) want.push_back(f[kind - 1]);
                }
                // the end at the root, and the largest of either sign
                want.insert(want.end(), {f[kind + 2], std::min(0.0, *std::min_element(all.begin(), all.end())),
                                         std::max(0.0, *std::max_element(all.begin(), all.end()))});
                for (const double v : want) {
                    // labelling a point of its member's diagram
                    auto byItsMember = [&](const SurfaceCall& t) {
                        return std::fabs(Val(t.Text) - v) < 0.011 && t.Anchor &&
                               std::any_of(members[i].begin(), members[i].end(), [&](const SurfaceCall& l) {
                                   return distance(*t.Anchor, l) < 1;
                               });
                    };
                    EXPECT_TRUE(std::fabs(v) < 0.005 || std::any_of(values.begin(), values.end(), byItsMember))
                        << Format(v, "0.00") << " of member " << i;
                }
            }
            // and every value by its point or led to it, no two diagrams sharing hatching
            EXPECT_EQ(test::LabelFaults(p.s.Calls, {{}, true, nullptr, {}, 0, true}), std::vector<std::string>{});
            EXPECT_TRUE(messages.Messages.empty());
        }
}

}  // namespace
}  // namespace brindlemar

// The label checks' own geometry, against values worked by hand.

#include <gtest/gtest.h>

#include "support/PlaneGeometry.h"

namespace brindlemar::test {
namespace {

TEST(PlaneGeometry, AnswersAsWorkedByHand) {
    const TextBox box{0, 0, 10, 10};
    // an L: the foot 4 wide and 1 high, the upright 1 wide and 5 high
    const std::vector<Stretch> l = {{0, 0, 4, 0}, {4, 0, 4, 1}, {4, 1, 1, 1}, {1, 1, 1, 5}, {1, 5, 0, 5}, {0, 5, 0, 0}};
    // and a triangle whose apex (5, 0) stands straight over (5, 5)
    const std::vector<Stretch> apex = {{0, 10, 5, 0}, {5, 0, 10, 10}, {10, 10, 0, 10}};
    auto Yes = [](bool b) { return b ? 1.0 : 0.0; };
    struct Case {
        const char* what;
        double got, expected;
    };
    const Case cases[] = {
        {"an X crosses", Yes(StretchesCross({0, 0, 10, 10}, {0, 10, 10, 0})), 1},
        {"an end on the other's middle does not", Yes(StretchesCross({0, 0, 10, 0}, {5, 0, 5, 5})), 0},
        {"parallel ones do not", Yes(StretchesCross({0, 0, 10, 0}, {0, 1, 10, 1})), 0},
        {"in line, sharing 5, they do", Yes(StretchesCross({0, 0, 10, 0}, {5, 0, 15, 0})), 1},
        {"in line, end to end, they do not", Yes(StretchesCross({0, 0, 10, 0}, {10, 0, 20, 0})), 0},
        {"short of where their lines meet, (5, 5)", Yes(StretchesCross({0, 0, 4, 4}, {0, 10, 10, 0})), 0},
        {"on the box's edge it meets it", Yes(StretchMeetsBox({10, 5, 20, 5}, box)), 1},
        {"half a unit off the edge it does not", Yes(StretchMeetsBox({10.5, 0, 20, 0}, box)), 0},
        {"past the corner, x + y = 21", Yes(StretchMeetsBox({8, 13, 13, 8}, box)), 0},
        {"through the corner, x + y = 20", Yes(StretchMeetsBox({8, 12, 12, 8}, box)), 1},
        {"gap, beside the box", StretchBoxGap({20, 5, 30, 5}, box), 10},
        {"gap, from the corner (10, 10) to the end (13, 14)", StretchBoxGap({13, 14, 20, 20}, box), 5},
        {"gap, from the corner to x + y = 24", StretchBoxGap({4, 20, 20, 4}, box), 4 / std::sqrt(2.0)},
        {"gap, across the box", StretchBoxGap({-5, 5, 15, 5}, box), 0},
        {"gap, within it", StretchBoxGap({2, 2, 3, 3}, box), 0},
        {"point beyond the end", PointGap({0, 0, 10, 0}, 13, 4), 5},
        {"stretches, from the end (13, 4) to the other's end", StretchGap({0, 0, 10, 0}, {13, 4, 20, 4}), 5},
        {"stretches crossing", StretchGap({0, 0, 10, 10}, {0, 10, 10, 0}), 0},
        {"below a line to the right, y down", SideOf({0, 0, 10, 0}, 5, 3), 3},
        {"above it", SideOf({0, 0, 10, 0}, 5, -2), -2},
        {"within the upright", Yes(WithinOutline(l, 0.5, 3)), 1},
        {"within the foot", Yes(WithinOutline(l, 2, 0.5)), 1},
        {"in the L's corner, outside", Yes(WithinOutline(l, 2, 3)), 0},
        {"past the foot's end", Yes(WithinOutline(l, 5, 0.5)), 0},
        {"under the apex, its two sides met once", Yes(WithinOutline(apex, 5, 5)), 1},
        {"boxes 3 across and 4 down apart", BoxGap(box, {13, 14, 5, 5}), 5},
        {"boxes sharing an edge", Yes(BoxesOverlap(box, {10, 0, 5, 5})), 0},
        {"boxes sharing a corner square", Yes(BoxesOverlap(box, {9, 9, 5, 5})), 1},
        {"a box within, to its edge", Yes(BoxWithin({5, 5, 5, 5}, box)), 1},
        {"a box out by a unit", Yes(BoxWithin({6, 5, 5, 5}, box)), 0},
    };
    for (const Case& c : cases) EXPECT_NEAR(c.got, c.expected, 1E-9) << c.what;
}

}  // namespace
}  // namespace brindlemar::test

#pragma once
// The plane geometry the label checks judge by, written for them alone: a
// check that asked the drawing code whether two lines cross would pass
// whatever that code answers. Boxes are texts' boxes (x to the right, y
// downwards); a stretch is a line from (x1, y1) to (x2, y2).

#include <vector>

#include "drawing/TextPlacement.h"

namespace brindlemar::test {

struct Stretch {
    double x1, y1, x2, y2;
};

// Whether two boxes share more than an edge.
bool BoxesOverlap(const TextBox& a, const TextBox& b);
// Whether the box lies wholly within the area, its edges included.
bool BoxWithin(const TextBox& box, const TextBox& area);
// The box moved out by `by` on every side (in, for a negative one).
TextBox Widened(const TextBox& box, double by);
// The shortest way from one box to the other, 0 where they meet.
double BoxGap(const TextBox& a, const TextBox& b);

// How far the point lies from the stretch.
double PointGap(const Stretch& s, double x, double y);
// Whether the stretch has a point in the box, its edges included.
bool StretchMeetsBox(const Stretch& s, const TextBox& box);
// The shortest way from the stretch to the box, 0 where they meet.
double StretchBoxGap(const Stretch& s, const TextBox& box);
// The shortest way from one stretch to the other, 0 where they meet.
double StretchGap(const Stretch& a, const Stretch& b);
// Whether two stretches cross: a point inside both, or, in line with each
// other, a common length. An end that only touches the other is no crossing
// (a leader starts on what it labels).
bool StretchesCross(const Stretch& a, const Stretch& b);
// How far (x, y) lies left (positive) or right of the stretch's line, looking from its first end
// to its second, in a y-downwards plane "left" being the side a turn by -90 degrees points to.
double SideOf(const Stretch& s, double x, double y);
// Whether (x, y) lies within the outline its sides make (any order, any direction).
bool WithinOutline(const std::vector<Stretch>& sides, double x, double y);

}  // namespace brindlemar::test

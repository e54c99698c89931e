#include "support/PlaneGeometry.h"

#include <algorithm>
#include <cmath>

namespace brindlemar::test {

namespace {

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }
double Length(const Stretch& s) { return std::hypot(s.x2 - s.x1, s.y2 - s.y1); }

}  // namespace

bool BoxesOverlap(const TextBox& a, const TextBox& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height && b.Top < a.Top + a.Height;
}

bool BoxWithin(const TextBox& box, const TextBox& area) {
    return box.Left >= area.Left && box.Left + box.Width <= area.Left + area.Width && box.Top >= area.Top &&
           box.Top + box.Height <= area.Top + area.Height;
}

TextBox Widened(const TextBox& box, double by) { return {box.Left - by, box.Top - by, box.Width + 2 * by, box.Height + 2 * by}; }

double BoxGap(const TextBox& a, const TextBox& b) {
    const double across = std::max({0.0, b.Left - (a.Left + a.Width), a.Left - (b.Left + b.Width)});
    const double down = std::max({0.0, b.Top - (a.Top + a.Height), a.Top - (b.Top + b.Height)});
    return std::hypot(across, down);
}

double PointGap(const Stretch& s, double x, double y) {
    const double dx = s.x2 - s.x1, dy = s.y2 - s.y1, squared = dx * dx + dy * dy;
    const double t = squared == 0 ? 0 : std::clamp(((x - s.x1) * dx + (y - s.y1) * dy) / squared, 0.0, 1.0);
    return std::hypot(x - (s.x1 + t * dx), y - (s.y1 + t * dy));
}

bool StretchMeetsBox(const Stretch& s, const TextBox& b) {
    // apart when their extents are, or when the box's corners all lie on one side of the line
    if (std::max(s.x1, s.x2) < b.Left || std::min(s.x1, s.x2) > b.Left + b.Width || std::max(s.y1, s.y2) < b.Top ||
        std::min(s.y1, s.y2) > b.Top + b.Height)
        return false;
    int left = 0, right = 0;
    for (const double x : {b.Left, b.Left + b.Width})
        for (const double y : {b.Top, b.Top + b.Height}) {
            const double side = Cross(s.x2 - s.x1, s.y2 - s.y1, x - s.x1, y - s.y1);
            left += side > 0;
            right += side < 0;
        }
    return left < 4 && right < 4;
}

double StretchBoxGap(const Stretch& s, const TextBox& b) {
    if (StretchMeetsBox(s, b)) return 0;
    // apart, the nearest points are an end of the stretch or a corner of the box
    const double right = b.Left + b.Width, bottom = b.Top + b.Height;
    const Stretch edges[] = {{b.Left, b.Top, right, b.Top}, {right, b.Top, right, bottom},
                             {right, bottom, b.Left, bottom}, {b.Left, bottom, b.Left, b.Top}};
    double gap = 1E300;
    for (const Stretch& e : edges)
        gap = std::min({gap, PointGap(e, s.x1, s.y1), PointGap(e, s.x2, s.y2), PointGap(s, e.x1, e.y1)});
    return gap;
}

double StretchGap(const Stretch& a, const Stretch& b) {
    // apart, the nearest points are an end of one of them and a point of the other
    if (StretchesCross(a, b)) return 0;
    return std::min({PointGap(a, b.x1, b.y1), PointGap(a, b.x2, b.y2), PointGap(b, a.x1, a.y1), PointGap(b, a.x2, a.y2)});
}

bool StretchesCross(const Stretch& a, const Stretch& b) {
    const double ax = a.x2 - a.x1, ay = a.y2 - a.y1, bx = b.x2 - b.x1, by = b.y2 - b.y1;
    const double la = Length(a), lb = Length(b);
    if (la == 0 || lb == 0) return false;
    const double across = Cross(ax, ay, bx, by), fromA = Cross(b.x1 - a.x1, b.y1 - a.y1, ax, ay);
    if (std::fabs(across) > 1E-12 * la * lb) {
        // where each meets the other's line, as a share of its length
        const double t = Cross(b.x1 - a.x1, b.y1 - a.y1, bx, by) / across, u = fromA / across;
        return t > 0 && t < 1 && u > 0 && u < 1;
    }
    // parallel: a common length when on one line
    if (std::fabs(fromA) / la > 1E-6) return false;
    const double s0 = ((b.x1 - a.x1) * ax + (b.y1 - a.y1) * ay) / la, s1 = ((b.x2 - a.x1) * ax + (b.y2 - a.y1) * ay) / la;
    return std::min(la, std::max(s0, s1)) - std::max(0.0, std::min(s0, s1)) > 0;
}

double SideOf(const Stretch& s, double x, double y) {
    const double l = Length(s);
    return l == 0 ? 0 : Cross(s.x2 - s.x1, s.y2 - s.y1, x - s.x1, y - s.y1) / l;
}

bool WithinOutline(const std::vector<Stretch>& sides, double x, double y) {
    // the sides a ray straight up from the point passes, each counted once
    // at a corner by taking its left end in and its right end out
    bool within = false;
    for (const Stretch& s : sides) {
        const double left = std::min(s.x1, s.x2), right = std::max(s.x1, s.x2);
        if (x < left || x >= right) continue;
        const double at = s.y1 + (x - s.x1) * (s.y2 - s.y1) / (s.x2 - s.x1);
        if (at < y) within = !within;
    }
    return within;
}

}  // namespace brindlemar::test

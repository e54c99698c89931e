#include "drawing/PressureTrapezoids.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "drawing/ForceArrows.h"
#include "drawing/LabelLayer.h"
#include "drawing/Primitives.h"

namespace brindlemar {

namespace {

constexpr double kTextGap = 15;
// Shorter spans (drawing units) draw nothing at all, nor do negligible ordinates.
constexpr double kShortestSpan = 1E-5;

bool Degenerate(double a1, double a2, double p1, double p2) {
    return !(std::fabs(a2 - a1) >= kShortestSpan) ||
           (!(std::fabs(p1) > NegligibleForce) && !(std::fabs(p2) > NegligibleForce));
}

// The arrows and the outline of a trapezoid along a line from a1 to a2;
// at(a, p) is the drawing point of the ordinate p at position a (p = 0 on
// the line). The arrows stand at every multiple of the pitch between the
// ends, whichever way the ends are given, each from its ordinate's outer end
// to its head on the line.
template <typename At>
void DrawTrapezoidBody(Surface& s, double a1, double a2, double p1, double p2, int32_t colour,
                       int pen, At at) {
    const double pitch = s.Drawing().ArrowHeadSize;
    if (pitch > 0) {
        const double low = std::min(a1, a2), high = std::max(a1, a2);
        const long first = static_cast<long>(std::ceil(low / pitch));
        const long count = static_cast<long>(std::floor((high - low) / pitch)) + 1;
        for (long k = 0; k < count; ++k) {
            const double a = (first + k) * pitch;
            if (a > high) break;
            const auto tail = at(a, p1 + (p2 - p1) * (a - a1) / (a2 - a1)), head = at(a, 0.0);
            int32_t c = colour;
            int w = pen;
            DrawArrow(s, tail.first, tail.second, head.first, head.second, 1, c, w);
        }
    }
    auto line = [&](std::pair<double, double> from, std::pair<double, double> to) {
        DrawLineSolid(s, from.first, from.second, to.first, to.second, colour, pen);
    };
    line(at(a1, 0.0), at(a1, p1));
    line(at(a2, 0.0), at(a2, p2));
    line(at(a1, 0.0), at(a2, 0.0));
    line(at(a1, p1), at(a2, p2));
}

// The next text is the value of the ordinate ending at (x, y): it is read
// at that outer end, or where the ordinate leaves the frame.
void LabelsOrdinateEnd(Surface& s, double x, double y) {
    const DrawingState& d = s.Drawing();
    x = std::clamp(x, 0.0, double(d.FrameWidth));
    y = std::clamp(y, double(d.FrameTop), double(d.FrameTop) + d.FrameHeight);
    NextTextLabelsPoint(s, x, y);
}

}  // namespace

void DrawPressureTrapezoidV(Surface& s, double y1, double y2, double x, double p1, double p2,
                            const std::string& text1, const std::string& text2, int32_t colour,
                            int32_t textColour, int pen) {
    if (Degenerate(y1, y2, p1, p2)) return;
    const DrawnFor owner(s);
    DrawTrapezoidBody(s, y1, y2, p1, p2, colour, pen, [&](double y, double p) { return std::pair{x - p, y}; });

    // each text beyond the outer end of its ordinate, inside the trapezoid's height
    s.ForeColor = textColour;
    const double lineHeight = TwipsPerPoint * s.FontSize;
    auto place = [&](const std::string& text, double y, double p, bool upperEnd) {
        if (text.empty()) return;
        LabelsOrdinateEnd(s, x - p, y);
        s.CurrentX = p > 0 ? x - p - kTextGap - s.TextWidth(text) : x - p + kTextGap;
        s.CurrentY = upperEnd ? y - kTextGap : y - lineHeight;
        PrintLoadValue(s, text);
    };
    place(text1, y1, p1, y1 < y2);
    place(text2, y2, p2, y2 < y1);
}

void DrawPressureTrapezoidH(Surface& s, double x1, double x2, double y, double p1, double p2,
                            const std::string& text1, const std::string& text2, int32_t colour,
                            int32_t textColour, int pen) {
    if (Degenerate(x1, x2, p1, p2)) return;
    const DrawnFor owner(s);
    DrawTrapezoidBody(s, x1, x2, p1, p2, colour, pen, [&](double x, double p) { return std::pair{x, y - p}; });

    // each text inside the span at its end, beyond the outer line
    s.ForeColor = textColour;
    const double lineHeight = TwipsPerPoint * s.FontSize;
    auto place = [&](const std::string& text, double x, double p, bool startsAtEnd) {
        if (text.empty()) return;
        LabelsOrdinateEnd(s, x, y - p);
        s.CurrentX = startsAtEnd ? x : x - s.TextWidth(text);
        s.CurrentY = p > 0 ? y - p - kTextGap - lineHeight : y - p;
        PrintLoadValue(s, text);
    };
    place(text1, x1, p1, x2 > x1);
    place(text2, x2, p2, x1 > x2);
}

}  // namespace brindlemar

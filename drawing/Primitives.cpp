#include "drawing/Primitives.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "drawing/LabelLayer.h"
#include "model/Outline.h"
#include "model/Units.h"

namespace brindlemar {

namespace {

// Nearest integer, halves to the even one.
int32_t RoundHalfEven(double x) {
    const double r = std::nearbyint(x);
    if (!std::isfinite(r) || std::fabs(r) > 2147483647.0) return 0;
    return static_cast<int32_t>(r);
}

// Prints a dimension's text at the current position, moved clear of the
// texts taken when there are any and then joined to the middle (x, y) of its
// line by a leader; the text labels that middle. A horizontal dimension's
// text may instead move a little to the right along its row, up to `rowEnd`,
// when that is shorter: a text standing level with its neighbours reads best.
void PrintClear(const Model& m, Surface& s, const std::string& text, bool vertical, AwayFrom way, TextBoxes* taken,
                double gap, double x, double y, double rowEnd = -std::numeric_limits<double>::infinity()) {
    if (taken != nullptr) {
        const TextBox asked{s.CurrentX, s.CurrentY, s.TextWidth(text), s.TextHeight(text)};
        TextBoxes row = *taken;
        const TextBox aside = MoveClear(asked, AwayFrom::Right, row, gap);
        TextBox box = PlaceDimensionText(asked, vertical, way, *taken, gap);
        const double sideways = aside.Left - asked.Left;
        if (aside.Left + aside.Width <= rowEnd && sideways <= 2 * gap && sideways < std::fabs(box.Top - asked.Top))
            taken->back() = box = aside;
        // stacked up out of the frame it would be cut: along its row instead, however far, led back
        if (!vertical && box.Top < s.Drawing().FrameTop && aside.Left + aside.Width <= s.Drawing().FrameWidth)
            taken->back() = box = aside;
        if (const std::optional<Leader> l = DimensionLeader(box, x, y, TextBoxes(taken->begin(), taken->end() - 1))) {
            DrawLineSolid(s, l->X1, l->Y1, l->X2, l->Y2, m.DimensionLineColour, 1);
            // the texts placed after it keep off the leader as well
            taken->push_back(l->Bounds());
        }
        s.CurrentX = box.Left;
        s.CurrentY = box.Top;
        s.ForeColor = m.DimensionTextColour;
    }
    s.LabelNextText(x, y, x, y);
    s.Print(text);
}

void PlaceNothing(Surface& s) {
    s.Drawing().DrawingScale = 0;
    s.Drawing().DrawingOffsetX = 0;
    s.Drawing().DrawingOffsetY = 0;
    s.Drawing().DrawingXCoordinates.fill(0);
    s.Drawing().DrawingYCoordinates.fill(0);
}

}  // namespace

void SetDrawingMargins(Surface& s, double fractionX, double fractionY, LeastMargins least) {
    s.Drawing().DrawingMarginX = RoundHalfEven(fractionX * s.Drawing().FrameWidth);
    s.Drawing().DrawingMarginY = RoundHalfEven(fractionY * s.Drawing().FrameHeight);
    const double x = std::min(least.X, 0.7 * s.Drawing().FrameWidth), y = std::min(least.Y, 0.5 * s.Drawing().FrameHeight);
    if (x > s.Drawing().DrawingMarginX) s.Drawing().DrawingMarginX = RoundHalfEven(std::ceil(x));
    if (y > s.Drawing().DrawingMarginY) s.Drawing().DrawingMarginY = RoundHalfEven(std::ceil(y));
}

void ComputeDrawingScale(const Model& m, Surface& s, LeastMargins least) {
    SetDrawingMargins(s, 0.4, 0.2, least);

    // the wall with B/10 of ground in front of the toe and B/4 of backfill behind the heel
    const double B = m.BaseWidth;
    const double extentX = B + B / 4 + B / 10;
    double extentY = FrontWallHeight(m) + B / 10;
    // a rising backfill climbs over the heel and the backfill beyond it
    const double rise = BackfillRise(m, m.HeelLength + m.StemBackBatter + B / 4);
    extentY += rise;
    // a shear key deeper than the ground shown under the base needs its own room
    if (m.ShearKeyIncluded == 1) extentY = std::max(extentY, extentY - B / 10 + m.ShearKeyDepth);

    // the area left for the wall, 32-bit so that wide screens do not overflow
    const int64_t usableX = static_cast<int64_t>(s.Drawing().FrameWidth) - s.Drawing().DrawingMarginX - 240;
    const int64_t usableY = static_cast<int64_t>(s.Drawing().FrameHeight) - s.Drawing().DrawingMarginY - 120 - 480;

    // a frame with no room, or a wall with no size, cannot be fitted: draw nothing
    if (usableX <= 0 || usableY <= 0 || !(extentX > 0) || !(extentY > 0) || !std::isfinite(extentX) ||
        !std::isfinite(extentY)) {
        PlaceNothing(s);
        return;
    }

    const double ux = static_cast<double>(usableX), uy = static_cast<double>(usableY);
    double scale, offsetX, offsetY;
    if (extentX / extentY > ux / uy) {
        // the width limits: centred vertically
        scale = ux / extentX;
        offsetX = 120 + s.Drawing().DrawingMarginX / 2.0 + scale * B / 10;
        offsetY = s.Drawing().FrameTop + 120 + s.Drawing().DrawingMarginY / 2.0 + (uy - scale * extentY) / 2;
    } else {
        // the height limits: centred horizontally
        scale = uy / extentY;
        offsetX = 120 + s.Drawing().DrawingMarginX / 2.0 + (ux - scale * extentX) / 2 + scale * B / 10;
        offsetY = s.Drawing().FrameTop + 120 + s.Drawing().DrawingMarginY / 2.0;
    }
    // the raised backfill surface stays inside the frame
    offsetY += scale * rise;

    if (!(static_cast<float>(scale) > 0) || !std::isfinite(offsetY)) {
        PlaceNothing(s);
        return;
    }
    s.Drawing().DrawingScale = static_cast<float>(scale);
    s.Drawing().DrawingOffsetX = static_cast<float>(offsetX);
    s.Drawing().DrawingOffsetY = static_cast<float>(offsetY);
    s.Drawing().DrawingXCoordinates[0] = 0;
    s.Drawing().DrawingYCoordinates[0] = 0;
    for (int i = 1; i <= 50; ++i) {
        s.Drawing().DrawingXCoordinates[i] = static_cast<float>(s.Drawing().DrawingScale * m.NodeXCoordinates[i] + s.Drawing().DrawingOffsetX);
        s.Drawing().DrawingYCoordinates[i] = static_cast<float>(s.Drawing().DrawingScale * m.NodeYCoordinates[i] + s.Drawing().DrawingOffsetY);
    }
}

bool DrawingFitted(const Surface& s) { return s.Drawing().DrawingScale > 0; }

double PenWidthPixels(const Surface& s, double widthMm) {
    return std::max(1.0, widthMm * TwipsPerMillimetre / s.TwipsPerPixelX());
}

void DrawLineSolid(Surface& s, double x1, double y1, double x2, double y2, int32_t colour, int width) {
    s.DrawStyle = vbSolid;
    if (colour < 0) colour = s.ForeColor;
    s.DrawWidth = width == 0 ? 1 : width;
    s.ForeColor = colour;
    s.Line(x1, y1, x2, y2, colour);
}

void DrawLineDashed(Surface& s, double x1, double y1, double x2, double y2, int32_t colour, int width) {
    constexpr double dash = 180, gap = 60;
    s.DrawStyle = vbSolid;
    if (colour <= 0) colour = s.ForeColor;
    s.DrawWidth = width == 0 ? 1 : width;
    const double length = std::hypot(x2 - x1, y2 - y1);
    // a line of no length has no direction to dash along
    if (!(length > 0) || !std::isfinite(length)) return;
    const double ux = (x2 - x1) / length, uy = (y2 - y1) / length;
    double p = 0, cx = x1, cy = y1;
    while (p < length) {
        p += dash;
        double ex = x2, ey = y2;
        if (p <= length) {
            ex = cx + dash * ux;
            ey = cy + dash * uy;
        }
        s.Line(cx, cy, ex, ey, colour);
        p += gap;
        cx = ex + gap * ux;
        cy = ey + gap * uy;
    }
}

void DrawBox(Surface& s, double x1, double y1, double x2, double y2, int32_t colour) {
    s.DrawStyle = vbSolid;
    s.DrawWidth = 1;
    if (colour <= 0) colour = s.ForeColor;
    s.FilledBox(x1, y1, x2, y2, colour);
    s.DrawStyle = vbSolid;
}

void DrawArrow(Surface& s, double x1, double y1, double x2, double y2, int heads,
               int32_t& colour, int& width) {
    if (colour == 0) colour = s.ForeColor;
    if (width == 0) width = s.DrawWidth;
    const double h = s.Drawing().ArrowHeadSize;
    const double dx = x2 - x1, dy = y2 - y1;
    const double length = std::hypot(dx, dy);
    // an arrow of no length has no direction for its heads
    if (!(length > 0) || !std::isfinite(length)) return;
    const double ux = dx / length, uy = dy / length;   // along the arrow
    const double nx = -uy, ny = ux;                     // across it

    // two barbs meeting at (px, py), their open ends `back` along the arrow from it
    auto head = [&](double px, double py, double back) {
        DrawLineSolid(s, px - back * ux + h / 2 * nx, py - back * uy + h / 2 * ny, px, py, colour, width);
        DrawLineSolid(s, px - back * ux - h / 2 * nx, py - back * uy - h / 2 * ny, px, py, colour, width);
    };

    if ((heads == 1 && length >= h) || (heads == 2 && length >= 3 * h)) {
        DrawLineSolid(s, x1, y1, x2, y2, colour, width);
        head(x2, y2, h);
        if (heads == 2) head(x1, y1, -h);
    } else if (heads == 2) {
        // too short for two heads inside: stubs outside with the heads pointing
        // in, and the line between, which tells the span from its neighbours'
        DrawLineSolid(s, x1, y1, x2, y2, colour, width);
        DrawLineSolid(s, x2, y2, x2 + 1.5 * h * ux, y2 + 1.5 * h * uy, colour, width);
        head(x2, y2, -h);
        DrawLineSolid(s, x1, y1, x1 - 1.5 * h * ux, y1 - 1.5 * h * uy, colour, width);
        head(x1, y1, h);
    } else {
        DrawLineSolid(s, x1, y1, x2, y2, colour, width);
    }
}

double OffsetScale(const Surface& s) { return s.Drawing().ArrowHeadSize > 0 ? s.Drawing().ArrowHeadSize / 60.0 : 1.0; }

void DrawDimensionHorizontal(const Model& m, Surface& s, double x1, double x2, double yA, double yB,
                             double yDim, const std::string& text, int mode, double fontSize, int noText,
                             TextBoxes* taken) {
    // extension lines start 60 off the feature and run 120 past the dimension line
    const double u = OffsetScale(s);
    const double sA = yDim < yA ? 1 : -1;
    DrawLineSolid(s, x1, yA - 60 * u * sA, x1, yDim - 120 * u * sA, m.DimensionLineColour, 1);
    const double sB = yDim < yB ? 1 : -1;
    DrawLineSolid(s, x2, yB - 60 * u * sB, x2, yDim - 120 * u * sB, m.DimensionLineColour, 1);
    int32_t colour = m.DimensionLineColour;
    int width = 1;
    DrawArrow(s, x1, yDim, x2, yDim, 2, colour, width);
    if (noText != 0) return;

    if (fontSize > 0) s.FontSize = fontSize;
    s.ForeColor = m.DimensionTextColour;
    const double textWidth = s.TextWidth(text);
    const bool fits = textWidth < std::fabs(x2 - x1) - 60 * u;
    // the text's own height, which is more than its font size, keeps it off the line
    const double lineHeight = s.TextHeight(text);
    const bool above = mode == 0 ? x2 >= x1 : x2 > x1;
    s.CurrentX = (x1 + x2) / 2 - textWidth / 2;
    if (!fits && mode == 1) s.CurrentX = x2 - textWidth - 30 * u;
    if (!fits && mode != 0 && mode != 1) s.CurrentX = x1 + 30 * u;
    // a text reaching over an arrow head stands off the line by the head's
    // half width, one reaching over an extension line beyond that line's end
    const double h = s.Drawing().ArrowHeadSize;
    auto over = [&](double x, double by) { return s.CurrentX < x + by && s.CurrentX + textWidth > x - by; };
    const double off = over(x1, 0) || over(x2, 0) ? 120 * u : over(x1, h) || over(x2, h) ? h / 2 : 0;
    s.CurrentY = above ? yDim - lineHeight - off : yDim + off;
    if (!fits && mode == 0) s.CurrentY = x2 >= x1 ? yDim - 120 * u - lineHeight : yDim + 120 * u;
    // one wider than its whole span, set against one end, would stand across
    // the other end's extension line: it stands on its line beyond the arrow
    // head outside that end, the row's outer end, instead
    const double far = mode == 1 ? x1 : x2, from = (mode == 1 ? yA : yB) - 60 * u * (mode == 1 ? sA : sB),
                 to = yDim - 120 * u * (mode == 1 ? sA : sB);
    if (!fits && mode != 0 && s.CurrentX < far && s.CurrentX + textWidth > far && s.CurrentY < std::max(from, to) &&
        s.CurrentY + lineHeight > std::min(from, to)) {
        const double outside = 1.5 * h + 30 * u;
        s.CurrentX = mode == 1 ? std::min(x1, x2) - outside - textWidth : std::max(x1, x2) + outside;
        s.CurrentY = yDim - lineHeight / 2;
    }
    // along its row beyond the extension lines' ends, or else short of the arrow head
    const bool beyond = s.CurrentY + lineHeight <= yDim - 120 * u || s.CurrentY >= yDim + 120 * u;
    const double rowEnd = beyond ? std::numeric_limits<double>::infinity() : std::max(x1, x2) - h;
    PrintClear(m, s, text, false, s.CurrentY < yDim ? AwayFrom::Above : AwayFrom::Below, taken, 30 * u,
               (x1 + x2) / 2, yDim, rowEnd);
}

TextBox PlaceDimensionText(TextBox box, bool vertical, AwayFrom way, TextBoxes& taken, double gap) {
    if (!vertical) return MoveClear(box, way, taken, gap);
    // as wide as three of it, so that a text level with it beside its line
    // counts as in its way; up or down, whichever moves it less
    const TextBox wide{box.Left - box.Width, box.Top, 3 * box.Width, box.Height};
    TextBoxes up = taken;
    const double above = MoveClear(wide, AwayFrom::Above, up, gap).Top;
    const double below = MoveClear(wide, AwayFrom::Below, taken, gap).Top;
    box.Top = box.Top - above <= below - box.Top ? above : below;
    taken.back() = box;
    return box;
}

std::optional<Leader> DimensionLeader(const TextBox& box, double x, double y, const TextBoxes& others) {
    const double nx = std::clamp(x, box.Left, box.Left + box.Width);
    const double ny = std::clamp(y, box.Top, box.Top + box.Height);
    if (std::hypot(x - nx, y - ny) <= box.Height) return std::nullopt;
    const double right = box.Left + box.Width, bottom = box.Top + box.Height;
    std::array<Leader, 5> ways{{{nx, ny, x, y}, {box.Left, box.Top, x, y}, {right, box.Top, x, y},
                                {box.Left, bottom, x, y}, {right, bottom, x, y}}};
    auto length = [](const Leader& l) { return std::hypot(l.X1 - l.X2, l.Y1 - l.Y2); };
    std::stable_sort(ways.begin() + 1, ways.end(),
                     [&](const Leader& a, const Leader& b) { return length(a) < length(b); });
    for (const Leader& l : ways)
        if (std::none_of(others.begin(), others.end(),
                         [&](const TextBox& t) { return SegmentCrossesBox(l.X1, l.Y1, l.X2, l.Y2, t); }))
            return l;
    // hidden under another text a leader would lead from that one
    return std::nullopt;
}

double SlideClearOfLevel(double top, double height, double level, double gap) {
    if (!(level > top - gap && level < top + height + gap)) return top;
    const double above = level - gap - height, below = level + gap;
    return top - above < below - top ? above : below;
}

void DrawDimensionVertical(const Model& m, Surface& s, double xA, double xB, double y1, double y2, double xDim,
                           const std::string& text, double fontSize, int noText, TextBoxes* taken,
                           std::optional<double> level) {
    const double u = OffsetScale(s);
    const double sA = xDim < xA ? 1 : -1;
    DrawLineSolid(s, xA - 60 * u * sA, y1, xDim - 120 * u * sA, y1, m.DimensionLineColour, 1);
    const double sB = xDim < xB ? 1 : -1;
    DrawLineSolid(s, xB - 60 * u * sB, y2, xDim - 120 * u * sB, y2, m.DimensionLineColour, 1);
    int32_t colour = m.DimensionLineColour;
    int width = 1;
    DrawArrow(s, xDim, y1, xDim, y2, 2, colour, width);
    if (noText != 0) return;

    if (fontSize > 0) s.FontSize = fontSize;
    s.ForeColor = m.DimensionTextColour;
    const double height = s.TextHeight(text), textWidth = s.TextWidth(text), gap = 30 * u;
    const double top = std::min(y1, y2), bottom = std::max(y1, y2);
    s.CurrentX = y1 > y2 ? xDim - textWidth - gap : xDim + gap;
    s.CurrentY = (y1 + y2) / 2 - height / 2;
    if (level) s.CurrentY = SlideClearOfLevel(s.CurrentY, height, *level, gap);
    // a text with no room between its extension lines, which run past it,
    // stands beyond them: above both, or below both where another text
    // already stands above; a water level there moves it farther out
    if (s.CurrentY < top + gap || s.CurrentY + height > bottom - gap) {
        const double above = top - gap - height, below = bottom + gap;
        auto free = [&](double y) {
            const TextBox wide{s.CurrentX - textWidth, y, 3 * textWidth, height};
            return taken == nullptr || std::none_of(taken->begin(), taken->end(),
                                                    [&](const TextBox& t) { return Overlap(Grown(wide, gap), t); });
        };
        const bool under = !free(above) && free(below);
        s.CurrentY = under ? below : above;
        if (level && *level > s.CurrentY - gap && *level < s.CurrentY + height + gap)
            s.CurrentY = under ? *level + gap : *level - gap - height;
    }
    PrintClear(m, s, text, true, y1 > y2 ? AwayFrom::Left : AwayFrom::Right, taken, 30 * u, xDim, (y1 + y2) / 2);
}

}  // namespace brindlemar

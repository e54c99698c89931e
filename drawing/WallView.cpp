#include "drawing/WallView.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "drawing/Legend.h"
#include "drawing/Primitives.h"
#include "drawing/TextPlacement.h"
#include "analysis/WaterPressure.h"
#include "model/Outline.h"
#include "runtime/Colours.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"

namespace brindlemar {

namespace {

// Fills are drawn as lines 15 units apart: one screen pixel, a fine hatch on paper.
constexpr double kFillPitch = 15;

// The six wall colours the wall is drawn in: the user's, or light greys
// under a force diagram. The drawing holds its own; the user's stay as set.
struct WallPalette {
    int32_t Backfill, Ground, Water, Outline, Concrete, Restraint;
};

WallPalette PaletteOf(const Model& m, bool grey) {
    if (grey)
        return {RGB(235, 235, 235), RGB(235, 235, 235), RGB(245, 245, 245),
                RGB(200, 200, 200), RGB(225, 225, 225), RGB(200, 200, 200)};
    return {m.BackfillColour, m.GroundColour, m.WaterColour, m.OutlineColour, m.ConcreteColour, m.RestraintColour};
}

struct Point {
    double x, y;
};

Point Node(const Surface& s, int i) { return {s.Drawing().DrawingXCoordinates[i], s.Drawing().DrawingYCoordinates[i]}; }

// y of the straight edge from a to b at x
double EdgeY(Point a, Point b, double x) {
    if (b.x == a.x) return a.y;
    return a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x);
}

// Where a water level meets the wall: on the stem face (nodes 12 and 13),
// else on the top of toe or heel (nodes 16 and 17), which is the toe tip or
// the heel end when the water stands lower.
double FrontWaterMeetsX(const Model& m, const Surface& s) {
    return Node(s, FrontWaterZone(m) == WaterZone::OnStem ? 12 : 16).x;
}

double BackWaterMeetsX(const Model& m, const Surface& s) { return Node(s, BackWaterZone(m) == WaterZone::OnStem ? 13 : 17).x; }

// The usual water-level sign standing on the level at x: an inverted
// triangle above the line and three shortening strokes below it.
void DrawWaterLevelMark(const WallPalette& c, Surface& s, double x, double y) {
    const double size = 2.0 * s.Drawing().ArrowHeadSize;
    const int32_t colour = c.Outline;
    const int width = s.Drawing().DetailPenWidth;
    DrawLineSolid(s, x - size / 2, y - 0.8 * size, x + size / 2, y - 0.8 * size, colour, width);
    DrawLineSolid(s, x - size / 2, y - 0.8 * size, x, y, colour, width);
    DrawLineSolid(s, x + size / 2, y - 0.8 * size, x, y, colour, width);
    for (int k = 1; k <= 3; ++k) {
        const double half = size / 2 * (1 - (k - 1) / 3.0);
        const double yk = y + k * size / 4;
        DrawLineSolid(s, x - half, yk, x + half, yk, colour, width);
    }
}

// The frame's right and bottom edges lie just outside it: the last pixel
// inside is one pixel before them.
double FrameRight(const Surface& s) { return s.Drawing().FrameWidth - s.TwipsPerPixelX(); }
double FrameBottom(const Surface& s) {
    return static_cast<double>(s.Drawing().FrameTop) + s.Drawing().FrameHeight - s.TwipsPerPixelY();
}

void FillSoilAndWater(const Model& m, const WallPalette& c, Surface& s) {
    const Point n1 = Node(s, 1), n3 = Node(s, 3), n4 = Node(s, 4), n5 = Node(s, 5), n8 = Node(s, 8),
                n11 = Node(s, 11), n40 = Node(s, 40);
    const double right = FrameRight(s);
    const double bottom = FrameBottom(s);
    const double top = s.Drawing().FrameTop;

    // backfill over the heel; the concrete covers its part of the rectangle later
    DrawBox(s, n8.x, n8.y, n5.x, n5.y, c.Backfill);
    if (m.BackfillSlopeRatio > 0 && n8.y > n40.y) {
        // the wedge above the wall top, up to the surface from node 8 to node 40
        for (double y = std::nearbyint(n1.y); y >= n40.y; y -= kFillPitch) {
            const double x = n8.x + (n40.x - n8.x) * (n8.y - y) / (n8.y - n40.y);
            DrawBox(s, x, y, n40.x, y, c.Backfill);
        }
    }

    // natural ground: beyond the heel, under the base and in front of the toe
    DrawBox(s, n5.x, n40.y, right, n5.y, c.Ground);
    DrawBox(s, n11.x, n4.y, right, bottom, c.Ground);
    DrawBox(s, n11.x, n3.y, n4.x, n4.y, c.Ground);
    if (m.BackfillSlopeRatio > 0) {
        // the ground beyond node 40 rises on with the backfill slope, up to the frame's top
        for (double y = n40.y; y > top; y -= kFillPitch) {
            const double x = n40.x + BackfillRun(m, n40.y - y);
            if (x >= right) break;
            DrawBox(s, x, y, right, y, c.Ground);
        }
    }

    // the water in front of the wall, down to the top of the toe tip
    if (m.WaterIncluded != 0) {
        const double level = FrontWaterLevel(m, s);
        if (level < n3.y) DrawBox(s, n11.x, level, Node(s, 12).x, n3.y, c.Water);
    }
}

void DrawGroundLines(const Model& m, const WallPalette& c, Surface& s) {
    const Point n3 = Node(s, 3), n6 = Node(s, 6), n8 = Node(s, 8), n11 = Node(s, 11), n40 = Node(s, 40);
    const double right = FrameRight(s);
    const double top = s.Drawing().FrameTop;

    // the backfill surface to the frame's right edge, a slope stopping at the frame's top
    Point end{right, n8.y - BackfillRise(m, right - n8.x)};
    if (m.BackfillSlopeRatio > 0 && end.y < top) end = {n8.x + BackfillRun(m, n8.y - top), top};
    DrawLineSolid(s, n8.x, n8.y, end.x, end.y, c.Outline, s.Drawing().DetailPenWidth);
    // the ground in front of the toe, and the boundary of the backfill over the heel
    DrawLineSolid(s, n3.x, n3.y, n11.x, n3.y, c.Outline, s.Drawing().DetailPenWidth);
    DrawLineDashed(s, n6.x, n6.y, n40.x, n40.y, c.Outline, s.Drawing().DetailPenWidth);

    if (m.WaterIncluded == 0) return;
    const double size = 2.0 * s.Drawing().ArrowHeadSize;
    const double frontLevel = FrontWaterLevel(m, s), frontMeets = FrontWaterMeetsX(m, s);
    DrawLineSolid(s, n11.x, frontLevel, frontMeets, frontLevel, c.Outline, s.Drawing().DetailPenWidth);
    DrawWaterLevelMark(c, s, std::max(n11.x + size, frontMeets - 2 * size), frontLevel);
    const double backLevel = BackWaterLevel(m, s), backMeets = BackWaterMeetsX(m, s), backEnd = Node(s, 14).x;
    DrawLineSolid(s, backMeets, backLevel, backEnd, backLevel, c.Outline, s.Drawing().DetailPenWidth);
    DrawWaterLevelMark(c, s, std::min(backEnd - size, backMeets + 2 * size), backLevel);
}

// Vertical lines 15 apart across one part of the concrete, each kept 15
// inside the part's top and bottom edges so the outline drawn later stays clear.
void FillConcretePart(const WallPalette& c, Surface& s, Point topLeft, Point topRight, double base) {
    if (!(topRight.x > topLeft.x)) return;
    for (double x = topLeft.x; x <= topRight.x; x += kFillPitch) {
        const double yTop = EdgeY(topLeft, topRight, x) + kFillPitch;
        const double yBottom = base - kFillPitch;
        if (yBottom > yTop) DrawBox(s, x, yBottom, x, yTop, c.Concrete);
    }
}

void FillConcrete(const Model& m, const WallPalette& c, Surface& s) {
    const Point n1 = Node(s, 1), n2 = Node(s, 2), n3 = Node(s, 3), n6 = Node(s, 6), n7 = Node(s, 7),
                n8 = Node(s, 8);
    const double base = Node(s, 4).y;
    if (m.ToeLength > 0) FillConcretePart(c, s, n3, n2, base);
    if (m.StemFrontBatter > 0) FillConcretePart(c, s, n2, n1, base);
    FillConcretePart(c, s, n1, n8, base);
    if (m.StemBackBatter > 0) FillConcretePart(c, s, n8, n7, base);
    if (m.HeelLength > 0) FillConcretePart(c, s, n7, n6, base);
}

bool ShearKeyShown(const Model& m) { return m.ShearKeyIncluded == 1 && m.ShearKeyDepth > 0; }

void DrawOutline(const Model& m, const WallPalette& c, Surface& s, bool fillAreas) {
    const Point n[9] = {{0, 0},     Node(s, 1), Node(s, 2), Node(s, 3), Node(s, 4),
                        Node(s, 5), Node(s, 6), Node(s, 7), Node(s, 8)};
    const int32_t outline = c.Outline;
    const int pen = s.Drawing().OutlinePenWidth;
    const double keyLeft = n[4].x + m.ShearKeyToeDistance * s.Drawing().DrawingScale;
    const double keyRight = n[5].x - m.ShearKeyHeelDistance * s.Drawing().DrawingScale;
    const double keyBottom = n[4].y + m.ShearKeyDepth * s.Drawing().DrawingScale;

    if (ShearKeyShown(m) && fillAreas) DrawBox(s, keyLeft, n[4].y, keyRight, keyBottom, c.Concrete);
    const int part = s.OwnerPart;
    s.OwnerPart = PartWall;

    DrawLineSolid(s, n[1].x, n[1].y, n[2].x, n[2].y, outline, pen);
    DrawLineSolid(s, n[2].x, n[2].y, n[3].x, n[3].y, outline, pen);
    DrawLineSolid(s, n[3].x, n[3].y, n[4].x, n[4].y, outline, pen);
    if (ShearKeyShown(m)) {
        // the base runs to the key, a thin dashed line across its top, then
        // on to the heel; that line is a joint within the wall, not its
        // outline, which runs round the key
        DrawLineSolid(s, n[4].x, n[4].y, keyLeft, n[4].y, outline, pen);
        s.OwnerPart = part;
        DrawLineDashed(s, keyLeft, n[4].y, keyRight, n[4].y, outline, s.Drawing().DetailPenWidth);
        s.OwnerPart = PartWall;
        DrawLineSolid(s, keyRight, n[5].y, n[5].x, n[5].y, outline, pen);
    } else {
        DrawLineSolid(s, n[4].x, n[4].y, n[5].x, n[5].y, outline, pen);
    }
    DrawLineSolid(s, n[5].x, n[5].y, n[6].x, n[6].y, outline, pen);
    DrawLineSolid(s, n[6].x, n[6].y, n[7].x, n[7].y, outline, pen);
    DrawLineSolid(s, n[7].x, n[7].y, n[8].x, n[8].y, outline, pen);
    DrawLineSolid(s, n[8].x, n[8].y, n[1].x, n[1].y, outline, pen);

    if (ShearKeyShown(m)) {
        DrawLineSolid(s, keyLeft, n[4].y, keyLeft, keyBottom, c.Restraint, pen);
        DrawLineSolid(s, keyLeft, keyBottom, keyRight, keyBottom, c.Restraint, pen);
        DrawLineSolid(s, keyRight, keyBottom, keyRight, n[5].y, c.Restraint, pen);
    }
    s.OwnerPart = part;

    if (m.AdjacentStructureIncluded != 0) {
        // a restraint mark under the base: a triangle with its apex on the base
        const double x = n[4].x + m.AdjacentStructurePosition * s.Drawing().DrawingScale, y = n[4].y;
        DrawLineSolid(s, x, y, x - 60, y + 120, c.Restraint, pen);
        DrawLineSolid(s, x, y, x + 60, y + 120, c.Restraint, pen);
        DrawLineSolid(s, x - 60, y + 120, x + 60, y + 120, c.Restraint, pen);
    }
}

std::string Dimension(double value) { return Format(value, "#0.#0"); }

}  // namespace

// Measured up from the base underside, so that a level with no water above
// the base lies exactly on the drawn base, not a rounding off it.
double FrontWaterLevel(const Model& m, const Surface& s) { return Node(s, 4).y - s.Drawing().DrawingScale * FrontWaterHeight(m); }
double BackWaterLevel(const Model& m, const Surface& s) { return Node(s, 5).y - s.Drawing().DrawingScale * BackWaterHeight(m); }

DimensionTextWidths MeasureDimensionTexts(const Model& m, Surface& s) {
    auto widest = [&](std::initializer_list<double> values) {
        double w = 0;
        for (double v : values)
            if (v > 0) w = std::max(w, s.TextWidth(Dimension(v)));
        return w;
    };
    DimensionTextWidths w;
    w.Front = widest({m.FrontStemHeight, m.ToeTopDrop, m.ToeTipThickness});
    w.WallHeight = widest({m.WallHeight});
    w.Back = widest({m.BackStemHeight, m.HeelTopDrop, m.HeelEndThickness,
                     ShearKeyShown(m) ? double(m.ShearKeyDepth) : 0.0});
    w.Height = s.TextHeight("0");
    return w;
}

KeyDimensionRows PlaceKeyDimensionRows(const Model& m, Surface& s, int noText, double height) {
    const double u = OffsetScale(s), scale = s.Drawing().DrawingScale;
    const Point n4 = Node(s, 4);
    const double keyBottom = n4.y + m.ShearKeyDepth * scale;
    const double below = std::max(m.BaseWidth / 10.0, static_cast<double>(m.ShearKeyDepth)) * scale;
    KeyDimensionRows rows{n4.y + below + 240 * u, 0};
    // (on screen a text too wide for its span stands 120 further down, and
    // one that would touch such a neighbour a height further still)
    rows.Base = rows.Key + (noText == 0 ? 240 * u : 300 * u + 2.5 * height);
    if (noText == 0 && m.ShearKeyWidth > 0) {
        // On paper the key's row keeps so far under the key that the width
        // stands clear of the key's bottom, over its line off the heads. A
        // width wider than the key would stand across the key's extension
        // lines there: it stands 120 under its line, beyond their ends, and
        // the base's row keeps 240 under it.
        const std::string keyWidth = Dimension(m.ShearKeyWidth);
        if (KeyWidthUnder(m, s)) {
            rows.Base = rows.Key + 120 * u + s.TextHeight(keyWidth) + 240 * u;
        } else {
            rows.Key = std::max(rows.Key, keyBottom + s.Drawing().ArrowHeadSize / 2 + s.TextHeight(keyWidth) + 15 * u);
            rows.Base = rows.Key + 240 * u;
        }
    }
    return rows;
}

bool KeyWidthUnder(const Model& m, Surface& s) {
    const double scale = s.Drawing().DrawingScale;
    return s.TextWidth(Dimension(m.ShearKeyWidth)) >= m.ShearKeyWidth * scale - 60 * OffsetScale(s);
}

int32_t AreaColourAt(const Model& m, const Surface& s, double x, double y) {
    // the concrete first, as DrawWall fills it over the soil
    const int outline[] = {1, 2, 3, 4, 5, 6, 7, 8};
    bool inside = false;
    for (int i = 0, j = 7; i < 8; j = i++) {
        const Point a = Node(s, outline[i]), b = Node(s, outline[j]);
        if ((a.y > y) != (b.y > y) && x < a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y)) inside = !inside;
    }
    const Point n3 = Node(s, 3), n4 = Node(s, 4), n5 = Node(s, 5), n8 = Node(s, 8), n11 = Node(s, 11),
                n40 = Node(s, 40);
    const double scale = s.Drawing().DrawingScale;
    if (ShearKeyShown(m) && y >= n4.y && y <= n4.y + m.ShearKeyDepth * scale &&
        x >= n4.x + m.ShearKeyToeDistance * scale && x <= n5.x - m.ShearKeyHeelDistance * scale)
        inside = true;
    if (inside) return m.ConcreteColour;
    // the soil surface behind the wall, level or rising from the top of the stem's back face
    const double surface = x <= n8.x ? n8.y : n8.y - BackfillRise(m, x - n8.x);
    if (x >= n8.x && x <= n5.x && y >= std::min(surface, n8.y) && y <= n5.y) return m.BackfillColour;
    if (x > n5.x && y >= std::min(surface, n40.y) && y <= n5.y) return m.GroundColour;
    if (x >= n11.x && y >= n4.y) return m.GroundColour;
    if (x >= n11.x && x <= n4.x && y >= n3.y) return m.GroundColour;
    if (m.WaterIncluded != 0 && x >= n11.x && x <= Node(s, 12).x && y >= FrontWaterLevel(m, s) && y <= n3.y)
        return m.WaterColour;
    return RGB(255, 255, 255);
}

bool WaterLevelShown(const Model& m, float depth) { return m.WaterIncluded != 0 && depth > 0; }

VerticalDimensionLines PlaceVerticalDimensionLines(const Surface& s, const DimensionTextWidths& widths) {
    const double u = OffsetScale(s);
    // a text stands 30 off its own line; the next one keeps 45 and half a
    // height further: as near as its own, the text would read as that one's
    const double clear = 75 * u + widths.Height / 2;
    VerticalDimensionLines x;
    x.Front = Node(s, 11).x - 240 * u;
    x.WallHeight = std::min(Node(s, 15).x - 600 * u, x.Front - clear - widths.Front);
    // the water's edges: nodes 11 and 15 share the left one, 14 and 18 the right
    x.FrontWater = std::min(Node(s, 11).x - 960 * u, x.WallHeight - clear - widths.WallHeight);
    x.Back = Node(s, 10).x + 240 * u;
    x.BackWater = std::max(Node(s, 14).x + 600 * u, x.Back + clear + widths.Back);
    return x;
}

void DrawWall(const Model& m, Surface& s, int fillAreas, int greyPalette, LeastMargins least) {
    BusyPointer busy;
    const WallPalette c = PaletteOf(m, greyPalette != 0);
    ComputeDrawingScale(m, s, least);
    if (!DrawingFitted(s)) return;

    if (fillAreas != 0) FillSoilAndWater(m, c, s);
    DrawGroundLines(m, c, s);
    if (fillAreas != 0) FillConcrete(m, c, s);
    DrawOutline(m, c, s, fillAreas != 0);
}

void DrawDimensionsView(const Model& m, Surface& s, int noText, const DimensionTextWidths* labels) {
    if (!DrawingFitted(s)) return;
    BusyPointer busy;
    const Point n1 = Node(s, 1), n2 = Node(s, 2), n3 = Node(s, 3), n4 = Node(s, 4), n5 = Node(s, 5),
                n6 = Node(s, 6), n7 = Node(s, 7), n8 = Node(s, 8), n10 = Node(s, 10), n11 = Node(s, 11),
                n14 = Node(s, 14), n18 = Node(s, 18), n50 = Node(s, 50);
    const double scale = s.Drawing().DrawingScale;
    // the lines stand off the wall by screen twips, more on a large sheet
    const double u = OffsetScale(s);
    // texts that would land on one another move apart
    TextBoxes taken;

    // across the top, above the highest point of the backfill
    const double yTop = n10.y - 240 * u;
    if (m.ToeLength > 0)
        DrawDimensionHorizontal(m, s, n3.x, n2.x, n3.y, n2.y, yTop, Dimension(m.ToeLength), 1, 0, noText, &taken);
    if (m.StemFrontBatter > 0)
        DrawDimensionHorizontal(m, s, n2.x, n1.x, n2.y, n1.y, yTop, Dimension(m.StemFrontBatter), 0, 0, noText, &taken);
    if (m.StemTopThickness > 0)
        DrawDimensionHorizontal(m, s, n1.x, n8.x, n1.y, n8.y, yTop, Dimension(m.StemTopThickness), 0, 0, noText, &taken);
    if (m.StemBackBatter > 0)
        DrawDimensionHorizontal(m, s, n8.x, n7.x, n8.y, n7.y, yTop, Dimension(m.StemBackBatter), 0, 0, noText, &taken);
    if (m.HeelLength > 0)
        DrawDimensionHorizontal(m, s, n7.x, n6.x, n7.y, n6.y, yTop, Dimension(m.HeelLength), 2, 0, noText, &taken);

    // the base, and the shear key under it
    if (!ShearKeyShown(m)) {
        if (m.BaseWidth > 0)
            DrawDimensionHorizontal(m, s, n4.x, n5.x, n4.y, n5.y, n50.y + 240 * u, Dimension(m.BaseWidth), 0, 0,
                                    noText, &taken);
    } else {
        const double keyBottom = n4.y + m.ShearKeyDepth * scale;
        const double keyLeft = n4.x + m.ShearKeyToeDistance * scale;
        const double keyRight = n5.x - m.ShearKeyHeelDistance * scale;
        const KeyDimensionRows rows =
            PlaceKeyDimensionRows(m, s, noText, labels != nullptr ? labels->Height : s.TextHeight("0"));
        const double keyLine = rows.Key, baseLine = rows.Base;
        const std::string keyWidth = Dimension(m.ShearKeyWidth);
        // ends in reverse, a text stands under its line
        const bool under = noText == 0 && KeyWidthUnder(m, s);
        if (m.BaseWidth > 0)
            DrawDimensionHorizontal(m, s, n4.x, n5.x, keyBottom, keyBottom, baseLine, Dimension(m.BaseWidth), 0, 0,
                                    noText, &taken);
        if (m.ShearKeyToeDistance > 0)
            DrawDimensionHorizontal(m, s, n4.x, keyLeft, keyBottom, keyBottom, keyLine,
                                    Dimension(m.ShearKeyToeDistance), 1, 0, noText, &taken);
        if (m.ShearKeyWidth > 0)
            DrawDimensionHorizontal(m, s, under ? keyRight : keyLeft, under ? keyLeft : keyRight, keyBottom, keyBottom,
                                    keyLine, keyWidth, 0, 0, noText,
                                    &taken);
        if (m.ShearKeyHeelDistance > 0)
            DrawDimensionHorizontal(m, s, keyRight, n5.x, keyBottom, keyBottom, keyLine,
                                    Dimension(m.ShearKeyHeelDistance), 2, 0, noText, &taken);
    }

    // heights in front of the wall (texts left of their lines) and behind it (right)
    const VerticalDimensionLines lines =
        PlaceVerticalDimensionLines(s, labels != nullptr ? *labels : MeasureDimensionTexts(m, s));
    const double xFront = lines.Front, xBack = lines.Back;
    // their texts keep off the water levels' extension lines, which run across them
    const std::optional<double> front = WaterLevelShown(m, m.FrontWaterDepth) ? std::optional(FrontWaterLevel(m, s))
                                                                                : std::nullopt;
    const std::optional<double> back = WaterLevelShown(m, m.BackWaterDepth) ? std::optional(BackWaterLevel(m, s))
                                                                              : std::nullopt;
    auto vertical = [&](float value, Point a, Point b, double x, std::optional<double> level) {
        if (value > 0) DrawDimensionVertical(m, s, a.x, b.x, a.y, b.y, x, Dimension(value), 0, noText, &taken, level);
    };
    vertical(m.FrontStemHeight, n2, n1, xFront, front);
    vertical(m.ToeTopDrop, n3, n2, xFront, front);
    vertical(m.ToeTipThickness, n4, n3, xFront, front);
    vertical(m.BackStemHeight, n8, n7, xBack, back);
    vertical(m.HeelTopDrop, n7, n6, xBack, back);
    vertical(m.HeelEndThickness, n6, n5, xBack, back);
    vertical(m.WallHeight, n4, n1, lines.WallHeight, front);

    // the water depths below the wall top, outermost on each side, from the
    // water's edges (nodes 11 and 15 share the left one, 14 and 18 the right)
    if (m.WaterIncluded != 0) {
        if (m.FrontWaterDepth > 0)
            DrawDimensionVertical(m, s, n11.x, n1.x, FrontWaterLevel(m, s), n1.y, lines.FrontWater,
                                  Dimension(m.FrontWaterDepth), 0, noText, &taken);
        if (m.BackWaterDepth > 0)
            DrawDimensionVertical(m, s, n8.x, n14.x, n8.y, BackWaterLevel(m, s), lines.BackWater,
                                  Dimension(m.BackWaterDepth), 0, noText, &taken);
    }

    // the depth of the shear key, continuing the heights behind the heel
    if (ShearKeyShown(m)) {
        const double keyRight = n5.x - m.ShearKeyHeelDistance * scale;
        DrawDimensionVertical(m, s, n5.x, keyRight, n5.y, n5.y + m.ShearKeyDepth * scale, n18.x + 240 * u,
                              Dimension(m.ShearKeyDepth), 0, noText, &taken);
    }

    // the backfill slope mark half-way along the surface behind the heel
    const double middle = (n6.x + n10.x) / 2;
    const bool sloping = m.BackfillSlopeRatio > 0;
    if (noText != 0 || sloping) {
        const double surface = n10.y + BackfillRise(m, (n10.x - n6.x) / 2);
        DrawLineSolid(s, middle, n10.y - 180 * u, n10.x + 480 * u, n10.y - 180 * u, m.DimensionLineColour, 1);
        int32_t colour = m.DimensionLineColour;
        int width = 1;
        DrawArrow(s, middle, n10.y - 180 * u, middle, surface, 1, colour, width);
        if (noText == 0) {
            // the ratio stands on the mark's level line, which it labels
            const std::string ratio = "1 : " + Dimension(m.BackfillSlopeRatio);
            s.ForeColor = m.DimensionTextColour;
            s.CurrentY = n10.y - 210 * u - s.TextHeight(ratio);
            s.LabelNextText(middle, n10.y - 180 * u, n10.x + 480 * u, n10.y - 180 * u);
            PrintCentered(s, ratio, middle + 480 * u);
        }
    }

    // the caption at the bottom left of the frame, where the analysis views keep their legend
    PrintLegend(m, s, {"Dimensions in " + UnitLabel(m, m.LengthUnitLabels)});
}

}  // namespace brindlemar

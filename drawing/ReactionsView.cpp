#include "drawing/ReactionsView.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "drawing/ForceArrows.h"
#include "drawing/LabelLayer.h"
#include "drawing/LoadsView.h"
#include "drawing/Primitives.h"
#include "drawing/PressureTrapezoids.h"
#include "runtime/Colours.h"
#include "runtime/Hooks.h"

namespace brindlemar {

namespace {

// The eccentricity zones from the middle of the base outwards: outer limit
// in sixths of the half base width, and colour.
struct Zone {
    int sixths;
    int32_t colour;
};
const std::array<Zone, 5> kZones{{
    {2, RGB(0, 255, 0)},
    {3, RGB(180, 255, 0)},
    {4, RGB(255, 255, 0)},
    {5, RGB(255, 204, 0)},
    {6, RGB(255, 0, 0)},
}};

// How far within the concrete the forces on the base's underside run.
constexpr double kWithinBase = 1;

std::string PressureText(double p) { return p != 0 ? LoadValueText(p) : ""; }

}  // namespace

int32_t EccentricityZoneColour(double e, double baseWidth) {
    // |e| <= (k/6)(B/2) compared as 12|e| <= kB, exact for stored values,
    // so that e = B/6 is green; the last zone holds everything beyond 5/6,
    // even beyond the base
    const double size = 12 * std::fabs(e);
    for (size_t i = 0; i + 1 < kZones.size(); ++i)
        if (size <= kZones[i].sixths * baseWidth) return kZones[i].colour;
    return kZones.back().colour;
}

void SetReactionsArrowScale(const Model& m, Surface& s) {
    const double largest = std::max(m.LeftBearingPressure, m.RightBearingPressure);
    if (largest != 0) s.Drawing().LoadArrowScale = static_cast<float>(s.Drawing().ForceArrowLength / largest);
}

void DrawReactionsView(const Model& m, Surface& surface) {
    BusyPointer busy;
    // the values are laid out last, clear of the arrows, the band and one another
    LabelLayer s = ViewLabelLayer(surface);
    if (!DrawingFitted(s)) return;
    const double xToe = s.Drawing().DrawingXCoordinates[4], yBase = s.Drawing().DrawingYCoordinates[4];
    const double scale = s.Drawing().DrawingScale;

    // the band of zones under the base: outermost first, each inner zone over it
    const double middle = xToe + scale * m.BaseWidth / 2;
    const double half = scale * m.BaseWidth / 2;
    const int bandPen = static_cast<int>(std::nearbyint(1.5 * s.Drawing().OutlinePenWidth));
    for (size_t i = kZones.size(); i-- > 0;) {
        const double reach = kZones[i].sixths / 6.0 * half;
        DrawLineSolid(s, middle, yBase - 30, middle - reach, yBase - 30, kZones[i].colour, bandPen);
        DrawLineSolid(s, middle, yBase - 30, middle + reach, yBase - 30, kZones[i].colour, bandPen);
    }
    DrawLineSolid(s, middle, yBase, middle, yBase - 240, m.OutlineColour, s.Drawing().DetailPenWidth);

    // The resultant, ending where it meets the base and pointing the way it
    // acts: H > 0 towards the heel, V > 0 downwards.
    int32_t colour = EccentricityZoneColour(m.EccentricityFromMidbase, m.AnalysisBaseWidth);
    const double px = xToe + scale * m.EccentricityFromOverturningPoint, py = yBase;
    const double H = m.TotalHorizontalForce, V = m.TotalVerticalForce;
    const double R = std::hypot(H, V);
    if (R > 0) {
        // a thing of its own: the leaders of the other values keep off it
        const DrawnFor owner(s);
        const double L2 = 2.0 * s.Drawing().ForceArrowLength;
        const double tailX = px - L2 * H / R, tailY = py - L2 * V / R;
        int pen = s.Drawing().ResultantArrowPenWidth;
        DrawArrow(s, tailX, tailY, px, py, 1, colour, pen);
        // the value beyond the tail: above an arrow coming down, below one going up
        const std::string text = LoadValueText(R) + "R";
        s.ForeColor = colour;
        s.CurrentX = tailX - s.TextWidth(text) / 2;
        s.CurrentY = tailY <= py ? tailY - s.TextHeight(text) : tailY;
        s.Print(text);
    }

    // base pressure hanging under the base over the contact width, arrows pointing up
    const double left = m.LeftBearingPressure, right = m.RightBearingPressure;
    DrawPressureTrapezoidH(s, xToe + scale * m.BearingContactStart, xToe + scale * m.BearingContactEnd,
                           yBase + 45, -left * s.Drawing().LoadArrowScale, -right * s.Drawing().LoadArrowScale, PressureText(left),
                           PressureText(right), m.LoadColour, m.LoadLabelColour, s.Drawing().LoadOutlinePenWidth);

    // the net horizontal load at the base, the way it acts (towards the toe
    // for H < 0), on the other side of the resultant's point from its tail;
    // its value stands above the band of zones, which runs just over the shaft
    // It acts on the base: it runs along the base's underside a twip within
    // the concrete, so that its value reads as the base's and may be led to
    // it across the concrete where the band and the pressures leave no room.
    const double bandReach = 30 + bandPen * s.TwipsPerPixelY() / 2;
    DrawInclinedForce(s, px, py - kWithinBase, H, 2 * std::atan(1.0), "", m.LoadColour, m.LoadLabelColour,
                      s.Drawing().LoadArrowPenWidth, bandReach);
}

}  // namespace brindlemar

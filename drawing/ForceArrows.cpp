#include "drawing/ForceArrows.h"

#include <cmath>

#include "drawing/LabelLayer.h"
#include "drawing/Primitives.h"
#include "runtime/Colours.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

// Room between an arrow and its text.
constexpr double kTextGap = 30;

void DrawForceArrow(Surface& s, double x1, double y1, double x2, double y2, int32_t colour,
                    int pen) {
    DrawArrow(s, x1, y1, x2, y2, 1, colour, pen);
}

// The value of the arrow from (x1, y1) to (x2, y2), printed at (x, y): it
// labels the whole arrow, and where it must be led away, a leader reaches
// the arrow's nearest point.
void PrintForceText(Surface& s, const std::string& text, double x, double y, int32_t colour, double x1, double y1,
                    double x2, double y2) {
    NextTextLabels(s, x1, y1, x2, y2, LedWhenCrowded, true);
    s.CurrentX = x;
    s.CurrentY = y;
    s.ForeColor = colour;
    PrintLoadValue(s, text);
}

}  // namespace

void NextTextLabelsPoint(Surface& s, double x, double y) { NextTextLabels(s, x, y, x, y, LedWhenCrowded); }

void PrintLoadValue(Surface& s, const std::string& text) {
    if (text.empty()) return;
    const double x = s.CurrentX, y = s.CurrentY;
    const int32_t colour = s.ForeColor;
    s.FilledBox(x, y, x + s.TextWidth(text), y + TwipsPerPoint * s.FontSize, RGB(255, 255, 255));
    s.CurrentX = x;
    s.CurrentY = y;
    s.ForeColor = colour;
    s.Print(text);
}

std::string LoadValueText(double value) { return Format(value, "#0.#0"); }

std::string LoadCodeText(const Model& m, int code) {
    if (code < 0 || code >= static_cast<int>(m.CurrentFactorDefinition.FactorCode.size())) return "";
    return m.CurrentFactorDefinition.FactorCode[static_cast<size_t>(code)];
}

void DrawInclinedForce(Surface& s, double x, double y, double magnitude, double angle,
                       const std::string& label, int32_t arrowColour, int32_t textColour, int pen,
                       double clearance, double length) {
    if (!(std::fabs(magnitude) >= NegligibleForce)) return;
    // a negative force points the other way
    if (magnitude < 0) angle += 4 * std::atan(1.0);
    const DrawnFor owner(s);
    const double L = length > 0 ? length : s.Drawing().ForceArrowLength;
    const double ux = std::sin(angle), uy = -std::cos(angle);
    DrawForceArrow(s, x, y, x + L * ux, y + L * uy, arrowColour, pen);

    // The text stands beside the middle of the shaft, moved across it far
    // enough to clear it: on the right of an upright arrow, above a level one.
    const std::string text = LoadValueText(std::fabs(magnitude)) + label;
    const double tw = s.TextWidth(text);
    const double th = TwipsPerPoint * s.FontSize;
    double nx = std::cos(angle), ny = std::sin(angle);
    if (nx - ny < -1E-9) {
        nx = -nx;
        ny = -ny;
    }
    const double d = tw / 2 * std::fabs(nx) + th / 2 * std::fabs(ny) + kTextGap + clearance;
    PrintForceText(s, text, x + L / 2 * ux + d * nx - tw / 2, y + L / 2 * uy + d * ny - th / 2, textColour, x, y,
                   x + L * ux, y + L * uy);
}

void DrawHorizontalLoadArrow(Surface& s, double x, double y, double value,
                             const std::string& label, int32_t arrowColour, int32_t textColour, int pen) {
    if (value == 0) return;
    const DrawnFor owner(s);
    const double end = x + (value > 0 ? 1 : -1) * s.Drawing().ForceArrowLength;
    DrawForceArrow(s, x, y, end, y, arrowColour, pen);
    const std::string text = LoadValueText(std::fabs(value)) + label;
    // centred above the shaft
    PrintForceText(s, text, (x + end) / 2 - s.TextWidth(text) / 2, y - TwipsPerPoint * s.FontSize - kTextGap,
                   textColour, x, y, end, y);
}

void DrawVerticalLoadArrow(Surface& s, double x, double y, double value,
                           const std::string& label, int32_t arrowColour, int32_t textColour, int pen) {
    if (value == 0) return;
    const DrawnFor owner(s);
    const double end = y + (value > 0 ? 1 : -1) * s.Drawing().ForceArrowLength;
    DrawForceArrow(s, x, y, x, end, arrowColour, pen);
    // right of the shaft, on its middle
    PrintForceText(s, LoadValueText(std::fabs(value)) + label, x + 15, (y + end) / 2 - s.TextHeight("") / 2,
                   textColour, x, y, x, end);
}

}  // namespace brindlemar

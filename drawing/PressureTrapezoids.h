#pragma once
// Linearly varying pressure drawn as a row of arrows inside a trapezoid
// outline, on a vertical or a horizontal line. The ordinates are drawing
// units (pressure times LoadArrowScale); an arrow runs from the outer
// ordinate to its head on the line, so a positive ordinate lies left of a
// vertical line and above a horizontal one. The arrows stand on a grid of
// ArrowHeadSize counted from the frame origin, so the arrows of neighbouring
// trapezoids line up.

#include <cstdint>
#include <string>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Pressure on the line x from y1 to y2; text1 stands at the y1 end, text2 at
// the y2 end, each beyond the outer end of its ordinate.
void DrawPressureTrapezoidV(Surface& s, double y1, double y2, double x, double p1, double p2,
                            const std::string& text1, const std::string& text2, int32_t colour,
                            int32_t textColour, int pen);

// Pressure on the line y from x1 to x2; text1 stands inside the span at the
// x1 end, text2 at the x2 end, each beyond the outer line.
void DrawPressureTrapezoidH(Surface& s, double x1, double x2, double y, double p1, double p2,
                            const std::string& text1, const std::string& text2, int32_t colour,
                            int32_t textColour, int pen);

}  // namespace brindlemar

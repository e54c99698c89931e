#pragma once
// The fitting of the wall into the drawing frame, pen widths, and the
// primitives every view is built from: solid and dashed lines, filled boxes,
// arrows and dimensions. Coordinates are the surface's twips.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "drawing/Surface.h"
#include "drawing/TextPlacement.h"
#include "model/Model.h"

namespace brindlemar {

// Fits the wall into the frame: margins, scale, offsets and the drawing
// coordinates of the outline nodes as prepared (PrepareWall). A frame with
// no room left for the wall, or a wall of no extent, gets scale 0: see
// DrawingFitted.
// A view that writes values around the wall may ask for wider margins than
// the usual shares of the frame (see SetDrawingMargins).
struct LeastMargins {
    double X = 0, Y = 0;
};
void ComputeDrawingScale(const Model& m, Surface& s, LeastMargins least = {});

// The room kept beside and above the wall: the fractions of the frame's
// width and height, rounded half to even. A margin is widened to its least
// value where that is more, but to no more than seven tenths of the width
// or half the height, so that a small frame still shows the wall.
void SetDrawingMargins(Surface& s, double fractionX, double fractionY, LeastMargins least = {});

// True when the last fitting placed the wall; a view draws nothing otherwise.
bool DrawingFitted(const Surface& s);

// Device pixels of a pen `widthMm` millimetres wide, at least 1, not rounded.
double PenWidthPixels(const Surface& s, double widthMm);

// How much the drawing's fixed offsets (in screen twips) grow on this
// surface: 1 on screen, the report's print scale on paper, where the fonts
// grow by it too. Read off the arrow-head size, which the report scales.
double OffsetScale(const Surface& s);

// A solid line; a negative colour is the surface's ForeColor, which the
// line then leaves set to its colour. Width 0 is one pixel.
void DrawLineSolid(Surface& s, double x1, double y1, double x2, double y2, int32_t colour, int width);

// A dashed line of 180-unit dashes and 60-unit gaps, drawn dash by dash so
// that it looks the same on every device; a colour of 0 or below is the
// surface's ForeColor, which stays unchanged.
void DrawLineDashed(Surface& s, double x1, double y1, double x2, double y2, int32_t colour, int width);

// A rectangle filled solid; a colour of 0 or below is the surface's ForeColor.
void DrawBox(Surface& s, double x1, double y1, double x2, double y2, int32_t colour);

// A line from point 1 to point 2 with no, one (at point 2) or two heads of
// ArrowHeadSize; a two-headed arrow too short for its heads gets them
// outside, pointing inwards. A colour or width of 0 is taken from the
// surface and written back.
void DrawArrow(Surface& s, double x1, double y1, double x2, double y2, int heads,
               int32_t& colour, int& width);

// A horizontal dimension between the feature points (x1, yA) and (x2, yB) on
// the line y = yDim, with its text unless noText is non-zero. Mode 0 moves a
// text that does not fit away from the line; mode 1 ends it before x2; any
// other mode starts it after x1. A font size above 0 becomes the surface's.
// With `taken` given, a text that would land on one already placed moves
// further from its line until it is clear, and is added to them.
void DrawDimensionHorizontal(const Model& m, Surface& s, double x1, double x2, double yA, double yB,
                             double yDim, const std::string& text, int mode, double fontSize, int noText,
                             TextBoxes* taken = nullptr);

// A vertical dimension between the feature points (xA, y1) and (xB, y2) on
// the line x = xDim; the text stands left of the line when y1 > y2. With
// `level` given (the y of a line running across, a water level's extension
// line), the text slides along its line to keep clear of it.
void DrawDimensionVertical(const Model& m, Surface& s, double xA, double xB, double y1, double y2, double xDim,
                           const std::string& text, double fontSize, int noText, TextBoxes* taken = nullptr,
                           std::optional<double> level = std::nullopt);

// Places a dimension's text clear of the texts already taken, adds it to
// them and returns its box. A horizontal dimension's text moves `way`, away
// from its line; a vertical one's moves up along its line, since sideways it
// would reach the next line out, and it keeps clear of a text standing level
// with it on the line beside, which would read as its pair ("3.00 3.00").
TextBox PlaceDimensionText(TextBox box, bool vertical, AwayFrom way, TextBoxes& taken, double gap);

// A leader from a dimension's text to the middle (x, y) of its line, from
// the nearest point of the text's box, when the text stands further than its
// own height from that point (moved off its line by others); none otherwise.
// Where that way crosses one of the `others`, the leader starts at the
// nearest corner of the box from which it passes them all; where none does,
// there is none (under another text it would seem to lead from that one).
struct Leader {
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    // the box it spans, which the texts placed after it keep off
    TextBox Bounds() const { return {std::min(X1, X2), std::min(Y1, Y2), std::fabs(X2 - X1), std::fabs(Y2 - Y1)}; }
};
std::optional<Leader> DimensionLeader(const TextBox& box, double x, double y, const TextBoxes& others = {});

// The top of a text `height` high asked for at `top`, moved to the nearer
// side of the horizontal line at `level` when that line would run within
// `gap` of it; unchanged otherwise.
double SlideClearOfLevel(double top, double height, double level, double gap);

}  // namespace brindlemar

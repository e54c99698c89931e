#pragma once
// Fixed-length force arrows with their values: the line loads and every
// resultant of the loads, reactions and resistances views. The arrow is
// ForceArrowLength long whatever the force; the text tells its size. The
// values of forces and pressures stand on a white ground as high as the
// font's size, so that they read over the concrete and the soil that the
// views fill.

#include <cstdint>
#include <string>

#include "drawing/LabelLayer.h"
#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// A load's value that finds no free spot beside its arrow or block stands a
// little farther, joined to it by a thin leader line, never adrift.
inline constexpr LabelLayer::WhenCrowded LedWhenCrowded = LabelLayer::WhenCrowded::Leader;

// The next text printed is the value of a load read at the point (x, y):
// the middle of an arrow, the outer end of an ordinate, the middle of a
// block's edge. A point, so that a text led to it is led to that point, and
// no text stands nearer another value's point than its own.
void NextTextLabelsPoint(Surface& s, double x, double y);

// A force, a pressure ordinate or a diagram's reference value no larger
// than this, in the unit shown, is not drawn and sets no drawing scale: it
// would show as "0.00". Every picture of loads and forces holds to it.
inline constexpr double NegligibleForce = 1E-5;

// Prints a load's value at the current position on its white ground.
void PrintLoadValue(Surface& s, const std::string& text);

// The value text of a force or pressure: two decimals at most.
std::string LoadValueText(double value);

// The two-letter code of load type `code` in the factor definition in use;
// empty for a code outside the table.
std::string LoadCodeText(const Model& m, int code);

// An arrow from (x, y) in the direction `angle` (radians, 0 straight up, a
// quarter turn to the right), reversed for a negative magnitude; its value
// and label stand beside its middle, clear of the shaft, and `clearance`
// further off where the caller draws a line of its own beside the shaft.
// The arrow is `length` long, ForceArrowLength when that is 0.
void DrawInclinedForce(Surface& s, double x, double y, double magnitude, double angle,
                       const std::string& label, int32_t arrowColour, int32_t textColour, int pen,
                       double clearance = 0, double length = 0);

// A horizontal arrow from (x, y), to the right for a positive value and to
// the left for a negative one, its text centred above it.
void DrawHorizontalLoadArrow(Surface& s, double x, double y, double value,
                             const std::string& label, int32_t arrowColour, int32_t textColour, int pen);

// A vertical arrow from (x, y), down for a positive value and up for a
// negative one, its text right of its middle.
void DrawVerticalLoadArrow(Surface& s, double x, double y, double value,
                           const std::string& label, int32_t arrowColour, int32_t textColour, int pen);

}  // namespace brindlemar

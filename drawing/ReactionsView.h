#pragma once
// The reactions view: where the resultant of all loads meets the base and
// how far it lies from the middle, the base pressure and the horizontal
// force at the base.

#include <cstdint>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Colour of an eccentricity of size |e| from the middle of a base of width
// `baseWidth`: green up to a third of the half base (e = B/6 included),
// then yellow-green, yellow, amber up to 5/6 of it, red beyond.
int32_t EccentricityZoneColour(double e, double baseWidth);

// LoadArrowScale of the reactions view: the larger base edge pressure drawn
// ForceArrowLength long (unchanged when both are 0).
void SetReactionsArrowScale(const Model& m, Surface& s);

// Draws the view over a wall already drawn, for the combination the caller
// has analysed: the eccentricity band under the base, the resultant arrow in
// its zone's colour, the base pressure and the horizontal base force. The
// legend is the caller's (DrawReactionsAndResistances draws it once).
void DrawReactionsView(const Model& m, Surface& s);

}  // namespace brindlemar

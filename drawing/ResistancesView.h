#pragma once
// The resistances view: what holds the wall against sliding, the base
// friction and cohesion, the adjacent structure, and the passive earth
// pressure in front of the toe and of the shear key.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// LoadArrowScale of the resistances view: the passive pressure at the base
// of the toe earth drawn ForceArrowLength long, or, with a shear key, the
// pressure at the key's bottom (unchanged when neither is drawn), from the
// passive pressure of the prepared analysis.
void SetResistancesArrowScale(const Model& m, Surface& s);

// Draws the resistances of the prepared combination (PrepareCombination)
// over a wall already drawn. The legend is the caller's
// (DrawReactionsAndResistances draws it once).
void DrawResistancesView(const Model& m, Surface& s);

}  // namespace brindlemar

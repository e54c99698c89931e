#pragma once
// Reinforcement design of the four wall members for the active set of load
// combinations: the flexure of the eight faces, with the user's bars or a
// searched bar diameter and spacing, and the one-way shear of the four
// members. Reads the design force tables and governing combinations, which
// must have been computed for the active set; writes FlexureDesignResults
// and ShearDesignResults completely (a face or member that carries nothing
// shows "--" for every verdict and no computed value).

#include "model/Model.h"

namespace brindlemar {

void DesignReinforcement(Model& m);

// True when a face moment of the design force tables is no moment: smaller
// than a millionth of the largest face moment of the wall. The forces are
// single-precision sums (7 significant digits), so beside the wall's
// largest moment such a value cannot be told from rounding; it is the
// residue a load at a member's end leaves on the face it does not bend
// (1E-16 Tm/m, or 5E-5 Tm/m a centimetre down), and no steel is designed
// for it. Checked against the whole wall, not the member alone, because a
// member whose every moment is such a residue has no largest to measure by.
bool IsMomentNoise(const Model& m, float moment);

// The combination whose forces face p's design shows: where several tie for
// its governing moment, the one the last design found its bars fare worst
// under; before a design on the current forces, the governing one.
int DesignFlexureCombination(const Model& m, int p);

}  // namespace brindlemar

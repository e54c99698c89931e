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

// A face the design has nothing to do at: it carries neither a moment nor an
// axial force. Its bars are neither searched nor checked, and the sheets and
// the report show no design for it.
bool FaceNotDesigned(const FlexureDesignResult& r);

// The combination whose forces face p's design shows: where several tie for
// its governing moment, the one the last design found its bars fare worst
// under; before a design on the current forces, the governing one.
int DesignFlexureCombination(const Model& m, int p);

}  // namespace brindlemar

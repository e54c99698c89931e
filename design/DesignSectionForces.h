#pragma once
// The factored section forces at the design sections of upper stem, lower
// stem, toe and heel for every combination of the active set, and the
// combination that governs each face and each member.

#include <vector>

#include "model/Model.h"

namespace brindlemar {

// Prepares every combination of the active set as the screen does
// (PrepareCombination) into the stability table (StoreStabilityResults),
// scans the cuts of the four members and fills the design force tables,
// CombinationDesignable, the governing
// combinations and AllCombinationsStable, and forgets the combination each
// face's last design was shown under.
// A combination that is unstable, or whose section forces could not be
// computed, keeps zeros in every table and never governs. CurrentCombination
// is restored; the current-combination results are those of the set's last
// combination. Error 9 for an active set outside
// 0 to 50 or a combination number above 50.
//
// A face moment that is no moment (NoSectionForce, against the forces of the
// whole wall in every combination) is rounding: the tables hold none for
// it, so no face is designed for it and no combination governs by it.
// Two combinations whose governing values are equal within rounding are
// one: the one with the least axial compression governs, since compression
// adds strength.
void ComputeDesignSectionForces(Model& m);

// The combinations whose moment on face p equals the governing one's within
// rounding, the governing one first; none when no combination governs.
std::vector<int> TiedFlexureCombinations(const Model& m, int p);

}  // namespace brindlemar

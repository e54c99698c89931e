#pragma once
// How a command prepares the wall and a combination before it draws,
// prints or designs: the values in use, the outline and the analysis. The
// pictures read the analysis prepared and run none of their own; the force
// diagrams take the section forces at their stations from it.

#include "model/Model.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

// The water depths and seismic coefficient in use, as the water and seismic
// switches say, and the outline of the wall with them. Whatever was drawn
// last, the analysis that follows works on the inputs as they stand.
void PrepareWall(Model& m);

// PrepareWall, then the analysis of the combination that ActiveCombinationSet
// and CurrentCombination select. An analysis that flattens the backfill slope
// has told so and rebuilt the outline and part weights; its flag is cleared
// and the flattened wall analysed once more, so that every result and picture
// is of the wall as it now stands. Returns whether the analysis succeeded.
// Every command prepares a combination through this one function: the
// picture, the report's blocks, the stability table and the design.
bool PrepareCombination(Model& m);

// Shows the message of an analysis that failed. An earthquake the backfill
// cannot take is a fault of the wall and its loads, met again by every later
// redraw, view and combination: it is told once, and again only after the
// wall or its loads have changed.
void TellAnalysisFault(const Model& m, const RuntimeError& e);

}  // namespace brindlemar

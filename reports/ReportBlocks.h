#pragma once
// The report's half-page blocks. Each one frames its half page
// (PrintBlockFrame at the CurrentHalfPage the job chose), prints its title in
// the title band and its content inside the frame; the job alone turns the
// sheets.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The dimensioned wall.
void PrintDimensionsBlock(const Model& m, Surface& s);
// The picture blocks draw the combination the caller prepared (PrepareCombination).
// The loads of the current combination with its factor table.
void PrintLoadsBlock(const Model& m, Surface& s);
// One force diagram of the current combination: k 1 moment, 2 shear, 3 normal force.
void PrintDiagramBlock(const Model& m, Surface& s, int k);
// Base pressure, resultant and resistances of the current combination.
void PrintReactionsBlock(const Model& m, Surface& s);
// The materials and options of the wall in two columns.
void PrintPropertiesBlock(const Model& m, Surface& s);
// Stability results of combinations 3k - 2 to 3k of the active set (after
// AnalyseAllCombinations).
void PrintStabilityBlock(const Model& m, Surface& s, int k);
// Block i of the reinforcement section: the force tables (1 to 2p, p from
// ReinforcementTablePages), then the three design blocks (2p + 1 to 2p + 3).
void PrintReinforcementBlock(const Model& m, Surface& s, int i);

}  // namespace brindlemar

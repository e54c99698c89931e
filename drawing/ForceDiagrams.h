#pragma once
// Diagrams of bending moment, shear or normal force along the stem, the toe
// and the heel for the current combination, hatched over the wall.

#include <vector>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

enum ForceDiagramKind : int { MomentDiagram = 1, ShearDiagram = 2, NormalForceDiagram = 3 };

// Drawing units per moment unit and per force unit (shear and normal force
// share theirs). Each is `room` over its reference, the larger of
// |V| x ToeLength and |V| x HeelLength for moments and of |H| and |V| for
// forces; a negligible reference (NegligibleForce) keeps 10000.
struct ForceDiagramScales {
    double Moment = 10000;
    double Force = 10000;
};
ForceDiagramScales ComputeForceDiagramScales(const Model& m, double room);

// The cuts of the heel as distances from the heel end, ascending, from the
// heel stations (which run from the stem face towards the heel end).
std::vector<float> HeelCutsFromEnd(double heelLength, const std::vector<float>& stations);

// Draws the diagram of `kind` for the prepared combination
// (PrepareCombination) over a wall already drawn; the toe and heel diagrams only for a stable wall.
// Sets DrawingMarginX and DrawingMarginY to 0.3 of the frame.
void DrawForceDiagrams(const Model& m, Surface& s, int kind);

}  // namespace brindlemar

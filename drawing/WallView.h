#pragma once
// The wall section with its soil, water and restraints, and the view of its
// dimensions. Every picture of the wall starts with DrawWall.

#include "drawing/Primitives.h"
#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Fits the wall into the frame and draws it: with fillAreas non-zero the
// soil, water and concrete are filled, otherwise only lines are drawn;
// greyPalette non-zero draws in light greys (the model's colours are kept).
// `least` widens the room kept around the wall (ComputeDrawingScale).
void DrawWall(Model& m, Surface& s, int fillAreas, int greyPalette, LeastMargins least = {});

// The front and back water surfaces as drawing levels over a wall already
// fitted: the height of the water above the base underside, up from the
// drawn base (at the base when the water stands no higher).
double FrontWaterLevel(const Model& m);
double BackWaterLevel(const Model& m);

// Every dimension of the wall, the backfill slope mark and the caption, over
// a wall already fitted. With noText non-zero (the screen, whose labels show
// the values) the dimension values and the slope text are left out.
void DrawDimensionsView(Model& m, Surface& s, int noText);

}  // namespace brindlemar

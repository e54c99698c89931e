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
void DrawWall(const Model& m, Surface& s, int fillAreas, int greyPalette, LeastMargins least = {});

// The front and back water surfaces as drawing levels over a wall already
// fitted: the height of the water above the base underside, up from the
// drawn base (at the base when the water stands no higher).
double FrontWaterLevel(const Model& m, const Surface& s);
double BackWaterLevel(const Model& m, const Surface& s);

// The widest texts of the vertical dimensions: the heights in front of the
// wall, the wall height, the heights behind it; and the texts' height.
struct DimensionTextWidths {
    double Front = 0, WallHeight = 0, Back = 0, Height = 0;
};

// The x of the vertical dimension lines. Each line further out stands 240,
// 600 or 960 (screen twips) off the wall's outer nodes, and further where
// the texts of the line inside it would otherwise come within half a height
// of it, where they would read as its: the heights in front of the wall, the
// wall height and the front water depth outwards to the left, the heights
// and the back water depth to the right.
struct VerticalDimensionLines {
    double Front = 0, WallHeight = 0, FrontWater = 0, Back = 0, BackWater = 0;
};
VerticalDimensionLines PlaceVerticalDimensionLines(const Surface& s, const DimensionTextWidths& widths);

// The rows of the shear key's dimensions and of the base's below them, with
// the key shown: the key's row 240 (screen twips) under the key or B/10
// under the base, whichever is lower, on paper as far below as the key's
// width needs to stand clear of the key's bottom; the base's 240 further
// down, and on screen, where the key's texts (`height` high) stand under
// their row, half a height clear of them, even of one too wide for its span
// pushed down by another.
// On paper a width wider than the key stands under its row (KeyWidthUnder),
// the base's row 240 under it.
struct KeyDimensionRows {
    double Key = 0, Base = 0;
};
KeyDimensionRows PlaceKeyDimensionRows(const Model& m, Surface& s, int noText, double height);
bool KeyWidthUnder(const Model& m, Surface& s);

// The colour the filled wall shows at the drawing point (x, y): the
// concrete, the backfill, the natural ground or the water in front of the
// wall, white elsewhere (DrawWall with fillAreas).
int32_t AreaColourAt(const Model& m, const Surface& s, double x, double y);

// Whether a water depth is dimensioned, with its level's extension line.
bool WaterLevelShown(const Model& m, float depth);

// The widths of the vertical dimension texts in the surface's font.
DimensionTextWidths MeasureDimensionTexts(const Model& m, Surface& s);

// Every dimension of the wall, the backfill slope mark and the caption, over
// a wall already fitted. With noText non-zero (the screen, whose labels show
// the values) the dimension values and the slope text are left out; the
// lines then stand as the labels' widths ask (measured on the surface when
// none are given).
void DrawDimensionsView(const Model& m, Surface& s, int noText, const DimensionTextWidths* labels = nullptr);

}  // namespace brindlemar

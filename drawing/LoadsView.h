#pragma once
// The loads view: every load of the current combination over the wall, the
// line loads as inclined arrows, the surcharge as rows of arrows on the
// backfill, the weights, earth, water and seismic pressures as blocks and
// trapezoids, and the legend with the units.

#include "drawing/Primitives.h"
#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The room a value text takes beside a block: TextWidth("00.00") + 60 wide,
// TextHeight("00.00") + 60 high, in the surface's current font.
struct TextCell {
    double Width = 0;
    double Height = 0;
};
TextCell MeasureTextCell(Surface& s);

// The least margins of the loads view: beside the wall the three value cells
// of the back plane, above it the two of the heel, and in both the room of
// two cells for the pressure blocks themselves, so that on a
// small frame the blocks keep a readable size (the wall is drawn smaller
// instead). The wall is drawn with them and the view uses the same margins.
LeastMargins LoadsViewLeastMargins(Surface& s);

// The load families the view selector shows one at a time, numbered as its
// load-type views; each shows the loads whose load type (factor code) it
// names: dead DL and EV (the weights of the wall and the soil), live LL,
// soil EH and ES (the earth pressure and an earth surcharge), water WA,
// impact LD and IC, seismic EQ. Structural loads are what other structures
// put on the wall, the line loads, whatever their type; a line load shows in
// the family of its type as well. The surcharge shows in the family of its
// load type.
enum LoadFamily : int {
    AllLoads = 0,
    DeadLoads = 1,
    LiveLoads = 2,
    SoilLoads = 3,
    WaterLoads = 4,
    StructuralLoads = 5,
    ImpactLoads = 6,
    SeismicLoads = 7,
};
// Whether `family` shows a load of factor code `code`; `lineLoad` for a line load.
bool FamilyShows(int family, int code, bool lineLoad = false);

// Draws the loads of `family` of the prepared combination (PrepareCombination)
// over a wall already drawn, at the arrow scale of the whole view; over a
// wall drawn with its areas filled (`filled`), an arrow that would not show
// on the area under it takes black or white instead (ShownOn).
void DrawLoadsView(const Model& m, Surface& s, int family = AllLoads, bool filled = false);

// The wall (DrawWall with `fillAreas`) and the loads of `family` over it,
// in smaller type, and so with the wall larger, where that lets every value
// stand near the arrow or block it labels; the surface keeps its font size.
void DrawWallAndLoads(const Model& m, Surface& s, int fillAreas, int family = AllLoads);

// One arrow scale for all pressures, so that the largest pressure group of
// each side fits the room kept beside, above or below the wall. Starts at
// 10000; each group not negligible (NegligibleForce) may only make it smaller. A frame so
// small that the text cells leave no room gives 0 (no pressure is drawn).
// backPlaneOverhang is how far a value of the back plane runs past its
// cell (the seismic component's text), taken from that group's room so
// that the text stays inside the frame.
void FitLoadArrowScale(const Model& m, Surface& s, const TextCell& cell, double backPlaneOverhang = 0);

// The colour of a load's arrow whose middle lies at (x, y): the load colour,
// or over a filled wall (`filled`) black or white where the load colour
// would not show on the area there. One rule for every load, so that a load
// on the stem reads on the concrete as one beside the wall reads on the soil.
int32_t LoadColourAt(const Model& m, const Surface& s, double x, double y, bool filled);

// Line load `index` as an inclined force at its point, with its value and
// load-type code. The arrow is shortened where it would leave the frame
// (into the factor table above it, or off the picture), down to two heads'
// length; over a filled wall it is drawn in a colour that shows on the area
// under its middle.
void DrawLineLoad(const Model& m, Surface& s, int index, bool filled = false);

// The surcharge over the heel (S1) and beyond it (S2) as rows of vertical
// arrows standing on the backfill surface.
void DrawSurchargeLoads(const Model& m, Surface& s);

// The legend: the stability and seismic lines, and the units of line and
// distributed loads.
void DrawLoadsLegend(const Model& m, Surface& s);

}  // namespace brindlemar

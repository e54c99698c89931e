#pragma once
// The load families of the loads view drawn from the analysis of the
// current combination: self-weights of the wall and the backfill, lateral
// earth pressure, water pressures and seismic loads. They read
// LoadArrowScale as the loads view fitted it.

#include <string>

#include "drawing/LoadsView.h"
#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// One block of the wall or the backfill: its outline through the nodes
// given, its medians (triangle) or diagonals (quadrilateral), and one arrow
// of `value` at its centroid, vertical for direction 0, else horizontal.
// A block of value 0 draws nothing.
void DrawWeightTriangle(const Model& m, Surface& s, int p1, int p2, int p3, int direction, double value,
                        const std::string& label);
void DrawWeightQuad(const Model& m, Surface& s, int p1, int p2, int p3, int p4, int direction, double value,
                    const std::string& label);

// The self-weights: one arrow per body (the wall "DL", the backfill "EV")
// while ShowWeightResultants is on, else one per block; those of the load
// family given (LoadFamily) alone.
void DrawWeightBlocks(const Model& m, Surface& s, int family = AllLoads, bool filled = false);

// The earth pressure on the back plane above and below the back water
// level, and the vertical component that wall friction gives.
void DrawLateralEarthPressure(const Model& m, Surface& s);

// The water on the back and front faces, on the battered faces and the
// tops of heel and toe, and the uplift under the base.
void DrawWaterPressure(const Model& m, Surface& s);

// With seismic loading on: the inertia of the bodies, the seismic increment
// of the earth pressure and the hydrodynamic pressure of the front water.
void DrawSeismicLoads(const Model& m, Surface& s, bool filled = false);

// How far the text of the seismic earth-pressure component, written beside
// its arrow on the seismic block's line, runs past one text cell; 0 when no
// seismic load is drawn.
double SeismicComponentOverhang(const Model& m, Surface& s, const TextCell& cell);

}  // namespace brindlemar

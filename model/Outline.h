#pragma once
// The numbered nodes of the wall outline, the water levels and the backfill surface.

#include "model/Model.h"

namespace brindlemar {

// Where a water level stands against one side of the wall: on the stem face,
// over the sloping top of toe or heel, or at or below the top of toe tip or
// heel end. A level exactly at the foot of a face belongs to the zone below:
// both zones give the same pressures and nodes there, and the lower one puts
// the water's nodes exactly on the outline's corner rather than a rounding
// away from it. The foot of the slope is taken as stored, a 32-bit float, so
// that a depth entered equal to the sum lands on it.
enum class WaterZone { OnStem, OnSlopingTop, Lower };
WaterZone ClassifyWaterLevel(double depth, float stemHeight, float topDrop);
// The zones of the front and back water depths in use.
WaterZone FrontWaterZone(const Model& m);
WaterZone BackWaterZone(const Model& m);

// How far the backfill surface rises over a horizontal run away from the
// wall: 1 for every BackfillSlopeRatio, nothing when the backfill is level;
// and the run over which a sloping surface rises by `rise` (0 when level,
// where no run reaches a rise). The analysis and every picture take the
// surface from here.
double BackfillRise(const Model& m, double run);
double BackfillRun(const Model& m, double rise);

// Height of the wall's front, from the stem top down to the toe's underside:
// the one sum every depth below the wall top is measured against.
double FrontWallHeight(const Model& m);
// Height of the wall's back, from the stem top down to the heel's underside.
double BackWallHeight(const Model& m);

// Computes nodes 1 to 8, 10 to 18, 21 to 28, 31 to 36 and 40 to 50 from the
// wall dimensions, the backfill slope and the water depths in use.
void ComputeWallOutline(Model& m);

}  // namespace brindlemar

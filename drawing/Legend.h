#pragma once
// The legend lines at the bottom left of the analysis views.

#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "model/Model.h"
// the legends' unit lines take their labels from UnitLabel
#include "model/Units.h"

namespace brindlemar {

// The lines every analysis view's legend starts with: "The wall is not
// stable" for a wall that is not stable, then the seismic coefficient in
// force when there is one.
std::vector<std::string> StabilityLegendLines(const Model& m);

// Prints the lines top to bottom in CaptionColour at x = 120, one
// TextHeight("T") apart, the last one 60 above the frame's bottom edge.
void PrintLegend(const Model& m, Surface& s, const std::vector<std::string>& lines);

}  // namespace brindlemar

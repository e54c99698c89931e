#pragma once
// Resetting the model to a new project, and the water depths and seismic
// coefficient that the analysis uses.

#include "model/Model.h"

namespace brindlemar {

// Puts every model value back to the built-in new-project values in Metric
// units, lets the user's defaults file override part of them and rebuilds the
// outline. A run-time error ends the reset with a message box.
void InitialiseProject(Model& m);

// The same; with readDefaults false the defaults file is left alone. The
// reset after a defaults file failed to read uses this, so a file that always
// fails is read once, not again and again.
void InitialiseProject(Model& m, bool readDefaults);

// The entered depths while water is on; otherwise both levels at the
// underside of the base, so no water acts.
void SetWaterDepths(Model& m);

// The seismic coefficient an analysis applies: the entered one while seismic
// loading is on, else 0. SetSeismicCoefficient stores it for the wall; a
// dialog asks it of what its boxes show.
inline float SeismicCoefficientInUse(int16_t seismicIncluded, float entered) {
    return seismicIncluded != 0 ? entered : 0.0f;
}
void SetSeismicCoefficient(Model& m);

}  // namespace brindlemar

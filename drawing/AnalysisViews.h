#pragma once
// The wall with one of the analysis views over it, prepared as the main
// window shows it: the arrow scale set for the reactions and resistances,
// the wall in grey under the force diagrams.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The analysis views, numbered as the main window's view selector numbers them.
enum AnalysisViewKind : int {
    // the loads of one family alone (LoadFamily)
    DeadLoadsView = 1,
    LiveLoadsView = 2,
    SoilLoadsView = 3,
    WaterLoadsView = 4,
    StructuralLoadsView = 5,
    ImpactLoadsView = 6,
    SeismicLoadsView = 7,
    ReactionsView = 8,
    ResistancesView = 9,
    LoadsView = 10,
    MomentView = 11,
    ShearView = 12,
    NormalView = 13,
};

// Draws the wall (which fits it into the frame) and the view. The caller has
// set the frame and pens and prepared the combination (PrepareCombination);
// the views read its analysis. The reactions view of a wall that is not
// stable shows the wall alone. Any other kind draws nothing.
void DrawAnalysisView(const Model& m, Surface& s, int view);

// The reactions view, the resistances view or both over a wall already
// drawn, with their legend once. The values of both are laid out together,
// clear of the other view's lines and of the legend.
void DrawReactionsAndResistances(const Model& m, Surface& s, bool reactions, bool resistances);

}  // namespace brindlemar

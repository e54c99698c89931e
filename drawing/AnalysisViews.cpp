#include "drawing/AnalysisViews.h"

#include "drawing/ForceDiagrams.h"
#include "drawing/LabelLayer.h"
#include "drawing/LoadsView.h"
#include "drawing/ReactionsView.h"
#include "drawing/ResistancesView.h"
#include "drawing/WallView.h"

namespace brindlemar {

void DrawAnalysisView(const Model& m, Surface& s, int view) {
    if (view >= DeadLoadsView && view <= SeismicLoadsView) {
        DrawWallAndLoads(m, s, 1, view);
        return;
    }
    switch (view) {
    case LoadsView:
        DrawWallAndLoads(m, s, 1);
        break;
    case ReactionsView:
        if (m.WallStable == 0) {
            DrawWall(m, s, 1, 0);
            break;
        }
        SetReactionsArrowScale(m, s);
        DrawWall(m, s, 1, 0);
        DrawReactionsAndResistances(m, s, true, false);
        break;
    case ResistancesView:
        SetResistancesArrowScale(m, s);
        DrawWall(m, s, 1, 0);
        DrawReactionsAndResistances(m, s, false, true);
        break;
    case MomentView:
    case ShearView:
    case NormalView:
        DrawWall(m, s, 1, 1);
        DrawForceDiagrams(m, s, view - MomentView + MomentDiagram);
        break;
    default:
        break;
    }
}

void DrawReactionsAndResistances(const Model& m, Surface& s, bool reactions, bool resistances) {
    LabelLayer labels = ViewLabelLayer(s);
    // the values keep clear of the wall drawn already as well
    labels.Underneath(true);
    DrawWall(m, labels, 0, 0);
    labels.Underneath(false);
    if (reactions) DrawReactionsView(m, labels);
    if (resistances) DrawResistancesView(m, labels);
    labels.PrintInPlace(true);
    DrawLoadsLegend(m, labels);
}

}  // namespace brindlemar

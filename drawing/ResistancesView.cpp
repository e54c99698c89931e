#include "drawing/ResistancesView.h"

#include <algorithm>

#include "drawing/ForceArrows.h"
#include "drawing/LabelLayer.h"
#include "drawing/LoadsView.h"
#include "drawing/Primitives.h"
#include "drawing/PressureTrapezoids.h"
#include "analysis/Analysis.h"
#include "analysis/WaterPressure.h"
#include "runtime/Hooks.h"

namespace brindlemar {

void SetResistancesArrowScale(Model& m) {
    const auto& p = m.PassivePressureOrdinates;
    if (p[2] > 0 && m.PassiveToePressureIncluded == 1) m.LoadArrowScale = static_cast<float>(m.ForceArrowLength / p[2]);
    // the key's pressure is the larger and sets the scale when it is drawn
    if (p[3] > 0 && m.ShearKeyIncluded == 1) m.LoadArrowScale = static_cast<float>(m.ForceArrowLength / p[3]);
}

void DrawResistancesView(Model& m, Surface& surface) {
    // the values are laid out last, clear of the arrows, the trapezoids and one another
    LabelLayer s = ViewLabelLayer(m, surface);
    if (!DrawingFitted(m)) return;
    const double xToe = m.DrawingXCoordinates[4], yBase = m.DrawingYCoordinates[4];
    const double scale = m.DrawingScale;
    const auto& factor = m.CurrentLoadCombination.Factor;

    // base friction and cohesion where the resultant meets the base, towards the heel
    if (m.WallStable != 0)
        DrawHorizontalLoadArrow(m, s, xToe + scale * m.EccentricityFromOverturningPoint + m.ForceArrowLength, yBase,
                                m.BaseFrictionResistance, "", m.ResistanceColour, m.ResistanceLabelColour,
                                m.ResistanceArrowPenWidth);
    // the adjacent structure's restraint at its place under the base
    if (m.AdjacentStructureIncluded == 1)
        DrawHorizontalLoadArrow(m, s, xToe + scale * m.AdjacentStructurePosition, yBase,
                                double(factor[RH]) * m.AdjacentStructureCapacity, "", m.ResistanceColour,
                                m.ResistanceLabelColour, m.ResistanceArrowPenWidth);

    // Passive earth in front of the toe and of the key, pushing towards the
    // wall; the values are factored like the lengths drawn.
    const auto& p = m.PassivePressureOrdinates;
    const double passiveFactor = factor[EP];
    auto drawn = [&](int k) { return passiveFactor * p[static_cast<size_t>(k)] * m.LoadArrowScale; };
    auto text = [&](int k) { return LoadValueText(passiveFactor * p[static_cast<size_t>(k)]); };
    auto trapezoid = [&](double y1, double y2, int k1, int k2) {
        DrawPressureTrapezoidV(m, s, y1, y2, m.DrawingXCoordinates[15] - 30, drawn(k1), drawn(k2), "", text(k2),
                               m.ResistanceColour, m.ResistanceLabelColour, m.ResistanceDiagramPenWidth);
    };
    const double toeTop = double(m.ToeTopDrop) + m.FrontStemHeight;
    const ToeEarthLayers toeEarth = ToeEarthThicknesses(m);
    if (p[2] > 0 && m.PassiveToePressureIncluded == 1) {
        // dry toe earth above the front water level
        if (toeEarth.Dry > 0) {
            const double hf = FrontWaterHeight(m);
            trapezoid(m.DrawingYCoordinates[3], yBase - scale * hf, 0, 1);
        }
        // submerged toe earth below it
        if (toeEarth.Submerged > 0)
            trapezoid(m.DrawingYCoordinates[1] + scale * std::max(toeTop, double(m.FrontWaterDepth)), yBase, 1, 2);
    }
    if (p[3] > 0 && m.ShearKeyIncluded == 1) trapezoid(yBase, yBase + scale * m.ShearKeyDepth, 2, 3);
}

}  // namespace brindlemar

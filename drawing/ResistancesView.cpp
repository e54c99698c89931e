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

void SetResistancesArrowScale(const Model& m, Surface& s) {
    const auto& p = m.PassivePressureOrdinates;
    if (p[2] > 0 && m.PassiveToePressureIncluded == 1) s.Drawing().LoadArrowScale = static_cast<float>(s.Drawing().ForceArrowLength / p[2]);
    // the key's pressure is the larger and sets the scale when it is drawn
    if (p[3] > 0 && m.ShearKeyIncluded == 1) s.Drawing().LoadArrowScale = static_cast<float>(s.Drawing().ForceArrowLength / p[3]);
}

void DrawResistancesView(const Model& m, Surface& surface) {
    // the values are laid out last, clear of the arrows, the trapezoids and one another
    LabelLayer s = ViewLabelLayer(surface);
    if (!DrawingFitted(s)) return;
    const double xToe = s.Drawing().DrawingXCoordinates[4], yBase = s.Drawing().DrawingYCoordinates[4];
    const double scale = s.Drawing().DrawingScale;
    const auto& factor = m.CurrentLoadCombination.Factor;

    // The forces on the base run along its underside a twip within the
    // concrete: their values read as the base's and may be led to them across it.
    const double yUnder = yBase - 1;
    // base friction and cohesion where the resultant meets the base, towards the heel
    if (m.WallStable != 0)
        DrawHorizontalLoadArrow(s, xToe + scale * m.EccentricityFromOverturningPoint + s.Drawing().ForceArrowLength, yUnder,
                                m.BaseFrictionResistance, "", m.ResistanceColour, m.ResistanceLabelColour,
                                s.Drawing().ResistanceArrowPenWidth);
    // the adjacent structure's restraint at its place under the base
    if (m.AdjacentStructureIncluded == 1)
        DrawHorizontalLoadArrow(s, xToe + scale * m.AdjacentStructurePosition, yUnder,
                                double(factor[RH]) * m.AdjacentStructureCapacity, "", m.ResistanceColour,
                                m.ResistanceLabelColour, s.Drawing().ResistanceArrowPenWidth);

    // Passive earth in front of the toe and of the key, pushing towards the
    // wall; the values are factored like the lengths drawn.
    const auto& p = m.PassivePressureOrdinates;
    const double passiveFactor = factor[EP];
    auto drawn = [&](int k) { return passiveFactor * p[static_cast<size_t>(k)] * s.Drawing().LoadArrowScale; };
    auto text = [&](int k) { return LoadValueText(passiveFactor * p[static_cast<size_t>(k)]); };
    auto trapezoid = [&](double y1, double y2, int k1, int k2) {
        DrawPressureTrapezoidV(s, y1, y2, s.Drawing().DrawingXCoordinates[15] - 30, drawn(k1), drawn(k2), "", text(k2),
                               m.ResistanceColour, m.ResistanceLabelColour, s.Drawing().ResistanceDiagramPenWidth);
    };
    const double toeTop = double(m.ToeTopDrop) + m.FrontStemHeight;
    const ToeEarthLayers toeEarth = ToeEarthThicknesses(m);
    if (p[2] > 0 && m.PassiveToePressureIncluded == 1) {
        // dry toe earth above the front water level
        if (toeEarth.Dry > 0) {
            const double hf = FrontWaterHeight(m);
            trapezoid(s.Drawing().DrawingYCoordinates[3], yBase - scale * hf, 0, 1);
        }
        // submerged toe earth below it
        if (toeEarth.Submerged > 0)
            trapezoid(s.Drawing().DrawingYCoordinates[1] + scale * std::max(toeTop, double(m.FrontWaterDepth)), yBase, 1, 2);
    }
    if (p[3] > 0 && m.ShearKeyIncluded == 1) trapezoid(yBase, yBase + scale * m.ShearKeyDepth, 2, 3);
}

}  // namespace brindlemar

// Section forces of the toe at a vertical cut.

#include <algorithm>

#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionFreeBody.h"
#include "analysis/SectionStations.h"
#include "analysis/WaterPressure.h"
#include "model/Outline.h"

namespace brindlemar {

using namespace section;

namespace {

FreeBody ToeFreeBody(const Model& m, double pos) {
    const double TL = m.ToeLength;
    const double s = OnMember(pos, TL);
    const double t = ToeThickness(m, s);
    FreeBody body(Member::Toe, s, t / 2);
    const double tip = m.ToeTipThickness;
    const double DL = Factor(m, brindlemar::DL), WA = Factor(m, brindlemar::WA);
    const double g = m.WaterUnitWeight * WA;
    const double hw = FrontWaterHeight(m);

    // line loads the toe carries between the cut and the tip and in front of it
    AddLineLoads(
        m, body, [&](const LineLoad& p) { return LineLoadPart(m, p) == WallPart::Toe; },
        [&](const LineLoad& p) { return s - p.X; });

    // concrete between the tip and the cut
    const AreaCentroid concrete = Polygon({{0, 0}, {0, tip}, {s, t}, {s, 0}});
    body.AddVertical(-concrete.area * m.ConcreteUnitWeight * DL, concrete.cx);

    if (EarthquakeActs(m)) {
        body.AddHorizontal(
            -concrete.area * m.ConcreteUnitWeight * m.AppliedSeismicCoefficient * Factor(m, EQ) * DL,
            concrete.cy);
        // hydrodynamic pressure of the front water on the toe's vertical projection
        const Resultant w = HydrodynamicForce(m, 0, t);
        body.AddHorizontal(-w.F, w.at);
    }

    if (m.WaterIncluded != 0) {
        // front water pressure on the tip face and the sloping top, towards the stem
        if (hw > 0) {
            const double top = hw < t ? hw : t;
            const Resultant h = Trapezoid(0, top, hw * g, (hw - top) * g);
            body.AddHorizontal(h.F, h.at);
        }
        // weight of the water standing on the toe's top surface
        if (hw > t) {
            const Resultant w = Trapezoid(0, s, (hw - tip) * g, (hw - t) * g);
            body.AddVertical(-w.F, w.at);
        } else if (FrontWaterZone(m) != WaterZone::Lower) {
            const double wetted = std::max(0.0, hw - tip) * TL / m.ToeTopDrop;
            const Resultant w = Trapezoid(0, wetted, (hw - tip) * g, 0);
            body.AddVertical(-w.F, w.at);
        }
        const Resultant u = UpliftForce(m, 0, s);
        body.AddVertical(u.F, u.at);
    }

    // base pressure between the tip and the cut
    const Resultant reaction = BasePressureForce(m, 0, s);
    body.AddVertical(reaction.F, reaction.at);

    // horizontal resistances along the underside of the base
    const BaseResistances r = ShareBaseResistances(m);
    body.AddHorizontal(r.direction * FrictionShare(r, reaction.F), 0);
    AddBaseForce(m, body, r.direction * r.restraint, s - m.AdjacentStructurePosition);
    // the passive soil in front of the tip bears on every cut
    body.AddHorizontal(r.direction * r.toePassive, 0);
    AddBaseForce(m, body, r.direction * r.shearKey, s - m.ShearKeyToeDistance);
    return body;
}

}  // namespace

bool CalcToeSectionForces(const Model& m, float pos, float& M, float& V, float& N, float& M2, float& V2,
                          float& N2) {
    return TrapSectionErrors(m, [&] { return ToeFreeBody(m, pos); }, M, V, N, M2, V2, N2);
}

}  // namespace brindlemar

// Section forces of the heel at a vertical cut, with the backfill, surcharge
// and water standing on it, the horizontal earth pressure on the vertical
// plane through the heel end over the heel's own height, and the downward
// wall friction on that plane over its full height.

#include <cmath>

#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionFreeBody.h"
#include "analysis/SectionStations.h"
#include "analysis/WaterPressure.h"
#include "model/Outline.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

using namespace section;

namespace {

FreeBody HeelFreeBody(const Model& m, double pos) {
    const double HL = m.HeelLength;
    const double s = OnMember(pos, HL);
    const double t = HeelThickness(m, s);
    const double B = m.BaseWidth;
    const double xc = B - s;
    FreeBody body(Member::Heel, xc, t / 2);
    const double H = FrontWallHeight(m);
    const double end = m.HeelEndThickness;
    // backfill surface above the cut and above the heel end
    const double surfaceAtCut = H + BackfillRise(m, m.StemBackBatter + HL - s);
    const double surfaceAtEnd = H + BackfillRise(m, m.StemBackBatter + HL);
    // back water level, and where it meets the sloping top of the heel. The
    // water stands behind the wall only when it is switched on and its depth
    // is above the base as stored: with the water off the depth is the wall
    // height rounded to a float, and their difference is rounding, not water.
    const double backHeight = BackWallHeight(m);
    const bool backWater = m.WaterIncluded != 0 && m.BackWaterDepth < ToSingle(backHeight);
    double yw = backWater ? H - m.BackWaterDepth : 0;
    if (yw < 0) yw = 0;
    const double hb = BackWaterHeight(m);
    const double xi = m.HeelTopDrop > 0 ? B - (yw - end) / m.HeelTopDrop * HL : xc;
    const double DL = Factor(m, brindlemar::DL), EV = Factor(m, brindlemar::EV);
    const double EH = Factor(m, brindlemar::EH), EQ = Factor(m, brindlemar::EQ);
    const double WA = Factor(m, brindlemar::WA);
    const double gamma = m.BackfillUnitWeight, gammaSat = m.BackfillSaturatedDensity;
    const double gammaW = m.WaterUnitWeight, kh = m.AppliedSeismicCoefficient;
    const double delta = Radians(BackPlaneWallFriction(m));
    const double ch = std::cos(delta);

    // line loads the heel carries between the cut and the heel end and
    // beyond it, each at its own point as the stability analysis takes it
    AddLineLoads(
        m, body, [&](const LineLoad& p) { return LineLoadPart(m, p) == WallPart::Heel; },
        [&](const LineLoad& p) { return p.X - xc; });

    // surcharge on the backfill over the free body
    const double q = m.BackfillSurcharge * Factor(m, m.SurchargeLoadType) * Factor(m, S1);
    body.AddVertical(-q * s, B - s / 2);

    const AreaCentroid concrete = Polygon({{xc, t}, {xc, 0}, {B, 0}, {B, end}});
    body.AddVertical(-concrete.area * m.ConcreteUnitWeight * DL, concrete.cx);

    // backfill above the heel: moist above the back water level, buoyant below it
    AreaCentroid dry, wet;
    if (yw > t) {
        dry = Polygon({{xc, surfaceAtCut}, {xc, yw}, {B, yw}, {B, surfaceAtEnd}});
        wet = Polygon({{xc, yw}, {xc, t}, {B, end}, {B, yw}});
    } else if (end < yw) {
        dry = Polygon({{xc, surfaceAtCut}, {xc, t}, {xi, yw}, {B, yw}, {B, surfaceAtEnd}});
        wet = Polygon({{xi, yw}, {B, end}, {B, yw}});
    } else {
        dry = Polygon({{xc, surfaceAtCut}, {xc, t}, {B, end}, {B, surfaceAtEnd}});
    }
    body.AddVertical(-dry.area * gamma * EV, dry.cx);
    body.AddVertical(-wet.area * (gammaSat - gammaW) * EV, wet.cx);

    // static earth pressure on the plane through the heel end, from the top of
    // the section down to the base; the same coefficient as the stability
    // analysis takes on that plane
    const double K = m.BackfillPressureCoefficient;
    const double rise = BackfillRise(m, m.StemBackBatter + HL);
    const double dryDepth = backHeight > m.BackWaterDepth ? m.BackWaterDepth + rise : rise + backHeight;
    const double beta = Radians(BackfillSlopeAngle(m.BackfillSlopeRatio));
    const double pq = K * CheckedDivide(m.BackfillSurcharge * Factor(m, m.SurchargeLoadType), std::cos(beta)) *
                      EH * Factor(m, S2);
    const double pw = pq + K * dryDepth * gamma * EH;
    // pressure at height y above the base
    auto pressure = [&](double y) {
        if (y >= hb) return pq + (hb + dryDepth - y) * K * gamma * EH;
        return pw + (hb - y) * K * (gammaSat - gammaW) * EH;
    };
    const double split = hb >= t ? t : hb;
    for (const auto& [y1, y2] : {std::pair{t, split}, std::pair{split, 0.0}}) {
        const Resultant h = Trapezoid(y1, y2, pressure(y1) * ch, pressure(y2) * ch);
        body.AddHorizontal(-h.F, h.at);
    }

    // Wall friction on that plane pulls down the earth standing on the heel
    // over the plane's full height, not only over the heel's own: the heel
    // carries, at its end, the whole downward part that the stability
    // analysis puts there (static and seismic, factored as there), just as
    // the base pressure under it contains that load.
    const double endLoad = double(m.BackfillPressureForces[3]) + m.BackfillPressureForces[4] +
                           m.SeismicPressureForces[3] + m.SeismicPressureForces[4];
    body.AddVertical(-endLoad, B, SetsFor(PlaceAlong(m, s)));

    if (EarthquakeActs(m)) {
        body.AddHorizontal(-concrete.area * m.ConcreteUnitWeight * kh * EQ * DL, concrete.cy);
        // seismic increments on the plane through the heel end, growing with
        // the height above the base; the same increment coefficient as the
        // stability analysis takes on that plane
        const double dK = m.SeismicIncrementCoefficient;
        auto addIncrement = [&](double pTop) {
            const Resultant h = Trapezoid(t, 0, pTop * ch, 0);
            body.AddHorizontal(-h.F, h.at);
        };
        addIncrement(dK * gamma * t * EQ * EH);
        if (yw > 0) addIncrement(dK * (gammaSat - gamma) * t * EQ * EH);

        // inertia of the backfill within the height of the section
        const double yLow = yw < end ? end : yw;
        const double xLow = xi > B ? B : xi;
        if (yw <= t) {
            const AreaCentroid a = Polygon({{xc, t}, {xLow, yLow}, {B, yLow}, {B, t}});
            body.AddHorizontal(-a.area * gamma * kh * EQ * EV, a.cy);
        }
        const AreaCentroid b = yw > t ? Polygon({{xc, t}, {B, end}, {B, t}})
                                      : Polygon({{xLow, yLow}, {B, end}, {B, yLow}});
        body.AddHorizontal(-b.area * (gammaSat - gammaW) * kh * EQ * EV, b.cy);
    }

    if (m.WaterIncluded != 0) {
        const double g = gammaW * WA;
        // back water pressure on the heel end and the sloping top, towards the stem
        if (hb > 0) {
            const double top = hb < t ? hb : t;
            const Resultant h = Trapezoid(top, 0, (hb - top) * g, hb * g);
            body.AddHorizontal(-h.F, h.at);
        }
        // weight of the water standing on the heel's top surface
        if (hb > t) {
            const Resultant w = Trapezoid(xc, B, (hb - t) * g, (hb - end) * g);
            body.AddVertical(-w.F, w.at);
        } else if (end < hb) {
            const double wetted = (hb - end) / m.HeelTopDrop * HL;
            const Resultant w = Trapezoid(B - wetted, B, 0, (hb - end) * g);
            body.AddVertical(-w.F, w.at);
        }
        const Resultant u = UpliftForce(m, xc, B);
        body.AddVertical(u.F, u.at);
    }

    // base pressure between the cut and the heel end
    const Resultant reaction = BasePressureForce(m, xc, B);
    body.AddVertical(reaction.F, reaction.at);

    // horizontal resistances along the underside of the base; the passive
    // soil in front of the toe bears on the toe only
    const BaseResistances r = ShareBaseResistances(m);
    body.AddHorizontal(r.direction * FrictionShare(r, reaction.F), 0);
    AddBaseForce(m, body, r.direction * r.restraint, s - (B - m.AdjacentStructurePosition));
    AddBaseForce(m, body, r.direction * r.shearKey, s - (double(m.ShearKeyHeelDistance) + m.ShearKeyWidth));
    return body;
}

}  // namespace

bool CalcHeelSectionForces(const Model& m, float pos, float& M, float& V, float& N, float& M2, float& V2,
                           float& N2) {
    return TrapSectionErrors(m, [&] { return HeelFreeBody(m, pos); }, M, V, N, M2, V2, N2);
}

}  // namespace brindlemar

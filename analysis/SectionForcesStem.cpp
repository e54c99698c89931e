// Section forces of the stem at a horizontal cut.

#include <array>
#include <cmath>

#include "analysis/Coefficients.h"
#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionFreeBody.h"
#include "analysis/SectionStations.h"
#include "model/Outline.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

using namespace section;

namespace {

FreeBody StemFreeBody(const Model& m, double pos) {
    const double FSH = m.FrontStemHeight, BSH = m.BackStemHeight;
    const double L = FSH < BSH ? FSH : BSH;
    const double d = OnMember(pos, L);
    const double H = FrontWallHeight(m);
    const double yc = H - d;
    const double t = StemThickness(m, d);
    const double xFrontTop = double(m.ToeLength) + m.StemFrontBatter;
    // the stem faces at depth z below the top
    auto xFront = [&](double z) { return FSH > 0 ? xFrontTop - m.StemFrontBatter * z / FSH : xFrontTop; };
    const double xBackTop = xFrontTop + m.StemTopThickness;
    auto xBack = [&](double z) { return BSH > 0 ? xBackTop + z / BSH * m.StemBackBatter : xBackTop; };
    const double xc = xFront(d) + t / 2;
    FreeBody body(Member::Stem, xc, yc);

    const double alpha = BSH > 0 ? std::atan(m.StemBackBatter / BSH) : 0;
    const float alphaDegrees = ToSingle(Degrees(alpha));
    const float beta = BackfillSlopeAngle(m.BackfillSlopeRatio);
    const float phi = m.BackfillFrictionAngle;
    const float delta = m.ConcreteToEarthFrictionAngle;
    // The thrust on the battered back face leans δ from the face's normal,
    // so δ + α from the horizontal: per unit of depth its horizontal part is
    // K·cos(δ + α), the split the coefficient itself is derived with. The
    // vertical part stays the one taken over the face's horizontal
    // projection: for any practical batter it is smaller than the thrust's
    // own, which keeps the stem's moment on the safe side.
    const double ch = std::cos(Radians(delta) + alpha);
    const double cv = CheckedDivide(std::sin(Radians(delta)), std::cos(alpha));
    const double DL = Factor(m, brindlemar::DL), EH = Factor(m, brindlemar::EH);
    const double EQ = Factor(m, brindlemar::EQ), WA = Factor(m, brindlemar::WA);
    const double gamma = m.BackfillUnitWeight, gammaSat = m.BackfillSaturatedDensity;
    const double gammaW = m.WaterUnitWeight, kh = m.AppliedSeismicCoefficient;
    const double BWD = m.BackWaterDepth, FWD = m.FrontWaterDepth;

    // line loads the stem carries above the cut, up to above its top
    AddLineLoads(
        m, body, [&](const LineLoad& p) { return LineLoadPart(m, p) == WallPart::Stem; },
        [&](const LineLoad& p) { return p.Y - yc; });

    // concrete above the cut
    const AreaCentroid concrete =
        Polygon({{xFrontTop, H}, {xc - t / 2, yc}, {xc + t / 2, yc}, {xBackTop, H}});
    body.AddVertical(-concrete.area * m.ConcreteUnitWeight * DL, concrete.cx);

    // static backfill pressure on the back face, dry above the back water and
    // submerged below it; the surcharge over the heel adds a uniform pressure
    // the coefficient and the user's minimum equivalent-fluid density as in the stability analysis
    const double K0 = StaticEarthCoefficient(m, phi, alphaDegrees, beta, delta);
    const double K = WithMinimumFluidDensity(m, K0, gamma, ch);
    const double pq = K * m.BackfillSurcharge *
                      CheckedDivide(std::cos(alpha), std::cos(alpha - Radians(beta))) * EH *
                      Factor(m, m.SurchargeLoadType) * Factor(m, S1);
    const double d1 = d > BWD ? BWD : d;
    const double d2 = d > BWD ? d - BWD : 0;
    const double p1 = pq + K * d1 * gamma * EH;
    const double p2 = p1 + K * d2 * (gammaSat - gammaW) * EH;
    for (const auto& [z1, z2, pa, pb] : {std::array{0.0, d1, pq, p1}, std::array{d1, d, p1, p2}}) {
        const Resultant h = Trapezoid(H - z1, H - z2, pa * ch, pb * ch);
        body.AddHorizontal(-h.F, h.at);
        // the wall friction's share, over the horizontal projection of the face
        const Resultant v = Trapezoid(xBack(z1), xBack(z2), pa * cv, pb * cv);
        body.AddVertical(-v.F, v.at);
    }

    if (EarthquakeActs(m)) {
        // inertia of the concrete above the cut
        body.AddHorizontal(-concrete.area * m.ConcreteUnitWeight * kh * EQ * DL, concrete.cy);

        // seismic increment of the backfill pressure: falls linearly from the
        // stem top to nothing at the foot of the back face
        const double dK = SeismicIncrement(m, phi, alphaDegrees, beta, delta);
        auto addIncrement = [&](double zTop, double pTop, double pCut) {
            const Resultant h = Trapezoid(H - zTop, yc, pTop * ch, pCut * ch);
            body.AddHorizontal(-h.F, h.at);
            const Resultant v = Trapezoid(xBack(zTop), xBack(d), pTop * cv, pCut * cv);
            body.AddVertical(-v.F, v.at);
        };
        if (BSH > 0) {
            const double pt = dK * BSH * gamma * EQ * EH;
            addIncrement(0, pt, (BSH - d) / BSH * pt);
        }
        // the submerged backfill's further increment, from the back water level down
        if (BWD < d) {
            const double hs = BSH - BWD;
            const double pw = dK * hs * (gammaSat - gamma) * EQ * EH;
            addIncrement(BWD, pw, CheckedDivide(hs - (d - BWD), hs) * pw);
        }

        // hydrodynamic pressure of the front water on the face above the cut
        const Resultant w = HydrodynamicForce(m, yc, H);
        body.AddHorizontal(-w.F, w.at);
    }

    if (m.WaterIncluded != 0) {
        // back water: pressure on the back face and weight on the back batter
        if (BWD < d) {
            const double pw = (d - BWD) * gammaW * WA;
            const Resultant h = Trapezoid(H - BWD, yc, 0, pw);
            body.AddHorizontal(-h.F, h.at);
            const Resultant v = Trapezoid(xBack(BWD), xBack(d), 0, pw);
            body.AddVertical(-v.F, v.at);
        }
        // front water: pressure on the front face and weight on the front batter
        if (FWD < d) {
            const double pw = (d - FWD) * gammaW * WA;
            const Resultant h = Trapezoid(H - FWD, yc, 0, pw);
            body.AddHorizontal(h.F, h.at);
            const Resultant v = Trapezoid(xFront(FWD), xFront(d), 0, pw);
            body.AddVertical(-v.F, v.at);
        }
    }
    return body;
}

}  // namespace

bool CalcStemSectionForces(const Model& m, float pos, float& M, float& V, float& N, float& M2, float& V2,
                           float& N2) {
    return TrapSectionErrors(m, [&] { return StemFreeBody(m, pos); }, M, V, N, M2, V2, N2);
}

}  // namespace brindlemar

#include "analysis/WaterPressure.h"

#include <algorithm>
#include <cmath>

#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/Coefficients.h"
#include "model/Outline.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The three ordinates of one side in front of or behind the wall, pressure
// at the stem foot, at the foot of the sloping top and at the base; and
// which of them the blocks start from.
struct SideOrdinates {
    double stemFoot = 0;
    double slopeFoot = 0;
    double base = 0;
};

SideOrdinates SideWaterOrdinates(WaterZone c, double depth, double stemHeight, double topDrop,
                                 double tipThickness, double head, double unitWeight, double fWA) {
    SideOrdinates o;
    if (c == WaterZone::OnStem) o.stemFoot = (stemHeight - depth) * unitWeight * fWA;
    if (c != WaterZone::Lower) {
        o.slopeFoot = (stemHeight + topDrop - depth) * unitWeight * fWA;
        o.base = (stemHeight + topDrop + tipThickness - depth) * unitWeight * fWA;
    } else {
        o.base = head * unitWeight * fWA;
    }
    return o;
}

}  // namespace

// With the water switched off there is none: the depths then stand at the
// underside only as closely as a float holds it.
double FrontWaterHeight(const Model& m) {
    if (m.WaterIncluded == 0) return 0;
    return std::max(0.0, FrontWallHeight(m) - m.FrontWaterDepth);
}

double BackWaterHeight(const Model& m) {
    if (m.WaterIncluded == 0) return 0;
    return std::max(0.0, BackWallHeight(m) - m.BackWaterDepth);
}

void CalcWaterPressures(Model& m) {
    const auto& x = m.NodeXCoordinates;
    const auto& y = m.NodeYCoordinates;
    auto& o = m.WaterPressureOrdinates;
    auto& F = m.WaterPressureForces;
    auto& ax = m.WaterPressureArmsX;
    auto& ay = m.WaterPressureArmsY;
    const double gw = m.WaterUnitWeight;
    const double fWA = Factor(m, WA);
    if (m.WaterIncluded == 0) {
        o = {};
        F = {};
        ax = {};
        ay = {};
        return;
    }

    // heads of the water above the base underside, in front and behind
    const double hf = FrontWaterHeight(m);
    const double hb = BackWaterHeight(m);

    // back water on the stem back face, the heel end above the heel top, and
    // the heel end below it; pushing towards the toe
    const WaterZone back = BackWaterZone(m);
    const SideOrdinates b = SideWaterOrdinates(back, m.BackWaterDepth, m.BackStemHeight, m.HeelTopDrop,
                                               m.HeelEndThickness, hb, gw, fWA);
    o[1] = ToSingle(b.stemFoot);
    o[2] = ToSingle(b.slopeFoot);
    o[3] = ToSingle(b.base);
    TrapezoidResultant(y[13], y[7], 0, o[1], F[1], ay[1]);
    TrapezoidResultant(back == WaterZone::OnStem ? y[7] : y[17], y[6], o[1], o[2], F[2], ay[2]);
    if (back == WaterZone::Lower)
        TrapezoidResultant(y[5] - hb, y[5], 0, o[3], F[3], ay[3]);
    else
        TrapezoidResultant(y[6], y[5], o[2], o[3], F[3], ay[3]);

    // front water on the stem front face, the toe tip above the toe top, and
    // the toe tip below it; pushing towards the heel
    const WaterZone front = FrontWaterZone(m);
    const SideOrdinates f = SideWaterOrdinates(front, m.FrontWaterDepth, m.FrontStemHeight, m.ToeTopDrop,
                                               m.ToeTipThickness, hf, gw, fWA);
    o[4] = ToSingle(f.stemFoot);
    o[5] = ToSingle(f.slopeFoot);
    o[6] = ToSingle(f.base);
    TrapezoidResultant(y[12], y[2], 0, o[4], F[4], ay[4]);
    TrapezoidResultant(y[16], y[3], o[4], o[5], F[5], ay[5]);
    if (front == WaterZone::Lower)
        TrapezoidResultant(y[4] - hf, y[4], 0, o[6], F[6], ay[6]);
    else
        TrapezoidResultant(y[3], y[4], o[5], o[6], F[6], ay[6]);

    // weight of the water standing on the stem back face and on the heel top
    o[7] = o[1];
    o[8] = o[2];
    TrapezoidResultant(x[13], x[7], 0, o[7], F[7], ax[7]);
    TrapezoidResultant(x[17], x[6], o[7], o[8], F[8], ax[8]);

    // weight of the water standing on the stem front face and on the toe top
    o[9] = o[4];
    o[10] = o[5];
    TrapezoidResultant(x[12], x[2], 0, o[9], F[9], ax[9]);
    TrapezoidResultant(x[16], x[3], o[9], o[10], F[10], ax[10]);

    // uplift under the base: linear between the front head at the toe and the back head at the heel
    o[11] = ToSingle(hf * gw * fWA);
    o[12] = ToSingle(hb * gw * fWA);
    TrapezoidResultant(x[4], x[5], o[11], o[12], F[11], ax[11]);
}

double ComputedPassiveCoefficient(const Model& m) {
    return CoulombPassiveCoefficient(m.ToeEarthFrictionAngle, 0, 0, m.ConcreteToEarthFrictionAngle);
}

ToeEarthLayers ToeEarthThicknesses(const Model& m) {
    const double toeTop = static_cast<double>(m.ToeTopDrop) + m.FrontStemHeight;
    ToeEarthLayers layers;
    layers.WaterBelowGround = m.FrontWaterDepth - toeTop;
    layers.Dry = std::clamp(layers.WaterBelowGround, 0.0, static_cast<double>(m.ToeTipThickness));
    layers.Submerged = FrontWaterZone(m) == WaterZone::Lower ? toeTop + m.ToeTipThickness - m.FrontWaterDepth
                                                             : m.ToeTipThickness;
    layers.Submerged = std::max(0.0, layers.Submerged);
    return layers;
}

void CalcPassivePressure(Model& m) {
    const auto& y = m.NodeYCoordinates;
    auto& p = m.PassivePressureOrdinates;
    auto& F = m.PassivePressureForces;
    auto& ay = m.PassivePressureArmsY;

    // horizontal part of a pressure inclined by the concrete-to-earth friction
    const double c = std::cos(Radians(m.ConcreteToEarthFrictionAngle));
    const double Kp = m.KpSource != Computed ? static_cast<double>(m.EnteredKp) : ComputedPassiveCoefficient(m);

    // the toe earth spans the toe-tip thickness: dry above the front water, submerged below
    const ToeEarthLayers toeEarth = ToeEarthThicknesses(m);
    const double hd = toeEarth.Dry, hw = toeEarth.Submerged;

    p[0] = 0;
    p[1] = ToSingle(p[0] + c * m.ToeEarthUnitWeight * hd * Kp);
    p[2] = ToSingle(p[1] + c * (static_cast<double>(m.ToeEarthSaturatedDensity) - m.WaterUnitWeight) * hw * Kp);
    TrapezoidResultant(y[3], y[3] + hd, p[0], p[1], F[1], ay[1]);
    TrapezoidResultant(y[3] + hd, y[4], p[1], p[2], F[2], ay[2]);

    // earth in front of the shear key, below the base underside; without the
    // toe earth the key pressure starts from 0 at the underside
    if (m.ShearKeyIncluded == 1) {
        const double gammaKey = m.WaterIncluded != 0
                                    ? static_cast<double>(m.ToeEarthSaturatedDensity) - m.WaterUnitWeight
                                    : static_cast<double>(m.ToeEarthUnitWeight);
        const double keyIncrement = c * gammaKey * m.ShearKeyDepth * Kp;
        if (m.PassiveToePressureIncluded != 0) {
            p[3] = ToSingle(p[2] + keyIncrement);
        } else {
            p[3] = ToSingle(keyIncrement);
            p[2] = 0;
        }
        TrapezoidResultant(y[4], static_cast<double>(y[4]) + m.ShearKeyDepth, p[2], p[3], F[3], ay[3]);
    }
}

}  // namespace brindlemar

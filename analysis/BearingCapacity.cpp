#include "analysis/BearingCapacity.h"

#include <cmath>

#include "analysis/Analysis.h"
#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

float Interpolate(float a, float b, double t) { return ToSingle(a + t * (static_cast<double>(b) - a)); }

// dq of one angle row at the ratio r = Df / B, clamped to the first and last column.
double DepthFactorOfRow(const DepthFactorTable& table, int a, double r) {
    const auto& ratio = At(table.EmbedmentRatio, a);
    const auto& factor = At(table.DepthFactor, a);
    const int last = table.RatioCount;
    if (r <= ratio[0]) return factor[0];
    if (r >= At(ratio, last)) return At(factor, last);
    for (int j = 0; j < last; ++j) {
        if (ratio[j] <= r && r <= At(ratio, j + 1)) {
            const double u = CheckedDivide(r - ratio[j], static_cast<double>(ratio[j + 1]) - ratio[j]);
            return factor[j] + u * (static_cast<double>(factor[j + 1]) - factor[j]);
        }
    }
    return At(factor, last);
}

}  // namespace

void LookUpBearingCapacityFactors(const Model& m, float& phi, float& Nc, float& Nq, float& Ngamma) {
    if (phi < 0) phi = 0;
    const BearingFactorTable& t = m.BearingCapacityFactors;
    for (int i = 0;; ++i) {
        if (i >= t.Count) {
            // beyond the table (or at its last row): the last row
            Nc = At(t.Nc, t.Count);
            Nq = At(t.Nq, t.Count);
            Ngamma = At(t.Ngamma, t.Count);
            return;
        }
        const float lo = At(t.FrictionAngle, i);
        const float hi = At(t.FrictionAngle, i + 1);
        if (lo <= phi && phi <= hi) {
            const double s = CheckedDivide(static_cast<double>(phi) - lo, static_cast<double>(hi) - lo);
            Nc = Interpolate(t.Nc[i], t.Nc[i + 1], s);
            Nq = Interpolate(t.Nq[i], t.Nq[i + 1], s);
            Ngamma = Interpolate(t.Ngamma[i], t.Ngamma[i + 1], s);
            return;
        }
    }
}

void WaterTableFactors(float Dw, float Df, float B, float& Cwq, float& Cwg) {
    const float deep = ToSingle(static_cast<double>(Df) + 1.5 * B);
    if (Dw <= Df) {
        // Water at or above the footing level. Water at or above the ground
        // leaves the overburden fully buoyant, which Cwq = 0.5 already
        // describes: deeper flooding adds nothing, and must not turn the
        // resistance negative. A footing on the surface (Df = 0) has no
        // overburden term for Cwq to scale.
        Cwq = Df > 0 && Dw > 0 ? ToSingle(0.5 + 0.5 * Dw / Df) : 0.5f;
        Cwg = 0.5f;
    } else if (Dw <= deep) {
        Cwq = 1;
        Cwg = ToSingle(0.5 + 0.5 * CheckedDivide(static_cast<double>(Dw) - Df, 1.5 * B));
    } else {
        Cwq = 1;
        Cwg = 1;
    }
}

void BearingShapeFactors(float phi, float B, float L, float Nq, float Nc, float& sc, float& sg, float& sq) {
    const double BL = CheckedDivide(B, L);
    if (phi == 0) {
        sc = ToSingle(1 + CheckedDivide(B, 5.0 * L));
        sg = 1;
        sq = 1;
        return;
    }
    sc = ToSingle(1 + BL * CheckedDivide(Nq, Nc));
    sg = ToSingle(1 - 0.4 * BL);
    sq = ToSingle(1 + BL * std::tan(Radians(phi)));
}

void BearingDepthFactor(const Model& m, float& phi, float Df, float B, float& dq) {
    if (phi < 0) phi = 0;
    const DepthFactorTable& t = m.DepthCorrectionFactors;
    const double r = CheckedDivide(Df, B);
    const int last = t.AngleCount;
    if (phi <= t.FrictionAngle[0]) {
        dq = ToSingle(DepthFactorOfRow(t, 0, r));
        return;
    }
    if (phi >= At(t.FrictionAngle, last)) {
        dq = ToSingle(DepthFactorOfRow(t, last, r));
        return;
    }
    for (int i = 0; i < last; ++i) {
        const float lo = t.FrictionAngle[i];
        const float hi = At(t.FrictionAngle, i + 1);
        if (lo <= phi && phi <= hi) {
            const double v0 = DepthFactorOfRow(t, i, r);
            const double v1 = DepthFactorOfRow(t, i + 1, r);
            if (v0 == v1) {
                dq = ToSingle(v0);
                return;
            }
            const double s = CheckedDivide(static_cast<double>(phi) - lo, static_cast<double>(hi) - lo);
            dq = ToSingle(v0 + s * (v1 - v0));
            return;
        }
    }
    dq = ToSingle(DepthFactorOfRow(t, last, r));
}

namespace {

float NominalBearingOfMethod(Model& m, float c, float& phi, float gamma, float B, float L, float Df, float Dw) {
    const int method = m.BearingResistanceMethod;
    // the user's own resistance needs none of the factors
    if (method == NominalBearing) return m.NominalBearingResistance;
    if (method != TheoreticalBearing && method != SptBearing && method != CptBearing) return 0;
    // no width in contact carries no load
    if (!(B > 0)) return 0;

    float Cwq = 0, Cwg = 0;
    WaterTableFactors(Dw, Df, B, Cwq, Cwg);
    const int unit = m.CurrentUnitSystem;

    if (method == TheoreticalBearing) {
        float Nc = 0, Nq = 0, Ngamma = 0, sc = 0, sg = 0, sq = 0, dq = 0;
        LookUpBearingCapacityFactors(m, phi, Nc, Nq, Ngamma);
        BearingShapeFactors(phi, B, L, Nq, Nc, sc, sg, sq);
        BearingDepthFactor(m, phi, Df, B, dq);
        // width and overburden terms in the pressure unit, the cohesion term in the stress unit
        const float q1 = ToSingle(0.5 * gamma * B * Ngamma * sg * Cwg +
                                  static_cast<double>(gamma) * Df * Nq * dq * sq * Cwq);
        const double cohesion = static_cast<double>(c) * Nc * sc;
        return ToSingle(cohesion + q1 / StressToPressureFactor(unit));
    }

    // semi-empirical formulas, B in metres giving MPa
    const double embedment = Cwq * CheckedDivide(Df, B) + Cwg;
    if (method == SptBearing) {
        const float q = ToSingle(embedment * (m.BaseSptBlowCount * 0.032 * B));
        if (unit == Metric) return ToSingle(CheckedDivide(q * 100.0, m.GravityAcceleration));
        if (unit == SI) return q;
        // MPa to psi, and B taken in metres rather than feet
        return ToSingle(q * StressToPsiFactor(SI, m.GravityAcceleration) * MetresPerFoot);
    }
    const float q = ToSingle(embedment * (m.BaseCptTipResistance * 0.082 * B));
    return unit == British ? ToSingle(q * MetresPerFoot) : q;
}

}  // namespace

float UltimateBearingCapacity(Model& m, float c, float& phi, float gamma, float B, float L, float Df, float Dw) {
    if (phi < 0) phi = 0;
    // Only inputs outside their range (a negative cohesion, unit weight, blow
    // count, tip resistance or entered value) give a resistance below zero;
    // the ground then offers none, rather than a negative resistance whose
    // ratio to the pressure would read as a meaningless negative.
    const float qn = NominalBearingOfMethod(m, c, phi, gamma, B, L, Df, Dw);
    return qn > 0 ? qn : 0.0f;
}

}  // namespace brindlemar

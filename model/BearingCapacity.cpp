#include "model/BearingCapacity.h"

#include <cmath>

#include "model/Analysis.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

struct BearingFactorRow {
    float Nc, Nq, Ngamma;
};

// One row per whole degree of friction angle, 0 to 45.
constexpr std::array<BearingFactorRow, 46> BearingFactorRows{{
    {5.14f, 1.0f, 0.0f},   {5.4f, 1.1f, 0.1f},    {5.6f, 1.2f, 0.2f},    {5.9f, 1.4f, 0.2f},
    {6.2f, 1.5f, 0.3f},    {6.5f, 1.6f, 0.5f},    {6.8f, 1.7f, 0.6f},    {7.2f, 1.9f, 0.7f},
    {7.5f, 2.1f, 0.9f},    {7.9f, 2.3f, 1.0f},    {8.4f, 2.5f, 1.2f},    {8.8f, 2.7f, 1.4f},
    {9.3f, 3.0f, 1.7f},    {9.8f, 3.3f, 2.0f},    {10.4f, 3.6f, 2.3f},   {11.0f, 3.9f, 2.7f},
    {11.6f, 4.3f, 3.1f},   {12.3f, 4.8f, 3.5f},   {13.1f, 5.3f, 4.1f},   {13.9f, 5.8f, 4.7f},
    {14.8f, 6.4f, 5.4f},   {15.8f, 7.1f, 6.2f},   {16.9f, 7.8f, 7.1f},   {18.1f, 8.7f, 8.2f},
    {19.3f, 9.6f, 9.4f},   {20.7f, 10.7f, 10.9f}, {22.3f, 11.9f, 12.5f}, {23.9f, 13.2f, 14.5f},
    {25.8f, 14.7f, 16.7f}, {27.9f, 16.4f, 19.3f}, {30.1f, 18.4f, 22.4f}, {32.7f, 20.6f, 26.0f},
    {35.5f, 23.2f, 30.2f}, {38.6f, 26.1f, 35.2f}, {42.2f, 29.4f, 41.1f}, {46.1f, 33.3f, 48.0f},
    {50.6f, 37.8f, 56.3f}, {55.6f, 42.9f, 66.2f}, {61.4f, 48.9f, 78.0f}, {67.9f, 56.0f, 92.3f},
    {75.3f, 64.2f, 109.4f}, {83.9f, 73.9f, 130.2f}, {93.7f, 85.4f, 155.6f}, {105.1f, 99.0f, 186.5f},
    {118.4f, 115.3f, 224.6f}, {133.9f, 134.9f, 271.8f},
}};

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

void InitBearingFactorTables(Model& m) {
    BearingFactorTable& t = m.BearingCapacityFactors;
    t.Count = 45;
    for (int k = 0; k <= t.Count; ++k) {
        t.FrictionAngle[k] = static_cast<float>(k);
        t.Nc[k] = BearingFactorRows[k].Nc;
        t.Nq[k] = BearingFactorRows[k].Nq;
        t.Ngamma[k] = BearingFactorRows[k].Ngamma;
    }
}

void InitDepthFactorTable(Model& m) {
    DepthFactorTable& t = m.DepthCorrectionFactors;
    t.AngleCount = 2;
    t.RatioCount = 3;
    constexpr std::array<float, 3> angles{32, 37, 42};
    constexpr std::array<float, 4> ratios{1, 2, 4, 8};
    constexpr std::array<std::array<float, 4>, 3> factors{{
        {1.20f, 1.30f, 1.35f, 1.40f},
        {1.20f, 1.25f, 1.30f, 1.35f},
        {1.15f, 1.20f, 1.25f, 1.30f},
    }};
    for (int a = 0; a <= t.AngleCount; ++a) {
        t.FrictionAngle[a] = angles[a];
        for (int r = 0; r <= t.RatioCount; ++r) {
            t.EmbedmentRatio[a][r] = ratios[r];
            t.DepthFactor[a][r] = factors[a][r];
        }
    }
}

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
        // Water at or above the footing level. A footing on the surface (Df = 0)
        // has no overburden term for Cwq to scale: take the value for water at the surface.
        Cwq = Df != 0 ? ToSingle(0.5 + 0.5 * Dw / Df) : 0.5f;
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

float UltimateBearingCapacity(Model& m, float c, float& phi, float gamma, float B, float L, float Df, float Dw) {
    if (phi < 0) phi = 0;
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
        if (unit == British) return ToSingle(cohesion + q1 * 1000.0 / 144.0);
        return ToSingle(cohesion + q1 / (unit == SI ? 1000.0 : 10.0));
    }

    // semi-empirical formulas, B in metres giving MPa
    const double embedment = Cwq * CheckedDivide(Df, B) + Cwg;
    if (method == SptBearing) {
        const float q = ToSingle(embedment * (m.BaseSptBlowCount * 0.032 * B));
        if (unit == Metric) return ToSingle(CheckedDivide(q * 100.0, m.GravityAcceleration));
        if (unit == SI) return q;
        return ToSingle(CheckedDivide(q * 25.4 * 25.4 / 0.454, m.GravityAcceleration) * 0.3048);
    }
    const float q = ToSingle(embedment * (m.BaseCptTipResistance * 0.082 * B));
    return unit == British ? ToSingle(q * 0.3048) : q;
}

}  // namespace brindlemar

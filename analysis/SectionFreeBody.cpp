#include "analysis/SectionFreeBody.h"

#include <algorithm>
#include <cmath>

#include "analysis/Analysis.h"
#include "analysis/BackfillPressure.h"
#include "analysis/Preparation.h"
#include "model/Polygons.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionStations.h"
#include "analysis/WaterPressure.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar::section {

void FreeBody::Add(double fx, double fy, double x, double y, Sets sets) {
    // clockwise moment about the cut's centre; the heel counts the other way
    // round so that toe and heel moments bend one beam in the same sense
    double dM = (y - yc_) * fx - (x - xc_) * fy;
    double dV = 0, dN = 0;
    switch (member_) {
        case Member::Stem: dV = fx; dN = -fy; break;
        case Member::Toe: dV = fy; dN = fx; break;
        case Member::Heel: dM = -dM; dV = fy; dN = -fx; break;
    }
    const int last = sets == Sets::Both ? 1 : 0;
    for (int set = 0; set <= last; ++set) {
        float* s = sums_[set];
        s[0] = ToSingle(s[0] + dM);
        s[1] = ToSingle(s[1] + dV);
        s[2] = ToSingle(s[2] + dN);
    }
}

void FreeBody::Store(float& M, float& V, float& N, float& M2, float& V2, float& N2) const {
    M = sums_[0][0]; V = sums_[0][1]; N = sums_[0][2];
    M2 = sums_[1][0]; V2 = sums_[1][1]; N2 = sums_[1][2];
}

double OnMember(double pos, double length) {
    if (pos > length) pos = length;
    return pos < 0 ? 0 : pos;
}

double StemThickness(const Model& m, double x) {
    double t = m.StemTopThickness;
    if (m.FrontStemHeight > 0) t += x * m.StemFrontBatter / m.FrontStemHeight;
    if (m.BackStemHeight > 0) t += x * m.StemBackBatter / m.BackStemHeight;
    return t;
}

double ToeThickness(const Model& m, double x) {
    return m.ToeLength > 0 ? m.ToeTipThickness + x * m.ToeTopDrop / m.ToeLength
                           : double(m.ToeTipThickness);
}

double HeelThickness(const Model& m, double x) {
    return m.HeelLength > 0 ? m.HeelEndThickness + x * m.HeelTopDrop / m.HeelLength
                            : double(m.HeelEndThickness);
}

Resultant Trapezoid(double a1, double a2, double p1, double p2) {
    float F = 0, at = 0;
    TrapezoidResultant(a1, a2, p1, p2, F, at);
    return {F, at};
}

AreaCentroid Polygon(std::initializer_list<std::pair<double, double>> points) {
    PolygonPointArray corners{};
    int16_t n = 0;
    for (const auto& [x, y] : points) {
        PolygonPoint& p = At(corners, ++n);
        p.X = ToSingle(x);
        p.Y = ToSingle(y);
    }
    float area = 0, cx = 0, cy = 0;
    ComputePolygonAreaCentroid(n, corners, area, cx, cy);
    return {std::abs(double(area)), cx, cy};
}

Placement PlaceAlong(const Model& m, double beyondDistance) {
    const double tolerance = PositionTolerance(m);
    if (beyondDistance > tolerance) return Placement::Beyond;
    if (beyondDistance >= -tolerance) return Placement::AtCut;
    return Placement::Outside;
}

void AddLineLoads(const Model& m, FreeBody& body,
                  const std::function<bool(const LineLoad&)>& onMember,
                  const std::function<double(const LineLoad&)>& beyond) {
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        const LineLoad& load = At(m.LineLoads, i);
        if (!onMember(load)) continue;
        const Placement place = PlaceAlong(m, beyond(load));
        if (place == Placement::Outside) continue;
        // P·sin θ towards the heel and P·cos θ upwards, as the stability analysis takes them
        const double theta = Radians(load.Direction);
        const double f = Factor(m, load.LoadType);
        const double fx = load.Value * std::sin(theta) * f;
        const double fy = load.Value * std::cos(theta) * f;
        body.Add(fx, fy, load.X, load.Y, SetsFor(place));
    }
}

void AddBaseForce(const Model& m, FreeBody& body, double fx, double beyondDistance) {
    const Placement place = PlaceAlong(m, beyondDistance);
    if (place != Placement::Outside) body.AddHorizontal(fx, 0, SetsFor(place));
}

Resultant HydrodynamicForce(const Model& m, double y1, double y2) {
    const double hf = FrontWaterHeight(m);
    if (y2 > hf) y2 = hf;
    if (y1 < 0) y1 = 0;
    if (y2 <= y1) return {0, y1};
    // depths below the front water level of the face's upper and lower edges
    const double z1 = hf - y2, z2 = hf - y1;
    const double c = 7.0 / 8.0 * m.WaterUnitWeight * m.AppliedSeismicCoefficient * Factor(m, EQ) *
                     Factor(m, WA) * std::sqrt(hf);
    // ∫ c·√z dz and ∫ c·z·√z dz between the two depths
    const double F = c * 2.0 / 3.0 * (std::pow(z2, 1.5) - std::pow(z1, 1.5));
    if (F == 0) return {0, y1};
    const double moment = c * 2.0 / 5.0 * (std::pow(z2, 2.5) - std::pow(z1, 2.5));
    return {F, hf - CheckedDivide(moment, F)};
}

Resultant UpliftForce(const Model& m, double x1, double x2) {
    const double g = m.WaterUnitWeight * Factor(m, WA);
    const double atToe = FrontWaterHeight(m) * g;
    const double atHeel = BackWaterHeight(m) * g;
    const double B = m.BaseWidth;
    auto head = [&](double x) { return atToe + (atHeel - atToe) * CheckedDivide(x, B); };
    return Trapezoid(x1, x2, head(x1), head(x2));
}

Resultant BasePressureForce(const Model& m, double x1, double x2) {
    const double start = m.BearingContactStart, end = m.BearingContactEnd;
    const double left = m.LeftBearingPressure, right = m.RightBearingPressure;
    const double lo = x1 > start ? x1 : start;
    const double hi = x2 < end ? x2 : end;
    if (hi <= lo || (left == 0 && right == 0)) return {0, lo};
    // linear between the pressures at the two ends of the contact
    auto pressure = [&](double x) {
        if (x == start) return left;
        if (x == end) return right;
        return left + CheckedDivide(x - start, m.BearingPressureWidth) * (right - left);
    };
    return Trapezoid(lo, hi, pressure(lo), pressure(hi));
}

BaseResistances ShareBaseResistances(const Model& m) {
    BaseResistances r;
    const double Hs = std::abs(double(m.TotalHorizontalForce));
    const double Rf = m.BaseFrictionResistance, Rr = m.RestraintResistance;
    const double Rt = m.ToePassiveResistance, Rk = m.ShearKeyPassiveResistance;
    r.direction = m.TotalHorizontalForce > 0 ? -1 : 1;
    r.totalReaction = (double(m.LeftBearingPressure) + m.RightBearingPressure) / 2 * m.BearingPressureWidth;
    if (Hs <= Rf) {
        r.friction = Hs;
        return r;
    }
    r.friction = Rf;
    const double rest = Hs - Rf;
    if (Rr < rest) {
        r.restraint = Rr;
        double passive = rest - Rr;
        if (Rt + Rk < passive) passive = Rt + Rk;
        if (Rt + Rk > 0) {
            r.toePassive = Rt / (Rt + Rk) * passive;
            r.shearKey = Rk / (Rt + Rk) * passive;
        }
    } else {
        r.restraint = rest;
    }
    return r;
}

double FrictionShare(const BaseResistances& r, double reaction) {
    if (r.friction == 0) return 0;
    return r.friction * CheckedDivide(reaction, r.totalReaction);
}

bool TrapSectionErrors(const Model& m, const std::function<FreeBody()>& compute, float& M, float& V, float& N,
                       float& M2, float& V2, float& N2) {
    M = V = N = M2 = V2 = N2 = 0;
    try {
        compute().Store(M, V, N, M2, V2, N2);
        return true;
    } catch (const RuntimeError& e) {
        TellAnalysisFault(m, e);
        return false;
    }
}

}  // namespace brindlemar::section

namespace brindlemar {

float StemThicknessAt(const Model& m, float x) { return ToSingle(section::StemThickness(m, x)); }
float ToeThicknessAt(const Model& m, float x) { return ToSingle(section::ToeThickness(m, x)); }
float HeelThicknessAt(const Model& m, float x) { return ToSingle(section::HeelThickness(m, x)); }

}  // namespace brindlemar

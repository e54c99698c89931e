#include "analysis/Analysis.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "analysis/BackfillPressure.h"
#include "analysis/BearingCapacity.h"
#include "analysis/Preparation.h"
#include "analysis/WaterPressure.h"
#include "model/KeepCurrentCombination.h"
#include "model/Outline.h"
#include "model/Units.h"
#include "runtime/Hooks.h"
#include "runtime/OneBoxPerError.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

constexpr float NoDrivingTerm = 1E+10f;

// Resistance over the driving term. Where the driving actions point the
// other way (an earth thrust that turns the wall back, water in front that
// pushes it into the backfill) nothing drives the wall towards failure: the
// ratio is that of no driving term, never a negative one that would read as
// failing. A resistance below zero resists nothing.
float ResistanceRatio(float resisting, float driving) {
    if (!(driving > 0)) return NoDrivingTerm;
    return ToSingle(std::max(0.0, static_cast<double>(resisting) / driving));
}

// Running sums of one analysis. Each sum is a float rounded after every
// addition; moments are about the lower toe end, positive when they resist
// overturning, and each is booked as a driving or a resisting moment.
class LoadSums {
public:
    LoadSums(Model& m, double toeDepth) : m_(m), toeDepth_(toeDepth) {}

    // a horizontal force (positive towards the heel) acting at depth y below the wall top
    void AddHorizontal(double Fh, double y, bool rotating) {
        const double moment = Fh * (toeDepth_ - y);
        m_.MomentAtOverturningPoint = ToSingle(m_.MomentAtOverturningPoint + moment);
        m_.TotalHorizontalForce = ToSingle(m_.TotalHorizontalForce + Fh);
        Book(moment, rotating);
    }

    // a vertical force (positive downwards) acting at x from the toe tip
    void AddVertical(double Fv, double x, bool rotating) {
        const double moment = Fv * x;
        m_.MomentAtOverturningPoint = ToSingle(m_.MomentAtOverturningPoint + moment);
        m_.TotalVerticalForce = ToSingle(m_.TotalVerticalForce + Fv);
        Book(moment, rotating);
    }

    void Book(double moment, bool rotating) {
        if (rotating)
            m_.RotatingMoment = ToSingle(m_.RotatingMoment + moment);
        else
            m_.RotationResistingMoment = ToSingle(m_.RotationResistingMoment + moment);
    }

private:
    Model& m_;
    double toeDepth_;
};

constexpr bool Rotating = true;
constexpr bool Resisting = false;

// Lateral earth, earthquake and beyond-heel surcharge line loads drive
// rotation; every other load type is booked as resisting.
bool LineLoadDrivesRotation(int loadType) {
    switch (loadType) {
        case EH:
        case EQ:
        case S2: return true;
        case DL:
        case EV:
        case ES:
        case LL:
        case LD:
        case WA:
        case IC:
        case S1: return false;
        default: RaiseError(94, "Invalid use of Null");
    }
}

void AddLineLoads(Model& m, LoadSums& sums) {
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        const LineLoad& load = At(m.LineLoads, i);
        const double f = Factor(m, load.LoadType);
        const bool rotating = LineLoadDrivesRotation(load.LoadType);
        // θ = 0 points up, 90 towards the heel; Y is the height above the base underside
        const double theta = Radians(load.Direction);
        const double P = load.Value;
        const double Mi = (-P * std::cos(theta) * load.X + P * std::sin(theta) * load.Y) * f;
        m.MomentAtOverturningPoint = ToSingle(m.MomentAtOverturningPoint + Mi);
        m.TotalVerticalForce = ToSingle(m.TotalVerticalForce - P * std::cos(theta) * f);
        m.TotalHorizontalForce = ToSingle(m.TotalHorizontalForce + P * std::sin(theta) * f);
        sums.Book(Mi, rotating);
    }
}

// Everything that acts on the wall, summed into M, V and H.
void AddLoads(Model& m, double toeDepth) {
    LoadSums sums(m, toeDepth);
    const double B = m.BaseWidth;
    // The water and passive pressures first: they depend on nothing the
    // earth pressures may fail on, so an analysis that cannot go on leaves
    // none of an earlier combination's behind.
    CalcWaterPressures(m);
    CalcPassivePressure(m);
    AddLineLoads(m, sums);

    // surcharge on the backfill over the heel, behind the top of the stem's back face
    const double Ls = static_cast<double>(m.HeelLength) + m.StemBackBatter;
    const double W = m.BackfillSurcharge * Factor(m, m.SurchargeLoadType) * Ls;
    sums.AddVertical(W * Factor(m, S1), B - Ls / 2, Resisting);

    // Self-weight of the wall and of the earth on it. The seismic pressures
    // compute the blocks for this combination first; nothing changes them
    // in between, so they are computed once.
    CalcSeismicBackfillPressure(m);
    for (int i = 1; i <= 17; ++i) sums.AddVertical(m.BlockWeights[i], m.BlockCentroidsX[i], Resisting);

    // earthquake: inertia of the blocks, the earth-pressure increment and the
    // front water, all towards the toe; the increment's vertical part reduces the driving moment
    for (int i = 1; i <= 17; ++i)
        sums.AddHorizontal(-m.BlockSeismicForces[i], m.BlockCentroidsY[i], Rotating);
    for (int i = 1; i <= 2; ++i)
        sums.AddHorizontal(-m.SeismicPressureForces[i], m.SeismicPressureArmsY[i], Rotating);
    for (int i = 3; i <= 4; ++i)
        sums.AddVertical(m.SeismicPressureForces[i], m.SeismicPressureArmsX[i], Rotating);
    sums.AddHorizontal(-m.HydrodynamicPressureForces[1], m.HydrodynamicPressureArmsY[1], Rotating);

    // Static backfill pressure towards the toe, with its downward wall-friction
    // part; again, because the seismic check may have flattened the slope.
    CalcStaticBackfillPressure(m);
    for (int i = 1; i <= 2; ++i)
        sums.AddHorizontal(-m.BackfillPressureForces[i], m.BackfillPressureArmsY[i], Rotating);
    for (int i = 3; i <= 4; ++i)
        sums.AddVertical(m.BackfillPressureForces[i], m.BackfillPressureArmsX[i], Rotating);

    // water: back faces push towards the toe, front faces towards the heel,
    // water standing on the wall weighs on it, and the uplift lifts the base
    for (int i = 1; i <= 3; ++i) sums.AddHorizontal(-m.WaterPressureForces[i], m.WaterPressureArmsY[i], Rotating);
    for (int i = 4; i <= 6; ++i) sums.AddHorizontal(m.WaterPressureForces[i], m.WaterPressureArmsY[i], Resisting);
    for (int i = 7; i <= 10; ++i) sums.AddVertical(m.WaterPressureForces[i], m.WaterPressureArmsX[i], Resisting);
    sums.AddVertical(-m.WaterPressureForces[11], m.WaterPressureArmsX[11], Rotating);
}

// Resultant on the base: its distance from the toe tip and from mid-base.
void LocateResultant(Model& m) {
    const double B = m.BaseWidth;
    const double V = m.TotalVerticalForce;
    m.AnalysisBaseWidth = m.BaseWidth;
    if (V != 0) {
        m.EccentricityFromOverturningPoint = ToSingle(CheckedDivide(m.MomentAtOverturningPoint, V));
        m.EccentricityFromMidbase = ToSingle(m.EccentricityFromOverturningPoint - B / 2);
        m.MomentAtMidbase = ToSingle(static_cast<double>(m.EccentricityFromMidbase) * V);
    } else {
        m.EccentricityFromOverturningPoint = ToSingle(B / 2);
        m.EccentricityFromMidbase = 0;
        m.MomentAtMidbase = 0;
    }
}

// No part of the base bears: nothing of an earlier combination may stay behind.
void ClearContact(Model& m) {
    m.WallStable = False;
    m.LeftBearingPressure = 0;
    m.RightBearingPressure = 0;
    m.ToeEdgePressure = 0;
    m.HeelEdgePressure = 0;
    m.BearingPressureWidth = 0;
    m.EffectiveBaseWidth = 0;
    m.BearingContactStart = 0;
    m.BearingContactEnd = m.BaseWidth;
}

// Rock base: linear pressure, triangular over three times the distance to
// the nearer edge when the resultant leaves the middle third.
void RockBasePressure(Model& m) {
    const double B = m.BaseWidth;
    const double V = m.TotalVerticalForce;
    const double xr = m.EccentricityFromOverturningPoint;
    const double e = m.EccentricityFromMidbase;
    const float sixth = ToSingle(B / 6);
    m.ToeEdgePressure = ToSingle((1 - 6 * e / B) * V / B);
    m.HeelEdgePressure = ToSingle((1 + 6 * e / B) * V / B);
    if (e < -sixth) {
        m.ToeEdgePressure = ToSingle(2.0 / 3.0 * V * V / m.MomentAtOverturningPoint);
        m.HeelEdgePressure = 0;
        m.BearingPressureWidth = m.ToeEdgePressure != 0 ? ToSingle(2 * V / m.ToeEdgePressure) : m.BaseWidth;
        m.BearingContactStart = 0;
        m.BearingContactEnd = m.BearingPressureWidth;
    } else if (e > sixth) {
        m.HeelEdgePressure = ToSingle(2.0 / 3.0 * V / (B - xr));
        m.ToeEdgePressure = 0;
        m.BearingPressureWidth = m.HeelEdgePressure != 0 ? ToSingle(2 * V / m.HeelEdgePressure) : m.BaseWidth;
        m.BearingContactStart = ToSingle(B - m.BearingPressureWidth);
        m.BearingContactEnd = m.BaseWidth;
    } else {
        m.BearingPressureWidth = m.BaseWidth;
        m.BearingContactStart = 0;
        m.BearingContactEnd = m.BaseWidth;
    }
    m.WallStable = True;
    m.LeftBearingPressure = m.ToeEdgePressure;
    m.RightBearingPressure = m.HeelEdgePressure;
    m.EffectiveBaseWidth = ToSingle((B / 2 - std::fabs(e)) * 2);
}

// Soil base: uniform pressure over the effective width B − 2|e|, on the
// side of mid-base where the resultant lies.
void SoilBasePressure(Model& m, double width) {
    const double B = m.BaseWidth;
    const double V = m.TotalVerticalForce;
    m.BearingPressureWidth = ToSingle(width);
    m.LeftBearingPressure = ToSingle(V / width);
    m.RightBearingPressure = m.LeftBearingPressure;
    m.ToeEdgePressure = m.LeftBearingPressure;
    m.HeelEdgePressure = m.RightBearingPressure;
    if (m.EccentricityFromMidbase <= 0) {
        m.BearingContactStart = 0;
        m.BearingContactEnd = m.BearingPressureWidth;
    } else {
        m.BearingContactStart = ToSingle(B - m.BearingPressureWidth);
        m.BearingContactEnd = m.BaseWidth;
    }
    m.EffectiveBaseWidth = m.BearingPressureWidth;
    m.WallStable = True;
}

// The base bears only when the resultant lies strictly inside it under a
// downward force; on an edge, or beyond, the wall is not stable. The sums
// hold about seven digits, so a resultant within a millionth of the base
// width of an edge stands on it: its contact width and pressures would be
// rounding noise.
void BasePressure(Model& m) {
    const double B = m.BaseWidth;
    const float V = m.TotalVerticalForce;
    const double xr = m.EccentricityFromOverturningPoint;
    const double onEdge = 1E-6 * std::fabs(B);
    if (!(V > 0) || !(xr > onEdge) || !(xr < B - onEdge)) return ClearContact(m);
    if (m.BaseMaterialOption == Rock) return RockBasePressure(m);
    const double width = B - 2 * std::fabs(static_cast<double>(m.EccentricityFromMidbase));
    if (!(width > 0)) return ClearContact(m);
    SoilBasePressure(m, width);
}

// Bearing resistance against the larger edge pressure, the resistance
// capped by the concrete strength.
void Bearing(Model& m) {
    if (m.WallStable == False) {
        m.ComputedBearingResistance = 0;
        m.BearingResistanceRatio = 0;
        return;
    }
    const float waterBelowToeTop = ToSingle(ToeEarthThicknesses(m).WaterBelowGround);
    const float qn = UltimateBearingCapacity(m, m.BaseCohesion, m.BaseFrictionAngle, m.BaseUnitWeight,
                                             m.EffectiveBaseWidth, 100000, m.ToeTipThickness, waterBelowToeTop);
    m.ComputedBearingResistance = qn;
    const double qmax = std::max(m.LeftBearingPressure, m.RightBearingPressure);
    m.BearingResistanceRatio = ToSingle(CheckedDivide(CappedBearingResistance(m, qn), qmax) * Factor(m, BE));
}

// Sliding: base friction and cohesion, adjacent structures, passive earth
// in front of the toe and of the shear key, against the net horizontal force.
void Sliding(Model& m, double u) {
    const double fFC = Factor(m, FC);
    const double fEP = Factor(m, EP);
    m.SlidingForce = ToSingle(-static_cast<double>(m.TotalHorizontalForce));
    m.SlidingFrictionResistance =
        ToSingle(m.TotalVerticalForce * std::tan(Radians(m.BaseFrictionAngle)) * fFC);
    m.SlidingCohesionResistance = ToSingle(static_cast<double>(m.BaseWidth) * m.BaseCohesion * u * fFC);
    m.SlidingResistingForce = ToSingle(static_cast<double>(m.SlidingCohesionResistance) + m.SlidingFrictionResistance);
    m.BaseFrictionResistance = m.SlidingResistingForce;

    m.RestraintResistance = 0;
    if (m.AdjacentStructureIncluded == 1) {
        m.RestraintResistance = ToSingle(Factor(m, RH) * m.AdjacentStructureCapacity);
        m.SlidingResistingForce = ToSingle(m.SlidingResistingForce + static_cast<double>(m.RestraintResistance));
    }
    m.ToePassiveResistance = 0;
    if (m.PassiveToePressureIncluded == 1) {
        m.ToePassiveResistance =
            ToSingle(fEP * (static_cast<double>(m.PassivePressureForces[1]) + m.PassivePressureForces[2]));
        m.SlidingResistingForce = ToSingle(m.SlidingResistingForce + static_cast<double>(m.ToePassiveResistance));
    }
    m.ShearKeyPassiveResistance = 0;
    if (m.ShearKeyIncluded == 1) {
        m.ShearKeyPassiveResistance = ToSingle(fEP * m.PassivePressureForces[3]);
        m.SlidingResistingForce =
            ToSingle(m.SlidingResistingForce + static_cast<double>(m.ShearKeyPassiveResistance));
    }
    m.SlidingResistanceRatio = ResistanceRatio(m.SlidingResistingForce, m.SlidingForce);
}

// Rotation: the driving moment made positive, against the resisting moment
// with the passive toe earth added (unfactored by EP) and the RO factor.
void Rotation(Model& m, double toeDepth) {
    m.RotatingMoment = ToSingle(-static_cast<double>(m.RotatingMoment));
    if (m.PassiveToePressureIncluded == 1) {
        const auto& F = m.PassivePressureForces;
        const auto& y = m.PassivePressureArmsY;
        m.RotationResistingMoment = ToSingle(m.RotationResistingMoment + F[1] * (toeDepth - y[1]) +
                                             F[2] * (toeDepth - y[2]));
    }
    m.RotationResistingMoment = ToSingle(Factor(m, RO) * m.RotationResistingMoment);
    // An earth thrust on a rising backfill may turn the wall back about its
    // toe with its vertical part more than it tips it with its horizontal part.
    m.RotationResistanceRatio = ResistanceRatio(m.RotationResistingMoment, m.RotatingMoment);
}

}  // namespace

double CappedBearingResistance(const Model& m, double qn) {
    double qc = qn <= m.ConcreteCompressiveStress ? qn : m.ConcreteCompressiveStress;
    // a concrete strength below zero is no strength, never a negative resistance
    if (!(qc > 0)) qc = 0;
    return qc * StressToPressureFactor(m.CurrentUnitSystem);
}

void SelectLoadCombination(Model& m, int setIndex, int combIndex) {
    CheckedIndex(setIndex, 0, MaxCombinationSets);
    CheckedIndex(combIndex, 0, MaxCombinations - 1);
    const CombinationSet& set = m.CombinationSets[setIndex];
    const LoadCombination& combination = set.Combinations[combIndex];
    m.CurrentLoadCombination.Name = combination.Name;
    if (m.FactorCount > MaxFactorCount) RaiseError(ErrSubscript);
    for (int k = 1; k <= m.FactorCount; ++k) {
        m.CurrentFactorDefinition.FactorCode[k] = set.Factors.FactorCode[k];
        m.CurrentFactorDefinition.FactorName[k] = set.Factors.FactorName[k];
        m.CurrentLoadCombination.Factor[k] = combination.Factor[k];
    }
}

bool AnalyseCombination(Model& m) {
    ++m.AnalysisCount;
    m.AnalysisFailure.clear();
    try {
        SelectLoadCombination(m, m.ActiveCombinationSet, m.CurrentCombination);
        m.MomentAtOverturningPoint = 0;
        m.TotalVerticalForce = 0;
        m.TotalHorizontalForce = 0;
        m.SlidingForce = 0;
        m.SlidingResistingForce = 0;
        m.RotatingMoment = 0;
        m.RotationResistingMoment = 0;

        // depth of the overturning point (the lower toe end) below the wall top
        const double toeDepth = FrontWallHeight(m);
        const double u = StressToPressureFactor(m.CurrentUnitSystem);
        AddLoads(m, toeDepth);
        LocateResultant(m);
        BasePressure(m);
        Bearing(m);
        Sliding(m, u);
        Rotation(m, toeDepth);
        return true;
    } catch (const RuntimeError& e) {
        // A failed analysis is no verdict: the wall has no result, and the
        // reason is kept for whatever shows this combination. Nothing it
        // drew on may pass for stable.
        m.WallStable = False;
        m.AnalysisFailure = e.Description.empty() ? "Run-time error " + std::to_string(e.Number) : e.Description;
        SetBusyPointer(false);
        TellAnalysisFault(m, e);
        return false;
    }
}

void StoreStabilityResults(Model& m, int i, bool analysed) {
    CheckedIndex(i, 1, MaxCombinations - 1);
    m.CombinationWallStableFlags[i] = analysed ? m.WallStable : False;
    m.CombinationAnalysisFailures[static_cast<std::size_t>(i)] = analysed ? std::string() : m.AnalysisFailure;
    const std::pair<CombinationValues*, float> results[] = {
        {&m.CombinationTotalHorizontalForces, m.TotalHorizontalForce},
        {&m.CombinationTotalVerticalForces, m.TotalVerticalForce},
        {&m.CombinationMomentsAtOverturningPoint, m.MomentAtOverturningPoint},
        {&m.CombinationMomentsAtMidbase, m.MomentAtMidbase},
        {&m.CombinationEccentricitiesFromOverturningPoint, m.EccentricityFromOverturningPoint},
        {&m.CombinationEccentricitiesFromMidbase, m.EccentricityFromMidbase},
        {&m.CombinationLeftBearingPressures, m.LeftBearingPressure},
        {&m.CombinationRightBearingPressures, m.RightBearingPressure},
        {&m.CombinationBearingPressureWidths, m.BearingPressureWidth},
        {&m.CombinationNominalBearingResistances, m.ComputedBearingResistance},
        {&m.CombinationBearingResistanceRatios, m.BearingResistanceRatio},
        {&m.CombinationSlidingForces, m.SlidingForce},
        {&m.CombinationSlidingResistingForces, m.SlidingResistingForce},
        {&m.CombinationSlidingResistanceRatios, m.SlidingResistanceRatio},
        {&m.CombinationRotatingMoments, m.RotatingMoment},
        {&m.CombinationRotationResistingMoments, m.RotationResistingMoment},
        {&m.CombinationRotationResistanceRatios, m.RotationResistanceRatio},
    };
    for (const auto& [table, value] : results)
        (*table)[static_cast<std::size_t>(i)] = analysed ? std::optional<float>(value) : std::nullopt;
}

void AnalyseAllCombinations(Model& m) {
    CheckedIndex(m.ActiveCombinationSet, 0, MaxCombinationSets);
    const int n = m.CombinationSets[m.ActiveCombinationSet].CombinationCount;
    // the table holds combinations 1 to 50 only
    if (n > MaxCombinations - 1) RaiseError(ErrSubscript);

    // a fault of the wall itself meets every combination: told once
    const OneBoxPerError oneBox;
    const KeepCurrentCombination keep(m);
    for (int i = 1; i <= n; ++i) {
        m.CurrentCombination = static_cast<int16_t>(i - 1);
        StoreStabilityResults(m, i, PrepareCombination(m));
    }
}

}  // namespace brindlemar

#include "design/DesignReinforcement.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "design/BarFit.h"
#include "design/DesignArithmetic.h"
#include "design/DesignSectionForces.h"
#include "design/DesignUnits.h"
#include "design/Flexure.h"
#include "design/Shear.h"

namespace brindlemar {

using namespace design;

namespace {

// The bars the search tries, in the wall length unit: spacings widest first,
// diameters smallest first at each spacing. The grid ends where twice the
// largest bar reaches the spacing.
struct BarGrid {
    std::vector<float> Spacings, Diameters;
};

const BarGrid& SearchGrid(const Model& m) {
    static const BarGrid grids[2] = {
        [] {  // Metric and SI: 0.30 to 0.06 m by 0.01 m, 4 to 31 mm by 1 mm
            BarGrid g;
            for (int cm = 30; cm >= 6; --cm) g.Spacings.push_back(static_cast<float>(cm / 100.0));
            for (int mm = 4; mm <= 31; ++mm) g.Diameters.push_back(static_cast<float>(mm / 1000.0));
            return g;
        }(),
        [] {  // British: 12 to 2.5 in by 0.5 in, 1/8 to 1 1/4 in by 1/16 in, in feet
            BarGrid g;
            for (int halves = 24; halves >= 5; --halves)
                g.Spacings.push_back(static_cast<float>(halves * 0.5 / InchesPerFoot));
            for (int sixteenths = 2; sixteenths <= 20; ++sixteenths)
                g.Diameters.push_back(static_cast<float>(sixteenths / 16.0 / InchesPerFoot));
            return g;
        }(),
    };
    return grids[UnitSystemIndex(m) == British ? 1 : 0];
}

// Steel area per unit length of wall of bars db at spacing s; none without a
// positive spacing, or when no float holds it.
float BarArea(double db, double s, double width) {
    if (!(s > 0)) return 0;
    return Stored(std::numbers::pi / 4 * db * db * width / s).value_or(0.0f);
}

// Puts bars on the face and derives what follows from them in its section,
// the compression steel of the other face's bars among it.
void UseBars(FlexureDesignResult& r, float db, float s) {
    r.BarDiameter = db;
    r.BarSpacing = s;
    r.SteelArea = BarArea(db, s, r.Width);
    r.EffectiveDepth = Stored(static_cast<double>(r.Height) - r.Cover - db / 2.0).value_or(0.0f);
    r.SteelRatio = r.EffectiveDepth > 0
                       ? Stored(Quotient(r.SteelArea, static_cast<double>(r.EffectiveDepth) * r.Width))
                       : std::nullopt;
    // bars that cannot be placed on the other face carry no compression
    const bool other = r.OtherBarDiameter > 0 &&
                       BarsFault(r.Height, r.Cover, r.OtherBarDiameter, r.OtherBarSpacing) == BarFault::None;
    r.CompressionSteelDepth = other ? static_cast<float>(r.Cover + r.OtherBarDiameter / 2.0) : 0.0f;
    r.CompressionSteelArea = other ? BarArea(r.OtherBarDiameter, r.OtherBarSpacing, r.Width) : 0.0f;
}

// Every value a check computes, and every verdict, as for a face not checked.
void ClearResults(FlexureDesignResult& r) {
    r.BalancedRatio.reset();
    r.BalancedStrain.reset();
    r.TensileStrain.reset();
    r.Control.reset();
    r.MomentStrength.reset();
    r.AxialStrength.reset();
    r.Phi.reset();
    r.SteelStress.reset();
    r.SteelStrain.reset();
    r.MinimumSteelArea.reset();
    r.MaximumSpacing.reset();
    r.MinimumTensileStrain.reset();
    r.RatioResult = r.MomentResult = r.AxialResult = r.MinimumSteelResult = r.SpacingResult =
        r.StrainResult = VerdictNone;
}

bool Alternate(const Model& m) {
    return m.ReinforcementDesignMethod == static_cast<int16_t>(DesignMethod::Aci31808Alternate);
}

// Toe and heel faces are footing slabs, the stem a wall.
bool IsFootingFace(int p) {
    return p >= static_cast<int>(DesignPosition::ToeTop) && p <= static_cast<int>(DesignPosition::HeelBottom);
}

// The section check of the chosen method, with a footing's own limits on a
// footing face that carries a moment; returns the factor on the balanced
// ratio that the steel ratio may reach.
std::optional<float> CheckSection(const Model& m, FlexureDesignResult& r, int p) {
    std::optional<float> ratioLimit = 1.0f;
    if (Alternate(m))
        ratioLimit = DesignFlexureAciAlternate(m, r);
    else
        DesignFlexureAci(m, r);
    if (IsFootingFace(p) && r.Moment > 0) ApplyFootingLimits(m, r);
    return ratioLimit;
}

// The checks the bar search and the verdicts share. A value the check could
// not compute cannot show the face to be sound.
bool StrongEnough(const FlexureDesignResult& r) { return r.MomentStrength && !(*r.MomentStrength < r.Moment); }
bool AboveMinimumSteel(const FlexureDesignResult& r) {
    return r.MinimumSteelArea && !(r.SteelArea < *r.MinimumSteelArea);
}
bool SpacingLimited(const FlexureDesignResult& r) { return !(r.MaximumSpacing && *r.MaximumSpacing <= 0); }
bool CloseEnough(const FlexureDesignResult& r) { return r.MaximumSpacing && !(r.BarSpacing > *r.MaximumSpacing); }

// The search takes the first bars that carry the moment with at least the
// minimum steel and, where a spacing limit applies, within it; the ratio and
// strain limits only show in the verdicts.
bool Acceptable(const FlexureDesignResult& r) {
    return StrongEnough(r) && AboveMinimumSteel(r) && (!SpacingLimited(r) || CloseEnough(r));
}

const char* Verdict(bool ok) { return ok ? VerdictOK : VerdictNotOK; }

// Verdicts of a checked face. A value the check could not compute cannot
// show the face to be sound: its verdict reads "Not OK".
void JudgeFlexure(FlexureDesignResult& r, const std::optional<float>& ratioLimit) {
    const std::optional<float> allowedRatio =
        ratioLimit && r.BalancedRatio ? Stored(static_cast<double>(*ratioLimit) * *r.BalancedRatio)
                                      : std::nullopt;
    r.RatioResult = Verdict(r.SteelRatio && allowedRatio && !(*r.SteelRatio > *allowedRatio));

    r.MinimumSteelResult = Verdict(AboveMinimumSteel(r));

    r.AxialResult = Verdict(r.AxialStrength && !(*r.AxialStrength < r.AxialForce));

    r.SpacingResult = SpacingLimited(r) ? Verdict(CloseEnough(r)) : VerdictNone;

    r.MomentResult = r.Moment <= 0 ? VerdictNone : Verdict(StrongEnough(r));

    // too little strain matters only while the steel is in tension
    const bool belowMinimum =
        !r.TensileStrain || !r.MinimumTensileStrain || *r.TensileStrain < *r.MinimumTensileStrain;
    const bool inTension = !r.SteelStress || *r.SteelStress > 0;
    r.StrainResult = Verdict(!(belowMinimum && inTension));
}

// The face's section and forces under combination c, with its bars set
// again on that section.
void UseForces(const Model& m, FlexureDesignResult& r, int c, int p) {
    r.Combination = static_cast<int16_t>(c);
    r.Distance = m.FlexureSectionDistances[c][p];
    r.Height = m.FlexureSectionDepths[c][p];
    r.Moment = std::fabs(m.FlexureMoments[c][p]);
    r.AxialForce = m.FlexureAxialForces[c][p];
    UseBars(r, r.BarDiameter, r.BarSpacing);
}

// The section check of the face with every verdict. Bars that cannot exist
// in the section have no strength to check: every verdict reads "Not OK".
void CheckAndJudge(const Model& m, FlexureDesignResult& r, int p) {
    if (FaceBarsFault(r) != BarFault::None) {
        ClearResults(r);
        r.RatioResult = r.MomentResult = r.AxialResult = r.MinimumSteelResult = r.SpacingResult =
            r.StrainResult = VerdictNotOK;
        return;
    }
    const std::optional<float> ratioLimit = CheckSection(m, r, p);
    r.SteelStress = Stored(Value(r.SteelStress) / StressToPressure(m));
    JudgeFlexure(r, ratioLimit);
}

bool AnyVerdictFails(const FlexureDesignResult& r) {
    for (const std::string* v : {&r.RatioResult, &r.MomentResult, &r.AxialResult, &r.MinimumSteelResult,
                                 &r.SpacingResult, &r.StrainResult})
        if (*v == VerdictNotOK) return true;
    return false;
}

// Whether checked bars fare worse under a than under b: failing what the
// search asks is worst, then failing any other verdict, then the least
// strength to spare.
bool FaresWorse(const FlexureDesignResult& a, const FlexureDesignResult& b) {
    const auto failed = [](const FlexureDesignResult& r) { return !Acceptable(r) ? 2 : AnyVerdictFails(r) ? 1 : 0; };
    const auto spare = [](const FlexureDesignResult& r) {
        return r.Moment > 0 && r.MomentStrength ? double(*r.MomentStrength) / r.Moment
                                                : std::numeric_limits<double>::infinity();
    };
    if (failed(a) != failed(b)) return failed(a) > failed(b);
    return spare(a) < spare(b);
}

// Checks the bars on the face under each of `tied`, the combinations whose
// moment equals the governing one within rounding: their axial forces
// differ, and so do the section's strength and verdicts. Leaves the face
// with the forces, values and verdicts of the one under which the bars fare
// worst, so that a moment one of them leaves uncarried shows. Without a tie
// the face is checked under the forces it holds.
void CheckUnderWorst(const Model& m, FlexureDesignResult& r, int p, const std::vector<int>& tied) {
    if (tied.size() < 2) {
        CheckAndJudge(m, r, p);
        return;
    }
    FlexureDesignResult worst;
    bool first = true;
    for (const int c : tied) {
        FlexureDesignResult t = r;
        UseForces(m, t, c, p);
        CheckAndJudge(m, t, p);
        if (first || FaresWorse(t, worst)) worst = std::move(t);
        first = false;
    }
    r = std::move(worst);
}

void SearchBars(const Model& m, FlexureDesignResult& r, int p, const std::vector<int>& tied) {
    const BarGrid& grid = SearchGrid(m);
    // a footing's minimum steel is known before any check: lighter bars need none
    const std::optional<float> floor =
        IsFootingFace(p) && r.Moment > 0 ? FootingMinimumSteelArea(m, r) : std::nullopt;
    for (const float s : grid.Spacings) {
        for (const float db : grid.Diameters) {
            UseBars(r, db, s);
            if (floor && r.SteelArea < *floor) continue;
            // bars that cannot exist in the section fail every check: never taken
            CheckUnderWorst(m, r, p, tied);
            if (Acceptable(r)) return;
        }
    }
    // nothing passes: the last and heaviest bars stay, and fail
}

}  // namespace

bool FaceNotDesigned(const FlexureDesignResult& r) { return r.Moment <= 0 && r.AxialForce == 0; }

int DesignFlexureCombination(const Model& m, int p) {
    const int designed = At(m.FlexureDesignResults, p).Combination;
    const std::vector<int> tied = TiedFlexureCombinations(m, p);
    if (std::find(tied.begin(), tied.end(), designed) != tied.end()) return designed;
    return At(m.GoverningFlexureCombinations, p);
}

void DesignReinforcement(Model& m) {
    // strength reduction factors of the set's first combination
    const LoadCombination& first = At(m.CombinationSets, m.ActiveCombinationSet).Combinations[0];
    const float phiTension = first.Factor[CT];
    const float phiCompression = first.Factor[CC];
    const float phiShear = first.Factor[CS];

    // cover and the user's bars from the section and bar units to the wall length unit
    const double sectionUnits = SectionUnitsPerLength(m), barUnits = BarUnitsPerLength(m);
    const float cover = static_cast<float>(m.ConcreteCover / sectionUnits);
    auto userDiameter = [&](int p) { return static_cast<float>(m.UserBarDiameters[p] / barUnits); };
    auto userSpacing = [&](int p) { return static_cast<float>(m.UserBarSpacings[p] / sectionUnits); };

    for (int p = 1; p <= PositionCount; ++p) {
        FlexureDesignResult& r = m.FlexureDesignResults[p];
        const int g = static_cast<int>(CheckedIndex(m.GoverningFlexureCombinations[p], 0, DesignCombinationRows - 1));
        const int o = OtherFace(p);

        // the face's section and forces under its governing combination
        UseForces(m, r, g, p);
        r.Width = 1;
        r.Cover = cover;

        // the user's bars on the other face work as compression steel
        r.OtherBarDiameter = userDiameter(o);
        r.OtherBarSpacing = userSpacing(o);
        UseBars(r, userDiameter(p), userSpacing(p));
        r.PhiCompression = phiCompression;
        r.PhiTension = phiTension;
        ClearResults(r);

        if (FaceNotDesigned(r)) continue;
        // the bars, the user's or the search's, are judged under each
        // combination of the governing moment; rounding residue has none
        const std::vector<int> tied = r.Moment > 0 ? TiedFlexureCombinations(m, p) : std::vector<int>{};
        // bars given by halves are searched afresh, diameter and spacing both
        if (r.BarDiameter == 0 || r.BarSpacing == 0) SearchBars(m, r, p, tied);
        if (r.SteelArea <= 0) {
            // a loaded face without steel has no strength
            ClearResults(r);
            r.MomentStrength = 0.0f;
            r.MomentResult = VerdictNotOK;
            continue;
        }

        CheckUnderWorst(m, r, p, tied);
    }

    for (int member = 1; member <= MemberCount; ++member) {
        ShearDesignResult& r = m.ShearDesignResults[member];
        const int g = static_cast<int>(CheckedIndex(m.GoverningShearCombinations[member], 0, DesignCombinationRows - 1));

        r.Distance = m.ShearSectionDistances[g][member];
        r.Width = 1;
        r.Height = m.ShearSectionDepths[g][member];
        r.Cover = cover;
        r.Shear = std::fabs(m.ShearForces[g][member]);
        r.AxialForce = m.ShearAxialForces[g][member];

        // the face with the larger moment is in tension; the second on a tie
        const float M1 = std::fabs(m.FlexureMoments[g][2 * member - 1]);
        const float M2 = std::fabs(m.FlexureMoments[g][2 * member]);
        const int tensionFace = M1 > M2 ? 2 * member - 1 : 2 * member;
        r.Moment = M1 > M2 ? M1 : M2;

        // only the user's bars count here, never the searched ones
        const float db = userDiameter(tensionFace), s = userSpacing(tensionFace);
        r.EffectiveDepth = Stored(static_cast<double>(r.Height) - r.Cover - db).value_or(0.0f);
        r.SteelArea = BarArea(db, s, r.Width);
        r.Lambda = 1;
        r.Phi = phiShear;

        r.ShearStrength.reset();
        r.Result = VerdictNone;
        if (r.Shear > 0) {
            // tension bars that cannot exist leave the member no strength to check
            if (BarsFault(r.Height, r.Cover, db, s) == BarFault::None) DesignShear(m, r);
            r.Result = Verdict(r.ShearStrength && !(*r.ShearStrength < r.Shear));
        }
    }
}

}  // namespace brindlemar

#include "design/DesignSectionForces.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionStations.h"
#include "runtime/OneBoxPerError.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

using ThicknessFunction = float (*)(const Model&, float);

constexpr int UpperStem = 1, LowerStem = 2, Toe = 3, Heel = 4;

std::optional<SectionForces> ForcesAt(Model& m, SectionRoutine routine, float x) {
    SectionForces f;
    if (!routine(m, x, f.M, f.V, f.N, f.M2, f.V2, f.N2)) return std::nullopt;
    return f;
}

void ClearRow(Model& m, int c) {
    for (FlexureTable* table : {&m.FlexureMoments, &m.FlexureAxialForces, &m.FlexureSectionDistances,
                                &m.FlexureSectionDepths})
        At(*table, c).fill(0);
    for (ShearTable* table : {&m.ShearForces, &m.ShearAxialForces, &m.ShearSectionDistances,
                              &m.ShearSectionDepths})
        At(*table, c).fill(0);
}

// The first look between two cuts goes this share of the interval away from
// the cut; while the moment keeps growing the step doubles.
constexpr double FirstStepShare = 1.0 / 10;

// How far one sign's moment at a cut reaches, the better of the two result
// sets: larger is more extreme.
float Reach(const SectionForces& f, int sign) {
    return sign < 0 ? -std::min(f.M, f.M2) : std::max(f.M, f.M2);
}

// The vertex of the parabola through three points whose middle one is the
// highest; empty when they lie on a line.
std::optional<double> ParabolaVertex(double x0, double y0, double x1, double y1, double x2, double y2) {
    const double p = (x1 - x0) * (y1 - y2), q = (x1 - x2) * (y1 - y0);
    const double denominator = p - q;
    if (denominator == 0) return std::nullopt;
    return x1 - 0.5 * ((x1 - x0) * p - (x1 - x2) * q) / denominator;
}

// The forces at one cut, kept for the member that starts where another ends.
struct KnownCut {
    float x;
    SectionForces forces;
};

// Scans the cuts of one member for combination c: its odd position keeps the
// most negative moment, its even position the most positive, the member the
// largest shear. Strict comparisons keep the earlier cut and, at one cut, the
// first result set. Cuts beyond the shear limit take their shear at the limit.
//
// No load begins or ends between two cuts, yet the moment's extreme need not
// sit on one: the base forces act on a tapered member whose section centre
// rises along it, and loads of opposite senses meet. So from every cut where
// one sign's moment peaks among the cuts, the moment is followed into each
// neighbouring interval while it keeps growing, with doubling steps, and the
// parabola through the last three looks places where it stops; every cut
// looked at counts like a station. The shear is taken at the cuts only.
// The forces at the last cut are left in `shared`, and taken from it for a
// first cut at the same place. False when a section-force routine failed.
bool ScanMember(Model& m, int c, const std::vector<float>& cuts, int member, SectionRoutine routine,
                ThicknessFunction thickness, std::optional<float> shearLimit,
                std::optional<KnownCut>* shared = nullptr) {
    const int negative = 2 * member - 1, positive = 2 * member;
    auto flexure = [&](int p, float moment, float axial, float x) {
        m.FlexureMoments[c][p] = moment;
        m.FlexureAxialForces[c][p] = axial;
        m.FlexureSectionDistances[c][p] = x;
        m.FlexureSectionDepths[c][p] = thickness(m, x);
    };
    auto shear = [&](float v, float axial, float x) {
        m.ShearForces[c][member] = v;
        m.ShearAxialForces[c][member] = axial;
        m.ShearSectionDistances[c][member] = x;
        m.ShearSectionDepths[c][member] = thickness(m, x);
    };
    // both result sets at one cut, the first set first
    auto moments = [&](const SectionForces& f, float x) {
        if (f.M < m.FlexureMoments[c][negative]) flexure(negative, f.M, f.N, x);
        if (f.M2 < m.FlexureMoments[c][negative]) flexure(negative, f.M2, f.N2, x);
        if (f.M > m.FlexureMoments[c][positive]) flexure(positive, f.M, f.N, x);
        if (f.M2 > m.FlexureMoments[c][positive]) flexure(positive, f.M2, f.N2, x);
    };

    std::vector<SectionForces> atCut;
    std::optional<SectionForces> atLimit;
    for (float x : cuts) {
        const std::optional<SectionForces> f =
            shared && *shared && (*shared)->x == x ? (*shared)->forces : ForcesAt(m, routine, x);
        if (!f) return false;
        atCut.push_back(*f);
        moments(*f, x);

        SectionForces s = *f;
        float xs = x;
        if (shearLimit && x > *shearLimit) {
            xs = *shearLimit;
            if (!atLimit) atLimit = ForcesAt(m, routine, xs);
            if (!atLimit) return false;
            s = *atLimit;
        }
        const float v = std::abs(s.V), v2 = std::abs(s.V2);
        if (v > m.ShearForces[c][member]) shear(v, s.N, xs);
        if (v2 > m.ShearForces[c][member]) shear(v2, s.N2, xs);
    }

    if (shared && !cuts.empty()) *shared = KnownCut{cuts.back(), atCut.back()};

    // The first look from cut i towards cut j serves both signs.
    std::vector<std::optional<SectionForces>> firstLook(2 * cuts.size());
    bool failed = false;
    // The forces at a cut between cuts i and j, t the share of the way from
    // i; empty when no float lies there or the routine failed.
    auto between = [&](std::size_t i, std::size_t j, double t) -> std::optional<SectionForces> {
        const float x = ToSingle(cuts[i] + t * (double(cuts[j]) - cuts[i]));
        if (x == cuts[i] || x == cuts[j]) return std::nullopt;
        std::optional<SectionForces> f = ForcesAt(m, routine, x);
        if (!f) {
            failed = true;
            return std::nullopt;
        }
        moments(*f, x);
        return f;
    };
    // one sign's moment followed from cut i into the interval towards cut j
    auto follow = [&](std::size_t i, std::size_t j, int sign) {
        std::optional<SectionForces>& first = firstLook[2 * i + (j > i ? 1 : 0)];
        if (!first) first = between(i, j, FirstStepShare);
        if (!first) return;
        // shares of the way from cut i and the reach there, the last three looks
        double t0 = 0, t1 = FirstStepShare, t2;
        float r0 = Reach(atCut[i], sign), r1 = Reach(*first, sign), r2;
        if (!(r1 > r0)) return;
        // still growing: double the step until it stops growing; cut j,
        // scanned already, ends the way
        for (;;) {
            t2 = std::min(2 * t1, 1.0);
            if (t2 == 1) {
                r2 = Reach(atCut[j], sign);
            } else {
                const std::optional<SectionForces> f = between(i, j, t2);
                if (!f) return;
                r2 = Reach(*f, sign);
            }
            if (!(r2 > r1)) break;
            if (t2 == 1) return;
            t0 = t1, r0 = r1, t1 = t2, r1 = r2;
        }
        // it peaks between t0 and t2, near the vertex of the parabola through them
        const std::optional<double> t = ParabolaVertex(t0, r0, t1, r1, t2, r2);
        if (t && *t > t0 && *t < t2) between(i, j, *t);
    };
    for (int sign : {-1, 1}) {
        for (std::size_t i = 0; i < cuts.size() && !failed; ++i) {
            const float reach = Reach(atCut[i], sign);
            const bool before = i > 0, after = i + 1 < cuts.size();
            // only where this sign's moment peaks among the cuts; where even
            // the peak has the other sign, the moment would have to change
            // sign twice between two cuts to show this one
            if (reach < 0) continue;
            if ((before && Reach(atCut[i - 1], sign) > reach) || (after && Reach(atCut[i + 1], sign) > reach))
                continue;
            if (before) follow(i, i - 1, sign);
            if (after && !failed) follow(i, i + 1, sign);
        }
    }
    return !failed;
}

// The design sections and scans of all four members for combination c, whose
// analysis and stations are current. False when a section force failed.
bool ScanCombination(Model& m, int c) {
    const std::vector<float>& stem = m.StemStations;
    const float upper = m.UpperStemLength;

    // upper stem: the stations above the upper-stem length, then that length
    std::vector<float> upperCuts;
    for (float x : stem) {
        if (x < upper) {
            upperCuts.push_back(x);
        } else {
            upperCuts.push_back(upper);
            break;
        }
    }
    m.UpperStemDesignStation = upper;
    m.FlexureSectionDepths[c][1] = StemThicknessAt(m, upper);
    // the upper stem's last cut is the lower stem's first
    std::optional<KnownCut> stemCut;
    if (!ScanMember(m, c, upperCuts, UpperStem, CalcStemSectionForces, StemThicknessAt, std::nullopt, &stemCut))
        return false;

    // lower stem: from the upper-stem length down to the stem bottom; its
    // shear is taken no lower than one stem thickness above the toe top
    std::vector<float> lowerCuts{upper};
    for (float x : stem)
        if (x > upper) lowerCuts.push_back(x);
    m.LowerStemDesignStation = stem.back();
    m.FlexureSectionDepths[c][3] = StemThicknessAt(m, m.LowerStemDesignStation);
    m.LowerStemShearStation =
        ToSingle(std::max(0.0, double(m.FrontStemHeight) - m.FlexureSectionDepths[c][3]));
    if (!ScanMember(m, c, lowerCuts, LowerStem, CalcStemSectionForces, StemThicknessAt,
                    m.LowerStemShearStation, &stemCut))
        return false;

    // toe: from the tip to the stem face; its shear is taken no closer to the
    // stem than one toe thickness
    m.ToeDesignStation = m.ToeStations.back();
    m.FlexureSectionDepths[c][5] = ToeThicknessAt(m, m.ToeDesignStation);
    m.ToeShearStation =
        ToSingle(std::max(0.0, double(m.ToeDesignStation) - m.FlexureSectionDepths[c][5]));
    if (m.ToeDesignStation > 0 &&
        !ScanMember(m, c, m.ToeStations, Toe, CalcToeSectionForces, ToeThicknessAt, m.ToeShearStation))
        return false;

    // heel: stations run from the stem face; the routines take the distance from the heel end
    m.HeelDesignStation = m.HeelStations.back();
    m.FlexureSectionDepths[c][7] = HeelThicknessAt(m, m.HeelDesignStation);
    if (m.HeelDesignStation > 0) {
        std::vector<float> heelCuts;
        for (float s : m.HeelStations) heelCuts.push_back(ToSingle(double(m.HeelDesignStation) - s));
        if (!ScanMember(m, c, heelCuts, Heel, CalcHeelSectionForces, HeelThicknessAt, std::nullopt))
            return false;
    }
    return true;
}

// Puts CurrentCombination back however the run ends.
class CombinationRestorer {
public:
    explicit CombinationRestorer(Model& m) : m_(m), kept_(m.CurrentCombination) {}
    ~CombinationRestorer() { m_.CurrentCombination = kept_; }
    CombinationRestorer(const CombinationRestorer&) = delete;
    CombinationRestorer& operator=(const CombinationRestorer&) = delete;

private:
    Model& m_;
    int16_t kept_;
};

}  // namespace

void ComputeDesignSectionForces(Model& m) {
    const int n = At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount;
    m.WorkingCurrentCombination = m.CurrentCombination;
    CombinationRestorer restorer(m);
    // a fault of the wall itself meets every combination: told once
    const OneBoxPerError oneBox;

    for (int c = 1; c <= n; ++c) {
        ClearRow(m, c);
        At(m.CombinationDesignable, c) = False;
        m.CurrentCombination = static_cast<int16_t>(c - 1);
        AnalyseCombination(m);
        At(m.CombinationWallStableFlags, c) = m.WallStable;
        BuildSectionStations(m);
        if (m.WallStable == 0) continue;
        // a combination whose section forces failed somewhere must not let
        // the cuts computed before the failure govern
        if (!ScanCombination(m, c)) {
            ClearRow(m, c);
            continue;
        }
        m.CombinationDesignable[c] = True;
    }

    m.AllCombinationsStable = True;
    for (int c = 1; c <= n; ++c)
        if (m.CombinationDesignable[c] == 0) m.AllCombinationsStable = False;

    // governing combinations: the reference starts at row 0, which reads 0, so
    // only a negative moment governs an odd face and only a positive one an even face
    for (int p = 1; p <= DesignPositionCount; ++p) {
        int16_t& g = m.GoverningFlexureCombinations[p];
        g = 0;
        for (int c = 1; c <= n; ++c) {
            if (m.CombinationDesignable[c] == 0) continue;
            const float moment = m.FlexureMoments[c][p], reference = m.FlexureMoments[g][p];
            if (p % 2 == 1 ? moment < reference : moment > reference) g = static_cast<int16_t>(c);
        }
    }
    for (int member = 1; member <= DesignMemberCount; ++member) {
        int16_t& g = m.GoverningShearCombinations[member];
        g = 0;
        for (int c = 1; c <= n; ++c)
            if (m.CombinationDesignable[c] != 0 && m.ShearForces[c][member] > m.ShearForces[g][member])
                g = static_cast<int16_t>(c);
    }
}

}  // namespace brindlemar

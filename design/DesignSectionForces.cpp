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

// Even cuts between two stations: about this many along the whole member,
// and never fewer than the minimum in one interval, however short.
constexpr int CutsPerMember = 32;
constexpr int MinimumCutsPerInterval = 6;
// Each local extreme among the cuts is narrowed until its bracket is this
// share of the bracket it started from.
constexpr double RefinedShare = 0.05;
// Moments below this share of the member's forces are the rounding of sums
// that cancel (a tip moment of 1E-15) and count as none.
constexpr double RoundingShare = 1e-6;

// How far one sign's moment at a cut reaches, the better of the two result
// sets: larger is more extreme.
float Reach(const SectionForces& f, int sign) {
    return sign < 0 ? -std::min(f.M, f.M2) : std::max(f.M, f.M2);
}
// The same, the lesser of the two result sets.
float LesserReach(const SectionForces& f, int sign) {
    return sign < 0 ? -std::max(f.M, f.M2) : std::min(f.M, f.M2);
}

// The forces at one cut.
struct KnownCut {
    float x;
    SectionForces forces;
};

// Scans the cuts of one member for combination c: its odd position keeps the
// most negative moment, its even position the most positive, the member the
// largest shear. Strict comparisons keep the earlier cut and, at one cut, the
// first result set. Cuts beyond the shear limit take their shear at the limit.
//
// No load begins or ends between two stations, yet the moment's extreme need
// not sit on one: the base forces act on a tapered member whose section centre
// rises along it, and loads of opposite senses meet, so the moment can peak,
// even change sign twice, between two stations. So every interval is cut
// evenly, the short ones too, and every local extreme of either sign within
// an interval, its ends included, is narrowed by golden-section search
// between its neighbouring cuts; every cut looked at counts like a station. The shear is taken at the
// stations only. The forces at the last station are left in `shared`, and
// taken from it for a first station at the same place. False when a
// section-force routine failed.
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

    // the stations: their forces, and the shear
    std::vector<KnownCut> stations;
    std::optional<SectionForces> atLimit;
    for (float x : cuts) {
        const std::optional<SectionForces> f =
            shared && *shared && (*shared)->x == x ? (*shared)->forces : ForcesAt(m, routine, x);
        if (!f) return false;
        stations.push_back({x, *f});

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
    if (shared && !stations.empty()) *shared = stations.back();

    // the walk along the member: the stations and even cuts between them
    const double length = cuts.empty() ? 0.0 : std::abs(double(cuts.back()) - cuts.front());
    std::vector<KnownCut> walk;
    std::vector<std::size_t> stationAt;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        stationAt.push_back(walk.size());
        walk.push_back(stations[i]);
        if (i + 1 == stations.size()) break;
        const double a = stations[i].x, b = stations[i + 1].x;
        const int pieces =
            std::max(MinimumCutsPerInterval,
                     length > 0 ? static_cast<int>(std::ceil(CutsPerMember * std::abs(b - a) / length)) : 0);
        for (int k = 1; k < pieces; ++k) {
            const float x = ToSingle(a + (b - a) * k / pieces);
            if (x == walk.back().x || x == float(b)) continue;
            const std::optional<SectionForces> f = ForcesAt(m, routine, x);
            if (!f) return false;
            walk.push_back({x, *f});
        }
    }

    // what counts as no moment at all on this member
    double scale = 0;
    for (const KnownCut& k : walk) {
        const SectionForces& f = k.forces;
        scale = std::max({scale, double(std::abs(f.M)), double(std::abs(f.M2)), std::abs(f.V) * length,
                          std::abs(f.V2) * length, double(std::abs(f.N)) * thickness(m, k.x),
                          double(std::abs(f.N2)) * thickness(m, k.x)});
    }
    const float rounding = ToSingle(RoundingShare * scale);
    // both result sets at one cut, the first set first
    auto moments = [&](const SectionForces& f, float x) {
        if (f.M < -rounding && f.M < m.FlexureMoments[c][negative]) flexure(negative, f.M, f.N, x);
        if (f.M2 < -rounding && f.M2 < m.FlexureMoments[c][negative]) flexure(negative, f.M2, f.N2, x);
        if (f.M > rounding && f.M > m.FlexureMoments[c][positive]) flexure(positive, f.M, f.N, x);
        if (f.M2 > rounding && f.M2 > m.FlexureMoments[c][positive]) flexure(positive, f.M2, f.N2, x);
    };
    for (const KnownCut& k : walk) moments(k.forces, k.x);

    // one sign's reach at a cut of the walk, rounding counted as none; at a
    // station with a point force on it the two result sets differ, and the
    // moment inside the intervals on either side runs on from one of them:
    // `lower` takes the lesser, so that a station never hides a peak beside it
    auto reach = [&](std::size_t j, int sign, bool lower = false) {
        const float r = lower ? LesserReach(walk[j].forces, sign) : Reach(walk[j].forces, sign);
        return std::abs(r) <= rounding ? 0.0f : r;
    };
    // the most of one sign's reach between two cuts, by golden-section search
    auto narrow = [&](double lo, double hi, int sign) -> bool {
        const double g = (std::sqrt(5.0) - 1) / 2, stop = RefinedShare * std::abs(hi - lo);
        auto look = [&](double x) -> std::optional<float> {
            const float at = ToSingle(x);
            const std::optional<SectionForces> f = ForcesAt(m, routine, at);
            if (!f) return std::nullopt;
            moments(*f, at);
            return Reach(*f, sign);
        };
        double a = lo, b = hi, x1 = b - g * (b - a), x2 = a + g * (b - a);
        std::optional<float> r1 = look(x1), r2 = look(x2);
        while (r1 && r2 && std::abs(b - a) > stop) {
            if (*r1 >= *r2) {
                b = x2, x2 = x1, r2 = r1;
                x1 = b - g * (b - a);
                r1 = look(x1);
            } else {
                a = x1, x1 = x2, r1 = r2;
                x2 = a + g * (b - a);
                r2 = look(x2);
            }
        }
        return r1 && r2;
    };
    // every local extreme of either sign within each interval, the stations
    // at its ends included
    for (std::size_t i = 0; i + 1 < stationAt.size(); ++i) {
        const std::size_t first = stationAt[i], last = stationAt[i + 1];
        for (int sign : {-1, 1}) {
            for (std::size_t j = first; j <= last; ++j) {
                const float r = reach(j, sign);
                bool peak;
                if (j == first) {
                    peak = r > reach(j + 1, sign, j + 1 == last);
                } else if (j == last) {
                    peak = r > reach(j - 1, sign, j - 1 == first);
                } else {
                    const float before = reach(j - 1, sign, j - 1 == first), after = reach(j + 1, sign, j + 1 == last);
                    peak = r >= before && r >= after && (r > before || r > after);
                }
                if (peak && !narrow(walk[j == first ? j : j - 1].x, walk[j == last ? j : j + 1].x, sign))
                    return false;
            }
        }
    }
    return true;
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
        At(m.CombinationAnalysisFailures, c) = m.AnalysisFailure;
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

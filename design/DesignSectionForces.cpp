#include "design/DesignSectionForces.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <vector>

#include "analysis/Analysis.h"
#include "analysis/Preparation.h"
#include "analysis/SectionForces.h"
#include "analysis/SectionForcesSearch.h"
#include "analysis/SectionStations.h"
#include "model/KeepCurrentCombination.h"
#include "runtime/OneBoxPerError.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

constexpr int UpperStem = 1, LowerStem = 2, Toe = 3, Heel = 4;
// Governing values closer than this share are equal: the same loads summed
// with other factors on other loads round differently.
constexpr double TieShare = 1e-6;

void ClearRow(Model& m, int c) {
    for (FlexureTable* table : {&m.FlexureMoments, &m.FlexureAxialForces, &m.FlexureSectionDistances,
                                &m.FlexureSectionDepths})
        At(*table, c).fill(0);
    for (ShearTable* table : {&m.ShearForces, &m.ShearAxialForces, &m.ShearSectionDistances,
                              &m.ShearSectionDepths})
        At(*table, c).fill(0);
}

// One member as the design scans it: the routine and thickness along it, and
// the cut beyond which its shear is taken at that cut.
struct MemberScan {
    int member;
    SectionRoutine routine;
    ThicknessRoutine thickness;
    std::optional<float> shearLimit;
};

// A member's most negative and most positive moment and its largest shear,
// and the scale of the forces they were found among.
struct MemberExtremes {
    Extreme negative, positive, shear;
    double scale = 0;
};

// What a combination's scan found on each member, kept until the scale of
// the whole wall is known.
struct ScannedMember {
    MemberScan scan;
    MemberExtremes found;
};
using ScannedCombination = std::vector<ScannedMember>;

constexpr Measure NegativeMoment{Component::Moment, Sense::Negative};
constexpr Measure PositiveMoment{Component::Moment, Sense::Positive};
constexpr Measure LargestShear{Component::Shear, Sense::Magnitude};

// Searches one member along its stations, the moments over the whole list,
// the shear up to its limit. `shared` hands the forces at the last station on
// to a member that starts there. Nothing when a section-force routine failed.
std::optional<MemberExtremes> SearchMember(Model& m, const std::vector<float>& stations, const MemberScan& scan,
                                           std::optional<KnownCut>* shared) {
    const std::optional<MemberWalk> walk =
        WalkMember(m, scan.routine, stations, shared && *shared ? &**shared : nullptr);
    if (!walk) return std::nullopt;
    if (shared && !walk->cuts.empty()) *shared = walk->cuts[walk->stations.back()];
    const std::optional<MemberWalk> shearWalk =
        scan.shearLimit ? WalkUpTo(m, scan.routine, *walk, *scan.shearLimit) : walk;
    if (!shearWalk) return std::nullopt;

    MemberExtremes found;
    found.scale = ForceScale(m, *walk, scan.thickness);
    // the member's own floor keeps the search off its rounding; the wall's decides later
    const float floor = RoundingFloor(found.scale);
    const struct {
        Extreme& extreme;
        Measure measure;
        const MemberWalk& walk;
    } searches[] = {{found.negative, NegativeMoment, *walk},
                    {found.positive, PositiveMoment, *walk},
                    {found.shear, LargestShear, *shearWalk}};
    for (const auto& search : searches) {
        for (const KnownCut& cut : search.walk.cuts) search.extreme.Record(cut, search.measure, floor);
        const auto peaks = NarrowPeaks(m, scan.routine, search.walk, search.measure, floor);
        if (!peaks) return std::nullopt;
        for (const KnownCut& cut : *peaks) search.extreme.Record(cut, search.measure, floor);
    }
    return found;
}

// Writes what was found on one member into the row of combination c: its odd
// face takes the most negative moment, its even face the most positive, the
// member its largest shear, each with the normal force, distance and depth of
// its cut. A face without a moment of its sign beyond `floor` keeps what it had.
void StoreMember(Model& m, int c, const MemberScan& scan, const MemberExtremes& found, float floor) {
    auto face = [&](int p, const Extreme& e, float moment) {
        if (!e.found || NoSectionForce(e.value, floor)) return;
        m.FlexureMoments[c][p] = moment;
        m.FlexureAxialForces[c][p] = e.axial;
        m.FlexureSectionDistances[c][p] = e.x;
        m.FlexureSectionDepths[c][p] = scan.thickness(m, e.x);
    };
    face(2 * scan.member - 1, found.negative, -found.negative.value);
    face(2 * scan.member, found.positive, found.positive.value);
    if (!found.shear.found) return;
    m.ShearForces[c][scan.member] = found.shear.value;
    m.ShearAxialForces[c][scan.member] = found.shear.axial;
    m.ShearSectionDistances[c][scan.member] = found.shear.x;
    m.ShearSectionDepths[c][scan.member] = scan.thickness(m, found.shear.x);
}

bool ScanMember(Model& m, ScannedCombination& scanned, const std::vector<float>& stations, const MemberScan& scan,
                std::optional<KnownCut>* shared = nullptr) {
    const std::optional<MemberExtremes> found = SearchMember(m, stations, scan, shared);
    if (found) scanned.push_back({scan, *found});
    return found.has_value();
}

// The design sections of all four members for combination c, whose analysis
// is current, and what the scans found on them. False when a section force
// failed.
bool ScanCombination(Model& m, int c, ScannedCombination& scanned) {
    const std::vector<float> stem = StemStationList(m);
    const float upper = UpperStemLengthInUse(m);

    // upper stem: the stations above the upper-stem length, then that length;
    // a station within the position tolerance of that length is that length
    std::vector<float> upperCuts;
    for (float x : stem) {
        if (!AtMost(m, upper, x)) {
            upperCuts.push_back(x);
        } else {
            upperCuts.push_back(upper);
            break;
        }
    }
    m.FlexureSectionDepths[c][1] = StemThicknessAt(m, upper);
    // the upper stem's last cut is the lower stem's first
    std::optional<KnownCut> stemCut;
    if (!ScanMember(m, scanned, upperCuts, {UpperStem, CalcStemSectionForces, StemThicknessAt, std::nullopt}, &stemCut))
        return false;

    // lower stem: from the upper-stem length down to the stem bottom; its
    // shear is taken no lower than one stem thickness above the toe top
    std::vector<float> lowerCuts{upper};
    for (float x : stem)
        if (!AtMost(m, x, upper)) lowerCuts.push_back(x);
    m.FlexureSectionDepths[c][3] = StemThicknessAt(m, stem.back());
    const float lowerStemShearLimit = ToSingle(std::max(0.0, double(m.FrontStemHeight) - m.FlexureSectionDepths[c][3]));
    if (!ScanMember(m, scanned, lowerCuts,
                    {LowerStem, CalcStemSectionForces, StemThicknessAt, lowerStemShearLimit}, &stemCut))
        return false;

    // toe: from the tip to the stem face; its shear is taken no closer to the
    // stem than one toe thickness
    const std::vector<float> toe = ToeStationList(m);
    const float toeRoot = toe.back();
    m.FlexureSectionDepths[c][5] = ToeThicknessAt(m, toeRoot);
    const float toeShearLimit = ToSingle(std::max(0.0, double(toeRoot) - m.FlexureSectionDepths[c][5]));
    if (toeRoot > 0 && !ScanMember(m, scanned, toe, {Toe, CalcToeSectionForces, ToeThicknessAt, toeShearLimit}))
        return false;

    // heel: stations run from the stem face; the routines take the distance from the heel end
    const std::vector<float> heel = HeelStationList(m);
    const float heelEnd = heel.back();
    m.FlexureSectionDepths[c][7] = HeelThicknessAt(m, heelEnd);
    if (heelEnd > 0) {
        std::vector<float> heelCuts;
        for (float s : heel) heelCuts.push_back(ToSingle(double(heelEnd) - s));
        if (!ScanMember(m, scanned, heelCuts, {Heel, CalcHeelSectionForces, HeelThicknessAt, std::nullopt}))
            return false;
    }
    return true;
}

// Two governing values equal within the rounding of their sums.
bool Tied(float a, float b) { return std::abs(double(a) - b) <= TieShare * std::max(std::abs(a), std::abs(b)); }

}  // namespace

void ComputeDesignSectionForces(Model& m) {
    const int n = At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount;
    const KeepCurrentCombination keep(m);
    // a fault of the wall itself meets every combination: told once
    const OneBoxPerError oneBox;

    std::vector<ScannedCombination> scanned(static_cast<std::size_t>(std::max(n, 0)) + 1);
    for (int c = 1; c <= n; ++c) {
        ClearRow(m, c);
        At(m.CombinationDesignable, c) = False;
        m.CurrentCombination = static_cast<int16_t>(c - 1);
        StoreStabilityResults(m, c, PrepareCombination(m));
        if (m.WallStable == 0) continue;
        // a combination whose section forces failed somewhere must not let
        // the cuts computed before the failure govern
        if (!ScanCombination(m, c, scanned[static_cast<std::size_t>(c)])) {
            ClearRow(m, c);
            scanned[static_cast<std::size_t>(c)].clear();
            continue;
        }
        m.CombinationDesignable[c] = True;
    }

    // no moment is judged against the forces anywhere on the wall, in any
    // combination, whichever member's own scale it was found beside
    double wallScale = 0;
    for (const ScannedCombination& members : scanned)
        for (const ScannedMember& member : members) wallScale = std::max(wallScale, member.found.scale);
    const float floor = RoundingFloor(wallScale);
    for (int c = 1; c <= n; ++c)
        for (const ScannedMember& member : scanned[static_cast<std::size_t>(c)])
            StoreMember(m, c, member.scan, member.found, floor);

    m.AllCombinationsStable = True;
    for (int c = 1; c <= n; ++c)
        if (m.CombinationDesignable[c] == 0) m.AllCombinationsStable = False;

    // governing combinations: the reference starts at row 0, which reads 0, so
    // only a negative moment governs an odd face and only a positive one an
    // even face; of two equal within rounding, the least compressed governs
    auto govern = [&](int16_t& g, auto value, auto axial, auto larger) {
        g = 0;
        for (int c = 1; c <= n; ++c) {
            if (m.CombinationDesignable[c] == 0) continue;
            if (g != 0 && Tied(value(c), value(g))) {
                if (axial(c) < axial(g)) g = static_cast<int16_t>(c);
            } else if (larger(value(c), value(g))) {
                g = static_cast<int16_t>(c);
            }
        }
    };
    for (int p = 1; p <= DesignPositionCount; ++p)
        govern(
            m.GoverningFlexureCombinations[p], [&](int c) { return m.FlexureMoments[c][p]; },
            [&](int c) { return m.FlexureAxialForces[c][p]; },
            [&](float a, float b) { return p % 2 == 1 ? a < b : a > b; });
    for (int member = 1; member <= DesignMemberCount; ++member)
        govern(
            m.GoverningShearCombinations[member], [&](int c) { return m.ShearForces[c][member]; },
            [&](int c) { return m.ShearAxialForces[c][member]; }, [](float a, float b) { return a > b; });
    // a design on the forces before these chose among other combinations
    for (FlexureDesignResult& r : m.FlexureDesignResults) r.Combination = 0;
}

std::vector<int> TiedFlexureCombinations(const Model& m, int p) {
    const int g = m.GoverningFlexureCombinations[p];
    if (g <= 0) return {};
    std::vector<int> tied{g};
    const int n = At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount;
    for (int c = 1; c <= n && c < DesignCombinationRows; ++c)
        if (c != g && m.CombinationDesignable[c] != 0 && Tied(m.FlexureMoments[c][p], m.FlexureMoments[g][p]))
            tied.push_back(c);
    return tied;
}

}  // namespace brindlemar

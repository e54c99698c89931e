#include "design/DesignSectionForces.h"

#include <algorithm>
#include <cmath>
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

// Scans the cuts of one member for combination c: its odd position keeps the
// most negative moment, its even position the most positive, the member the
// largest shear. Strict comparisons keep the earlier cut and, at one cut, the
// first result set. Cuts beyond the shear limit take their shear at the limit.
// False when a section-force routine failed.
bool ScanMember(Model& m, int c, const std::vector<float>& cuts, int member, SectionRoutine routine,
                ThicknessFunction thickness, std::optional<float> shearLimit) {
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
    std::optional<SectionForces> atLimit;
    for (float x : cuts) {
        const std::optional<SectionForces> f = ForcesAt(m, routine, x);
        if (!f) return false;
        if (f->M < m.FlexureMoments[c][negative]) flexure(negative, f->M, f->N, x);
        if (f->M2 < m.FlexureMoments[c][negative]) flexure(negative, f->M2, f->N2, x);
        if (f->M > m.FlexureMoments[c][positive]) flexure(positive, f->M, f->N, x);
        if (f->M2 > m.FlexureMoments[c][positive]) flexure(positive, f->M2, f->N2, x);

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
    if (!ScanMember(m, c, upperCuts, UpperStem, CalcStemSectionForces, StemThicknessAt, std::nullopt))
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
                    m.LowerStemShearStation))
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

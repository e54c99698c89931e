#include "analysis/SectionStations.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "analysis/WaterPressure.h"
#include "model/Outline.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

void SortSingles(int16_t n, std::span<float> values, bool descending) {
    if (n <= 1) return;
    if (static_cast<std::size_t>(n) > values.size()) RaiseError(ErrSubscript);
    for (int pass = 1; pass <= n - 1; ++pass) {
        bool swapped = false;
        for (int j = 1; j <= n - 1; ++j) {
            float& a = values[j - 1];
            float& b = values[j];
            if (descending ? a < b : a > b) {
                std::swap(a, b);
                swapped = true;
            }
        }
        if (!swapped) break;
    }
}

namespace {

// Sorts the candidates ascending and drops each entry equal to the one before
// it, so positions that differ by any amount are all kept.
void SortAndMerge(std::vector<float>& list) {
    SortSingles(static_cast<int16_t>(list.size()), list, false);
    std::vector<float> merged;
    merged.reserve(list.size());
    for (float x : list)
        if (merged.empty() || x != merged.back()) merged.push_back(x);
    list = std::move(merged);
}

void Add(std::vector<float>& list, double x) { list.push_back(ToSingle(x)); }

// A position on a member of length L, one within the tolerance of an end
// taken at that end; nothing for one outside.
void AddOnMember(const Model& m, std::vector<float>& list, double x, double L) {
    if (Within(m, x, 0, L)) Add(list, std::clamp(x, 0.0, L));
}

}  // namespace

std::vector<float> StemStationList(const Model& m) {
    const double L = StemMemberLength(m);
    std::vector<float> list{0.0f};
    if (L <= 0) return list;
    Add(list, L);
    const double H = FrontWallHeight(m);
    // line loads on the stem, at their depth below the top
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        const LineLoad& load = At(m.LineLoads, i);
        if (LineLoadPart(m, load) == WallPart::Stem) AddOnMember(m, list, H - load.Y, L);
    }
    // water levels on the stem faces
    AddOnMember(m, list, m.FrontWaterDepth, L);
    AddOnMember(m, list, m.BackWaterDepth, L);
    SortAndMerge(list);
    return list;
}

std::vector<float> ToeStationList(const Model& m) {
    std::vector<float> list{0.0f};
    if (m.ToeLength <= 0) return list;
    const double L = m.ToeLength;
    list.push_back(m.ToeLength);
    const double toeHeight = double(m.ToeTipThickness) + m.ToeTopDrop;
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        const LineLoad& load = At(m.LineLoads, i);
        if (LineLoadPart(m, load) == WallPart::Toe) AddOnMember(m, list, load.X, L);
    }
    // where the front water level meets the sloping top of the toe
    const double hf = FrontWaterHeight(m);
    if (m.ToeTipThickness < hf && hf <= toeHeight)
        Add(list, double(m.ToeLength) * (hf - m.ToeTipThickness) / m.ToeTopDrop);
    if (m.ShearKeyIncluded == 1 && m.ShearKeyDepth > 0) AddOnMember(m, list, m.ShearKeyToeDistance, L);
    if (m.AdjacentStructureIncluded == 1 && m.AdjacentStructureCapacity > 0)
        AddOnMember(m, list, m.AdjacentStructurePosition, L);
    // ends of the base contact, where the base pressure starts or stops
    if (m.WallStable != 0) {
        AddOnMember(m, list, m.BearingContactStart, L);
        AddOnMember(m, list, m.BearingContactEnd, L);
    }
    SortAndMerge(list);
    return list;
}

// Heel stations run from the heel root (the foot of the stem back face)
// towards the heel end. An unstable wall has no base reaction to describe, so
// its heel list is the root alone.
std::vector<float> HeelStationList(const Model& m) {
    std::vector<float> list{0.0f};
    if (m.WallStable == 0 || m.HeelLength <= 0) return list;
    list.push_back(m.HeelLength);
    const double B = m.BaseWidth, L = m.HeelLength;
    const double root = B - L;
    const double heelHeight = double(m.HeelTopDrop) + m.HeelEndThickness;
    for (int i = 1; i <= m.LineLoadCount; ++i) {
        const LineLoad& load = At(m.LineLoads, i);
        if (LineLoadPart(m, load) == WallPart::Heel) AddOnMember(m, list, load.X - root, L);
    }
    // where the back water level meets the sloping top of the heel
    const double hw = BackWaterHeight(m);
    if (m.HeelEndThickness < hw && hw <= heelHeight)
        Add(list, double(m.HeelLength) * (heelHeight - hw) / m.HeelTopDrop);
    if (m.ShearKeyIncluded == 1 && m.ShearKeyDepth > 0)
        AddOnMember(m, list, L - m.ShearKeyWidth - m.ShearKeyHeelDistance, L);
    if (m.AdjacentStructureIncluded == 1 && m.AdjacentStructureCapacity > 0)
        AddOnMember(m, list, m.AdjacentStructurePosition - root, L);
    AddOnMember(m, list, m.BearingContactStart - root, L);
    AddOnMember(m, list, m.BearingContactEnd - root, L);
    SortAndMerge(list);
    return list;
}

double PositionTolerance(const Model& m) {
    const double height = FrontWallHeight(m);
    return 1e-6 * std::max(std::abs(height), std::abs(double(m.BaseWidth)));
}

bool AtMost(const Model& m, double a, double b) { return a <= b + PositionTolerance(m); }

bool Within(const Model& m, double x, double from, double to) { return AtMost(m, from, x) && AtMost(m, x, to); }

WallPart LineLoadPart(const Model& m, const LineLoad& load) {
    const double toeRoot = m.ToeLength;
    const double heelRoot = double(m.BaseWidth) - m.HeelLength;
    const double toeTop = double(m.ToeTipThickness) + m.ToeTopDrop;
    const double heelTop = double(m.HeelEndThickness) + m.HeelTopDrop;
    const double stemFoot = FrontWallHeight(m) - StemMemberLength(m);
    if (AtMost(m, load.X, toeRoot) && (!AtMost(m, toeRoot, load.X) || AtMost(m, load.Y, toeTop)))
        return WallPart::Toe;
    if (AtMost(m, heelRoot, load.X) && (!AtMost(m, load.X, heelRoot) || AtMost(m, load.Y, heelTop)))
        return WallPart::Heel;
    return AtMost(m, stemFoot, load.Y) ? WallPart::Stem : WallPart::Joint;
}

double StemMemberLength(const Model& m) {
    const double L = m.FrontStemHeight <= m.BackStemHeight ? m.FrontStemHeight : m.BackStemHeight;
    return L > 0 ? L : 0;
}

double ToeMemberLength(const Model& m) { return m.ToeLength > 0 ? m.ToeLength : 0; }

double HeelMemberLength(const Model& m) { return m.HeelLength > 0 ? m.HeelLength : 0; }

float UpperStemLengthInUse(const Model& m) {
    // the stem's last station is its length as a stored value (StemStationList)
    return std::min(m.UpperStemLength, ToSingle(StemMemberLength(m)));
}

}  // namespace brindlemar

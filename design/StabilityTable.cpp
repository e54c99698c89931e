#include "design/StabilityTable.h"

#include <algorithm>
#include <cmath>

#include "analysis/Analysis.h"
#include "model/DisplayPrecision.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

// A resistance/load ratio this large means nothing drives the wall that way.
constexpr float NoDrivingRatio = 1000;

const LoadCombination& CombinationOf(const Model& m, int i) {
    return At(At(m.CombinationSets, m.ActiveCombinationSet).Combinations, i - 1);
}

// A combination whose analysis failed has no value: "--".
std::string Number(const Model& m, const std::optional<float>& value, Quantity q, double sign = 1) {
    return value ? FormatQuantity(sign * *value, q, m.CurrentUnitSystem) : "--";
}

// A ratio cell; a ratio that stands for "nothing drives" is left empty when
// `hideUndriven`.
TableCell Ratio(const std::optional<float>& ratio, bool hideUndriven) {
    if (!ratio || (hideUndriven && *ratio >= NoDrivingRatio)) return {};
    return {Format(RatioShown(*ratio), "#0.#0"), RatioFails(*ratio, RatioShownIn::Table)};
}

}  // namespace

std::vector<std::string> LoadFactorTerms(const Model& m, int setIndex, int combinationIndex) {
    const CombinationSet& set = At(m.CombinationSets, setIndex);
    const LoadCombination& combination = At(set.Combinations, combinationIndex);
    std::vector<std::string> terms;
    for (int k = DL; k <= S2; ++k)
        if (combination.Factor[k] != 0) terms.push_back(GeneralNumber(combination.Factor[k]) + set.Factors.FactorCode[k]);
    return terms;
}

std::string CombinationFormula(const Model& m, int setIndex, int combinationIndex) {
    const std::vector<std::string> terms = LoadFactorTerms(m, setIndex, combinationIndex);
    std::string t = At(m.CombinationSets, setIndex).Combinations[combinationIndex].Name + "\n\r";
    for (std::size_t k = 0; k < terms.size(); ++k) {
        t += terms[k];
        // four terms to a line; a "+" that follows a break begins the next line
        if (k + 1 == 4 || k + 1 == 8) t += "\n\r";
        if (k + 1 < terms.size()) t += "+";
    }
    if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\n\r") == 0) t.resize(t.size() - 2);
    return t;
}

std::array<TableCell, StabilityTableRows> StabilityCaptions(const Model& m) {
    const std::string& force = UnitLabel(m, m.ForceUnitLabels);
    const std::string& length = UnitLabel(m, m.LengthUnitLabels);
    const std::string& pressure = UnitLabel(m, m.PressureUnitLabels);
    const CombinationSet& set = At(m.CombinationSets, m.ActiveCombinationSet);

    std::array<TableCell, StabilityTableRows> c{};
    c[0] = {"Load combinations\n\r" + set.Name, false, true};
    c[2] = {"Stability", false, true};
    c[4] = {"Eccentricity (overturning)", false, true};
    c[5].Text = "- Horizontal (" + force + ")";
    c[6].Text = "- Vertical (" + force + ")";
    c[7].Text = "- Moment at overturning point (" + force + length + ")";
    c[8].Text = "- Moment at midbase (" + force + length + ")";
    c[9].Text = "- Eccentricity from overturning point (" + length + ")";
    c[10].Text = "- Eccentricity from midbase (" + length + ")";
    c[11].Text = "- Criterion, criterion/eccentricity ratio";
    c[13] = {"Bearing pressure", false, true};
    c[14].Text = "- Left (" + pressure + ")";
    c[15].Text = "- Right (" + pressure + ")";
    c[16].Text = "- Pressure width (" + length + ", %)";
    c[17].Text = "- Factored bearing resistance (" + pressure + ")";
    c[18].Text = "- Resistance/load ratio";
    c[20] = {"Sliding", false, true};
    c[21].Text = "- Sliding force (" + force + ")";
    c[22].Text = "- Resisting force (" + force + ")";
    c[23].Text = "- Resistance/load ratio";
    c[25] = {"Rotation", false, true};
    c[26].Text = "- Rotating moment (" + force + length + ")";
    c[27].Text = "- Resisting moment (" + force + length + ")";
    c[28].Text = "- Resistance/load ratio";
    return c;
}

std::optional<double> FactoredBearingResistance(const Model& m, int i) {
    const std::optional<float>& qn = At(m.CombinationNominalBearingResistances, i);
    if (!qn) return std::nullopt;
    return CappedBearingResistance(m, *qn) * CombinationOf(m, i).Factor[BE];
}

std::array<TableCell, StabilityTableRows> StabilityColumn(const Model& m, int i) {
    const auto& factor = CombinationOf(m, i).Factor;
    const std::optional<int16_t>& flag = At(m.CombinationWallStableFlags, i);
    const bool stable = flag && *flag != 0;

    std::array<TableCell, StabilityTableRows> c{};
    c[0].Text = CombinationFormula(m, m.ActiveCombinationSet, i - 1);
    if (!NoResultReason(m, i).empty())
        c[2] = {NoResultText, true};
    else
        c[2] = {stable ? "Stable" : "Not stable", !stable};

    // eccentricity, shown whether the wall stands or not; the horizontal
    // force reads positive when it pushes the wall towards the toe
    c[5].Text = Number(m, At(m.CombinationTotalHorizontalForces, i), Quantity::ForcePerLength, -1);
    c[6].Text = Number(m, At(m.CombinationTotalVerticalForces, i), Quantity::ForcePerLength);
    c[7].Text = Number(m, At(m.CombinationMomentsAtOverturningPoint, i), Quantity::MomentPerLength);
    c[8].Text = Number(m, At(m.CombinationMomentsAtMidbase, i), Quantity::MomentPerLength);
    c[9].Text = Number(m, At(m.CombinationEccentricitiesFromOverturningPoint, i), Quantity::Length);
    const std::optional<float>& e = At(m.CombinationEccentricitiesFromMidbase, i);
    c[10].Text = Number(m, e, Quantity::Length);
    if (factor[EX] > 0 && e) {
        const double criterion = EccentricityCriterion(m.AnalysisBaseWidth, factor[EX]);
        const double eccentricity = std::fabs(*e);
        // a resultant at mid-base is within any criterion: no finite ratio
        const std::string ratio = eccentricity > 0 ? Format(RatioShown(criterion / eccentricity), "0.#0") : "--";
        c[11] = {GeneralNumber(factor[EX]) + " \xBD" "B, " + ratio, eccentricity > criterion};
    }
    if (!stable) return c;

    // bearing
    c[14].Text = Number(m, At(m.CombinationLeftBearingPressures, i), Quantity::Pressure);
    c[15].Text = Number(m, At(m.CombinationRightBearingPressures, i), Quantity::Pressure);
    if (const std::optional<float>& width = At(m.CombinationBearingPressureWidths, i)) {
        c[16].Text = FormatQuantity(*width, Quantity::Length, m.CurrentUnitSystem) + ", ";
        c[16].Text += m.AnalysisBaseWidth != 0 ? Format(static_cast<double>(*width) / m.AnalysisBaseWidth, "#0.0%") : "--";
    }
    if (factor[BE] > 0) {
        if (const std::optional<double> q = FactoredBearingResistance(m, i)) c[17].Text = FormatQuantity(*q, Quantity::Pressure, m.CurrentUnitSystem);
        c[18] = Ratio(At(m.CombinationBearingResistanceRatios, i), false);
    }

    // sliding
    c[21].Text = Number(m, At(m.CombinationSlidingForces, i), Quantity::ForcePerLength);
    if (SlidingChecked(factor[FC], factor[EP], factor[RH])) {
        c[22].Text = Number(m, At(m.CombinationSlidingResistingForces, i), Quantity::ForcePerLength);
        c[23] = Ratio(At(m.CombinationSlidingResistanceRatios, i), true);
    }

    // rotation
    c[26].Text = Number(m, At(m.CombinationRotatingMoments, i), Quantity::MomentPerLength);
    if (factor[RO] > 0) {
        c[27].Text = Number(m, At(m.CombinationRotationResistingMoments, i), Quantity::MomentPerLength);
        c[28] = Ratio(At(m.CombinationRotationResistanceRatios, i), true);
    }
    return c;
}

const std::string& NoResultReason(const Model& m, int i) { return At(m.CombinationAnalysisFailures, i); }

std::string NoValuesMark(const Model& m, int i) {
    if (!NoResultReason(m, i).empty()) return " (no result)";
    const std::optional<int16_t>& stable = At(m.CombinationWallStableFlags, i);
    return stable && *stable != 0 ? "" : " (not stable)";
}

std::string StabilityNote(const Model& m) {
    std::string note = "Per 1 " + UnitLabel(m, m.LengthUnitLabels) + " of wall length.";
    const int n = At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount;
    std::vector<std::string> told;
    for (int i = 1; i <= n && i < static_cast<int>(m.CombinationAnalysisFailures.size()); ++i) {
        const std::string& reason = NoResultReason(m, i);
        if (reason.empty() || std::find(told.begin(), told.end(), reason) != told.end()) continue;
        told.push_back(reason);
        note += "\n" + std::string(NoResultText) + ": " + reason;
    }
    return note;
}

}  // namespace brindlemar

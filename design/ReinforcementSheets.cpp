#include "design/ReinforcementSheets.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "analysis/SectionStations.h"
#include "design/BarFit.h"
#include "design/DesignReinforcement.h"
#include "design/DesignUnits.h"
#include "design/StabilityTable.h"
#include "model/InputRules.h"
#include "model/Units.h"
#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

// Detail captions are indented under their group caption by a soft hyphen
// and a space.
SheetRow Detail(const std::string& caption, const std::string& unit) { return {{"\xAD " + caption}, unit}; }
SheetRow Group(const std::string& caption) { return {{caption, false, true}, ""}; }

TableCell Verdict(const std::string& verdict, const std::string& tail = "") {
    return {verdict + tail, verdict == VerdictNotOK};
}

}  // namespace

std::string CombinationTitle(const Model& m, int setIndex, int combinationIndex) {
    const CombinationSet& set = At(m.CombinationSets, setIndex);
    std::string text = At(set.Combinations, combinationIndex).Name;
    text += NoValuesMark(m, combinationIndex + 1);
    text += "\r\n";
    const std::vector<std::string> terms = LoadFactorTerms(m, setIndex, combinationIndex);
    for (std::size_t k = 0; k < terms.size(); ++k) text += (k > 0 ? "+" : "") + terms[k];
    return text;
}

std::string CombinationsListing(const Model& m) {
    const CombinationSet& set = At(m.CombinationSets, m.ActiveCombinationSet);
    std::string text;
    for (int i = 0; i < set.CombinationCount; ++i) {
        for (char ch : CombinationTitle(m, m.ActiveCombinationSet, i)) text += ch == '+' ? std::string(" + ") : std::string(1, ch);
        text += "\r\n\r\n";
    }
    text += "Notes:\r\n";
    for (int k = DL; k <= S2; ++k)
        if (!set.Factors.FactorCode[k].empty())
            text += set.Factors.FactorCode[k] + " - " + set.Factors.FactorName[k] + "\r\n";
    return text;
}

std::array<float, 5> MemberLengths(const Model& m) {
    const float upper = UpperStemLengthInUse(m);
    return {0.0f, upper, ToSingle(StemMemberLength(m) - upper), ToSingle(ToeMemberLength(m)),
            ToSingle(HeelMemberLength(m))};
}

ForceTableTexts ForceTables(const Model& m, ForceKind kind) {
    const std::string& force = UnitLabel(m, m.ForceUnitLabels);
    const std::string& length = UnitLabel(m, m.LengthUnitLabels);
    const CombinationSet& set = At(m.CombinationSets, m.ActiveCombinationSet);
    const bool moments = kind == ForceKind::Moment;
    const int columns = moments ? DesignPositionCount + 1 : DesignMemberCount + 1;
    const char* const mask = "0.#0 ;-0.#0 ;-- ";
    // one value of a design force table, [combination][position or member]
    const auto value = [&](const FlexureTable& flexure, const ShearTable& shear, int c, int j) -> float {
        return moments ? At(At(flexure, c), j) : At(At(shear, c), j);
    };

    ForceTableTexts t;
    t.Columns = columns;
    t.Headings.push_back("Load combinations: " + set.Name);
    for (int j = 1; j < columns; ++j) t.Headings.push_back(moments ? (j % 2 == 1 ? "Mu-" : "Mu+") : "Vu");

    for (int c = 1; c <= set.CombinationCount; ++c) {
        std::vector<TableCell> row(columns);
        row[0].Text = CombinationTitle(m, m.ActiveCombinationSet, c - 1);
        const std::optional<int16_t>& stable = At(m.CombinationWallStableFlags, c);
        if (stable && *stable != 0) {
            for (int j = 1; j < columns; ++j)
                row[j].Text = Format(value(m.FlexureMoments, m.ShearForces, c, j), mask);
        } else if (!moments) {
            row[1].Text = NoResultReason(m, c).empty() ? "Not stable" : NoResultText;
        }
        t.Combinations.push_back(std::move(row));
    }

    t.Governing[0] = {"For section strength design"};
    t.Governing[1] = {"Corresponding Pu (" + force + "/" + length + ")"};
    t.Governing[2] = {"Distance from end (" + length + ")"};
    for (auto& row : t.Governing) row.resize(columns);
    if (m.AllCombinationsStable != 0) {
        for (int j = 1; j < columns; ++j) {
            // a face's moment and axial force are those its design sheet shows
            const int g = moments ? DesignFlexureCombination(m, j) : At(m.GoverningShearCombinations, j);
            t.Governing[0][j] = Format(value(m.FlexureMoments, m.ShearForces, g, j), mask);
            t.Governing[1][j] = Format(value(m.FlexureAxialForces, m.ShearAxialForces, g, j), mask);
            t.Governing[2][j] = t.Governing[0][j] == "-- "
                                    ? "-- "
                                    : Format(value(m.FlexureSectionDistances, m.ShearSectionDistances, g, j), "0.#0 ");
        }
    }
    t.UnitCaption = "Unit: " + force + (moments ? length : "") + "/" + length;
    return t;
}

std::array<SheetRow, FlexureSheetRows> FlexureSheetCaptions(const Model& m) {
    const std::string& L = UnitLabel(m, m.LengthUnitLabels);
    const std::string& S = UnitLabel(m, m.SectionUnitLabels);
    const std::string& B = UnitLabel(m, m.BarUnitLabels);
    const std::string& F = UnitLabel(m, m.ForceUnitLabels);
    const std::string& P = UnitLabel(m, m.StressUnitLabels);
    const std::string S2 = S + "\xB2";

    std::array<SheetRow, FlexureSheetRows> r{};
    r[0] = Group("Flexure");
    r[0].Unit = "Unit";
    r[2] = Group("Section");
    r[3] = Detail("Distance from end", L);
    r[4] = Detail("Width", S);
    r[5] = Detail("Height", S);
    r[6] = Detail("Rebar cover", S);
    r[8] = Group("Forces");
    r[9] = Detail("Moment", F + L);
    r[10] = Detail("Axial", F);
    r[12] = Group("Reinforcements");
    r[13] = Detail("Nominal diameter", B);
    r[14] = Detail("Spacing", S);
    r[15] = Detail("Area", S2);
    r[16] = Detail("Area ratio", "%");
    r[18] = Group("Balanced strain condition");
    r[19] = Detail("Area ratio", "%");
    r[20] = Detail("Tensile strain", "");
    r[22] = Group("Nominal strength");
    r[23] = Detail("Tensile strain", "");
    r[24] = Detail("Control", "");
    r[25] = Detail("Strength reduction factor", "");
    r[26] = Detail("Maximum moment", F + L);
    r[27] = Detail("Maximum axial load", F);
    r[29] = Group("Applied forces");
    r[30] = Detail("Tensile stress", P);
    r[32] = Group("Other requirements");
    r[33] = Detail("Minimum reinforcement area", S2);
    r[34] = Detail("Maximum reinforcement spacing", S);
    r[35] = Detail("Minimum tensile strain", "");
    r[37] = Group("Results");
    r[38] = Detail("Area ratio", "");
    r[39] = Detail("Moment strength", "");
    r[40] = Detail("Reinforcement area", "");
    r[41] = Detail("Reinforcement spacing", "");
    r[42] = Detail("Tensile strain", "");
    return r;
}

std::array<SheetRow, ShearSheetRows> ShearSheetCaptions(const Model& m) {
    const std::string& L = UnitLabel(m, m.LengthUnitLabels);
    const std::string& S = UnitLabel(m, m.SectionUnitLabels);
    const std::string& F = UnitLabel(m, m.ForceUnitLabels);

    std::array<SheetRow, ShearSheetRows> r{};
    r[0] = Group("Shear");
    r[0].Unit = "Unit";
    r[2] = Group("Section");
    r[3] = Detail("Distance from end", L);
    r[4] = Detail("Width", S);
    r[5] = Detail("Height", S);
    r[7] = Group("Forces");
    r[8] = Detail("Shear", F);
    r[9] = Detail("Axial", F);
    r[11] = Group("Shear resistance");
    r[12] = Detail("Strength reduction factor", "");
    r[13] = Detail("Shear strength", F);
    r[14] = Detail("Results", "");
    return r;
}

std::array<TableCell, FlexureSheetRows> FlexureSheetColumn(const Model& m, int p) {
    const FlexureDesignResult& r = At(m.FlexureDesignResults, p);
    const double section = design::SectionUnitsPerLength(m);
    const double bar = design::BarUnitsPerLength(m);
    const double area = section * section;
    const bool unloaded = FaceNotDesigned(r);
    const auto shown = [&](const std::optional<float>& value, double scale, const char* mask) -> std::string {
        return value ? Format(*value * scale, mask) : std::string(VerdictNone);
    };
    const auto designed = [&](std::string text) { return TableCell{unloaded ? std::string(VerdictNone) : std::move(text)}; };
    // bars that cannot exist: each verdict and the bars themselves say why
    const std::string why = BarFaultReason(m, r);
    const auto verdict = [&](const std::string& text) {
        if (unloaded) return TableCell{VerdictNone};
        TableCell cell = Verdict(text);
        cell.Note = why;
        return cell;
    };

    std::array<TableCell, FlexureSheetRows> c{};
    c[3] = designed(Format(r.Distance, "0.#0"));
    c[4] = designed(Format(r.Width * section, "0"));
    c[5] = designed(DesignValueText(m, r.Height, section, Quantity::Section));
    c[6] = designed(DesignValueText(m, r.Cover, section, Quantity::Section));
    c[9].Text = DesignValueText(m, r.Moment, 1, Quantity::MomentPerLength, "--");
    c[10] = designed(DesignValueText(m, r.AxialForce, 1, Quantity::ForcePerLength));
    // the bars are shown as the user types them, in whole bar and section units
    // a face without bars shows none, plainly
    c[BarDiameterRow] = {BarSizeText(m, r.BarDiameter, bar, Quantity::Bar), false, r.BarDiameter != 0, why};
    c[BarSpacingRow] = {BarSizeText(m, r.BarSpacing, section, Quantity::Section), false, r.BarSpacing != 0, why};
    c[15].Text = DesignValueText(m, r.SteelArea, area, Quantity::SteelArea, "--");
    c[16] = designed(shown(r.SteelRatio, 100, "0.##0;-0.##0;--"));
    c[19] = designed(shown(r.BalancedRatio, 100, "0.##0"));
    c[20] = designed(shown(r.BalancedStrain, 1, "0.###0"));
    c[23] = designed(shown(r.TensileStrain, 1, "0.###0"));
    c[24] = designed(r.Control ? FlexureControlName(*r.Control) : VerdictNone);
    c[25] = designed(shown(r.Phi, 1, "0.#0"));
    c[26] = designed(DesignValueText(m, r.MomentStrength, 1, Quantity::MomentPerLength));
    c[27] = designed(DesignValueText(m, r.AxialStrength, 1, Quantity::ForcePerLength));
    // a stress the moment does not need in tension is no stress to show
    c[30] = designed(DesignValueText(m, r.SteelStress, 1, Quantity::Stress, "--", true));
    c[33] = designed(DesignValueText(m, r.MinimumSteelArea, area, Quantity::SteelArea, "--"));
    c[34] = designed(DesignValueText(m, r.MaximumSpacing, section, Quantity::Section, "--", true));
    // no tension in the steel: no strain to require
    const bool tension = r.SteelStress && *r.SteelStress > 0;
    c[35] = designed(tension ? shown(r.MinimumTensileStrain, 1, "0.##0;-0.##0;--") : VerdictNone);
    c[38] = verdict(r.RatioResult);
    c[39] = verdict(r.MomentResult);
    c[40] = verdict(r.MinimumSteelResult);
    c[41] = verdict(r.SpacingResult);
    c[42] = verdict(r.StrainResult);
    return c;
}

std::string BarFaultReason(const Model& m, const FlexureDesignResult& r) {
    const BarFault fault = FaceNotDesigned(r) ? BarFault::None : FaceBarsFault(r);
    if (fault == BarFault::None) return "";
    const double section = design::SectionUnitsPerLength(m);
    const std::string& S = UnitLabel(m, m.SectionUnitLabels);
    const std::string bars = BarSizeText(m, r.BarDiameter, design::BarUnitsPerLength(m), Quantity::Bar) + " " +
                             UnitLabel(m, m.BarUnitLabels) + " bars";
    const auto sized = [&](float length) { return DesignValueText(m, length, section, Quantity::Section) + " " + S; };
    if (fault == BarFault::Overlap)
        return bars + " " + BarSizeText(m, r.BarSpacing, section, Quantity::Section) + " " + S +
               " apart overlap: their spacing is less than their diameter";
    return bars + " under a cover of " + sized(r.Cover) + " lie outside the concrete of a section " +
           sized(r.Height) + " deep";
}

std::array<TableCell, ShearSheetRows> ShearSheetColumn(const Model& m, int member) {
    const ShearDesignResult& r = At(m.ShearDesignResults, member);
    const double section = design::SectionUnitsPerLength(m);
    // the four blanks keep right-aligned numbers clear of the cell border
    const std::string none = "--    ";
    const bool noShear = r.Shear == 0;
    const auto designed = [&](std::string text) { return TableCell{noShear ? none : std::move(text)}; };

    std::array<TableCell, ShearSheetRows> c{};
    c[3] = designed(Format(r.Distance, "0.#0    "));
    c[4] = designed(Format(r.Width * section, "0    "));
    c[5] = designed(DesignValueText(m, r.Height, section, Quantity::Section, "", false, "    "));
    c[8].Text = DesignValueText(m, r.Shear, 1, Quantity::ForcePerLength, "--    ", false, "    ");
    c[9] = designed(DesignValueText(m, r.AxialForce, 1, Quantity::ForcePerLength, "", false, "    "));
    c[12] = designed(Format(r.Phi, "0.#0    "));
    c[13] = designed(r.ShearStrength ? DesignValueText(m, r.ShearStrength, 1, Quantity::ForcePerLength, "", false, "    ")
                                     : none);
    c[14] = noShear ? TableCell{none} : Verdict(r.Result, "    ");
    return c;
}

std::optional<float> TypedNumber(const std::string& text) {
    const double v = std::fabs(Val(text));
    if (!(v <= std::numeric_limits<float>::max())) return std::nullopt;
    return static_cast<float>(v);
}

std::array<float*, 6> MaterialValues(Model& m) {
    std::array<float*, 6> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = &(m.*ReinforcementValues[i].Variable);
    return values;
}

bool StoreMaterialTexts(Model& m, const std::array<std::string, 6>& texts) {
    const std::array<float*, 6> values = MaterialValues(m);
    bool changed = false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        // a box still showing its value's text keeps the value: 7 digits may
        // not read back exactly a value converted to other units
        if (texts[i] == GeneralNumber(*values[i])) continue;
        const std::optional<float> typed = TypedNumber(texts[i]);
        if (!typed || *typed == *values[i]) continue;
        *values[i] = *typed;
        changed = true;
    }
    if (changed) m.ProjectModified = True;
    return changed;
}

UpperStemLengthCheck CheckUpperStemLength(const Model& m, const std::string& text) {
    UpperStemLengthCheck check;
    const double v = Val(text);
    // the length box's rule, on the number as far as a stored value holds it
    const double largest = std::numeric_limits<float>::max();
    const float typed = static_cast<float>(std::clamp(v, -largest, largest));
    if (!IsNumeric(text) || !KeepsRule(ReinforcementValues[UpperStemLengthBox].Rule, typed)) return check;
    // the stem's length as the box shows it may read back a rounding above
    // the stem: compared as shown, it is the stem's
    const float stem = ToSingle(StemMemberLength(m));
    const bool shownAsStem = GeneralNumber(typed) == GeneralNumber(stem);
    if (!(v <= std::numeric_limits<float>::max()) || (typed > stem && !shownAsStem)) {
        check.Replacement = GeneralNumber(stem);
        return check;
    }
    check.Valid = true;
    check.Length = std::min(typed, stem);
    return check;
}

bool StrengthFactorsGiven(const Model& m) {
    const auto& factor = At(m.CombinationSets, m.ActiveCombinationSet).Combinations[0].Factor;
    return factor[CT] > 0 && factor[CC] > 0;
}

std::string NoConcreteFactorsMessage(const Model& m) {
    if (StrengthFactorsGiven(m)) return "";
    return "Reinforcement is designed for combination sets with concrete factors CT, CC and CS; set \"" +
           At(m.CombinationSets, m.ActiveCombinationSet).Name + "\" has none.";
}

std::string NoDesignMessage(const Model& m) {
    if (m.AllCombinationsStable == 0) {
        // a combination that could not be analysed is no unstable wall
        for (int c = 1; c <= At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount; ++c)
            if (!NoResultReason(m, c).empty())
                return "One or more combinations have no result, reinforcement design cancelled.";
        return "One or more combinations are not stable, reinforcement design cancelled.";
    }
    return NoConcreteFactorsMessage(m);
}

std::string BarSizeText(const Model& m, float metres, double unitsPerMetre, Quantity q) {
    if (metres == 0) return VerdictNone;
    return QuantityEntryText(static_cast<float>(metres * unitsPerMetre), q, m.CurrentUnitSystem);
}

std::string DesignValueText(const Model& m, const std::optional<float>& value, double factor, Quantity q,
                            const std::string& zeroText, bool negativeAsZero, const std::string& suffix) {
    if (!value) return VerdictNone;
    const float shown = static_cast<float>(*value * factor);
    const std::string mask = zeroText.empty()
                                 ? QuantityMask(q, m.CurrentUnitSystem, shown) + suffix
                                 : SignedQuantityMask(q, m.CurrentUnitSystem, shown, zeroText, negativeAsZero, suffix);
    return Format(shown, mask);
}

}  // namespace brindlemar

#include "reports/FlexureListing.h"

#include <optional>
#include <string>
#include <vector>

#include "design/DesignReinforcement.h"
#include "design/DesignUnits.h"
#include "design/ReinforcementSheets.h"
#include "drawing/TextPlacement.h"
#include "reports/FlexuralSummary.h"
#include "model/Units.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

using ListingRow = DesignTableRow<FlexureDesignResult>;

// A computed value that may be undefined, scaled into the printed unit.
std::string Masked(const std::optional<float>& value, double factor, const std::string& mask) {
    if (!value) return "--";
    return Format(static_cast<float>(*value * factor), mask);
}

std::string Masked(float value, double factor, const std::string& mask) {
    return Format(static_cast<float>(value * factor), mask);
}

std::vector<ListingRow> Block1Rows(const Model& m) {
    const int u = UnitSystemIndex(m);
    const double L = design::SectionUnitsPerLength(m);
    const double B = design::BarUnitsPerLength(m);
    const std::string section = m.SectionUnitLabels[u];
    // the steel area is per length of wall too: cm²/m, mm²/m, in²/ft
    const std::string area = section + "\xB2/" + m.LengthUnitLabels[u];
    return {
        {3, "&BSection&b", "", nullptr},
        {4, DetailRow + "Distance from end", m.LengthUnitLabels[u],
         [](const FlexureDesignResult& r) { return Masked(r.Distance, 1, "0.#0"); }},
        {5, DetailRow + "Width, b", section, [L](const FlexureDesignResult& r) { return Masked(r.Width, L, "0"); }},
        {6, DetailRow + "Height, h", section,
         [&m, L](const FlexureDesignResult& r) { return DesignValueText(m, r.Height, L, Quantity::Section); }},
        {7, DetailRow + "Rebar cover", section,
         [&m, L](const FlexureDesignResult& r) { return DesignValueText(m, r.Cover, L, Quantity::Section); }},
        {8, "&BForces&b", "", nullptr},
        {9, DetailRow + "Moment, M&Lu&l", MomentPerLengthLabel(m),
         [&m](const FlexureDesignResult& r) { return DesignValueText(m, r.Moment, 1, Quantity::MomentPerLength, "--"); },
         false},
        {10, DetailRow + "Axial, P&Lu&l", ForcePerLengthLabel(m),
         [&m](const FlexureDesignResult& r) { return DesignValueText(m, r.AxialForce, 1, Quantity::ForcePerLength); }},
        {11, "&BReinforcements&b", "", nullptr},
        {12, DetailRow + "Nominal diameter, d&Lb&l", m.BarUnitLabels[u],
         [&m, B](const FlexureDesignResult& r) { return BarSizeText(m, r.BarDiameter, B, Quantity::Bar); }, false, true},
        {13, DetailRow + "Spacing, s", section,
         [&m, L](const FlexureDesignResult& r) { return BarSizeText(m, r.BarSpacing, L, Quantity::Section); }, false,
         true},
        {14, DetailRow + "Area, A&Ls&l", area,
         [&m, L](const FlexureDesignResult& r) { return DesignValueText(m, r.SteelArea, L * L, Quantity::SteelArea, "--"); },
         false},
        {15, DetailRow + "Area ratio, &Sr&s", "%",
         [](const FlexureDesignResult& r) { return Masked(r.SteelRatio, 100, "0.##0;-0.##0;--"); }},
        {16, "&BBalanced strain condition&b", "", nullptr},
        {17, DetailRow + "Area ratio, &Sr&s&Lb&l", "%",
         [](const FlexureDesignResult& r) { return Masked(r.BalancedRatio, 100, "0.##0"); }},
        {18, DetailRow + "Tensile strain, &Se&s&Lb&l", "",
         [](const FlexureDesignResult& r) { return Masked(r.BalancedStrain, 1, "0.###0"); }},
        {19, "&BNominal strength&b", "", nullptr},
        {20, DetailRow + "Tensile strain, &Se&s&Lt&l", "",
         [](const FlexureDesignResult& r) { return Masked(r.TensileStrain, 1, "0.###0"); }},
        {21, DetailRow + "Control", "",
         [](const FlexureDesignResult& r) {
             return r.Control ? std::string(FlexureControlName(*r.Control)) : std::string("--");
         }},
        {22, DetailRow + "Strength reduction factor, &Sf&s", "",
         [](const FlexureDesignResult& r) { return Masked(r.Phi, 1, "0.#0"); }},
        {23, DetailRow + "Maximum moment, &Sf&sM&Ln&l", MomentPerLengthLabel(m),
         [&m](const FlexureDesignResult& r) { return DesignValueText(m, r.MomentStrength, 1, Quantity::MomentPerLength); }},
        {24, DetailRow + "Maximum axial load, &Sf&sP&Ln&l", ForcePerLengthLabel(m),
         [&m](const FlexureDesignResult& r) { return DesignValueText(m, r.AxialStrength, 1, Quantity::ForcePerLength); }},
    };
}

std::vector<ListingRow> Block2Rows(const Model& m) {
    const int u = UnitSystemIndex(m);
    const double L = design::SectionUnitsPerLength(m);
    const std::string section = m.SectionUnitLabels[u];
    const std::string area = section + "\xB2/" + m.LengthUnitLabels[u];
    const auto verdict = [](std::string FlexureDesignResult::*field) {
        return [field](const FlexureDesignResult& r) { return r.*field; };
    };
    return {
        {3, "&BApplied forces&b", "", nullptr},
        {4, DetailRow + "Tensile stress, f&Ls&l", m.StressUnitLabels[u],
         // no tension in the bars: no stress to show
         [&m](const FlexureDesignResult& r) { return DesignValueText(m, r.SteelStress, 1, Quantity::Stress, "--", true); }},
        {5, "&BOther requirements&b", "", nullptr},
        {6, DetailRow + "Minimum reinforcement area, A&Ls.min&l", area,
         [&m, L](const FlexureDesignResult& r) {
             return DesignValueText(m, r.MinimumSteelArea, L * L, Quantity::SteelArea, "--");
         }},
        {7, DetailRow + "Maximum reinforcement spacing, s&Lmax&l", section,
         [&m, L](const FlexureDesignResult& r) {
             return DesignValueText(m, r.MaximumSpacing, L, Quantity::Section, "--", true);
         }},
        {8, DetailRow + "Minimum tensile strain, &Se&s&Lt.min&l", "",
         [](const FlexureDesignResult& r) {
             // without tension in the bars there is no strain to reach
             if (!r.SteelStress || *r.SteelStress <= 0) return std::string("--");
             return Masked(r.MinimumTensileStrain, 1, "0.##0;-0.##0;--");
         }},
        {9, "&BResults&b", "", nullptr},
        {10, DetailRow + "Area ratio, &Sr&s &S\xA3&s &Sr&s&Lb&l", "", verdict(&FlexureDesignResult::RatioResult)},
        {11, DetailRow + "Moment strength, M&Lu&l &S\xA3&s &Sf&sM&Ln&l", "", verdict(&FlexureDesignResult::MomentResult)},
        {12, DetailRow + "Reinforcement area, A&Ls&l &S\xB3&s A&Ls.min&l", "",
         verdict(&FlexureDesignResult::MinimumSteelResult)},
        {13, DetailRow + "Reinforcement spacing, s &S\xA3&s s&Lmax&l", "", verdict(&FlexureDesignResult::SpacingResult)},
        {14, DetailRow + "Tensile strain, &Se&s&Lt&l &S\xB3&s &Se&s&Lt.min&l", "",
         verdict(&FlexureDesignResult::StrainResult)},
    };
}

}  // namespace

void PrintFlexureDesignBlock(const Model& m, Surface& s, int block) {
    const bool first = block == 1;
    PrintFlexureSummary(m, s);
    const auto lines = DesignTableLines<FlexureDesignResult>(first ? Block1Rows(m) : Block2Rows(m),
                                                             m.FlexureDesignResults, FaceNotDesigned);
    PrintDesignTableBody(m, s, ReinforcementBlock::Current(s), lines, PositionCount, 0.003,
                         first ? std::vector<double>{7.8, 10.8, 15.8, 18.8, 24.8} : std::vector<double>{4.8, 8.8, 14.8});
}

}  // namespace brindlemar

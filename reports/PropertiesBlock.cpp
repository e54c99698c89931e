// The properties block: the materials and options of the wall in two
// columns, each line a caption, a value right-aligned at a fixed edge and a
// unit label after it.

#include <functional>
#include <vector>

#include "drawing/Legend.h"
#include "drawing/TextPlacement.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportPage.h"
#include "model/DisplayPrecision.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

struct PropertyLine {
    double dy;                                    // offset below the block origin, twips at scale 1
    std::string caption;                          // with markup; empty for none
    std::function<std::string()> value;           // empty for a heading
    std::function<std::string()> unit;            // empty for none
};

std::string Number(float value, const char* mask) { return Format(value, mask); }

// A value with a unit: the digits its unit needs.
std::string Number(const Model& m, float value, Quantity q) { return FormatQuantity(value, q, m.CurrentUnitSystem); }

std::vector<PropertyLine> LeftColumn(const Model& m) {
    const auto unitWeight = [&m] { return UnitLabel(m, m.UnitWeightUnitLabels); };
    const auto angle = [&m] { return UnitLabel(m, m.AngleUnitLabels); };
    const auto stress = [&m] { return UnitLabel(m, m.StressUnitLabels); };
    const int method = m.BearingResistanceMethod;
    return {
        {0, "&BBackfill earth:&b", {}, {}},
        {240, "- Unit weight (&Sg&s) =", [&m] { return Number(m, m.BackfillUnitWeight, Quantity::UnitWeight); }, unitWeight},
        {480, "- Dry density (&Sg&s&Ld&l) =", [&m] { return Number(m, m.BackfillDryDensity, Quantity::UnitWeight); }, unitWeight},
        {720, "- Saturated density (&Sg&s&Ls&l) =", [&m] { return Number(m, m.BackfillSaturatedDensity, Quantity::UnitWeight); },
         unitWeight},
        {960, "- Internal friction angle (&Sf&s) =", [&m] { return Number(m.BackfillFrictionAngle, "#0.0"); }, angle},
        {1200, "- Pressure =", [&m] { return m.EarthPressureOption == 0 ? "Active" : "At rest"; }, {}},
        {1440, "- Minimum equivalent-fluid density =",
         [&m] { return m.MinimumFluidDensityEnabled == 0 ? "N/A" : Number(m, m.MinimumFluidDensity, Quantity::UnitWeight); },
         unitWeight},
        {1920, "&BBase:&b", {}, {}},
        {2160, "- Internal friction angle (&Sf&s) =", [&m] { return Number(m.BaseFrictionAngle, "#0.0"); }, angle},
        {2400, "- Cohesion (c) =", [&m] { return Number(m, m.BaseCohesion, Quantity::Stress); }, stress},
        {2640, "- Material =", [&m] { return m.BaseMaterialOption == 0 ? "Rock (elastic)" : "Soil (plastic)"; }, {}},
        {2880, "- Nominal bearing capacity (q&Ln&l) =",
         [&m, method] { return method == 0 ? Number(m, m.NominalBearingResistance, Quantity::Stress) : ""; },
         method == 0 ? std::function<std::string()>(stress) : nullptr},
        // the other bearing methods are named one line lower
        {3120, "",
         [&m, method]() -> std::string {
             switch (method) {
                 case 1: return "Theoretical (Munfakh et al.)";
                 case 2: return "Semi empirical, SPT (N) = " + Number(m.BaseSptBlowCount, "#0");
                 case 3: return "Semi empirical, CPT (qc) = " + Number(m.BaseCptTipResistance, "#0.0");
                 default: return "";
             }
         },
         method == 3 ? std::function<std::string()>(stress) : nullptr},
        {3360, "&BToe earth:&b", {}, {}},
        {3600, "- Unit weight (&Sg&s) =", [&m] { return Number(m, m.ToeEarthUnitWeight, Quantity::UnitWeight); }, unitWeight},
        {3840, "- Dry density (&Sg&s&Ld&l) =", [&m] { return Number(m, m.ToeEarthDryDensity, Quantity::UnitWeight); }, unitWeight},
        {4080, "- Saturated density (&Sg&s&Ls&l) =", [&m] { return Number(m, m.ToeEarthSaturatedDensity, Quantity::UnitWeight); },
         unitWeight},
        {4320, "- Internal friction angle (&Sf&s) =", [&m] { return Number(m.ToeEarthFrictionAngle, "#0.0"); }, angle},
    };
}

std::vector<PropertyLine> RightColumn(const Model& m) {
    const auto unitWeight = [&m] { return UnitLabel(m, m.UnitWeightUnitLabels); };
    const auto angle = [&m] { return UnitLabel(m, m.AngleUnitLabels); };
    const auto stress = [&m] { return UnitLabel(m, m.StressUnitLabels); };
    // the moduli are held in units of 100000 of the stress unit: "x10^5 MPa"
    const auto modulus = [&m] { return "\xD7" "10&H5&h " + UnitLabel(m, m.StressUnitLabels); };
    return {
        {0, "&BWater:&b", {}, {}},
        {240, "- Unit weight (&Sg&s&Lw&l) =", [&m] { return Number(m, m.WaterUnitWeight, Quantity::UnitWeight); }, unitWeight},
        {720, "&BFriction angle (&Sd&s):&b", {}, {}},
        {960, "- Earth to earth =", [&m] { return Number(m.EarthToEarthFrictionAngle, "#0.0"); }, angle},
        {1200, "- Concrete to earth =", [&m] { return Number(m.ConcreteToEarthFrictionAngle, "#0.0"); }, angle},
        {1680, "&BConcrete:&b", {}, {}},
        {1920, "- Unit weight (incl. reinforcement) =", [&m] { return Number(m, m.ConcreteUnitWeight, Quantity::UnitWeight); },
         unitWeight},
        {2160, "- Compressive stress (f'&Lc&l) =", [&m] { return Number(m, m.ConcreteCompressiveStress, Quantity::Strength); }, stress},
        {2400, "- Elasticity modulus (E&Lc&l) =", [&m] { return Number(m, m.ConcreteElasticityModulus, Quantity::Modulus); },
         modulus},
        {2640, "- Poisson's ratio (&Sm&s) =", [&m] { return Number(m.ConcretePoissonRatio, "#0.#0"); }, {}},
        {3120, "&BReinforcement bars:&b", {}, {}},
        {3360, "- Yield stress (f&Ly&l) =", [&m] { return Number(m, m.RebarYieldStress, Quantity::Strength); }, stress},
        {3600, "- Elasticity modulus (E&Ls&l) =", [&m] { return Number(m, m.RebarElasticityModulus, Quantity::Modulus); }, modulus},
        {3840, "- Concrete cover =", [&m] { return Number(m, m.ConcreteCover, Quantity::Section); },
         [&m] { return UnitLabel(m, m.SectionUnitLabels); }},
    };
}

}  // namespace

void PrintPropertiesBlock(const Model& m, Surface& s) {
    PrintBlockFrame(m, s);
    PrintBlockTitle(m, s, "Properties");

    const double scale = s.Drawing().PrintScale;
    const double y0 = s.Drawing().FrameTop + 320 * scale;
    s.Drawing().BlockFontSize = 8 * scale;
    s.ForeColor = 0;

    struct Column {
        std::vector<PropertyLine> lines;
        double captionX, valueX, unitX;
    };
    const double half = s.Drawing().FrameWidth / 2.0;
    const Column columns[] = {
        {LeftColumn(m), 240 * scale, 3402 * scale, 3515.4 * scale},
        {RightColumn(m), half, half + 3118.5 * scale, half + 3231.9 * scale},
    };

    for (const Column& column : columns)
        for (const PropertyLine& line : column.lines)
            if (!line.caption.empty())
                PrintMarkup(m, s, column.captionX, y0 + line.dy * scale, line.caption, s.Drawing().BlockFontSize);
    for (const Column& column : columns)
        for (const PropertyLine& line : column.lines)
            if (line.unit) PrintMarkup(m, s, column.unitX, y0 + line.dy * scale, line.unit(), s.Drawing().BlockFontSize);

    // the values in dark blue
    s.ForeColor = ReportDarkBlue();
    SetPrinterFont(s, m.TextFontName, s.Drawing().BlockFontSize, false, false);
    for (const Column& column : columns) {
        for (const PropertyLine& line : column.lines) {
            if (!line.value) continue;
            s.CurrentY = y0 + line.dy * scale;
            PrintRightAligned(s, line.value(), column.valueX);
        }
    }
}

}  // namespace brindlemar

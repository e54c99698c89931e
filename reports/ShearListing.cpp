#include "reports/ShearListing.h"

#include <optional>
#include <string>
#include <vector>

#include "design/DesignUnits.h"
#include "model/DesignTypes.h"
#include "reports/FlexuralSummary.h"
#include "design/ReinforcementSheets.h"
#include "model/Units.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

using ShearRow = DesignTableRow<ShearDesignResult>;

std::vector<ShearRow> ShearRows(const Model& m) {
    const int u = UnitSystemIndex(m);
    const double F = design::SectionUnitsPerLength(m);
    const std::string section = m.SectionUnitLabels[u];
    const std::string force = ForcePerLengthLabel(m);
    return {
        {3, "&BSection&b", "", nullptr},
        {4, DetailRow + "Distance from end", m.LengthUnitLabels[u],
         [](const ShearDesignResult& r) { return Format(r.Distance, "0.#0"); }},
        {5, DetailRow + "Width, b", section,
         [F](const ShearDesignResult& r) { return Format(static_cast<float>(r.Width * F), "0"); }},
        {6, DetailRow + "Height, h", section,
         [&m, F](const ShearDesignResult& r) { return DesignValueText(m, r.Height, F, Quantity::Section); }},
        {7, "Forces", "", nullptr},
        {8, DetailRow + "Shear, V&Lu&l", force,
         [&m](const ShearDesignResult& r) { return DesignValueText(m, r.Shear, 1, Quantity::ForcePerLength, "--"); }},
        {9, DetailRow + "Axial, P&Lu&l", force,
         [&m](const ShearDesignResult& r) { return DesignValueText(m, r.AxialForce, 1, Quantity::ForcePerLength); }},
        {10, "Shear resistance", "", nullptr},
        {11, DetailRow + "Strength reduction factor, &Sf&s", "",
         [](const ShearDesignResult& r) { return Format(r.Phi, "0.#0"); }},
        {12, DetailRow + "Shear strength, &Sf&sV&Ln&l", force,
         [&m](const ShearDesignResult& r) { return DesignValueText(m, r.ShearStrength, 1, Quantity::ForcePerLength); }},
        {13, DetailRow + "Results, V&Lu&l &S\xA3&s &Sf&sV&Ln&l", "", [](const ShearDesignResult& r) { return r.Result; }},
    };
}

// A member without shear at its design section was not checked.
bool NoShear(const ShearDesignResult& r) { return r.Shear == 0; }

}  // namespace

void PrintShearDesignBlock(const Model& m, Surface& s) {
    const auto b = ReinforcementBlock::Current(s);
    PrintDesignTableHead(m, s, b, DesignTableKind::Shear);
    const auto lines = DesignTableLines<ShearDesignResult>(ShearRows(m), m.ShearDesignResults, NoShear);
    PrintDesignTableBody(m, s, b, lines, MemberCount, 0.05, {6.8, 9.8, 13.8});
}

}  // namespace brindlemar

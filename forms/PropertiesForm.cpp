#include "forms/PropertiesForm.h"

#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// Where each box of PropertyValues stands: its page, unit label and unit
// table, and whether its row is hidden.
struct BoxLayout {
    int Page;
    int UnitLabel;
    UnitLabelTable ModelInputs::*Units;
    bool Hidden;
};

using M = ModelInputs;
constexpr std::array<BoxLayout, PropertyBoxCount> Layout = {{
    {WallPage, 0, &M::UnitWeightUnitLabels, false},  // ConcreteUnitWeight
    {WallPage, 1, &M::StressUnitLabels, false},  // ConcreteCompressiveStress
    {WallPage, 2, &M::ModulusUnitLabels, false},  // ConcreteElasticityModulus
    {WallPage, 3, nullptr, false},  // ConcretePoissonRatio
    {ReinforcementPage, 4, &M::StressUnitLabels, false},  // RebarYieldStress
    {ReinforcementPage, 5, &M::ModulusUnitLabels, false},  // RebarElasticityModulus
    {ReinforcementPage, 6, &M::SectionUnitLabels, false},  // ConcreteCover
    {WaterPage, 7, &M::UnitWeightUnitLabels, false},  // WaterUnitWeight
    {BackfillEarthPage, 8, &M::UnitWeightUnitLabels, false},  // BackfillUnitWeight
    {BackfillEarthPage, 9, &M::UnitWeightUnitLabels, false},  // BackfillDryDensity
    {BackfillEarthPage, 10, &M::UnitWeightUnitLabels, false},  // BackfillSaturatedDensity
    {BackfillEarthPage, 11, &M::AngleUnitLabels, false},  // BackfillFrictionAngle
    {BackfillEarthPage, 12, &M::StressUnitLabels, true},  // BackfillCohesion
    {BasePage, 13, &M::AngleUnitLabels, false},  // BaseFrictionAngle
    {BasePage, 14, &M::StressUnitLabels, false},  // BaseCohesion
    {BasePage, 15, &M::StressUnitLabels, false},  // NominalBearingResistance
    {BasePage, 16, &M::ModulusUnitLabels, true},  // BaseElasticityModulus
    {FrictionAnglesPage, 17, &M::AngleUnitLabels, false},  // EarthToEarthFrictionAngle
    {FrictionAnglesPage, 18, &M::AngleUnitLabels, false},  // ConcreteToEarthFrictionAngle
    {ToeEarthPage, 19, &M::UnitWeightUnitLabels, false},  // ToeEarthUnitWeight
    {ToeEarthPage, 20, &M::UnitWeightUnitLabels, false},  // ToeEarthDryDensity
    {ToeEarthPage, 21, &M::UnitWeightUnitLabels, false},  // ToeEarthSaturatedDensity
    {ToeEarthPage, 22, &M::AngleUnitLabels, false},  // ToeEarthFrictionAngle
    {ToeEarthPage, 23, &M::StressUnitLabels, true},  // ToeEarthCohesion
    {BasePage, -1, nullptr, false},  // BaseSptBlowCount
    {BasePage, 24, &M::StressUnitLabels, false},  // BaseCptTipResistance
    {BasePage, 25, &M::UnitWeightUnitLabels, false},  // BaseUnitWeight
}};

const std::array<PropertyBox, PropertyBoxCount> Boxes = [] {
    std::array<PropertyBox, PropertyBoxCount> boxes{};
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i] = {PropertyValues[i].Variable, PropertyValues[i].Rule, Layout[i].Page, Layout[i].UnitLabel,
                    Layout[i].Units, Layout[i].Hidden};
    return boxes;
}();

}  // namespace

// The quantity a box holds, by its unit; none for angles, ratios and counts.
std::optional<Quantity> BoxQuantity(const PropertyBox& box) {
    if (box.Units == &ModelInputs::UnitWeightUnitLabels) return Quantity::UnitWeight;
    if (box.Units == &ModelInputs::StressUnitLabels) return Quantity::Stress;
    if (box.Units == &ModelInputs::ModulusUnitLabels) return Quantity::Modulus;
    if (box.Units == &ModelInputs::SectionUnitLabels) return Quantity::Section;
    return std::nullopt;
}

const PropertyBox& PropertyBoxAt(int index) { return Boxes[CheckedIndex(index, 0, PropertyBoxCount - 1)]; }

std::array<std::string, PropertyUnitLabelCount> PropertyUnitLabels(const Model& m) {
    std::array<std::string, PropertyUnitLabelCount> labels{};
    for (const PropertyBox& box : Boxes) {
        if (box.UnitLabel < 0 || box.Units == nullptr) continue;
        labels[box.UnitLabel] = UnitLabel(m, m.*box.Units);
    }
    return labels;
}

std::string PropertyEntryRefusal(int index, const std::string& text, const std::string& name) {
    return EntryRefusal(PropertyBoxAt(index).Rule, text, name);
}

PropertyEntries PropertyEntriesFromModel(const Model& m) {
    PropertyEntries e;
    for (int i = 0; i < PropertyBoxCount; ++i)
        e.Values[i] = EntryText(m.*Boxes[i].Variable, BoxQuantity(Boxes[i]), m.CurrentUnitSystem);
    e.EarthPressure = m.EarthPressureOption != 0 ? AtRest : Active;
    e.BaseMaterial = m.BaseMaterialOption != 0 ? Soil : Rock;
    const bool knownMethod = m.BearingResistanceMethod >= NominalBearing && m.BearingResistanceMethod <= CptBearing;
    e.BearingMethod = e.BaseMaterial == Soil && knownMethod ? int{m.BearingResistanceMethod} : int{NominalBearing};
    return e;
}

void StoreProperties(Model& m, const PropertyEntries& entries) {
    // every text read first, so that a number too large stores nothing
    std::array<float, PropertyBoxCount> values{};
    for (int i = 0; i < PropertyBoxCount; ++i)
        values[i] = EntryValue(entries.Values[i], m.*Boxes[i].Variable, BoxQuantity(Boxes[i]), m.CurrentUnitSystem);

    bool changed = false;
    for (int i = 0; i < PropertyBoxCount; ++i) changed = changed || values[i] != m.*Boxes[i].Variable;
    changed = changed || entries.EarthPressure != m.EarthPressureOption;
    changed = changed || entries.BaseMaterial != m.BaseMaterialOption;
    changed = changed || (entries.BearingMethod >= 0 && entries.BearingMethod != m.BearingResistanceMethod);
    if (changed) m.ProjectModified = True;

    for (int i = 0; i < PropertyBoxCount; ++i) m.*Boxes[i].Variable = values[i];
    m.EarthPressureOption = static_cast<int16_t>(entries.EarthPressure == Active ? Active : AtRest);
    m.BaseMaterialOption = static_cast<int16_t>(entries.BaseMaterial == Rock ? Rock : Soil);
    if (entries.BearingMethod >= 0) m.BearingResistanceMethod = static_cast<int16_t>(entries.BearingMethod);
}

}  // namespace brindlemar

#include "forms/PropertiesForm.h"

#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

using M = ModelInputs;
constexpr EntryRule Pos = EntryRule::Positive;
constexpr EntryRule Non = EntryRule::NotNegative;
constexpr EntryRule Any = EntryRule::AnyNumber;
constexpr EntryRule Phi = EntryRule::FrictionAngle;

const std::array<PropertyBox, PropertyBoxCount> Boxes = {{
    {&M::ConcreteUnitWeight, Pos, WallPage, 0, &M::UnitWeightUnitLabels, false},
    {&M::ConcreteCompressiveStress, Pos, WallPage, 1, &M::StressUnitLabels, false},
    {&M::ConcreteElasticityModulus, Pos, WallPage, 2, &M::ModulusUnitLabels, false},
    {&M::ConcretePoissonRatio, Pos, WallPage, 3, nullptr, false},
    {&M::RebarYieldStress, Pos, ReinforcementPage, 4, &M::StressUnitLabels, false},
    {&M::RebarElasticityModulus, Pos, ReinforcementPage, 5, &M::ModulusUnitLabels, false},
    {&M::ConcreteCover, Pos, ReinforcementPage, 6, &M::SectionUnitLabels, false},
    {&M::WaterUnitWeight, Pos, WaterPage, 7, &M::UnitWeightUnitLabels, false},
    {&M::BackfillUnitWeight, Pos, BackfillEarthPage, 8, &M::UnitWeightUnitLabels, false},
    {&M::BackfillDryDensity, Pos, BackfillEarthPage, 9, &M::UnitWeightUnitLabels, false},
    {&M::BackfillSaturatedDensity, Pos, BackfillEarthPage, 10, &M::UnitWeightUnitLabels, false},
    {&M::BackfillFrictionAngle, Phi, BackfillEarthPage, 11, &M::AngleUnitLabels, false},
    {&M::BackfillCohesion, Non, BackfillEarthPage, 12, &M::StressUnitLabels, true},
    {&M::BaseFrictionAngle, Phi, BasePage, 13, &M::AngleUnitLabels, false},
    {&M::BaseCohesion, Non, BasePage, 14, &M::StressUnitLabels, false},
    {&M::NominalBearingResistance, Pos, BasePage, 15, &M::StressUnitLabels, false},
    {&M::BaseElasticityModulus, Pos, BasePage, 16, &M::ModulusUnitLabels, true},
    {&M::EarthToEarthFrictionAngle, Phi, FrictionAnglesPage, 17, &M::AngleUnitLabels, false},
    {&M::ConcreteToEarthFrictionAngle, Phi, FrictionAnglesPage, 18, &M::AngleUnitLabels, false},
    {&M::ToeEarthUnitWeight, Pos, ToeEarthPage, 19, &M::UnitWeightUnitLabels, false},
    {&M::ToeEarthDryDensity, Pos, ToeEarthPage, 20, &M::UnitWeightUnitLabels, false},
    {&M::ToeEarthSaturatedDensity, Pos, ToeEarthPage, 21, &M::UnitWeightUnitLabels, false},
    {&M::ToeEarthFrictionAngle, Phi, ToeEarthPage, 22, &M::AngleUnitLabels, false},
    {&M::ToeEarthCohesion, Non, ToeEarthPage, 23, &M::StressUnitLabels, true},
    {&M::BaseSptBlowCount, Any, BasePage, -1, nullptr, false},
    {&M::BaseCptTipResistance, Any, BasePage, 24, &M::StressUnitLabels, false},
    {&M::BaseUnitWeight, Any, BasePage, 25, &M::UnitWeightUnitLabels, false},
}};

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

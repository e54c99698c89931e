#include "forms/RestraintsForm.h"

#include "forms/DialogEntries.h"
#include "model/Units.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

const std::array<float Model::*, 3> BoxVariables = {
    RestraintValues[0].Variable, RestraintValues[1].Variable, RestraintValues[2].Variable};
constexpr std::array<int16_t ModelInputs::*, 3> CheckVariables = {
    &ModelInputs::PassiveToePressureIncluded, &ModelInputs::AdjacentStructureIncluded, &ModelInputs::ShearKeyIncluded};
constexpr std::array<Quantity, 3> BoxQuantities = {Quantity::ForcePerLength, Quantity::Length, Quantity::Length};

}  // namespace

RestraintEntries RestraintEntriesFromModel(const Model& m) {
    RestraintEntries e;
    for (size_t i = 0; i < BoxVariables.size(); ++i) e.Values[i] = EntryText(m.*BoxVariables[i], BoxQuantities[i], m.CurrentUnitSystem);
    for (size_t i = 0; i < CheckVariables.size(); ++i) e.Checks[i] = m.*CheckVariables[i] != 0 ? 1 : 0;
    return e;
}

std::array<std::string, 3> RestraintUnitLabels(const Model& m) {
    const auto unit = [&m](const UnitLabelTable& table) {
        return table[static_cast<std::size_t>(UnitSystemIndex(m))];
    };
    const std::string length = unit(m.LengthUnitLabels);
    return {unit(m.ForceUnitLabels) + "/" + length, length, length};
}

std::string RestraintEntryRefusal(int index, const std::string& text) {
    const RuledValue& box = RestraintValues[static_cast<std::size_t>(CheckedIndex(index, 0, 2))];
    return EntryRefusal(box.Rule, text, box.Name);
}

bool RestraintBoxEnabled(const RestraintEntries& entries, int index) {
    switch (index) {
    case AdjacentCapacityBox:
    case AdjacentPositionBox: return entries.Checks[AdjacentStructureCheck] != 0;
    case ShearKeyDepthBox: return entries.Checks[ShearKeyCheck] != 0;
    }
    return false;
}

void StoreRestraints(Model& m, const RestraintEntries& entries) {
    std::array<float, 3> values{};
    for (size_t i = 0; i < values.size(); ++i) values[i] = EntryValue(entries.Values[i], m.*BoxVariables[i], BoxQuantities[i], m.CurrentUnitSystem);

    bool changed = false;
    for (size_t i = 0; i < values.size(); ++i) changed = changed || values[i] != m.*BoxVariables[i];
    for (size_t i = 0; i < CheckVariables.size(); ++i) changed = changed || entries.Checks[i] != m.*CheckVariables[i];
    if (changed) m.ProjectModified = True;

    for (size_t i = 0; i < values.size(); ++i) m.*BoxVariables[i] = values[i];
    for (size_t i = 0; i < CheckVariables.size(); ++i) m.*CheckVariables[i] = static_cast<int16_t>(entries.Checks[i] != 0 ? 1 : 0);
}

}  // namespace brindlemar

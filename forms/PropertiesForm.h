#pragma once
// The material-properties dialog apart from its window: which model value
// each of its 27 boxes shows, on which page, with which unit and rule; the
// option groups; and Accept's compare and store.

#include <array>
#include <string>

#include "forms/DialogEntries.h"
#include "model/Model.h"

namespace brindlemar {

inline constexpr int PropertyBoxCount = 27;
inline constexpr int PropertyUnitLabelCount = 26;

// The dialog's pages, in tab order.
enum PropertiesPage : int {
    BackfillEarthPage = 0, BasePage = 1, ToeEarthPage = 2, WaterPage = 3, FrictionAnglesPage = 4,
    WallPage = 5, ReinforcementPage = 6,
};
inline constexpr int PropertiesPageCount = 7;

// Boxes with a role of their own in the dialog.
enum PropertyBoxIndex : int {
    NominalBearingBox = 15, SptBlowCountBox = 24, CptTipResistanceBox = 25, BaseUnitWeightPropertyBox = 26,
};

struct PropertyBox {
    float Model::*Variable;
    EntryRule Rule;
    int Page;
    int UnitLabel;                          // its lblUnit, -1 for none
    UnitLabelTable ModelInputs::*Units;     // the unit table, nullptr for an empty unit
    bool Hidden;                            // a row the dialog never shows
};

// Box `index` (error 9 outside 0 to 26).
const PropertyBox& PropertyBoxAt(int index);

// The captions of lblUnit(0) to lblUnit(25) in the current unit system.
std::array<std::string, PropertyUnitLabelCount> PropertyUnitLabels(const Model& m);

// Why value box `index`, named `name`, refuses `text`; empty when it takes it.
std::string PropertyEntryRefusal(int index, const std::string& text, const std::string& name);

// What the dialog shows: the boxes' texts and the selected option of each group.
struct PropertyEntries {
    std::array<std::string, PropertyBoxCount> Values;
    int EarthPressure = Active;          // Option1
    int BaseMaterial = Rock;             // Option2
    int BearingMethod = NominalBearing;  // Option3; -1 when none is selected
};

// The entries the dialog opens with. On rock only the nominal value can be
// given, and a method outside the four shows as the nominal value too.
PropertyEntries PropertyEntriesFromModel(const Model& m);

// Accept: when any box reads back to another Single than the one stored, or
// an option group differs, the project is marked modified; then every value
// is stored, changed or not. A text with no number stores 0. A number beyond
// a Single raises error 6 before anything is stored.
void StoreProperties(Model& m, const PropertyEntries& entries);

}  // namespace brindlemar

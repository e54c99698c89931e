#pragma once
// The rules the windows keep on the values they take: the number each
// dimension label and value box demands, and the sums the re-balancing of
// the dimensions keeps. The editors refuse what breaks a rule, and a project
// or defaults file is refused at open when neither the windows nor an earlier
// version could have written it, so that every way into a wall brings only a
// wall the windows could have made or one that a user's old file holds.

#include <array>
#include <string>
#include <vector>

#include "model/Model.h"

namespace brindlemar {

// What a box demands of its number. A friction angle lies from 0 to below
// 90 degrees: at 90 the tangent has no end, beyond it friction would push.
enum class EntryRule { Positive, NotNegative, AnyNumber, FrictionAngle };

// What `rule` asks for, "a number of 0 or more"; empty for any number.
std::string RuleDemand(EntryRule rule);
// Whether a stored `value` keeps `rule`.
bool KeepsRule(EntryRule rule, float value);

// A stored value, the rule of the label or box that takes it, and its name.
struct RuledValue {
    float Model::*Variable;
    EntryRule Rule;
    const char* Name;
};

// What each editor takes, by the index of its label or box: the dimension
// labels, the properties dialog's boxes, the restraints dialog's (load,
// key depth, position), the loads dialog's number boxes (surcharge,
// acceleration, the three coefficients, minimum fluid density, nominal
// bearing resistance, base friction angle, base cohesion, SPT N, CPT qc, base
// unit weight, adjacent capacity, key depth, adjacent position) and the
// reinforcement dialog's (its six materials, then the upper-stem length).
extern const std::array<RuledValue, 20> DimensionValues;
extern const std::array<RuledValue, 27> PropertyValues;
extern const std::array<RuledValue, 3> RestraintValues;
extern const std::array<RuledValue, 15> LoadOptionValues;
extern const std::array<RuledValue, 7> ReinforcementValues;
// All of them, the dimension labels first in their order, and the entered
// water depths, which the labels of the depths store too.
std::vector<RuledValue> EveryRuledValue();

// The smallest front stem height, back stem height and wall height the
// dimension labels store, in the unit of the wall.
inline constexpr double MinimumStemHeight = 0.5;

// Why the bearing method chosen (a BearingMethod) cannot work with the base
// unit weight; empty when it can. The theoretical bearing capacity bears on
// the soil's weight: without one (and without cohesion) it is 0, a
// resistance no wall passes, so the dialogs where the method is chosen ask
// for the weight.
std::string BearingWeightRefusal(int bearingMethod, float baseUnitWeight);

// Why neither a window nor an earlier version could have made the wall `m`
// holds, in one line: the first value that no editor taking it would take,
// nor the rounding of earlier versions' change of units leave, or the first
// sum the dimension editor keeps that does not hold within that rounding;
// empty when one could. What earlier versions' dialogs took and the windows
// now refuse for a new entry (a theoretical bearing capacity without the
// base's weight, a nominal bearing resistance of 0) opens, and the window
// says why when the user next edits it. A water level below the base, an
// upper stem longer than the stem and a toe or heel rounded to no thickness
// are no fault: the wall may have been lowered since, with the water switched
// off, the analysis and design stop each at the base or at the stem's foot,
// and the next edit of a dimension takes the toe's or heel's length away.
std::string WallInputRefusal(const Model& m);

}  // namespace brindlemar

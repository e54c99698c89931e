#pragma once
// The sliding-restraints dialog apart from its window: which model value each
// box and check box shows, which texts the boxes accept, the enabling of the
// boxes, and Accept's compare and store.

#include <array>
#include <string>

#include "model/Model.h"

namespace brindlemar {

// The three value boxes and the three check boxes with a model value.
enum RestraintBoxIndex : int { AdjacentCapacityBox = 0, ShearKeyDepthBox = 1, AdjacentPositionBox = 2 };
enum RestraintCheckIndex : int { PassiveToeCheck = 0, AdjacentStructureCheck = 1, ShearKeyCheck = 2 };

struct RestraintEntries {
    std::array<std::string, 3> Values;  // by RestraintBoxIndex
    std::array<int, 3> Checks{};        // by RestraintCheckIndex, 0 or 1
};

RestraintEntries RestraintEntriesFromModel(const Model& m);

// The caption of lblUnit(0) to lblUnit(2): force per length, then length twice.
std::array<std::string, 3> RestraintUnitLabels(const Model& m);

// Every box takes a number of 0 or more: why box `index` refuses `text`,
// empty when it takes it.
std::string RestraintEntryRefusal(int index, const std::string& text);

// Whether box `index` can be edited: the load and position with an adjacent
// structure, the depth with a shear key.
bool RestraintBoxEnabled(const RestraintEntries& entries, int index);

// Accept: when a box reads back to another Single than the one stored, or a
// check box differs, the project is marked modified; then every value is
// stored, disabled boxes too. A number beyond a Single raises error 6 before
// anything is stored.
void StoreRestraints(Model& m, const RestraintEntries& entries);

}  // namespace brindlemar

#pragma once
// The texts of the stability results table: one column per load combination
// of the active set, rows for the resultant, the eccentricity, the bearing
// pressure, sliding and rotation, and which cells flag a failed check. The
// results window shows them and the report's stability block prints them.
// Texts are Windows-1252 ("½" is one byte); the window converts them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "design/TableCell.h"
#include "model/Model.h"

namespace brindlemar {

inline constexpr int StabilityTableRows = 30;

// The thin rows that separate the groups of the table.
inline constexpr std::array<int, 6> StabilitySeparatorRows{1, 3, 12, 19, 24, 29};

// The non-zero load factors of a combination, each followed by its code in
// the set: {"1.2DL", "1.6EH"}. Resistance factors never appear.
std::vector<std::string> LoadFactorTerms(const Model& m, int setIndex, int combinationIndex);

// Header of a combination's column: its name, then its non-zero load factors
// with their codes joined by "+", four terms to a line (lines end in a line
// feed followed by a carriage return).
std::string CombinationFormula(const Model& m, int setIndex, int combinationIndex);

// Column 0: the heading cell (0, 0) and the captions of rows 1 to 29, with
// the unit labels of the project's unit system.
std::array<TableCell, StabilityTableRows> StabilityCaptions(const Model& m);

// Column of combination i (1-based, element i of the stability results) of
// the active set; row 0 holds the combination's header.
std::array<TableCell, StabilityTableRows> StabilityColumn(const Model& m, int i);

// What a combination without a result shows where its verdict would stand:
// no result is a verdict neither way.
inline constexpr const char* NoResultText = "No result";

// Why combination i (1-based) of the active set has no result; empty when it has one.
const std::string& NoResultReason(const Model& m, int i);

// What follows a combination's name where it has no values: " (no result)"
// when its analysis computed none, " (not stable)" when the wall does not
// stand under it, else nothing.
std::string NoValuesMark(const Model& m, int i);

// The note under the table: "Per 1 m of wall length.", then, on a line of
// its own, why each combination without a result has none (each reason once).
std::string StabilityNote(const Model& m);

// The factored bearing resistance that combination i's resistance/load ratio
// was formed from, in the pressure unit: the resistance the analysis found
// by the project's bearing method, capped by the concrete's strength, times
// the BE factor. Empty when the combination was never analysed.
std::optional<double> FactoredBearingResistance(const Model& m, int i);

}  // namespace brindlemar

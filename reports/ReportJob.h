#pragma once
// The report job: counts the half-page blocks of the chosen sections and
// prints them two to a sheet, each sheet with its footer.

#include <cstdint>
#include <functional>
#include <string>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The switch of a report section (ReportSection 0 to 6).
int16_t& SectionSwitch(Model& m, int section);
int16_t SectionSwitch(const Model& m, int section);

// Combinations in the active set.
int ActiveCombinationCount(const Model& m);

// Pages of force tables per table kind of the reinforcement section for n
// combinations: the smallest whole number not below (n + 2) / 15.
int ReinforcementTablePages(int n);

// True when the reinforcement section prints its three design blocks: the
// first combination of the active set has CT and CC factors above 0 and
// every combination was stable in the last design-force run.
bool DesignBlocksApply(const Model& m);

// Half-page blocks of the sections whose switch is 1.
int CountReportBlocks(const Model& m);

// Sheets of the report: two blocks to a sheet.
int16_t ReportPageCount(const Model& m);

// Prints every chosen section on the surface and ends the document. `progress`
// receives the caption of each step ("Printing loads"...). CurrentCombination
// is as the job found it afterwards; an error ends the document and goes to
// the caller.
void PrintReport(Model& m, Surface& s, const std::function<void(const std::string&)>& progress);

}  // namespace brindlemar

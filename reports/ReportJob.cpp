#include "reports/ReportJob.h"

#include "design/ReinforcementSheets.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

int16_t* Switches(Model& m, int section) {
    int16_t* const switches[] = {&m.PrintDimensions,  &m.PrintLoads,
                                 &m.PrintProperties,  &m.PrintStability,
                                 &m.PrintReactions,   &m.PrintReinforcementDesign,
                                 &m.PrintDiagrams};
    return switches[CheckedIndex(section, 0, 6)];
}

}  // namespace

int ActiveCombinationCount(const Model& m) { return At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount; }

int16_t& SectionSwitch(Model& m, int section) { return *Switches(m, section); }
int16_t SectionSwitch(const Model& m, int section) { return *Switches(const_cast<Model&>(m), section); }

int ReinforcementTablePages(int n) {
    // one page of each table holds 15 rows, two of them taken by headings
    return (n + 2 + 14) / 15;
}

bool DesignBlocksApply(const Model& m) {
    return StrengthFactorsGiven(m) && m.AllCombinationsStable != 0;
}

int CountReportBlocks(const Model& m) {
    const int n = ActiveCombinationCount(m);
    const auto on = [&](int section) { return SectionSwitch(m, section) == 1; };
    int blocks = 0;
    if (on(SectionDimensions)) blocks += 1;
    if (on(SectionLoads)) blocks += n;
    if (on(SectionProperties)) blocks += 1;
    if (on(SectionStability)) blocks += (n + 2) / 3;
    if (on(SectionReactions)) blocks += n;
    if (on(SectionReinforcementDesign)) blocks += 2 * ReinforcementTablePages(n) + (DesignBlocksApply(m) ? 3 : 0);
    if (on(SectionDiagrams)) blocks += 3 * n;
    return blocks;
}

int16_t ReportPageCount(const Model& m) { return ToInteger((CountReportBlocks(m) + 1) / 2); }

}  // namespace brindlemar

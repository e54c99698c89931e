// The "Reinforcement design" section of the report: block k is a page of
// the moment table (1 to p), a page of the shear table (p + 1 to 2p), one
// of the two flexure design blocks (2p + 1, 2p + 2) or the shear design
// block (2p + 3), p being the pages of each force table.

#include "reports/ReportBlocks.h"

#include "reports/FlexureListing.h"
#include "reports/MomentTable.h"
#include "reports/ReportJob.h"
#include "reports/ReportPage.h"
#include "reports/ShearListing.h"
#include "reports/ShearTable.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

void PrintReinforcementBlock(const Model& m, Surface& s, int k) {
    PrintBlockFrame(m, s);
    PrintBlockTitle(m, s, "Reinforcements");

    const int n = At(m.CombinationSets, m.ActiveCombinationSet).CombinationCount;
    const int p = ReinforcementTablePages(n);
    if (k >= 1 && k <= p) {
        PrintMomentTable(m, s, k);
    } else if (k >= p + 1 && k <= 2 * p) {
        PrintShearTable(m, s, k - p);
    } else if (k >= 2 * p + 1 && k <= 2 * p + 2) {
        PrintFlexureDesignBlock(m, s, k - 2 * p);
    } else if (k == 2 * p + 3) {
        PrintShearDesignBlock(m, s);
    }
    // any other number leaves the block framed and titled, with nothing in it
}

}  // namespace brindlemar

#pragma once
// Model members: the printed report's section switches and the print
// dialog's outcome. The page settings the files keep (margins, footers,
// report font) are with the inputs; the state of the page being printed
// belongs to the surface it is printed on (PageState).

#include <cstdint>

namespace brindlemar {

// The report's sections, in the order of the print dialog's check boxes.
enum ReportSection : int {
    SectionDimensions = 0,
    SectionLoads = 1,
    SectionProperties = 2,
    SectionStability = 3,
    SectionReactions = 4,
    SectionReinforcementDesign = 5,
    SectionDiagrams = 6,
};

struct ModelReport {
    // section switches: 0 or 1, the values of the print dialog's check boxes;
    // kept for the whole session, never stored in a file
    int16_t PrintDimensions = 0, PrintLoads = 0, PrintProperties = 0, PrintStability = 0,
            PrintReactions = 0, PrintReinforcementDesign = 0, PrintDiagrams = 0;
    // True when the print dialog was left with its Print button
    int16_t PrintConfirmed = 0;
    // the installed printer chosen when the print dialog last loaded
    int16_t SelectedPrinterIndex = 0;
};

}  // namespace brindlemar

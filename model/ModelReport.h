#pragma once
// Model members: the printed report's page state, its section switches and
// the print dialog's outcome. The page settings the files keep (margins,
// footers, report font) are with the inputs.

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
    // Fit of the 165 x 257 mm layout into the printable area; every printed
    // distance, font size and pen width is multiplied by it.
    float PrintScale = 1;
    // Sheet measures in twips, 32-bit so that large sheets do not overflow.
    int32_t PrintableWidth = 0, PrintableHeight = 0;
    int32_t HalfPageHeight = 0, PageBandHeight = 0, TitleBandHeight = 0;
    // -1 before the first block of a job, then 0 top half, 1 bottom half
    int16_t CurrentHalfPage = -1;
    // font size of the texts inside a block, points
    float BlockFontSize = 6;
    int16_t PageNumber = 1, PageCount = 0;

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

#pragma once
// What a drawing needs while it draws: the frame, the pens, the fit of the
// wall into the frame. It belongs to the surface being drawn on, never to
// the wall: the views read the wall and write only here.

#include <array>
#include <cstdint>

namespace brindlemar {

// Pen widths in device pixels and sizes in drawing units. The values here
// are the screen's; a printed page sets its own on the printer's surface.
struct DrawingPens {
    int16_t OutlinePenWidth = 2, DetailPenWidth = 1, LoadArrowPenWidth = 2, LoadOutlinePenWidth = 1,
            ResistanceArrowPenWidth = 2, ResistanceDiagramPenWidth = 1, ResultantArrowPenWidth = 2,
            FactorTablePenWidth = 1;
    std::array<int16_t, 2> DiagramPenWidths{2, 1};
    int16_t ArrowHeadSize = 60, ForceArrowLength = 480, DiagramHatchPitch = 30;
};

// The printed page a report block is drawn on, set up by the report job.
struct PageState {
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
};

struct DrawingState : DrawingPens, PageState {
    // The frame a view is drawn into, in the surface's twips; set by the
    // caller before it draws (the screen redraw or the report block). 32-bit,
    // since a picture wider than about 2200 pixels passes 32767 twips.
    int32_t FrameLeft = 0, FrameTop = 0, FrameWidth = 0, FrameHeight = 0;
    // The number of the last thing drawn that a value labels (see Surface::Owner).
    int32_t LastOwner = 0;

    // Results of fitting the wall into the frame.
    int32_t DrawingMarginX = 0, DrawingMarginY = 0;
    float DrawingScale = 0;            // drawing units per model length unit
    float DrawingOffsetX = 0, DrawingOffsetY = 0;
    std::array<float, 51> DrawingXCoordinates{}, DrawingYCoordinates{};

    // Drawing units per pressure unit of the load, reaction and resistance arrows.
    float LoadArrowScale = 10000;
};

}  // namespace brindlemar

#pragma once
// Model members: the drawing frame, scale and view state.

#include <array>
#include <cstdint>

namespace brindlemar {

// Pen widths in device pixels and sizes in drawing units, per surface. The
// values written here are the screen's: a model starts with them, and the
// screen puts them back (`DrawingPens{}`) after a printed page set its own.
struct DrawingPens {
    int16_t OutlinePenWidth = 2, DetailPenWidth = 1, LoadArrowPenWidth = 2, LoadOutlinePenWidth = 1,
            ResistanceArrowPenWidth = 2, ResistanceDiagramPenWidth = 1, ResultantArrowPenWidth = 2,
            FactorTablePenWidth = 1;
    std::array<int16_t, 2> DiagramPenWidths{2, 1};
    int16_t ArrowHeadSize = 60, ForceArrowLength = 480, DiagramHatchPitch = 30;
};

struct ModelDrawing : DrawingPens {
    // The frame a view is drawn into, in the surface's twips; set by the
    // caller before it draws (the screen redraw or the report block). 32-bit,
    // since a picture wider than about 2200 pixels passes 32767 twips.
    int32_t FrameLeft = 0, FrameTop = 0, FrameWidth = 0, FrameHeight = 0;

    // Results of fitting the wall into the frame.
    int32_t DrawingMarginX = 0, DrawingMarginY = 0;
    float DrawingScale = 0;            // drawing units per model length unit
    float DrawingOffsetX = 0, DrawingOffsetY = 0;
    std::array<float, 51> DrawingXCoordinates{}, DrawingYCoordinates{};

    // Drawing units per pressure unit of the load, reaction and resistance arrows.
    float LoadArrowScale = 10000;
};

}  // namespace brindlemar

#pragma once
// Measures and small drawing helpers shared by the blocks of the
// reinforcement pages: the block's place on the sheet, the text row pitch,
// the table rules and the unit texts.

#include <cstdint>
#include <string>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The drawing frame of the block being printed, in twips, and the report
// scale that every printed distance and font size is multiplied by.
struct ReinforcementBlock {
    double Top = 0;     // top edge of the block's frame (below its title band)
    double Width = 0;   // frame width; x is measured from the frame's left edge
    double Scale = 1;

    // The block the page framework framed last.
    static ReinforcementBlock Current(const Surface& s) { return {double(s.Drawing().FrameTop), double(s.Drawing().FrameWidth), s.Drawing().PrintScale}; }

    double RowPitch() const { return 240 * Scale; }
    double FontSize() const { return 7 * Scale; }
    double LabelX() const { return 120 * Scale; }
    double At(double fraction) const { return fraction * Width; }
};

inline constexpr int32_t RuleBlack = 0;

// The thin pen of every table rule: 0.1 of the scale rounded half to even,
// where 0 draws one device pixel.
int TableRulePenWidth(const ReinforcementBlock& b);

// A rule across the block at y, 9 × scale inside either frame edge.
void TableRuleAcross(Surface& s, const ReinforcementBlock& b, double y, int32_t colour);

// A vertical rule at the width fraction x from y1 down to y2.
void TableRuleDown(Surface& s, const ReinforcementBlock& b, double x, double y1, double y2);

}  // namespace brindlemar

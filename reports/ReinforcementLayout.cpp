#include "reports/ReinforcementLayout.h"

#include "drawing/Primitives.h"
#include "runtime/Format.h"

namespace brindlemar {

int TableRulePenWidth(const ReinforcementBlock& b) { return CInt(0.1 * b.Scale); }

void TableRuleAcross(Surface& s, const ReinforcementBlock& b, double y, int32_t colour) {
    DrawLineSolid(s, 9 * b.Scale, y, b.Width - 9 * b.Scale, y, colour, TableRulePenWidth(b));
}

void TableRuleDown(Surface& s, const ReinforcementBlock& b, double x, double y1, double y2) {
    DrawLineSolid(s, b.At(x), y1, b.At(x), y2, RuleBlack, TableRulePenWidth(b));
}

}  // namespace brindlemar

#pragma once
// The load and resistance factors of the current combination as two small
// ruled tables at the top of the frame, under the names of the set and the
// combination.

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The text of one factor in the table: two decimals, its sign kept when it
// is negative, "--" for 0.
std::string FactorTableText(double factor);

void DrawFactorTable(const Model& m, Surface& s);

// How far below the frame's top the table and a small gap under it reach,
// in the surface's current font.
double FactorTableHeight(Surface& s);

// While it lives the frame is the part below the factor table, so that a
// view fitted and drawn meanwhile keeps its wall, loads and values off the
// table; the whole frame comes back for the table itself.
class FrameBelowFactorTable {
public:
    explicit FrameBelowFactorTable(Surface& s);
    ~FrameBelowFactorTable();
    FrameBelowFactorTable(const FrameBelowFactorTable&) = delete;
    FrameBelowFactorTable& operator=(const FrameBelowFactorTable&) = delete;

private:
    Surface& s_;
    int32_t top_, height_;
};

}  // namespace brindlemar

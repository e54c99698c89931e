#pragma once
// The cut positions along stem, toe and heel at which section forces are
// taken: the member ends and every point where the loading along the member
// changes.

#include <cstdint>
#include <span>

#include "model/Model.h"

namespace brindlemar {

// Sorts entries 0 to n - 1 of `values` in place (bubble sort that stops after
// a pass without a swap; equal entries never trade places). Error 9 when n
// exceeds the values given.
void SortSingles(int16_t n, std::span<float> values, bool descending);

// Rebuilds StemStations, ToeStations and HeelStations with their counts for
// the combination analysed last (the toe and heel lists read its base
// contact and WallStable).
void BuildSectionStations(Model& m);

}  // namespace brindlemar

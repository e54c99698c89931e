#include "drawing/LabelLayerGrid.h"

#include <algorithm>
#include <cmath>

namespace brindlemar {

LabelGrid::LabelGrid(const TextBox& area) : area_(area) {
    // about fifty cells across the area's longer side: a text meets a few
    constexpr int kCellsAcross = 48;
    cell_ = std::max({area.Width, area.Height, 1.0}) / kCellsAcross;
    columns_ = std::clamp(static_cast<int>(std::ceil(area.Width / cell_)), 1, kCellsAcross);
    rows_ = std::clamp(static_cast<int>(std::ceil(area.Height / cell_)), 1, kCellsAcross);
    cells_.resize(static_cast<std::size_t>(columns_ * rows_));
}

void LabelGrid::Truncate(std::size_t count) {
    if (seen_.size() > count) seen_.resize(count);
    for (auto& cell : cells_)
        cell.erase(std::remove_if(cell.begin(), cell.end(), [&](std::size_t i) { return i >= count; }), cell.end());
}

void LabelGrid::Clear() {
    seen_.clear();
    for (auto& cell : cells_) cell.clear();
}

}  // namespace brindlemar

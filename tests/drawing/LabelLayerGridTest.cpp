// The grid a label layer files its lines and texts under: a query along a
// segment meets whatever lies within its reach of it, in whichever cell,
// and passes by the cells the segment keeps well away from.

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "drawing/LabelLayerGrid.h"

namespace brindlemar {
namespace {

// An area 4800 by 2400: cells of 100 twips, 48 across and 24 down.
const TextBox kArea{0, 0, 4800, 2400};

TEST(LabelGridTest, ASegmentMeetsWhatLiesWithinItsReach) {
    struct Case {
        const char* what;
        double x1, y1, x2, y2, by;
        TextBox thing;
        bool met;
    };
    const Case cases[] = {
        // half a twip past the reach below a line along y = 269.5 (row 2), the thing in row 3
        {"below a level line, the next row", 0, 269.5, 4800, 269.5, 30, {2000, 300, 20, 20}, true},
        // 24 right of a line near x = 1081 (column 10), the thing in column 11
        {"beside a steep line, the next column", 1080, 0, 1082, 2400, 30, {1105, 1200, 10, 10}, true},
        // 10 past its end, beyond the area's right edge
        {"beyond the area, past its end", 4700, 110, 4840, 110, 30, {4850, 100, 20, 20}, true},
        // on a line far above the area, halfway along it: filed in the row at the area's top
        {"beyond the area, along it", 1000, -1000, 3000, -900, 30, {2000, -955, 20, 20}, true},
        // half a twip past the end of a line in line with it, across a cell's edge
        {"in line, half a twip on", 150, 1000, 399.8, 1000, 1, {400.3, 1000, 100, 0}, true},
        // within the segment's bounds, 1000 from it
        {"far from a slanting line", 0, 0, 4800, 2400, 30, {2400, 2200, 20, 20}, false},
    };
    for (const Case& c : cases) {
        LabelGrid grid(kArea);
        grid.Add(0, c.thing);
        std::set<std::size_t> met;
        grid.AnyAlong(c.x1, c.y1, c.x2, c.y2, c.by, [&](std::size_t i) { return met.insert(i), false; });
        EXPECT_EQ(met.count(0) == 1, c.met) << c.what;
    }
}

TEST(LabelGridTest, ABoxMeetsWhatLiesWithinATwipAndNothingForgotten) {
    LabelGrid grid(kArea);
    grid.Add(0, {1000, 1500, 50, 50});
    grid.Add(1, {1040, 1000, 59.5, 50});  // half a twip short of the box asked for, in the column before
    grid.Add(2, {-500, 100, 20, 20});     // beyond the area's left edge, filed at it
    // from within the area to beyond its corner, passing none of its cells: filed at the edge all the same
    grid.Add(3, {4500, 2000, 1000, 1000}, [](const TextBox&) { return false; });
    auto meets = [&](const TextBox& box) {
        std::set<std::size_t> met;
        grid.Any(box, [&](std::size_t i) { return met.insert(i), false; });
        return met;
    };
    EXPECT_EQ(meets({1100, 1000, 40, 40}), (std::set<std::size_t>{1}));
    EXPECT_EQ(meets({-600, 90, 200, 40}), (std::set<std::size_t>{2}));
    EXPECT_EQ(meets({5200, 2700, 10, 10}), (std::set<std::size_t>{3}));
    grid.Truncate(1);
    EXPECT_TRUE(meets({1100, 1000, 40, 40}).empty());
    EXPECT_EQ(meets({1000, 1500, 10, 10}), (std::set<std::size_t>{0}));
}

// Spots 200 by 40, a column 100 across and a step 50 down: grown by the gap
// of 10, spot (i, j) spans x 100i - 10 to 100i + 210 and y 50j - 10 to 50j + 50.
TEST(SpotsKeptOffTest, ATextKeepsOffTheSpotsWhoseGrownBoxOverlapsIt) {
    const std::vector<TextBox> texts{
        {500, 100, 100, 30},    // x 500 to 600: columns 3 to 6; y 100 to 130: step 2 alone
        {-150, 3000, 20, 80},   // x -150 to -130: column -2 (-3 lies beyond); y 3000 to 3080: steps 60 and 61
        {5000, 100, 100, 30}};  // beyond every spot
    const SpotsKeptOff off(texts, 10, [](int i, int j) { return TextBox{100.0 * i, 50.0 * j, 200, 40}; }, -2, 10, -3, 70);
    const struct {
        const char* what;
        int i, j;
        bool off;
    } cases[] = {
        {"overlapping", 4, 2, true},
        {"at the first column", 3, 2, true},
        {"at the last column", 6, 2, true},
        {"a column short, 90 left of it", 2, 2, false},
        {"a column past, 90 right of it", 7, 2, false},
        {"touching its top edge", 3, 1, false},
        {"touching its bottom edge, a step past", 3, 3, false},
        {"the last step of a column's first word", -2, 60, true},
        {"the first step of its next", -2, 61, true},
        {"a step above those", -2, 59, false},
        {"a step below those", -2, 62, false},
        {"a column beside those", -1, 60, false},
        {"far from every text", 10, 70, false},
    };
    for (const auto& c : cases) EXPECT_EQ(off.Off(c.i, c.j), c.off) << c.what;
}

}  // namespace
}  // namespace brindlemar

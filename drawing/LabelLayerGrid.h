#pragma once
// Where the lines and texts of a label layer lie: each filed under the
// cells of a grid over the layer's area that it meets, so that a spot is
// tried against the things near it alone. A thing beyond the area counts
// in the cells of its edge.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "drawing/TextPlacement.h"

namespace brindlemar {

class LabelGrid {
public:
    explicit LabelGrid(const TextBox& area);

    // Files thing `index` under the cells its bounds meet: where they meet
    // more than one row and one column of cells, those of them that `meets`
    // accepts (a slanting line passes only some) and every one at the
    // grid's edge, so that a thing beyond it is found there.
    template <typename Meets>
    void Add(std::size_t index, const TextBox& bounds, Meets meets);
    void Add(std::size_t index, const TextBox& bounds) {
        Add(index, bounds, [](const TextBox&) { return true; });
    }
    // Forgets every thing of index `count` or more.
    void Truncate(std::size_t count);
    void Clear();

    // Calls `f` with the index of each thing filed under a cell that the box
    // (grown by a twip) meets, once each, until it returns true; whether one
    // did. `f` asks the grid nothing itself: the query marks what it met.
    template <typename F>
    bool Any(const TextBox& box, F f) const;
    // The same for the cells that the segment from (x1, y1) to (x2, y2)
    // passes within `by` (and a twip) of: what lies that near it is filed
    // under one of them.
    template <typename F>
    bool AnyAlong(double x1, double y1, double x2, double y2, double by, F f) const;

private:
    // A new query: what it meets is marked anew. Inline: every spot tried asks two.
    void Begin() const {
        if (++query_ == 0) std::fill(seen_.begin(), seen_.end(), 0), query_ = 1;
    }
    // Calls `f` with each thing filed under row `r`, columns `c0` to `c1`, not met yet.
    template <typename F>
    bool Visit(int r, int c0, int c1, F& f) const;
    int Column(double x) const { return Cell((x - area_.Left) / cell_, columns_); }
    int Row(double y) const { return Cell((y - area_.Top) / cell_, rows_); }
    // The cell of the `n` a position `at` cells along lies in, the nearest
    // where beyond them. Asked of every spot tried: rounded down by a cast,
    // not a call of floor.
    static int Cell(double at, int n) {
        if (!(at > 0)) return 0;
        if (at >= n) return n - 1;
        return static_cast<int>(at);
    }

    TextBox area_;
    double cell_ = 1;
    int columns_ = 1, rows_ = 1;
    std::vector<std::vector<std::size_t>> cells_;
    mutable std::vector<unsigned> seen_;  // the last query that met each thing
    mutable unsigned query_ = 0;
};

template <typename Meets>
void LabelGrid::Add(std::size_t index, const TextBox& bounds, Meets meets) {
    if (seen_.size() <= index) seen_.resize(index + 1, 0);
    const int c0 = Column(bounds.Left), c1 = Column(bounds.Left + bounds.Width);
    const int r0 = Row(bounds.Top), r1 = Row(bounds.Top + bounds.Height);
    for (int r = r0; r <= r1; ++r)
        for (int c = c0; c <= c1; ++c) {
            const bool edge = c == 0 || r == 0 || c == columns_ - 1 || r == rows_ - 1;
            if (edge || c0 == c1 || r0 == r1 || meets(TextBox{area_.Left + c * cell_, area_.Top + r * cell_, cell_, cell_}))
                cells_[static_cast<std::size_t>(r * columns_ + c)].push_back(index);
        }
}

template <typename F>
bool LabelGrid::Visit(int r, int c0, int c1, F& f) const {
    for (int c = c0; c <= c1; ++c)
        for (const std::size_t i : cells_[static_cast<std::size_t>(r * columns_ + c)]) {
            if (seen_[i] == query_) continue;
            seen_[i] = query_;
            if (f(i)) return true;
        }
    return false;
}

template <typename F>
bool LabelGrid::Any(const TextBox& box, F f) const {
    Begin();
    const int c0 = Column(box.Left - 1), c1 = Column(box.Left + box.Width + 1);
    const int r0 = Row(box.Top - 1), r1 = Row(box.Top + box.Height + 1);
    for (int r = r0; r <= r1; ++r)
        if (Visit(r, c0, c1, f)) return true;
    return false;
}

template <typename F>
bool LabelGrid::AnyAlong(double x1, double y1, double x2, double y2, double by, F f) const {
    const double margin = by + 1;
    Begin();
    const double dy = y2 - y1;
    for (int r = Row(std::min(y1, y2) - margin), last = Row(std::max(y1, y2) + margin); r <= last; ++r) {
        // where the segment crosses the row, the margin above and below it
        // included; all of it in a row at the edge, where what lies beyond is filed
        double low = std::min(x1, x2), high = std::max(x1, x2);
        if (dy != 0 && r > 0 && r < rows_ - 1) {
            const double top = area_.Top + r * cell_ - margin;
            const double t0 = std::clamp((top - y1) / dy, 0.0, 1.0);
            const double t1 = std::clamp((top + cell_ + 2 * margin - y1) / dy, 0.0, 1.0);
            low = std::min(x1 + t0 * (x2 - x1), x1 + t1 * (x2 - x1));
            high = std::max(x1 + t0 * (x2 - x1), x1 + t1 * (x2 - x1));
        }
        if (Visit(r, Column(low - margin), Column(high + margin), f)) return true;
    }
    return false;
}

// Which spots of a grid, `left` to `right` columns across and `up` to
// `down` steps down, the texts given keep off: those whose box, grown by
// the gap, overlaps a text's (as LabelLayer::Free asks). A box overlaps a
// text where it does across and down alike, and the spots' boxes move
// across with the column and down with the step, so the spots a text keeps
// off are those of a span of columns and a span of steps: learnt for all
// the spots at once, each span's ends asked of the spots' boxes themselves.
class SpotsKeptOff {
public:
    // `spotAt(i, j)` is the box of the spot `i` columns across and `j` steps
    // down: the farther across or down, the farther right or lower.
    template <typename SpotAt>
    SpotsKeptOff(const std::vector<TextBox>& texts, double gap, SpotAt spotAt, int left, int right, int up, int down);
    bool Off(int i, int j) const {
        const auto row = static_cast<std::size_t>(j - up_);
        return (off_[static_cast<std::size_t>(i - left_) * words_ + row / 64] >> (row % 64)) & 1;
    }

private:
    // Keeps off the spots of column `i` from step `j0` to `j1`. Inline, as Off.
    void Set(int i, int j0, int j1) {
        std::uint64_t* column = &off_[static_cast<std::size_t>(i - left_) * words_];
        for (auto row = static_cast<std::size_t>(j0 - up_), end = static_cast<std::size_t>(j1 - up_) + 1; row < end;) {
            // the rows left in this word, all at once
            const std::size_t bit = row % 64, n = std::min<std::size_t>(64 - bit, end - row);
            column[row / 64] |= (n == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << n) - 1)) << bit;
            row += n;
        }
    }
    int left_, up_;
    std::size_t words_;  // to a column
    std::vector<std::uint64_t> off_;
};

namespace label_grid {

// The least of `first` to `last` where `holds`, which holds from some one on,
// holds (last + 1 where none does): sought from `guess` on.
template <typename Holds>
int FirstHolding(int first, int last, int guess, Holds holds) {
    int i = std::clamp(guess, first, last + 1);
    while (i > first && holds(i - 1)) --i;
    while (i <= last && !holds(i)) ++i;
    return i;
}

// The greatest of `first` to `last` where `holds`, which holds up to some one
// on, holds (first - 1 where none does): sought from `guess` on.
template <typename Holds>
int LastHolding(int first, int last, int guess, Holds holds) {
    int i = std::clamp(guess, first - 1, last);
    while (i < last && holds(i + 1)) ++i;
    while (i >= first && !holds(i)) --i;
    return i;
}

// A guess of a step number, kept within reach of any grid's.
inline int Guess(double steps) { return static_cast<int>(std::floor(std::clamp(steps, -1E6, 1E6))); }

}  // namespace label_grid

template <typename SpotAt>
SpotsKeptOff::SpotsKeptOff(const std::vector<TextBox>& texts, double gap, SpotAt spotAt, int left, int right, int up,
                           int down)
    : left_(left), up_(up), words_((static_cast<std::size_t>(std::max(down - up, 0)) + 64) / 64),
      off_((static_cast<std::size_t>(std::max(right - left, 0)) + 1) * words_) {
    using namespace label_grid;
    // the boxes the texts must keep off
    auto apart = [&](int i, int j) { return Grown(spotAt(i, j), gap); };
    const TextBox first = apart(left, up), last = apart(right, down);
    // every spot's grown box lies within these bounds, and a twip
    const TextBox all{first.Left - 1, first.Top - 1, last.Left + last.Width - first.Left + 2,
                      last.Top + last.Height - first.Top + 2};
    const TextBox origin = apart(0, 0);
    const double stepX = apart(1, 0).Left - origin.Left, stepY = apart(0, 1).Top - origin.Top;
    for (const TextBox& t : texts) {
        if (!Overlap(all, t)) continue;
        // each side's comparison in Overlap(apart(i, j), t) holds on one side of some column or step
        const int i0 = FirstHolding(left, right, Guess((t.Left - origin.Left - origin.Width) / stepX), [&](int i) {
            const TextBox a = apart(i, 0);
            return t.Left < a.Left + a.Width;
        });
        const int i1 = LastHolding(left, right, Guess((t.Left + t.Width - origin.Left) / stepX),
                                   [&](int i) { return apart(i, 0).Left < t.Left + t.Width; });
        const int j0 = FirstHolding(up, down, Guess((t.Top - origin.Top - origin.Height) / stepY), [&](int j) {
            const TextBox a = apart(0, j);
            return t.Top < a.Top + a.Height;
        });
        const int j1 = LastHolding(up, down, Guess((t.Top + t.Height - origin.Top) / stepY),
                                   [&](int j) { return apart(0, j).Top < t.Top + t.Height; });
        if (j0 <= j1)
            for (int i = i0; i <= i1; ++i) Set(i, j0, j1);
    }
}

}  // namespace brindlemar

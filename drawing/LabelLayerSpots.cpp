// Whether a spot of the label layer stands, and reads as what it labels:
// free of the frame's edge, the texts placed and the lines; on its side of
// its member's axis; among no other thing's values; nearest its own thing.
#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "drawing/LabelLayerGrid.h"
#include "drawing/LabelLayerRules.h"

namespace brindlemar {

using namespace label_layer;

namespace {

// Whether the line enters the box: one whose bounds keep off it keeps off it.
// Inline wherever it is asked: every spot tried asks it of the lines near.
template <typename S>
[[gnu::always_inline]] inline bool LineOnBox(const S& l, const TextBox& box) {
    return std::max(l.x1, l.x2) >= box.Left && std::min(l.x1, l.x2) <= box.Left + box.Width &&
           std::max(l.y1, l.y2) >= box.Top && std::min(l.y1, l.y2) <= box.Top + box.Height &&
           SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, box);
}

}  // namespace

template <typename F>
bool LabelLayer::AnyLineNear(const TextBox& box, F crosses) const {
    return lineCells_.Any(box, [&](std::size_t i) { return crosses(lines_[i]); });
}

bool LabelLayer::Free(const TextBox& box, Blocker* last, bool texts) const {
    if (!Inside(box, area_)) return false;
    const TextBox apart = Grown(box, gap_), clear = Grown(box, lineGap_);
    auto onText = [&](std::size_t i) { return Overlap(apart, placed_[i]); };
    auto onLine = [&](std::size_t i) { return LineOnBox(lines_[i], clear); };
    // what kept the spot before free often keeps the next one, near it
    if (last && ((texts && last->text < placed_.size() && onText(last->text)) ||
                 (last->line < lines_.size() && onLine(last->line))))
        return false;
    Blocker found;
    const bool free = !(texts && textCells_.Any(apart, [&](std::size_t i) { return onText(i) && (found.text = i, true); })) &&
                      !lineCells_.Any(clear, [&](std::size_t i) { return onLine(i) && (found.line = i, true); }) &&
                      !NearLongWay(box);
    // the text and the line noted apart: a spot between the two is kept by either
    if (last && found.text != SIZE_MAX) last->text = found.text;
    if (last && found.line != SIZE_MAX) last->line = found.line;
    return free;
}

bool LabelLayer::ClearOfDrawn(const TextBox& box, Blocker* last) const {
    if (!Inside(box, area_)) return false;
    const TextBox clear = Grown(box, lineGap_);
    auto onLine = [&](std::size_t i) { return i < laying_->lines && LineOnBox(lines_[i], clear); };
    if (last && onLine(last->line)) return false;
    return !lineCells_.Any(clear, [&](std::size_t i) { return onLine(i) && (last && (last->line = i), true); });
}

bool LabelLayer::ClearOfLaid(const TextBox& box) const {
    // the leaders and the ways of long ones (NearLongWay) in one look: a
    // way is part of its leader, filed under the cells the leader meets
    const TextBox clear = Grown(box, lineGap_);
    return !leaderCells_.Any(Grown(box, std::max(lineGap_, widestWay_)), [&](std::size_t i) {
        const auto& [way, room] = ways_[i];
        return (i >= laying_->leaders && LineOnBox(leaders_[i], clear)) ||
               (room > 0 && SegmentBoxDistance(way.x1, way.y1, way.x2, way.y2, box) < room);
    });
}

bool LabelLayer::NearLongWay(const TextBox& box) const {
    return widestWay_ > 0 && leaderCells_.Any(Grown(box, widestWay_), [&](std::size_t i) {
        const auto& [way, clear] = ways_[i];
        return clear > 0 && SegmentBoxDistance(way.x1, way.y1, way.x2, way.y2, box) < clear;
    });
}

double LabelLayer::Cost(const TextBox& box, double bound) const {
    const TextBox clear = Grown(box, gap_);
    double c = Inside(box, area_) ? 0 : 1E6;
    textCells_.Any(clear, [&](std::size_t i) {
        if (Overlap(clear, placed_[i])) c += 1000;
        return false;
    });
    // counted only as far as the bound: a spot costing that much is no better
    if (c >= bound) return c;
    AnyLineNear(clear, [&](const Segment& l) {
        c += SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, clear) ? 1 : 0;
        return c >= bound;
    });
    return c;
}

LabelLayer::Reading LabelLayer::ReadingOf(const Label& label) const {
    Reading reading;
    if (label.Owner == 0 || !label.Of) return reading;
    // its own lines as far as it may stand from what it labels
    const TextBox reach = Grown(*label.Of, (kReach + kNear + 1) * label.Box.Height + label.Box.Width);
    for (const Segment& l : lines_) {
        if (l.owner != label.Owner || l.part == PartLeader) continue;
        if (l.part == PartAxis) reading.axis = l;
        if (SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, reach)) reading.own.push_back(l);
    }
    // the wall's outline, to tell whether what it labels lies within it
    int crossings = 0;
    const double ax = label.Of->Left + label.Of->Width / 2, ay = label.Of->Top + label.Of->Height / 2;
    for (const Segment& l : lines_) crossings += l.part == PartWall && RayCrosses(l.x1, l.y1, l.x2, l.y2, ax, ay);
    reading.inWall = crossings % 2 == 1;
    return reading;
}

std::vector<std::size_t> LabelLayer::OwnPlaced(const Label& label) const {
    std::vector<std::size_t> own;
    for (std::size_t i = 0; i < placed_.size(); ++i)
        if (placedFor_[i].first == label.Owner && placedFor_[i].second == label.Printed.Colour) own.push_back(i);
    return own;
}

bool LabelLayer::AmongOthers(const Label& label, const TextBox& box, const std::vector<std::size_t>& own) const {
    if (label.Owner == 0) return false;
    const double h = label.Box.Height, x = box.Left + box.Width / 2, y = box.Top + box.Height / 2;
    // at the end of the leader of another value of its thing, from the same point (the other of a jump), it reads as that one
    if (leaderCells_.Any(Grown(box, h / 2), [&](std::size_t i) {
            const Segment& l = leaders_[i];
            return l.owner == label.Owner && Distance(box, {l.x2, l.y2, 0, 0}) < h / 2 &&
                   label.Of && Distance(*label.Of, {l.x1, l.y1, 0, 0}) < h / 2;
        }))
        return true;
    std::vector<std::size_t>& near = near_;
    near.clear();
    textCells_.Any(Grown(box, 2 * h), [&](std::size_t i) {
        if (placedFor_[i].first != 0 && placedFor_[i].first != label.Owner && placedFor_[i].second == label.Printed.Colour &&
            Distance(placed_[i], box) <= 2 * h)
            near.push_back(i);
        return false;
    });
    // two of one other thing on either side of it
    for (const std::size_t a : near)
        for (const std::size_t b : near) {
            const TextBox &ta = placed_[a], &tb = placed_[b];
            if (a != b && placedFor_[a].first == placedFor_[b].first &&
                (ta.Left + ta.Width / 2 - x) * (tb.Left + tb.Width / 2 - x) + (ta.Top + ta.Height / 2 - y) * (tb.Top + tb.Height / 2 - y) < 0)
                return true;
        }
    // nor, across another thing's value from a value of its own, makes that one stand among its own
    auto middle = [](const TextBox& t) { return std::pair{t.Left + t.Width / 2, t.Top + t.Height / 2}; };
    return std::any_of(near.begin(), near.end(), [&](std::size_t a) {
        // plain variables: not every compiler lets a lambda use a structured binding
        const std::pair<double, double> o = middle(placed_[a]);
        const double ox = o.first, oy = o.second;
        return std::any_of(own.begin(), own.end(), [&](std::size_t b) {
            const auto [bx, by] = middle(placed_[b]);
            return Distance(placed_[b], placed_[a]) <= 2 * h && (bx - ox) * (x - ox) + (by - oy) * (y - oy) < 0;
        });
    });
}

bool LabelLayer::NearestIsOwn(const Label& label, const Reading& reading, const TextBox& box) const {
    if (label.Owner == 0 || !label.Of) return true;
    // the nearest line of another thing, no farther than what it labels,
    // then its own lines
    double own = Away(label, box), other = own;
    if (own <= 0) return true;
    AnyLineNear(Grown(box, own), [&](const Segment& l) {
        if (l.owner != 0 && l.owner != label.Owner && l.part != PartLeader)
            other = std::min(other, SegmentBoxDistance(l.x1, l.y1, l.x2, l.y2, box));
        return false;
    });
    if (other >= own) return true;
    for (const Segment& l : reading.own) {
        // a line whose bounds lie no nearer than the nearest so far is no nearer itself
        if (SquaredDistance(Bounds(l), box) < own * own) own = std::min(own, SegmentBoxDistance(l.x1, l.y1, l.x2, l.y2, box));
        if (other >= own) return true;
    }
    return false;
}

}  // namespace brindlemar

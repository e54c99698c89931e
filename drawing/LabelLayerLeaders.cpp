// The leaders of the label layer: the line from what a value labels to
// where it stands, what that line crosses, and the search, band by band
// outwards, for the nearest spot a leader reaches reading right.
#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>
#include <utility>

#include "drawing/LabelLayerGrid.h"
#include "drawing/LabelLayerRules.h"

namespace brindlemar {

using namespace label_layer;

bool SegmentsMeet(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
    struct S {
        double x1, y1, x2, y2;
    };
    return SegmentsCross(S{ax1, ay1, ax2, ay2}, S{bx1, by1, bx2, by2});
}

double SegmentsApart(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
    struct S {
        double x1, y1, x2, y2;
    };
    return SegmentDistance(S{ax1, ay1, ax2, ay2}, S{bx1, by1, bx2, by2});
}

double SideOfLine(double x1, double y1, double x2, double y2, double x, double y) {
    const double length = std::hypot(x2 - x1, y2 - y1);
    return length > 0 ? ((x2 - x1) * (y - y1) - (y2 - y1) * (x - x1)) / length : 0;
}

bool RayCrosses(double x1, double y1, double x2, double y2, double x, double y) {
    return (y1 > y) != (y2 > y) && x < x1 + (y - y1) * (x2 - x1) / (y2 - y1);
}

double SegmentBoxDistance(double x1, double y1, double x2, double y2, const TextBox& b) {
    if (SegmentCrossesBox(x1, y1, x2, y2, b)) return 0;
    // apart, the nearest points are an end of the segment or a corner of the box
    const double dx = x2 - x1, dy = y2 - y1, l2 = dx * dx + dy * dy;
    auto toSegment = [&](double px, double py) {
        const double t = l2 > 0 ? std::clamp(((px - x1) * dx + (py - y1) * dy) / l2, 0.0, 1.0) : 0;
        const double ex = px - (x1 + t * dx), ey = py - (y1 + t * dy);
        return ex * ex + ey * ey;
    };
    const double right = b.Left + b.Width, bottom = b.Top + b.Height;
    return std::sqrt(std::min({SquaredDistance(b, {x1, y1, 0, 0}), SquaredDistance(b, {x2, y2, 0, 0}),
                               toSegment(b.Left, b.Top), toSegment(right, b.Top), toSegment(b.Left, bottom),
                               toSegment(right, bottom)}));
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderLine(const Label& label, const TextBox& box) const {
    // between the nearest points of what is labelled and the text, a gap
    // short of the text: across where the two face each other, from the
    // middle of what they share
    auto ends = [](double ofLow, double ofHigh, double low, double high) {
        const double shared0 = std::max(ofLow, low), shared1 = std::min(ofHigh, high);
        if (shared0 <= shared1) return std::pair{(shared0 + shared1) / 2, (shared0 + shared1) / 2};
        return ofHigh < low ? std::pair{ofHigh, low} : std::pair{ofLow, high};
    };
    const TextBox& of = *label.Of;
    // plain variables, not bindings: the lambda below sets them
    double ax, ex, ay, ey;
    std::tie(ax, ex) = ends(of.Left, of.Left + of.Width, box.Left, box.Left + box.Width);
    std::tie(ay, ey) = ends(of.Top, of.Top + of.Height, box.Top, box.Top + box.Height);
    if (label.Along) {
        // from the point of the line nearest the text: an end of it against
        // the text's edge, or the foot of a corner of the text on it
        const Segment& l = *label.Along;
        auto clampTo = [](double v, double low, double high) { return std::clamp(v, low, high); };
        double best = 1E300;
        auto consider = [&](double px, double py, double qx, double qy) {
            if (const double d = Length(qx - px, qy - py); d < best) best = d, ax = px, ay = py, ex = qx, ey = qy;
        };
        for (const auto& [px, py] : {std::pair{l.x1, l.y1}, std::pair{l.x2, l.y2}})
            consider(px, py, clampTo(px, box.Left, box.Left + box.Width), clampTo(py, box.Top, box.Top + box.Height));
        const double dx = l.x2 - l.x1, dy = l.y2 - l.y1, length2 = dx * dx + dy * dy;
        for (const double cx : {box.Left, box.Left + box.Width})
            for (const double cy : {box.Top, box.Top + box.Height}) {
                const double t = length2 > 0 ? std::clamp(((cx - l.x1) * dx + (cy - l.y1) * dy) / length2, 0.0, 1.0) : 0;
                consider(l.x1 + t * dx, l.y1 + t * dy, cx, cy);
            }
    }
    const double length = Length(ex - ax, ey - ay);
    if (length <= gap_) return std::nullopt;
    const double shorter = (length - gap_) / length;
    return Segment{ax, ay, ax + shorter * (ex - ax), ay + shorter * (ey - ay)};
}

bool LabelLayer::LeaderCrosses(const Label& label, const TextBox& box, const Segment& l, const Reading& reading,
                               LeaderBar bar) const {
    // what a leader crosses, or passes within `by` of, lies in a cell it passes as near;
    // a line in line with it meets it a twip off
    switch (bar) {
    case AcrossText: {
        // this one's included; and a leader ending by another value of its thing
        // labelling where it starts (the other of a jump) reads as that one's
        const TextBox start{l.x1, l.y1, 0, 0}, end{l.x2, l.y2, 0, 0};
        const double h = label.Box.Height;
        auto across = [&](std::size_t i) { return SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(placed_[i], gap_ / 2)); };
        // the text the leader before crossed often bars the next one, led from
        // near it: asked first, as most leaders tried in a crowd cross a text
        std::size_t& last = lastAcross_.text;
        return (last < placed_.size() && across(last)) || SegmentCrossesBox(l.x1, l.y1, l.x2, l.y2, Grown(box, -1)) ||
               textCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, gap_ / 2, [&](std::size_t i) { return across(i) && (last = i, true); }) ||
               textCells_.Any(Grown(end, h / 2), [&](std::size_t i) {
                   return placedFor_[i].first == label.Owner && label.Owner != 0 && Distance(placed_[i], end) < h / 2 &&
                          placedOf_[i] && Distance(*placedOf_[i], start) < h / 2;
               });
    }
    case AcrossLeader:
        // nor within the room a long one keeps
        return leaderCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, 1 + widestWay_, [&](std::size_t i) {
            return SegmentsCross(l, leaders_[i]) || (ways_[i].second > 0 && SegmentDistance(l, ways_[i].first) < ways_[i].second);
        });
    case PassesNear: {
        const std::optional<Segment> long_ = LongWay(label, l);
        if (!long_) return false;
        const Segment& way = *long_;
        const double c = kLongLeaderClear * label.Box.Height;
        auto other = [&](int owner) { return owner != 0 && owner != label.Owner; };
        // its text, and its way out past where it leaves its own thing
        return lineCells_.Any(Grown(box, c), [&](std::size_t i) {
                   const Segment& o = lines_[i];
                   return other(o.owner) && SegmentBoxDistance(o.x1, o.y1, o.x2, o.y2, box) < c;
               }) ||
               lineCells_.AnyAlong(way.x1, way.y1, way.x2, way.y2, c, [&](std::size_t i) {
                   const Segment& o = lines_[i];
                   return other(o.owner) && SegmentDistance(way, o) < c;
               }) ||
               textCells_.AnyAlong(way.x1, way.y1, way.x2, way.y2, c, [&](std::size_t i) {
                   return other(placedFor_[i].first) &&
                          SegmentBoxDistance(way.x1, way.y1, way.x2, way.y2, placed_[i]) < c;
               });
    }
    case AcrossLines: {
        // across an arrow, a hatching or the wall's outline a leader reads as
        // one of them, across its own hatching as one more of its lines; from
        // within the wall it crosses that outline once at most, on its way out,
        // not across another member
        auto bars = [&](const Segment& o) {
            return o.part != PartWall && o.owner != 0 && (o.owner != label.Owner || o.part == PartBody) &&
                   o.part != PartLeader && SegmentsCross(l, o);
        };
        // the line the leader before crossed often bars the next one (not the outline: it may be crossed once)
        std::size_t& last = lastAcross_.line;
        if (last < lines_.size() && bars(lines_[last])) return true;
        int outline = 0;
        return lineCells_.AnyAlong(l.x1, l.y1, l.x2, l.y2, 1, [&](std::size_t i) {
            const Segment& o = lines_[i];
            if (o.part == PartWall) return SegmentsCross(l, o) && ++outline > (reading.inWall ? 1 : 0);
            return bars(o) && (last = i, true);
        });
    }
    }
    return false;
}

std::optional<LabelLayer::Segment> LabelLayer::LongWay(const Label& label, const Segment& l) {
    const double h = label.Box.Height, c = kLongLeaderClear * h, length = Length(l.x2 - l.x1, l.y2 - l.y1);
    if (length <= kShortLeader * h) return std::nullopt;
    const double t = c / length;
    return Segment{l.x1 + t * (l.x2 - l.x1), l.y1 + t * (l.y2 - l.y1), l.x2, l.y2};
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderFrom(double x, double y, const TextBox& box) const {
    const double ex = std::clamp(x, box.Left, box.Left + box.Width), ey = std::clamp(y, box.Top, box.Top + box.Height);
    const double length = Length(ex - x, ey - y);
    if (length <= gap_) return std::nullopt;
    const double shorter = (length - gap_) / length;
    return Segment{x, y, x + shorter * (ex - x), y + shorter * (ey - y)};
}

bool LabelLayer::Crosses(const Label& label, const TextBox& box, const Segment& l, const Reading& reading,
                         unsigned bars, Known& known, AcrossDrawn* drawn, unsigned which) const {
    // whether it crosses the lines, learnt by an earlier search of the layout
    const auto bit = static_cast<std::uint16_t>(1u << which);
    if (drawn) {
        if ((drawn->asked & bit) && !(known.asked & AcrossLines)) {
            known.asked |= AcrossLines;
            if (drawn->crosses & bit) known.crosses |= AcrossLines;
        }
        if (known.crosses & bars) return true;
    }
    // where the answer for the lines lasts the layout, that first: it spares the others' questions
    constexpr LeaderBar kTextFirst[] = {AcrossText, AcrossLeader, AcrossLines, PassesNear};
    constexpr LeaderBar kLinesFirst[] = {AcrossLines, AcrossText, AcrossLeader, PassesNear};
    for (const LeaderBar bar : drawn ? kLinesFirst : kTextFirst) {
        if (!(bars & bar)) continue;
        if (!(known.asked & bar)) {
            known.asked |= bar;
            if (LeaderCrosses(label, box, l, reading, bar)) known.crosses |= bar;
            if (bar == AcrossLines && drawn) {
                drawn->asked |= bit;
                if (known.crosses & bar) drawn->crosses |= bit;
            }
        }
        if (known.crosses & bar) return true;
    }
    return false;
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderFromElsewhere(const Label& label, const TextBox& box,
                                                                   const Reading& reading, unsigned bars,
                                                                   double longest, Known (&known)[kStarts],
                                                                   AcrossDrawn* drawn) const {
    // an arrow reads from any point of it, a block from any of its corners
    // or the middles of its sides; its ends and corners first
    constexpr double kAlong[] = {0.0, 1.0, 0.5, 0.25, 0.75};
    constexpr double kAcross[] = {0.0, 1.0, 0.5};
    static_assert(std::size(kAlong) <= kStarts && std::size(kAcross) * std::size(kAcross) <= kStarts);
    // the `n`th of them, the leader of number n + 1 of its spot (AcrossDrawn)
    std::size_t n = 0;
    auto from = [&](double x, double y) -> std::optional<Segment> {
        const unsigned which = static_cast<unsigned>(n) + 1;
        Known& k = known[n++];
        // one known to cross what is barred need not be drawn again
        if (k.crosses & bars) return std::nullopt;
        const std::optional<Segment> l = LeaderFrom(x, y, box);
        if (!l || Length(l->x2 - l->x1, l->y2 - l->y1) > longest ||
            Crosses(label, box, *l, reading, bars, k, drawn, which))
            return std::nullopt;
        return l;
    };
    if (const std::optional<Segment>& a = label.Along) {
        for (const double t : kAlong)
            if (std::optional<Segment> l = from(a->x1 + t * (a->x2 - a->x1), a->y1 + t * (a->y2 - a->y1)))
                return l;
        return std::nullopt;
    }
    const TextBox& of = *label.Of;
    if (of.Width > 0 || of.Height > 0)
        for (const double tx : kAcross)
            for (const double ty : kAcross)
                if (std::optional<Segment> l = from(of.Left + tx * of.Width, of.Top + ty * of.Height))
                    return l;
    return std::nullopt;
}

std::optional<LabelLayer::Segment> LabelLayer::LeaderTo(const Label& label, const TextBox& box, bool acrossLeaders,
                                                        bool clear, const Reading& reading) const {
    const std::optional<Segment> line = LeaderLine(label, box);
    if (!line || LeaderCrosses(label, box, *line, reading, AcrossText) ||
        (!acrossLeaders && LeaderCrosses(label, box, *line, reading, AcrossLeader)) ||
        (clear && LeaderCrosses(label, box, *line, reading, AcrossLines)))
        return std::nullopt;
    return line;
}

TextBox LabelLayer::LeaderSpot(const Label& label, const LeaderSpots& spots, int i, int j) {
    const TextBox& of = *label.Of;
    const double h = std::max(label.Box.Height, 1.0), w = label.Box.Width;
    // a coarser grid than beside: a spot this far off need not be the nearest to a hair
    const double step = h / spots.perHeight;
    const double ax = of.Left + of.Width / 2, ay = of.Top + of.Height / 2;
    return {ax + i * step - w / 2, ay + j * step - h / 2, w, h};
}

void LabelLayer::MakeLeaderSpots(const Label& label, const Reading& reading, LeaderSpots& spots) const {
    const TextBox& of = *label.Of;
    const double h = std::max(label.Box.Height, 1.0), w = label.Box.Width;
    const double step = h / spots.perHeight;
    const int reach = spots.reach + 1;
    // the band of a length: the least number of heights no shorter than it, past those made (`made`)
    auto band = [&](double length, int made) {
        // from the heights it spans (a cast, cheaper than a call of ceil), set right below
        int b = std::max(made, static_cast<int>(length / h));
        while (length > b * h) ++b;
        while (b > made && length <= (b - 1) * h) --b;
        return static_cast<std::size_t>(b);
    };
    auto file = [&](std::vector<std::vector<LeaderSpots::Spot>>& bands, const LeaderSpots::Spot& at, int made) {
        const std::size_t b = band(at.length, made);
        // beyond a long leader's reach a spot a step away from another is as good (below)
        if (b > kLongLeader && ((at.i | at.j) & 1)) return;
        if (bands.size() <= b) bands.resize(b + 1);
        bands[b].push_back(at);
    };
    // every spot within reach lies within these columns, and in each within
    // the steps up and down that reach leaves beside it (a twip and a step over)
    auto columns = [&](int r) { return static_cast<int>(std::ceil((r * h + w + of.Width / 2) / step)); };
    auto rows = [&](int r) { return static_cast<int>(std::ceil((r * h + h + of.Height / 2) / step)); };
    const double ax = of.Left + of.Width / 2, ay = of.Top + of.Height / 2;
    // the box as LeaderSpot makes it
    auto spotAt = [&](int i, int j) { return TextBox{ax + i * step - w / 2, ay + j * step - h / 2, w, h}; };
    // the label's spots by band, made where no search of it went as far yet
    if (spots.grid == SIZE_MAX) {
        const auto same = std::find_if(spotBands_.begin(), spotBands_.end(), [&](const SpotBands& g) {
            auto sameLine = [](const std::optional<Segment>& a, const std::optional<Segment>& b) {
                return a.has_value() == b.has_value() &&
                       (!a || (a->x1 == b->x1 && a->y1 == b->y1 && a->x2 == b->x2 && a->y2 == b->y2));
            };
            return g.perHeight == spots.perHeight && g.owner == label.Owner && g.width == label.Box.Width &&
                   g.height == label.Box.Height && g.of.Left == of.Left && g.of.Top == of.Top &&
                   g.of.Width == of.Width && g.of.Height == of.Height && sameLine(g.along, label.Along);
        });
        spots.grid = static_cast<std::size_t>(same - spotBands_.begin());
        if (same == spotBands_.end())
            spotBands_.push_back({of, label.Along, label.Box.Width, label.Box.Height, label.Owner, spots.perHeight, {},
                                  static_cast<int>(kNear), {}, -1, {}});
    }
    SpotBands& grid = spotBands_[spots.grid];
    while (grid.reach < reach) {
        const int made = ++grid.reach;
        const int nx = columns(made), ny = rows(made);
        if (nx > grid.columns) {
            std::vector<int> down(2 * static_cast<std::size_t>(nx) + 1, -1);
            if (grid.columns >= 0) std::copy(grid.down.begin(), grid.down.end(), down.begin() + (nx - grid.columns));
            grid.down.swap(down);
            grid.columns = nx;
        }
        const double radius = made * h + 1;
        // past a long leader's reach every spot made lies beyond it: only every other one is filed
        const int every = made > kLongLeader ? 2 : 1;
        for (int i = -nx; i <= nx; ++i) {
            const double across = std::max(0.0, std::abs(i) * step - (w + of.Width) / 2);
            if (across > radius) continue;
            const double up = std::sqrt(radius * radius - across * across) + (h + of.Height) / 2;
            const int steps = std::min(ny, static_cast<int>(std::ceil(up / step)) + 1);
            int& down = grid.down[static_cast<std::size_t>(i + grid.columns)];
            // filed by its distance from the box of what it labels, no greater
            // than from the line within it (the box as LeaderSpot makes it)
            auto make = [&](int j) {
                const double length = Distance(spotAt(i, j), of);
                // where no text may stand, no search needs to know how far it lies (below)
                if (label.Along || length > kNear * h) {
                    file(grid.bands, {length, i, j, false, static_cast<std::uint32_t>(grid.learnt.size())}, made);
                    if (laying_) grid.learnt.emplace_back();
                }
            };
            // the steps either way not made yet, from an even one where every other one is filed
            const int from = down + 1;
            auto makeFrom = [&](int first, int last) {
                for (int j = first + (every == 2 && (first & 1)); j <= last; j += every) make(j);
            };
            if (every == 1 || i % 2 == 0) {
                makeFrom(-steps, -std::max(from, 1));
                makeFrom(from, steps);
            }
            down = std::max(down, steps);
        }
    }
    // those of this band, and those of this label's nearer bands that stand and lie farther than filed
    std::vector<LeaderSpots::Spot> farther;
    if (static_cast<std::size_t>(reach) < spots.bands.size()) farther.swap(spots.bands[static_cast<std::size_t>(reach)]);
    if (const int nx = columns(reach), ny = rows(reach); nx > spots.keptColumns || ny > spots.keptRows) {
        spots.keptColumns = std::max(nx, 2 * spots.keptColumns);
        spots.keptRows = std::max(ny, 2 * spots.keptRows);
        spots.keeps.emplace(placed_, gap_, spotAt, -spots.keptColumns, spots.keptColumns, -spots.keptRows, spots.keptRows);
    }
    const SpotsKeptOff& keeps = *spots.keeps;
    // the spots of a band come column by column, above what is labelled and
    // below it: what kept the last one above free is noted apart from below
    Blocker last[2];
    const std::size_t before = spots.made.size();
    // while the values are laid out with the usual room to lines, whether a
    // spot keeps clear of the lines that stay drawn holds for all its searches
    const bool drawnStays = laying_ && lineGap_ == gap_;

    // a spot that stands is made, or filed farther where it lies beyond
    // this band; a leader runs from the nearest edge of what it labels:
    // within two heights of that a text needs none
    auto made = [&](const LeaderSpots::Spot& at) {
        if (at.length <= kNear * h) return;
        if (at.length <= reach * h)
            spots.made.push_back(at);
        else
            file(spots.bands, at, reach);
    };
    // the grid's own (filed only where a text may stand, and beyond a long
    // leader's reach not a step away from another), where one stands
    if (static_cast<std::size_t>(reach) < grid.bands.size())
        for (const LeaderSpots::Spot& of : grid.bands[static_cast<std::size_t>(reach)]) {
            SpotBands::Learnt* const learnt = laying_ ? &grid.learnt[of.number] : nullptr;
            if ((drawnStays && learnt->standsDrawn == 0) || keeps.Off(of.i, of.j)) continue;
            const TextBox box = spotAt(of.i, of.j);
            if (drawnStays) {
                if (learnt->standsDrawn < 0)
                    learnt->standsDrawn = ClearOfDrawn(box, &last[of.j < 0]) && OnItsSide(label, reading, box);
                if (!learnt->standsDrawn || !ClearOfLaid(box)) continue;
            } else if (!Free(box, &last[of.j < 0], false) || !OnItsSide(label, reading, box)) {
                continue;
            }
            LeaderSpots::Spot at = of;
            if (label.Along) {
                if (!learnt)
                    at.length = Away(label, box);
                else
                    at.length = learnt->away < 0 ? (learnt->away = Away(label, box)) : learnt->away;
            }
            at.stands = true;
            made(at);
        }
    for (const LeaderSpots::Spot& at : farther) made(at);
    std::sort(spots.made.begin() + static_cast<std::ptrdiff_t>(before), spots.made.end(),
              [](const LeaderSpots::Spot& a, const LeaderSpots::Spot& b) {
                  return std::tie(a.length, a.i, a.j) < std::tie(b.length, b.i, b.j);
              });
    spots.tried.resize(spots.made.size());
    spots.reach = reach;
}

std::optional<LabelLayer::Placement> LabelLayer::PlaceWithLeader(const Label& label, const Reading& reading,
                                                                 LeaderSpots& spots, double reach, bool acrossLeaders,
                                                                 bool clear, bool fromElsewhere) const {
    const double h = std::max(label.Box.Height, 1.0);
    const unsigned bars = Bars(acrossLeaders, clear);
    const double longest = fromElsewhere ? reach * h : 0;
    // the spots a search of this kind found barred before are barred again,
    // unless a longer leader from elsewhere may reach them now
    std::size_t& failed = spots.failed[acrossLeaders][clear];
    double& failedLongest = spots.failedLongest[acrossLeaders][clear];
    std::size_t k = longest > failedLongest ? 0 : failed;
    for (;; ++k) {
        // the next band of spots, a height farther, once the nearer ones are tried
        while (k == spots.made.size() && spots.reach < reach) MakeLeaderSpots(label, reading, spots);
        if (k == spots.made.size() || spots.made[k].length > reach * h) break;
        const TextBox box = LeaderSpot(label, spots, spots.made[k].i, spots.made[k].j);
        LeaderSpots::Tried& at = spots.tried[k];
        if (at.led < 0) {
            const std::optional<Segment> line = LeaderLine(label, box);
            at.led = line.has_value();
            if (line) at.leader = *line;
        }
        if (!at.led) continue;
        // whether it stands among other things' values, dearer to learn than
        // most leaders, is learnt only where a leader reads right
        auto among = [&] {
            if (at.among < 0) at.among = AmongOthers(label, box, spots.own);
            return at.among != 0;
        };
        // while the values are laid out, what the layout's searches learnt of the lines that stay
        AcrossDrawn* const drawn = laying_ ? &spotBands_[spots.grid].learnt[spots.made[k].number].across : nullptr;
        if (!Crosses(label, box, at.leader, reading, bars, at.nearest, drawn, 0)) {
            if (among()) continue;
            return Placement{box, at.leader, false};
        }
        if (longest > 0)
            if (const std::optional<Segment> other =
                    LeaderFromElsewhere(label, box, reading, bars, longest, at.elsewhere, drawn)) {
                if (among()) continue;
                return Placement{box, other, false};
            }
    }
    failed = k;
    failedLongest = longest;
    return std::nullopt;
}

}  // namespace brindlemar

// Where one value of the label layer stands: near what it labels, led to
// it on a short leader, led from farther once the others stand, or at last
// where it covers least.
#include "drawing/LabelLayer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

#include "drawing/LabelLayerGrid.h"
#include "drawing/LabelLayerRules.h"

namespace brindlemar {

using namespace label_layer;

LabelLayer::Placement LabelLayer::Place(const Label& label, const std::vector<const Label*>& rivals,
                                        const Reading& reading) const {
    const TextBox& asked = label.Box;
    const double h = std::max(asked.Height, 1.0);
    const double stepX = h / 2, stepY = h / 2;
    const int nx = static_cast<int>(std::ceil(std::max(asked.Width, kReach * h) / stepX));
    const int ny = static_cast<int>(std::ceil(kReach * h / stepY));
    // a text that labels something may also go anywhere near it; one that
    // may not stand elsewhere, only there
    int left = -nx, right = nx, up = -ny, down = ny;
    const double nearby = kNear * h;
    if (label.Of) {
        const TextBox& of = *label.Of;
        const bool only = label.Crowded != WhenCrowded::Elsewhere;
        const int l = static_cast<int>(std::floor((of.Left - nearby - asked.Width - asked.Left) / stepX));
        const int r = static_cast<int>(std::ceil((of.Left + of.Width + nearby - asked.Left) / stepX));
        const int u = static_cast<int>(std::floor((of.Top - nearby - asked.Height - asked.Top) / stepY));
        const int d = static_cast<int>(std::ceil((of.Top + of.Height + nearby - asked.Top) / stepY));
        left = only ? l : std::min(left, l);
        right = only ? r : std::max(right, r);
        up = only ? u : std::min(up, u);
        down = only ? d : std::max(down, d);
    }
    auto spot = [&](int i, int j) { return TextBox{asked.Left + i * stepX, asked.Top + j * stepY, asked.Width, asked.Height}; };
    LeaderSpots ledFrom;
    ledFrom.own = OwnPlaced(label);
    // near what it labels: no nearer what it labels than the box around
    // that, on its side; and no nearer what another text of its kind
    // labels, nor among others (`amongNone`: dearer to learn, so learnt last)
    auto nearItsOwn = [&](const TextBox& box) {
        if (!label.Of) return true;
        if (Distance(box, *label.Of) > nearby) return false;
        return Away(label, box) <= nearby && OnItsSide(label, reading, box);
    };
    auto amongNone = [&](const TextBox& box) {
        if (!label.Of) return true;
        // a rival's line lies no nearer than the box around it
        const double own = Away(label, box);
        if (own > 1 && std::any_of(rivals.begin(), rivals.end(), [&](const Label* r) {
                return Distance(box, *r->Of) < own - 1 && Away(*r, box) < own - 1;
            }))
            return false;
        return !AmongOthers(label, box, ledFrom.own);
    };
    if (nearItsOwn(asked) && Free(asked) && amongNone(asked) && NearestIsOwn(label, reading, asked))
        return {asked, {}, false};

    // the spots around the one asked for, those near what the text labels
    // first, nearest first; beyond the usual reach only those
    struct Spot {
        int i, j;
        bool near;
        double away;  // from the spot asked for, squared
    };
    auto before = [](const Spot& a, const Spot& b) {
        if (a.near != b.near) return a.near;
        if (a.away != b.away) return a.away < b.away;
        return a.i != b.i ? a.i < b.i : a.j < b.j;
    };
    // Spots go by rings around the one asked for, a ring being the spots
    // `ring` quarter heights away across or down (a step across is two):
    // none in a ring stands nearer than the ring's number, so the search
    // stops at the ring beyond the nearest free spot found. Whether a spot
    // is near is learnt as its ring comes.
    auto ringOf = [](int i, int j) { return std::max(2 * std::abs(i), std::abs(j)); };
    const int rings = std::max({ringOf(left, up), ringOf(right, down), ringOf(left, down), ringOf(right, up)}) + 1;
    const int rows = down - up + 1;
    // what is learnt of each spot, once each (-1 not yet): whether it is
    // near its own, among none, and free with the usual room to lines
    struct Learnt {
        signed char own = -1, none = -1, free = -1;
    };
    std::vector<Learnt> learnt(static_cast<std::size_t>((right - left + 1) * rows));
    auto at = [&](int i, int j) -> Learnt& { return learnt[static_cast<std::size_t>((i - left) * rows + (j - up))]; };
    auto once = [](signed char& known, auto&& learn) {
        if (known < 0) known = learn();
        return known != 0;
    };
    auto nearOwn = [&](int i, int j) { return once(at(i, j).own, [&] { return nearItsOwn(spot(i, j)); }); };
    auto isNear = [&](int i, int j) {
        return nearOwn(i, j) && once(at(i, j).none, [&] { return amongNone(spot(i, j)); });
    };
    // a ring's spots come column by column, above and below: what kept the
    // last one above free is noted apart from below
    Blocker last[2];
    // the spots the texts placed keep off, learnt for them all at once where one is asked
    std::optional<SpotsKeptOff> keeps;
    auto freeOf = [&](int i, int j) {
        if (!keeps) keeps.emplace(placed_, gap_, spot, left, right, up, down);
        return !keeps->Off(i, j) && Free(spot(i, j), &last[j < 0], false);
    };
    // nothing is placed while one label is: the usual room's answer stands
    auto free = [&](int i, int j) {
        return lineGap_ == gap_ ? once(at(i, j).free, [&] { return freeOf(i, j); }) : freeOf(i, j);
    };
    auto away = [&](int i, int j) { return (i * stepX) * (i * stepX) + (j * stepY) * (j * stepY); };
    auto spotAt = [&](int i, int j) { return Spot{i, j, isNear(i, j), away(i, j)}; };
    // near ones, or (where the text may stand elsewhere) the others within the usual reach
    auto tried = [&](const Spot& s) {
        return s.near || (label.Crowded == WhenCrowded::Elsewhere && std::abs(s.i) <= nx && std::abs(s.j) <= ny);
    };
    // the spots of a ring in the order across, then down
    auto ring = [&](int r, auto&& visit) {
        for (int i = left; i <= right; ++i) {
            const int across = 2 * std::abs(i);
            if (across == r)
                for (int j = std::max(up, -r); j <= std::min(down, r); ++j) visit(i, j);
            else if (across < r) {
                if (-r >= up) visit(i, -r);
                if (r <= down) visit(i, r);
            }
        }
    };
    // the narrow room just past an arrow's end, with the room to lines in
    // force, which the spots a half height apart may step over
    auto justPastAnEnd = [&]() -> std::optional<TextBox> {
        if (label.Along)
            for (const TextBox& box : PastEnds(*label.Along, asked.Width, asked.Height, lineGap_ + 1))
                if (nearItsOwn(box) && Free(box) && amongNone(box) && NearestIsOwn(label, reading, box)) return box;
        return std::nullopt;
    };
    // a spot nearer its own thing than any other's first, as a reader takes
    // a value for the nearest thing drawn; else one near what it labels
    const bool led = label.Crowded == WhenCrowded::Leader || label.Crowded == WhenCrowded::ShortLeader;
    // the finer grid's spots, with the usual room to lines and with less
    LeaderSpots fineFrom, tightFrom;
    fineFrom.perHeight = tightFrom.perHeight = 3;
    fineFrom.own = tightFrom.own = ledFrom.own;
    // the finer grid's leader with less room to lines, sought first: its
    // spots are those with the usual room and more, its leaders tried
    // alike, so where it finds none the search with the usual room need
    // not look (it stands only where no nearer spot or leader reads right)
    std::optional<Placement> tightLed;
    for (const int pass : {0, 1, 2, 3}) {
        // nearer another thing's lines than its own it reads as that
        // thing's: a short leader clear of them reads right, sought on a
        // finer grid too, where a narrow gap between other things leaves the
        // only room; and where none is, the spots and leaders once more with
        // a third of the usual room to lines, which a crowded picture spares
        // rather than read a value as another thing's (for so many values of
        // a picture: one crowded all over would take long to look through)
        const bool tight = pass == 1;
        if (tight && !(led && label.Of)) continue;
        // a text that may not stand elsewhere has no spots but those near;
        // one that must be read is led from farther whether a spot near
        // but nearer another thing is found or none (below)
        if (pass == 3 && label.Crowded != WhenCrowded::Elsewhere) break;
        if (pass == 2 && label.Crowded == WhenCrowded::Leader) break;
        if (tight) {
            if (std::optional<Placement> short_ =
                    PlaceWithLeader(label, reading, ledFrom, kShortLeader, false, true, lookHarder_ > 0))
                return *short_;
            if (lookHarder_ == 0) continue;
            --lookHarder_;
            lineGap_ = gap_ / 3;
            tightLed = PlaceWithLeader(label, reading, tightFrom, kFineReach, false, true, lookHarder_ > 0);
            lineGap_ = gap_;
            if (tightLed)
                if (std::optional<Placement> short_ =
                        PlaceWithLeader(label, reading, fineFrom, kFineReach, false, true, lookHarder_ > 0))
                    return *short_;
        }
        lineGap_ = tight ? gap_ / 3 : gap_;
        struct Restore {
            double& gap;
            double was;
            ~Restore() { gap = was; }
        } restore{lineGap_, gap_};
        const bool nearOnes = pass < 3, ownFirst = pass < 2;
        std::optional<Spot> best;
        for (int r = 0; r < rings; ++r) {
            ring(r, [&](int i, int j) {
                // the cheaper questions first: a spot stands where every answer is yes
                const Spot candidate{i, j, nearOnes, away(i, j)};
                if ((nearOnes ? !nearOwn(i, j) : !tried(candidate)) || (best && !before(candidate, *best)) ||
                    !free(i, j) || isNear(i, j) != nearOnes || (ownFirst && !NearestIsOwn(label, reading, spot(i, j))))
                    return;
                best = candidate;
            });
            if (best && best->away < (r + 1) * stepY * (r + 1) * stepY) break;
        }
        const std::optional<TextBox> pastEnd = best || !tight ? std::nullopt : justPastAnEnd();
        if ((best || pastEnd) && nearOnes) {
            // near but nearer another thing than its own, it reads as that
            // thing's: a value that must be read is led from farther instead
            if (pass == 2 && label.Crowded == WhenCrowded::Leader) return {std::nullopt, std::nullopt, true, true};
            return {best ? spot(best->i, best->j) : *pastEnd, {}, pass == 2};
        }
        if (tight && tightLed) return *tightLed;
        if (best && label.Crowded == WhenCrowded::Elsewhere) {
            // away from what it labels, a spot a leader reaches comes first
            if (label.Of)
                for (const bool clear : {true, false})
                    if (std::optional<Placement> led =
                            PlaceWithLeader(label, reading, ledFrom, kShortLeader, false, clear, lookHarder_ > 0))
                        return {led->Box, led->Leader, true};
            return {spot(best->i, best->j), {}, true};
        }
    }
    // no spot near what it labels nor a short leader clear of other things
    // reads right: a value that may be left out is, rather than read across
    // another thing's lines as its; one that must be read is led from
    // farther, once the values that read so have their room
    if (label.Crowded == WhenCrowded::Leader) return {std::nullopt, std::nullopt, true, true};
    if (label.Crowded != WhenCrowded::Elsewhere) return {};

    // where no spot is free, the one that covers least, the first in order of those
    std::vector<Spot> spots;
    for (int i = left; i <= right; ++i)
        for (int j = up; j <= down; ++j)
            if (const Spot s = spotAt(i, j); tried(s)) spots.push_back(s);
    TextBox best = asked;
    double bestCost = -1;
    const Spot* bestSpot = nullptr;
    for (const Spot& at : spots) {
        const TextBox box = spot(at.i, at.j);
        const double covered = Cost(box, bestCost < 0 ? 1E300 : bestCost + 1);
        if (bestCost < 0 || covered < bestCost || (covered == bestCost && before(at, *bestSpot))) {
            best = box;
            bestCost = covered;
            bestSpot = &at;
        }
    }
    return {best, {}, label.Of.has_value() || bestCost > 0};
}

std::vector<TextBox> LabelLayer::PastEnds(const Segment& arrow, double width, double height, double by) {
    std::vector<TextBox> boxes;
    const double length = Length(arrow.x2 - arrow.x1, arrow.y2 - arrow.y1);
    if (length <= 0) return boxes;
    for (const int end : {1, 0}) {
        // out from the arrow along it, the text's middle as far past the end as half the text reaches that way
        const double dx = (arrow.x2 - arrow.x1) / length * (end ? 1 : -1), dy = (arrow.y2 - arrow.y1) / length * (end ? 1 : -1);
        const double x = end ? arrow.x2 : arrow.x1, y = end ? arrow.y2 : arrow.y1;
        const double out = std::fabs(dx) * width / 2 + std::fabs(dy) * height / 2 + by;
        const double cx = x + dx * out, cy = y + dy * out;
        // centred on the arrow, and flush with it either way across
        const double sx = std::fabs(dy) * (width / 2 - by), sy = std::fabs(dx) * (height / 2 - by);
        for (const double shift : {0.0, -1.0, 1.0})
            boxes.push_back({cx + shift * sx - width / 2, cy + shift * sy - height / 2, width, height});
    }
    return boxes;
}

LabelLayer::Placement LabelLayer::PlaceFar(const Label& label, const Reading& reading) const {
    LeaderSpots spots;
    spots.own = OwnPlaced(label);
    // the farthest leader clear of other things' lines that may cross other
    // leaders, sought first: every leader clear of those leaders as well is
    // one of its, so where it finds none those need not be sought
    const std::optional<Placement> acrossLeaders = PlaceWithLeader(label, reading, spots, kFarthest, true, true, true);
    // a longer leader clear of other things, passing near none of them, is
    // followed: it reads right too
    if (acrossLeaders)
        for (const double reach : {kLongLeader, kFarthest})
            if (std::optional<Placement> led =
                    PlaceWithLeader(label, reading, spots, reach, false, true, reach > kLongLeader))
                return {led->Box, led->Leader, false, true};
    // a short leader across the lines of other things, else a longer one;
    // from any point of what it labels where the nearest way is barred
    for (const double reach : {kShortLeader, kLongLeader})
        if (std::optional<Placement> led = PlaceWithLeader(label, reading, spots, reach, false, false, true))
            return {led->Box, led->Leader, true, true};
    // never vanishing: farther off, its leader crossing other leaders where
    // it must, else where it covers least
    if (acrossLeaders) return {acrossLeaders->Box, acrossLeaders->Leader, true, true};
    if (std::optional<Placement> led = PlaceWithLeader(label, reading, spots, kFarthest, true, false, true))
        return {led->Box, led->Leader, true, true};
    Placement covering = PlaceLeastBad(label, reading);
    covering.Far = true;
    return covering;
}

LabelLayer::Placement LabelLayer::PlaceLeastBad(const Label& label, const Reading& reading) const {
    const TextBox& of = *label.Of;
    // around the spot asked for, moved inside the area so that a value whose
    // point lies beyond the frame still shows at its edge
    TextBox asked = label.Box;
    asked.Left = std::clamp(asked.Left, area_.Left, std::max(area_.Left, area_.Left + area_.Width - asked.Width));
    asked.Top = std::clamp(asked.Top, area_.Top, std::max(area_.Top, area_.Top + area_.Height - asked.Height));
    const double h = std::max(asked.Height, 1.0);
    const double stepX = h / 2, stepY = h / 2;
    const int nx = static_cast<int>(std::ceil(std::max(asked.Width, kReach * h) / stepX));
    const int ny = static_cast<int>(std::ceil(kReach * h / stepY));
    TextBox best = asked;
    double bestCost = -1, bestAway = 0;
    for (int i = -nx; i <= nx; ++i)
        for (int j = -ny; j <= ny; ++j) {
            const TextBox box{asked.Left + i * stepX, asked.Top + j * stepY, asked.Width, asked.Height};
            // across its member's axis it reads wrong whatever it covers
            double covered = OnItsSide(label, reading, box) ? 0 : 1E5;
            covered += Cost(box, bestCost < 0 ? 1E300 : bestCost + 1 - covered);
            const double away = Away(label, box);
            if (bestCost < 0 || covered < bestCost || (covered == bestCost && away < bestAway)) {
                best = box;
                bestCost = covered;
                bestAway = away;
            }
        }
    // away from its point it is led there, whatever the leader crosses; not
    // out of the frame to a point beyond it
    std::optional<Segment> leader;
    if (Away(label, best) > kNear * h && Inside(of, area_)) leader = LeaderLine(label, best);
    return {best, leader, true};
}

}  // namespace brindlemar

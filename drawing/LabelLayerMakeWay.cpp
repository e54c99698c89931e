// The values of a crowded picture made way for: where one placed after
// another took the only spot another reads by, the one astray is placed
// first and those in its way again after it, each taking its next best; the
// one astray tries its next spots too, and one it ousts makes way in turn.

#include <algorithm>

#include "drawing/LabelLayer.h"

namespace brindlemar {

namespace {

// Up to how many values a picture's values make way for one another (a wall
// of ten loads shows some forty): beyond, placing them again takes longer
// than a redraw may.
constexpr std::size_t kMakeWayMost = 48;
// For how many values still astray at most the values in their way are placed again.
constexpr std::size_t kMakeWay = 8;
// How many spots of a value astray, each with no other value placed, are tried at most.
constexpr int kSpots = 4;
// How many values in a row at most make way each for the one before took its spot.
constexpr int kChain = 2;

}  // namespace

void LabelLayer::MakeWay(std::vector<Planned>& plan, int& astray, std::size_t texts, std::size_t lines,
                         std::size_t leaders) {
    if (astray == 0 || labels_.size() > kMakeWayMost || dynamic_cast<LabelLayer*>(&target_) != nullptr) return;
    const Base base{texts, lines, leaders, Readers()};
    for (std::size_t a = 0, tries = 0; a < plan.size() && astray > 0 && tries < kMakeWay; ++a) {
        if (plan[a].astray == 0 || !labels_[plan[a].label].Of) continue;
        ++tries;
        std::vector<std::size_t> moved;
        MakeWayFor(plan, astray, a, kChain, moved, base);
    }
}

bool LabelLayer::MakeWayFor(std::vector<Planned>& plan, int& astray, std::size_t a, int chain,
                            std::vector<std::size_t>& moved, const Base& base) {
    auto restore = [&] {
        Unplan(base.texts, base.lines, base.leaders);
        for (const Planned& p : plan) Take(p);
    };
    moved.push_back(a);
    // where it would stand were no other value placed, and the values placed in its way;
    // where those cannot all stand elsewhere, its next spot with no other value placed
    std::vector<TextBox> tried;
    for (int spot = 0; spot < kSpots; ++spot) {
        Unplan(base.texts, base.lines, base.leaders);
        for (const TextBox& box : tried) AddPlaced(box, 0, -1);
        LookHarderAgain();
        const Planned alone = PlanLanded(plan[a].label, base.readers);
        Unplan(base.texts, base.lines, base.leaders);
        if (!alone.placed.Box || alone.astray > 0) break;
        tried.push_back(*alone.placed.Box);
        std::vector<std::size_t> group{a};
        for (std::size_t k = 0; k < plan.size(); ++k)
            if (k != a && !Apart(alone, plan[k])) group.push_back(k);
        // one made way for already on the way here keeps its spot
        if (std::any_of(group.begin() + 1, group.end(), [&](std::size_t k) {
                return std::find(moved.begin(), moved.end(), k) != moved.end();
            }))
            continue;
        // the others as they stand, then the group again, this one where it stood alone
        for (std::size_t k = 0; k < plan.size(); ++k)
            if (std::find(group.begin(), group.end(), k) == group.end()) Take(plan[k]);
        int before = 0, now = 0;
        std::vector<Planned> again;
        LookHarderAgain();
        std::optional<std::size_t> ousted;  // the one of the group left astray, where there is one
        for (const std::size_t k : group) {
            before += plan[k].astray;
            again.push_back(k == a ? alone : PlanLanded(plan[k].label, base.readers));
            now += again.back().astray;
            if (again.back().astray > plan[k].astray) ousted = ousted ? SIZE_MAX : k;
            Take(again.back());
        }
        const std::vector<Planned> was = plan;
        for (std::size_t g = 0; g < group.size(); ++g) plan[group[g]] = again[g];
        if (now < before) {
            astray += now - before;
            return true;
        }
        // a value that took the spot of another makes way in turn for that one
        if (now == before && chain > 0 && ousted && *ousted != SIZE_MAX) {
            restore();
            if (MakeWayFor(plan, astray, *ousted, chain - 1, moved, base)) return true;
        }
        plan = was;
    }
    restore();
    moved.pop_back();
    return false;
}

}  // namespace brindlemar

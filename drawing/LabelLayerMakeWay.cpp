// The values of a crowded picture made way for: where one placed after
// another took the only spot another reads by, the one astray is placed
// first and those in its way again after it, each taking its next best.

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

}  // namespace

void LabelLayer::MakeWay(std::vector<Planned>& plan, int& astray, std::size_t texts, std::size_t lines,
                         std::size_t leaders) {
    if (astray == 0 || labels_.size() > kMakeWayMost || dynamic_cast<LabelLayer*>(&target_) != nullptr) return;
    const std::vector<Reader> readers = Readers();
    for (std::size_t a = 0, tries = 0; a < plan.size() && astray > 0 && tries < kMakeWay; ++a) {
        const Label& hard = labels_[plan[a].label];
        if (plan[a].astray == 0 || !hard.Of) continue;
        ++tries;
        // where it would stand were no other value placed, and the values placed in its way
        Unplan(texts, lines, leaders);
        LookHarderAgain();
        const Planned alone = PlanLanded(plan[a].label, readers);
        std::vector<std::size_t> group{a};
        if (alone.placed.Box && alone.astray == 0)
            for (std::size_t k = 0; k < plan.size(); ++k)
                if (k != a && !Apart(alone, plan[k])) group.push_back(k);
        // the others as they stand, then the group again, this one first
        for (std::size_t k = 0; k < plan.size(); ++k)
            if (std::find(group.begin(), group.end(), k) == group.end()) Take(plan[k]);
        int before = 0, now = 0;
        for (const std::size_t k : group) before += plan[k].astray;
        std::vector<Planned> again;
        LookHarderAgain();
        for (const std::size_t k : group) {
            again.push_back(PlanLanded(plan[k].label, readers));
            now += again.back().astray;
            Take(again.back());
        }
        if (now < before) {
            for (std::size_t g = 0; g < group.size(); ++g) plan[group[g]] = again[g];
            astray += now - before;
            continue;
        }
        Unplan(texts, lines, leaders);
        for (const Planned& p : plan) Take(p);
    }
}

}  // namespace brindlemar

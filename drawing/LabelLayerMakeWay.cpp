// The values of a crowded picture made way for: where one placed after
// another took the only spot another reads by, the one astray is placed
// first and those in its way, then those labelling things beside its own,
// again after it, each taking its next best, in the order that leaves
// fewest astray.

#include <algorithm>
#include <random>

#include "drawing/LabelLayer.h"
#include "drawing/LabelLayerRules.h"

namespace brindlemar {

namespace {

// For how many values still astray at most the values in their way are placed again.
constexpr std::size_t kMakeWay = 8;
// In how many orders at most those values are placed again: as they stood, the other way
// round, then shuffled; which of them finds room for all depends on what each takes.
constexpr int kOrders = 8;

}  // namespace

void LabelLayer::MakeWay(std::vector<Planned>& plan, int& astray, std::size_t texts, std::size_t lines,
                         std::size_t leaders) {
    if (astray == 0 || labels_.size() > label_layer::kFewValues || dynamic_cast<LabelLayer*>(&target_) != nullptr) return;
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
        // and those of the things beside its own, within a text's reach of it, whose room it may take
        const TextBox beside = Grown(*hard.Of, 2 * hard.Box.Height + hard.Box.Width);
        for (std::size_t k = 0; k < plan.size(); ++k)
            if (const std::optional<TextBox>& of = labels_[plan[k].label].Of;
                k != a && of && Overlap(*of, beside) && std::find(group.begin(), group.end(), k) == group.end())
                group.push_back(k);
        int before = 0;
        for (const std::size_t k : group) before += plan[k].astray;
        // the others as they stand, then the group again, this one first
        std::vector<Planned> best;
        std::vector<std::size_t> bestOrder;
        int fewest = before;
        std::minstd_rand shuffle(1);
        for (int variant = 0; variant < kOrders; ++variant) {
            std::vector<std::size_t> order = group;
            if (variant == 1) std::reverse(order.begin() + 1, order.end());
            // shuffled by the generator's own numbers, which every library gives alike
            for (std::size_t i = order.size() - 1; variant > 1 && i > 1; --i)
                std::swap(order[i], order[1 + shuffle() % i]);
            Unplan(texts, lines, leaders);
            for (std::size_t k = 0; k < plan.size(); ++k)
                if (std::find(group.begin(), group.end(), k) == group.end()) Take(plan[k]);
            std::vector<Planned> again;
            int now = 0;
            LookHarderAgain();
            // no better once it leaves as many astray as the best: the rest need not be placed
            for (std::size_t g = 0; g < order.size() && now < fewest; ++g) {
                again.push_back(PlanLanded(plan[order[g]].label, readers));
                now += again.back().astray;
                Take(again.back());
            }
            if (now < fewest) fewest = now, best = std::move(again), bestOrder = order;
            if (fewest == 0) break;
        }
        if (!best.empty()) {
            for (std::size_t g = 0; g < bestOrder.size(); ++g) plan[bestOrder[g]] = best[g];
            astray += fewest - before;
        }
        Unplan(texts, lines, leaders);
        for (const Planned& p : plan) Take(p);
    }
}

}  // namespace brindlemar

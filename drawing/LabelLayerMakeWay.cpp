// The values of a crowded picture made way for: where one placed after
// another took the only spot another reads by, the one astray is placed
// first and those in its way, then those labelling things beside its own,
// again after it, each taking its next best, in the order that leaves
// fewest astray.

#include <algorithm>
#include <climits>
#include <optional>
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
// How many values at most are placed again in all, each of them as dear as
// a far search: the room it finds for a few more values is worth a moment's
// wait on a crowded picture, not seconds at every redraw.
constexpr int kWork = 600;

}  // namespace

void LabelLayer::MakeWay(std::vector<Planned>& plan, int& astray, std::size_t texts, std::size_t lines,
                         std::size_t leaders) {
    if (astray == 0 || labels_.size() > label_layer::kFewValues || dynamic_cast<LabelLayer*>(&target_) != nullptr) return;
    const std::vector<Reader> readers = Readers();
    // How many times way was made so far, and after how many of them each
    // value astray was last made way for in vain: with nothing moved since,
    // it would find as little again (a redraw would pay for it all the same).
    int made = 0;
    std::vector<int> inVain(plan.size(), -1);
    int work = kWork;
    for (int pass = 0, was = INT_MAX; pass < label_layer::kMakeWayPasses && astray > 0 && astray < was; ++pass) {
        was = astray;
        for (std::size_t a = 0, tries = 0; a < plan.size() && astray > 0 && tries < kMakeWay && work > 0; ++a) {
            if (plan[a].astray == 0 || !labels_[plan[a].label].Of) continue;
            ++tries;
            if (inVain[a] == made) continue;
            if (MakeWayFor(a, readers, plan, astray, work, texts, lines, leaders))
                ++made;
            else
                inVain[a] = made;
        }
    }
}

bool LabelLayer::MakeWayFor(std::size_t a, const std::vector<Reader>& readers, std::vector<Planned>& plan, int& astray,
                            int& work, std::size_t texts, std::size_t lines, std::size_t leaders) {
    const Label& hard = labels_[plan[a].label];
    // where it would stand were no other value placed, and the values placed in its way
    Unplan(texts, lines, leaders);
    LookHarderAgain();
    --work;
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
    // the others as they stand, then the group again, this one first; each
    // order tried is kept as far as it was placed, with how much harder the
    // layer could still look after each value: an order that begins as one
    // tried before (with this one, every order) places those first values as
    // that one did, so they are taken as they were
    struct Tried {
        std::vector<std::size_t> order;
        std::vector<Planned> placed;
        std::vector<int> lookHarder;
    };
    std::vector<Tried> tried;
    std::optional<std::size_t> bestTried;
    int fewest = before;
    std::minstd_rand shuffle(1);
    bool whole = true;
    for (int variant = 0; variant < kOrders && fewest > 0 && whole; ++variant) {
        Tried now{group, {}, {}};
        std::vector<std::size_t>& order = now.order;
        if (variant == 1) std::reverse(order.begin() + 1, order.end());
        // shuffled by the generator's own numbers, which every library gives alike
        for (std::size_t i = order.size() - 1; variant > 1 && i > 1; --i) std::swap(order[i], order[1 + shuffle() % i]);
        const Tried* same = nullptr;
        std::size_t shared = 0;
        for (const Tried& t : tried) {
            const auto n = static_cast<std::size_t>(
                std::mismatch(order.begin(), order.end(), t.order.begin(), t.order.end()).first - order.begin());
            if (std::min(n, t.placed.size()) > shared) same = &t, shared = std::min(n, t.placed.size());
        }
        Unplan(texts, lines, leaders);
        for (std::size_t k = 0; k < plan.size(); ++k)
            if (std::find(group.begin(), group.end(), k) == group.end()) Take(plan[k]);
        int left = 0;
        LookHarderAgain();
        // no better once it leaves as many astray as the best: the rest need not be placed
        for (std::size_t g = 0; g < order.size() && left < fewest; ++g) {
            if (g < shared)
                now.placed.push_back(same->placed[g]), lookHarder_ = same->lookHarder[g];
            else if ((whole = work-- > 0))
                now.placed.push_back(PlanLanded(plan[order[g]].label, readers));
            else
                break;
            now.lookHarder.push_back(lookHarder_);
            left += now.placed.back().astray;
            Take(now.placed.back());
        }
        const bool better = whole && left < fewest;
        if (better) fewest = left;
        tried.push_back(std::move(now));
        if (better) bestTried = tried.size() - 1;
    }
    if (bestTried) {
        const Tried& best = tried[*bestTried];
        for (std::size_t g = 0; g < best.order.size(); ++g) plan[best.order[g]] = best.placed[g];
        astray += fewest - before;
    }
    Unplan(texts, lines, leaders);
    for (const Planned& p : plan) Take(p);
    return bestTried.has_value();
}

}  // namespace brindlemar

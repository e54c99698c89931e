// The values of a crowded picture laid out together: where one placed after
// another took the only spot another could read by, each is given a few
// placements that read right, found as if no other value stood there, and
// one of them is chosen for each so that none stands in another's way.

#include <algorithm>
#include <climits>
#include <numeric>
#include <utility>

#include "drawing/LabelLayer.h"

namespace brindlemar {

namespace {

// How many placements each value is given to choose from.
constexpr int kChoices = 6;
// Up to how many values a picture's values are laid out together: beyond,
// choosing among their placements takes longer than a redraw may.
constexpr std::size_t kJointMost = 80;
// How many choices the search for a joint layout makes at most.
constexpr int kJointNodes = 20000;

}  // namespace

void LabelLayer::LayOutJointly(std::vector<Planned>& plan, const std::vector<Reader>& readers, int& astray,
                               std::size_t texts, std::size_t lines, std::size_t leaders) {
    const std::size_t n = labels_.size();
    if (astray == 0 || n > kJointMost) return;
    Unplan(texts, lines, leaders);
    // every placement of every label, numbered one after another, and which are in each other's way
    std::vector<Planned> spot;
    std::vector<std::size_t> first(n + 1, 0);
    for (std::size_t k = 0; k < n; ++k) {
        for (Planned& p : Choices(k, readers, kChoices)) spot.push_back(std::move(p));
        first[k + 1] = spot.size();
    }
    const std::size_t none = spot.size();
    std::vector<std::vector<std::size_t>> inTheWay(spot.size());
    for (std::size_t i = 0; i < spot.size(); ++i)
        for (std::size_t j = first[spot[i].label + 1]; j < spot.size(); ++j)
            if (!Apart(spot[i], spot[j])) {
                inTheWay[i].push_back(j);
                inTheWay[j].push_back(i);
            }
    // Each label gets a placement where it can, one whose labels in the way
    // are all without one: those with fewest placements left to choose
    // from choose first, each of its placements in turn and then none, as
    // long as that may still leave more labels placed than the best so far
    // (a value that must show counting before one that may be left out),
    // for a while at most.
    std::vector<int> weight(n), blocked(none, 0);
    for (std::size_t k = 0; k < n; ++k) weight[k] = labels_[k].Crowded == WhenCrowded::Leader || labels_[k].Crowded == WhenCrowded::Elsewhere ? 1000 : 1;
    std::vector<std::size_t> at(n, none), best(n, none);
    std::vector<char> decided(n, 0);
    int bestScore = -1, score = 0, open = 0, nodes = 0;
    for (std::size_t k = 0; k < n; ++k)
        if (first[k + 1] > first[k]) open += weight[k];
        else decided[k] = 1;
    auto place = [&](std::size_t k, std::size_t i, int by) {
        at[k] = by > 0 ? i : none;
        for (const std::size_t j : inTheWay[i]) blocked[j] += by;
    };
    auto search = [&](auto&& self) -> void {
        if (++nodes > kJointNodes) return;
        if (score > bestScore) bestScore = score, best = at;
        if (score + open <= bestScore) return;
        // the label with fewest placements left
        std::size_t next = n;
        int fewest = INT_MAX;
        for (std::size_t k = 0; k < n; ++k) {
            if (decided[k]) continue;
            int left = 0;
            for (std::size_t i = first[k]; i < first[k + 1]; ++i) left += blocked[i] == 0;
            if (left < fewest) fewest = left, next = k;
        }
        if (next == n) return;
        decided[next] = 1;
        open -= weight[next];
        score += weight[next];
        for (std::size_t i = first[next]; i < first[next + 1] && nodes <= kJointNodes; ++i)
            if (blocked[i] == 0) {
                place(next, i, 1);
                self(self);
                place(next, i, -1);
            }
        score -= weight[next];
        self(self);
        open += weight[next];
        decided[next] = 0;
    };
    search(search);
    at = best;
    // the labels at their placements, then those without one placed among them one by one
    std::vector<Planned> joint;
    for (std::size_t k = 0; k < n; ++k)
        if (at[k] != none) {
            joint.push_back(spot[at[k]]);
            Take(joint.back());
        }
    int left = 0;
    LookHarderAgain();
    for (std::size_t k = 0; k < n; ++k)
        if (at[k] == none) left += PlanOne(k, readers, joint);
    if (left < astray) {
        plan = std::move(joint);
        astray = left;
        return;
    }
    Unplan(texts, lines, leaders);
    for (const Planned& p : plan) Take(p);
}

}  // namespace brindlemar

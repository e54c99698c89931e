// Stability analysis of every combination of a full set of 50 on the
// built-in wall (water on both sides, earthquake, sloping backfill, shear key).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "analysis/Analysis.h"
#include "model/Initialise.h"
#include "model/Model.h"

namespace brindlemar {
namespace {

// The built-in wall with a third set of 50 combinations whose load and
// resistance factors vary from one combination to the next.
std::unique_ptr<Model> WallWithFullSet() {
    auto wall = std::make_unique<Model>();
    Model& m = *wall;
    m.ProgramDirectory = "/nonexistent/brindlemar-bench";   // no defaults file
    InitialiseProject(m);
    CombinationSet& set = m.CombinationSets[2];
    set.Name = "Bench";
    set.Factors = m.CurrentFactorDefinition;
    set.CombinationCount = 50;
    for (int c = 0; c < 50; ++c) {
        LoadCombination& combination = set.Combinations[c];
        combination.Name = "Combination " + std::to_string(c + 1);
        for (int k = 1; k <= MaxFactorCount; ++k) combination.Factor[k] = 0.75f + 0.01f * ((c * 7 + k * 3) % 50);
    }
    m.CombinationSetCount = 3;
    m.ActiveCombinationSet = 2;
    return wall;
}

void BM_AnalyseAllCombinationsOfAFullSet(benchmark::State& state) {
    auto wall = WallWithFullSet();
    for (auto _ : state) {
        AnalyseAllCombinations(*wall);
        benchmark::DoNotOptimize(wall->CombinationRotationResistanceRatios[50]);
    }
    state.SetItemsProcessed(state.iterations() * 50);
    state.counters["per_combination"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 50,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_AnalyseAllCombinationsOfAFullSet);

}  // namespace
}  // namespace brindlemar

// Reinforcement design of all eight faces and four members with the bar
// search running on every face; and the whole design of one combination,
// from its analysis through the section forces to the bars.

#include <benchmark/benchmark.h>

#include <memory>

#include "design/DesignReinforcement.h"
#include "design/DesignSectionForces.h"
#include "model/Initialise.h"
#include "model/Model.h"

namespace brindlemar {
namespace {

// A metric wall whose faces carry moments from light to beyond any bar of
// the grid, so the search runs from a few trials to all of them.
std::unique_ptr<Model> LoadedWall() {
    auto wall = std::make_unique<Model>();
    Model& m = *wall;
    m.CurrentUnitSystem = Metric;
    m.ConcreteCompressiveStress = 300;
    m.RebarYieldStress = 3000;
    m.RebarElasticityModulus = 21;
    m.ConcreteCover = 5;
    m.ActiveCombinationSet = 1;
    auto& factor = m.CombinationSets[1].Combinations[0].Factor;
    factor[CT] = 0.9f;
    factor[CC] = 0.65f;
    factor[CS] = 0.75f;
    const float moments[9] = {0, -4, 1, -25, 3, -12, 40, -150, 400};
    const float depths[9] = {0, 0.9f, 0.9f, 1.4f, 1.4f, 1.5f, 1.5f, 1.0f, 1.0f};
    for (int p = 1; p <= 8; ++p) {
        m.GoverningFlexureCombinations[p] = 1;
        m.FlexureMoments[1][p] = moments[p];
        m.FlexureAxialForces[1][p] = p <= 4 ? 6.0f : 0.0f;
        m.FlexureSectionDepths[1][p] = depths[p];
    }
    for (int member = 1; member <= 4; ++member) {
        m.GoverningShearCombinations[member] = 1;
        m.ShearForces[1][member] = 10.0f * member;
        m.ShearSectionDepths[1][member] = depths[2 * member];
    }
    return wall;
}

void BM_DesignReinforcementWithBarSearch(benchmark::State& state) {
    auto wall = LoadedWall();
    for (auto _ : state) {
        DesignReinforcement(*wall);
        benchmark::DoNotOptimize(wall->FlexureDesignResults[8].MomentStrength);
    }
}
BENCHMARK(BM_DesignReinforcementWithBarSearch)->Unit(benchmark::kMicrosecond);

// The built-in wall (water, earthquake, sloping backfill, shear key) with its
// bearing combination alone and the concrete's strength factors, as the
// reinforcement dialog designs it after every change.
void BM_DesignOneCombination(benchmark::State& state) {
    auto wall = std::make_unique<Model>();
    Model& m = *wall;
    InitialiseProject(m, false);   // the built-in wall, whatever defaults file lies about
    m.UpperStemLength = 4;
    CombinationSet& set = m.CombinationSets[1];
    set.Combinations[0] = set.Combinations[1];
    set.CombinationCount = 1;
    set.Combinations[0].Factor[CT] = 0.9f;
    set.Combinations[0].Factor[CC] = 0.65f;
    set.Combinations[0].Factor[CS] = 0.75f;
    m.ActiveCombinationSet = 1;
    for (auto _ : state) {
        ComputeDesignSectionForces(m);
        DesignReinforcement(m);
        benchmark::DoNotOptimize(m.FlexureDesignResults[5].MomentStrength);
    }
    state.counters["stable"] = m.AllCombinationsStable != 0 ? 1 : 0;
}
BENCHMARK(BM_DesignOneCombination)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brindlemar

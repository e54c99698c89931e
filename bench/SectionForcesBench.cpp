// Design section forces of a 50-combination set on the built-in wall with
// 20 line loads spread over stem, toe and heel: every combination analysed,
// its stations built and every cut of the four members scanned.

#include <benchmark/benchmark.h>

#include <memory>

#include "design/DesignSectionForces.h"
#include "model/Initialise.h"
#include "model/Model.h"
#include "model/Outline.h"

namespace brindlemar {
namespace {

std::unique_ptr<Model> LoadedWall() {
    auto wall = std::make_unique<Model>();
    Model& m = *wall;
    InitialiseProject(m, false);   // the built-in wall, whatever defaults file lies about
    // line loads: 8 on the stem, 6 on the toe, 6 on the heel
    m.LineLoadCount = 0;
    for (int i = 0; i < 8; ++i) m.LineLoads[++m.LineLoadCount] = {2.0f, 2.9f, 9.5f - 0.9f * i, 200, LL};
    for (int i = 0; i < 6; ++i) m.LineLoads[++m.LineLoadCount] = {3.0f, 0.2f + 0.3f * i, 1.0f, 180, DL};
    for (int i = 0; i < 6; ++i) m.LineLoads[++m.LineLoadCount] = {3.0f, 4.0f + 0.5f * i, 1.5f, 170, EV};
    m.UpperStemLength = 4;
    CombinationSet& set = m.CombinationSets[1];
    set.CombinationCount = 50;
    for (int c = 0; c < 50; ++c) {
        LoadCombination& combination = set.Combinations[c];
        for (int k = 1; k <= 21; ++k) combination.Factor[k] = 1.0f;
        for (int k = 1; k <= 11; ++k) combination.Factor[k] = 0.9f + 0.01f * ((c + k) % 20);
    }
    m.ActiveCombinationSet = 1;
    SetWaterDepths(m);
    SetSeismicCoefficient(m);
    ComputeWallOutline(m);
    return wall;
}

void BM_ComputeDesignSectionForces50Combinations20LineLoads(benchmark::State& state) {
    auto wall = LoadedWall();
    for (auto _ : state) {
        ComputeDesignSectionForces(*wall);
        benchmark::DoNotOptimize(wall->FlexureMoments[50][3]);
    }
    state.counters["stable"] = wall->AllCombinationsStable != 0 ? 1 : 0;
}
BENCHMARK(BM_ComputeDesignSectionForces50Combinations20LineLoads)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brindlemar

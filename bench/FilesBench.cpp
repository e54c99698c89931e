// Writing and reading a project file with every table at its limit: 50 line
// loads and 50 combination sets of up to 50 combinations.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <unistd.h>

#include "files/ProjectFile.h"
#include "model/Initialise.h"
#include "model/Model.h"
#include "runtime/Hooks.h"

namespace brindlemar {
namespace {

std::string BenchFolder() {
    const auto folder = std::filesystem::temp_directory_path() / ("brindlemar-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    return folder.string();
}

std::unique_ptr<Model> FullProject(const std::string& folder) {
    auto wall = std::make_unique<Model>();
    Model& m = *wall;
    m.ProgramDirectory = folder;
    InitialiseProject(m);
    m.LineLoadCount = 50;
    for (int i = 1; i <= 50; ++i) m.LineLoads[i] = {1.0f * i, 0.1f * i, 0.2f * i, 90, static_cast<int16_t>(1 + i % 9)};
    m.CombinationSetCount = 50;
    for (int s = 2; s <= 50; ++s) {
        CombinationSet& set = m.CombinationSets[s];
        set = m.CombinationSets[1];
        set.Name = "Set " + std::to_string(s);
        set.CombinationCount = 50;
        for (int c = 0; c < 50; ++c) {
            set.Combinations[c].Name = "Strength " + std::to_string(c);
            for (int k = 1; k <= 21; ++k) set.Combinations[c].Factor[k] = 1.0f + 0.01f * k;
        }
    }
    return wall;
}

void BM_WriteProjectFile(benchmark::State& state) {
    const std::string folder = BenchFolder();
    auto m = FullProject(folder);
    const std::string path = folder + "/full.bmi";
    for (auto _ : state) benchmark::DoNotOptimize(WriteProjectFile(*m, path));
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_WriteProjectFile)->Unit(benchmark::kMillisecond);

void BM_ReadProjectFile(benchmark::State& state) {
    const std::string folder = BenchFolder();
    auto m = FullProject(folder);
    const std::string path = folder + "/full.bmi";
    WriteProjectFile(*m, path);
    for (auto _ : state) {
        // the file commands reset the model before every read
        InitialiseProject(*m);
        benchmark::DoNotOptimize(ReadProjectFile(*m, path));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadProjectFile)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace brindlemar

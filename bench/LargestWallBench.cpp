// The largest wall a project file holds: fifty line loads and a set of
// fifty combinations. Its loads view redrawn into a full-HD picture, and its
// whole report printed into a PDF file, counted in pages a second.

#include <benchmark/benchmark.h>

#include <QPrinter>
#include <filesystem>

#include "BenchApplication.h"

#include "analysis/Preparation.h"
#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "model/Enums.h"
#include "model/Initialise.h"
#include "model/Model.h"
#include "platform/ImageSurface.h"
#include "platform/Printers.h"
#include "platform/PrinterSurface.h"
#include "reports/ReportJob.h"

namespace {

using namespace brindlemar;

// The built-in wall with every line load and combination a file can hold.
void MakeLargestWall(Model& m) {
    InitialiseProject(m, false);
    m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
    m.SymbolFontName = "Symbol";
    m.LineLoadCount = MaxLineLoads;
    for (int i = 1; i <= MaxLineLoads; ++i)
        m.LineLoads[i] = LineLoad{2.0f + i % 7, m.BaseWidth * (i % 25) / 25.0f, m.WallHeight + 0.1f * (i % 4),
                                  180.0f - 15.0f * (i % 5), static_cast<int16_t>(1 + i % 9)};
    CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
    for (int i = 1; i < MaxCombinations - 1; ++i) {
        set.Combinations[static_cast<size_t>(i)] = set.Combinations[0];
        set.Combinations[static_cast<size_t>(i)].Factor[DL] = 0.9f + 0.01f * i;
    }
    set.CombinationCount = MaxCombinations - 1;
}

void LargestWallLoadsView(benchmark::State& state) {
    bench::EnsureApplication();
    Model m;
    MakeLargestWall(m);
    ImageSurface s(1920, 1080);
    s.FontName = m.TextFontName;
    s.FontSize = 8;
    s.Drawing().FrameWidth = 1920 * 15;
    s.Drawing().FrameHeight = 1080 * 15;
    for (auto _ : state) {
        s.Cls();
        PrepareCombination(m);
        {
            const FrameBelowFactorTable below(s);
            DrawAnalysisView(m, s, static_cast<int>(state.range(0)));
        }
        DrawFactorTable(m, s);
        benchmark::DoNotOptimize(s.Image().constBits());
    }
}
BENCHMARK(LargestWallLoadsView)
    ->ArgName("view")
    ->Arg(LoadsView)
    ->Arg(StructuralLoadsView)
    ->Unit(benchmark::kMillisecond);

void LargestWallReportToPdf(benchmark::State& state) {
    bench::EnsureApplication();
    Model m;
    MakeLargestWall(m);
    for (int section = 0; section <= 6; ++section) SectionSwitch(m, section) = 1;
    CurrentPrinter::Get().Select(PdfPrinterName);
    const std::string pdf = (std::filesystem::temp_directory_path() / "brindlemar_bench_largest.pdf").string();
    for (auto _ : state) {
        std::unique_ptr<QPrinter> printer = CurrentPrinter::Get().MakePrinter(pdf);
        PrinterSurface s(*printer);
        PrintReport(m, s, nullptr);
    }
    const double pages = ReportPageCount(m);
    state.counters["pages"] = pages;
    state.counters["pages_per_second"] = benchmark::Counter(pages * double(state.iterations()), benchmark::Counter::kIsRate);
    std::filesystem::remove(pdf);
}
BENCHMARK(LargestWallReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

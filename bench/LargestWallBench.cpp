// The largest wall a project file holds: fifty line loads and a set of
// fifty combinations. Each of its views redrawn into a full-HD picture (the
// loads views with ten and twenty of its loads as well, to show how their
// cost grows with the values they place), the block of its report that costs
// most, and its whole report printed into a PDF file, counted in pages a
// second. Beside it, the crowded picture of a wall of ten loads.

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
#include "reports/ReportBlocks.h"
#include "reports/ReportJob.h"
#include "reports/ReportPage.h"
#include "support/ViewWalls.h"

namespace {

using namespace brindlemar;

// The built-in wall with every combination a file can hold and as many of
// its line loads as given, all of them unless told.
void MakeLargestWall(Model& m, int loads = MaxLineLoads) {
    InitialiseProject(m, false);
    m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
    m.SymbolFontName = "Symbol";
    m.LineLoadCount = static_cast<int16_t>(loads);
    for (int i = 1; i <= loads; ++i)
        m.LineLoads[i] = LineLoad{2.0f + i % 7, m.BaseWidth * (i % 25) / 25.0f, m.WallHeight + 0.1f * (i % 4),
                                  180.0f - 15.0f * (i % 5), static_cast<int16_t>(1 + i % 9)};
    CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
    for (int i = 1; i < MaxCombinations - 1; ++i) {
        set.Combinations[static_cast<size_t>(i)] = set.Combinations[0];
        set.Combinations[static_cast<size_t>(i)].Factor[DL] = 0.9f + 0.01f * i;
    }
    set.CombinationCount = MaxCombinations - 1;
}

// One redraw of the view given as the main window's: the combination
// prepared, the view below the factor table, the table. Out of line, so
// that check-budgets can count the instructions of the last one alone.
[[gnu::noinline]] void RedrawLargestWall(Model& m, ImageSurface& s, int view) {
    s.Cls();
    PrepareCombination(m);
    {
        const FrameBelowFactorTable below(s);
        DrawAnalysisView(m, s, view);
    }
    DrawFactorTable(m, s);
    benchmark::DoNotOptimize(s.Image().constBits());
}

// The view given, over the wall with the line loads given; its fonts loaded before the timing.
void DrawLargestWall(benchmark::State& state, int view, int loads) {
    bench::EnsureApplication();
    Model m;
    MakeLargestWall(m, loads);
    ImageSurface s(1920, 1080);
    bench::FrameFullHd(s, m.TextFontName);
    RedrawLargestWall(m, s, view);
    for (auto _ : state) RedrawLargestWall(m, s, view);
}

void LargestWallLoadsView(benchmark::State& state) {
    DrawLargestWall(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}
BENCHMARK(LargestWallLoadsView)
    ->ArgNames({"view", "loads"})
    ->ArgsProduct({{LoadsView, StructuralLoadsView}, {10, 20, MaxLineLoads}})
    ->Unit(benchmark::kMillisecond);

// Every other analysis view: the loads of one family, the reactions, the
// resistances and the force diagrams.
void LargestWallView(benchmark::State& state) { DrawLargestWall(state, static_cast<int>(state.range(0)), MaxLineLoads); }
BENCHMARK(LargestWallView)
    ->ArgName("view")
    ->Apply([](benchmark::internal::Benchmark* b) {
        for (int view = DeadLoadsView; view <= NormalView; ++view)
            if (view != LoadsView && view != StructuralLoadsView) b->Arg(view);
    })
    ->Unit(benchmark::kMillisecond);

// The ten-load wall's loads, its values crowded in the short picture and
// large type of a laptop's screen scaled 125 %: the most a picture of few
// values, which the layer works hardest to make room in, asks of a redraw.
void CrowdedTenLoadWall(benchmark::State& state) {
    bench::EnsureApplication();
    Model m;
    InitialiseProject(m, false);
    test::ShapeNamedWall(m, test::TenLoads);
    const int width = static_cast<int>(state.range(0)), height = static_cast<int>(state.range(1));
    ImageSurface s(width, height);
    s.FontName = "DejaVu Sans";
    s.FontSize = 12;
    s.Drawing().FrameWidth = width * 15;
    s.Drawing().FrameHeight = height * 15;
    RedrawLargestWall(m, s, LoadsView);
    for (auto _ : state) RedrawLargestWall(m, s, LoadsView);
}
BENCHMARK(CrowdedTenLoadWall)->Args({800, 380})->ArgNames({"w", "h"})->Unit(benchmark::kMillisecond);

// The loads of the first combination, a block of the report on a PDF
// page: a third of the report's blocks, and most of its time. Out of line,
// as a redraw above.
[[gnu::noinline]] void PrintLargestWallLoadsBlock(Model& m, Surface& s) {
    PrepareCombination(m);
    PrintLoadsBlock(m, s);
}

void LargestWallLoadsBlock(benchmark::State& state) {
    bench::EnsureApplication();
    Model m;
    MakeLargestWall(m);
    CurrentPrinter::Get().Select(PdfPrinterName);
    const std::string pdf = (std::filesystem::temp_directory_path() / "brindlemar_bench_block.pdf").string();
    {
        std::unique_ptr<QPrinter> printer = CurrentPrinter::Get().MakePrinter(pdf);
        PrinterSurface s(*printer);
        SetupPrinterPage(m, s);
        s.Drawing().CurrentHalfPage = 0;
        // once before the timing, as a view is: the fonts load with the first block alone
        PrintLargestWallLoadsBlock(m, s);
        for (auto _ : state) PrintLargestWallLoadsBlock(m, s);
    }
    std::filesystem::remove(pdf);
}
BENCHMARK(LargestWallLoadsBlock)->Unit(benchmark::kMillisecond);

// The whole report, out of line, so that check-budgets can count it alone.
[[gnu::noinline]] void PrintLargestWallReport(Model& m, Surface& s) { PrintReport(m, s, nullptr); }

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
        PrintLargestWallReport(m, s);
    }
    const double pages = ReportPageCount(m);
    state.counters["pages"] = pages;
    state.counters["pages_per_second"] = benchmark::Counter(pages * double(state.iterations()), benchmark::Counter::kIsRate);
    std::filesystem::remove(pdf);
}
BENCHMARK(LargestWallReportToPdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

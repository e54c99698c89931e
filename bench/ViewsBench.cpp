// Each analysis view of the main window redrawn into a full-HD picture: the
// combination prepared as the redraw prepares it, the wall, the view over it
// and the factor table.

#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "analysis/Preparation.h"
#include "model/Initialise.h"
#include "model/Model.h"
#include "platform/ImageSurface.h"

namespace {

void AnalysisViewFullHd(benchmark::State& state) {
    using namespace brindlemar;
    bench::EnsureApplication();
    const int view = static_cast<int>(state.range(0));
    Model m;
    InitialiseProject(m, false);   // the built-in wall, with water and seismic loading
    m.TextFontName = "Arial";
    ImageSurface s(1920, 1080);
    s.FontName = m.TextFontName;
    s.FontSize = 8;
    s.Drawing().FrameWidth = 1920 * 15;
    s.Drawing().FrameHeight = 1080 * 15;
    for (auto _ : state) {
        s.Cls();
        PrepareCombination(m);
        DrawAnalysisView(m, s, view);
        DrawFactorTable(m, s);
        benchmark::DoNotOptimize(s.Image().constBits());
    }
}
BENCHMARK(AnalysisViewFullHd)
    ->ArgName("view")
    ->Arg(brindlemar::LoadsView)
    ->Arg(brindlemar::ReactionsView)
    ->Arg(brindlemar::ResistancesView)
    ->Arg(brindlemar::MomentView)
    ->Arg(brindlemar::ShearView)
    ->Arg(brindlemar::NormalView)
    ->Unit(benchmark::kMillisecond);

}  // namespace

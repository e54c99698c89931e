// The main window's dimensions view redrawn into a full-HD picture: the wall
// with its fills, the dimension lines and the caption.

#include <benchmark/benchmark.h>

#include "BenchApplication.h"

#include "drawing/Draw.h"
#include "model/Initialise.h"
#include "model/Model.h"
#include "platform/ImageSurface.h"

namespace {

void DimensionsViewFullHd(benchmark::State& state) {
    using namespace brindlemar;
    bench::EnsureApplication();
    Model m;
    InitialiseProject(m, false);   // the built-in wall, not the defaults of this machine
    m.TextFontName = "Arial";
    ImageSurface s(1920, 1080);
    s.FontName = m.TextFontName;
    s.FontSize = 8;
    s.Drawing().FrameWidth = 1920 * 15;
    s.Drawing().FrameHeight = 1080 * 15;
    for (auto _ : state) {
        s.Cls();
        DrawWall(m, s, 1, 0);
        DrawDimensionsView(m, s, 1);
        benchmark::DoNotOptimize(s.Image().constBits());
    }
}
BENCHMARK(DimensionsViewFullHd)->Unit(benchmark::kMillisecond);

}  // namespace

#include "drawing/Legend.h"

#include <cmath>

#include "drawing/TextPlacement.h"
#include "analysis/BackfillPressure.h"
#include "runtime/Format.h"

namespace brindlemar {

std::vector<std::string> StabilityLegendLines(const Model& m) {
    std::vector<std::string> lines;
    // an analysis that could not be completed judges nothing
    if (!m.AnalysisFailure.empty())
        lines.push_back("No result could be computed");
    else if (m.WallStable == 0)
        lines.push_back("The wall is not stable");
    if (EarthquakeActs(m))
        lines.push_back("Seismic coeficient = " + Format(m.AppliedSeismicCoefficient, "#0.#0"));
    return lines;
}

void PrintLegend(const Model& m, Surface& s, const std::vector<std::string>& lines) {
    // whole units apart: a surface that prints at whole units rounds a
    // fraction of one into the line above
    const double h = std::ceil(s.TextHeight("T"));
    const double bottom = static_cast<double>(s.Drawing().FrameTop) + s.Drawing().FrameHeight;
    s.ForeColor = m.CaptionColour;
    const auto n = static_cast<double>(lines.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        s.CurrentY = bottom - (n - static_cast<double>(i)) * h - 60;
        PrintAt(s, lines[i], 120);
    }
}

}  // namespace brindlemar

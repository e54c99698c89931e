#include "drawing/LoadsView.h"

#include <algorithm>
#include <cmath>

#include "drawing/ForceArrows.h"
#include "drawing/LabelLayer.h"
#include "drawing/Legend.h"
#include "drawing/LoadBlocks.h"
#include "drawing/Primitives.h"
#include "drawing/WallView.h"
#include "analysis/Analysis.h"
#include "model/Outline.h"
#include "runtime/Colours.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The type of the view tried at its size and at 0.9 and 0.8 of it: smaller,
// its digits stand a third smaller than the window's own and read poorly.
constexpr int kTypeSteps = 3;

// One row of surcharge arrows on the backfill surface from x0 to x1, the
// surface starting at (x0, y0) and rising 1 for every BackfillSlopeRatio.
// Arrow ends and the tail line are kept below `ceiling`.
void DrawSurchargeRow(const Model& m, Surface& s, double x0, double y0, double x1, double factor, double ceiling) {
    const DrawnFor owner(s);
    auto surface = [&](double x) { return y0 - BackfillRise(m, x - x0); };
    const double length = s.Drawing().LoadArrowScale * std::fabs(m.BackfillSurcharge) * factor;
    const double pitch = s.Drawing().ArrowHeadSize;
    const double span = x1 - x0;
    if (pitch > 0 && span >= 0) {
        const long count = static_cast<long>(std::floor(span / pitch)) + 1;
        for (long k = 0; k < count; ++k) {
            const double x = x0 + k * pitch;
            const double head = std::max(surface(x), ceiling);
            const double tail = std::max(surface(x) - length, ceiling);
            int32_t colour = m.LoadColour;
            int pen = s.Drawing().LoadOutlinePenWidth;
            DrawArrow(s, x, tail, x, head, 1, colour, pen);
        }
    }
    const double tail0 = std::max(surface(x0) - length, ceiling);
    const double tail1 = std::max(surface(x1) - length, ceiling);
    DrawLineSolid(s, x0, tail0, x1, tail1, m.LoadColour, s.Drawing().LoadOutlinePenWidth);

    // the value over the middle of the row, beyond the tails; on a rising
    // backfill the tail line climbs under the text's far half, so the text
    // stands higher (lower under a row of negative arrows) by that climb
    const std::string text =
        LoadValueText(std::fabs(static_cast<double>(m.BackfillSurcharge) * factor)) + LoadCodeText(m, m.SurchargeLoadType);
    const double lineHeight = TwipsPerPoint * s.FontSize;
    const double meanTail = (tail0 + tail1) / 2;
    const double width = s.TextWidth(text);
    const double climb = BackfillRise(m, width / 2);
    s.CurrentX = (x0 + x1 - width) / 2;
    s.CurrentY = length >= 0 ? std::max(meanTail - 15 - lineHeight - climb, ceiling) : meanTail + 15 + climb;
    s.ForeColor = m.LoadLabelColour;
    NextTextLabels(s, x0, tail0, x1, tail1, LedWhenCrowded);
    s.Print(text);
}

}  // namespace

TextCell MeasureTextCell(Surface& s) { return {s.TextWidth("00.00") + 60, s.TextHeight("00.00") + 60}; }

LeastMargins LoadsViewLeastMargins(Surface& s) {
    // half of each margin beside the wall holds the groups' cells and a
    // block room of two cells; above and below it the usual share of the
    // frame: the values there find room by where they stand, not by a wall
    // that shrinks as the type grows
    const TextCell cell = MeasureTextCell(s);
    return {2 * (3 + 2) * cell.Width, 0};
}

void FitLoadArrowScale(const Model& m, Surface& s, const TextCell& cell, double backPlaneOverhang) {
    const auto& w = m.WaterPressureOrdinates;
    const double MX = s.Drawing().DrawingMarginX / 2.0, MY = s.Drawing().DrawingMarginY / 2.0;
    const double cw = cell.Width, ch = cell.Height;
    struct Group {
        double magnitude, room, least;
    };
    const double surcharge = m.BackfillSurcharge;
    const Group groups[] = {
        // horizontal pressures on the back plane
        {double(m.BackfillPressureOrdinates[2]) + w[3] + m.SeismicPressureOrdinates[1],
         MX - 3 * cw - backPlaneOverhang, 0},
        // uplift under the base
        {w[11], MY - ch, MY / 2},
        {w[12], MY - ch, MY / 2},
        // surcharge and water over the heel, and over the toe
        {surcharge + w[8], MY - 2 * ch, MY / 2},
        {surcharge + w[10], MY - 2 * ch, MY / 2},
        // pressures on the front face
        {double(m.HydrodynamicPressureOrdinates[1]) + w[6], MX - 2 * cw, 0},
    };
    double scale = 10000;
    for (const Group& g : groups) {
        const double magnitude = std::fabs(g.magnitude);
        if (!(magnitude > NegligibleForce)) continue;
        // above and below the wall, where the cells leave the arrows less
        // than half the room, they take that half and their values stand
        // where the label layer finds them room
        const double candidate = std::max({g.room, g.least, 0.0}) / magnitude;
        if (candidate < scale) scale = candidate;
    }
    s.Drawing().LoadArrowScale = static_cast<float>(scale);
}

bool FamilyShows(int family, int code, bool lineLoad) {
    switch (family) {
    case AllLoads: return true;
    case DeadLoads: return code == DL || code == EV;
    case LiveLoads: return code == LL;
    case SoilLoads: return code == EH || code == ES;
    case WaterLoads: return code == WA;
    case StructuralLoads: return lineLoad;
    case ImpactLoads: return code == LD || code == IC;
    case SeismicLoads: return code == EQ;
    default: return false;
    }
}

namespace {

// The loads view on the layer its values are laid out on.
void DrawLoadsOn(const Model& m, LabelLayer& s, int family, bool filled) {
    SetDrawingMargins(s, 0.4, 0.2, LoadsViewLeastMargins(s));
    if (!DrawingFitted(s)) return;
    // the values keep clear of the wall's lines, drawn below already
    s.Underneath(true);
    DrawWall(m, s, 0, 0, LoadsViewLeastMargins(s));
    s.Underneath(false);
    const TextCell cell = MeasureTextCell(s);

    FitLoadArrowScale(m, s, cell, SeismicComponentOverhang(m, s, cell));
    for (int i = 1; i <= m.LineLoadCount; ++i)
        if (FamilyShows(family, At(m.LineLoads, i).LoadType, true)) DrawLineLoad(m, s, i, filled);
    if (FamilyShows(family, m.SurchargeLoadType)) DrawSurchargeLoads(m, s);
    DrawWeightBlocks(m, s, family, filled);
    if (m.WaterIncluded != 0 && FamilyShows(family, WA)) DrawWaterPressure(m, s);
    if (FamilyShows(family, EH)) DrawLateralEarthPressure(m, s);
    if (FamilyShows(family, EQ)) DrawSeismicLoads(m, s, filled);
    s.PrintInPlace(true);
    DrawLoadsLegend(m, s);
}

}  // namespace

void DrawLoadsView(const Model& m, Surface& surface, int family, bool filled) {
    // the values and codes are laid out last, clear of the arrows, blocks and one another
    LabelLayer s = ViewLabelLayer(surface);
    DrawLoadsOn(m, s, family, filled);
}

void DrawWallAndLoads(const Model& m, Surface& s, int fillAreas, int family) {
    // Where some value would find no free spot near its arrow or block, the
    // whole view is drawn in smaller type, step by step down to eight tenths
    // of its own: the room kept for the values shrinks with their cells and
    // the wall grows into what they leave. Where even that is not enough,
    // the largest size that leaves fewest values astray. The values stand
    // as the trial of that size laid them out.
    const double size = s.FontSize;
    double best = size;
    LabelLayer::Layout chosen, tried;
    int fewest = -1;
    for (int step = 0; step < kTypeSteps && fewest != 0; ++step) {
        s.FontSize = size * (1 - 0.1 * step);
        ComputeDrawingScale(m, s, LoadsViewLeastMargins(s));
        if (!DrawingFitted(s)) break;
        {
            LabelLayer trial = ViewLabelLayer(s, true);
            trial.KeepLayout(tried);
            DrawLoadsOn(m, trial, family, fillAreas != 0);
        }
        if (fewest < 0 || tried.Astray() < fewest) {
            fewest = tried.Astray();
            best = s.FontSize;
            std::swap(chosen, tried);
        }
    }
    s.FontSize = best;
    DrawWall(m, s, fillAreas, 0, LoadsViewLeastMargins(s));
    {
        LabelLayer labels = ViewLabelLayer(s);
        labels.FollowLayout(chosen);
        DrawLoadsOn(m, labels, family, fillAreas != 0);
    }
    s.FontSize = size;
}

int32_t LoadColourAt(const Model& m, const Surface& s, double x, double y, bool filled) {
    return filled ? ShownOn(m.LoadColour, AreaColourAt(m, s, x, y)) : m.LoadColour;
}

void DrawLineLoad(const Model& m, Surface& s, int index, bool filled) {
    const LineLoad& load = At(m.LineLoads, index);
    if (load.Value == 0) return;
    const DrawingState& d = s.Drawing();
    const double x = d.DrawingXCoordinates[4] + double(d.DrawingScale) * load.X;
    const double y = d.DrawingYCoordinates[4] - double(d.DrawingScale) * load.Y;
    // a negative load points the other way
    const double angle = Radians(load.Direction) + (load.Value < 0 ? 4 * std::atan(1.0) : 0);
    const double ux = std::sin(angle), uy = -std::cos(angle);

    // as long as the frame lets it be from its point, and never shorter than two heads
    double length = d.ForceArrowLength;
    const double left = 0, right = d.FrameWidth, top = d.FrameTop, bottom = double(d.FrameTop) + d.FrameHeight;
    if (ux > 1E-9) length = std::min(length, (right - x) / ux);
    if (ux < -1E-9) length = std::min(length, (left - x) / ux);
    if (uy > 1E-9) length = std::min(length, (bottom - y) / uy);
    if (uy < -1E-9) length = std::min(length, (top - y) / uy);
    length = std::max(length, std::min<double>(d.ForceArrowLength, 2.0 * d.ArrowHeadSize));

    // the arrow shows on what lies under its middle; its value, on a white
    // ground, keeps the load colour
    const int32_t arrow = LoadColourAt(m, s, x + length / 2 * ux, y + length / 2 * uy, filled);
    DrawInclinedForce(s, x, y, std::fabs(load.Value), angle, LoadCodeText(m, load.LoadType), arrow, m.LoadColour,
                      d.LoadArrowPenWidth, 0, length);
}

void DrawSurchargeLoads(const Model& m, Surface& s) {
    const double q = double(m.BackfillSurcharge) * Factor(m, m.SurchargeLoadType);
    if (q == 0) return;
    const auto& X = s.Drawing().DrawingXCoordinates;
    const auto& Y = s.Drawing().DrawingYCoordinates;
    // over the heel, from the top of the stem's back face to the heel end
    const double overHeel = Factor(m, S1);
    if (overHeel != 0) DrawSurchargeRow(m, s, X[8], Y[8], X[40], overHeel, -1E30);
    // beyond the heel, out to the frame's edge and no higher than its top
    const double beyondHeel = Factor(m, S2);
    if (beyondHeel != 0) DrawSurchargeRow(m, s, X[40], Y[40], s.Drawing().FrameWidth, beyondHeel, s.Drawing().FrameTop);
}

void DrawLoadsLegend(const Model& m, Surface& s) {
    std::vector<std::string> lines = StabilityLegendLines(m);
    lines.push_back("Line loads in " + UnitLabel(m, m.ForceUnitLabels) + "/" + UnitLabel(m, m.LengthUnitLabels));
    lines.push_back("Distributed loads in " + UnitLabel(m, m.PressureUnitLabels));
    PrintLegend(m, s, lines);
}

}  // namespace brindlemar

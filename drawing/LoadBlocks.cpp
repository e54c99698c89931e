#include "drawing/LoadBlocks.h"

#include <algorithm>
#include <cmath>

#include "drawing/ForceArrows.h"
#include "drawing/LabelLayer.h"
#include "drawing/LoadsView.h"
#include "drawing/Primitives.h"
#include "drawing/PressureTrapezoids.h"
#include "drawing/TextPlacement.h"
#include "drawing/WallView.h"
#include "model/Outline.h"
#include "model/Polygons.h"
#include "analysis/BackfillPressure.h"
#include "analysis/WaterPressure.h"

namespace brindlemar {

namespace {

double NodeX(const Surface& s, int i) { return s.Drawing().DrawingXCoordinates[static_cast<size_t>(i)]; }
double NodeY(const Surface& s, int i) { return s.Drawing().DrawingYCoordinates[static_cast<size_t>(i)]; }

double Sign(double v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

// The larger of two ordinates, by size: how far a block reaches from its line.
double Outer(double a, double b) { return std::fabs(a) >= std::fabs(b) ? a : b; }

// Nearest whole drawing unit, halves to the even one.
double RoundToUnit(double v) { return std::isfinite(v) ? std::nearbyint(v) : 0; }

void LoadArrowAt(const Model& m, Surface& s, double x, double y, int direction, double value,
                 const std::string& label) {
    if (direction == 0)
        DrawVerticalLoadArrow(s, x, y, value, label, m.LoadColour, m.LoadLabelColour, s.Drawing().LoadArrowPenWidth);
    else
        DrawHorizontalLoadArrow(s, x, y, value, label, m.LoadColour, m.LoadLabelColour, s.Drawing().LoadArrowPenWidth);
}

void BlockLine(const Model& m, Surface& s, double x1, double y1, double x2, double y2) {
    DrawLineSolid(s, x1, y1, x2, y2, m.LoadColour, s.Drawing().LoadOutlinePenWidth);
}

void DrawBlock(const Model& m, Surface& s, int k, int direction, double value, const std::string& label) {
    const int16_t* p = WallBlocks[k].Nodes;
    if (WallBlocks[k].Count == 3)
        DrawWeightTriangle(m, s, p[0], p[1], p[2], direction, value, label);
    else
        DrawWeightQuad(m, s, p[0], p[1], p[2], p[3], direction, value, label);
}

// A body's centroid on the drawing, from the lower toe end and the wall top.
double BodyX(const Model& m, const Surface& s, int i) {
    return NodeX(s, 4) + double(s.Drawing().DrawingScale) * m.BodyCentroidsX[static_cast<size_t>(i)];
}
double BodyY(const Model& m, const Surface& s, int i) {
    return NodeY(s, 1) + double(s.Drawing().DrawingScale) * m.BodyCentroidsY[static_cast<size_t>(i)];
}

// A short label beside a block end, vertically centred on the middle of the
// ordinate p (drawing units) standing on the line y.
void LabelBesideOrdinate(Surface& s, const std::string& label, double x, bool endsAtX, double y, double p) {
    s.CurrentY = y - p / 2 - TwipsPerPoint * s.FontSize / 2;
    if (endsAtX)
        PrintRightAligned(s, label, x);
    else
        PrintAt(s, label, x);
}

}  // namespace

void DrawWeightTriangle(const Model& m, Surface& s, int p1, int p2, int p3, int direction, double value,
                        const std::string& label) {
    if (value == 0) return;
    const DrawnFor owner(s);
    const int p[] = {p1, p2, p3};
    for (int i = 0; i < 3; ++i) {
        const int a = p[i], b = p[(i + 1) % 3], c = p[(i + 2) % 3];
        BlockLine(m, s, NodeX(s, a), NodeY(s, a), NodeX(s, b), NodeY(s, b));
        // median from the opposite corner to the side's middle
        BlockLine(m, s, NodeX(s, c), NodeY(s, c), (NodeX(s, a) + NodeX(s, b)) / 2, (NodeY(s, a) + NodeY(s, b)) / 2);
    }
    const double cx = (NodeX(s, p1) + NodeX(s, p2) + NodeX(s, p3)) / 3;
    const double cy = (NodeY(s, p1) + NodeY(s, p2) + NodeY(s, p3)) / 3;
    LoadArrowAt(m, s, cx, cy, direction, value, label);
}

void DrawWeightQuad(const Model& m, Surface& s, int p1, int p2, int p3, int p4, int direction, double value,
                    const std::string& label) {
    if (value == 0) return;
    const DrawnFor owner(s);
    const int p[] = {p1, p2, p3, p4};
    for (int i = 0; i < 4; ++i)
        BlockLine(m, s, NodeX(s, p[i]), NodeY(s, p[i]), NodeX(s, p[(i + 1) % 4]), NodeY(s, p[(i + 1) % 4]));
    BlockLine(m, s, NodeX(s, p1), NodeY(s, p1), NodeX(s, p3), NodeY(s, p3));
    BlockLine(m, s, NodeX(s, p2), NodeY(s, p2), NodeX(s, p4), NodeY(s, p4));
    const double cx = (NodeX(s, p1) + NodeX(s, p2) + NodeX(s, p3) + NodeX(s, p4)) / 4;
    const double cy = (NodeY(s, p1) + NodeY(s, p2) + NodeY(s, p3) + NodeY(s, p4)) / 4;
    LoadArrowAt(m, s, cx, cy, direction, value, label);
}

void DrawWeightBlocks(const Model& m, Surface& s, int family, bool filled) {
    if (m.ShowWeightResultants != 0) {
        // the wall's weight, then the two backfill bodies
        constexpr int codes[] = {0, DL, EV, EV};
        for (int i = 1; i <= 3; ++i) {
            const double weight = m.BodyWeights[static_cast<size_t>(i)];
            const double middle = BodyY(m, s, i) + (weight > 0 ? 1 : -1) * s.Drawing().ForceArrowLength / 2.0;
            if (FamilyShows(family, codes[i]))
                DrawVerticalLoadArrow(s, BodyX(m, s, i), BodyY(m, s, i), weight, LoadCodeText(m, codes[i]),
                                      LoadColourAt(m, s, BodyX(m, s, i), middle, filled), m.LoadLabelColour,
                                      s.Drawing().LoadArrowPenWidth);
        }
        return;
    }
    // blocks 1 to 9 are the wall, the others the backfill over the heel
    for (int k = 1; k <= 17; ++k)
        if (FamilyShows(family, k <= 9 ? DL : EV))
            DrawBlock(m, s, k, 0, m.BlockWeights[static_cast<size_t>(k)], LoadCodeText(m, DL));
}

void DrawLateralEarthPressure(const Model& m, Surface& s) {
    const double x = NodeX(s, 14) + 30;
    const double scale = s.Drawing().LoadArrowScale;
    const auto& q = m.BackfillPressureOrdinates;
    const double yWater = BackWaterLevel(m, s);
    // the pressure points towards the wall, so the blocks stand right of the line
    DrawPressureTrapezoidV(s, NodeY(s, 40), yWater, x, -q[0] * scale, -q[1] * scale, LoadValueText(q[0]),
                           LoadValueText(q[1]), m.LoadColour, m.LoadLabelColour, s.Drawing().LoadOutlinePenWidth);
    DrawPressureTrapezoidV(s, yWater, NodeY(s, 5), x, -q[1] * scale, -q[2] * scale, "", LoadValueText(q[2]),
                           m.LoadColour, m.LoadLabelColour, s.Drawing().LoadOutlinePenWidth);
    // wall friction on the back plane through the heel end, ending at the heel's top
    const std::string code = LoadCodeText(m, EH);
    DrawVerticalLoadArrow(s, NodeX(s, 6), NodeY(s, 6) - s.Drawing().ForceArrowLength,
                          double(m.BackfillPressureForces[3]) + m.BackfillPressureForces[4], code, m.LoadColour,
                          m.LoadLabelColour, s.Drawing().LoadArrowPenWidth);
    s.ForeColor = m.LoadLabelColour;
    s.CurrentY = NodeY(s, 5);
    if (q[2] != 0) {
        NextTextLabels(s, x, NodeY(s, 40), x + Outer(Outer(q[0], q[1]), q[2]) * scale, NodeY(s, 5), LedWhenCrowded);
        PrintCentered(s, code, x + q[2] / 2.0 * scale);
    }
}

void DrawWaterPressure(const Model& m, Surface& s) {
    const TextCell cell = MeasureTextCell(s);
    const double scale = s.Drawing().LoadArrowScale;
    const auto& w = m.WaterPressureOrdinates;
    const double q2 = m.BackfillPressureOrdinates[2];
    const double surcharge = m.BackfillSurcharge;
    const std::string code = LoadCodeText(m, WA);
    const double lineHeight = TwipsPerPoint * s.FontSize;
    auto V = [&](double y1, double y2, double x, double p1, double p2, const std::string& t1, const std::string& t2) {
        DrawPressureTrapezoidV(s, y1, y2, x, p1, p2, t1, t2, m.LoadColour, m.LoadLabelColour,
                               s.Drawing().LoadOutlinePenWidth);
    };
    auto H = [&](double x1, double x2, double y, double p1, double p2, const std::string& t1, const std::string& t2) {
        DrawPressureTrapezoidH(s, x1, x2, y, p1, p2, t1, t2, m.LoadColour, m.LoadLabelColour,
                               s.Drawing().LoadOutlinePenWidth);
    };
    auto text = [](double v) { return LoadValueText(v); };

    // on the back plane, beyond the earth-pressure block and its values
    const double xBack = NodeX(s, 14) + scale * q2 + Sign(q2) * cell.Width + 30;
    V(BackWaterLevel(m, s), NodeY(s, 5), xBack, 0, -w[3] * scale, "", text(w[3]));
    s.ForeColor = m.LoadLabelColour;
    s.CurrentY = NodeY(s, 5);
    if (w[3] != 0) {
        // each code labels the middle of the edge of its block it stands by
        NextTextLabelsPoint(s, xBack + w[3] / 2.0 * scale, NodeY(s, 5));
        PrintCentered(s, code, xBack + w[3] / 2.0 * scale);
    }

    // on the front face, in front of the ground before the toe
    const double xFront = NodeX(s, 11) - 30;
    V(FrontWaterLevel(m, s), NodeY(s, 4), xFront, 0, w[6] * scale, "", text(w[6]));
    s.ForeColor = m.LoadLabelColour;
    s.CurrentY = NodeY(s, 5);
    if (w[6] != 0) {
        NextTextLabelsPoint(s, xFront - w[6] / 2.0 * scale, NodeY(s, 4));
        PrintCentered(s, code, xFront - w[6] / 2.0 * scale);
    }

    // the water standing on the back batter and the heel, above the surcharge arrows
    const double yHeel = NodeY(s, 40) - (scale * surcharge + Sign(surcharge) * cell.Height + 30);
    H(NodeX(s, 13), NodeX(s, 7), yHeel, 0, w[7] * scale, "", text(w[7]));
    H(NodeX(s, 17), NodeX(s, 6), yHeel, w[7] * scale, w[8] * scale, m.StemBackBatter == 0 ? text(w[7]) : "",
      text(w[8]));
    s.ForeColor = m.LoadLabelColour;
    if (w[8] != 0) {
        NextTextLabelsPoint(s, NodeX(s, 6), yHeel - w[8] / 2.0 * scale);
        LabelBesideOrdinate(s, code, NodeX(s, 6) + 15, false, yHeel, w[8] * scale);
    }

    // the water standing on the front batter and the toe, just above the
    // front water surface; deepest where the faces are lowest (the stem foot
    // and the toe tip)
    const double yToe = (FrontWaterZone(m) == WaterZone::OnStem ? NodeY(s, 12) : NodeY(s, 2)) - 30;
    H(NodeX(s, 12), NodeX(s, 2), yToe, 0, w[9] * scale, "", text(w[9]));
    H(NodeX(s, 16), NodeX(s, 3), yToe, w[9] * scale, w[10] * scale, m.StemFrontBatter == 0 ? text(w[9]) : "",
      text(w[10]));
    s.ForeColor = m.LoadLabelColour;
    if (w[10] != 0) {
        NextTextLabelsPoint(s, NodeX(s, 3), yToe - w[10] / 2.0 * scale);
        LabelBesideOrdinate(s, code, NodeX(s, 3) - 15, true, yToe, w[10] * scale);
    }

    // uplift under the base, pushing up; below the shear key when there is one
    double yBase = NodeY(s, 50);
    if (m.ShearKeyIncluded == 1 && m.ShearKeyDepth > 0)
        yBase = std::max(yBase, NodeY(s, 4) + double(s.Drawing().DrawingScale) * m.ShearKeyDepth);
    yBase += 30;
    H(NodeX(s, 4), NodeX(s, 5), yBase, -w[11] * scale, -w[12] * scale, text(w[11]), text(w[12]));
    s.ForeColor = m.LoadLabelColour;
    if (w[11] != 0 || w[12] != 0) {
        NextTextLabelsPoint(s, NodeX(s, 5), yBase + w[12] / 2.0 * scale);
        s.CurrentY = yBase + w[12] * scale / 2 - lineHeight / 2;
        PrintAt(s, code, NodeX(s, 6) + 15);
    }
}

namespace {

double SeismicComponent(const Model& m) {
    return double(m.SeismicPressureForces[3]) + m.SeismicPressureForces[4];
}

}  // namespace

double SeismicComponentOverhang(const Model& m, Surface& s, const TextCell& cell) {
    if (!EarthquakeActs(m) || SeismicComponent(m) == 0) return 0;
    // written 15 right of the line (DrawVerticalLoadArrow)
    const double text = s.TextWidth(LoadValueText(std::fabs(SeismicComponent(m))) + LoadCodeText(m, EQ));
    return std::max(0.0, 15 + text - cell.Width);
}

void DrawSeismicLoads(const Model& m, Surface& s, bool filled) {
    if (!EarthquakeActs(m)) return;
    const TextCell cell = MeasureTextCell(s);
    const double scale = s.Drawing().LoadArrowScale;
    const std::string code = LoadCodeText(m, EQ);

    // inertia of the bodies (or blocks), towards the toe
    if (m.ShowWeightResultants != 0) {
        for (int i = 1; i <= 3; ++i) {
            const double force = -m.BodySeismicForces[static_cast<size_t>(i)];
            const double x = RoundToUnit(BodyX(m, s, i)), y = RoundToUnit(BodyY(m, s, i));
            const double middle = x + (force > 0 ? 1 : -1) * s.Drawing().ForceArrowLength / 2.0;
            DrawHorizontalLoadArrow(s, x, y, force, code, LoadColourAt(m, s, middle, y, filled), m.LoadLabelColour,
                                    s.Drawing().LoadArrowPenWidth);
        }
    } else {
        for (int k = 1; k <= 17; ++k) DrawBlock(m, s, k, 1, -m.BlockSeismicForces[static_cast<size_t>(k)], code);
    }

    // The increment of the earth pressure stands beyond the earth-pressure
    // block and, with water, beyond the back-water block, each with its values.
    const auto& q = m.BackfillPressureOrdinates;
    const auto& w = m.WaterPressureOrdinates;
    double x = NodeX(s, 14) + 30 + scale * std::fabs(q[2]) + cell.Width;
    if (m.WaterIncluded != 0 && w[3] != 0) x += scale * std::fabs(w[3]) + cell.Width;
    const double s1 = m.SeismicPressureOrdinates[1], s2 = m.SeismicPressureOrdinates[2];
    const double yTop = NodeY(s, 40), yBase = NodeY(s, 5);
    const double yWater = NodeY(s, 8) + double(s.Drawing().DrawingScale) * m.BackWaterDepth;
    // the increment falls linearly from s1 at the surface to 0 at the base
    const double planeHeight = yBase - yTop;
    const double pw = planeHeight != 0 ? s1 * (s.Drawing().DrawingScale * BackWaterHeight(m)) / planeHeight : 0;
    DrawPressureTrapezoidV(s, yTop, yWater, x, -s1 * scale, -pw * scale, LoadValueText(s1), LoadValueText(pw),
                           m.LoadColour, m.LoadLabelColour, s.Drawing().LoadOutlinePenWidth);
    DrawPressureTrapezoidV(s, yWater, yBase, x, -(pw + s2) * scale, 0, LoadValueText(pw + s2), "", m.LoadColour,
                           m.LoadLabelColour, s.Drawing().LoadOutlinePenWidth);
    DrawVerticalLoadArrow(s, x, NodeY(s, 6), SeismicComponent(m), code, m.LoadColour, m.LoadLabelColour,
                          s.Drawing().LoadArrowPenWidth);
    s.ForeColor = m.LoadLabelColour;
    if (s1 != 0) {
        NextTextLabels(s, x, yTop, x + Outer(s1, pw + s2) * scale, yBase, LedWhenCrowded);
        s.CurrentY = yTop - TwipsPerPoint * s.FontSize - 30;
        PrintCentered(s, code, x + s1 / 2 * scale);
    }

    // hydrodynamic pressure of the front water, beyond the front-water block
    const double hf = FrontWaterHeight(m);
    const double e = m.HydrodynamicPressureOrdinates[1];
    if (!(hf > 0) || e == 0) return;
    const double yw = NodeY(s, 1) + double(s.Drawing().DrawingScale) * m.FrontWaterDepth;
    const double yb = NodeY(s, 4);
    double xf = NodeX(s, 11) - 30;
    if (m.WaterIncluded != 0 && w[6] != 0) xf -= scale * std::fabs(w[6]) + cell.Width;
    const double width = e * scale;
    DrawLineSolid(s, xf, yb, xf - width, yb, m.LoadColour, s.Drawing().LoadOutlinePenWidth);
    for (int k = 1; k <= 5; ++k) {
        const double a = std::sqrt((k - 1) / 5.0), b = std::sqrt(k / 5.0);
        DrawLineSolid(s, xf - width * a, yw + (yb - yw) * (k - 1) / 5, xf - width * b, yw + (yb - yw) * k / 5,
                      m.LoadColour, s.Drawing().LoadOutlinePenWidth);
    }
    DrawHorizontalLoadArrow(s, xf - width / 2, yw + 0.6 * (yb - yw), -m.HydrodynamicPressureForces[1], code,
                            m.LoadColour, m.LoadLabelColour, s.Drawing().LoadArrowPenWidth);
    s.ForeColor = m.LoadLabelColour;
    s.CurrentY = NodeY(s, 5);
    if (e > NegligibleForce) {
        NextTextLabels(s, xf, yw, xf - width, yb, LedWhenCrowded);
        PrintCentered(s, code, xf - e / 2 * scale);
    }
}

}  // namespace brindlemar

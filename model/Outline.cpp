#include "model/Outline.h"

#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// How far down a face of height `height` the depth `depth` lies, as a
// fraction. A face without height (a degenerate wall) has all its points at
// its top, so the fraction is 0 rather than a division by zero.
double FractionDown(double depth, double height) { return height == 0 ? 0.0 : depth / height; }

}  // namespace

WaterZone ClassifyWaterLevel(double depth, float stemHeight, float topDrop) {
    if (depth < stemHeight) return WaterZone::OnStem;
    if (depth < ToSingle(static_cast<double>(stemHeight) + topDrop)) return WaterZone::OnSlopingTop;
    return WaterZone::Lower;
}

WaterZone FrontWaterZone(const Model& m) {
    return ClassifyWaterLevel(m.FrontWaterDepth, m.FrontStemHeight, m.ToeTopDrop);
}

WaterZone BackWaterZone(const Model& m) { return ClassifyWaterLevel(m.BackWaterDepth, m.BackStemHeight, m.HeelTopDrop); }

double FrontWallHeight(const Model& m) {
    return double(m.ToeTopDrop) + m.FrontStemHeight + m.ToeTipThickness;
}

double BackWallHeight(const Model& m) { return double(m.HeelTopDrop) + m.BackStemHeight + m.HeelEndThickness; }

double BackfillRise(const Model& m, double run) {
    return m.BackfillSlopeRatio > 0 ? run / m.BackfillSlopeRatio : 0.0;
}

double BackfillRun(const Model& m, double rise) {
    return m.BackfillSlopeRatio > 0 ? rise * m.BackfillSlopeRatio : 0.0;
}

void ComputeWallOutline(Model& m) {
    auto& x = m.NodeXCoordinates;
    auto& y = m.NodeYCoordinates;
    const double Tl = m.ToeLength, Fb = m.StemFrontBatter, St = m.StemTopThickness,
                 Bb = m.StemBackBatter, Hl = m.HeelLength, B = m.BaseWidth;
    const double Hf = m.FrontStemHeight, Dt = m.ToeTopDrop, Tt = m.ToeTipThickness;
    const double Hb = m.BackStemHeight, Dh = m.HeelTopDrop;
    const double wf = m.FrontWaterDepth, wb = m.BackWaterDepth;
    const WaterZone front = FrontWaterZone(m), back = BackWaterZone(m);

    // x: the concrete outline, counter-clockwise as drawn from the top front corner
    x[1] = ToSingle(Fb + Tl);
    x[2] = ToSingle(Tl);
    x[3] = 0;
    x[4] = 0;
    x[5] = ToSingle(B);
    x[6] = ToSingle(B);
    x[7] = ToSingle(Fb + Tl + St + Bb);
    x[8] = ToSingle(Fb + Tl + St);
    // right edge of the drawing, a quarter base width beyond the heel end
    x[10] = ToSingle(Bb + x[8] + Hl + B / 4);
    // front water: stem zone (11, 12) and toe zone (15, 16), left edge B / 10 before the toe
    x[11] = ToSingle(0 - B / 10);
    if (front == WaterZone::OnStem) {
        x[12] = ToSingle(x[1] - FractionDown(wf, Hf) * Fb);
        x[16] = x[2];
    } else if (front == WaterZone::OnSlopingTop) {
        x[12] = x[2];
        x[16] = ToSingle(x[2] - ((wf - Hf) / Dt) * Tl);
    } else {
        x[12] = x[2];
        x[16] = 0;
    }
    x[15] = x[11];
    // back water: stem zone (13, 14) and heel zone (17, 18), out to the right edge
    if (back == WaterZone::OnStem) {
        x[13] = ToSingle(x[8] + FractionDown(wb, Hb) * Bb);
        x[17] = x[7];
    } else if (back == WaterZone::OnSlopingTop) {
        x[13] = x[7];
        x[17] = ToSingle(x[7] + ((wb - Hb) / Dh) * Hl);
    } else {
        x[13] = x[7];
        x[17] = x[6];
    }
    x[14] = x[10];
    x[18] = x[10];
    // vertical projections of outline and water points, the vertices of the blocks
    x[21] = x[1];
    x[22] = x[8];
    x[23] = x[2];
    x[24] = x[7];
    x[25] = x[2];
    x[26] = x[1];
    x[27] = x[8];
    x[28] = x[7];
    x[31] = x[13];
    x[32] = x[6];
    x[33] = x[7];
    x[34] = x[17];
    x[35] = x[6];
    x[36] = x[7];
    x[40] = ToSingle(B);
    x[41] = x[6];
    x[42] = x[6];
    // horizontal cut across the stem at the higher of the two stem feet
    if (Hb < Hf) {
        x[43] = ToSingle(x[1] - FractionDown(Hb, Hf) * Fb);
        x[44] = x[7];
    } else {
        x[43] = x[2];
        x[44] = ToSingle(x[8] + FractionDown(Hf, Hb) * Bb);
    }
    x[45] = x[1];
    x[46] = x[8];
    x[47] = x[44];
    x[48] = x[44];
    x[49] = x[44];
    x[50] = 0;

    // y: depths below the wall top
    y[1] = 0;
    y[2] = ToSingle(Hf);
    y[3] = ToSingle(Dt + Hf);
    y[4] = ToSingle(Dt + Hf + Tt);
    y[5] = y[4];
    y[6] = ToSingle(Dh + Hb);
    y[7] = ToSingle(Hb);
    y[8] = 0;
    // the backfill surface rises above the wall top away from the back top corner
    y[10] = ToSingle(0 - BackfillRise(m, Hl + Bb + B / 4));
    if (front == WaterZone::OnStem) {
        y[12] = ToSingle(wf);
        y[16] = ToSingle(Hf);
    } else if (front == WaterZone::OnSlopingTop) {
        y[12] = ToSingle(Hf);
        y[16] = ToSingle(wf);
    } else {
        y[12] = ToSingle(Hf);
        y[16] = ToSingle(Hf + Dt);
    }
    y[11] = y[12];
    y[15] = y[16];
    if (back == WaterZone::OnStem) {
        y[13] = ToSingle(wb);
        y[17] = ToSingle(Hb);
    } else if (back == WaterZone::OnSlopingTop) {
        y[13] = ToSingle(Hb);
        y[17] = ToSingle(wb);
    } else {
        y[13] = ToSingle(Hb);
        y[17] = ToSingle(Hb + Dh);
    }
    y[14] = y[13];
    y[18] = y[17];
    y[21] = y[2];
    y[22] = y[7];
    y[23] = y[3];
    y[24] = y[6];
    y[25] = y[4];
    y[26] = y[4];
    y[27] = y[4];
    y[28] = y[4];
    y[31] = y[8];
    y[32] = y[8];
    y[33] = y[13];
    y[34] = y[7];
    y[35] = y[7];
    y[36] = y[8];
    y[40] = ToSingle(0 - BackfillRise(m, Hl + Bb));
    y[41] = y[14];
    y[42] = y[18];
    const float yc = Hb < Hf ? m.BackStemHeight : m.FrontStemHeight;
    y[43] = yc;
    y[44] = yc;
    y[45] = yc;
    y[46] = yc;
    y[47] = 0;
    y[48] = ToSingle(0 - BackfillRise(m, double(x[47]) - x[8]));
    y[49] = y[13] < y[44] ? y[13] : y[44];
    // the level of the dimension lines under the base
    y[50] = ToSingle(y[4] + B / 25);
}

}  // namespace brindlemar

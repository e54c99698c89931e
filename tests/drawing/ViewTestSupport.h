#pragma once
// The built-in wall fitted into a picture of 1200 x 900 pixels on a
// recording surface, for the tests of the analysis views. A test prepares
// the combination (PrepareCombination) or writes the results it draws.

#include <algorithm>
#include <cmath>
#include <vector>

#include "drawing/TextPlacement.h"
#include "drawing/WallView.h"
#include "analysis/Analysis.h"
#include "analysis/Preparation.h"
#include "support/BuiltInWall.h"
#include "model/Initialise.h"
#include "support/PlaneGeometry.h"
#include "support/RecordingSurface.h"

namespace brindlemar::test {

struct ViewPicture {
    BuiltInWall w;
    Model& m = w.m;
    RecordingSurface s{18000, 13500, 15};

    ViewPicture() {
        m.TextFontName = "Arial";
        s.Drawing().FrameWidth = 18000;
        s.Drawing().FrameHeight = 13500;
        PrepareWall(m);
        DrawWall(m, s, 1, 0);
        s.Calls.clear();
    }
    double X(int node) const { return s.Drawing().DrawingXCoordinates[static_cast<size_t>(node)]; }
    double Y(int node) const { return s.Drawing().DrawingYCoordinates[static_cast<size_t>(node)]; }
    // Lines ending at (x, y) that start somewhere else: the shafts and barbs of arrows pointing there.
    std::vector<SurfaceCall> LinesTo(double x, double y) const {
        std::vector<SurfaceCall> out;
        for (const SurfaceCall& c : s.Of("Line"))
            if (std::fabs(c.X2 - x) < 0.5 && std::fabs(c.Y2 - y) < 0.5 && std::hypot(c.X1 - x, c.Y1 - y) > 0.5)
                out.push_back(c);
        return out;
    }
};

// Three line loads: one down on the stem's top, one pushing the stem towards the toe, one on the heel.
inline void AddStemAndHeelLineLoads(Model& m) {
    const float top = m.WallHeight, stem = m.ToeLength + m.StemFrontBatter;
    m.LineLoads[1] = {6.5f, stem + 0.2f, top, 180, DL};
    m.LineLoads[2] = {3.25f, stem, top - 0.5f, 270, LL};
    m.LineLoads[3] = {4.75f, m.BaseWidth - 0.5f, top, 180, IC};
    m.LineLoadCount = 3;
}

// The box a text printed on a picture takes: its width as printed by 23 twips a point.
inline TextBox BoxOf(RecordingSurface&, const SurfaceCall& text) {
    return {text.X1, text.Y1, text.X2 - text.X1, 23 * text.FontSize};
}

inline bool LineMeetsBox(const SurfaceCall& l, const TextBox& b) { return StretchMeetsBox({l.X1, l.Y1, l.X2, l.Y2}, b); }

}  // namespace brindlemar::test

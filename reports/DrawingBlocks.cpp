// The blocks that are pictures of the wall: its dimensions, the loads of one
// combination, one force diagram, and the reactions and resistances.

#include <algorithm>

#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/ForceDiagrams.h"
#include "drawing/LoadsView.h"
#include "drawing/Primitives.h"
#include "drawing/WallView.h"
#include "analysis/Analysis.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportPage.h"

namespace brindlemar {

namespace {

// Frame, title, and the picture font: 6 points scaled.
void OpenPictureBlock(const Model& m, Surface& s, const std::string& title, bool fitFirst) {
    PrintBlockFrame(m, s);
    PrintBlockTitle(m, s, title);
    if (fitFirst) ComputeDrawingScale(m, s);
    s.Drawing().BlockFontSize = 6 * s.Drawing().PrintScale;
    SetPrinterFont(s, m.TextFontName, s.Drawing().BlockFontSize, false, false);
}

}  // namespace

void PrintDimensionsBlock(const Model& m, Surface& s) {
    OpenPictureBlock(m, s, "Dimensions", true);
    DrawDimensionsView(m, s, 0);
    DrawWall(m, s, 0, 0);
}

void PrintLoadsBlock(const Model& m, Surface& s) {
    OpenPictureBlock(m, s, "Loads", false);
    {
        const FrameBelowFactorTable below(s);
        DrawWallAndLoads(m, s, 0);
    }
    DrawFactorTable(m, s);
}

void PrintDiagramBlock(const Model& m, Surface& s, int k) {
    static const char* const titles[] = {"Moment diagram", "Shear force diagram", "Normal force diagram"};
    OpenPictureBlock(m, s, titles[CheckedIndex(k, 1, 3) - 1], false);
    {
        const FrameBelowFactorTable below(s);
        // the wall in grey so that the diagram stands out
        DrawWall(m, s, 0, 1);
        DrawForceDiagrams(m, s, k);
    }
    DrawFactorTable(m, s);
}

void PrintReactionsBlock(const Model& m, Surface& s) {
    OpenPictureBlock(m, s, "Reactions and restraints", false);
    {
        const FrameBelowFactorTable below(s);
        ComputeDrawingScale(m, s);
        const double labelHeight = s.TextHeight("00.00") + 60;
        DrawWall(m, s, 0, 0);

        // the largest base pressure and its label fill half the room above the wall
        const double largest = std::max<double>(m.LeftBearingPressure, m.RightBearingPressure);
        s.Drawing().LoadArrowScale = largest == 0 ? 10000.0f
                                        : ToSingle(std::max(0.0, s.Drawing().DrawingMarginY / 2.0 - labelHeight) / largest);
        const bool stable = m.WallStable != 0;
        DrawReactionsAndResistances(m, s, stable, stable);
    }
    DrawFactorTable(m, s);
}

}  // namespace brindlemar

// Every analysis view drawn for real, for the built-in wall and for a wall
// carrying ten line loads of every load type with water and seismic loading:
// on a screen picture and on a one-page PDF whose text is read back.

#include <gtest/gtest.h>

#include <QPrinter>
#include <cmath>

#include "PictureFiles.h"
#include "SurfaceTestApplication.h"
#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/ForceArrows.h"
#include "drawing/LoadsView.h"
#include "drawing/Primitives.h"
#include "drawing/WallView.h"
#include "analysis/Analysis.h"
#include "analysis/Preparation.h"
#include "support/BuiltInWall.h"
#include "model/Initialise.h"
#include "platform/ImageSurface.h"
#include "platform/PrinterSurface.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

using test::CommandOutput;
using test::KeepPicture;

struct View {
    int kind;
    const char* name;
};
const View kViews[] = {{LoadsView, "loads"},   {ReactionsView, "reactions"}, {ResistancesView, "resistances"},
                       {MomentView, "moment"}, {ShearView, "shear"},         {NormalView, "normal"}};

// Ten line loads, every load type 1 to 9 and one more of the first: on the
// stem top, the stem faces, the toe, the heel and the backfill, in the four
// main directions and two inclined ones.
void AddTenLineLoads(Model& m) {
    const LineLoad loads[] = {
        {5.0f, 2.9f, 10.0f, 180, DL}, {2.0f, 4.6f, 9.0f, 90, EV},  {3.0f, 6.8f, 6.0f, 270, EH},
        {4.0f, 5.6f, 7.5f, 135, ES},  {6.0f, 1.0f, 1.5f, 180, LL}, {1.5f, 2.19f, 5.0f, 90, LD},
        {2.5f, 5.2f, 4.0f, 270, WA},  {3.5f, 4.2f, 8.5f, 225, EQ}, {1.0f, 0.3f, 2.5f, 0, IC},
        {-2.0f, 6.2f, 3.0f, 180, DL},
    };
    m.LineLoadCount = 0;
    for (const LineLoad& l : loads) m.LineLoads[static_cast<size_t>(++m.LineLoadCount)] = l;
}

class AnalysisViewsPicture : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        m.TextFontName = "Arial";
        m.SymbolFontName = SymbolFontFamily;
        m.WaterIncluded = True;
        m.SeismicIncluded = True;
        if (GetParam()) {
            AddTenLineLoads(m);
            m.AdjacentStructureIncluded = 1;
            m.AdjacentStructureCapacity = 4;
            m.AdjacentStructurePosition = 4.5f;
            m.ActiveCombinationSet = 1;
            m.CurrentCombination = 1;
        }
    }

    // What the main window's redraw does: the combination prepared, then the
    // view and the factor table.
    void Draw(Surface& s, int kind) {
        PrepareCombination(m);
        {
            const FrameBelowFactorTable below(s);
            DrawAnalysisView(m, s, kind);
        }
        DrawFactorTable(m, s);
    }

    std::string Name(const View& v) const { return std::string(GetParam() ? "loaded-" : "builtin-") + v.name; }

    test::BuiltInWall w;
    Model& m = w.m;
    test::TempDir folder;
    test::MessageRecorder messages;
};

TEST_P(AnalysisViewsPicture, EveryViewDrawsOnTheScreenInsideThePicture) {
    for (const View& v : kViews) {
        SCOPED_TRACE(v.name);
        const auto framed = [&](ImageSurface& s) {
            s.FontName = m.TextFontName;
            s.FontSize = 8;
            s.Drawing().FrameTop = 0;
            s.Drawing().FrameWidth = 1280 * 15;
            s.Drawing().FrameHeight = 800 * 15;
        };
        ImageSurface s(1280, 800);
        framed(s);
        Draw(s, v.kind);
        const QImage& image = s.Image();
        const std::string file = folder.File(Name(v) + ".png");
        ASSERT_TRUE(image.save(QString::fromStdString(file)));
        KeepPicture(file, Name(v) + ".png");

        // the view drew over the wall: the picture differs from the wall alone, drawn where the view draws it
        ImageSurface wallOnly(1280, 800);
        framed(wallOnly);
        {
            const FrameBelowFactorTable below(wallOnly);
            DrawWall(m, wallOnly, 1, v.kind >= MomentView ? 1 : 0,
                     v.kind == LoadsView ? LoadsViewLeastMargins(wallOnly) : LeastMargins{});
        }
        DrawFactorTable(m, wallOnly);
        const QImage& wall = wallOnly.Image();
        int viewPixels = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixel(x, y) != wall.pixel(x, y)) ++viewPixels;
        EXPECT_GT(viewPixels, 500);
    }
    EXPECT_TRUE(messages.Messages.empty());
}

TEST_P(AnalysisViewsPicture, EveryViewPrintsOnOnePdfPageWithItsCaptionsAndValues) {
    for (const View& v : kViews) {
        SCOPED_TRACE(v.name);
        const std::string pdf = folder.File(Name(v) + ".pdf");
        std::vector<std::string> expected;
        {
            QPrinter printer(QPrinter::HighResolution);
            test::PrintToA4Pdf(printer, pdf);
            PrinterSurface s(printer);
            // the top half of the sheet with the pens of paper
            s.Drawing().FrameTop = 0;
            s.Drawing().FrameWidth = static_cast<int32_t>(s.ScaleWidth());
            s.Drawing().FrameHeight = static_cast<int32_t>(s.ScaleHeight() / 2);
            const auto pen = [&](double mm) { return static_cast<int16_t>(std::lround(PenWidthPixels(s, mm))); };
            s.Drawing().OutlinePenWidth = s.Drawing().LoadArrowPenWidth = s.Drawing().ResistanceArrowPenWidth = pen(0.35);
            s.Drawing().DetailPenWidth = s.Drawing().LoadOutlinePenWidth = s.Drawing().ResistanceDiagramPenWidth = s.Drawing().FactorTablePenWidth = pen(0.1);
            s.FontName = m.TextFontName;
            s.FontSize = 7;
            Draw(s, v.kind);
            s.EndDoc();
            EXPECT_EQ(s.PagesStarted(), 1);
        }
        KeepPicture(pdf, Name(v) + ".pdf");
        // what the view must show, from the analysis the view made
        const double H = m.TotalHorizontalForce, V = m.TotalVerticalForce;
        switch (v.kind) {
        case LoadsView:
            expected = {"Line loads in T/m", "Distributed loads in T/m\u00B2", "Seismic coeficient = 0.15",
                        LoadValueText(m.BodyWeights[1]) + "DL", LoadValueText(m.BodyWeights[2]) + "EV",
                        LoadValueText(m.BackfillPressureOrdinates[2]), LoadValueText(m.WaterPressureOrdinates[3])};
            if (GetParam()) expected.push_back(LoadValueText(6.0) + "LL");
            break;
        case ReactionsView:
            expected = {LoadValueText(std::hypot(H, V)) + "R", LoadValueText(m.LeftBearingPressure),
                        LoadValueText(std::fabs(H)), "Distributed loads in T/m\u00B2"};
            break;
        case ResistancesView:
            expected = {LoadValueText(m.BaseFrictionResistance), "Line loads in T/m",
                        LoadValueText(m.CurrentLoadCombination.Factor[EP] * m.PassivePressureOrdinates[3])};
            break;
        case MomentView:
            expected = {"Moments in Tm/m", "Seismic coeficient = 0.15"};
            break;
        default:
            expected = {"Forces in T/m", "Seismic coeficient = 0.15"};
            break;
        }
        expected.push_back("Combinations: ");
        const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
        for (const std::string& want : expected) EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;
        EXPECT_EQ(test::PdfPageCount(pdf), 1);
    }
    EXPECT_TRUE(messages.Messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Walls, AnalysisViewsPicture, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "TenLineLoadsWaterSeismic" : "BuiltIn"; });

}  // namespace
}  // namespace brindlemar

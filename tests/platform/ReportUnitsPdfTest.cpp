// The whole report of the built-in wall printed into a PDF file in SI and
// British units, and of a wall whose face carries only rounding residue:
// every value read back from the page is the value the analysis used, and
// the design listings' per-length quantities say so, their ² and ³ intact.

#include <gtest/gtest.h>

#include <QPrinter>
#include <cmath>
#include <sstream>

#include "PictureFiles.h"
#include "SurfaceTestApplication.h"
#include "model/Units.h"
#include "platform/PrinterSurface.h"
#include "reports/ReportJob.h"
#include "runtime/Format.h"
#include "support/BuiltInWall.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

// The report's text, one string per line of pdftotext's layout.
std::vector<std::string> PrintedLines(Model& m, const std::string& pdf) {
    m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
    m.SymbolFontName = SymbolFontFamily;
    test::FactorForConcrete(m);
    m.PrintDimensions = m.PrintLoads = m.PrintProperties = m.PrintStability = m.PrintReactions =
        m.PrintReinforcementDesign = 1;
    {
        QPrinter printer(QPrinter::HighResolution);
        test::PrintToA4Pdf(printer, pdf);
        PrinterSurface s(printer);
        PrintReport(m, s, nullptr);
    }
    test::KeepPicture(pdf, "report-units-" + std::to_string(m.CurrentUnitSystem) + ".pdf");
    std::istringstream text(test::CommandOutput("pdftotext -layout '" + pdf + "' -"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

// The first line holding `caption`, empty when none does.
std::string LineOf(const std::vector<std::string>& lines, const std::string& caption) {
    for (const std::string& line : lines)
        if (line.find(caption) != std::string::npos) return line;
    return "";
}

// The eight face values at the end of a design listing line.
std::vector<std::string> FaceValues(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> all;
    for (std::string word; words >> word;) all.push_back(word);
    if (all.size() < 8) return {};
    return {all.end() - 8, all.end()};
}

void ConvertTo(Model& m, int16_t units) {
    m.PreviousUnitSystem = m.CurrentUnitSystem;
    m.CurrentUnitSystem = units;
    ConvertUnits(m);
}

TEST(ReportUnitsPdf, SiAndBritishPagesPrintTheValuesUsedWithPerLengthLabels) {
    test::EnsureQtApplication();
    struct Want {
        const char* caption;
        const char* text;
    };
    struct Case {
        const char* what;
        int16_t units;
        std::vector<Want> wants;
    } cases[] = {
        {"SI",
         SI,
         {{"- Cohesion (c) =", "0.004 MPa"},
          {"- Compressive stress (f'c) =", "29.43 MPa"},
          {"- Elasticity modulus (Ec) =", "0.137"},
          {"- Yield stress (fy) =", "294.30 MPa"},
          {"Moment, Mu", "kNm/m"},
          {"Axial, Pu", "kN/m"},
          {"Shear, Vu", "kN/m"},
          {"Area, As", "mm\xC2\xB2/m"}}},
        {"British",
         British,
         {{"- Unit weight (\xCE\xB3) =", "0.106 Kip/ft\xC2\xB3"},
          {"- Unit weight (\xCE\xB3w) =", "0.0624 Kip/ft\xC2\xB3"},
          {"- Saturated density (\xCE\xB3s) =", "0.125 Kip/ft\xC2\xB3"},
          {"- Concrete cover =", "1.97 in"},
          {"Rebar cover", "1.97"},
          {"Moment, Mu", "Kipft/ft"},
          {"Maximum axial load", "Kip/ft"},
          {"Area, As", "in\xC2\xB2/ft"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::BuiltInWall w;
        test::TempDir folder;
        test::MessageRecorder messages;
        Model& m = w.m;
        ConvertTo(m, c.units);
        // 4 kPa of base cohesion: 28.8 kN/m more resistance to sliding
        if (c.units == SI) m.BaseCohesion = 0.004f;
        const std::vector<std::string> lines = PrintedLines(m, folder.File("report.pdf"));
        for (const Want& want : c.wants)
            EXPECT_NE(LineOf(lines, want.caption).find(want.text), std::string::npos)
                << want.caption << " | " << LineOf(lines, want.caption);
        // the steel areas read back to three significant digits: As >= As,min reads from the page
        const std::vector<std::string> areas = FaceValues(LineOf(lines, "Area, As"));
        ASSERT_EQ(areas.size(), 8u);
        const double perLength = c.units == SI ? 1e6 : 144;   // mm² or in² of the m² or ft² computed
        int designed = 0;
        for (int p = 1; p <= 8; ++p) {
            const FlexureDesignResult& r = m.FlexureDesignResults[static_cast<size_t>(p)];
            if (!(r.SteelArea > 0)) continue;
            ++designed;
            const double area = r.SteelArea * perLength, digit = std::pow(10, std::floor(std::log10(area)) - 2);
            EXPECT_NEAR(Val(areas[static_cast<size_t>(p - 1)]), area, 0.5 * digit * (1 + 1e-6)) << "face " << p;
        }
        EXPECT_GT(designed, 0);
        EXPECT_TRUE(messages.Messages.empty());
    }
}

// A load at the stem top's front corner, across the wall, leaves the upper
// stem's back face a moment of 1E-16 Tm/m: rounding, designed for nothing.
TEST(ReportUnitsPdf, AFaceWithRoundingResidueIsPrintedAsNone) {
    test::EnsureQtApplication();
    test::BuiltInWall w;
    test::TempDir folder;
    Model& m = w.m;
    m.LineLoads[++m.LineLoadCount] = {5.0f, m.ToeLength + m.StemFrontBatter, m.WallHeight, 90, DL};
    const std::vector<std::string> lines = PrintedLines(m, folder.File("residue.pdf"));
    for (const char* caption : {"Moment, Mu", "Axial, Pu", "Maximum moment", "Area, As"}) {
        const std::vector<std::string> faces = FaceValues(LineOf(lines, caption));
        ASSERT_EQ(faces.size(), 8u) << caption;
        // the upper stem's back face, as the front face that has no moment at all
        EXPECT_EQ(faces[1], "--") << caption;
        EXPECT_EQ(faces[0], "--") << caption;
    }
}

}  // namespace
}  // namespace brindlemar

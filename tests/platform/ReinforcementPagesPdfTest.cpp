// The reinforcement section of the report printed for real into a PDF file
// for the built-in wall under a factored set: its sheets, headings and the
// key numbers of the lower stem read back from the file.

#include <gtest/gtest.h>

#include <QPrinter>

#include "PictureFiles.h"
#include "SurfaceTestApplication.h"
#include "design/DesignSectionForces.h"
#include "support/BuiltInWall.h"
#include "platform/PrinterSurface.h"
#include "reports/ReportJob.h"
#include "support/MessageRecorder.h"
#include "support/TempDir.h"

namespace brindlemar {
namespace {

using test::CommandOutput;

TEST(ReinforcementPagesPdf, SectionPrintsItsTablesAndTheDesignOfTheBuiltInWall) {
    struct Case {
        const char* name;
        int combinations;  // the built-in two, repeated
        int sheets;
    } cases[] = {
        // 2 table blocks and 3 design blocks
        {"two", 2, 3},
        // two pages per table: 4 table blocks and 3 design blocks
        {"sixteen", 16, 4},
    };
    test::EnsureQtApplication();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::BuiltInWall w;
        Model& m = w.m;
        test::TempDir folder;
        test::MessageRecorder messages;
        m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
        m.SymbolFontName = SymbolFontFamily;
        m.ProjectTitle = "Quay wall";
        CombinationSet& set = m.CombinationSets[1];
        for (int i = 0; i < c.combinations; ++i) {
            set.Combinations[i] = set.Combinations[i % 2];
            set.Combinations[i].Name += " " + std::to_string(i + 1);
            auto& factor = set.Combinations[i].Factor;
            factor[CT] = 0.9f;
            factor[CC] = 0.65f;
            factor[CS] = 0.75f;
        }
        set.CombinationCount = static_cast<int16_t>(c.combinations);
        m.PrintReinforcementDesign = 1;
        // what the print dialog runs before it counts the pages
        ComputeDesignSectionForces(m);
        ASSERT_TRUE(DesignBlocksApply(m));

        const std::string pdf = folder.File(std::string("reinforcement-") + c.name + ".pdf");
        {
            QPrinter printer(QPrinter::HighResolution);
            test::PrintToA4Pdf(printer, pdf);
            PrinterSurface s(printer);
            PrintReport(m, s, nullptr);
            EXPECT_EQ(s.PagesStarted(), c.sheets);
        }
        test::KeepPicture(pdf, std::string("reinforcement-") + c.name + ".pdf");
        EXPECT_EQ(ReportPageCount(m), c.sheets);
        EXPECT_EQ(test::PdfPageCount(pdf), c.sheets);

        const std::string text = CommandOutput("pdftotext -layout '" + pdf + "' -");
        for (const char* want :
             {"Reinforcements", "Bending moment, M", "Unit: Tm/m", "Shearing forces, V", "Unit: T/m",
              "For section strength design", "Flexural reinforcements", "Design method: ACI 318-08",
              "Shear resistance", "Balanced strain condition", "Tension", "Quay wall",
              // the lower stem's foot: Mu, its bars, phi Mn; its shear and phi Vn
              "-141.85", "141.85", "180.51", "32.94", "102.59"})
            EXPECT_NE(text.find(want), std::string::npos) << want << "\n" << text;
        EXPECT_TRUE(messages.Messages.empty());
    }
}

}  // namespace
}  // namespace brindlemar

#include <gtest/gtest.h>

#include "model/Model.h"
#include "forms/StartUp.h"

namespace brindlemar {
namespace {

TEST(StartUp, ReportFontsByPreference) {
    struct Case {
        const char* what;
        std::vector<std::string> offered;
        const char* text;
        const char* symbol;
    } cases[] = {
        {"all offered", {"Courier New", "Symbol", "Times New Roman", "Arial"}, "Arial", "Symbol"},
        {"no Arial", {"Courier New", "Times New Roman"}, "Times New Roman", "Report Face"},
        {"only Courier New", {"Courier New"}, "Courier New", "Report Face"},
        {"none of the three", {"DejaVu Sans", "Symbol"}, "Printer Face", "Symbol"},
        {"letter case counts", {"arial", "symbol"}, "Printer Face", "Report Face"},
        {"no fonts at all", {}, "Printer Face", "Report Face"},
    };
    for (const Case& c : cases) {
        Model m;
        m.ReportFontName = "Report Face";
        ChooseReportFonts(m, c.offered, "Printer Face");
        EXPECT_EQ(m.TextFontName, c.text) << c.what;
        EXPECT_EQ(m.TitleFontName, c.text) << c.what;
        EXPECT_EQ(m.SymbolFontName, c.symbol) << c.what;
    }
}

}  // namespace
}  // namespace brindlemar

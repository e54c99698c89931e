#include <gtest/gtest.h>

#include "reports/ReportFooter.h"
#include "reports/ReportTestSupport.h"

namespace brindlemar::test {
namespace {

TEST(FooterTokens, ExpandWhateverTheirCase) {
    BuiltInWall w;
    Model& m = w.m;
    PageState page;
    page.PageNumber = 3;
    page.PageCount = 7;
    const FooterClock clock{"Monday, 7 December 2026", "09:15:00"};
    struct Case {
        const char* path;
        const char* text;
        const char* want;
    } cases[] = {
        {"", "Page &Page of &NPages", "Page 3 of 7"},
        {"", "page &page of &npages", "page 3 of 7"},
        {"", "&Date &Time", "Monday, 7 December 2026 09:15:00"},
        {"", "&DATE", "Monday, 7 December 2026"},
        // "&Pages" is the sheet number and an s; "&NPAGE" is no token
        {"", "&Pages", "3s"},
        {"", "&NPAGE", "&NPAGE"},
        {"", "A & B &", "A & B &"},
        {"", "&&Date", "&Monday, 7 December 2026"},
        {"", "&x&", "&x&"},
        {"", "", ""},
        {"", "&File", "[Unnamed]"},
        {"C:\\Walls\\quay.bmi", "&File", "QUAY.BMI"},
        {"/home/eng/Quay Wall.bmi", "Project &file", "Project QUAY WALL.BMI"},
        {"/home/eng/quay", "&File", "QUAY"},
    };
    for (const Case& c : cases) {
        m.ProjectFilePath = c.path;
        EXPECT_EQ(ExpandFooterTokens(m, page, c.text, clock), c.want) << c.text << " " << c.path;
    }
}

TEST(FooterTokens, CurrentDateAndTimeAreFilledIn) {
    BuiltInWall w;
    const std::string text = ExpandFooterTokens(w.m, PageState{}, "&Date|&Time");
    EXPECT_EQ(text.find('&'), std::string::npos);
    EXPECT_GT(text.find('|'), 5u);
    EXPECT_GT(text.size(), text.find('|') + 5);
}

TEST(PageFooter, ThreeTextsOnTheLastLineOfThePrintableArea) {
    ReportSheet r;
    Model& m = r.m;
    r.s.Drawing().PageNumber = 2;
    r.s.Drawing().PageCount = 5;
    m.FooterTexts = {"", "Left", "", "Page &Page of &NPages"};
    m.ReportFontName = "Courier New";
    PrintPageFooter(m, r.s);
    const auto prints = r.s.Of("Print");
    ASSERT_EQ(prints.size(), 2u);  // an empty text prints nothing
    const double size = 8 * r.s.Drawing().PrintScale;
    for (const SurfaceCall& p : prints) {
        EXPECT_EQ(p.Font, "Courier New");
        EXPECT_NEAR(p.FontSize, size, 1e-4);
        EXPECT_NEAR(p.Y1, r.s.Drawing().PrintableHeight - size * 20, 1e-3);
    }
    EXPECT_EQ(prints[0].Text, "Left");
    EXPECT_DOUBLE_EQ(prints[0].X1, 0);
    EXPECT_EQ(prints[1].Text, "Page 2 of 5");
    EXPECT_NEAR(prints[1].X2, r.s.Drawing().PrintableWidth, 1e-6);
}

TEST(PageFooter, TextWiderThanTheSheetLosesItsRightEnd) {
    ReportSheet r;
    Model& m = r.m;
    m.FooterTexts = {"", "", std::string(200, 'w'), ""};
    PrintPageFooter(m, r.s);
    const auto prints = r.s.Of("Print");
    ASSERT_EQ(prints.size(), 1u);
    EXPECT_LT(prints[0].Text.size(), 200u);
    EXPECT_LE(prints[0].X2 - prints[0].X1, r.s.Drawing().PrintableWidth);
    EXPECT_NEAR((prints[0].X1 + prints[0].X2) / 2, r.s.Drawing().PrintableWidth / 2.0, 1e-6);
}

}  // namespace
}  // namespace brindlemar::test

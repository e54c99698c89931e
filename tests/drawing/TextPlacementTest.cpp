#include <gtest/gtest.h>

#include "drawing/SymbolFont.h"
#include "drawing/TextPlacement.h"
#include "support/RecordingSurface.h"

namespace brindlemar {
namespace {

using test::RecordingSurface;
using test::SurfaceCall;

TEST(AlignedText, AtCentredAndRightAligned) {
    RecordingSurface s;   // 100 twips a character at 10 points
    s.CurrentY = 777;
    PrintAt(s, "abc", 1000);
    PrintCentered(s, "abcd", 1000);
    PrintRightAligned(s, "ab", 1000);
    const auto printed = s.Of("Print");
    ASSERT_EQ(printed.size(), 3u);
    EXPECT_DOUBLE_EQ(printed[0].X1, 1000);
    EXPECT_DOUBLE_EQ(printed[1].X1, 800);
    EXPECT_DOUBLE_EQ(printed[2].X1, 800);
    for (const SurfaceCall& c : printed) EXPECT_DOUBLE_EQ(c.Y1, 777);
    EXPECT_DOUBLE_EQ(s.CurrentX, 1000);   // the position stays after the text, on the line
    EXPECT_DOUBLE_EQ(s.CurrentY, 777);

    RecordingSurface empty;
    PrintCentered(empty, "", 1234);
    EXPECT_DOUBLE_EQ(empty.CurrentX, 1234);
    EXPECT_TRUE(empty.Calls.empty());
}

TEST(PrintMarkup, RendersEveryCode) {
    struct Piece {
        std::string text;
        double x, dy, size;
        bool symbol, bold, italic, underline;
    };
    struct Case {
        const char* what;
        std::string markup;
        std::vector<Piece> pieces;
        double endDy;   // CurrentY after the text, from the start
    };
    // base size 10: 100 twips a character, script shift 60; a Greek letter on the line;
    // a script character at 8 points is 80 wide
    const Case cases[] = {
        {"plain text", "ab", {{"a", 0, 0, 10, false, false, false, false}, {"b", 100, 0, 10, false, false, false, false}}, 0},
        {"two & in a row print nothing", "a&&b",
         {{"a", 0, 0, 10, false, false, false, false}, {"b", 100, 0, 10, false, false, false, false}}, 0},
        {"a text ending in &", "ab&",
         {{"a", 0, 0, 10, false, false, false, false}, {"b", 100, 0, 10, false, false, false, false}}, 0},
        {"an unknown code is dropped with its &", "a&xb",
         {{"a", 0, 0, 10, false, false, false, false}, {"b", 100, 0, 10, false, false, false, false}}, 0},
        {"superscript", "m&H2&hx",
         {{"m", 0, 0, 10, false, false, false, false}, {"2", 100, -60, 8, false, false, false, false},
          {"x", 180, 0, 10, false, false, false, false}}, 0},
        {"subscript", "K&La&l",
         {{"K", 0, 0, 10, false, false, false, false}, {"a", 100, 60, 8, false, false, false, false}}, 0},
        {"symbol font, on the line", "&Sg&s=",
         {{"g", 0, 0, 10, true, false, false, false}, {"=", 100, 0, 10, false, false, false, false}}, 0},
        {"bold twice, off once", "&B&Ba&bb",
         {{"a", 0, 0, 10, false, true, false, false}, {"b", 100, 0, 10, false, false, false, false}}, 0},
        {"italic and underline", "&Ia&Ub&i&uc",
         {{"a", 0, 0, 10, false, false, true, false}, {"b", 100, 0, 10, false, false, true, true},
          {"c", 200, 0, 10, false, false, false, false}}, 0},
        {"superscript then subscript returns to the line", "&H&La",
         {{"a", 0, 0, 8, false, false, false, false}}, 0},
        {"an open superscript leaves the line raised", "&Hz", {{"z", 0, -60, 8, false, false, false, false}}, -60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Model m;
        m.TextFontName = "Arial";
        m.SymbolFontName = SymbolFontFamily;
        RecordingSurface s;
        s.FontBold = true;   // whatever the surface had, the text starts plain
        s.FontName = "Courier New";
        PrintMarkup(m, s, 1000, 2000, c.markup, 10);
        const auto printed = s.Of("Print");
        ASSERT_EQ(printed.size(), c.pieces.size());
        for (size_t i = 0; i < printed.size(); ++i) {
            const Piece& want = c.pieces[i];
            EXPECT_EQ(printed[i].Text, want.text);
            EXPECT_DOUBLE_EQ(printed[i].X1, 1000 + want.x) << want.text;
            EXPECT_DOUBLE_EQ(printed[i].Y1, 2000 + want.dy) << want.text;
            EXPECT_DOUBLE_EQ(printed[i].FontSize, want.size) << want.text;
            EXPECT_EQ(printed[i].Font, want.symbol ? SymbolFontFamily : "Arial") << want.text;
            EXPECT_EQ(printed[i].Bold, want.bold) << want.text;
            EXPECT_EQ(printed[i].Italic, want.italic) << want.text;
            EXPECT_EQ(printed[i].Underline, want.underline) << want.text;
        }
        EXPECT_DOUBLE_EQ(s.CurrentY, 2000 + c.endDy);
    }
}

TEST(SymbolFont, LettersStandForGreekLettersAndSigns) {
    EXPECT_EQ(SymbolTextToUnicode("gfdbq"), U"γφδβθ");
    EXPECT_EQ(SymbolTextToUnicode("abcdefghijklmnopqrstuvwxyz"), U"αβχδεφγηιϕκλμνοπθρστυϖωξψζ");
    EXPECT_EQ(SymbolTextToUnicode("DFGLPSW"), U"ΔΦΓΛΠΣΩ");
    EXPECT_EQ(SymbolTextToUnicode("\xB0\xB1\xA3\xB3\xB4\xB9\xD6\xA5"), U"°±≤≥×≠√∞");
    // digits and plain signs stand for themselves
    EXPECT_EQ(SymbolTextToUnicode("1.5 = (2)"), U"1.5 = (2)");
    EXPECT_EQ(SymbolTextToUnicode("-"), U"−");
    EXPECT_TRUE(IsSymbolFont("Symbol"));
    EXPECT_TRUE(IsSymbolFont("symbol"));
    EXPECT_FALSE(IsSymbolFont("Arial"));
    EXPECT_FALSE(IsSymbolFont(""));
}

}  // namespace
}  // namespace brindlemar

// The status line wraps between whole pieces, and no line starts with the
// comma or bracket that belongs to the end of the line before.

#include <QLabel>
#include <map>

#include "UiTestSupport.h"
#include "ui/main/StatusLine.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

const std::array<QString, 6> kPieces = {"[Resistance/load ratios:", " bearing = 1.74", ", sliding = 0.74",
                                        ", eccentricity = 1.48", ", rotation = 1.28",
                                        "] [e = -2.44 m = 0.68 \u00BDB] [48.38%]"};

// the lines a layout shows, in reading order
std::vector<std::string> Lines(const StatusLineLayout& row) {
    std::map<std::pair<int, int>, QString> byPlace;
    for (int i = 0; i < 6; ++i)
        if (!row.Shown[i].isEmpty()) byPlace[{row.At[i].y(), row.At[i].x()}] = row.Shown[i];
    std::map<int, QString> lines;
    for (const auto& [place, text] : byPlace) lines[place.first] += text;
    std::vector<std::string> out;
    for (const auto& [y, text] : lines) out.push_back(text.trimmed().toStdString());
    return out;
}

int Chars(const QString& t) { return static_cast<int>(t.size()); }

TEST(StatusLineWrap, BreaksBetweenPiecesAndKeepsSeparatorsAtTheLineEnd) {
    struct Case {
        int width;
        std::array<QString, 6> pieces;
        std::vector<std::string> lines;
    };
    std::array<QString, 6> noEccentricity = kPieces;
    noEccentricity[3] = "";
    noEccentricity[4] = "";
    const Case cases[] = {
        {200, kPieces,
         {"[Resistance/load ratios: bearing = 1.74, sliding = 0.74, eccentricity = 1.48, rotation = 1.28] [e = -2.44 m "
          "= 0.68 \u00BDB] [48.38%]"}},
        {100, kPieces,
         {"[Resistance/load ratios: bearing = 1.74, sliding = 0.74, eccentricity = 1.48, rotation = 1.28]",
          "[e = -2.44 m = 0.68 \u00BDB] [48.38%]"}},
        {80, kPieces,
         {"[Resistance/load ratios: bearing = 1.74, sliding = 0.74, eccentricity = 1.48,",
          "rotation = 1.28] [e = -2.44 m = 0.68 \u00BDB] [48.38%]"}},
        {50, kPieces,
         {"[Resistance/load ratios: bearing = 1.74,", "sliding = 0.74, eccentricity = 1.48,",
          "rotation = 1.28] [e = -2.44 m = 0.68 \u00BDB] [48.38%]"}},
        // the bracket goes to the last piece that shows text
        {60, noEccentricity,
         {"[Resistance/load ratios: bearing = 1.74, sliding = 0.74]", "[e = -2.44 m = 0.68 \u00BDB] [48.38%]"}},
    };
    for (const Case& c : cases) {
        const StatusLineLayout row = WrapStatusLine(c.pieces, c.width, 10, Chars);
        EXPECT_EQ(Lines(row), c.lines) << c.width;
        EXPECT_EQ(row.Lines, static_cast<int>(c.lines.size())) << c.width;
        // the pieces still read as the six texts, and no line runs past the room
        QString joined, original;
        for (int i = 0; i < 6; ++i) {
            joined += row.Shown[i];
            original += c.pieces[i];
            EXPECT_LE(row.At[i].x() + row.Widths[i], c.width) << c.width << " piece " << i;
        }
        EXPECT_EQ(joined, original) << c.width;
    }
}

TEST_F(MainWindowTest, StatusLinesNeverStartWithASeparator) {
    for (const int width : {window->MinimumWindowSize().width(), 1000, 1280, 1920}) {
        window->resize(width, 800);
        StatusLineLayout shown;
        for (int i = 0; i < 6; ++i) {
            shown.Shown[i] = window->Label6[i]->text();
            shown.At[i] = window->Label6[i]->pos();
        }
        for (const std::string& line : Lines(shown))
            EXPECT_TRUE(line.front() != ',' && line.front() != ']') << width << ": " << line;
        EXPECT_TRUE(StatusLine().startsWith("[Resistance/load ratios: bearing = ")) << width;
    }
}

}  // namespace
}  // namespace brindlemar

// Every value of every picture readable on walls no one drew by hand: walls
// generated at random (seeded, so a failure repeats), spread over the
// screens users have and the fonts they read in, on the main window's
// picture and on a report page. None may read as another thing's, be cut at
// the picture's edge, touch another text or shrink below a least type, and
// no two diagrams share hatching.

#include <QScreen>
#include <QSettings>
#include <array>
#include <functional>
#include <iostream>
#include <memory>
#include <random>
#include <set>
#include <tuple>

#include "UiTestSupport.h"
#include "analysis/Preparation.h"
#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/ForceDiagrams.h"
#include "model/Units.h"
#include "platform/ImageSurface.h"
#include "platform/Twips.h"
#include "platform/WindowPlacement.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportPage.h"
#include "support/LabelChecks.h"
#include "support/MessageRecorder.h"
#include "support/PlaneGeometry.h"
#include "support/PlainSIWall.h"
#include "support/ViewWalls.h"

namespace brindlemar {
namespace {

// The recording surface measuring texts as the screen does in the picture's font.
class ScreenRecording : public test::RecordingSurface {
public:
    ScreenRecording(double width, double height) : RecordingSurface(width, height), screen_(1, 1) {
        std::tie(Drawing().FrameWidth, Drawing().FrameHeight) = std::pair(int32_t(ScaleWidth()), int32_t(ScaleHeight()));
    }
    double TextWidth(const std::string& text) override { return Screen().TextWidth(text); }
    double TextHeight(const std::string& text) override { return Screen().TextHeight(text); }

private:
    Surface& Screen() {
        std::tie(screen_.FontName, screen_.FontSize, screen_.FontBold, screen_.FontItalic, screen_.FontUnderline) =
            std::tie(FontName, FontSize, FontBold, FontItalic, FontUnderline);
        return screen_;
    }
    ImageSurface screen_;
};

// A wall of random shape and loading: 0 to 10 line loads anywhere on, in,
// above and beside it, water on either side or both, an earthquake, a shear
// key anywhere under the base, earth in front of the toe, a surcharge on a
// level or rising backfill, up to sixteen combinations, any of the three unit systems.
void Generate(Model& m, unsigned seed) {
    std::mt19937 random(seed);
    auto uniform = [&](double low, double high) { return static_cast<float>(std::uniform_real_distribution<>(low, high)(random)); };
    auto chance = [&](double p) { return std::bernoulli_distribution(p)(random); };
    test::MakePlainSIWall(m);
    const float height = uniform(1, 10), top = uniform(0.2, 0.6);
    test::ShapePlainWall(m, uniform(0, 0.4) * height, chance(0.3) ? uniform(0, 0.3) : 0, top,
                         chance(0.5) ? uniform(0, 0.15) * height : 0, uniform(0.2, 0.8) * height, height,
                         uniform(0.25, 0.12 * height + 0.3), chance(0.4) ? uniform(1.5, 5) : 0);
    m.ToeTopDrop = chance(0.3) ? uniform(0, 0.3) : 0;
    m.WallHeight += m.ToeTopDrop;
    m.FrontStemHeight += m.ToeTopDrop;
    m.BackStemHeight += m.ToeTopDrop;
    // the depths the user enters, which the preparation puts in force: the front water from high
    // on the stem to below the base, the back water from near the top to below the base
    m.WaterIncluded = chance(0.5);
    m.EnteredFrontWaterDepth = uniform(0.3, 1.2) * m.WallHeight;
    m.EnteredBackWaterDepth = uniform(0.1, 1.1) * m.WallHeight;
    m.SeismicIncluded = chance(0.4);
    m.EnteredSeismicCoefficient = uniform(0.05, 0.3);
    m.ShearKeyIncluded = chance(0.4);
    m.ShearKeyDepth = uniform(0.2, 0.6);
    m.ShearKeyWidth = uniform(0.2, 0.8) * std::min(1.0f, m.BaseWidth);
    m.ShearKeyToeDistance = uniform(0, m.BaseWidth - m.ShearKeyWidth);
    m.ShearKeyHeelDistance = m.BaseWidth - m.ShearKeyWidth - m.ShearKeyToeDistance;
    m.PassiveToePressureIncluded = chance(0.4);
    m.BackfillSurcharge = chance(0.5) ? uniform(0, 20) : 0;
    m.LineLoadCount = static_cast<int16_t>(std::uniform_int_distribution<>(0, 10)(random));
    for (int i = 1; i <= m.LineLoadCount; ++i)
        m.LineLoads[i] = {uniform(-50, 150), uniform(-0.3, 1.4) * m.BaseWidth, uniform(0, 1.3) * m.WallHeight,
                          uniform(-180, 180), static_cast<int16_t>(std::uniform_int_distribution<>(DL, IC)(random))};
    CombinationSet& set = m.CombinationSets[static_cast<size_t>(m.ActiveCombinationSet)];
    set.CombinationCount = static_cast<int16_t>(std::uniform_int_distribution<>(1, 16)(random));
    for (int i = 1; i < set.CombinationCount; ++i) {
        set.Combinations[static_cast<size_t>(i)] = set.Combinations[0];
        for (float& f : set.Combinations[static_cast<size_t>(i)].Factor) f *= uniform(0.8, 1.6);
    }
    m.CurrentCombination = static_cast<int16_t>(set.CombinationCount - 1);
    m.PreviousUnitSystem = m.CurrentUnitSystem;
    m.CurrentUnitSystem = static_cast<int16_t>(std::uniform_int_distribution<>(0, 2)(random));
    ConvertUnits(m);
}

// The picture of the main window filling a screen (its size in pixels over
// the desktop's scale), in the desktop's font, the window's frame and title
// bar left off.
struct Screen { const char* name; int width, height; double scale; };
const Screen kScreens[] = {{"1366x768 at 125 %", 1366, 768, 1.25},
                           {"1024x768", 1024, 768, 1},
                           {"1280x800", 1280, 800, 1},
                           {"1920x1080 at 150 %", 1920, 1080, 1.5}};
struct Font { const char* family; double points; };
// The smallest type a value may take where its picture is crowded, as a share of the picture's.
constexpr double kLeastType = 0.8;
// At most one value in so many may read as another thing's, on a screen of the machine's own
// scale, scaled 125 % (the shortest pictures) and 150 %.
int ReadAmiss() {
    const double scale = QApplication::primaryScreen()->devicePixelRatio();
    return scale > 1.4 ? 299 : scale > 1.1 ? 146 : 543;
}
const Font kFonts[] = {{"Liberation Mono", 10}, {"DejaVu Sans", 12}};

QSize PictureOn(Form1& main, const Screen& screen, const Font& font) {
    // the window's controls in the desktop's font leave the picture what they leave
    QApplication::setFont(QFont(font.family, static_cast<int>(font.points)));
    main.resize(std::max(main.minimumWidth(), static_cast<int>(screen.width / screen.scale) - 8),
                std::max(main.minimumHeight(), static_cast<int>(screen.height / screen.scale) - 40));
    QApplication::processEvents();
    return main.Picture1->size();
}

// The picture of the window where it first opens on a screen (no placement saved): the program's own
// placement within the screen's room (a panel and the window's frame off it) and least size there.
QSize OpenedPicture(Form1& main, const Screen& screen, QSettings& unsaved) {
    const QRect area(0, 0, int(screen.width / screen.scale), int(screen.height / screen.scale)), room = area.adjusted(4, 28, -4, -44);
    const QSize kept = main.minimumSize();
    main.setMinimumSize(main.MinimumWindowSize().boundedTo(room.size()));
    main.resize(ReadWindowPlacement(unsaved, area, room, main.minimumSize(), TwipsPerPixel(&main)).Geometry.size());
    QApplication::processEvents();
    const QSize picture = main.Picture1->size();
    main.setMinimumSize(kept);
    return picture;
}

// A view as the main window draws it, below the factor table.
void DrawOnScreen(Model& m, Surface& s, int view) {
    const FrameBelowFactorTable below(s);
    DrawAnalysisView(m, s, view);
}

// The views as the main window and the report show them.
struct View {
    const char* name;
    int view;
    std::function<void(Model&, Surface&)> print;
    bool factorTable = true;  // printed at the top of the block
};
std::vector<View> Views() {
    return {
        {"moment", MomentView, [](Model& m, Surface& s) { PrintDiagramBlock(m, s, MomentDiagram); }},
        {"shear", ShearView, [](Model& m, Surface& s) { PrintDiagramBlock(m, s, ShearDiagram); }},
        {"normal force", NormalView, [](Model& m, Surface& s) { PrintDiagramBlock(m, s, NormalForceDiagram); }},
        {"reactions", ReactionsView, [](Model& m, Surface& s) { PrintReactionsBlock(m, s); }},
        {"resistances", ResistancesView, [](Model& m, Surface& s) { PrintReactionsBlock(m, s); }},
        {"loads", LoadsView, PrintLoadsBlock},
        // the report has no block of the structural loads alone
        {"structural loads", StructuralLoadsView, nullptr},
        // on screen its values are the window's labels, not drawn texts
        {"dimensions", 0, PrintDimensionsBlock, false},
    };
}

// Each dimension's value, a label over the picture, stands over its own span: no other span of its
// row lies nearer the label's middle, to the pixel (a zero one's label is there only to be clicked).
// Each stands whole within the picture, clear of the others' lines and labels as a reader reads
// them: its own line plainly the nearest (by half its height) unless a leader joins them, no
// other label beside it within a tenth of its height ("10.001 : 5.00"), no leader through it.
void ExpectLabelsReadAsTheirSpans(const Form1& main, const std::string& where) {
    const auto& spans = main.DimensionSpans();
    const double pixel = TwipsPerPixel(&main);
    auto shown = [&](size_t i) { return spans[i] && main.lblDim[i]->isVisible(); };
    auto boxOf = [&](size_t i) {
        QRect r = main.lblDim[i]->geometry();
        if (i == BackfillSlopeLabel && main.lblSlope->isVisible()) r = r.united(main.lblSlope->geometry());  // "1 : " and the ratio
        return TextBox{r.x() * pixel, r.y() * pixel, r.width() * pixel, r.height() * pixel};
    };
    auto lineOf = [&](const DimensionSpan& d) {
        return d.Vertical ? test::Stretch{d.Line, d.From, d.Line, d.To} : test::Stretch{d.From, d.Line, d.To, d.Line};
    };
    for (size_t i = 0; i < spans.size(); ++i) {
        if (!main.lblDim[i]->isVisible()) continue;
        const std::string label = "screen: label " + std::to_string(i) + " \"" + main.lblDim[i]->text().toStdString() + "\"";
        const TextBox box = boxOf(i);
        const double h = box.Height;
        EXPECT_TRUE(test::BoxWithin(box, {0, 0, main.Picture1->width() * pixel, main.Picture1->height() * pixel}))
            << where << label << " is cut at the picture's edge";
        for (size_t j = 0; j < spans.size(); ++j)
            if (j != i && main.lblDim[j]->isVisible() && (j != BackfillSlopeLabel || i != BackfillSlopeLabel) &&
                test::BoxesOverlap({box.Left - 0.1 * h, box.Top, box.Width + 0.2 * h, box.Height}, boxOf(j)))
                ADD_FAILURE() << where << label << " touches label " << j << " \"" << main.lblDim[j]->text().toStdString() << "\"";
        for (const Leader& l : main.LabelLeaders())
            if (test::StretchMeetsBox({l.X1, l.Y1, l.X2, l.Y2}, test::Widened(box, -pixel)))  // placed to the pixel
                ADD_FAILURE() << where << label << " has a leader through it";
        if (!shown(i) || spans[i]->From == spans[i]->To) continue;
        const double middle = spans[i]->Vertical ? box.Top + box.Height / 2 : box.Left + box.Width / 2;
        auto off = [&](const DimensionSpan& d) { return std::max({0.0, std::min(d.From, d.To) - middle, middle - std::max(d.From, d.To)}); };
        const bool led = std::any_of(main.LabelLeaders().begin(), main.LabelLeaders().end(), [&](const Leader& l) {
            return test::BoxGap(box, {l.X1, l.Y1, 0, 0}) <= pixel || test::BoxGap(box, {l.X2, l.Y2, 0, 0}) <= pixel;
        });
        const double own = test::StretchBoxGap(lineOf(*spans[i]), box);
        for (size_t j = 0; j < spans.size(); ++j) {
            if (j == i || !spans[j] || spans[j]->From == spans[j]->To) continue;
            // the spans it is compared with run the same way
            if (spans[j]->Vertical == spans[i]->Vertical && std::fabs(spans[j]->Line - spans[i]->Line) < 1 && off(*spans[j]) < off(*spans[i]) - pixel)
                ADD_FAILURE() << where << label << " stands over label " << j << "'s span";
            // one of its own row is judged by the span it stands over
            const bool row = spans[j]->Vertical == spans[i]->Vertical && std::fabs(spans[j]->Line - spans[i]->Line) < 1;
            if (!led && !row && main.lblDim[j]->isVisible() && test::StretchBoxGap(lineOf(*spans[j]), box) < own + h / 2)
                ADD_FAILURE() << where << label << " stands as near label " << j << "'s line as its own";
        }
    }
}

// The ten-load wall as a screen of 1024x768 shows it, where values read right only once the
// values placed in their way make way for them.
TEST(WindowFontsTest, CrowdedValuesMakeWayForOneAnother) {
    test::BuiltInWall w;
    test::ShapeNamedWall(w.m, test::TenLoads);
    ScreenRecording s(786 * 15.0, 576 * 15.0);
    s.FontName = kFonts[0].family;
    s.FontSize = kFonts[0].points;
    PrepareCombination(w.m);
    DrawOnScreen(w.m, s, LoadsView);
    std::vector<std::string> misread;
    test::LabelFaults(s.Calls, {{}, true, &misread, {}, 0, false});
    EXPECT_EQ(misread, std::vector<std::string>{});
}

TEST(WindowFontsTest, EveryValueStandsByWhatItLabelsOnGeneratedWalls) {
    // first the walls a new user tries, in every view on every screen in both
    // fonts; then the generated ones
    const std::vector<View> views = Views();
    const int perWall = static_cast<int>(views.size()) * 8, named = (test::UsersOwn + 1) * perWall;
    const int kWalls = named + 200;
    const QFont desktop = QApplication::font();
    test::TempDir dir;
    QSettings unsaved(QString::fromStdString(dir.File("placement.ini")), QSettings::IniFormat);
    Model window;
    window.ProgramDirectory = dir.Path().string();
    // made in the larger desktop font, whose dimension labels crowd a narrow stem the most
    QApplication::setFont(QFont(kFonts[1].family, static_cast<int>(kFonts[1].points)));
    std::unique_ptr<Form1> main(Main(window, {}));
    main->show();
    // the values judged and the pictures drawn, per view on screen and on paper
    std::vector<int> judged(4 * views.size());
    std::vector<std::string> misread, amiss;
    // the values read amiss, each once however many faults it has
    int misreadValues = 0;
    // the faults of a picture, and the values it shows read amiss; `judged` counts its values and the picture
    auto judge = [&](const std::vector<test::SurfaceCall>& calls, const test::LabelRules& rules, int* judged,
                     const std::string& where) {
        for (const std::string& fault : test::LabelFaults(calls, rules, judged)) ADD_FAILURE() << where << fault;
        ++judged[1];
        std::set<std::string> read;
        for (const std::string& fault : misread) read.insert(fault.substr(0, fault.find(')') + 1)), amiss.push_back(where + fault);
        misreadValues += static_cast<int>(read.size());
        misread.clear();
    };
    std::array<std::pair<double, double>, 8> drawn{};  // per screen and font
    for (int wall = 0; wall < kWalls; ++wall) {
        // the walls spread over the screens and fonts, the views over the walls
        const Screen& screen = kScreens[wall % 4];
        const Font& font = kFonts[wall / 4 % 2];
        const std::size_t v = static_cast<size_t>(wall / 8) % views.size();
        const View& view = views[v];
        const QSize picture = PictureOn(*main, screen, font);
        test::BuiltInWall w;
        Model& m = w.m;
        if (wall < named)
            test::ShapeNamedWall(m, wall / perWall);
        else
            Generate(m, static_cast<unsigned>(wall));
        const std::string where = "wall " + std::to_string(wall) + ", " + view.name + ", " + screen.name + ", " +
                                  font.family + ": ";
        test::MessageRecorder messages;

        // on the screen, below the factor table as the main window draws it
        ScreenRecording s(picture.width() * 15.0, picture.height() * 15.0);
        s.FontName = font.family;
        s.FontSize = font.points;
        PrepareCombination(m);
        DrawOnScreen(m, s, view.view);
        DrawFactorTable(m, s);
        // the values in type no smaller than eight tenths of the picture's
        const bool diagram = view.view >= MomentView && view.view <= NormalView;
        const test::LabelRules onScreen{{{0, 0, s.ScaleWidth(), FactorTableHeight(s)}}, true, &misread,
                                        TextBox{0, 0, s.ScaleWidth(), s.ScaleHeight()}, kLeastType * font.points, diagram};
        judge(s.Calls, onScreen, &judged[4 * v], where + "screen: ");
        if (wall < named && (view.view == LoadsView || view.view == StructuralLoadsView)) {
            // the wall's height as the window draws it where it first opens, in the picture's own type, and
            // the picture's height, in the screen's points
            const QSize opened = OpenedPicture(*main, screen, unsaved);
            ScreenRecording shown(opened.width() * 15.0, opened.height() * 15.0);
            DrawOnScreen(m, shown, view.view);
            drawn[static_cast<size_t>(wall % 8)] = {shown.Drawing().DrawingScale * m.WallHeight / 15, opened.height()};
            // on a screen of 1280x800 or more the load views' wall is no smaller than on 1024x768 in the
            // usual font, whatever the font; on a smaller one, but for the height its picture lacks (the
            // window keeps within the screen the test runs on as well, which a scaled run makes smaller)
            const auto& [usual, usualHeight] = drawn[1];
            const QSize actual = QApplication::primaryScreen()->availableSize();
            for (std::size_t k = 0; k < drawn.size() && wall % 8 == 7; ++k) {
                const Screen& on = kScreens[k % 4];
                const bool roomy = on.width / on.scale >= 1280 && on.height / on.scale >= 800 && actual.width() >= 1280 &&
                                   actual.height() >= 800;
                EXPECT_GE(drawn[k].first + (roomy ? 0 : std::max(0.0, usualHeight - drawn[k].second)) + 0.5, usual)
                    << where << on.name << ", " << kFonts[k / 4].family << ": the wall shrinks with the type";
            }
        }
        if (view.view == 0) {  // the window's own labels, over the wall's dimensions
            const std::string folder = window.ProgramDirectory;
            window = m, window.ProgramDirectory = folder, window.ViewDimensions = True;
            main->RedrawView(), ExpectLabelsReadAsTheirSpans(*main, where);
        }

        // on paper, in the printer's font
        if (!view.print) continue;
        test::RecordingSurface paper(200 * 1440 / 25.4, 287 * 1440 / 25.4, 1440.0 / 600);
        m.TextFontName = m.TitleFontName = m.ReportFontName = "Arial";
        SetupPrinterPage(m, paper);
        paper.Drawing().CurrentHalfPage = static_cast<int16_t>(wall % 2);
        PrepareCombination(m);
        view.print(m, paper);
        paper.FontSize = paper.Drawing().BlockFontSize;
        const DrawingState& block = paper.Drawing();
        test::LabelRules onPaper{{}, true, &misread,
                                 TextBox{0, double(block.FrameTop), double(block.FrameWidth), double(block.FrameHeight)},
                                 kLeastType * block.BlockFontSize, diagram};
        if (view.factorTable)
            onPaper.KeepClear = {{0, double(paper.Drawing().FrameTop), paper.ScaleWidth(), FactorTableHeight(paper)}};
        judge(paper.Calls, onPaper, &judged[4 * v + 2], where + "paper: ");
    }
    // a picture whose values vanished passes every rule: each view shows one value a picture
    // on the whole, on paper and on screen (where the dimensions are the window's labels)
    int values = 0;
    for (std::size_t v = 0; v < views.size(); ++v) {
        values += judged[4 * v] + judged[4 * v + 2];
        EXPECT_GE(judged[4 * v], views[v].view != 0 ? judged[4 * v + 1] : 0) << views[v].name << " on screen";
        EXPECT_GE(judged[4 * v + 2], judged[4 * v + 3]) << views[v].name << " on paper";
    }
    // The values a reader would take for another thing's (ReadAmiss), most of them on the ten-load
    // wall in the larger font and, in the short picture a screen scaled 125 % leaves, the user's
    // own, where ten line loads and the bodies' arrows crowd the stem's top and the earth over the
    // heel, walled in by the stem, the surcharge and the pressure block, has no room for the values
    // of what stands in it; and a few on a toe too short for its three values.
    EXPECT_LE(ReadAmiss() * misreadValues, values) << misreadValues << " of " << values << " values read amiss, "
                                                  << (amiss.empty() ? "" : amiss.front());
    for (const std::string& value : amiss) std::cout << "read amiss: " << value << "\n";
    QApplication::setFont(desktop);
}

}  // namespace
}  // namespace brindlemar

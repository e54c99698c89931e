// Every window whole in the desktop's font: each caption as wide as its text
// and every control inside its parent and its window, in a wide family and a
// large size as well as the machine's own.

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <functional>
#include <memory>
#include <vector>

#include "UiTestSupport.h"
#include "drawing/AnalysisViews.h"
#include "drawing/FactorTable.h"
#include "drawing/ForceArrows.h"
#include "support/LabelChecks.h"
#include "support/ViewWalls.h"
#include "support/RecordingSurface.h"
#include "ui/calculator/frmCalculator.h"
#include "design/DesignSectionForces.h"
#include "ui/design/frmRein.h"
#include "ui/design/frmStability.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenFit.h"
#include "platform/Twips.h"
#include "ui/reports/frmPrint.h"
#include "ui/reports/frmPrinting.h"
#include "ui/dialogs/frmLoads.h"
#include "ui/dialogs/frmProperties.h"
#include "ui/dialogs/frmRestraint.h"
#include "ui/main/frmAbout.h"
#include "ui/main/frmEdit.h"

namespace brindlemar {
namespace {

// The desktop's font as the program gets it: set on the application before
// any window is made, and the machine's own again afterwards.
class DesktopFont {
public:
    DesktopFont(const QString& family, double points) : kept_(QApplication::font()) {
        QFont font = kept_;
        if (!family.isEmpty()) font.setFamilies({family});
        if (points > 0) font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    ~DesktopFont() { QApplication::setFont(kept_); }
    DesktopFont(const DesktopFont&) = delete;
    DesktopFont& operator=(const DesktopFont&) = delete;

private:
    QFont kept_;
};

// Controls made of other controls (a combo box's list, a grid's scroll bars)
// place their parts themselves; the controls a scroll area holds are the window's own.
bool PartOfAControl(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p != nullptr && p != window; p = p->parentWidget()) {
        if (const auto* area = qobject_cast<const QScrollArea*>(p);
            area != nullptr && area->widget() != nullptr && area->widget() != w && area->widget()->isAncestorOf(w))
            continue;
        if (qobject_cast<const QAbstractScrollArea*>(p) != nullptr || qobject_cast<const QComboBox*>(p) != nullptr ||
            qobject_cast<const QTabBar*>(p) != nullptr)
            return true;
    }
    return false;
}

// True for a control in a scroll area, which may lie beyond the window's edge until scrolled to.
bool Scrolls(const QWidget* w, const QWidget* window) {
    for (const QWidget* p = w->parentWidget(); p != nullptr && p != window; p = p->parentWidget())
        if (qobject_cast<const QScrollArea*>(p) != nullptr) return true;
    return false;
}

// The width a caption needs to show its text whole, 0 for a control that has none.
int CaptionWidthNeeded(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
    if (qobject_cast<const QCheckBox*>(w) != nullptr || qobject_cast<const QRadioButton*>(w) != nullptr)
        return static_cast<const QAbstractButton*>(w)->text().isEmpty() ? 0 : w->sizeHint().width();
    if (auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty()) return 0;
        // the text inside the button's frame and margin, as the style reckons its least size
        const QStyle* style = button->style();
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
               style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) + 2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    if (auto* group = qobject_cast<const QGroupBox*>(w)) return group->title().isEmpty() ? 0 : group->minimumSizeHint().width();
    return 0;
}

bool ShowsText(const QWidget* w) {
    return qobject_cast<const QLabel*>(w) != nullptr || qobject_cast<const QAbstractButton*>(w) != nullptr;
}

// What the user sees of `window` now: every caption whole, every control in
// its parent and in the window. Grids of headings and numbers show every
// cell whole; a grid of names may shorten a name, whole in its tool tip.
void ExpectWhole(QWidget* window, const std::string& where, bool cellsWhole) {
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->isWindow() || PartOfAControl(w, window)) continue;
        const std::string name = where + " " + w->metaObject()->className() + " " + w->objectName().toStdString();
        const QWidget* parent = w->parentWidget();
        EXPECT_TRUE(parent->rect().contains(w->geometry())) << name << " outside its parent " << parent->objectName().toStdString() << " (" << w->x() << ", "
                                                             << w->y() << ", " << w->width() << " x " << w->height() << " in "
                                                             << parent->width() << " x " << parent->height() << ")";
        EXPECT_TRUE(Scrolls(w, window) || window->rect().contains(QRect(w->mapTo(window, QPoint(0, 0)), w->size())))
            << name << " outside the window";
        if (const int needed = CaptionWidthNeeded(w); needed > 0) {
            EXPECT_LE(needed, w->width() + 1) << name << " cut: \"" << w->property("text").toString().toStdString()
                                               << w->property("title").toString().toStdString() << "\"";
        }
        if (const auto* grid = qobject_cast<const FlexGrid*>(w); grid != nullptr && cellsWhole) {
            for (int r = 0; r < grid->Rows(); ++r)
                for (int c = 0; c < grid->Cols(); ++c)
                    EXPECT_EQ(grid->ShownText(r, c), grid->TextMatrix(r, c)) << name << " cell " << r << ", " << c;
        }
        if (auto* label = qobject_cast<const QLabel*>(w); label != nullptr && label->wordWrap() && !label->text().isEmpty()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height() + 1)
                << name << " wraps beyond its height: \"" << label->text().toStdString() << "\"";
        }
        if (const auto* area = qobject_cast<const QScrollArea*>(w); area != nullptr && area->widget() != nullptr) {
            // what does not fit can be scrolled to
            const QSize held = area->widget()->size();
            const QSize shown = area->viewport()->size();
            EXPECT_TRUE(held.width() <= shown.width() || area->horizontalScrollBar()->isVisibleTo(window)) << name << " cuts its right side";
            EXPECT_TRUE(held.height() <= shown.height() || area->verticalScrollBar()->isVisibleTo(window)) << name << " cuts its foot";
        }
        if (const auto* grid = qobject_cast<const FlexGrid*>(w); grid != nullptr && grid->ScrollBars() != FlexScrollNone) {
            EXPECT_TRUE(grid->ColWidthsSum() <= grid->viewport()->width() * grid->Tpp() + 1 || grid->horizontalScrollBar()->isVisibleTo(window)) << name << " cuts its columns";
        }
        if (ShowsText(w) && !w->property("text").toString().isEmpty()) {
            EXPECT_LE(w->fontMetrics().height(), w->height() + 1) << name << " lower than its text";
        }
    }
}

// Looks at every tab of every tab control of the window.
void ExpectEveryTabWhole(QWidget* window, const std::string& where, bool cellsWhole) {
    ExpectWhole(window, where, cellsWhole);
    for (QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        const int shown = tabs->currentIndex();
        for (int i = 0; i < tabs->count(); ++i) {
            tabs->setCurrentIndex(i);
            ExpectWhole(window, where + " tab " + std::to_string(i), cellsWhole);
        }
        tabs->setCurrentIndex(shown);
    }
}

// `window` wholly on its screen above a desktop panel (where the screen tells
// of none), with room for a title bar above it; its least size too; and the
// buttons that close it wholly in sight.
void ExpectOnScreen(QWidget* window, const std::string& where) {
    const QScreen* screen = window->screen();
    QRect room = screen->availableGeometry();
    if (room == screen->geometry()) room.setBottom(room.bottom() - 40);
    const QRect at = window->frameGeometry();
    EXPECT_TRUE(room.contains(at)) << where << " at " << at.x() << ", " << at.y() << " size " << at.width() << " x "
                                   << at.height() << " on a room of " << room.width() << " x " << room.height();
    const QSize titled = window->size().expandedTo(window->minimumSize()) + QSize(8, 32);
    EXPECT_LE(titled.width(), room.width()) << where << " width";
    EXPECT_LE(titled.height(), room.height()) << where << " height with a title bar";
    for (QPushButton* b : window->findChildren<QPushButton*>()) {
        const QString text = b->text().remove('&');
        if (b->isHidden() || !QStringList{"OK", "Accept", "Cancel", "Close", "Print"}.contains(text)) continue;
        EXPECT_EQ(b->visibleRegion().boundingRect(), b->rect()) << where << " \"" << text.toStdString() << "\" hidden";
        EXPECT_TRUE(window->rect().contains(QRect(b->mapTo(window, QPoint(0, 0)), b->size())))
            << where << " \"" << text.toStdString() << "\" outside";
    }
}

// What must be read without scrolling or a tool tip, at any size: the names
// of the built-in combinations over the stability columns, the factor
// summary, and the line that says why the design tab is greyed.
void ExpectInSightUnscrolled(QWidget* window, const std::string& where) {
    if (const auto* stability = qobject_cast<const frmStability*>(window)) {
        const FlexGrid* grid = stability->MSHFlexGrid1;
        for (int c = 1; c < grid->Cols(); ++c) EXPECT_EQ(grid->ShownText(0, c), grid->TextMatrix(0, c)) << where << " heading " << c;
    }
    // the loads dialog's factor summary, which tells what the factors are of
    if (const QWidget* summary = window->findChild<QWidget*>("fraFactors")) {
        EXPECT_EQ(summary->visibleRegion().boundingRect(), summary->rect()) << where << " factor summary out of sight";
    }
    const QWidget* reason = window->findChild<QWidget*>("Label16");
    if (reason == nullptr) return;
    EXPECT_EQ(reason->visibleRegion().boundingRect(), reason->rect()) << where << " reason out of sight";
}

using WindowMaker = std::function<std::unique_ptr<QWidget>(Model&, QWidget*)>;

template <typename D, typename M = Model>
WindowMaker Maker() {
    return [](Model& m, QWidget* main) -> std::unique_ptr<QWidget> { return std::make_unique<D>(static_cast<M&>(m), main); };
}

struct NamedWindow {
    const char* name;
    WindowMaker make;
    bool scrollsInItsGrids = false;  // never as a whole, so that the headings over its grids stay in sight
};

// Every window the main window opens.
std::vector<NamedWindow> Windows() {
    return {
        {"frmLoads", Maker<frmLoads>()},           {"frmProperties", Maker<frmProperties>()},
        {"frmRestraint", Maker<frmRestraint>()},   {"frmRein", [](Model& m, QWidget* main) -> std::unique_ptr<QWidget> {
             // the design forces first, as the main window's command computes them
             ComputeDesignSectionForces(m);
             return std::make_unique<frmRein>(m, main);
         }, true},
        {"frmStability", Maker<frmStability>(), true},   {"frmPrint", Maker<frmPrint>()},
        {"frmPrinting", Maker<frmPrinting>()},     {"frmCalculator", Maker<frmCalculator>()},
        {"frmEdit", Maker<frmEdit>()},             {"frmAbout", Maker<frmAbout, const Model>()},
    };
}

TEST(WindowFontsTest, EveryWindowWholeInAWideFamilyAndALargeSize) {
    const struct {
        const char* family;
        double points;
        bool onScreen;  // every window on the screen
    } fonts[] = {{"", 0, true},         {"Liberation Mono", 0, false},  {"Liberation Mono", 8, false},
                 {"", 12, true},        {"Liberation Mono", 12, false}, {"Liberation Sans", 10, true}};
    test::TempDir earlierDir;
    Model earlierModel;
    earlierModel.ProgramDirectory = earlierDir.Path().string();
    std::unique_ptr<Form1> earlier(Main(earlierModel, {}));  // made in the first font, running through the others
    earlier->show();
    for (const auto& font : fonts) {
        DesktopFont desktop(font.family, font.points);
        const std::string where = std::string(font.family) + " " + std::to_string(font.points) + " pt: ";
        test::TempDir dir;
        Model m;
        m.ProgramDirectory = dir.Path().string();
        std::unique_ptr<Form1> main(Main(m, {}));
        // concrete factors, so that the reinforcement dialog shows its design tab too
        test::FactorForConcrete(m);
        main->show();
        QApplication::processEvents();
        // and one made in another font takes this one's least size once the change has gone round
        for (int turn = 0; turn < 3 && earlier->minimumSize() != main->minimumSize(); ++turn) QApplication::processEvents();
        EXPECT_EQ(earlier->minimumSize(), main->minimumSize()) << where << "a window made in another font";
        ExpectWhole(main->centralWidget(), where + "Form1", true);
        if (font.onScreen) {
            main->resize(main->minimumSize());
            QApplication::processEvents();
            ExpectOnScreen(main.get(), where + "Form1");
            ExpectWhole(main->centralWidget(), where + "Form1 at its least size", true);
            const QWidget* status = main->findChild<QWidget*>("Panel3D3");
            EXPECT_TRUE(main->centralWidget()->rect().contains(status->geometry())) << where << "status panel outside";
            // the column scrolls on a low screen, but the combination lists show whole
            for (const QWidget* list : {main->Combo2, main->Combo3})
                EXPECT_EQ(list->visibleRegion().boundingRect(), list->rect()) << where << list->objectName().toStdString() << " cut";
            // the force diagrams' hatching shows through the grey wall beside the members' axes
            for (const size_t view : {11, 12, 13}) {
                main->optView[view]->click();
                const QImage picture = main->Picture1->Image;
                // drawn in the screen's own pixels, not enlarged from ours
                EXPECT_EQ(picture.devicePixelRatio(), main->Picture1->devicePixelRatioF()) << where;
                EXPECT_EQ(picture.deviceIndependentSize().toSize(), main->Picture1->size()) << where;
                int axes = 0, hatching = 0;
                for (int y = 0; y < picture.height(); ++y)
                    for (int x = 0; x < picture.width(); ++x)
                        if (const QRgb c = picture.pixel(x, y); qGreen(c) == 0 && qBlue(c) == 0 && qRed(c) % 255 != 0)
                            ++(qRed(c) == 128 ? axes : hatching);
                EXPECT_GT(hatching, 0.6 * axes) << where << "view " << view << " at the least size";
            }
        }
        // every line load a wall can have: the loads grid numbers its rows to 50 and scrolls
        m.LineLoadCount = MaxLineLoads;
        for (int i = 1; i <= MaxLineLoads; ++i) m.LineLoads[i] = LineLoad{10.0f * i, 0.5f, 10, -90, static_cast<int16_t>(1 + i % 9)};
        // a factor of two decimals, whole in its cell of the factor grid
        m.CombinationSets[m.ActiveCombinationSet].Combinations[0].Factor[DL] = 1.25f;
        // sixteen combinations of long formulas: more stability columns than a screen holds
        test::ShapeNamedWall(m, test::TenLoads);
        for (LoadCombination& c : m.CombinationSets[m.ActiveCombinationSet].Combinations) std::fill(&c.Factor[EV], &c.Factor[IC] + 1, 1.35f);
        for (const auto& window : Windows()) {
            std::unique_ptr<QWidget> w = window.make(m, main.get());
            // shown and laid out, but no timer run: the printing window would print
            w->show();
            // placed at its final size: a window that grows once framed may push its title bar off the screen
            const QSize placed = w->size();
            QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            EXPECT_EQ(w->size(), placed) << where << window.name << " grew after it was placed";
            const bool namesInGrids = window.name == std::string("frmStability") || window.name == std::string("frmRein");
            ExpectEveryTabWhole(w.get(), where + window.name, !namesInGrids);
            if (font.onScreen) ExpectOnScreen(w.get(), where + window.name);
            ExpectInSightUnscrolled(w.get(), where + window.name);
            // scrolled to its foot, a window keeps its tabs in sight, and each page comes to the front from its top
            if (auto* tabs = w->findChild<QTabWidget*>(); tabs != nullptr && ScrollsToFit(w.get())) {
                for (int k = 0; k <= tabs->count(); ++k) {
                    tabs->setCurrentIndex(k % tabs->count());
                    const auto* area = qobject_cast<const QScrollArea*>(tabs->currentWidget());
                    const QWidget* page = area != nullptr ? area->widget() : tabs->currentWidget();
                    EXPECT_EQ(page->visibleRegion().boundingRect().top(), 0) << where << window.name << " page " << k << " scrolled";
                    for (QScrollArea* a : w->findChildren<QScrollArea*>("ScreenFitArea")) a->verticalScrollBar()->setValue(a->verticalScrollBar()->maximum());
                    EXPECT_EQ(tabs->tabBar()->visibleRegion().boundingRect(), tabs->tabBar()->rect()) << where << window.name << " tabs out of sight";
                }
            }
            if (auto* loads = qobject_cast<frmLoads*>(w.get())) {  // a factor of three decimals typed: the factor grid keeps its size and its columns' widths
                FlexGrid* g = loads->MSHFlexGrid1;
                loads->SSTab1->setCurrentIndex(1);
                auto sizes = [g] { std::vector<int> s{g->width()}; for (int c = 0; c < g->Cols(); ++c) s.push_back(g->ColWidth(c)); return s; };
                const std::vector<int> before = sizes();
                g->SetRow(1), g->SetCol(2), QTest::keyClicks(g, "1"), QTest::keyClicks(loads->txtFactor, ".125");
                EXPECT_EQ(sizes(), before) << where << "factor grid while a factor is typed";
                QTest::keyClick(loads->txtFactor, Qt::Key_Return);
                EXPECT_EQ(sizes(), before) << where << "factor grid";
            }
            // one way where what it holds is narrower than the screen with a bar down
            if (const auto* area = w->findChild<QScrollArea*>("ScreenFitArea")) {
                const QWidget* held = area->widget();
                const int least = std::max(held->minimumWidth(), held->minimumSizeHint().width()) + area->verticalScrollBar()->sizeHint().width();
                EXPECT_FALSE(area->horizontalScrollBar()->isVisibleTo(area) && area->verticalScrollBar()->isVisibleTo(area) &&
                             least <= ClientRoom(w.get()).width())
                    << where << window.name << " scrolls both ways";
            }
            if (window.scrollsInItsGrids) {
                EXPECT_FALSE(ScrollsToFit(w.get())) << where << window.name << " scrolls as a whole";
            }
        }
    }
}

// In a wide desktop font the main window at its least size leaves its
// picture little room: the values of the loads view, and of the load-type
// views drawn through it, still stand by their arrows.
TEST(WindowFontsTest, LoadValuesStandByTheirArrowsInTheLeastWindow) {
    DesktopFont desktop("Liberation Mono", 0);
    test::TempDir dir;
    Model m;
    m.ProgramDirectory = dir.Path().string();
    std::unique_ptr<Form1> main(Main(m, {}));
    main->resize(main->minimumSize());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(main.get()));
    main->optView[LoadsView]->click();
    // each view drawn again at the picture's size where the test sees its texts
    for (const int view : {LoadsView, DeadLoadsView, SoilLoadsView, SeismicLoadsView}) {
        const QSize picture = main->Picture1->Image.deviceIndependentSize().toSize();
        test::RecordingSurface s(picture.width() * ScreenTwipsPerPixel(), picture.height() * ScreenTwipsPerPixel());
        s.Drawing().FrameWidth = static_cast<int32_t>(std::lround(s.ScaleWidth()));
        s.Drawing().FrameHeight = static_cast<int32_t>(std::lround(s.ScaleHeight()));
        {
            const FrameBelowFactorTable below(s);
            DrawAnalysisView(m, s, view);
        }
        ASSERT_FALSE(s.Of("Print").empty());
        EXPECT_EQ(test::LabelFaults(s.Calls), std::vector<std::string>{})
            << "view " << view << " on a picture of " << s.Drawing().FrameWidth / 15 << " x " << s.Drawing().FrameHeight / 15;
    }
}

}  // namespace
}  // namespace brindlemar

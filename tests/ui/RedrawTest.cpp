// What a command of the main window costs and says: the picture drawn once,
// the combination analysed once, a fault of the wall told once.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QScrollArea>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "DialogScript.h"
#include "UiTestSupport.h"
#include "analysis/Coefficients.h"
#include "files/ProjectFile.h"
#include "platform/WindowPlacement.h"
#include "support/MessageRecorder.h"
#include "ui/design/frmStability.h"
#include "ui/dialogs/frmLoads.h"
#include "ui/dialogs/frmProperties.h"

namespace brindlemar {
namespace {

using test::MainWindowTest;

int Told(const test::MessageRecorder& messages, const std::string& text) {
    int told = 0;
    for (const test::RecordedMessage& message : messages.Messages) told += message.Text == text;
    return told;
}

TEST_F(MainWindowTest, EveryCommandDrawsOnceAndAnalysesTheCombinationOnce) {
    // the window shows the built-in wall drawn once
    EXPECT_EQ(window->RedrawCount(), 1);
    EXPECT_EQ(m.AnalysisCount, 1);

    const auto view = [this](int index) { return [this, index] { window->optView[static_cast<size_t>(index)]->click(); }; };
    const auto chooseIn = [](QComboBox* list, int index) {
        return [list, index] {
            list->setCurrentIndex(index);
            emit list->activated(index);
        };
    };
    struct Case {
        const char* what;
        std::function<void()> act;
        bool sameColumn = false;  // the right-hand column keeps its width
    };
    const Case cases[] = {
        {"reactions view", view(8)},
        {"resistances view", view(9)},
        {"loads view", view(10)},
        {"moment diagram", view(11)},
        {"shear diagram", view(12)},
        {"normal force diagram", view(13)},
        {"dimensions view", view(0)},
        {"dead loads from the menu", [this] { window->mnuViewItems[1]->trigger(); }},
        {"another combination", chooseIn(window->Combo3, 1)},
        {"another set", chooseIn(window->Combo2, 1), true},
        {"the first set again", chooseIn(window->Combo2, 0), true},
        {"water off", [this] { window->Check1->click(); }},
        {"seismic off from the menu", [this] { window->mnuOptionSeismic->trigger(); }},
        {"shear key off", [this] { window->Check3->click(); }},
        {"British units", [this] { window->mnuUnitBritish->trigger(); }},
        {"ASD", [this] { window->optLoad[ASD]->click(); }},
        {"LRFD", [this] { window->optLoad[LRFD]->click(); }},
        {"a wider window", [this] { window->resize(window->width() + 40, window->height()); }},
        {"loads dialog accepted",
         [this] {
             test::WhenOpen<frmLoads> accept([](frmLoads& d) { d.Command3->click(); }, &frmLoads::Command4);
             window->Command3->click();
         }},
        {"properties dialog accepted",
         [this] {
             test::WhenOpen<frmProperties> accept([](frmProperties& d) { d.Command1->click(); });
             window->Command2->click();
         }},
    };
    // a second set to choose, its combinations' names shorter than the first's
    m.CombinationSets[1].Combinations[0].Name = "A combination of a long name";
    m.CombinationSets[2] = m.CombinationSets[1];
    m.CombinationSets[2].Name = "Copy";
    for (LoadCombination& c : m.CombinationSets[2].Combinations) c.Name = "C";
    m.CombinationSetCount = 3;
    window->FillCombinationSetCombo();
    window->RedrawAfterListing();
    ASSERT_EQ(window->Combo2->count(), 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const int redraws = window->RedrawCount();
        const int64_t analyses = m.AnalysisCount;
        const int column = window->ColumnArea->x();
        c.act();
        if (c.sameColumn) {
            EXPECT_EQ(window->ColumnArea->x(), column);
        }
        EXPECT_EQ(window->RedrawCount() - redraws, 1);
        EXPECT_EQ(m.AnalysisCount - analyses, 1);
    }
}

TEST_F(MainWindowTest, AStartDrawsOnceAtTheSizeShownAndAFlattenedSlopeAsItStands) {
    // steeper than the backfill's 30 degrees: the analysis flattens it
    m.BackfillSlopeRatio = 1.5f;
    const std::string path = dir.File("steep.bmi");
    ASSERT_TRUE(WriteProjectFile(m, path));

    test::MessageRecorder messages;
    Model started;
    started.ProgramDirectory = dir.Path().string();
    // as a window closed maximised starts again: the window system sizes it after it is shown
    OpenProgramSettings()->setValue("Window/WindowState", 2);
    std::unique_ptr<Form1> opened(Main(started, {path}));
    OpenProgramSettings()->remove("Window/WindowState");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(opened.get()));
    ASSERT_TRUE(opened->isMaximized());
    EXPECT_EQ(opened->RedrawCount(), 1);
    EXPECT_EQ(opened->Picture1->Image.deviceIndependentSize().toSize(), opened->Picture1->size());
    EXPECT_EQ(started.AnalysisCount, 2) << "the flattened wall is analysed again, once";
    // the flattening is told, each warning once
    ASSERT_FALSE(messages.Messages.empty());
    std::set<std::string> warnings;
    for (const test::RecordedMessage& message : messages.Messages) EXPECT_TRUE(warnings.insert(message.Text).second);
    const size_t told = messages.Messages.size();
    EXPECT_GT(started.BackfillSlopeRatio, 1.5f);
    EXPECT_EQ(started.BackfillSlopeAdjusted, False);
    // the picture and the status are of the flattened wall: analysed as it
    // stands, it is not flattened again
    const float flattened = started.BackfillSlopeRatio;
    opened->optView[8]->click();
    EXPECT_EQ(started.BackfillSlopeRatio, flattened);
    EXPECT_EQ(started.AnalysisCount, 3);
    EXPECT_EQ(messages.Messages.size(), told);
}

TEST_F(MainWindowTest, AnEarthquakeTheBackfillCannotTakeIsToldOncePerWallAndLoads) {
    test::MessageRecorder messages;
    // beyond tan 30 degrees no seismic earth pressure exists
    m.EnteredSeismicCoefficient = 0.9f;
    window->RedrawView();
    EXPECT_EQ(Told(messages, SeismicAccelerationTooLarge), 1);

    // redraws of the same wall stay quiet, whatever they show
    window->resize(window->width() + 40, window->height());
    window->resize(window->width() - 20, window->height() + 20);
    for (int view : {8, 9, 10, 11, 12, 13, 0}) window->optView[static_cast<size_t>(view)]->click();
    window->Combo3->setCurrentIndex(1);
    emit window->Combo3->activated(1);
    window->optLoad[ASD]->click();
    window->optLoad[LRFD]->click();
    // and so do the stability window's analyses of every combination
    test::WhenOpen<frmStability> stability([](frmStability&) {}, &frmStability::Command1);
    window->Command4->click();
    EXPECT_EQ(Told(messages, SeismicAccelerationTooLarge), 1);

    // a change of the wall says it again, and so does going back to the wall it was told for
    window->Check3->click();
    EXPECT_EQ(Told(messages, SeismicAccelerationTooLarge), 2);
    window->Check3->click();
    EXPECT_EQ(Told(messages, SeismicAccelerationTooLarge), 3);
    window->RedrawView();
    EXPECT_EQ(Told(messages, SeismicAccelerationTooLarge), 3);
}

}  // namespace
}  // namespace brindlemar

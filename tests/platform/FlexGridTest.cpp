#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <memory>
#include <string>
#include <vector>

#include "SurfaceTestApplication.h"
#include "platform/FlexGrid.h"
#include "support/GridCells.h"

namespace brindlemar {
namespace {

// A grid in a shown window, with every event it raises written down in order.
class FlexGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::EnsureQtApplication();
        window = std::make_unique<QWidget>();
        window->resize(600, 400);
        grid = new FlexGrid(window.get());
        grid->setGeometry(10, 10, 500, 200);
        other = new QLineEdit(window.get());
        other->setGeometry(10, 300, 100, 20);
        grid->SetRows(1);
        grid->SetCols(4);
        for (int c = 0; c < 4; ++c) grid->SetColWidth(c, c == 0 ? 300 : 1200);
        for (int r = 1; r <= 3; ++r) grid->AddItem(QString("%1\ta%1\tb%1\tc%1").arg(r));
        QObject::connect(grid, &FlexGrid::EnterCell, [this] { events.push_back("EnterCell"); });
        QObject::connect(grid, &FlexGrid::RowColChange, [this] { events.push_back("RowColChange"); });
        QObject::connect(grid, &FlexGrid::SelChange, [this] { events.push_back("SelChange"); });
        QObject::connect(grid, &FlexGrid::Click, [this] { events.push_back("Click"); });
        QObject::connect(grid, &FlexGrid::DblClick, [this] { events.push_back("DblClick"); });
        QObject::connect(grid, &FlexGrid::KeyPress, [this](int& key) { events.push_back("Key" + std::to_string(key)); });
        window->show();
        QApplication::setActiveWindow(window.get());
        grid->setFocus();
        QApplication::processEvents();
        events.clear();
    }

    QPoint CellCentre(int row, int col) const { return test::CellCentre(grid, row, col); }

    std::unique_ptr<QWidget> window;
    FlexGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    std::vector<std::string> events;
};

using Events = std::vector<std::string>;

TEST_F(FlexGridTest, RowsAreAddedFromTabbedTextsAndRemovedWithTheirCells) {
    EXPECT_EQ(grid->Rows(), 4);
    EXPECT_EQ(grid->TextMatrix(2, 0), "2");
    EXPECT_EQ(grid->TextMatrix(2, 3), "c2");
    grid->AddItem("x\ty", 1);  // inserted, missing cells empty
    EXPECT_EQ(grid->TextMatrix(1, 1), "y");
    EXPECT_EQ(grid->TextMatrix(1, 2), "");
    EXPECT_EQ(grid->TextMatrix(2, 1), "a1");
    grid->RemoveItem(1);
    EXPECT_EQ(grid->TextMatrix(1, 1), "a1");
    // addresses outside the grid read empty and take nothing
    grid->SetTextMatrix(9, 9, "lost");
    EXPECT_EQ(grid->TextMatrix(9, 9), "");
    EXPECT_EQ(grid->TextMatrix(-1, 0), "");
}

TEST_F(FlexGridTest, ShrinkingKeepsTheCurrentCellOnTheGrid) {
    grid->SetRow(3);
    grid->SetCol(3);
    grid->SetRows(2);
    EXPECT_EQ(grid->Row(), 1);
    EXPECT_EQ(grid->RowSel(), 1);
    grid->SetRows(1);  // headings only: the current row rests on the heading row
    EXPECT_EQ(grid->Row(), 0);
    grid->SetCols(1);
    EXPECT_EQ(grid->Col(), 0);
    EXPECT_EQ(grid->ColSel(), 0);
}

TEST_F(FlexGridTest, SettingTheCurrentCellByCodeCollapsesTheSelectionAndRaisesItsEvents) {
    grid->SetColSel(3);
    EXPECT_EQ(events, (Events{"SelChange"}));
    events.clear();
    grid->SetRow(2);
    EXPECT_EQ(grid->RowSel(), 2);
    EXPECT_EQ(grid->ColSel(), 1);
    EXPECT_EQ(events, (Events{"EnterCell", "RowColChange", "SelChange"}));
    events.clear();
    grid->SetRow(2);  // no change, no event
    EXPECT_TRUE(events.empty());
    grid->SetRow(7);  // no such row
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(FlexGridTest, MouseSelectsCellsRowsAndRaisesClickAfterTheMove) {
    struct Case {
        const char* what;
        int row, col;
        int wantRow, wantCol, wantRowSel, wantColSel;
    };
    const Case cases[] = {
        {"a cell", 2, 2, 2, 2, 2, 2},
        {"a row number selects the row", 3, 0, 3, 1, 3, 3},
        {"a column heading selects the column", 0, 2, 1, 2, 3, 2},
    };
    for (const Case& c : cases) {
        grid->SetRow(1);
        grid->SetCol(1);
        events.clear();
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(c.row, c.col));
        EXPECT_EQ(grid->Row(), c.wantRow) << c.what;
        EXPECT_EQ(grid->Col(), c.wantCol) << c.what;
        EXPECT_EQ(grid->RowSel(), c.wantRowSel) << c.what;
        EXPECT_EQ(grid->ColSel(), c.wantColSel) << c.what;
        ASSERT_FALSE(events.empty()) << c.what;
        EXPECT_EQ(events.back(), "Click") << c.what;
    }
    // a click on the current cell raises only the click
    events.clear();
    grid->SetRow(1);
    grid->SetCol(1);
    events.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
    EXPECT_EQ(events, (Events{"Click"}));
    events.clear();
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(1, 1));
    EXPECT_EQ(events.back(), "DblClick");
}

TEST_F(FlexGridTest, KeysMoveTheCurrentCellOrArePassedOnAsCharacterCodes) {
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(grid->Col(), 2);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Up);
    QTest::keyClick(grid, Qt::Key_Up);  // never onto the heading row
    EXPECT_EQ(grid->Row(), 1);
    events.clear();
    QTest::keyClick(grid, Qt::Key_A);
    QTest::keyClick(grid, Qt::Key_5);
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::keyClick(grid, Qt::Key_Escape);
    EXPECT_EQ(events, (Events{"Key97", "Key53", "Key13", "Key27"}));
}

TEST_F(FlexGridTest, CellGeometryIsInTwipsAndScrollsTheCellIntoView) {
    grid->SetRows(1);
    for (int r = 1; r <= 40; ++r) grid->AddItem(QString::number(r));
    grid->SetRowHeight(0, 300);
    grid->SetRow(1);
    grid->SetCol(2);
    const double tpp = grid->Tpp();
    // 1 pixel of frame, then columns 0 and 1
    EXPECT_NEAR(grid->CellLeft(), tpp * (1 + 20 + 80), tpp);
    EXPECT_NEAR(grid->CellTop(), tpp * (1 + 20), tpp);
    EXPECT_EQ(grid->CellWidth(), 1200);
    grid->SetRow(40);
    const int top = grid->CellTop();  // brings row 40 into view
    EXPECT_GT(grid->TopRow(), 1);
    EXPECT_LE(top + grid->CellHeight(), static_cast<int>(grid->height() * tpp));
    grid->SetTopRow(5);
    EXPECT_EQ(grid->TopRow(), 5);
    int row = 0, col = 0;
    ASSERT_TRUE(grid->CellAt(CellCentre(1, 1), row, col));  // first scrolled row under the heading
    EXPECT_EQ(row, 5);
}

// A grid that had both bars, resized while hidden to just hold its cells,
// shows none: each bar must not keep the other in place by the room it takes.
TEST_F(FlexGridTest, ScrollBarsOfAHiddenGridFollowItsNewSize) {
    const double tpp = grid->Tpp();
    int cells = 0, lines = 0;
    for (int c = 0; c < grid->Cols(); ++c) cells += static_cast<int>(grid->ColWidth(c) / tpp + 0.5);
    for (int r = 0; r < grid->Rows(); ++r) lines += static_cast<int>(grid->RowHeight(r) / tpp + 0.5);
    const int border = 2 * grid->frameWidth() + 2;
    grid->resize(cells / 2, lines / 2);
    QApplication::processEvents();
    ASSERT_TRUE(grid->horizontalScrollBar()->isVisible());
    ASSERT_TRUE(grid->verticalScrollBar()->isVisible());

    grid->hide();
    grid->resize(cells + border, lines + border);
    grid->show();
    QApplication::processEvents();
    EXPECT_FALSE(grid->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(grid->verticalScrollBar()->isVisible());

    // a grid filled in a window not yet shown, then sized to its cells
    QWidget unshown;
    auto* fresh = new FlexGrid(&unshown);
    fresh->SetCols(grid->Cols());
    for (int c = 0; c < grid->Cols(); ++c) fresh->SetColWidth(c, grid->ColWidth(c));
    fresh->SetRows(grid->Rows());
    fresh->resize(cells / 2, lines / 2);
    fresh->resize(cells + border, lines + border);
    unshown.resize(cells + 2 * border, lines + 2 * border);
    unshown.show();
    QApplication::processEvents();
    EXPECT_FALSE(fresh->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(fresh->verticalScrollBar()->isVisible());

    // and a grid made too small again while hidden gets its bars back
    grid->hide();
    grid->resize(cells / 2, lines / 2);
    grid->show();
    QApplication::processEvents();
    EXPECT_TRUE(grid->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(grid->verticalScrollBar()->isVisible());
}

TEST_F(FlexGridTest, EditorCommitsOnceAndAbandonsOnEscape) {
    auto* editor = new GridCellEditor(window.get());
    Events seen;
    QObject::connect(editor, &GridCellEditor::Commit, [&](bool byEnter) {
        seen.push_back(byEnter ? "Enter:" + editor->text().toStdString() : "Leave:" + editor->text().toStdString());
        grid->setFocus();  // as a dialog does after writing the cell
    });
    QObject::connect(editor, &GridCellEditor::Abandon, [&] { seen.push_back("Abandon"); });
    QObject::connect(editor, &GridCellEditor::Closed, [&] { seen.push_back("Closed"); });

    grid->SetRow(2);
    grid->SetCol(2);
    grid->PlaceOverCurrentCell(editor, 45, 15, 45, 15);
    const QPoint cell = grid->mapTo(window.get(), QPoint(0, 0));
    EXPECT_GT(editor->x(), cell.x());
    editor->Open("b2", true);
    QApplication::processEvents();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->selectedText(), "b2");
    QTest::keyClicks(editor, "7");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(seen, (Events{"Enter:7", "Closed"}));  // moving the focus on commits nothing more
    EXPECT_FALSE(editor->isVisible());

    seen.clear();
    editor->Open("x", false);
    QTest::keyClicks(editor, "yz");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(seen, (Events{"Abandon", "Closed"}));

    seen.clear();
    editor->Open("4", false);
    QTest::keyClicks(editor, "2");
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(seen, (Events{"Leave:42", "Closed"}));
}

TEST_F(FlexGridTest, ChooserCommitsTheChosenEntry) {
    auto* chooser = new GridCellChooser(window.get());
    chooser->addItems({"DL - Structural dead load", "EV - Earth dead load"});
    Events seen;
    QObject::connect(chooser, &GridCellChooser::Commit,
                     [&](bool byChoice) { seen.push_back((byChoice ? "Choice:" : "Leave:") + chooser->currentText().left(2).toStdString()); });
    QObject::connect(chooser, &GridCellChooser::Abandon, [&] { seen.push_back("Abandon"); });
    chooser->Open(0);
    QApplication::processEvents();
    chooser->setCurrentIndex(1);
    emit chooser->activated(1);
    EXPECT_EQ(seen, (Events{"Choice:EV"}));
    seen.clear();
    chooser->Open(0);
    QTest::keyClick(chooser, Qt::Key_Escape);
    EXPECT_EQ(seen, (Events{"Abandon"}));
}

}  // namespace
}  // namespace brindlemar

#include "ui/design/frmStability.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <vector>

#include "design/StabilityTable.h"
#include "ui/design/DesignWindows.h"
#include "analysis/Analysis.h"
#include "platform/FlexGrid.h"
#include "platform/Panel3D.h"
#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "platform/WindowPlacement.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {
namespace {

// designed sizes, twips
constexpr double CaptionColumnWidth = 3000;
constexpr double CombinationColumnWidth = 2460;
constexpr double HeaderRowHeight = 960;
constexpr double SeparatorHeight = 30;
constexpr int VisibleCombinations = 4;
constexpr double ButtonWidth = 1515;

}  // namespace

frmStability::frmStability(Model& m, QWidget* owner) : QDialog(owner), m_(m), owner_(owner) {
    setObjectName("frmStability");
    setWindowTitle("Brindlemar: Stabilities");
    setModal(true);
    UseDesignedFont(this);

    SSPanel1 = Named(new Panel3D(this, Panel3D::Raised), "SSPanel1");
    Picture1 = Named(new QWidget(SSPanel1), "Picture1");
    MSHFlexGrid1 = Named(new FlexGrid(Picture1), "MSHFlexGrid1");
    PrepareGrid(*MSHFlexGrid1);
    Label33 = Named(new QLabel("Note:", Picture1), "Label33");
    lblNote = Named(new QLabel("Note:", Picture1), "lblNote");
    lblNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblNote->setWordWrap(true);
    Label35 = Named(new QLabel("F1 - Help", this), "Label35");
    Command1 = Named(new QPushButton("OK", this), "Command1");
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &frmStability::Command1_Click);
    // the grid has the focus; Enter and Esc are still the window's, for "OK"
    connect(MSHFlexGrid1, &FlexGrid::KeyPress, this, [this](int& key) {
        if (key != 13 && key != 27) return;
        key = 0;
        Command1->click();
    });

    // as designed; ShowResults fits the width to the set
    SetTwips(SSPanel1, 120, 120, 13935, 7695);
    SetTwips(Picture1, 60, 60, 13815, 7575);
    SetTwips(MSHFlexGrid1, 120, 120, 9855, 6615);
    SetTwips(Label33, 120, 7200, 390, 195);
    SetTwips(lblNote, 600, 7200, 5715, 375);
    SetTwips(Label35, 120, 7920, 1095, 255);
    SetTwips(Command1, 12480, 7920, ButtonWidth, 315);
    setFixedSize(Px(this, 14205), Px(this, 8355));

    Form_Load();
}

void frmStability::SetTwips(QWidget* w, double left, double top, double width, double height) {
    w->setGeometry(Px(this, left), Px(this, top), Px(this, width), Px(this, height));
}

void frmStability::Place() {
    CentreOnOwner(this, owner_);
    FitOnScreen(this);
}

void frmStability::Form_Load() { ShowResults(); }

void frmStability::Command1_Click() { accept(); }

void frmStability::keyPressEvent(QKeyEvent* event) {
    if (ShowHelpOnF1(event)) return;
    // Esc closes through "OK" as Enter does: the window has nothing to cancel
    if (event->key() == Qt::Key_Escape) {
        Command1->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmStability::ShowResults() {
    FlexGrid& grid = *MSHFlexGrid1;
    const int s = static_cast<int>(CheckedIndex(m_.ActiveCombinationSet, 0, MaxCombinationSets));
    const int n = m_.CombinationSets[s].CombinationCount;

    // the note says why a combination has no result, so the analysis comes first
    AnalyseAllCombinations(m_);
    lblNote->setText(CellText(StabilityNote(m_)));

    const auto captions = StabilityCaptions(m_);
    // the captions in sight whole, whatever the font's width
    const double captionWidth =
        ColumnWidthFor(grid, std::vector<TableCell>(captions.begin(), captions.end()), CaptionColumnWidth);

    // every formula line whole, whatever the font's width; a name too long
    // for its column ends in an ellipsis, whole in the cell's tool tip
    std::vector<TableCell> formulas;
    for (int i = 0; i < n; ++i) {
        const std::string title = CombinationFormula(m_, s, i);
        const size_t nameEnd = title.find("\n\r");
        if (nameEnd != std::string::npos) formulas.push_back({title.substr(nameEnd + 2)});
    }
    const double combinationWidth = ColumnWidthFor(grid, formulas, CombinationColumnWidth);
    // a name wider than its column goes on over a second line, and one
    // longer still is cut there, whole in the cell's tool tip
    std::vector<QString> titles;
    int titleLines = 1;
    for (int i = 1; i <= n; ++i) {
        titles.push_back(WrappedTitle(grid, StabilityColumn(m_, i)[0], combinationWidth, 2));
        titleLines = std::max(titleLines, static_cast<int>(titles.back().count('\n')) + 1);
    }
    const double headerHeight =
        std::max(HeaderRowHeight, (titleLines * QFontMetrics(grid.font()).lineSpacing() + 8) * grid.Tpp());

    ResetGrid(grid, StabilityTableRows, n + 1, 2, 1);
    grid.SetColWidth(0, static_cast<int>(captionWidth));
    grid.SetColAlignment(0, FlexAlignLeftCenter);
    grid.SetFixedAlignment(0, FlexAlignLeftCenter);
    grid.SetRowHeight(0, static_cast<int>(std::ceil(headerHeight)));
    for (int i = 1; i <= n; ++i) {
        grid.SetColWidth(i, static_cast<int>(combinationWidth));
        grid.SetFixedAlignment(i, FlexAlignCenterTop);
        grid.SetColAlignment(i, FlexAlignCenterCenter);
    }

    for (int row : StabilitySeparatorRows) grid.SetRowHeight(row, static_cast<int>(SeparatorHeight));
    for (int row = 0; row < StabilityTableRows; ++row) SetCell(grid, row, 0, captions[row]);

    // The window laid out with `visible` combination columns in sight, the
    // rest reached by scrolling the grid across, and with room beside the
    // columns for the grid's bar down when `down`; its client size in pixels.
    auto layOut = [&](int visible, bool down) {
        const double gridWidth = captionWidth + visible * combinationWidth + BorderAllowance(grid, 45) +
                                 (down ? ScrollBarAllowance(grid) : 0);
        const double pictureWidth = gridWidth + 300;
        const double panelWidth = pictureWidth + 120;
        const double clientWidth = panelWidth + 240;
        // the 23 ordinary rows, the header, the six thin rows and, with more
        // columns than are in sight, the scroll bar across
        const double gridHeight = grid.RowHeight(2) * 23.0 + grid.RowHeight(0) + 180 +
                                  (n > visible ? ScrollBarAllowance(grid) : 0) + BorderAllowance(grid, 60);
        const double noteTop = std::max(7200.0, 120 + gridHeight + 120);
        const double noteLeft = 120 + Label33->sizeHint().width() * TwipsPerPixel(this) + 90;
        const double noteWidth = std::max(1.0, pictureWidth - noteLeft - 120);
        const double noteHeight = std::max(375.0, lblNote->heightForWidth(Px(this, noteWidth)) * TwipsPerPixel(this));
        const double pictureHeight = std::max(7575.0, noteTop + noteHeight);
        const double panelHeight = pictureHeight + 120;
        const double buttonTop = 120 + panelHeight + 105;
        SetTwips(MSHFlexGrid1, 120, 120, gridWidth, gridHeight);
        Label33->adjustSize();
        Label33->move(Px(this, 120), Px(this, noteTop));
        SetTwips(lblNote, noteLeft, noteTop, noteWidth, noteHeight);
        SetTwips(Picture1, 60, 60, pictureWidth, pictureHeight);
        SetTwips(SSPanel1, 120, 120, panelWidth, panelHeight);
        SetTwips(Label35, 120, buttonTop, 1095, 255);
        SetTwips(Command1, clientWidth - ButtonWidth - 240, buttonTop, ButtonWidth, 315);
        setFixedSize(Px(this, clientWidth), Px(this, buttonTop + 315 + 120));
        return size();
    };
    // At most four combination columns in sight, fewer where the screen is
    // narrower: the grid scrolls, and the window never does as a whole, which
    // would show a second bar across. A window too high for the screen has its
    // grid give the height, the grid's own bar down then standing beside its columns.
    const QRect room = ClientRoom(this);
    int visible = std::min(n, VisibleCombinations);
    bool down = false;
    for (QSize size = layOut(visible, down);; size = layOut(visible, down)) {
        if (!down && size.height() > room.height())
            down = true;
        else if (size.width() > room.width() && visible > 1)
            --visible;
        else
            break;
    }
    // fitted to the screen once, at the size the results take: what does not
    // fit then scrolls above the "OK" button
    Place();

    for (int i = 1; i <= n; ++i) {
        const auto column = StabilityColumn(m_, i);
        for (int row = 0; row < StabilityTableRows; ++row) SetCell(grid, row, i, column[row]);
        grid.SetTextMatrix(0, i, titles[static_cast<size_t>(i - 1)]);
        if (grid.ShownText(0, i) != grid.TextMatrix(0, i)) grid.SetCellToolTip(0, i, CellText(column[0].Text));
    }
}

}  // namespace brindlemar

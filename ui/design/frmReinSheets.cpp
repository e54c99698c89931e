// The "Reinforcements" tab of the reinforcement dialog: the member header,
// the flexure and shear design sheets, the design method and the bars the
// user types into the flexure sheet.

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QWidget>
#include <cmath>
#include <vector>

#include "design/DesignReinforcement.h"
#include "design/DesignUnits.h"
#include "design/ReinforcementSheets.h"
#include "model/Units.h"
#include "ui/design/DesignWindows.h"
#include "ui/design/frmRein.h"
#include "platform/FlexGrid.h"
#include "platform/GridCellEditing.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Format.h"

namespace brindlemar {

namespace {

// the diameters and spacings of the bars at each position
bool IsBarCell(int row, int col) { return (row == BarDiameterRow || row == BarSpacingRow) && col >= 2; }

// designed sizes, twips
constexpr double GridLeft = 120;
constexpr double HeaderTop = 600;
constexpr int CaptionWidth = 2640;
constexpr int UnitWidth = 1200;
constexpr int FaceWidth = 1020;
constexpr int MemberWidth = 2040;
constexpr int HeadingHeight = 300;
constexpr int SeparatorHeight = 30;

// Captions and units of a sheet, its rows' heights and the bold group captions.
template <std::size_t Rows, std::size_t Separators>
void LayOutSheet(FlexGrid& sheet, const std::array<SheetRow, Rows>& rows, const std::array<int, Separators>& separators) {
    sheet.SetRowHeight(0, HeadingHeight);
    for (int r : separators) sheet.SetRowHeight(r, SeparatorHeight);
    for (std::size_t r = 0; r < Rows; ++r) {
        SetCell(sheet, static_cast<int>(r), 0, rows[r].Caption);
        SetCell(sheet, static_cast<int>(r), 1, {rows[r].Unit});
    }
}

void AlignSheetColumns(FlexGrid& sheet, int captionWidth, int valueColumns, int valueWidth) {
    sheet.SetColWidth(0, captionWidth);
    sheet.SetColWidth(1, UnitWidth);
    for (int c = 0; c < 2; ++c) {
        const int alignment = c == 0 ? FlexAlignLeftCenter : FlexAlignCenterCenter;
        sheet.SetColAlignment(c, alignment);
        sheet.SetFixedAlignment(c, alignment);
    }
    for (int c = 2; c < 2 + valueColumns; ++c) {
        sheet.SetColWidth(c, valueWidth);
        sheet.SetFixedAlignment(c, FlexAlignCenterCenter);
        sheet.SetColAlignment(c, FlexAlignRightCenter);
    }
}

}  // namespace

void frmRein::CreateReinforcements() {
    QWidget* page = Picture1[DesignTab];
    Combo2 = Named(new QComboBox(page), "Combo2");
    SetTwips(Combo2, GridLeft, 120, 2000, 330);
    Label3 = Named(new QLabel("Design method:", page), "Label3");
    SetTwips(Label3, 2400, 150, 1500, 300);
    for (int i = 0; i < 2; ++i) {
        Option1[i] = Named(new QRadioButton(DesignMethodNames[i], page), QString("Option1_%1").arg(i));
        SetTwips(Option1[i], 3900 + i * 1700, 120, i == 0 ? 1600 : 2600, 330);
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) RunTrapped([this, i] { Option1_Click(i); });
        });
    }
    MSHFlexGrid4 = Named(new FlexGrid(page), "MSHFlexGrid4");
    MSHFlexGrid5 = Named(new FlexGrid(page), "MSHFlexGrid5");
    MSHFlexGrid6 = Named(new FlexGrid(page), "MSHFlexGrid6");
    for (FlexGrid* grid : {MSHFlexGrid4, MSHFlexGrid5, MSHFlexGrid6}) PrepareGrid(*grid);
    MSHFlexGrid4->SetScrollBars(FlexScrollNone);
    MSHFlexGrid6->SetScrollBars(FlexScrollNone);
    MSHFlexGrid5->SetScrollBars(FlexScrollVertical);
    MSHFlexGrid5->SetTabStops(IsBarCell);
    txtRebar = Named(new GridCellEditor(page), "txtRebar");
    txtRebar->setAlignment(Qt::AlignRight);

    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    new GridCellEditing(MSHFlexGrid5, [this] { return OnEditableCell() && !txtRebar->IsOpen(); },
                        [this](const QString& text, CellEntry entry) {
                            MSHFlexGrid5->PlaceOverCurrentCell(txtRebar, 0, 15, 45, 15);
                            txtRebar->Open(text, entry == CellEntry::Clicked);
                        });
    connect(txtRebar, &GridCellEditor::GotFocus, this, [this] { txtRebar_GotFocus(); });
    connect(txtRebar, &GridCellEditor::Commit, this, [this](bool byEnter) { RunTrapped([this, byEnter] { txtRebar_Commit(byEnter); }); });
    connect(txtRebar, &GridCellEditor::Abandon, this, [this] { RunTrapped([this] { txtRebar_Abandon(); }); });
    connect(txtRebar, &GridCellEditor::Closed, this, [this] { txtRebar_LostFocus(); });
}

// ---- the sheets -------------------------------------------------------------

void frmRein::InitGridReinforce1() {
    // the captions of both sheets whole in their font: the header's first
    // column widens with them, so that the member columns stay over theirs
    const auto flexureRows = FlexureSheetCaptions(m_);
    const auto shearRows = ShearSheetCaptions(m_);
    std::vector<TableCell> captions;
    for (const SheetRow& row : flexureRows) captions.push_back(row.Caption);
    for (const SheetRow& row : shearRows) captions.push_back(row.Caption);
    const int captionWidth = static_cast<int>(std::ceil(ColumnWidthFor(*MSHFlexGrid5, captions, CaptionWidth)));

    // the member header over both sheets
    FlexGrid& header = *MSHFlexGrid4;
    ResetGrid(header, 3, 5, 2, 1);
    header.SetColWidth(0, captionWidth + UnitWidth);
    header.SetFixedAlignment(0, FlexAlignLeftCenter);
    header.SetRowHeight(0, HeadingHeight);
    header.SetRowHeight(1, HeadingHeight);
    header.SetRowHeight(2, 0);
    const std::array<float, 5> lengths = MemberLengths(m_);
    SetCell(header, 0, 0, {"Member", false, true});
    SetCell(header, 1, 0, {"Length (" + m_.LengthUnitLabels[static_cast<std::size_t>(UnitSystemIndex(m_))] + ")", false, true});
    for (int c = 1; c <= DesignMemberCount; ++c) {
        header.SetColWidth(c, MemberWidth);
        header.SetFixedAlignment(c, FlexAlignCenterCenter);
        SetCell(header, 0, c, {WallMemberNames[c], false, true});
        SetCell(header, 1, c, {Format(lengths[c], "0.#0")});
    }
    SetTwips(&header, GridLeft, HeaderTop, captionWidth + UnitWidth + 4 * MemberWidth + BorderAllowance(header, 15),
             2 * HeadingHeight + BorderAllowance(header, 15));

    // flexure: one column per face
    FlexGrid& flexure = *MSHFlexGrid5;
    ResetGrid(flexure, FlexureSheetRows, 2 + DesignPositionCount, 1, 2);
    AlignSheetColumns(flexure, captionWidth, DesignPositionCount, FaceWidth);
    LayOutSheet(flexure, flexureRows, FlexureSeparatorRows);
    for (int p = 1; p <= DesignPositionCount; ++p) SetCell(flexure, 0, p + 1, {DesignPositionFaces[p]});
    // the heading and 26 rows in sight, the rest scrolled to
    const double row = flexure.RowHeight(2);
    SetTwips(&flexure, GridLeft, HeaderTop + 600, 8 * FaceWidth + UnitWidth + captionWidth + ScrollBarAllowance(flexure) + BorderAllowance(flexure, 45),
             26 * row + HeadingHeight - 15);
    sheetNarrowed_ = false;

    // shear: one column per member, every row in sight
    FlexGrid& shear = *MSHFlexGrid6;
    ResetGrid(shear, ShearSheetRows, 2 + DesignMemberCount, 2, 2);
    AlignSheetColumns(shear, captionWidth, DesignMemberCount, MemberWidth);
    LayOutSheet(shear, shearRows, ShearSeparatorRows);
    SetTwips(&shear, GridLeft, HeaderTop + 600, 4 * MemberWidth + UnitWidth + captionWidth + BorderAllowance(shear, 15),
             (ShearSheetRows - 5) * row + HeadingHeight + 4 * SeparatorHeight + BorderAllowance(shear, 15));

    RunDesignAndShowResults();
}

void frmRein::RunDesignAndShowResults() {
    DesignReinforcement(m_);
    for (int p = 1; p <= DesignPositionCount; ++p) {
        const auto column = FlexureSheetColumn(m_, p);
        for (int r = 3; r < FlexureSheetRows; ++r) SetCell(*MSHFlexGrid5, r, p + 1, column[r]);
    }
    for (int member = 1; member <= DesignMemberCount; ++member) {
        const auto column = ShearSheetColumn(m_, member);
        for (int r = 3; r < ShearSheetRows; ++r) SetCell(*MSHFlexGrid6, r, member + 1, column[r]);
    }
    // the force tables show each face's forces as its sheet does, and other
    // bars may fare worst under another combination of a tied moment
    Combo1a_Click();
}

// ---- the design method --------------------------------------------------------

void frmRein::Option1_Click(int index) {
    m_.ReinforcementDesignMethod = static_cast<int16_t>(index);
    RunDesignAndShowResults();
}

// ---- the bars typed into the flexure sheet -----------------------------------

void frmRein::StoreRebarChoices() {
    // every face keeps the bars it shows: the search's become the user's. A
    // cell shows its bar rounded to the unit; while it still shows the user's
    // or the searched bar, that bar is kept exact.
    const double units[2] = {design::BarUnitsPerLength(m_), design::SectionUnitsPerLength(m_)};
    const Quantity quantities[2] = {Quantity::Bar, Quantity::Section};
    const int rows[2] = {BarDiameterRow, BarSpacingRow};
    for (int p = 1; p <= DesignPositionCount; ++p) {
        const FlexureDesignResult& r = m_.FlexureDesignResults[p];
        float* const user[2] = {&m_.UserBarDiameters[p], &m_.UserBarSpacings[p]};
        const float searched[2] = {r.BarDiameter, r.BarSpacing};
        for (int k = 0; k < 2; ++k) {
            const std::string text = MSHFlexGrid5->TextMatrix(rows[k], p + 1).toStdString();
            if (*user[k] != 0 && text == QuantityEntryText(*user[k], quantities[k], m_.CurrentUnitSystem)) continue;
            if (text == BarSizeText(m_, searched[k], units[k], quantities[k]))
                *user[k] = static_cast<float>(searched[k] * units[k]);
            else
                *user[k] = TypedNumber(text).value_or(0);
        }
    }
}

bool frmRein::OnEditableCell() const { return IsBarCell(MSHFlexGrid5->Row(), MSHFlexGrid5->Col()); }

void frmRein::txtRebar_GotFocus() {
    if (sheetNarrowed_) return;
    sheetScrollBars_ = MSHFlexGrid5->ScrollBars();
    MSHFlexGrid5->SetScrollBars(FlexScrollNone);
    // the sheet gives up its scroll bar's room while the editor is open
    MSHFlexGrid5->resize(MSHFlexGrid5->width() - Px(this, ScrollBarAllowance(*MSHFlexGrid5) + 30), MSHFlexGrid5->height());
    sheetNarrowed_ = true;
}

// Enter, or leaving the editor: the typed bar goes into its cell and every
// face is designed again with the bars the sheet shows.
void frmRein::txtRebar_Commit(bool) {
    FlexGrid& sheet = *MSHFlexGrid5;
    const int row = sheet.Row(), col = sheet.Col();
    const float typed = TypedNumber(txtRebar->text().toStdString()).value_or(0);
    sheet.SetTextMatrix(row, col, QString::fromStdString(GeneralNumber(typed)));
    m_.ProjectModified = True;
    StoreRebarChoices();
    RunDesignAndShowResults();
    sheet.SetRow(row);
    sheet.SetCol(col);
    sheet.viewport()->update();
}

// Esc: the typed text is dropped; the sheet's bars are still stored and designed.
void frmRein::txtRebar_Abandon() {
    FlexGrid& sheet = *MSHFlexGrid5;
    const int row = sheet.Row(), col = sheet.Col();
    StoreRebarChoices();
    RunDesignAndShowResults();
    sheet.SetRow(row);
    sheet.SetCol(col);
    sheet.viewport()->update();
}

void frmRein::txtRebar_LostFocus() {
    if (!sheetNarrowed_) return;
    MSHFlexGrid5->SetScrollBars(sheetScrollBars_);
    MSHFlexGrid5->resize(MSHFlexGrid5->width() + Px(this, ScrollBarAllowance(*MSHFlexGrid5) + 30), MSHFlexGrid5->height());
    sheetNarrowed_ = false;
}

}  // namespace brindlemar

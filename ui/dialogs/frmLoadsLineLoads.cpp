// The line-load grid of the loads dialog and the load-type lists.

#include <QApplication>
#include <cmath>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <string>

#include "forms/DialogEntries.h"
#include "model/Units.h"
#include "platform/FlexGrid.h"
#include "platform/GridCellEditing.h"
#include "platform/QtText.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"
#include "ui/dialogs/frmLoads.h"

namespace brindlemar {

namespace {

constexpr int LineLoadColumns = 6;
constexpr std::array<int, LineLoadColumns> LineLoadWidths{240, 1200, 690, 690, 690, 2880};
constexpr int TypeColumn = 5;

QString Number(float value) { return QString::fromStdString(GeneralNumber(value)); }

// The quantity of each number column of the grid: load, X, Y; none for the
// direction. A cell shows its value rounded to its unit.
constexpr std::optional<Quantity> ColumnQuantity[TypeColumn] = {std::nullopt, Quantity::ForcePerLength,
                                                                Quantity::Length, Quantity::Length, std::nullopt};

}  // namespace

void frmLoads::FillLoadTypeCombos() {
    const QSignalBlocker blocker(cmbSurType);
    cmbType->clear();
    cmbSurType->clear();
    for (int k = DL; k <= IC; ++k) {
        cmbType->addItem(LoadTypeCaption(k));
        cmbSurType->addItem(LoadTypeCaption(k));
    }
    lblEarth->setText(LoadTypeCaption(EH));
    lblEarthquake->setText(LoadTypeCaption(EQ));
    // a surcharge type the list does not hold leaves it without a choice
    const int chosen = m_.LegacySurchargeLoadType - 1;
    cmbSurType->setCurrentIndex(chosen >= 0 && chosen < cmbSurType->count() ? chosen : -1);
}

void frmLoads::FillLineLoadGrid() {
    FlexGrid* g = MSHFlexGrid3;
    g->ClearRefusedCell();
    g->SetCols(LineLoadColumns);
    g->SetRows(WorkingLineLoadCount + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    for (int c = 0; c < LineLoadColumns; ++c) g->SetColWidth(c, LineLoadWidths[c]);
    g->SetColWidth(0, std::max(LineLoadWidths[0], RowNumberWidth(g, MaxLineLoads)));
    for (int c = 1; c < LineLoadColumns; ++c) {
        g->SetColAlignment(c, FlexAlignLeftCenter);
        g->SetFixedAlignment(c, FlexAlignLeftCenter);
    }
    const int unit = UnitSystemIndex(m_);
    const std::string force = m_.ForceUnitLabels[unit], length = m_.LengthUnitLabels[unit];
    // the angle the analysis turns a line load by, clockwise from up with the toe on the left
    static const QString DirectionConvention = QString::fromUtf8(
        "The way the load acts, in degrees clockwise from straight up (the toe on the left):\n"
        "0\u00B0 up, 90\u00B0 toward the heel, 180\u00B0 down, 270\u00B0 (or \u221290\u00B0) toward the toe.");
    const QString headings[LineLoadColumns] = {
        "",
        ToQString("Load (" + force + "/" + length + ")"),
        ToQString("X (" + length + ")"),
        ToQString("Y (" + length + ")"),
        ToQString("Dir. (" + m_.AngleUnitLabels[unit] + ")"),
        "Load type"};
    // a heading wider in the dialog's font than designed widens its column
    for (int c = 0; c < LineLoadColumns; ++c) {
        g->SetTextMatrix(0, c, headings[c]);
        g->SetColWidth(c, std::max(g->ColWidth(c), static_cast<int>(std::ceil(g->TextWidth(headings[c])))));
    }
    g->SetCellToolTip(0, 4, DirectionConvention);
    for (int r = 1; r < g->Rows(); ++r) {
        const LineLoad& load = WorkingLineLoads[r];
        g->SetTextMatrix(r, 0, QString::number(r));
        const float values[TypeColumn] = {0, load.Value, load.X, load.Y, load.Direction};
        for (int c = 1; c < TypeColumn; ++c)
            g->SetTextMatrix(r, c, ToQString(EntryText(values[c], ColumnQuantity[c], m_.CurrentUnitSystem)));
        g->SetTextMatrix(r, TypeColumn, LoadTypeCaption(load.LoadType));
    }
    lblLoadsOffTheWall->setText(ToQString(LoadsOffTheWallNote(m_, WorkingLineLoads, WorkingLineLoadCount)));
    UpdateLineLoadButtons();
}

// Every edit of the grid goes back into the working loads at once. The type
// is read with the codes the grid shows, those of the summary's set.
void frmLoads::StoreLineLoadGrid() {
    const FlexGrid* g = MSHFlexGrid3;
    const int set = std::clamp<int>(m_.WorkingActiveCombinationSet, 0, MaxCombinationSets);
    const FactorDefinition& factors = m_.WorkingCombinationSets[set].Factors;
    const int rows = std::min(g->Rows() - 1, MaxLineLoads);
    for (int r = 1; r <= rows; ++r) {
        LineLoad& load = WorkingLineLoads[r];
        // a cell still showing its load's value rounded keeps the exact value
        const bool known = r <= WorkingLineLoadCount;
        auto value = [&](int c, float current) {
            const std::string text = FromQString(g->TextMatrix(r, c));
            if (known && text == EntryText(current, ColumnQuantity[c], m_.CurrentUnitSystem)) return current;
            return SingleOfText(text).value_or(0);
        };
        load.Value = value(1, load.Value);
        load.X = value(2, load.X);
        load.Y = value(3, load.Y);
        load.Direction = value(4, load.Direction);
        // a load new to the working copy has no type of its own to keep
        const int16_t previous = r > WorkingLineLoadCount || load.LoadType < DL || load.LoadType > IC ? int16_t{DL} : load.LoadType;
        load.LoadType = LoadTypeOfText(factors, FromQString(g->TextMatrix(r, TypeColumn)), previous);
    }
    WorkingLineLoadCount = static_cast<int16_t>(std::max(rows, 0));
    lblLoadsOffTheWall->setText(ToQString(LoadsOffTheWallNote(m_, WorkingLineLoads, WorkingLineLoadCount)));
}

void frmLoads::UpdateLineLoadButtons() {
    FlexGrid* g = MSHFlexGrid3;
    const bool loads = g->Rows() >= 2;
    // an empty table is drawn plain
    g->SetFocusRect(loads ? FlexFocusLight : FlexFocusNone);
    g->SetHighLight(loads ? FlexHighlightWithFocus : FlexHighlightNever);
    g->SetGridColor(loads ? palette().color(QPalette::Dark) : palette().color(QPalette::Midlight));
    g->SetGridColorFixed(palette().color(QPalette::Dark));
    cmdLAdd->setEnabled(g->Rows() < MaxLineLoads + 1);
    const bool wholeRow = loads && g->Col() == 1 && g->ColSel() == g->Cols() - 1;
    cmdLDelete->setEnabled(wholeRow);
    cmdLMUp->setEnabled(wholeRow && g->Row() >= 2);
    cmdLMDown->setEnabled(wholeRow && g->Row() < g->Rows() - 1);
    // room for the heading and six loads, and for the scroll bar beyond them
    const double width = g->ColWidthsSum() + (g->Rows() > 7 ? 300 : 15) + 15;
    const double height = 7.0 * g->RowHeight(0) + 45;
    g->resize(Px(width), Px(height));
}

bool frmLoads::LineLoadCellEditable() const {
    const FlexGrid* g = MSHFlexGrid3;
    // a whole row selected is one to move or delete, not to type into
    return g->Rows() >= 2 && g->Row() >= 1 && g->ColSel() == g->Col() && g->Col() >= 1 && g->Col() <= TypeColumn;
}

// The type is chosen from its list, unless a letter was typed on it.
void frmLoads::EditLineLoadCell(const QString& text, CellEntry entry) {
    if (MSHFlexGrid3->Col() == TypeColumn && entry != CellEntry::Typed) {
        EditLoadTypeCell();
        return;
    }
    MSHFlexGrid3->PlaceOverCurrentCell(txtLoad, 45, 15, 45, 15);
    txtLoad->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    txtLoad->Open(text, entry == CellEntry::Clicked);
}

void frmLoads::EditLoadTypeCell() {
    FlexGrid* g = MSHFlexGrid3;
    if (g->Rows() < 2) return;
    g->PlaceOverCurrentCell(cmbType, 0, 0, 0, 0);
    cmbType->resize(cmbType->width(), std::max(cmbType->height(), cmbType->sizeHint().height()));
    const int set = std::clamp<int>(m_.WorkingActiveCombinationSet, 0, MaxCombinationSets);
    const int16_t type =
        LoadTypeOfText(m_.WorkingCombinationSets[set].Factors, FromQString(g->TextMatrix(g->Row(), TypeColumn)), 0);
    cmbType->Open(type - 1);
}

// What a click changed goes into the working copy; a whole row selected
// enables the buttons that move and delete it.
void frmLoads::MSHFlexGrid3_Click() {
    if (MSHFlexGrid3->Rows() < 2 || MSHFlexGrid3->Row() < 1) return;
    if (MSHFlexGrid3->ColSel() != MSHFlexGrid3->Col()) UpdateLineLoadButtons();
    StoreLineLoadGrid();
}

void frmLoads::MSHFlexGrid3_SelChange() {
    // a selection never spans rows
    if (MSHFlexGrid3->RowSel() != MSHFlexGrid3->Row()) MSHFlexGrid3->SetRowSel(MSHFlexGrid3->Row());
}

void frmLoads::txtLoad_GotFocus() {
    // the grid holds still under its editor
    MSHFlexGrid3->SetScrollBars(FlexScrollNone);
    MSHFlexGrid3->resize(Px(MSHFlexGrid3->ColWidthsSum() + 30), MSHFlexGrid3->height());
    cmdLAdd->setEnabled(false);
}

void frmLoads::txtLoad_Commit(bool byEnter) {
    FlexGrid* g = MSHFlexGrid3;
    const std::string typed = FromQString(txtLoad->text());
    // a load, its place and direction are numbers of either sign; the type
    // is one of the set's load types, shown whole as the list shows it
    static const char* const names[TypeColumn] = {"", "Load", "X", "Y", "Direction"};
    const FactorDefinition& factors = m_.WorkingCombinationSets[std::clamp<int>(m_.WorkingActiveCombinationSet, 0, MaxCombinationSets)].Factors;
    const std::string refusal =
        g->Col() == TypeColumn ? LoadTypeRefusal(factors, typed)
                               : EntryRefusal(EntryRule::AnyNumber, typed,
                                              std::string(names[g->Col()]) + " of line load " + std::to_string(g->Row()));
    if (!refusal.empty()) {
        // no number ("2,5", letters), one no Single holds, no type: the cell keeps what it had, and says why
        Beep();
        g->MarkRefusedCell(g->Row(), g->Col(), ToQString(refusal));
        byEnter = false;
    } else {
        g->ClearRefusedCell();
        g->SetTextMatrix(g->Row(), g->Col(),
                         g->Col() == TypeColumn ? LoadTypeCaption(TypedLoadType(factors, typed)) : Number(*SingleOfText(typed)));
    }
    if (byEnter && g->Col() < g->Cols() - 1) g->SetCol(g->Col() + 1);
    StoreLineLoadGrid();
}

void frmLoads::cmbType_Commit(bool) {
    if (cmbType->currentIndex() >= 0) MSHFlexGrid3->SetTextMatrix(MSHFlexGrid3->Row(), TypeColumn, cmbType->currentText());
    StoreLineLoadGrid();
}

// The editor has closed: the grid scrolls again. After Enter, Esc or a
// choice the focus goes back to the grid; a click elsewhere keeps its target.
void frmLoads::txtLoad_LostFocus(bool toGrid) {
    MSHFlexGrid3->SetScrollBars(FlexScrollVertical);
    UpdateLineLoadButtons();
    StoreLineLoadGrid();
    const QWidget* focus = QApplication::focusWidget();
    if (toGrid || focus == nullptr || focus == txtLoad || focus == cmbType || focus == this) MSHFlexGrid3->setFocus();
}

void frmLoads::cmdLAdd_Click() {
    FlexGrid* g = MSHFlexGrid3;
    if (WorkingLineLoadCount < MaxLineLoads) {
        const int r = g->Rows();
        g->AddItem(QString("%1\t0\t0\t0\t0\t").arg(r) + LoadTypeCaption(DL));
        g->SetRow(r);
        g->SetCol(1);
        if (g->Rows() - 6 > 0) g->SetTopRow(g->Rows() - 6);
        StoreLineLoadGrid();
    }
    g->setFocus();
    UpdateLineLoadButtons();
}

void frmLoads::cmdLDelete_Click() {
    FlexGrid* g = MSHFlexGrid3;
    if (g->Rows() >= 2) {
        if (g->Rows() > 2) {
            const int removed = g->Row();
            g->RemoveItem(removed);
            for (int r = removed; r < g->Rows(); ++r) g->SetTextMatrix(r, 0, QString::number(r));
        } else {
            g->SetRows(1);
            g->SetCol(0);
            g->SetColSel(0);
        }
        StoreLineLoadGrid();
    }
    g->setFocus();
    UpdateLineLoadButtons();
}

void frmLoads::cmdLMUp_Click() {
    if (MoveSelectedRow(MSHFlexGrid3, -1)) StoreLineLoadGrid();
    MSHFlexGrid3->setFocus();
    UpdateLineLoadButtons();
}

void frmLoads::cmdLMDown_Click() {
    if (MoveSelectedRow(MSHFlexGrid3, 1)) StoreLineLoadGrid();
    MSHFlexGrid3->setFocus();
    UpdateLineLoadButtons();
}

// Sized for the most rows the grid can hold, so that the column does not
// widen as rows are added.
int frmLoads::RowNumberWidth(const FlexGrid* grid, int rows) {
    double widest = 0;
    for (int r = 1; r <= rows; ++r) widest = std::max(widest, grid->TextWidth(QString::number(r)));
    return static_cast<int>(std::ceil(widest));
}

// The texts of the current row and its neighbour change places, all but the
// row numbers; the moved row stays current and wholly selected.
bool frmLoads::MoveSelectedRow(FlexGrid* g, int direction) {
    const int from = g->Row(), to = from + direction;
    if (g->Rows() < 3 || from < 1 || to < 1 || to > g->Rows() - 1) return false;
    for (int c = 1; c < g->Cols(); ++c) {
        const QString t = g->TextMatrix(from, c);
        g->SetTextMatrix(from, c, g->TextMatrix(to, c));
        g->SetTextMatrix(to, c, t);
    }
    g->SetRow(to);
    g->SetColSel(g->Cols() - 1);
    return true;
}

}  // namespace brindlemar

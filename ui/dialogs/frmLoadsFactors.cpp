// The loads dialog's combination sets: the set list and factor editor of the
// second tab, the factor summary of the first, and the factor files.

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <cmath>
#include <memory>

#include "files/FactorFile.h"
#include "files/Paths.h"
#include "forms/SaveAsTarget.h"
#include "platform/FileDialogs.h"
#include "forms/DialogEntries.h"
#include "platform/FlexGrid.h"
#include "platform/ScreenFit.h"
#include "platform/GridCellEditing.h"
#include "platform/QtText.h"
#include "platform/Refusal.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"
#include "ui/dialogs/frmLoads.h"

namespace brindlemar {

namespace {

constexpr int FactorColumns = MaxFactorCount - 1;  // number, name, codes 1 to 18
constexpr int SummaryColumnWidth = 480;
constexpr int NumberColumnWidth = 240, NameColumnWidth = 2220, FactorColumnWidth = 480;
constexpr const char* FactorFileFilter = "Load and resistance factors files (*.bmf)|*.bmf|All files (*.*)|*.*";

QString Number(float value) { return QString::fromStdString(GeneralNumber(value)); }

int Slot(int index) { return std::clamp(index, 0, MaxCombinationSets); }

// A factor by its code, as a refusal names it: "LL factor".
std::string FactorName(const QString& code) { return FromQString(code.trimmed()) + " factor"; }

}  // namespace

// ---- set list ---------------------------------------------------------------------------

void frmLoads::FillCombinationSetList() {
    {
        const QSignalBlocker blocker(lstComboSet);
        lstComboSet->clear();
        for (int s = 1; s < m_.WorkingCombinationSetCount; ++s) lstComboSet->addItem(ToQString(m_.WorkingCombinationSets[s].Name));
        const int rows = lstComboSet->count();
        lstComboSet->setCurrentRow(m_.ActiveCombinationSet - 1 < rows ? m_.ActiveCombinationSet - 1 : rows - 1);
    }
    lstComboSet_Click();
}

void frmLoads::lstComboSet_Click() {
    const int rows = lstComboSet->count();
    const int row = lstComboSet->currentRow();
    lstComboSet->setEnabled(true);
    cmdAdd->setEnabled(rows < MaxCombinationSets - 1);
    cmdDelete->setEnabled(rows > 1);
    cmdMUp->setEnabled(row > 0);
    cmdMDown->setEnabled(row >= 0 && row < rows - 1);
    cmdRename->setEnabled(true);
    if (row < 0) return;
    m_.EditedCombinationSet = static_cast<int16_t>(row + 1);
    ShowFactorSetEditor(m_.EditedCombinationSet);
}

void frmLoads::cmdAdd_Click() {
    if (AddWorkingCombinationSet(m_)) {
        {
            const QSignalBlocker blocker(lstComboSet);
            lstComboSet->addItem(ToQString(m_.WorkingCombinationSets[m_.WorkingCombinationSetCount - 1].Name));
            lstComboSet->setCurrentRow(lstComboSet->count() - 1);
        }
        lstComboSet_Click();
        FillCombinationSetCombo();
    }
    lstComboSet->setFocus();
}

void frmLoads::cmdDelete_Click() {
    const int row = lstComboSet->currentRow();
    if (row >= 0 && DeleteWorkingCombinationSet(m_, row + 1)) {
        {
            const QSignalBlocker blocker(lstComboSet);
            delete lstComboSet->takeItem(row);
            lstComboSet->setCurrentRow(std::min(row, lstComboSet->count() - 1));
        }
        lstComboSet_Click();
        FillCombinationSetCombo();
    }
    lstComboSet->setFocus();
}

void frmLoads::cmdMUp_Click() {
    const int row = lstComboSet->currentRow();
    if (row >= 1 && MoveWorkingCombinationSet(m_, row + 1, -1)) {
        {
            const QSignalBlocker blocker(lstComboSet);
            lstComboSet->item(row)->setText(ToQString(m_.WorkingCombinationSets[row + 1].Name));
            lstComboSet->item(row - 1)->setText(ToQString(m_.WorkingCombinationSets[row].Name));
            lstComboSet->setCurrentRow(row - 1);
        }
        lstComboSet_Click();
        FillCombinationSetCombo();
    }
    lstComboSet->setFocus();
}

void frmLoads::cmdMDown_Click() {
    const int row = lstComboSet->currentRow();
    if (row >= 0 && MoveWorkingCombinationSet(m_, row + 1, 1)) {
        {
            const QSignalBlocker blocker(lstComboSet);
            lstComboSet->item(row)->setText(ToQString(m_.WorkingCombinationSets[row + 1].Name));
            lstComboSet->item(row + 1)->setText(ToQString(m_.WorkingCombinationSets[row + 2].Name));
            lstComboSet->setCurrentRow(row + 1);
        }
        lstComboSet_Click();
        FillCombinationSetCombo();
    }
    lstComboSet->setFocus();
}

void frmLoads::cmdRename_Click() {
    const int row = lstComboSet->currentRow();
    if (row < 0) return;
    // the rename box lies over the selected row
    const QRect item = lstComboSet->visualItemRect(lstComboSet->item(row));
    const bool scrolling = lstComboSet->verticalScrollBar()->isVisible();
    const int width = lstComboSet->width() - Px(scrolling ? 300 : 60);
    txtComboSet->setGeometry(lstComboSet->x() + Px(30), lstComboSet->y() + lstComboSet->frameWidth() + item.top(), width,
                             std::max(item.height(), Px(210)));
    txtComboSet->Open(lstComboSet->item(row)->text(), true);
}

void frmLoads::txtComboSet_GotFocus() {
    for (QWidget* w : std::initializer_list<QWidget*>{lstComboSet, cmdAdd, cmdDelete, cmdMUp, cmdMDown}) w->setEnabled(false);
}

void frmLoads::txtComboSet_Commit() {
    const int row = lstComboSet->currentRow();
    if (row >= 0) {
        lstComboSet->item(row)->setText(txtComboSet->text());
        m_.WorkingCombinationSets[Slot(row + 1)].Name = FromQString(txtComboSet->text());
    }
    FillCombinationSetCombo();
}

void frmLoads::txtComboSet_LostFocus() {
    for (QWidget* w : std::initializer_list<QWidget*>{lstComboSet, cmdAdd, cmdDelete, cmdMUp, cmdMDown}) w->setEnabled(true);
    lstComboSet->setFocus();
    lstComboSet_Click();
}

// ---- factor editor -------------------------------------------------------------------------

void frmLoads::ShowFactorSetEditor(int set) {
    const CombinationSet& s = m_.WorkingCombinationSets[Slot(set)];
    // the factors shown afresh: no refusal of an earlier text stands beside them
    MSHFlexGrid1->ClearRefusedCell();
    for (QLineEdit* box : txtResist)
        if (box != nullptr) ClearRefused(box);
    for (int k = 1; k <= MaxFactorCount; ++k) {
        txtShortLoad[k]->setText(ToQString(s.Factors.FactorCode[k]));
        lblLongLoad[k]->setText(ToQString(s.Factors.FactorName[k]));
        if (txtLongLoad[k] != nullptr) txtLongLoad[k]->setText(ToQString(s.Factors.FactorName[k]));
        if (txtResist[k] != nullptr) txtResist[k]->setText(Number(s.Combinations[0].Factor[k]));
    }

    FlexGrid* g = MSHFlexGrid1;
    const int count = std::clamp<int>(s.CombinationCount, 0, MaxCombinations - 1);
    g->SetCols(FactorColumns);
    g->SetRows(count + 1);
    g->SetFixedRows(1);
    g->SetFixedCols(1);
    g->SetColWidth(0, 240);
    g->SetColWidth(1, NameColumnWidth);
    g->SetColAlignment(1, FlexAlignLeftCenter);
    g->SetFixedAlignment(1, FlexAlignLeftTop);
    g->SetTextMatrix(0, 1, "Combinations");
    for (int c = 2; c < FactorColumns; ++c) {
        g->SetColWidth(c, FactorColumnWidth);
        g->SetColAlignment(c, FlexAlignCenterTop);
        g->SetFixedAlignment(c, FlexAlignCenterTop);
        g->SetTextMatrix(0, c, ToQString(s.Factors.FactorCode[c - 1]));
    }
    for (int r = 1; r <= count; ++r) {
        const LoadCombination& combination = s.Combinations[r - 1];
        g->SetTextMatrix(r, 0, QString::number(r));
        g->SetTextMatrix(r, 1, ToQString(combination.Name));
        for (int c = 2; c < FactorColumns; ++c) g->SetTextMatrix(r, c, Number(combination.Factor[c - 1]));
    }
    // the columns take their widths once, as the set is shown: typing moves none of them
    FitFactorGridColumns();
    UpdateFactorButtons();
    PlaceFactorButtons();

    // showing a set is no edit of its commentary
    const QSignalBlocker blocker(txtComment);
    txtComment->setPlainText(ToQString(s.Comment));
}

void frmLoads::UpdateFactorButtons() {
    FlexGrid* g = MSHFlexGrid1;
    cmdFAdd->setEnabled(g->Rows() <= MaxCombinations - 1);
    const bool wholeRow = g->Col() == 1 && g->ColSel() == g->Cols() - 1 && g->Rows() >= 3;
    cmdFDelete->setEnabled(wholeRow);
    cmdFMUp->setEnabled(wholeRow && g->Row() != 1);
    cmdFMDown->setEnabled(wholeRow && g->Row() != g->Rows() - 1);
    // ten rows show, a scroll bar down beyond them; the grid no wider than its
    // page, across which it scrolls, with the bar's height added to the ten rows
    const double whole = g->ColWidthsSum() + (g->Rows() > 10 ? 285 : 15) + 15;
    const double room = PageRoomWidth(SSTab1) * twips_.TwipsPerPixel() - 2 * 120 - 120;
    const double width = std::min(whole, std::max(room, 2460.0));
    const double across = width < whole ? g->horizontalScrollBar()->sizeHint().height() * g->Tpp() : 0;
    g->resize(Px(width), Px(10.0 * g->RowHeight(0) + 45 + across));
}

void frmLoads::PlaceFactorButtons() {
    const FlexGrid* g = MSHFlexGrid1;
    const double top = twips_.TwipsY(g->y() + g->height()) + 30;
    int i = 0;
    for (QPushButton* b : {cmdFAdd, cmdFDelete, cmdFMUp, cmdFMDown}) PlaceTwips(b, 120 + 1300 * i++, top, 1200, 330);
    PlaceTypeRows();
}

double frmLoads::FactorColumnWidthFor(const QString& text) const {
    // in the cell, and in the editor laid over it, with the box's frame, margins and caret
    const int frame = txtFactor->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, txtFactor);
    const double typed = (txtFactor->fontMetrics().horizontalAdvance(text) + 2 * frame + 6) * MSHFlexGrid1->Tpp() + 75;
    return std::max(MSHFlexGrid1->TextWidth(text), typed);
}

// The numbers and the names whole in the grid's font, the designed widths
// at least; the names no wider than the page leaves beside the factors.
void frmLoads::FitFactorGridColumns() {
    FlexGrid* g = MSHFlexGrid1;
    g->SetColWidth(0, std::max(NumberColumnWidth, RowNumberWidth(g, MaxCombinations - 1)));
    // the factor columns alike, each factor whole in its cell and in the
    // editor laid over it while it is typed, a factor such as 1.125 at least
    double factors = std::max<double>(FactorColumnWidth, FactorColumnWidthFor("1.125"));
    for (int r = 0; r < g->Rows(); ++r)
        for (int c = 2; c < g->Cols(); ++c) factors = std::max(factors, FactorColumnWidthFor(g->TextMatrix(r, c)));
    for (int c = 2; c < g->Cols(); ++c) g->SetColWidth(c, static_cast<int>(std::ceil(factors)));
    double names = NameColumnWidth;
    for (int r = 0; r < g->Rows(); ++r) names = std::max(names, g->TextWidth(g->TextMatrix(r, 1)));
    // the tab's own width: its page is laid out only once shown
    const double room = PageRoomWidth(SSTab1) * twips_.TwipsPerPixel() - 2 * 120 - 300 - (g->ColWidthsSum() - g->ColWidth(1));
    g->SetColWidth(1, static_cast<int>(std::ceil(std::min(names, std::max<double>(room, NameColumnWidth)))));
}

void frmLoads::StoreFactorGrid(int set) {
    const FlexGrid* g = MSHFlexGrid1;
    CombinationSet& s = m_.WorkingCombinationSets[Slot(set)];
    const int rows = std::min(g->Rows() - 1, MaxCombinations - 1);
    for (int r = 1; r <= rows; ++r) {
        LoadCombination& combination = s.Combinations[r - 1];
        combination.Name = FromQString(g->TextMatrix(r, 1));
        for (int c = 2; c < g->Cols(); ++c) {
            combination.Factor[c - 1] = SingleOfText(FromQString(g->TextMatrix(r, c))).value_or(0);
            s.Factors.FactorCode[c - 1] = FromQString(txtShortLoad[c - 1]->text());
        }
    }
    s.CombinationCount = static_cast<int16_t>(std::max(rows, 0));
    s.Comment = FromQString(txtComment->toPlainText());
    FillCombinationSetCombo();
}

bool frmLoads::FactorCellEditable() const {
    const FlexGrid* g = MSHFlexGrid1;
    return g->Row() >= 1 && g->Col() >= 1 && g->ColSel() == g->Col();
}

void frmLoads::EditFactorCell(const QString& text, CellEntry entry) {
    FlexGrid* g = MSHFlexGrid1;
    g->PlaceOverCurrentCell(txtFactor, 45, 15, 75, 15);
    txtFactor->setAlignment((g->Col() == 1 ? Qt::AlignLeft : Qt::AlignHCenter) | Qt::AlignVCenter);
    txtFactor->Open(text, entry == CellEntry::Clicked);
}

void frmLoads::MSHFlexGrid1_SelChange() {
    if (MSHFlexGrid1->RowSel() != MSHFlexGrid1->Row()) MSHFlexGrid1->SetRowSel(MSHFlexGrid1->Row());
}

void frmLoads::txtFactor_GotFocus() {
    // the grid keeps its size and scroll bars: the cells stay under the pointer
    cmdFAdd->setEnabled(false);
}

void frmLoads::txtFactor_Commit(bool byEnter) {
    FlexGrid* g = MSHFlexGrid1;
    const std::string typed = FromQString(txtFactor->text());
    // a factor is a number as typed, and a factor scales a load or a resistance
    // without turning it round: "1,6" is no 1, "abc" no 0, "-1.2" no factor
    const std::string refusal =
        g->Col() == 1 ? "" : EntryRefusal(EntryRule::NotNegative, typed, FactorName(g->TextMatrix(0, g->Col())));
    if (!refusal.empty()) {
        // the cell keeps its factor, and says why
        Beep();
        g->MarkRefusedCell(g->Row(), g->Col(), ToQString(refusal));
        byEnter = false;
    } else {
        g->ClearRefusedCell();
        g->SetTextMatrix(g->Row(), g->Col(), g->Col() == 1 ? txtFactor->text() : Number(*SingleOfText(typed)));
        // a factor longer than its column widens that column alone, once it is entered
        if (const double need = FactorColumnWidthFor(g->TextMatrix(g->Row(), g->Col())); g->Col() > 1 && need > g->ColWidth(g->Col())) {
            g->SetColWidth(g->Col(), static_cast<int>(std::ceil(need)));
            UpdateFactorButtons();
            PlaceFactorButtons();
        }
    }
    if (byEnter && g->Row() < g->Rows() - 1) g->SetRow(g->Row() + 1);
    StoreFactorGrid(m_.EditedCombinationSet);
}

void frmLoads::txtFactor_LostFocus(bool toGrid) {
    UpdateFactorButtons();
    StoreFactorGrid(m_.EditedCombinationSet);
    const QWidget* focus = QApplication::focusWidget();
    if (toGrid || focus == nullptr || focus == txtFactor || focus == this) MSHFlexGrid1->setFocus();
}

void frmLoads::cmdFAdd_Click() {
    FlexGrid* g = MSHFlexGrid1;
    if (g->Rows() - 1 < MaxCombinations - 1) {
        const int r = g->Rows();
        g->AddItem(QString::number(r));
        // a new combination starts from the factors of the last one
        for (int c = 2; c < g->Cols(); ++c) g->SetTextMatrix(r, c, g->TextMatrix(r - 1, c));
        g->SetRow(r);
        g->SetCol(1);
        if (g->Rows() > 9) g->SetTopRow(g->Rows() - 9);
        StoreFactorGrid(m_.EditedCombinationSet);
    }
    g->setFocus();
    UpdateFactorButtons();
}

void frmLoads::cmdFDelete_Click() {
    FlexGrid* g = MSHFlexGrid1;
    if (g->Rows() >= 3 && g->Row() >= 1) {
        const int removed = g->Row();
        g->RemoveItem(removed);
        for (int r = removed; r < g->Rows(); ++r) g->SetTextMatrix(r, 0, QString::number(r));
        StoreFactorGrid(m_.EditedCombinationSet);
    }
    g->setFocus();
    UpdateFactorButtons();
}

void frmLoads::cmdFMUp_Click() {
    if (MoveSelectedRow(MSHFlexGrid1, -1)) StoreFactorGrid(m_.EditedCombinationSet);
    MSHFlexGrid1->setFocus();
    UpdateFactorButtons();
}

void frmLoads::cmdFMDown_Click() {
    if (MoveSelectedRow(MSHFlexGrid1, 1)) StoreFactorGrid(m_.EditedCombinationSet);
    MSHFlexGrid1->setFocus();
    UpdateFactorButtons();
}

// A code or a long name changed: every heading and type name that shows it follows.
void frmLoads::StoreFactorText(QLineEdit* box, std::string& text) {
    box->deselect();
    text = FromQString(box->text());
    ShowFactorSetEditor(m_.EditedCombinationSet);
    FillFactorSummary();
    FillLoadTypeCombos();
    FillLineLoadGrid();
}

void frmLoads::txtShortLoad_Store(int k) {
    StoreFactorText(txtShortLoad[k], m_.WorkingCombinationSets[Slot(m_.EditedCombinationSet)].Factors.FactorCode[k]);
}

void frmLoads::txtLongLoad_Store(int k) {
    StoreFactorText(txtLongLoad[k], m_.WorkingCombinationSets[Slot(m_.EditedCombinationSet)].Factors.FactorName[k]);
}

void frmLoads::txtResist_Store(int k) {
    float& factor = m_.WorkingCombinationSets[Slot(m_.EditedCombinationSet)].Combinations[0].Factor[k];
    const std::string typed = FromQString(txtResist[k]->text());
    const std::string refusal = EntryRefusal(EntryRule::NotNegative, typed, FactorName(txtShortLoad[k]->text()));
    if (refusal.empty()) {
        factor = *SingleOfText(typed);
        ClearRefused(txtResist[k]);
    } else {
        // the box shows the factor it keeps, marked with why the text typed was refused
        Beep();
        MarkRefused(txtResist[k], ToQString(refusal));
    }
    txtResist[k]->setText(Number(factor));
    txtResist[k]->deselect();
    FillFactorSummary();
}

void frmLoads::txtComment_Change() { StoreFactorGrid(m_.EditedCombinationSet); }

// ---- factor summary ----------------------------------------------------------------------------

void frmLoads::FillCombinationSetCombo() {
    {
        const QSignalBlocker blocker(cmbComboSet1);
        cmbComboSet1->clear();
        for (int s = 1; s < m_.WorkingCombinationSetCount; ++s) cmbComboSet1->addItem(ToQString(m_.WorkingCombinationSets[s].Name));
        const int rows = cmbComboSet1->count();
        // a set beyond the list gives way to the last one
        if (m_.WorkingActiveCombinationSet > rows) m_.WorkingActiveCombinationSet = static_cast<int16_t>(std::max(rows, 1));
        cmbComboSet1->setCurrentIndex(m_.WorkingActiveCombinationSet - 1);
    }
    cmbComboSet1_Click();
    {
        const QSignalBlocker blocker(cmbCombo1);
        cmbCombo1->clear();
        const CombinationSet& s = m_.WorkingCombinationSets[Slot(m_.WorkingActiveCombinationSet)];
        const int count = std::clamp<int>(s.CombinationCount, 0, MaxCombinations - 1);
        for (int j = 0; j < count; ++j) cmbCombo1->addItem(ToQString(s.Combinations[j].Name));
        cmbCombo1->setCurrentIndex(std::min<int>(m_.WorkingCurrentCombination, count - 1));
    }
    cmbCombo1_Click();
    FillLoadTypeCombos();
    FillLineLoadGrid();
}

void frmLoads::cmbComboSet1_Click() {
    if (DialogLoading || cmbComboSet1->currentIndex() < 0) return;
    m_.WorkingActiveCombinationSet = static_cast<int16_t>(cmbComboSet1->currentIndex() + 1);
    FillCombinationCombo();
    FillLoadTypeCombos();
    FillLineLoadGrid();
}

void frmLoads::FillCombinationCombo() {
    {
        const QSignalBlocker blocker(cmbCombo1);
        cmbCombo1->clear();
        const CombinationSet& s = m_.WorkingCombinationSets[Slot(cmbComboSet1->currentIndex() + 1)];
        const int count = std::clamp<int>(s.CombinationCount, 0, MaxCombinations - 1);
        for (int j = 0; j < count; ++j) cmbCombo1->addItem(ToQString(s.Combinations[j].Name));
        cmbCombo1->setCurrentIndex(count > 0 ? 0 : -1);
    }
    cmbCombo1_Click();
}

void frmLoads::cmbCombo1_Click() {
    if (cmbCombo1->currentIndex() >= 0) m_.WorkingCurrentCombination = static_cast<int16_t>(cmbCombo1->currentIndex());
    FillFactorSummary();
}

void frmLoads::FillFactorSummary() {
    const CombinationSet& s = m_.WorkingCombinationSets[Slot(cmbComboSet1->currentIndex() + 1)];
    const int j = cmbCombo1->currentIndex();
    struct Range {
        int first, last;
    };
    const Range ranges[3] = {{DL, IC}, {S1, S2}, {BE, CS}};
    // the reinforced-concrete factors belong to the set: combination 0 holds them
    auto factorText = [&](int k) {
        const int from = k >= CT ? 0 : j;
        return from >= 0 ? ToQString(FactorSummaryText(s.Combinations[from].Factor[k])) : QString();
    };
    // Each column is as wide as its code and factor in the grids' type.
    // Where the load factors and the surcharge factors beside them would run
    // past the frame, the type is made smaller until they fit.
    const QWidget* frame = MSHFlexGrid2[0]->parentWidget();
    const int room = frame->width() - MSHFlexGrid2[0]->x() - Px(120);
    const QFont font = frame->font();
    std::array<double, CS + 1> widths{};
    for (double scale = 1;; scale -= 0.05) {
        QFont smaller = font;
        smaller.setPointSizeF(font.pointSizeF() * scale);
        for (FlexGrid* grid : MSHFlexGrid2) grid->setFont(smaller);
        std::array<double, 3> sums{};
        for (int g = 0; g < 3; ++g)
            for (int k = ranges[g].first; k <= ranges[g].last; ++k) {
                const auto i = static_cast<size_t>(k);
                widths[i] = std::ceil(std::max({double(SummaryColumnWidth) * scale,
                                                MSHFlexGrid2[0]->TextWidth(ToQString(s.Factors.FactorCode[i])),
                                                MSHFlexGrid2[0]->TextWidth(factorText(k))}));
                sums[static_cast<size_t>(g)] += widths[i];
            }
        if ((Px(sums[0]) + Px(150) + Px(sums[1]) <= room && Px(sums[2]) <= room) || scale < 0.6) break;
    }
    for (int g = 0; g < 3; ++g) {
        FlexGrid* grid = MSHFlexGrid2[g];
        const int columns = ranges[g].last - ranges[g].first + 1;
        grid->SetCols(columns);
        grid->SetRows(2);
        grid->SetFixedRows(1);
        grid->SetFixedCols(0);
        for (int c = 0; c < columns; ++c) {
            const int k = ranges[g].first + c;
            grid->SetColWidth(c, static_cast<int>(widths[static_cast<size_t>(k)]));
            grid->SetColAlignment(c, FlexAlignCenterCenter);
            grid->SetFixedAlignment(c, FlexAlignCenterCenter);
            grid->SetTextMatrix(0, c, ToQString(s.Factors.FactorCode[k]));
            grid->SetTextMatrix(1, c, factorText(k));
        }
        grid->resize(Px(grid->ColWidthsSum() - 15 + 30), Px(grid->RowHeight(0) * 2.0 - 15 + 30));
    }
    // the surcharge factors keep their place beside the load factors, however wide those are
    MSHFlexGrid2[1]->move(MSHFlexGrid2[0]->x() + MSHFlexGrid2[0]->width() + Px(150), MSHFlexGrid2[1]->y());
}

// ---- factor files ---------------------------------------------------------------------------------

namespace {
FileDialogRequest FactorFileRequest(const Model& m, bool save) {
    FileDialogRequest request;
    request.Save = save;
    request.Title = save ? "Brindlemar: Save load and resistance factors as file"
                         : "Brindlemar: Open load and resistance factors from file";
    request.Filter = FactorFileFilter;
    request.FilterIndex = 1;
    request.InitialDirectory = m.FactorFileDirectory;
    request.DefaultExtension = "bmf";
    return request;
}
}  // namespace

void frmLoads::Command9_Click() {
    if (MsgBox("All load combinations will be deleted and replaced. Do you want to continue?", vbYesNo, ProductName) != vbYes)
        return;
    const std::optional<std::string> path = ShowFileDialog(this, FactorFileRequest(m_, false));
    if (!path) return;
    // read into a copy: a file without a set of its own replaces nothing
    auto sets = std::make_unique<std::array<CombinationSet, 51>>(m_.WorkingCombinationSets);
    int16_t count = m_.WorkingCombinationSetCount;
    if (!ReadFactorFile(*sets, count, *path)) return;
    if (count < 2) {
        MsgBox("The file holds no load combination set.", vbExclamation, ProductName);
        return;
    }
    m_.WorkingCombinationSets = std::move(*sets);
    m_.WorkingCombinationSetCount = count;
    m_.WorkingActiveCombinationSet = 1;
    m_.WorkingCurrentCombination = 0;
    FillCombinationSetCombo();
    FillCombinationSetList();
    ShowFactorSetEditor(lstComboSet->currentRow() + 1);
    FillCombinationCombo();
    lstComboSet->setCurrentRow(0);
}

void frmLoads::Command1_Click() {
    const std::optional<std::string> path = ShowFileDialog(this, FactorFileRequest(m_, false));
    if (!path) return;
    auto file = std::make_unique<FactorFileSets>();
    if (!ReadFactorFileSets(*path, *file)) return;
    if (!AppendWorkingCombinationSets(m_, file->Sets, file->Count)) {
        MsgBox("Too many combinations.  Delete unneccesary ones and try again.", vbOKOnly, ProductName);
        return;
    }
    FillCombinationSetCombo();
    FillCombinationSetList();
    ShowFactorSetEditor(lstComboSet->currentRow() + 1);
    FillCombinationCombo();
}

void frmLoads::Command5_Click() {
    FileStamp asked;
    const std::optional<std::string> path = ShowFileDialog(this, FactorFileRequest(m_, true), &asked);
    if (!path) return;
    WriteFactorFile(m_.WorkingCombinationSets, m_.WorkingCombinationSetCount, *path, [&](const FileStamp& found) {
        return MayReplaceChosen(*path, asked, found, "the factors were", "Save to file");
    });
}

}  // namespace brindlemar

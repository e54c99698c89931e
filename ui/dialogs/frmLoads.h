#pragma once
// The "Loads and Resistances" dialog: surcharge, earthquake, line loads,
// earth pressures, bearing and sliding resistances on its first tab with a
// summary of the chosen load combination's factors; the load-combination
// sets, their factors and factor files on its second. Everything is edited
// on a working copy that only Accept writes back to the model.

#include <QDialog>
#include <array>
#include <functional>
#include <map>

#include "forms/LoadsWorkingCopy.h"
#include "model/Model.h"
#include "platform/TwipLayout.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace brindlemar {

class BoxChecks;
class FlexGrid;
enum class CellEntry;
class GridCellChooser;
class GridCellEditor;

class frmLoads : public QDialog {
    Q_OBJECT
public:
    explicit frmLoads(Model& m, QWidget* parent = nullptr);
    ~frmLoads() override;

    // opening, filling, closing
    void Form_Load();
    void LoadControlsFromModel();
    // false, with the user told why, when a box holds a number no Single holds
    bool StoreLoadOptions();
    void Command3_Click();  // Accept
    void Command4_Click();  // Cancel

    // line-load grid
    void FillLineLoadGrid();
    void StoreLineLoadGrid();
    void FillLoadTypeCombos();
    void UpdateLineLoadButtons();
    bool LineLoadCellEditable() const;
    void EditLineLoadCell(const QString& text, CellEntry entry);
    void EditLoadTypeCell();
    void MSHFlexGrid3_Click();
    void MSHFlexGrid3_SelChange();
    void txtLoad_GotFocus();
    void txtLoad_Commit(bool byEnter);
    void txtLoad_LostFocus(bool toGrid);
    void cmbType_Commit(bool byChoice);
    void cmdLAdd_Click();
    void cmdLDelete_Click();
    void cmdLMUp_Click();
    void cmdLMDown_Click();

    // combination sets and factor editor
    void FillCombinationSetList();
    void ShowFactorSetEditor(int set);
    void UpdateFactorButtons();
    void StoreFactorGrid(int set);
    bool FactorCellEditable() const;
    void EditFactorCell(const QString& text, CellEntry entry);
    void lstComboSet_Click();
    void cmdAdd_Click();
    void cmdDelete_Click();
    void cmdRename_Click();
    void cmdMUp_Click();
    void cmdMDown_Click();
    void txtComboSet_GotFocus();
    void txtComboSet_Commit();
    void txtComboSet_LostFocus();
    void MSHFlexGrid1_SelChange();
    void txtFactor_GotFocus();
    void txtFactor_Commit(bool byEnter);
    void txtFactor_LostFocus(bool toGrid);
    void cmdFAdd_Click();
    void cmdFDelete_Click();
    void cmdFMUp_Click();
    void cmdFMDown_Click();
    void StoreFactorText(QLineEdit* box, std::string& text);
    void txtShortLoad_Store(int k);
    void txtLongLoad_Store(int k);
    void txtResist_Store(int k);
    void txtComment_Change();

    // factor summary
    void FillCombinationSetCombo();
    void FillCombinationCombo();
    void FillFactorSummary();
    void cmbComboSet1_Click();
    void cmbCombo1_Click();

    // factor files
    void Command9_Click();  // Load from file
    void Command1_Click();  // Add from file
    void Command5_Click();  // Save to file

    // earth-pressure and resistance options
    void Option1_Click(int index);
    void optKa_Click(int index);
    void optKae_Click(int index);
    void optKp_Click(int index);
    void chkMinFluid_Click();
    void cmbSurType_Click();
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Check1_Click(int index);
    // the check of number box `index` (LoadOptionBoxAt) on Enter or on leaving
    // it: why it refuses `text`, empty when it takes it
    std::string NumberBoxRefusal(int index, const std::string& text) const;
    // the bearing method whose option is chosen, -1 for none
    int SelectedBearingMethod() const;
    void txtSeismic_Changed();

    // working line loads, entries 1 to WorkingLineLoadCount
    LineLoadTable WorkingLineLoads{};
    int16_t WorkingLineLoadCount = 0;
    bool DialogLoading = false;

    // controls, named as the program names them
    QTabWidget* SSTab1 = nullptr;
    QPushButton *Command3 = nullptr, *Command4 = nullptr;
    // first tab: loads
    QLineEdit *txtSurcharge = nullptr, *txtSeismic = nullptr;
    QComboBox* cmbSurType = nullptr;
    QLabel *Label9 = nullptr, *lblEarthquake = nullptr, *lblEarth = nullptr;
    FlexGrid* MSHFlexGrid3 = nullptr;
    GridCellEditor* txtLoad = nullptr;
    GridCellChooser* cmbType = nullptr;
    QPushButton *cmdLAdd = nullptr, *cmdLDelete = nullptr, *cmdLMUp = nullptr, *cmdLMDown = nullptr;
    // the loads that stand in front of the toe or beyond the heel
    QLabel* lblLoadsOffTheWall = nullptr;
    std::array<QRadioButton*, 2> Option1{}, optKa{}, optKae{}, optKp{}, Option2{};
    QLineEdit *txtKa = nullptr, *txtKae = nullptr, *txtKp = nullptr, *txtMinFluid = nullptr;
    QCheckBox* chkMinFluid = nullptr;
    QLabel* lblUnitMinFluid = nullptr;
    // first tab: resistances
    std::array<QRadioButton*, 4> Option3{};
    std::array<QLineEdit*, 6> txtResist1{};
    std::array<QLabel*, 8> lblUnit{};
    std::array<QCheckBox*, 3> Check1{};
    std::array<QLineEdit*, 3> txtValue{};
    QLabel* lblBaseUnitWeight = nullptr;
    // first tab: factor summary
    QComboBox *cmbComboSet1 = nullptr, *cmbCombo1 = nullptr;
    std::array<FlexGrid*, 3> MSHFlexGrid2{};
    // second tab
    QListWidget* lstComboSet = nullptr;
    QPushButton *cmdAdd = nullptr, *cmdRename = nullptr, *cmdDelete = nullptr, *cmdMUp = nullptr, *cmdMDown = nullptr;
    GridCellEditor* txtComboSet = nullptr;
    FlexGrid* MSHFlexGrid1 = nullptr;
    GridCellEditor* txtFactor = nullptr;
    QPushButton *cmdFAdd = nullptr, *cmdFDelete = nullptr, *cmdFMUp = nullptr, *cmdFMDown = nullptr;
    std::array<QLineEdit*, 22> txtShortLoad{};  // 1 to 21
    std::array<QLabel*, 22> lblLongLoad{};      // 1 to 21
    std::array<QLineEdit*, 22> txtLongLoad{};   // 4, 5, 6, 9
    std::array<QLineEdit*, 22> txtResist{};     // 19 to 21
    std::array<QLabel*, 5> lblTypeTitles{};
    QPlainTextEdit* txtComment = nullptr;
    QPushButton *Command9 = nullptr, *Command1 = nullptr, *Command5 = nullptr;

    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateLoadsTab(QWidget* page);
    void CreateResistancesFrame(QWidget* page);
    void CreateSummaryFrame(QWidget* page);
    void CreateFactorsTab(QWidget* page);
    void ConnectHandlers();
    void PlaceTypeRows();
    // on a screen narrower than the dialog, its pages' parts one under the other
    void StackForNarrowRoom();
    static bool MoveSelectedRow(FlexGrid* grid, int direction);
    // the row-number column as wide as its widest number needs in the grid's font
    static int RowNumberWidth(const FlexGrid* grid, int rows);
    void FitFactorGridColumns();
    // the width in twips a factor column needs to show `text` whole, and the editor typing it
    double FactorColumnWidthFor(const QString& text) const;
    // the combination buttons under the factor grid, and the rows of factor types under them
    void PlaceFactorButtons();
    // a box whose Enter, Esc and leaving run `handler` (Enter and Esc go no further)
    void OnEnterOrLeave(QLineEdit* box, std::function<void()> handler);
    LoadOptionControls ReadControls() const;
    QString LoadTypeCaption(int k) const;
    void SetCoefficient(QLineEdit* box, const std::string& text);
    int Px(double twips) const;
    void PlaceTwips(QWidget* w, double left, double top, double width, double height) const;

    Model& m_;
    BoxChecks* checks_ = nullptr;
    std::array<QLineEdit*, LoadOptionBoxCount> numberBoxes_{};
    TwipLayout twips_{nullptr};
    bool stacked_ = false;  // the pages' parts stand one under the other
    std::map<QObject*, std::function<void()>> enterOrLeave_;
};

}  // namespace brindlemar

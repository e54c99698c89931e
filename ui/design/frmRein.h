#pragma once
// The reinforcement design dialog: the materials and strength reduction
// factors with the list of load combinations ("Properties"), the factored
// design forces of every combination ("Forces"), and the flexure and shear
// design sheets in which the user may type the bars of any face
// ("Reinforcements"). Every change brings the design forces, the design and
// the sheets up to date before the handler returns.

#include <QDialog>
#include <array>

#include "model/Model.h"
#include "platform/TwipLayout.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace brindlemar {

class FlexGrid;
class GridCellEditor;

class frmRein : public QDialog {
    Q_OBJECT
public:
    // `owner` is the main window the dialog is centred on.
    frmRein(Model& m, QWidget* owner);

    // set-up, the "Properties" and "Forces" tabs
    void Form_Load();
    void Form_Unload();
    void StoreMaterialProperties();
    void Combo1a_Click();
    void Combo2_Click();
    void Command1_Click();
    void FillMomentTables();
    void FillShearTables();

    // the design sheets
    void InitGridReinforce1();
    void RunDesignAndShowResults();

    // editing
    void StoreRebarChoices();
    void txtRebar_GotFocus();
    void txtRebar_Commit(bool byEnter);
    void txtRebar_Abandon();
    void txtRebar_LostFocus();
    void Option1_Click(int index);
    void txtLStem1_Change();
    void txtLStem1_LostFocus();
    void txtValue_Apply(int index);

    // True while the set-up runs; the upper-stem length is then left alone.
    bool FormLoading = false;
    bool UpperStemLengthEdited = false;

    // controls, named as the program names them
    QTabWidget* SSTab1 = nullptr;
    std::array<QWidget*, 3> Picture1{};
    QPushButton* Command1 = nullptr;
    QLabel* Label24 = nullptr;
    // "Properties"
    QGroupBox *Frame1 = nullptr, *Frame2 = nullptr, *Frame3 = nullptr;
    QLabel *Label4 = nullptr, *Label9 = nullptr;
    std::array<QLineEdit*, 6> txtValue{};
    std::array<QLabel*, 6> lblUnit{};
    std::array<QLabel*, 3> lblResist{};
    QLabel* lblComboSet = nullptr;
    QPlainTextEdit* Text1 = nullptr;
    QLabel* Label16 = nullptr;
    // "Forces"
    QComboBox* Combo1a = nullptr;
    QLabel* lblUnit1 = nullptr;
    FlexGrid *MSHFlexGrid1 = nullptr, *MSHFlexGrid2 = nullptr, *MSHFlexGrid3 = nullptr;
    QLineEdit* txtLStem1 = nullptr;
    // "Reinforcements"
    QComboBox* Combo2 = nullptr;
    QLabel* Label3 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    FlexGrid *MSHFlexGrid4 = nullptr, *MSHFlexGrid5 = nullptr, *MSHFlexGrid6 = nullptr;
    GridCellEditor* txtRebar = nullptr;

    static constexpr int DesignTab = 2;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void CreateProperties();
    void CreateForces();
    void CreateReinforcements();
    void SetTwips(QWidget* w, double left, double top, double width, double height);
    void FillForceTables(int kind);
    bool DesignTabEnabled() const;
    // The design tab opens for a stable wall under a set with concrete
    // factors; otherwise the line under the combinations says why not.
    void ShowDesignAvailability();
    void PlaceDesignReason();
    // the current cell of the flexure sheet is one the user may type bars into
    bool OnEditableCell() const;

    Model& m_;
    QWidget* owner_;
    TwipLayout twips_{nullptr};
    bool closing_ = false;  // the dialog is being unloaded
    int sheetScrollBars_ = 0;
    bool sheetNarrowed_ = false;
};

}  // namespace brindlemar

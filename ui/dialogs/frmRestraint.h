#pragma once
// The sliding-restraints dialog: passive pressure of the toe soil, an
// adjacent structure (anchors or piles) with its ultimate horizontal load and
// position, and a shear key with its depth.

#include <array>

#include "forms/RestraintsForm.h"
#include "ui/dialogs/ValidatingDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace brindlemar {

class frmRestraint : public ValidatingDialog {
    Q_OBJECT
public:
    explicit frmRestraint(Model& m, QWidget* parent = nullptr);

    void Form_Load();
    void SetUnitLabels();
    void ShowRestraints();
    void StoreRestraints();
    void Check1_Click(int index);
    void Command1_Click();  // Accept
    void Command2_Click();  // Cancel

    std::array<QCheckBox*, 4> Check1{};
    std::array<QLineEdit*, 3> txtValue{};
    std::array<QLabel*, 3> lblUnit{};

protected:
    std::string BoxRefusal(int index, const std::string& text) const override;

private:
    void CreateControls();
    RestraintEntries Entries() const;
};

}  // namespace brindlemar

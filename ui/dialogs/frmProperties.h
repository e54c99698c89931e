#pragma once
// The material-properties dialog: concrete, reinforcement, water, backfill
// and toe earth, the base with its bearing method, and the wall friction
// angles, on seven pages. Accept stores every box; Cancel stores nothing.

#include <array>

#include "forms/PropertiesForm.h"
#include "ui/dialogs/ValidatingDialog.h"

class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

namespace brindlemar {

class frmProperties : public ValidatingDialog {
    Q_OBJECT
public:
    explicit frmProperties(Model& m, QWidget* parent = nullptr);

    void Form_Load();
    void SetUnitLabels();
    void ShowProperties();
    void StoreProperties();
    void Command1_Click();  // Accept
    void Command2_Click();  // Cancel
    void Option2_Click(int index);
    void Option3_Click(int index);

    QTabWidget* SSTab1 = nullptr;
    std::array<QWidget*, PropertiesPageCount> Picture2{};
    std::array<QLineEdit*, PropertyBoxCount> txtValue{};
    std::array<QLabel*, PropertyUnitLabelCount> lblUnit{};
    std::array<QRadioButton*, 2> Option1{};
    std::array<QRadioButton*, 2> Option2{};
    std::array<QRadioButton*, 4> Option3{};

protected:
    std::string BoxRefusal(int index, const std::string& text) const override;
    void RevealBox(int index) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    PropertyEntries Entries() const;
    // the bearing method whose option is chosen, -1 for none
    int SelectedBearingMethod() const;
};

}  // namespace brindlemar

#include "ui/dialogs/frmRestraint.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "runtime/Text.h"

namespace brindlemar {

frmRestraint::frmRestraint(Model& m, QWidget* parent) : ValidatingDialog(m, parent) {
    setObjectName("frmRestraint");
    setWindowTitle("Brindlemar: Sliding restraints");
    CreateControls();
    Form_Load();
}

void frmRestraint::CreateControls() {
    const char* const checks[4] = {"Passive toe soil pressure", "Adjacent structure, anchors or piles", "Shear key",
                                   "Base friction and cohesion"};
    for (int i = 0; i < 4; ++i) Check1[i] = Named(new QCheckBox(checks[i], this), QString("Check1_%1").arg(i));
    // base friction always resists sliding: shown ticked, never changed
    Check1[3]->setChecked(true);
    Check1[3]->setEnabled(false);

    const int boxWidth = fontMetrics().horizontalAdvance("0000000000") + 8;
    for (int i = 0; i < 3; ++i) {
        txtValue[i] = Named(new QLineEdit(this), QString("txtValue_%1").arg(i));
        txtValue[i]->setFixedWidth(boxWidth);
        lblUnit[i] = Named(new QLabel(this), QString("lblUnit_%1").arg(i));
    }

    // each restraint with the values it needs, indented under it
    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 20);
    grid->setColumnStretch(1, 1);
    grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance("Kip/ft") + 4);
    const auto valueRow = [&](int index, const char* caption) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(caption, this), row, 1);
        grid->addWidget(txtValue[index], row, 2);
        grid->addWidget(lblUnit[index], row, 3);
    };
    grid->addWidget(Check1[3], 0, 0, 1, 4);
    grid->addWidget(Check1[PassiveToeCheck], 1, 0, 1, 4);
    grid->addWidget(Check1[AdjacentStructureCheck], 2, 0, 1, 4);
    valueRow(AdjacentCapacityBox, "Ultimate horizontal load:");
    valueRow(AdjacentPositionBox, "Position from toe end:");
    grid->addWidget(Check1[ShearKeyCheck], grid->rowCount(), 0, 1, 4);
    valueRow(ShearKeyDepthBox, "Depth:");
    // the Tab key goes down the dialog as it reads
    QWidget* const reading[] = {Check1[PassiveToeCheck], Check1[AdjacentStructureCheck], txtValue[AdjacentCapacityBox],
                                txtValue[AdjacentPositionBox], Check1[ShearKeyCheck], txtValue[ShearKeyDepthBox]};
    for (size_t i = 1; i < std::size(reading); ++i) setTabOrder(reading[i - 1], reading[i]);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(CreateButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 0; i < 3; ++i) connect(Check1[i], &QCheckBox::clicked, this, [this, i] { Check1_Click(i); });
    connect(Command1, &QPushButton::clicked, this, &frmRestraint::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmRestraint::Command2_Click);
    WatchBoxes({txtValue.begin(), txtValue.end()});
}

void frmRestraint::Form_Load() {
    SetUnitLabels();
    ShowRestraints();
    RememberShownTexts();
}

void frmRestraint::SetUnitLabels() {
    const auto labels = RestraintUnitLabels(m_);
    for (int i = 0; i < 3; ++i) lblUnit[i]->setText(ToQString(labels[i]));
}

void frmRestraint::ShowRestraints() {
    const RestraintEntries e = RestraintEntriesFromModel(m_);
    for (int i = 0; i < 3; ++i) txtValue[i]->setText(ToQString(e.Values[i]));
    for (int i = 0; i < 3; ++i) Check1[i]->setChecked(e.Checks[i] != 0);
    Check1_Click(0);
}

void frmRestraint::Check1_Click(int /*index*/) {
    const RestraintEntries e = Entries();
    for (int i = 0; i < 3; ++i) txtValue[i]->setEnabled(RestraintBoxEnabled(e, i));
}

std::string frmRestraint::BoxRefusal(int index, const std::string& text) const {
    return RestraintEntryRefusal(index, text);
}

RestraintEntries frmRestraint::Entries() const {
    RestraintEntries e;
    for (int i = 0; i < 3; ++i) e.Values[i] = TextToStore(i);
    for (int i = 0; i < 3; ++i) e.Checks[i] = Check1[i]->isChecked() ? 1 : 0;
    return e;
}

void frmRestraint::StoreRestraints() { brindlemar::StoreRestraints(m_, Entries()); }

void frmRestraint::Command1_Click() {
    Accept([this] { StoreRestraints(); });
}

void frmRestraint::Command2_Click() { Cancel(); }

}  // namespace brindlemar

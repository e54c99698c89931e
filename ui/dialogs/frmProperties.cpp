#include "ui/dialogs/frmProperties.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/QtText.h"
#include "platform/Refusal.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

const char* const PageCaptions[PropertiesPageCount] = {"Backfill earth", "Base", "Toe earth", "Water",
                                                       "Friction angles", "Wall", "Reinforcement"};

// The caption left of each box, its Greek letter and subscript in place.
const char* const Captions[PropertyBoxCount] = {
    "Unit weight (including<br>reinforcement):",
    "Compressive stress (f'<sub>c</sub>):",
    "Elasticity modulus (E):",
    "Poisson's ratio (\u03BC):",
    "Yield stress (f<sub>y</sub>):",
    "Elasticity modulus (E):",
    "Concrete cover:",
    "Unit weight (\u03B3<sub>w</sub>):",
    "Unit weight (\u03B3):",
    "Dry density (\u03B3<sub>d</sub>):",
    "Saturated density (\u03B3<sub>s</sub>):",
    "Internal friction angle (\u03C6):",
    "Cohesion (c):",
    "Friction angle (\u03C6):",
    "Cohesion (c):",
    "Nominal bearing resistance (q<sub>n</sub>):",
    "Elasticity modulus (E):",
    "Earth to earth:",
    "Earth to wall:",
    "Unit weight (\u03B3):",
    "Dry density (\u03B3<sub>d</sub>):",
    "Saturated density (\u03B3<sub>s</sub>)",
    "Internal friction angle (\u03C6)",
    "Cohesion (c):",
    "(N):",
    "(q<sub>c</sub>):",
    "Unit weight (\u03B3):",
};

// The boxes of each page, top to bottom, before and after its options.
struct PageRows {
    std::vector<int> Before, After;
};
const PageRows Rows[PropertiesPageCount] = {
    {{8, 9, 10, 11}, {12}},  // backfill earth: then "Earth pressure:"
    {{26, 13, 14}, {16}},    // base: then "Base material:" and the bearing frame
    {{19, 20, 21, 22, 23}, {}},
    {{7}, {}},
    {{17, 18}, {}},
    {{0, 1, 2, 3}, {}},
    {{4, 5, 6}, {}},
};

QLabel* Caption(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::RichText);
    return label;
}

}  // namespace

frmProperties::frmProperties(Model& m, QWidget* parent) : ValidatingDialog(m, parent) {
    setObjectName("frmProperties");
    setWindowTitle("Brindlemar: Properties");
    CreateControls();
    Form_Load();
}

void frmProperties::CreateControls() {
    SSTab1 = Named(new QTabWidget(this), "SSTab1");
    // all seven tabs in view at once
    SSTab1->setUsesScrollButtons(false);
    const int boxWidth = fontMetrics().horizontalAdvance("0000000000") + 8;

    // a row: bullet, caption, box, unit
    const auto addRow = [&](QGridLayout* grid, int index, QWidget* parent) {
        const PropertyBox& box = PropertyBoxAt(index);
        const int row = grid->rowCount();
        auto* marker = Named(new QLabel(QString::fromUtf8("\u2022"), parent), QString("Shape1_%1").arg(index));
        auto* caption = Named(Caption(Captions[index], parent), QString("lblCaption_%1").arg(index));
        txtValue[index] = Named(new QLineEdit(parent), QString("txtValue_%1").arg(index));
        txtValue[index]->setFixedWidth(boxWidth);
        grid->addWidget(marker, row, 0);
        grid->addWidget(caption, row, 1);
        grid->addWidget(txtValue[index], row, 2);
        QLabel* unit = nullptr;
        if (box.UnitLabel >= 0) {
            unit = lblUnit[box.UnitLabel] = Named(new QLabel(parent), QString("lblUnit_%1").arg(box.UnitLabel));
            grid->addWidget(unit, row, 3);
        }
        // rows the program keeps but never shows: their values travel through unchanged
        if (box.Hidden) {
            for (QWidget* w : {static_cast<QWidget*>(marker), static_cast<QWidget*>(caption),
                               static_cast<QWidget*>(txtValue[index]), static_cast<QWidget*>(unit)})
                if (w != nullptr) w->hide();
            txtValue[index]->setEnabled(false);
        }
    };
    // an option group in its own container, so that one of it is selected
    const auto addOptions = [&](QGridLayout* grid, const char* heading, const QString& name,
                                std::initializer_list<const char*> captions, QRadioButton** options, QWidget* parent) {
        const int row = grid->rowCount();
        grid->addWidget(new QLabel(heading, parent), row, 1, Qt::AlignTop);
        auto* group = Named(new QWidget(parent), name);
        auto* layout = new QVBoxLayout(group);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(2);
        int i = 0;
        for (const char* caption : captions) {
            options[i] = Named(new QRadioButton(caption, group), QString("%1_%2").arg(name).arg(i));
            layout->addWidget(options[i]);
            ++i;
        }
        grid->addWidget(group, row, 2, 1, 2);
    };

    for (int page = 0; page < PropertiesPageCount; ++page) {
        auto* tab = new QWidget;
        Picture2[page] = Named(new QWidget(tab), QString("Picture2_%1").arg(page));
        auto* tabLayout = new QVBoxLayout(tab);
        tabLayout->addWidget(Picture2[page]);
        tabLayout->addStretch(1);
        auto* grid = new QGridLayout(Picture2[page]);
        grid->setColumnStretch(1, 1);
        grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance("E+5 kg/cm\u00B2") + 4);
        for (int index : Rows[page].Before) addRow(grid, index, Picture2[page]);

        if (page == BackfillEarthPage) {
            addOptions(grid, "Earth pressure:", "Option1", {"Active", "At rest"}, Option1.data(), Picture2[page]);
        } else if (page == BasePage) {
            addOptions(grid, "Base material:", "Option2", {"Rock (elastic)", "Soil (plastic)"}, Option2.data(),
                       Picture2[page]);
            // the bearing frame: one method, and the box that it needs
            auto* frame = Named(new QFrame(Picture2[page]), "Frame1");
            frame->setFrameShape(QFrame::StyledPanel);
            auto* bearing = new QGridLayout(frame);
            bearing->setColumnStretch(1, 1);
            for (int i = 0; i < 4; ++i) Option3[i] = Named(new QRadioButton(frame), QString("Option3_%1").arg(i));
            Option3[1]->setText("Theoretical (Munfakh et al.)");
            Option3[2]->setText("SPT");
            Option3[3]->setText("CPT");
            const auto methodRow = [&](int row, QRadioButton* option, int index) {
                bearing->addWidget(option, row, 0);
                bearing->addWidget(Named(Caption(Captions[index], frame), QString("lblCaption_%1").arg(index)), row, 1);
                txtValue[index] = Named(new QLineEdit(frame), QString("txtValue_%1").arg(index));
                txtValue[index]->setFixedWidth(boxWidth);
                bearing->addWidget(txtValue[index], row, 2);
                const int unit = PropertyBoxAt(index).UnitLabel;
                if (unit >= 0) {
                    lblUnit[unit] = Named(new QLabel(frame), QString("lblUnit_%1").arg(unit));
                    bearing->addWidget(lblUnit[unit], row, 3);
                }
            };
            methodRow(0, Option3[0], NominalBearingBox);
            bearing->addWidget(Option3[1], 1, 0, 1, 4);
            bearing->addWidget(new QLabel("Semi empirical:", frame), 2, 0, 1, 4);
            methodRow(3, Option3[2], SptBlowCountBox);
            methodRow(4, Option3[3], CptTipResistanceBox);
            bearing->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance("kg/cm\u00B2") + 4);
            grid->addWidget(frame, grid->rowCount(), 0, 1, 4);
        }
        for (int index : Rows[page].After) addRow(grid, index, Picture2[page]);
        SSTab1->addTab(tab, PageCaptions[page]);
    }
    txtValue[SptBlowCountBox]->setEnabled(false);
    txtValue[CptTipResistanceBox]->setEnabled(false);
    // as the dialog is designed: active, rock and the nominal value chosen
    Option1[0]->setChecked(true);
    Option2[0]->setChecked(true);
    Option3[0]->setChecked(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(SSTab1);
    layout->addLayout(CreateButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (int i = 0; i < 2; ++i)
        connect(Option2[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option2_Click(i);
        });
    for (int i = 0; i < 4; ++i)
        connect(Option3[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option3_Click(i);
        });
    connect(Command1, &QPushButton::clicked, this, &frmProperties::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmProperties::Command2_Click);
    WatchBoxes({txtValue.begin(), txtValue.end()});
}

void frmProperties::Form_Load() {
    SSTab1->setCurrentIndex(BackfillEarthPage);
    SetUnitLabels();
    ShowProperties();
    RememberShownTexts();
}

void frmProperties::showEvent(QShowEvent* event) {
    ValidatingDialog::showEvent(event);
    txtValue[Rows[BackfillEarthPage].Before.front()]->setFocus(Qt::OtherFocusReason);
}

void frmProperties::SetUnitLabels() {
    const auto labels = PropertyUnitLabels(m_);
    for (int i = 0; i < PropertyUnitLabelCount; ++i) lblUnit[i]->setText(ToQString(labels[i]));
}

void frmProperties::ShowProperties() {
    const PropertyEntries e = PropertyEntriesFromModel(m_);
    for (int i = 0; i < PropertyBoxCount; ++i) txtValue[i]->setText(ToQString(e.Values[i]));
    Option1[e.EarthPressure]->setChecked(true);
    if (e.BaseMaterial == Soil) {
        for (int i = 1; i < 4; ++i) Option3[i]->setEnabled(true);
        txtValue[SptBlowCountBox]->setEnabled(true);
        txtValue[CptTipResistanceBox]->setEnabled(true);
        Option2[Soil]->setChecked(true);
        Option3[e.BearingMethod]->setChecked(true);
        Option3_Click(e.BearingMethod);
    } else {
        Option2[Rock]->setChecked(true);
        Option3[NominalBearing]->setChecked(true);
        for (int i = 1; i < 4; ++i) Option3[i]->setEnabled(false);
        txtValue[SptBlowCountBox]->setEnabled(false);
        txtValue[CptTipResistanceBox]->setEnabled(false);
    }
}

void frmProperties::Option2_Click(int index) {
    if (index != 0) {
        // soil: every method can be chosen; the nominal value's box until one is
        Option3_Click(NominalBearing);
        for (int i = 1; i < 4; ++i) Option3[i]->setEnabled(true);
        return;
    }
    // on rock only the nominal bearing resistance can be given
    Option3[NominalBearing]->setChecked(true);
    for (int i = 1; i < 4; ++i) Option3[i]->setEnabled(false);
    txtValue[SptBlowCountBox]->setEnabled(false);
    txtValue[CptTipResistanceBox]->setEnabled(false);
}

void frmProperties::Option3_Click(int index) {
    if (index < NominalBearing || index > CptBearing) return;
    // the one box the method needs
    txtValue[NominalBearingBox]->setEnabled(index == NominalBearing);
    txtValue[SptBlowCountBox]->setEnabled(index == SptBearing);
    txtValue[CptTipResistanceBox]->setEnabled(index == CptBearing);
}

std::string frmProperties::BoxRefusal(int index, const std::string& text) const {
    // the caption beside the box names it; the two semi-empirical ones are only a symbol
    const std::string name = index == SptBlowCountBox       ? "SPT blow count"
                             : index == CptTipResistanceBox ? "CPT tip resistance"
                                                            : BoxNameOfCaption(Captions[index]);
    std::string reason = PropertyEntryRefusal(index, text, name);
    if (reason.empty() && index == BaseUnitWeightPropertyBox) reason = BearingMethodRefusal(SelectedBearingMethod(), text);
    return reason;
}

void frmProperties::RevealBox(int index) { SSTab1->setCurrentIndex(PropertyBoxAt(index).Page); }

PropertyEntries frmProperties::Entries() const {
    PropertyEntries e;
    for (int i = 0; i < PropertyBoxCount; ++i) e.Values[i] = TextToStore(i);
    e.EarthPressure = Option1[Active]->isChecked() ? Active : AtRest;
    e.BaseMaterial = Option2[Rock]->isChecked() ? Rock : Soil;
    e.BearingMethod = SelectedBearingMethod();
    return e;
}

int frmProperties::SelectedBearingMethod() const {
    for (int i = 0; i < 4; ++i)
        if (Option3[i]->isChecked()) return i;
    return -1;
}

void frmProperties::StoreProperties() { brindlemar::StoreProperties(m_, Entries()); }

void frmProperties::Command1_Click() {
    // the unit weight the chosen bearing method needs, typed or not
    if (m_.DialogCancelled == 0 && ChangedBoxesValid()) txtValue_LostFocus(BaseUnitWeightPropertyBox);
    Accept([this] { StoreProperties(); });
}

void frmProperties::Command2_Click() { Cancel(); }

}  // namespace brindlemar

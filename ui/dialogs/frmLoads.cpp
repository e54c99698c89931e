// The loads dialog's frame: its controls, filling them from the model,
// Accept and Cancel, and the option buttons and numeric boxes of the first tab.

#include "ui/dialogs/frmLoads.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include "files/DefaultsFile.h"
#include "model/Initialise.h"
#include "model/Units.h"
#include "platform/ControlNames.h"
#include "platform/EntryGestures.h"
#include "platform/FlexGrid.h"
#include "platform/GridCellEditing.h"
#include "platform/NameLists.h"
#include "platform/QtText.h"
#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"
#include "ui/dialogs/BoxChecks.h"

namespace brindlemar {

namespace {

QString Indexed(const char* name, int index) { return QString("%1_%2").arg(name).arg(index); }

QString Number(float value) { return QString::fromStdString(GeneralNumber(value)); }
// a value with a unit, rounded to what its unit shows; the stored value stays exact
QString Number(const Model& m, float value, Quantity q) {
    return QString::fromStdString(EntryText(value, q, m.CurrentUnitSystem));
}

// A value the user typed: the leading number of its text.
std::string BoxText(const QLineEdit* box) { return FromQString(box->text()); }

// The acceleration in the seismic box, and the one an analysis applies with
// it (none while the seismic option is off): the static coefficient on show
// is of the slope that analysis works with.
float BoxSeismic(const QLineEdit* box) { return SingleOfText(BoxText(box)).value_or(0); }
float AppliedSeismic(const Model& m, const QLineEdit* box) { return SeismicCoefficientInUse(m.SeismicIncluded, BoxSeismic(box)); }

QLabel* Heading(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

// Option buttons of one group sit in a container of their own, so that
// choosing one clears the others.
QWidget* OptionContainer(QWidget* parent, const QString& name) {
    auto* box = Named(new QWidget(parent), name);
    auto* group = new QButtonGroup(box);
    group->setExclusive(true);
    box->setProperty("group", QVariant::fromValue(static_cast<QObject*>(group)));
    return box;
}

QRadioButton* OptionIn(QWidget* container, const QString& caption, const QString& name) {
    auto* button = Named(new QRadioButton(caption, container), name);
    qobject_cast<QButtonGroup*>(container->property("group").value<QObject*>())->addButton(button);
    return button;
}

// A selected option of a two-way group as stored: 0 for the first, 1 for the second.
int Selection(const std::array<QRadioButton*, 2>& options) { return options[1]->isChecked() ? 1 : 0; }

}  // namespace

int frmLoads::Px(double twips) const { return twips_.Px(twips); }

void frmLoads::PlaceTwips(QWidget* w, double left, double top, double width, double height) const {
    twips_.Place(w, left, top, width, height);
}

frmLoads::frmLoads(Model& m, QWidget* parent) : QDialog(parent), m_(m) {
    setObjectName("frmLoads");
    setWindowTitle("Brindlemar: Loads and Resistances");
    twips_ = TwipLayout(parent != nullptr ? parent : this);
    setFixedSize(Px(14000), Px(9500));
    // the small type of the program's dialogs
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);

    SSTab1 = Named(new QTabWidget(this), "SSTab1");
    PlaceTwips(SSTab1, 120, 120, 13760, 8700);
    auto* loadsPage = Named(new QWidget, "SSTab1_0");
    auto* factorsPage = Named(new QWidget, "SSTab1_1");
    SSTab1->addTab(loadsPage, "Loads and resistances");
    SSTab1->addTab(factorsPage, "Edit load and resistance factors");
    CreateLoadsTab(loadsPage);
    CreateResistancesFrame(loadsPage);
    CreateSummaryFrame(loadsPage);
    CreateFactorsTab(factorsPage);

    auto* help = Named(new QLabel("F1 - Help", this), "lblHelp");
    PlaceTwips(help, 240, 8950, 1500, 300);
    Command3 = Named(new QPushButton("Accept", this), "Command3");
    Command4 = Named(new QPushButton("Cancel", this), "Command4");
    PlaceTwips(Command3, 11000, 8900, 1300, 400);
    PlaceTwips(Command4, 12500, 8900, 1300, 400);
    // Enter is Accept, or the button that has the focus, except where a box or
    // a grid takes it for its own entry; Esc is Cancel
    for (QPushButton* button : findChildren<QPushButton*>()) button->setAutoDefault(true);
    Command3->setDefault(true);
    // a click on Cancel takes the focus, so that leaving a box for it skips the box's check
    Command4->setFocusPolicy(Qt::StrongFocus);
    // room for the captions in the family the desktop gives
    twips_.Fit(this);
    ConnectHandlers();
    Form_Load();
    StackForNarrowRoom();
    FitOnScreen(this);
    // pages that scroll may leave the factor grid less width
    if (ScrollsToFit(this)) UpdateFactorButtons();
}

// The boxes lose their focus while the window goes: nothing more is stored then.
frmLoads::~frmLoads() {
    checks_->Closing();
    enterOrLeave_.clear();
    for (QObject* editor : std::initializer_list<QObject*>{txtLoad, cmbType, txtFactor, txtComboSet, txtComment})
        editor->disconnect(this);
}

// ---- layout ---------------------------------------------------------------------

void frmLoads::CreateLoadsTab(QWidget* page) {
    auto* frame = Named(new QGroupBox("Loads", page), "fraLoads");
    PlaceTwips(frame, 120, 60, 7500, 8040);

    PlaceTwips(Heading("Surcharge on upper ground", frame), 120, 280, 4000, 250);
    txtSurcharge = Named(new QLineEdit(frame), "txtSurcharge");
    PlaceTwips(txtSurcharge, 120, 540, 900, 300);
    Label9 = Named(new QLabel(frame), "Label9");
    PlaceTwips(Label9, 1080, 560, 700, 260);
    cmbSurType = Named(new QComboBox(frame), "cmbSurType");
    PlaceTwips(cmbSurType, 1800, 530, 3600, 320);

    PlaceTwips(Heading("Earthquake", frame), 120, 940, 4000, 250);
    PlaceTwips(new QLabel("Horizontal acceleration:", frame), 120, 1220, 2100, 260);
    txtSeismic = Named(new QLineEdit(frame), "txtSeismic");
    PlaceTwips(txtSeismic, 2250, 1200, 800, 300);
    PlaceTwips(new QLabel("g", frame), 3100, 1220, 300, 260);
    lblEarthquake = Named(new QLabel(frame), "lblEarthquake");
    PlaceTwips(lblEarthquake, 3500, 1220, 3800, 260);

    PlaceTwips(Heading("Line loads on wall", frame), 120, 1600, 4000, 250);
    MSHFlexGrid3 = Named(new FlexGrid(frame), "MSHFlexGrid3");
    MSHFlexGrid3->move(Px(120), Px(1870));
    MSHFlexGrid3->SetTabStops([](int, int) { return true; });
    txtLoad = Named(new GridCellEditor(frame), "txtLoad");
    cmbType = Named(new GridCellChooser(frame), "cmbType");
    // the grid shows a heading and six loads
    const double gridBottom = 1870 + 7 * MSHFlexGrid3->RowHeight(0) + 45;
    PlaceTwips(new QLabel("X, Y origin at overturning point (lower toe end).", frame), 120, gridBottom + 40, 5000, 260);
    cmdLAdd = Named(new QPushButton("Add new", frame), "cmdLAdd");
    cmdLDelete = Named(new QPushButton("Delete", frame), "cmdLDelete");
    cmdLMUp = Named(new QPushButton("Move up", frame), "cmdLMUp");
    cmdLMDown = Named(new QPushButton("Move down", frame), "cmdLMDown");
    int i = 0;
    for (QPushButton* b : {cmdLAdd, cmdLDelete, cmdLMUp, cmdLMDown}) PlaceTwips(b, 120 + 1300 * i++, gridBottom + 340, 1200, 340);
    lblLoadsOffTheWall = Named(new QLabel(frame), "lblLoadsOffTheWall");
    PlaceTwips(lblLoadsOffTheWall, 120, gridBottom + 740, 6700, 520);

    const double y = gridBottom + 1300;
    PlaceTwips(Heading("Earth pressures", frame), 120, y, 2000, 250);
    lblEarth = Named(new QLabel(frame), "lblEarth");
    PlaceTwips(lblEarth, 2100, y, 4800, 260);
    PlaceTwips(new QLabel("Normal", frame), 120, y + 330, 800, 260);
    PlaceTwips(new QLabel("- Type:", frame), 900, y + 330, 1150, 260);
    QWidget* types = OptionContainer(frame, "fraOption1");
    PlaceTwips(types, 2100, y + 310, 3000, 300);
    Option1[0] = OptionIn(types, "Active", "Option1_0");
    Option1[1] = OptionIn(types, "At rest", "Option1_1");
    PlaceTwips(Option1[0], 0, 0, 1300, 300);
    PlaceTwips(Option1[1], 1350, 0, 1300, 300);

    struct CoefficientRow {
        const char* row;
        const char* computed;
        const char* container;
        const char* name;
        std::array<QRadioButton*, 2>* options;
        QLineEdit** box;
        const char* boxName;
        double top;
    };
    const CoefficientRow rows[] = {
        {"", "Coulomb", "fraKa", "optKa", &optKa, &txtKa, "txtKa", y + 640},
        {"Seismic", "Mononobe-Okabe", "fraKae", "optKae", &optKae, &txtKae, "txtKae", y + 970},
        {"Passive", "Coulomb", "fraKp", "optKp", &optKp, &txtKp, "txtKp", y + 1630},
    };
    for (const CoefficientRow& r : rows) {
        if (*r.row) PlaceTwips(new QLabel(r.row, frame), 120, r.top + 20, 800, 260);
        PlaceTwips(new QLabel("- Coefficient:", frame), 900, r.top + 20, 1150, 260);
        QWidget* container = OptionContainer(frame, r.container);
        PlaceTwips(container, 2100, r.top, 2400, 300);
        (*r.options)[0] = OptionIn(container, r.computed, Indexed(r.name, 0));
        (*r.options)[1] = OptionIn(container, "", Indexed(r.name, 1));
        PlaceTwips((*r.options)[0], 0, 0, 2000, 300);
        PlaceTwips((*r.options)[1], 2050, 0, 300, 300);
        *r.box = Named(new QLineEdit(frame), r.boxName);
        PlaceTwips(*r.box, 4550, r.top, 800, 300);
        (*r.box)->setEnabled(false);
    }
    chkMinFluid = Named(new QCheckBox("Minimum equivalent-fluid density", frame), "chkMinFluid");
    PlaceTwips(chkMinFluid, 900, y + 1300, 3600, 300);
    txtMinFluid = Named(new QLineEdit(frame), "txtMinFluid");
    PlaceTwips(txtMinFluid, 4550, y + 1300, 800, 300);
    txtMinFluid->setEnabled(false);
    lblUnitMinFluid = Named(new QLabel(frame), "lblUnitMinFluid");
    PlaceTwips(lblUnitMinFluid, 5400, y + 1320, 1000, 260);
}

void frmLoads::CreateResistancesFrame(QWidget* page) {
    auto* frame = Named(new QGroupBox("Resistances", page), "fraResistances");
    PlaceTwips(frame, 7740, 60, 5880, 5360);
    for (int k = 0; k < 8; ++k) lblUnit[k] = Named(new QLabel(frame), Indexed("lblUnit", k));

    PlaceTwips(Heading("Bearing", frame), 120, 280, 2000, 250);
    PlaceTwips(new QLabel("Base material:", frame), 120, 580, 1300, 260);
    QWidget* material = OptionContainer(frame, "fraOption2");
    PlaceTwips(material, 1450, 560, 3900, 300);
    Option2[0] = OptionIn(material, "Rock (elastic)", "Option2_0");
    Option2[1] = OptionIn(material, "Soil (plastic)", "Option2_1");
    PlaceTwips(Option2[0], 0, 0, 1800, 300);
    PlaceTwips(Option2[1], 1900, 0, 1900, 300);

    // the bearing methods share one inner frame
    QWidget* methods = OptionContainer(frame, "fraOption3");
    PlaceTwips(methods, 120, 900, 5700, 1700);
    Option3[0] = OptionIn(methods, "", "Option3_0");
    Option3[1] = OptionIn(methods, "Theoretical (Munfakh et al.)", "Option3_1");
    Option3[2] = OptionIn(methods, "SPT", "Option3_2");
    Option3[3] = OptionIn(methods, "CPT", "Option3_3");
    PlaceTwips(Option3[0], 0, 0, 300, 300);
    PlaceTwips(Option3[1], 0, 330, 3200, 300);
    PlaceTwips(Option3[2], 1750, 660, 800, 300);
    PlaceTwips(Option3[3], 1750, 990, 800, 300);
    PlaceTwips(new QLabel("Nominal bearing resistance (q<sub>n</sub>):", methods), 300, 10, 3000, 300);
    PlaceTwips(new QLabel("Semi empirical:", methods), 300, 680, 1450, 260);
    PlaceTwips(new QLabel("(N):", methods), 2650, 680, 600, 260);
    PlaceTwips(new QLabel("(q<sub>c</sub>):", methods), 2650, 990, 600, 300);
    auto resist = [&](int index, QWidget* parent, double top) {
        txtResist1[index] = Named(new QLineEdit(parent), Indexed("txtResist1", index));
        PlaceTwips(txtResist1[index], 3300, top, 900, 300);
    };
    resist(0, methods, 0);
    resist(3, methods, 660);
    resist(4, methods, 990);
    lblUnit[0]->setParent(methods);
    lblUnit[6]->setParent(methods);
    PlaceTwips(lblUnit[0], 4250, 20, 1300, 260);
    PlaceTwips(lblUnit[6], 4250, 1010, 1300, 260);
    // the base unit weight, shown for the theoretical bearing capacity, which needs it
    lblBaseUnitWeight = Named(new QLabel("Base unit weight (\u03b3):", methods), "lblBaseUnitWeight");
    PlaceTwips(lblBaseUnitWeight, 300, 1340, 2900, 280);
    resist(5, methods, 1320);
    lblUnit[7]->setParent(methods);
    PlaceTwips(lblUnit[7], 4250, 1340, 1300, 260);
    for (QWidget* w : std::initializer_list<QWidget*>{lblBaseUnitWeight, txtResist1[5], lblUnit[7]}) w->hide();
    txtResist1[5]->setEnabled(false);
    txtResist1[3]->setEnabled(false);
    txtResist1[4]->setEnabled(false);

    PlaceTwips(Heading("Sliding", frame), 120, 2460, 2000, 250);
    PlaceTwips(new QLabel("Base friction angle (\u03c6):", frame), 420, 2760, 2600, 280);
    PlaceTwips(new QLabel("Base cohesion (c):", frame), 420, 3100, 2600, 260);
    resist(1, frame, 2740);
    resist(2, frame, 3080);
    txtResist1[1]->move(Px(3420), Px(2740));
    txtResist1[2]->move(Px(3420), Px(3080));
    PlaceTwips(lblUnit[1], 4370, 2760, 1300, 260);
    PlaceTwips(lblUnit[2], 4370, 3100, 1300, 260);

    PlaceTwips(Heading("Additional sliding resistances", frame), 120, 3460, 4000, 250);
    Check1[0] = Named(new QCheckBox("Passive toe earth pressure", frame), "Check1_0");
    Check1[1] = Named(new QCheckBox("Adjacent structure, anchors or piles", frame), "Check1_1");
    Check1[2] = Named(new QCheckBox("Shear key, depth:", frame), "Check1_2");
    PlaceTwips(Check1[0], 120, 3740, 4500, 300);
    PlaceTwips(Check1[1], 120, 4040, 4500, 300);
    PlaceTwips(Check1[2], 120, 4960, 2900, 300);
    PlaceTwips(new QLabel("Horizontal capacity:", frame), 420, 4360, 2600, 260);
    PlaceTwips(new QLabel("Position from toe end:", frame), 420, 4660, 2600, 260);
    for (int k = 0; k < 3; ++k) txtValue[k] = Named(new QLineEdit(frame), Indexed("txtValue", k));
    PlaceTwips(txtValue[0], 3420, 4340, 900, 300);
    PlaceTwips(txtValue[2], 3420, 4640, 900, 300);
    PlaceTwips(txtValue[1], 3420, 4960, 900, 300);
    PlaceTwips(lblUnit[3], 4370, 4360, 1400, 260);
    PlaceTwips(lblUnit[4], 4370, 4660, 1400, 260);
    PlaceTwips(lblUnit[5], 4370, 4980, 1400, 260);
}

void frmLoads::CreateSummaryFrame(QWidget* page) {
    auto* frame = Named(new QGroupBox("Load and resistance factors", page), "fraFactors");
    PlaceTwips(frame, 7740, 5500, 5880, 2600);
    PlaceTwips(new QLabel("Load combinations set:", frame), 120, 320, 1900, 260);
    PlaceTwips(new QLabel("Load combinations:", frame), 120, 680, 1900, 260);
    cmbComboSet1 = Named(new QComboBox(frame), "cmbComboSet1");
    cmbCombo1 = Named(new QComboBox(frame), "cmbCombo1");
    ShowNamesWhole(cmbComboSet1);
    ShowNamesWhole(cmbCombo1);
    PlaceTwips(cmbComboSet1, 2050, 290, 3650, 320);
    PlaceTwips(cmbCombo1, 2050, 650, 3650, 320);
    for (int g = 0; g < 3; ++g) {
        MSHFlexGrid2[g] = Named(new FlexGrid(frame), Indexed("MSHFlexGrid2", g));
        MSHFlexGrid2[g]->SetScrollBars(FlexScrollNone);
        MSHFlexGrid2[g]->SetFocusRect(FlexFocusNone);
        MSHFlexGrid2[g]->SetHighLight(FlexHighlightNever);
        MSHFlexGrid2[g]->setFocusPolicy(Qt::NoFocus);
    }
    MSHFlexGrid2[0]->move(Px(120), Px(1100));
    MSHFlexGrid2[1]->move(Px(120 + 4320 + 60), Px(1100));
    MSHFlexGrid2[2]->move(Px(120), Px(1100 + 2 * MSHFlexGrid2[0]->RowHeight(0) + 120));
}

void frmLoads::CreateFactorsTab(QWidget* page) {
    PlaceTwips(new QLabel("Load combinations set", page), 120, 120, 3600, 260);
    lstComboSet = Named(new QListWidget(page), "lstComboSet");
    // the list takes the focus after each set operation: its frame says so
    FrameShowsFocus(lstComboSet);
    PlaceTwips(lstComboSet, 120, 400, 3600, 1640);
    txtComboSet = Named(new GridCellEditor(page), "txtComboSet");
    SelectWholeText(txtComboSet);
    cmdAdd = Named(new QPushButton("Add new", page), "cmdAdd");
    cmdRename = Named(new QPushButton("Rename", page), "cmdRename");
    cmdDelete = Named(new QPushButton("Delete", page), "cmdDelete");
    cmdMUp = Named(new QPushButton("Move up", page), "cmdMUp");
    cmdMDown = Named(new QPushButton("Move down", page), "cmdMDown");
    int i = 0;
    for (QPushButton* b : {cmdAdd, cmdRename, cmdDelete, cmdMUp, cmdMDown}) PlaceTwips(b, 3840, 400 + 335 * i++, 1250, 310);
    // Add new gives the list the focus: Tab goes on from the new set to Rename, not back to Add new
    setTabOrder(cmdAdd, lstComboSet);
    Command9 = Named(new QPushButton("Load from file", page), "Command9");
    Command1 = Named(new QPushButton("Add from file", page), "Command1");
    Command5 = Named(new QPushButton("Save to file", page), "Command5");
    i = 0;
    for (QPushButton* b : {Command9, Command1, Command5}) PlaceTwips(b, 5250, 400 + 335 * i++, 1500, 310);
    PlaceTwips(Named(new QLabel("Commentary", page), "lblComment"), 6900, 120, 3000, 260);
    txtComment = Named(new QPlainTextEdit(page), "txtComment");
    // Tab goes on to the factor grid rather than into the commentary
    txtComment->setTabChangesFocus(true);
    FrameShowsFocus(txtComment);
    PlaceTwips(txtComment, 6900, 400, 6700, 1640);

    PlaceTwips(new QLabel("Load and resistance factors", page), 120, 2130, 4000, 260);
    MSHFlexGrid1 = Named(new FlexGrid(page), "MSHFlexGrid1");
    MSHFlexGrid1->move(Px(120), Px(2400));
    MSHFlexGrid1->SetTabStops([](int, int) { return true; });
    txtFactor = Named(new GridCellEditor(page), "txtFactor");
    cmdFAdd = Named(new QPushButton("Add new", page), "cmdFAdd");
    cmdFDelete = Named(new QPushButton("Delete", page), "cmdFDelete");
    cmdFMUp = Named(new QPushButton("Move up", page), "cmdFMUp");
    cmdFMDown = Named(new QPushButton("Move down", page), "cmdFMDown");

    const char* titles[] = {"Loads", "Surcharge application", "Resistances", "Stability", "Reinforced concrete"};
    const char* titleNames[] = {"lblLongLoadTitle", "lblLongSurchargeTitle", "lblLongResistTitle", "lblLongResistTitle1",
                                "lblLongResistTitle2"};
    for (int t = 0; t < 5; ++t) lblTypeTitles[t] = Named(t < 3 ? Heading(titles[t], page) : new QLabel(titles[t], page), titleNames[t]);
    for (int k = 1; k <= MaxFactorCount; ++k) {
        txtShortLoad[k] = Named(new QLineEdit(page), Indexed("txtShortLoad", k));
        lblLongLoad[k] = Named(new QLabel(page), Indexed("lblLongLoad", k));
        if (k == ES || k == LL || k == LD || k == IC) txtLongLoad[k] = Named(new QLineEdit(page), Indexed("txtLongLoad", k));
        if (k >= CT) txtResist[k] = Named(new QLineEdit(page), Indexed("txtResist", k));
    }
    // the type rows are small: boxes one row high without inner margins
    for (QLineEdit* box : page->findChildren<QLineEdit*>()) {
        if (box == txtComboSet || box == txtFactor) continue;
        box->setStyleSheet("QLineEdit { padding: 0px; }");
    }
}

// ---- events ---------------------------------------------------------------------

void frmLoads::OnEnterOrLeave(QLineEdit* box, std::function<void()> handler) {
    enterOrLeave_[box] = std::move(handler);
    box->installEventFilter(this);
}

bool frmLoads::eventFilter(QObject* watched, QEvent* event) {
    const int box = checks_ != nullptr ? checks_->IndexOf(watched) : -1;
    if (box >= 0 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        // Enter checks the box and goes no further
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            checks_->CheckBox(box);
            return true;
        }
    }
    const auto handler = enterOrLeave_.find(watched);
    if (handler == enterOrLeave_.end()) return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            handler->second();
            return true;
        }
    } else if (event->type() == QEvent::FocusOut) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) handler->second();
    }
    return QDialog::eventFilter(watched, event);
}

void frmLoads::ConnectHandlers() {
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    // selecting an option, by the user or by code, runs its handler
    auto options = [this](const std::array<QRadioButton*, 2>& group, void (frmLoads::*handler)(int)) {
        for (int i = 0; i < 2; ++i)
            connect(group[i], &QRadioButton::toggled, this, [this, handler, i](bool on) {
                if (on) (this->*handler)(i);
            });
    };
    options(Option1, &frmLoads::Option1_Click);
    options(optKa, &frmLoads::optKa_Click);
    options(optKae, &frmLoads::optKae_Click);
    options(optKp, &frmLoads::optKp_Click);
    options(Option2, &frmLoads::Option2_Click);
    for (int i = 0; i < 4; ++i)
        connect(Option3[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) Option3_Click(i);
        });
    for (int i = 0; i < 3; ++i) connect(Check1[i], &QCheckBox::toggled, this, [this, i] { Check1_Click(i); });
    connect(chkMinFluid, &QCheckBox::toggled, this, [this] { chkMinFluid_Click(); });
    connect(cmbSurType, &QComboBox::currentIndexChanged, this, [this] { cmbSurType_Click(); });

    // the number boxes refuse a text that is no number for their quantity, on
    // Enter or on leaving them, as the properties and restraints dialogs do;
    // a new acceleration shows its seismic coefficient
    numberBoxes_ = {txtSurcharge, txtSeismic, txtKa, txtKae, txtKp, txtMinFluid};
    std::copy(txtResist1.begin(), txtResist1.end(), numberBoxes_.begin() + 6);
    std::copy(txtValue.begin(), txtValue.end(), numberBoxes_.begin() + 12);
    checks_ = new BoxChecks(
        m_, this, [this](int index, const std::string& text) { return NumberBoxRefusal(index, text); },
        [this](int) { SSTab1->setCurrentIndex(0); },
        [this](int index) {
            if (numberBoxes_[static_cast<size_t>(index)] == txtSeismic) txtSeismic_Changed();
        });
    checks_->Watch({numberBoxes_.begin(), numberBoxes_.end()}, Command4);
    for (QLineEdit* box : numberBoxes_) box->installEventFilter(this);

    // line-load grid
    new GridCellEditing(MSHFlexGrid3, [this] { return LineLoadCellEditable(); },
                        [this](const QString& text, CellEntry entry) { EditLineLoadCell(text, entry); });
    connect(MSHFlexGrid3, &FlexGrid::Click, this, [this] { MSHFlexGrid3_Click(); });
    connect(MSHFlexGrid3, &FlexGrid::DblClick, this, [this] { MSHFlexGrid3_Click(); });
    connect(MSHFlexGrid3, &FlexGrid::RowColChange, this, [this] { UpdateLineLoadButtons(); });
    connect(MSHFlexGrid3, &FlexGrid::SelChange, this, [this] { MSHFlexGrid3_SelChange(); });
    connect(txtLoad, &GridCellEditor::GotFocus, this, [this] { txtLoad_GotFocus(); });
    connect(txtLoad, &GridCellEditor::Commit, this, [this](bool byEnter) { txtLoad_Commit(byEnter); });
    connect(txtLoad, &GridCellEditor::Abandon, this, [this] { txtLoad_LostFocus(true); });
    connect(txtLoad, &GridCellEditor::Closed, this, [this] { txtLoad_LostFocus(false); });
    connect(cmbType, &GridCellChooser::GotFocus, this, [this] { txtLoad_GotFocus(); });
    connect(cmbType, &GridCellChooser::Commit, this, [this](bool byChoice) { cmbType_Commit(byChoice); });
    connect(cmbType, &GridCellChooser::Abandon, this, [this] { txtLoad_LostFocus(true); });
    connect(cmbType, &GridCellChooser::Closed, this, [this] { txtLoad_LostFocus(false); });
    connect(cmdLAdd, &QPushButton::clicked, this, [this] { cmdLAdd_Click(); });
    connect(cmdLDelete, &QPushButton::clicked, this, [this] { cmdLDelete_Click(); });
    connect(cmdLMUp, &QPushButton::clicked, this, [this] { cmdLMUp_Click(); });
    connect(cmdLMDown, &QPushButton::clicked, this, [this] { cmdLMDown_Click(); });

    // summary
    connect(cmbComboSet1, &QComboBox::activated, this, [this] { cmbComboSet1_Click(); });
    connect(cmbCombo1, &QComboBox::activated, this, [this] { cmbCombo1_Click(); });

    // sets and factors
    connect(lstComboSet, &QListWidget::currentRowChanged, this, [this] { lstComboSet_Click(); });
    connect(lstComboSet, &QListWidget::itemDoubleClicked, this, [this] { cmdRename_Click(); });
    connect(cmdAdd, &QPushButton::clicked, this, [this] { cmdAdd_Click(); });
    connect(cmdRename, &QPushButton::clicked, this, [this] { cmdRename_Click(); });
    connect(cmdDelete, &QPushButton::clicked, this, [this] { cmdDelete_Click(); });
    connect(cmdMUp, &QPushButton::clicked, this, [this] { cmdMUp_Click(); });
    connect(cmdMDown, &QPushButton::clicked, this, [this] { cmdMDown_Click(); });
    connect(txtComboSet, &GridCellEditor::GotFocus, this, [this] { txtComboSet_GotFocus(); });
    connect(txtComboSet, &GridCellEditor::Commit, this, [this] { txtComboSet_Commit(); });
    connect(txtComboSet, &GridCellEditor::Abandon, this, [this] { FillCombinationSetCombo(); });
    connect(txtComboSet, &GridCellEditor::Closed, this, [this] { txtComboSet_LostFocus(); });
    new GridCellEditing(MSHFlexGrid1, [this] { return FactorCellEditable(); },
                        [this](const QString& text, CellEntry entry) { EditFactorCell(text, entry); });
    // a whole row selected enables the buttons that move and delete it
    for (auto click : {&FlexGrid::Click, &FlexGrid::DblClick})
        connect(MSHFlexGrid1, click, this, [this] {
            if (MSHFlexGrid1->ColSel() != MSHFlexGrid1->Col()) UpdateFactorButtons();
        });
    connect(MSHFlexGrid1, &FlexGrid::RowColChange, this, [this] { UpdateFactorButtons(); });
    connect(MSHFlexGrid1, &FlexGrid::SelChange, this, [this] { MSHFlexGrid1_SelChange(); });
    connect(txtFactor, &GridCellEditor::GotFocus, this, [this] { txtFactor_GotFocus(); });
    connect(txtFactor, &GridCellEditor::Commit, this, [this](bool byEnter) { txtFactor_Commit(byEnter); });
    connect(txtFactor, &GridCellEditor::Abandon, this, [this] { txtFactor_LostFocus(true); });
    connect(txtFactor, &GridCellEditor::Closed, this, [this] { txtFactor_LostFocus(false); });
    connect(cmdFAdd, &QPushButton::clicked, this, [this] { cmdFAdd_Click(); });
    connect(cmdFDelete, &QPushButton::clicked, this, [this] { cmdFDelete_Click(); });
    connect(cmdFMUp, &QPushButton::clicked, this, [this] { cmdFMUp_Click(); });
    connect(cmdFMDown, &QPushButton::clicked, this, [this] { cmdFMDown_Click(); });
    for (int k = 1; k <= MaxFactorCount; ++k) {
        OnEnterOrLeave(txtShortLoad[k], [this, k] { txtShortLoad_Store(k); });
        if (txtLongLoad[k] != nullptr) OnEnterOrLeave(txtLongLoad[k], [this, k] { txtLongLoad_Store(k); });
        if (txtResist[k] != nullptr) OnEnterOrLeave(txtResist[k], [this, k] { txtResist_Store(k); });
    }
    connect(txtComment, &QPlainTextEdit::textChanged, this, [this] { txtComment_Change(); });

    // factor files
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
}

// ---- opening ----------------------------------------------------------------------

void frmLoads::Form_Load() {
    DialogLoading = true;
    LoadControlsFromModel();
    if (QWidget* main = parentWidget()) {
        const QRect frame = main->geometry();
        move(frame.left() + (frame.width() - width()) / 2, frame.top() + (frame.height() - height()) / 2);
    }
    DialogLoading = false;
    txtSeismic->setEnabled(m_.SeismicIncluded != 0);
    SSTab1->setCurrentIndex(0);
    checks_->RememberShownTexts();
}

QString frmLoads::LoadTypeCaption(int k) const {
    const int set = std::clamp<int>(m_.WorkingActiveCombinationSet, 0, MaxCombinationSets);
    return ToQString(LoadTypeText(m_.WorkingCombinationSets[set].Factors, k));
}

void frmLoads::SetCoefficient(QLineEdit* box, const std::string& text) {
    box->setText(QString::fromStdString(text));
}

void frmLoads::LoadControlsFromModel() {
    const int unit = UnitSystemIndex(m_);
    WorkingLineLoadCount = static_cast<int16_t>(std::clamp<int>(m_.LineLoadCount, 0, MaxLineLoads));
    for (int i = 1; i <= WorkingLineLoadCount; ++i) WorkingLineLoads[i] = m_.LineLoads[i];
    m_.LegacySurchargeLoadType = m_.SurchargeLoadType;

    txtSurcharge->setText(Number(m_, m_.BackfillSurcharge, Quantity::Pressure));
    txtSeismic->setText(Number(m_.EnteredSeismicCoefficient));
    Label9->setText(ToQString(m_.PressureUnitLabels[unit]));
    const int active = std::clamp<int>(m_.ActiveCombinationSet, 0, MaxCombinationSets);
    lblEarthquake->setText(ToQString(LoadTypeText(m_.CombinationSets[active].Factors, EQ)));

    Option1[m_.EarthPressureOption != 0 ? 1 : 0]->setChecked(true);

    // the coefficients the analysis would compute, where the user gave none
    auto coefficient = [&](int16_t source, float entered, std::array<QRadioButton*, 2>& options, QLineEdit* box,
                           const std::string& computed) {
        if (source != 0) {
            options[1]->setChecked(true);
            box->setText(Number(entered));
        } else {
            options[0]->setChecked(true);
            box->setText(Number(entered));
            SetCoefficient(box, computed);
        }
    };
    coefficient(m_.KaSource, m_.EnteredKa, optKa, txtKa, ActiveCoefficientText(m_, m_.EarthPressureOption != 0, AppliedSeismic(m_, txtSeismic)));
    coefficient(m_.KaeSource, m_.EnteredKae, optKae, txtKae, SeismicCoefficientText(m_, BoxSeismic(txtSeismic)));
    chkMinFluid->setChecked(m_.MinimumFluidDensityEnabled == 1);
    txtMinFluid->setText(Number(m_, m_.MinimumFluidDensity, Quantity::UnitWeight));
    coefficient(m_.KpSource, m_.EnteredKp, optKp, txtKp, PassiveCoefficientText(m_));
    lblEarth->setText(ToQString(LoadTypeText(m_.CombinationSets[active].Factors, EH)));

    txtResist1[0]->setText(Number(m_, m_.NominalBearingResistance, Quantity::Stress));
    txtResist1[1]->setText(Number(m_.BaseFrictionAngle));
    txtResist1[2]->setText(Number(m_, m_.BaseCohesion, Quantity::Stress));
    txtResist1[3]->setText(Number(m_.BaseSptBlowCount));
    txtResist1[4]->setText(Number(m_, m_.BaseCptTipResistance, Quantity::Stress));
    txtResist1[5]->setText(Number(m_, m_.BaseUnitWeight, Quantity::UnitWeight));

    if (m_.BaseMaterialOption != 0) {
        for (int i = 1; i <= 3; ++i) Option3[i]->setEnabled(true);
        txtResist1[3]->setEnabled(true);
        txtResist1[4]->setEnabled(true);
        Option2[1]->setChecked(true);
        const int method = m_.BearingResistanceMethod;
        if (method >= 0 && method <= 3) Option3[method]->setChecked(true);
        Option3_Click(method);
    } else {
        Option2[0]->setChecked(true);
        Option3[0]->setChecked(true);
        for (int i = 1; i <= 3; ++i) Option3[i]->setEnabled(false);
        txtResist1[3]->setEnabled(false);
        txtResist1[4]->setEnabled(false);
    }

    lblUnitMinFluid->setText(ToQString(m_.UnitWeightUnitLabels[unit]));
    lblUnit[0]->setText(ToQString(m_.StressUnitLabels[unit]));
    lblUnit[1]->setText(ToQString(m_.AngleUnitLabels[unit]));
    lblUnit[2]->setText(ToQString(m_.StressUnitLabels[unit]));
    lblUnit[3]->setText(ToQString(m_.ForceUnitLabels[unit] + "/" + m_.LengthUnitLabels[unit]));
    lblUnit[4]->setText(ToQString(m_.LengthUnitLabels[unit]));
    lblUnit[5]->setText(ToQString(m_.LengthUnitLabels[unit]));
    lblUnit[6]->setText(ToQString(m_.StressUnitLabels[unit]));
    lblUnit[7]->setText(ToQString(m_.UnitWeightUnitLabels[unit]));

    txtValue[0]->setText(Number(m_, m_.AdjacentStructureCapacity, Quantity::ForcePerLength));
    txtValue[1]->setText(Number(m_, m_.ShearKeyDepth, Quantity::Length));
    txtValue[2]->setText(Number(m_, m_.AdjacentStructurePosition, Quantity::Length));
    Check1[0]->setChecked(m_.PassiveToePressureIncluded == 1);
    Check1[1]->setChecked(m_.AdjacentStructureIncluded == 1);
    Check1[2]->setChecked(m_.ShearKeyIncluded == 1);
    txtValue[0]->setEnabled(Check1[1]->isChecked());
    txtValue[2]->setEnabled(Check1[1]->isChecked());
    txtValue[1]->setEnabled(false);
    // a number longer than its box reads from its first digit, not its last
    for (QLineEdit* box : findChildren<QLineEdit*>()) box->setCursorPosition(0);

    CopyCombinationSetsToWorkingCopy(m_);
    FillCombinationSetCombo();
    FillLineLoadGrid();
    FillCombinationSetList();
}

// ---- closing ----------------------------------------------------------------------

LoadOptionControls frmLoads::ReadControls() const {
    LoadOptionControls c;
    for (int i = 0; i < LoadOptionBoxCount; ++i) LoadOptionText(c, i) = checks_->TextToStore(i);
    c.SurchargeTypeIndex = cmbSurType->currentIndex();
    c.EarthPressureOption = Selection(Option1);
    c.KaSource = Selection(optKa);
    c.KaeSource = Selection(optKae);
    c.KpSource = Selection(optKp);
    c.BaseMaterialOption = Selection(Option2);
    c.BearingMethod = SelectedBearingMethod();
    for (int k = 0; k < 3; ++k) c.Check[k] = Check1[k]->isChecked() ? 1 : 0;
    c.MinFluidEnabled = chkMinFluid->isChecked() ? 1 : 0;
    return c;
}

namespace {
// "Overflow" and the name of the box whose number is too large to store
void TellOverflow(const std::string& box) {
    MsgBox(ErrorDescription(ErrOverflow) + " in \"" + box + "\"", vbExclamation, ProductName);
}
}  // namespace

bool frmLoads::StoreLoadOptions() {
    const LoadOptionControls controls = ReadControls();
    if (const auto box = OversizedLoadOption(controls, WorkingLineLoads, WorkingLineLoadCount)) {
        TellOverflow(*box);
        return false;
    }
    brindlemar::StoreLoadOptions(m_, controls, WorkingLineLoads, WorkingLineLoadCount);
    return true;
}

std::string frmLoads::NumberBoxRefusal(int index, const std::string& text) const {
    const LoadOptionBox& box = LoadOptionBoxAt(index);
    std::string reason = EntryRefusal(box.Rule, text, box.Name);
    if (reason.empty() && index == BaseUnitWeightBox) reason = BearingMethodRefusal(SelectedBearingMethod(), text);
    return reason;
}

int frmLoads::SelectedBearingMethod() const {
    for (int i = 0; i < 4; ++i)
        if (Option3[i]->isChecked()) return i;
    return -1;
}

void frmLoads::Command3_Click() {
    if (m_.DialogCancelled != 0 || !checks_->ChangedBoxesValid()) return;
    // the unit weight the chosen bearing method needs, typed or not
    checks_->CheckBox(BaseUnitWeightBox);
    if (m_.DialogCancelled != 0) return;
    if (!StoreLoadOptions()) return;
    WriteDefaultsFile(m_, m_.DefaultsFilePath);
    checks_->Closing();
    accept();
}

void frmLoads::Command4_Click() { reject(); }

void frmLoads::reject() {
    checks_->Closing();
    QDialog::reject();
}

void frmLoads::keyPressEvent(QKeyEvent* event) {
    if (!ShowHelpOnF1(event)) QDialog::keyPressEvent(event);
}

// ---- earth-pressure and resistance options ----------------------------------------------

void frmLoads::Option1_Click(int index) {
    if (optKa[0]->isChecked()) SetCoefficient(txtKa, ActiveCoefficientText(m_, index != 0, AppliedSeismic(m_, txtSeismic)));
}

void frmLoads::optKa_Click(int) {
    txtKa->setEnabled(optKa[1]->isChecked());
    if (optKa[0]->isChecked()) SetCoefficient(txtKa, ActiveCoefficientText(m_, !Option1[0]->isChecked(), AppliedSeismic(m_, txtSeismic)));
}

void frmLoads::optKae_Click(int) {
    txtKae->setEnabled(optKae[1]->isChecked());
    if (optKae[0]->isChecked())
        SetCoefficient(txtKae, SeismicCoefficientText(m_, BoxSeismic(txtSeismic)));
}

void frmLoads::optKp_Click(int) {
    txtKp->setEnabled(optKp[1]->isChecked());
    if (optKp[0]->isChecked()) SetCoefficient(txtKp, PassiveCoefficientText(m_));
}

void frmLoads::chkMinFluid_Click() { txtMinFluid->setEnabled(chkMinFluid->isChecked()); }

void frmLoads::cmbSurType_Click() {
    if (cmbSurType->currentIndex() >= 0) m_.LegacySurchargeLoadType = static_cast<int16_t>(cmbSurType->currentIndex() + 1);
}

void frmLoads::Option2_Click(int index) {
    if (index != 0) {
        Option3_Click(0);
        for (int i = 1; i <= 3; ++i) Option3[i]->setEnabled(true);
    } else {
        // on rock only the nominal bearing resistance can be given
        Option3[0]->setChecked(true);
        for (int i = 1; i <= 3; ++i) Option3[i]->setEnabled(false);
        txtResist1[3]->setEnabled(false);
        txtResist1[4]->setEnabled(false);
    }
}

void frmLoads::Option3_Click(int index) {
    if (index < 0 || index > 3) return;
    for (QWidget* w : std::initializer_list<QWidget*>{lblBaseUnitWeight, txtResist1[5], lblUnit[7]})
        w->setVisible(index == TheoreticalBearing);
    txtResist1[5]->setEnabled(index == TheoreticalBearing);
    txtResist1[0]->setEnabled(index == 0);
    txtResist1[3]->setEnabled(index == 2);
    txtResist1[4]->setEnabled(index == 3);
}

void frmLoads::Check1_Click(int) {
    txtValue[0]->setEnabled(Check1[1]->isChecked());
    txtValue[2]->setEnabled(Check1[1]->isChecked());
    // the key's depth is edited with the restraints
    txtValue[1]->setEnabled(false);
}

void frmLoads::txtSeismic_Changed() {
    if (optKa[0]->isChecked())
        SetCoefficient(txtKa, ActiveCoefficientText(m_, !Option1[0]->isChecked(), AppliedSeismic(m_, txtSeismic)));
    if (optKae[0]->isChecked())
        SetCoefficient(txtKae, SeismicCoefficientText(m_, BoxSeismic(txtSeismic)));
}

}  // namespace brindlemar

#include "ui/design/frmRein.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "analysis/SectionStations.h"
#include "design/DesignSectionForces.h"
#include "design/ReinforcementSheets.h"
#include "design/StabilityTable.h"
#include "model/Units.h"
#include "ui/design/DesignWindows.h"
#include "forms/DialogEntries.h"
#include "platform/EntryGestures.h"
#include "platform/FlexGrid.h"
#include "platform/GridCellEditing.h"
#include "platform/NameLists.h"
#include "platform/QtText.h"
#include "platform/Refusal.h"
#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "platform/WindowPlacement.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"

namespace brindlemar {
namespace {

// designed sizes, twips
constexpr double TabLeft = 120, TabTop = 120;
constexpr double PageWidth = 12700;
constexpr double GridLeft = 120;
constexpr double ForcesTop = 600;  // the member grid of the "Forces" tab
constexpr double CaptionColumn = 4800;
constexpr double CombinationRowHeight = 480;
constexpr int VisibleCombinationRows = 11;

QLabel* Caption(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::RichText);
    return label;
}

}  // namespace

frmRein::frmRein(Model& m, QWidget* owner) : QDialog(owner), m_(m), owner_(owner) {
    setObjectName("frmRein");
    setWindowTitle("Brindlemar: Reinforcement design");
    setModal(true);
    UseDesignedFont(this);
    twips_ = TwipLayout(this);

    SSTab1 = Named(new QTabWidget(this), "SSTab1");
    const char* const tabs[3] = {"Properties", "Forces", "Reinforcements"};
    for (int i = 0; i < 3; ++i) {
        Picture1[i] = Named(new QWidget, QString("Picture1_%1").arg(i));
        SSTab1->addTab(Picture1[i], tabs[i]);
    }
    Command1 = Named(new QPushButton("&Close", this), "Command1");
    Command1->setAutoDefault(false);
    connect(Command1, &QPushButton::clicked, this, &frmRein::Command1_Click);
    Label24 = Named(new QLabel("F1 - Help", this), "Label24");

    CreateProperties();
    CreateForces();
    CreateReinforcements();

    // the tabs hold the tallest of their contents: the forces of eleven
    // combinations with the governing values below, or 26 rows of the
    // flexure sheet under the member header
    const double row = MSHFlexGrid5->RowHeight(0);
    const double forces = ForcesTop + 600 + VisibleCombinationRows * CombinationRowHeight + 375 + 600 + 915;
    const double sheets = ForcesTop + 600 + 26 * row + 285;
    const double pageHeight = std::max({forces, sheets, 7800.0}) + 240;
    const double tabBar = SSTab1->tabBar()->sizeHint().height() * TwipsPerPixel(this);
    SetTwips(SSTab1, TabLeft, TabTop, PageWidth, pageHeight + tabBar + 60);
    const double bottom = TabTop + pageHeight + tabBar + 60;
    SetTwips(Label24, 120, bottom + 180, 1095, 255);
    SetTwips(Command1, TabLeft + PageWidth - 1515, bottom + 120, 1515, 375);
    setFixedSize(Px(this, TabLeft + PageWidth + 120), Px(this, bottom + 615));
    // room for the captions in the family the desktop gives
    twips_.Fit(this);

    Form_Load();
}

void frmRein::SetTwips(QWidget* w, double left, double top, double width, double height) {
    twips_.Place(w, left, top, width, height);
}

// A sheet whose captions need more room in this font than designed widens
// the pages, and the window with them, so that its columns and scroll bar
// stay in sight; the pages have their size only once the window is shown.
void frmRein::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // the pages hidden behind the shown one are sized only when they come to the front
    const int pageWidth = SSTab1->currentWidget()->width();
    int more = 0;
    for (QWidget* page : Picture1)
        for (QWidget* w : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (!w->isHidden()) more = std::max(more, w->geometry().right() + 1 + twips_.X(GridLeft) - pageWidth);
    if (more > 0 && !ScrollsToFit(this)) {
        SSTab1->resize(SSTab1->width() + more, SSTab1->height());
        Command1->move(Command1->x() + more, Command1->y());
        setFixedSize(width() + more, height());
    }
    FitOnScreen(this);
    PlaceDesignReason();
}

// ---- controls -----------------------------------------------------------

void frmRein::CreateProperties() {
    QWidget* page = Picture1[0];
    Frame1 = Named(new QGroupBox("Material properties", page), "Frame1");
    SetTwips(Frame1, 120, 120, 6600, 3900);
    Label4 = Named(new QLabel("<b>Concrete</b>", Frame1), "Label4");
    Label9 = Named(new QLabel("<b>Reinforcements</b>", Frame1), "Label9");
    SetTwips(Label4, 120, 300, 3000, 255);
    SetTwips(Label9, 120, 2100, 3000, 255);
    const char* const captions[6] = {"Unit weight (including reinforcements):", "Compressive stress (f'<sub>c</sub>):",
                                     "Elasticity modulus (E):",                 "Yield stress (f<sub>y</sub>):",
                                     "Elasticity modulus (E):",                 "Concrete cover:"};
    const double tops[6] = {600, 1020, 1440, 2400, 2820, 3300};
    for (int i = 0; i < 6; ++i) {
        QLabel* caption = Named(Caption(captions[i], Frame1), QString("lblValue_%1").arg(i));
        SetTwips(caption, 240, tops[i] + 30, 3600, 300);
        txtValue[i] = Named(new QLineEdit(Frame1), QString("txtValue_%1").arg(i));
        txtValue[i]->setAlignment(Qt::AlignRight);
        txtValue[i]->installEventFilter(this);
        SetTwips(txtValue[i], 3900, tops[i], 1200, 330);
        lblUnit[i] = Named(new QLabel(Frame1), QString("lblUnit_%1").arg(i));
        SetTwips(lblUnit[i], 5200, tops[i] + 30, 1350, 300);
    }

    Frame3 = Named(new QGroupBox("Resistance factors", page), "Frame3");
    SetTwips(Frame3, 6900, 120, 5640, 1500);
    const char* const factors[3] = {"Tension-controlled flexure:", "Compression-controlled flexure:", "Shear:"};
    for (int i = 0; i < 3; ++i) {
        SetTwips(new QLabel(factors[i], Frame3), 240, 330 + i * 360, 3000, 300);
        lblResist[i] = Named(new QLabel(Frame3), QString("lblResist_%1").arg(i));
        SetTwips(lblResist[i], 3300, 330 + i * 360, 1500, 300);
    }

    Frame2 = Named(new QGroupBox("Load combinations", page), "Frame2");
    SetTwips(Frame2, 6900, 1740, 5640, 6000);
    SetTwips(new QLabel("Combination set:", Frame2), 240, 330, 1800, 300);
    lblComboSet = Named(new QLabel(Frame2), "lblComboSet");
    SetTwips(lblComboSet, 2100, 330, 3300, 300);
    SetTwips(new QLabel("Load combinations:", Frame2), 240, 720, 3000, 300);
    Text1 = Named(new QPlainTextEdit(Frame2), "Text1");
    Text1->setReadOnly(true);
    FrameShowsFocus(Text1);
    SetTwips(Text1, 240, 1050, 5160, 4000);
    Label16 = Named(new QLabel(Frame2), "Label16");
    Label16->setWordWrap(true);
    QPalette warning = Label16->palette();
    warning.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label16->setPalette(warning);
    SetTwips(Label16, 240, 5160, 5160, 600);
}

void frmRein::CreateForces() {
    QWidget* page = Picture1[1];
    Combo1a = Named(new QComboBox(page), "Combo1a");
    SetTwips(Combo1a, GridLeft, 120, 3000, 330);
    lblUnit1 = Named(new QLabel(page), "lblUnit1");
    SetTwips(lblUnit1, 3300, 150, 3000, 300);
    MSHFlexGrid2 = Named(new FlexGrid(page), "MSHFlexGrid2");
    MSHFlexGrid1 = Named(new FlexGrid(page), "MSHFlexGrid1");
    MSHFlexGrid3 = Named(new FlexGrid(page), "MSHFlexGrid3");
    for (FlexGrid* grid : {MSHFlexGrid1, MSHFlexGrid2, MSHFlexGrid3}) {
        PrepareGrid(*grid);
        grid->SetHighLight(FlexHighlightNever);
    }
    MSHFlexGrid2->SetScrollBars(FlexScrollNone);
    MSHFlexGrid3->SetScrollBars(FlexScrollNone);
    txtLStem1 = Named(new QLineEdit(page), "txtLStem1");
    txtLStem1->setAlignment(Qt::AlignCenter);
    txtLStem1->installEventFilter(this);
    EnterAsGridCell(txtLStem1);
    connect(txtLStem1, &QLineEdit::textChanged, this, [this] { txtLStem1_Change(); });
    connect(Combo1a, &QComboBox::activated, this, [this] { RunTrapped([this] { Combo1a_Click(); }); });
}

// ---- set-up ---------------------------------------------------------------

void frmRein::Form_Load() {
    BusyPointer busy;
    FormLoading = true;
    CentreOnOwner(this, owner_);

    const CombinationSet& set = At(m_.CombinationSets, m_.ActiveCombinationSet);
    const std::array<float*, 6> values = MaterialValues(m_);
    const UnitLabelTable* units[6] = {&m_.UnitWeightUnitLabels, &m_.StressUnitLabels,  &m_.ModulusUnitLabels,
                                      &m_.StressUnitLabels,     &m_.ModulusUnitLabels, &m_.SectionUnitLabels};
    for (int i = 0; i < 6; ++i) {
        txtValue[i]->setText(QString::fromStdString(GeneralNumber(*values[i])));
        lblUnit[i]->setText(CellText((*units[i])[static_cast<std::size_t>(UnitSystemIndex(m_))]));
    }
    const int codes[3] = {CT, CC, CS};
    for (int i = 0; i < 3; ++i)
        lblResist[i]->setText(QString::fromStdString(GeneralNumber(set.Combinations[0].Factor[codes[i]])));
    SetNameText(lblComboSet, CellText(set.Name));
    Text1->setPlainText(CellText(CombinationsListing(m_)));

    // a stem shortened since the length was chosen: the upper stem ends at
    // the stem's foot, where the forces shown already end it
    m_.UpperStemLength = UpperStemLengthInUse(m_);

    Combo1a->clear();
    Combo1a->addItems({"Bending moments (Mu)", "Shearing forces (Vu)"});
    Combo1a->setCurrentIndex(0);
    Combo1a_Click();
    Combo2->clear();
    Combo2->addItems({"Flexure", "Shear"});
    Combo2->setCurrentIndex(0);
    Combo2_Click();
    const int method = std::clamp<int>(m_.ReinforcementDesignMethod, 0, 1);
    for (QRadioButton* option : Option1) option->blockSignals(true);
    Option1[method]->setChecked(true);
    for (QRadioButton* option : Option1) option->blockSignals(false);

    txtLStem1->setText(QString::fromStdString(GeneralNumber(m_.UpperStemLength)));
    // the length shown is the one stored: a box left as it was is never checked
    UpperStemLengthEdited = false;

    SSTab1->setCurrentIndex(0);
    ShowDesignAvailability();
    if (DesignTabEnabled()) InitGridReinforce1();
    FormLoading = false;
}

void frmRein::ShowDesignAvailability() {
    const bool stable = m_.AllCombinationsStable != 0;
    SSTab1->setTabEnabled(DesignTab, stable && StrengthFactorsGiven(m_));
    // the line under the combinations says why the design tab is greyed
    Label16->setText(ToQString(NoDesignMessage(m_)));
    PlaceDesignReason();
}

// The reason the design tab is greyed is read whole, wrapped, without
// scrolling: where the window scrolls to fit a small screen, or the reason
// takes more lines than designed, the listing of the combinations above it,
// which scrolls of its own, gives up the height.
void frmRein::PlaceDesignReason() {
    // the page has its size once the window is shown
    if (!isVisible()) return;
    QWidget* page = Picture1[0];
    int visibleBottom = page->height();
    // the scroll area that holds the page, where the window or its pages scroll to fit
    const QScrollArea* area = nullptr;
    for (QWidget* p = page->parentWidget(); p != nullptr && p != this && area == nullptr; p = p->parentWidget())
        area = qobject_cast<const QScrollArea*>(p);
    if (area != nullptr && ScrollsToFit(this))
        visibleBottom = std::min(visibleBottom, area->viewport()->height() - page->mapTo(area->widget(), QPoint(0, 0)).y());
    const int needed = std::max(twips_.Y(600), Label16->heightForWidth(Label16->width()));
    const int margin = twips_.Y(240);
    const int frameHeight = std::min(twips_.Y(6000), visibleBottom - Frame2->y() - 2);
    const int labelTop = std::min(twips_.Y(5160), frameHeight - margin - needed);
    const int leastList = 3 * Text1->fontMetrics().lineSpacing() + 2 * Text1->frameWidth();
    Text1->resize(Text1->width(), std::max(leastList, labelTop - twips_.Y(110) - Text1->y()));
    // a list at its least pushes the reason down, where the page scrolls to it
    Label16->setGeometry(Label16->x(), std::max(labelTop, Text1->geometry().bottom() + 1 + twips_.Y(110)), Label16->width(), needed);
    Frame2->resize(Frame2->width(), std::max(frameHeight, Label16->geometry().bottom() + 1 + margin));
}

bool frmRein::DesignTabEnabled() const { return SSTab1->isTabEnabled(DesignTab); }

void frmRein::done(int result) {
    closing_ = true;
    Form_Unload();
    QDialog::done(result);
}

void frmRein::Form_Unload() { StoreMaterialProperties(); }

void frmRein::Command1_Click() { reject(); }

void frmRein::keyPressEvent(QKeyEvent* event) {
    if (!ShowHelpOnF1(event)) QDialog::keyPressEvent(event);
}

void frmRein::StoreMaterialProperties() {
    std::array<std::string, 6> texts;
    for (int i = 0; i < 6; ++i) texts[i] = txtValue[i]->text().toStdString();
    StoreMaterialTexts(m_, texts);
}

// ---- "Forces" -------------------------------------------------------------

void frmRein::Combo1a_Click() {
    if (Combo1a->currentIndex() == 1)
        FillShearTables();
    else
        FillMomentTables();
}

void frmRein::Combo2_Click() {
    const bool flexure = Combo2->currentIndex() != 1;
    MSHFlexGrid5->setVisible(flexure);
    MSHFlexGrid6->setVisible(!flexure);
}

void frmRein::FillMomentTables() { FillForceTables(static_cast<int>(ForceKind::Moment)); }

void frmRein::FillShearTables() { FillForceTables(static_cast<int>(ForceKind::Shear)); }

void frmRein::FillForceTables(int kind) {
    const ForceTableTexts t = ForceTables(m_, static_cast<ForceKind>(kind));
    const int cols = t.Columns;
    const int n = static_cast<int>(t.Combinations.size());
    // the tables line up: eight faces of 900 under four members of 1800
    const int valueWidth = cols == DesignPositionCount + 1 ? 900 : 1800;
    // the combinations' titles in sight whole, as far as the page allows
    std::vector<TableCell> titles;
    for (const auto& row : t.Combinations) titles.push_back(row[0]);
    const double room = PageWidth - 2 * GridLeft - 8 * 900 - ScrollBarAllowance(*MSHFlexGrid1) - 60;
    const int captionWidth = static_cast<int>(std::min(ColumnWidthFor(*MSHFlexGrid1, titles, CaptionColumn), room));
    const double tableCells = (cols - 1) * valueWidth + captionWidth;

    // the members and their lengths
    FlexGrid& members = *MSHFlexGrid2;
    ResetGrid(members, 3, 5, 2, 1);
    members.SetColWidth(0, captionWidth);
    members.SetFixedAlignment(0, FlexAlignLeftCenter);
    members.SetRowHeight(0, 300);
    members.SetRowHeight(1, 300);
    const std::array<float, 5> lengths = MemberLengths(m_);
    const std::string length = m_.LengthUnitLabels[static_cast<std::size_t>(UnitSystemIndex(m_))];
    SetCell(members, 0, 0, {"Member", false, true});
    SetCell(members, 1, 0, {"Length (" + length + ")", false, true});
    for (int c = 1; c <= DesignMemberCount; ++c) {
        members.SetColWidth(c, 1800);
        members.SetFixedAlignment(c, FlexAlignCenterCenter);
        SetCell(members, 0, c, {WallMemberNames[c], false, true});
        // the upper stem's length is the box laid over its cell
        if (c > 1) SetCell(members, 1, c, {Format(lengths[c], "0.#0")});
    }
    SetTwips(&members, GridLeft, ForcesTop, 4 * 1800 + captionWidth + BorderAllowance(members, 15),
             600 + BorderAllowance(members, 45));

    // the factored forces of each combination
    FlexGrid& perCombination = *MSHFlexGrid1;
    ResetGrid(perCombination, n + 2, cols, 2, 1);
    perCombination.SetColWidth(0, captionWidth);
    perCombination.SetColAlignment(0, FlexAlignLeftCenter);
    perCombination.SetFixedAlignment(0, FlexAlignLeftCenter);
    perCombination.SetRowHeight(0, 300);
    perCombination.SetRowHeight(1, 30);
    SetCell(perCombination, 0, 0, {t.Headings[0], false, true});
    for (int j = 1; j < cols; ++j) {
        perCombination.SetColWidth(j, valueWidth);
        perCombination.SetColAlignment(j, FlexAlignCenterCenter);
        perCombination.SetFixedAlignment(j, FlexAlignCenterCenter);
        SetCell(perCombination, 0, j, {t.Headings[j]});
    }
    for (int c = 1; c <= n; ++c) {
        perCombination.SetRowHeight(c + 1, static_cast<int>(CombinationRowHeight));
        SetTitleCell(perCombination, c + 1, 0, t.Combinations[c - 1][0]);
        for (int j = 1; j < cols; ++j) SetCell(perCombination, c + 1, j, t.Combinations[c - 1][j]);
    }
    const double perCombinationHeight =
        std::min(n, VisibleCombinationRows) * CombinationRowHeight + 330 + BorderAllowance(perCombination, 45);
    SetTwips(&perCombination, GridLeft, ForcesTop + 600,
             tableCells + BorderAllowance(perCombination, 15) + (n > VisibleCombinationRows ? ScrollBarAllowance(perCombination) + 30 : 0),
             perCombinationHeight);
    if (n > 0) {
        perCombination.SetRow(2);
        perCombination.SetCol(1);
    }

    // the governing values, for section strength design
    FlexGrid& governing = *MSHFlexGrid3;
    ResetGrid(governing, 3, cols, 0, 1);
    governing.SetColWidth(0, captionWidth);
    governing.SetFixedAlignment(0, FlexAlignLeftCenter);
    for (int r = 0; r < 3; ++r) {
        governing.SetRowHeight(r, 300);
        SetCell(governing, r, 0, {t.Governing[r][0], false, true});
        for (int j = 1; j < cols; ++j) SetCell(governing, r, j, {t.Governing[r][j]});
    }
    for (int j = 1; j < cols; ++j) {
        governing.SetColWidth(j, valueWidth);
        governing.SetColAlignment(j, FlexAlignCenterCenter);
    }
    SetTwips(&governing, GridLeft, perCombinationHeight + ForcesTop + 300 + 300 - 15,
             tableCells + BorderAllowance(governing, 15), 900 + BorderAllowance(governing, 15));
    governing.SetRow(2);
    governing.SetCol(1);

    lblUnit1->setText(CellText(t.UnitCaption));

    // the upper stem's length is typed over its cell of the member grid
    const QPoint cell = members.viewport()->mapTo(Picture1[1], QPoint(Px(this, members.ColWidth(0)), Px(this, members.RowHeight(0))));
    txtLStem1->setGeometry(cell.x(), cell.y() + Px(this, 45), Px(this, members.ColWidth(1)),
                           Px(this, members.RowHeight(1) - 45));
    txtLStem1->raise();
}

// ---- the upper-stem length --------------------------------------------------

void frmRein::txtLStem1_Change() { UpperStemLengthEdited = true; }

void frmRein::txtLStem1_LostFocus() {
    if (!UpperStemLengthEdited) return;
    // leaving the box for "Close" neither checks nor stores it
    if (QApplication::focusWidget() == Command1) {
        m_.DialogCancelled = False;
        return;
    }
    m_.DialogCancelled = False;
    const std::string typed = txtLStem1->text().toStdString();
    const UpperStemLengthCheck check = CheckUpperStemLength(m_, typed);
    if (check.Replacement) txtLStem1->setText(QString::fromStdString(*check.Replacement));
    if (!check.Valid) {
        m_.DialogCancelled = True;
        Beep();
        const int unit = UnitSystemIndex(m_);
        const RuledValue& box = ReinforcementValues[UpperStemLengthBox];
        MarkRefused(txtLStem1, ToQString(check.Replacement ? "The upper stem is at most " + *check.Replacement + " " +
                                                                 m_.LengthUnitLabels[unit] + " long"
                                                           : EntryRefusal(box.Rule, typed, box.Name)));
        QTimer::singleShot(0, txtLStem1, [box = txtLStem1] { box->setFocus(Qt::OtherFocusReason); });
        return;
    }
    ClearRefused(txtLStem1);
    if (FormLoading) return;
    m_.UpperStemLength = check.Length;
    txtLStem1->setText(QString::fromStdString(GeneralNumber(m_.UpperStemLength)));
    m_.ProjectModified = True;
    ComputeDesignSectionForces(m_);
    Combo1a_Click();
    if (DesignTabEnabled()) InitGridReinforce1();
    UpperStemLengthEdited = false;
}

// ---- the material boxes ------------------------------------------------------

void frmRein::txtValue_Apply(int index) {
    QLineEdit* box = txtValue[index];
    box->deselect();
    const std::string text = box->text().toStdString();
    // a text that is no number, one no value can hold, or one whose size the
    // box's rule refuses leaves the value as it was and says why; a negative
    // number stands for its size
    const RuledValue& rule = ReinforcementValues[index];
    std::string refusal = EntryRefusal(EntryRule::AnyNumber, text, rule.Name);
    if (refusal.empty() && !KeepsRule(rule.Rule, TypedNumber(text).value_or(0))) refusal = "Type " + RuleDemand(rule.Rule);
    if (refusal.empty()) {
        ClearRefused(box);
    } else {
        Beep();
        MarkRefused(box, ToQString(refusal));
    }
    const std::optional<float> typed = refusal.empty() ? TypedNumber(text) : std::nullopt;
    box->setText(QString::fromStdString(GeneralNumber(typed ? *typed : *MaterialValues(m_)[index])));
    StoreMaterialProperties();
    // the concrete's weight changes the loads, and with them the stability
    if (index == 0) ComputeDesignSectionForces(m_);
    ShowDesignAvailability();
    Combo1a_Click();
    if (DesignTabEnabled()) InitGridReinforce1();
}

bool frmRein::eventFilter(QObject* watched, QEvent* event) {
    const bool key = event->type() == QEvent::KeyPress;
    const bool enter = key && (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
                               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter);
    const bool escape = key && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
    // focus that leaves for another window or because the dialog closes is no edit's end
    const bool leaving = event->type() == QEvent::FocusOut && !closing_ &&
                         static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason &&
                         static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason;

    if (watched == txtLStem1) {
        // Esc takes back a length typed and not yet applied, rather than
        // closing the dialog on it; the next Esc closes
        if (escape && UpperStemLengthEdited) {
            txtLStem1->setText(QString::fromStdString(GeneralNumber(m_.UpperStemLength)));
            ClearRefused(txtLStem1);
            UpperStemLengthEdited = false;
            m_.DialogCancelled = False;
            return true;
        }
        if (enter || leaving) RunTrapped([this] { txtLStem1_LostFocus(); });
        return enter;
    }
    for (int i = 0; i < 6; ++i) {
        if (watched != txtValue[i]) continue;
        if (enter || leaving) RunTrapped([this, i] { txtValue_Apply(i); });
        return enter || escape;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace brindlemar

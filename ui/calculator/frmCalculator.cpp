#include "ui/calculator/frmCalculator.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "reports/CalculatorReport.h"
#include "platform/ControlNames.h"
#include "platform/PrinterSurface.h"
#include "platform/Printers.h"
#include "forms/DialogEntries.h"
#include "platform/QtText.h"
#include "platform/Refusal.h"
#include "platform/ScreenFit.h"
#include "platform/FileDialogs.h"
#include "platform/Shell.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

// Captions of the inputs; the Greek letters and subscripts stand where the
// printed report puts its symbol-font letters and subscripts.
const char* const InputCaptions[CalculatorInputCount] = {
    "Wet density of soil (\u03B3):",
    "Saturated density of soil (\u03B3<sub>s</sub>):",
    "Density of water (\u03B3<sub>w</sub>)",
    "Internal friction angle (\u03C6):",
    "Cohesion (c):",
    "Soil slope (\u03B2):",
    "Wall friction angle (\u03B4):",
    "Wall inclination (\u03B8):",
    "Depth of soil (h):",
    "Depth of water table (h<sub>w</sub>):",
    "Surcharge load (q):",
    "Hor. seismic coefficient (k<sub>h</sub>):",
};

// What box `index` demands of its number: a friction angle lies below 90°,
// every other input is any number of 0 or more.
EntryRule InputRule(int index) {
    return index == FrictionAngleInput || index == WallFrictionAngleInput ? EntryRule::FrictionAngle
                                                                          : EntryRule::NotNegative;
}

// The rows of the result table: a caption, and the element of the result
// columns on that row (-1 for a group heading).
struct ResultRow {
    const char* caption;
    int element;
};
const ResultRow ResultRows[] = {
    {"Pressure coefficient (K):", 0}, {"Soil pressures (P):", -1},  {"At top of wall:", 1},
    {"At water table:", 2},           {"At bottom of wall:", 3},    {"Soil forces (F):", -1},
    {"Above water table:", 4},        {"Depth of resultant:", 5},   {"Below water table:", 6},
    {"Depth of resultant:", 7},       {"Total:", 8},                {"Depth of resultant:", 9},
};

const char* const SingleCaptions[4] = {
    "Pressure inclination (\u03B8 + \u03B4):",
    "Water pressure at bottom (P<sub>w</sub>):",
    "Water force (F<sub>w</sub>):",
    "Depth of resultant:",
};

QLabel* ValueLabel(QWidget* parent, const QString& name) {
    auto* label = Named(new QLabel(parent), name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance("0000.00/0000.00") + 8);
    return label;
}

QFrame* Rectangle(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Box | QFrame::Plain);
    return frame;
}

}  // namespace

frmCalculator::frmCalculator(Model& m, QWidget* parent) : QDialog(parent), m_(m) {
    setObjectName("frmCalculator");
    setWindowTitle("Brindlemar: Soil pressure calculator");
    CreateControls();
    connect(qApp, &QApplication::focusChanged, this, &frmCalculator::FocusChanged);
    Form_Load();
    FitOnScreen(this);
}

// The child widgets give up the focus while they are destroyed; by then this
// window is no longer a frmCalculator, so it must not hear of it.
frmCalculator::~frmCalculator() { disconnect(qApp, &QApplication::focusChanged, this, nullptr); }

frmCalculator::PrinterSource& frmCalculator::Printer() {
    // empty: the current printer, set up in PrintCalculatorReport
    static PrinterSource source;
    return source;
}

void frmCalculator::CreateControls() {
    auto* outer = new QVBoxLayout(this);
    pctSoil = Named(new QFrame(this), "pctSoil");
    pctSoil->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pctSoil->setAutoFillBackground(true);
    QPalette paper = pctSoil->palette();
    paper.setColor(QPalette::Window, Qt::white);
    pctSoil->setPalette(paper);
    outer->addWidget(pctSoil);
    auto* soil = new QVBoxLayout(pctSoil);

    auto* heading = new QLabel("SOIL PRESSURES", pctSoil);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    soil->addWidget(heading);

    // inputs: two columns of six rows
    QFrame* inputFrame = Rectangle(pctSoil);
    auto* inputs = new QGridLayout(inputFrame);
    for (int i = 0; i < CalculatorInputCount; ++i) {
        const int row = i % 6, column = (i / 6) * 4;
        lblInput[i] = Named(new QLabel(QString::fromUtf8(InputCaptions[i]), inputFrame), QString("lblInput_%1").arg(i));
        txtValue[i] = Named(new QLineEdit(inputFrame), QString("txtValue_%1").arg(i));
        txtValue[i]->setAlignment(Qt::AlignRight);
        txtValue[i]->setMaximumWidth(txtValue[i]->fontMetrics().horizontalAdvance("00000.00") + 16);
        txtValue[i]->installEventFilter(this);
        lblUnit[i] = Named(new QLabel(inputFrame), QString("lblUnit_%1").arg(i));
        lblUnit[i]->setMinimumWidth(lblUnit[i]->fontMetrics().horizontalAdvance("Kip/ft\u00B3"));
        inputs->addWidget(lblInput[i], row, column);
        inputs->addWidget(txtValue[i], row, column + 1);
        inputs->addWidget(lblUnit[i], row, column + 2);
        connect(txtValue[i], &QLineEdit::textChanged, this, [this, i] { txtValue_Change(i); });
    }
    inputs->setColumnMinimumWidth(3, 16);
    soil->addWidget(inputFrame);

    // results: five columns under their case headings, the unit at the right
    QFrame* resultFrame = Rectangle(pctSoil);
    auto* grid = new QGridLayout(resultFrame);
    const auto centred = [&](const QString& text, int row, int column, int span, bool strong) {
        auto* label = new QLabel(text, resultFrame);
        label->setAlignment(Qt::AlignCenter);
        // whole on one line: a wrapped heading in a grid row gets one line's height and is cut
        if (strong) label->setFont(bold);
        grid->addWidget(label, row, column, 1, span);
    };
    centred("Active", 0, 1, 2, true);
    centred("Passive", 0, 3, 2, true);
    centred("At rest", 0, 5, 1, true);
    for (int c = 0; c < 4; ++c) centred(c % 2 == 0 ? "Normal condition" : "Seismic condition", 1, 1 + c, 1, false);
    const std::array<std::array<QLabel*, 10>*, 5> columns = {&lblResultA1, &lblResultA2, &lblResultP1,
                                                             &lblResultP2, &lblResultR};
    const char* const columnNames[5] = {"lblResultA1", "lblResultA2", "lblResultP1", "lblResultP2", "lblResultR"};
    int row = 2;
    for (const ResultRow& r : ResultRows) {
        const bool heading = r.element < 0;
        auto* caption = new QLabel(QString(heading || r.element == 0 ? "" : "    ") + r.caption, resultFrame);
        grid->addWidget(caption, row, 0);
        if (!heading) {
            for (int c = 0; c < 5; ++c) {
                QLabel* value = ValueLabel(resultFrame, QString("%1_%2").arg(columnNames[c]).arg(r.element));
                (*columns[c])[r.element] = value;
                grid->addWidget(value, row, 1 + c);
            }
            lblUnitResultB[r.element] =
                Named(new QLabel(resultFrame), QString("lblUnitResultB_%1").arg(r.element));
            grid->addWidget(lblUnitResultB[r.element], row, 6);
        }
        ++row;
    }
    grid->setColumnMinimumWidth(6, lblUnit[0]->minimumWidth());
    soil->addWidget(resultFrame);

    // the single results below the table
    QFrame* singleFrame = Rectangle(pctSoil);
    auto* singles = new QGridLayout(singleFrame);
    for (int i = 0; i < 4; ++i) {
        singles->addWidget(new QLabel(QString::fromUtf8(SingleCaptions[i]), singleFrame), i, 0);
        lblResult[i] = ValueLabel(singleFrame, QString("lblResult_%1").arg(i));
        singles->addWidget(lblResult[i], i, 1);
        lblUnitResult[i] = Named(new QLabel(singleFrame), QString("lblUnitResult_%1").arg(i));
        singles->addWidget(lblUnitResult[i], i, 2);
    }
    singles->setColumnStretch(3, 1);
    soil->addWidget(singleFrame);

    auto* buttons = new QHBoxLayout;
    lblHelp = Named(new QLabel("F1 - Help", this), "lblHelp");
    buttons->addWidget(lblHelp);
    buttons->addStretch(1);
    Command2 = Named(new QPushButton("Print", this), "Command2");
    Command1 = Named(new QPushButton("Close", this), "Command1");
    // Enter belongs to the input boxes, not to a default button
    for (QPushButton* button : {Command2, Command1}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        buttons->addWidget(button);
    }
    outer->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

void frmCalculator::Form_Load() {
    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
    }
    SetUnitLabels();
    LoadInputsFromWallModel();
    CalcSoilPressures();
}

void frmCalculator::SetUnitLabels() {
    const CalculatorUnitLabels units = CalculatorUnits(m_);
    for (int i = 0; i < CalculatorInputCount; ++i) lblUnit[i]->setText(ToQString(units.Inputs[i]));
    for (int i = 0; i < 10; ++i) lblUnitResultB[i]->setText(ToQString(units.ResultRows[i]));
    for (int i = 0; i < 4; ++i) lblUnitResult[i]->setText(ToQString(units.SingleResults[i]));
}

void frmCalculator::LoadInputsFromWallModel() {
    const SoilPressureInputs defaults = InputsFromWallModel(m_);
    for (int i = 0; i < CalculatorInputCount; ++i) ShowInput(i, InputValue(defaults, i));
    Inputs = defaults;
    // the box keeps the model's water depth; the computation takes the
    // water no deeper than the soil
    KeepWaterTableInSoil(Inputs);
}

void frmCalculator::ShowInput(int index, float value) {
    shownText_[index] = QString::fromStdString(InputText(value, index, m_.CurrentUnitSystem));
    txtValue[index]->setText(shownText_[index]);
}

void frmCalculator::CalcSoilPressures() {
    brindlemar::CalcSoilPressures(Inputs, Results);
    ShowResults();
}

void frmCalculator::ShowResults() {
    const std::array<std::array<QLabel*, 10>*, 5> columns = {&lblResultA1, &lblResultA2, &lblResultP1,
                                                             &lblResultP2, &lblResultR};
    for (int c = 0; c < PressureCaseCount; ++c) {
        const std::array<std::string, 10> texts = ResultColumnTexts(Results, c, m_.CurrentUnitSystem);
        for (int e = 0; e < 10; ++e) (*columns[c])[e]->setText(QString::fromStdString(texts[e]));
    }
    const std::array<std::string, 4> singles = SingleResultTexts(Inputs, Results, m_.CurrentUnitSystem);
    for (int i = 0; i < 4; ++i) lblResult[i]->setText(QString::fromStdString(singles[i]));
}

void frmCalculator::ClearResults() {
    for (auto* column : {&lblResultA1, &lblResultA2, &lblResultP1, &lblResultP2, &lblResultR})
        for (QLabel* label : *column) label->clear();
    for (QLabel* label : lblResult) label->clear();
}

void frmCalculator::txtValue_Change(int) { InputChanged = true; }

void frmCalculator::txtValue_KeyPress(int index, int& keyAscii) {
    if (keyAscii != 13) return;
    receivingFocus_ = txtValue[index];
    txtValue_LostFocus(index);
    keyAscii = 0;
}

void frmCalculator::txtValue_LostFocus(int index) {
    if (!InputChanged) return;
    m_.DialogCancelled = False;
    // moving to Close leaves the edit unchecked, so Close always works; Print
    // prints what the boxes show, so it takes the edit first
    if (receivingFocus_ == Command1) return;
    // a box still showing the text it was given keeps its exact value
    if (txtValue[index]->text() == shownText_[index]) {
        ClearRefused(txtValue[index]);
        ShowResults();
        InputChanged = false;
        return;
    }

    const std::string typed = FromQString(txtValue[index]->text());
    const std::string refusal = EntryRefusal(InputRule(index), typed, BoxNameOfCaption(InputCaptions[index]));
    const auto accepted = refusal.empty() ? AcceptInputText(typed, index, m_.CurrentUnitSystem) : std::nullopt;
    if (!accepted) {
        m_.DialogCancelled = True;
        refusedText_[index] = txtValue[index]->text();
        Beep();
        MarkRefused(txtValue[index], ToQString(refusal));
        // the results are those of a value no longer shown: none stand beside the refused one
        ClearResults();
        pctSoil->raise();
        refocusing_ = true;
        txtValue[index]->setFocus();
        refocusing_ = false;
        return;
    }
    ClearRefused(txtValue[index]);
    refusedText_[index].clear();
    InputValue(Inputs, index) = accepted->Value;
    ShowInput(index, accepted->Value);
    if (KeepWaterTableInSoil(Inputs)) ShowInput(WaterTableDepthInput, Inputs.WaterTableDepth);
    CalcSoilPressures();
    InputChanged = false;
}

void frmCalculator::FocusChanged(QWidget* old, QWidget* now) {
    if (refocusing_) return;
    // only a move within the dialog counts: a message box or another
    // window taking the focus is not the user leaving the box
    if (now == nullptr || now->window() != this) return;
    for (int i = 0; i < CalculatorInputCount; ++i) {
        if (old != txtValue[i]) continue;
        receivingFocus_ = now;
        txtValue_LostFocus(i);
        return;
    }
}

bool frmCalculator::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            for (int i = 0; i < CalculatorInputCount; ++i) {
                if (watched != txtValue[i]) continue;
                int keyAscii = 13;
                txtValue_KeyPress(i, keyAscii);
                return keyAscii == 0;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmCalculator::keyPressEvent(QKeyEvent* event) {
    if (!ShowHelpOnF1(event)) QDialog::keyPressEvent(event);
}

void frmCalculator::Command1_Click() { accept(); }

bool frmCalculator::AcceptEditedInputs() {
    for (int i = 0; i < CalculatorInputCount; ++i) {
        const QString text = txtValue[i]->text();
        if (text == shownText_[i]) continue;
        // refused already as the focus left it for this button: said once
        if (text == refusedText_[i]) return false;
        InputChanged = true;
        receivingFocus_ = txtValue[i];
        txtValue_LostFocus(i);
        if (txtValue[i]->text() != shownText_[i]) return false;
    }
    return true;
}

void frmCalculator::Command2_Click() {
    if (AcceptEditedInputs()) PrintCalculatorReport();
}

void frmCalculator::PrintCalculatorReport() {
    // the page goes where the report goes: a PDF file needs its name first
    const CurrentPrinter& chosen = CurrentPrinter::Get();
    std::string pdfPath;
    if (!Printer() && chosen.IsPdf()) {
        const std::optional<std::string> path = AskPdfPath(m_, this);
        if (!path) return;
        pdfPath = *path;
    }
    const QString caption = windowTitle();
    setWindowTitle(caption + " (Printing .....)");
    SetBusyPointer(true);
    // a printer that fails is told; the caption and pointer come back either way
    RunTrapped([&] {
        std::unique_ptr<QPrinter> printer = Printer() ? Printer()() : chosen.MakePrinter(pdfPath);
        PrinterSurface paper(*printer);
        brindlemar::PrintCalculatorReport(m_, paper, Inputs, Results);
        SetBusyPointer(false);
    });
    setWindowTitle(caption);
}

}  // namespace brindlemar

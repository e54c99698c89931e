#include "ui/reports/frmPrint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "design/DesignSectionForces.h"
#include "forms/StartUp.h"
#include "platform/ControlNames.h"
#include "platform/EntryGestures.h"
#include "platform/Fonts.h"
#include "platform/Printers.h"
#include "platform/QtText.h"
#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "reports/ReportJob.h"
#include "runtime/Format.h"
#include "runtime/Hooks.h"
#include "runtime/OneBoxPerError.h"
#include "runtime/RuntimeError.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

constexpr int UserDefinedPaper = 256;
constexpr int UserDefinedIndex = 41;
constexpr const char* PaperNotSupported = "Printer: Paper size not supported";
// the setup dialog reports a cancel with this error number
constexpr int CancelError = 32755;

// A step of loading or activating the dialog: one that fails is left out.
void Step(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError&) {
    }
}

// The list index of a paper code; -1 for a code the list has no entry for.
int PaperIndex(int code) {
    if (code == UserDefinedPaper) return UserDefinedIndex;
    if (code >= 1 && code <= 41) return code - 1;
    return -1;
}

}  // namespace

FooterBox::FooterBox(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    FrameShowsFocus(this);
}

void FooterBox::TypeText(const QString& text) {
    QTextCursor cursor = textCursor();
    const int room = MaxLength - static_cast<int>(toPlainText().size()) +
                     static_cast<int>(cursor.selectedText().size());
    cursor.insertText(text.left(std::max(0, room)));
    setTextCursor(cursor);
}

void FooterBox::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ? "\n" : event->text();
    const bool printable = !typed.isEmpty() && (typed.at(0).isPrint() || typed == "\n");
    if (printable && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        TypeText(typed);
        return;
    }
    QTextEdit::keyPressEvent(event);
}

void FooterBox::insertFromMimeData(const QMimeData* source) {
    if (source->hasText()) TypeText(source->text());
}

frmPrint::frmPrint(Model& m, QWidget* owner) : QDialog(owner), m_(m) {
    setObjectName("frmPrint");
    setWindowTitle("Brindlemar: Print");
    setModal(true);
    CreateControls();
    Form_Load();
}

void frmPrint::CreateControls() {
    auto* layout = new QVBoxLayout(this);

    auto* sections = Named(new QGroupBox("Select frame(s) to print", this), "Frame1");
    auto* sectionGrid = new QGridLayout(sections);
    static const char* const captions[7] = {"Dimensions",         "Loads",          "Properties",
                                            "Stability analysis", "Reactions, resistances",
                                            "Reinforcement design", "Force diagrams"};
    for (int i = 0; i < 7; ++i) chkPrint[i] = Named(new QCheckBox(captions[i], sections), QString("chkPrint_%1").arg(i));
    // three columns: dimensions, properties, loads; reactions, stability,
    // diagrams; reinforcement
    const int places[7][2] = {{0, 0}, {2, 0}, {1, 0}, {1, 1}, {0, 1}, {0, 2}, {2, 1}};
    for (int i = 0; i < 7; ++i) sectionGrid->addWidget(chkPrint[i], places[i][0], places[i][1]);
    // Tab goes down each column in turn, as the boxes read, then to "Select All"
    const int readingOrder[7] = {SectionDimensions, SectionProperties, SectionLoads, SectionReactions,
                                 SectionStability, SectionDiagrams, SectionReinforcementDesign};
    for (int k = 1; k < 7; ++k) setTabOrder(chkPrint[readingOrder[k - 1]], chkPrint[readingOrder[k]]);
    Command4 = Named(new QPushButton("Select All", sections), "Command4");
    Label10 = Named(new QLabel("Pages: 0", sections), "Label10");
    setTabOrder(chkPrint[SectionReinforcementDesign], Command4);
    sectionGrid->addWidget(Command4, 0, 3);
    sectionGrid->addWidget(Label10, 1, 3);
    layout->addWidget(sections);

    auto* printer = Named(new QGroupBox("Printer and paper", this), "Frame2");
    auto* printerGrid = new QGridLayout(printer);
    Label3 = Named(new QLabel("Printer name:", printer), "Label3");
    Label4 = Named(new QLabel("Paper size:", printer), "Label4");
    Combo1 = Named(new QComboBox(printer), "Combo1");
    Combo2 = Named(new QComboBox(printer), "Combo2");
    Command1 = Named(new QPushButton("Properties...", printer), "Command1");
    printerGrid->addWidget(Label3, 0, 0);
    printerGrid->addWidget(Combo1, 0, 1);
    printerGrid->addWidget(Command1, 0, 2);
    printerGrid->addWidget(Label4, 1, 0);
    printerGrid->addWidget(Combo2, 1, 1);
    printerGrid->setColumnStretch(1, 1);
    layout->addWidget(printer);

    auto* row = new QHBoxLayout;
    auto* margins = Named(new QGroupBox("Margins", this), "Frame3");
    auto* marginGrid = new QGridLayout(margins);
    static const char* const marginCaptions[5] = {"", "Left:", "Right:", "Top:", "Bottom:"};
    for (int i = 1; i <= 4; ++i) {
        Label5[i] = Named(new QLabel(marginCaptions[i], margins), QString("Label5_%1").arg(i));
        txtMargin[i] = Named(new QLineEdit(margins), QString("txtMargin_%1").arg(i));
        txtMargin[i]->setFixedWidth(txtMargin[i]->fontMetrics().horizontalAdvance("000") + 12);
        const int r = (i - 1) / 2, c = ((i - 1) % 2) * 3;
        marginGrid->addWidget(Label5[i], r, c);
        marginGrid->addWidget(txtMargin[i], r, c + 1);
        marginGrid->addWidget(new QLabel("mm", margins), r, c + 2);
    }
    row->addWidget(margins);
    auto* fontGroup = Named(new QGroupBox("Font", this), "Frame4");
    auto* fontLayout = new QVBoxLayout(fontGroup);
    Combo3 = Named(new QComboBox(fontGroup), "Combo3");
    Picture2 = Named(new QWidget(fontGroup), "Picture2");
    Picture2->setAutoFillBackground(true);
    Picture2->setBackgroundRole(QPalette::Base);
    auto* sampleLayout = new QHBoxLayout(Picture2);
    lblSample = Named(new QLabel("AaBbCcXxYyZz", Picture2), "lblSample");
    sampleLayout->addWidget(lblSample);
    fontLayout->addWidget(Combo3);
    fontLayout->addWidget(Picture2);
    // the size list is part of the font group but not shown
    Combo4 = Named(new QComboBox(fontGroup), "Combo4");
    Combo4->hide();
    row->addWidget(fontGroup, 1);
    layout->addLayout(row);

    auto* footers = Named(new QGroupBox("Footers", this), "Frame5");
    auto* footerGrid = new QGridLayout(footers);
    static const char* const footerCaptions[4] = {"", "Left", "Center", "Right"};
    const Qt::Alignment alignments[4] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    for (int i = 1; i <= 3; ++i) {
        Label9[i] = Named(new QLabel(footerCaptions[i], footers), QString("Label9_%1").arg(i));
        txtFooter[i] = Named(new FooterBox(footers), QString("txtFooter_%1").arg(i));
        txtFooter[i]->setFixedHeight(txtFooter[i]->fontMetrics().height() * 3);
        txtFooter[i]->setProperty("alignment", static_cast<int>(alignments[i]));
        footerGrid->addWidget(Label9[i], 0, i - 1, Qt::AlignHCenter);
        footerGrid->addWidget(txtFooter[i], 1, i - 1);
    }
    auto* tokens = new QHBoxLayout;
    static const char* const tokenCaptions[6] = {"", "Date", "Time", "File name", "Page no.", "No. of pages"};
    for (int i = 1; i <= 5; ++i) {
        cmdFooter[i] = Named(new QPushButton(tokenCaptions[i], footers), QString("cmdFooter_%1").arg(i));
        tokens->addWidget(cmdFooter[i]);
    }
    footerGrid->addLayout(tokens, 2, 0, 1, 3);
    layout->addWidget(footers);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Named(new QLabel("F1 - Help", this), "Label11"));
    bottom->addStretch(1);
    Command3 = Named(new QPushButton("Cancel", this), "Command3");
    Command2 = Named(new QPushButton("Print", this), "Command2");
    Command2->setDefault(true);
    bottom->addWidget(Command3);
    bottom->addWidget(Command2);
    layout->addLayout(bottom);

    // handlers
    for (int i = 0; i < 7; ++i) connect(chkPrint[i], &QCheckBox::toggled, this, [this, i] { chkPrint_Click(i); });
    connect(Command4, &QPushButton::clicked, this, &frmPrint::Command4_Click);
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });
    connect(Combo3, &QComboBox::currentIndexChanged, this, [this] { Combo3_Click(); });
    connect(Command1, &QPushButton::clicked, this, &frmPrint::Command1_Click);
    for (int i = 1; i <= 5; ++i) connect(cmdFooter[i], &QPushButton::clicked, this, [this, i] { cmdFooter_Click(i); });
    for (int i = 1; i <= 4; ++i)
        connect(txtMargin[i], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            // at most two characters can be typed into a margin box
            if (text.size() > 2) txtMargin[i]->setText(marginText_[i]);
            else marginText_[i] = text;
        });
    connect(Command2, &QPushButton::clicked, this, &frmPrint::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &frmPrint::Command3_Click);

    // the controls whose losing the focus the token buttons look at, and the
    // captions that pass the focus on
    for (int code = 1; code <= 21; ++code) ControlOfCode(code)->installEventFilter(this);
    for (QLabel* caption : {Label3, Label4, Label5[1], Label5[2], Label5[3], Label5[4], Label9[1], Label9[2], Label9[3]})
        caption->installEventFilter(this);
}

QWidget* frmPrint::ControlOfCode(int code) const {
    if (code >= 1 && code <= 4) return txtMargin[static_cast<size_t>(code)];
    if (code >= 5 && code <= 7) return txtFooter[static_cast<size_t>(code - 4)];
    if (code >= 15 && code <= 21) return chkPrint[static_cast<size_t>(code - 15)];
    switch (code) {
        case 8: return Combo3;
        case 9: return Command1;
        case 10: return Combo4;
        case 11: return Command2;
        case 12: return Command3;
        case 13: return Combo1;
        case 14: return Combo2;
        default: return nullptr;
    }
}

bool frmPrint::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        for (int code = 1; code <= 21; ++code) {
            if (watched != ControlOfCode(code)) continue;
            if (code <= 4) txtMargin_LostFocus(code);
            else LastFocusCode = code;
        }
    } else if (event->type() == QEvent::MouseButtonPress) {
        QWidget* target = nullptr;
        if (watched == Label3) target = Combo1;
        if (watched == Label4) target = Combo2;
        for (int i = 1; i <= 4; ++i)
            if (watched == Label5[i]) target = txtMargin[i];
        for (int i = 1; i <= 3; ++i)
            if (watched == Label9[i]) target = txtFooter[i];
        if (target != nullptr) target->setFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmPrint::keyPressEvent(QKeyEvent* event) {
    if (!ShowHelpOnF1(event)) QDialog::keyPressEvent(event);
}

void frmPrint::Form_Load() {
    Step([&] {
        if (QWidget* main = parentWidget()) {
            adjustSize();
            move((main->width() - width()) / 2 + main->x(), (main->height() - height()) / 2 + main->y());
        }
    });
    Updating = true;

    Step([&] {
        const std::vector<std::string> printers = PrinterDeviceNames();
        const std::string current = CurrentPrinter::Get().DeviceName();
        for (size_t i = 0; i < printers.size(); ++i) {
            if (printers[i] == current) m_.SelectedPrinterIndex = static_cast<int16_t>(i);
            Combo1->addItem(QString::fromStdString(printers[i]));
        }
    });
    Step([&] { Combo1->setCurrentIndex(m_.SelectedPrinterIndex); });
    Step([&] {
        FillPaperSizeNames();
        for (int code = 1; code <= 41; ++code) Combo2->addItem(ToQString(PaperSizeNames[static_cast<size_t>(code)]));
        Combo2->addItem(ToQString(PaperSizeNames[UserDefinedPaper]));
    });
    Step([&] { SelectPrinterPaper(); });

    Command2->setEnabled(false);
    Step([&] {
        const int16_t margins[5] = {0, m_.PageMarginLeft, m_.PageMarginRight, m_.PageMarginTop, m_.PageMarginBottom};
        for (int i = 1; i <= 4; ++i) {
            marginText_[i] = QString::fromStdString(Format(margins[i], "0"));
            txtMargin[i]->setText(marginText_[i]);
        }
    });
    Step([&] {
        for (int i = 1; i <= 3; ++i) {
            txtFooter[i]->setPlainText(ToQString(At(m_.FooterTexts, i)));
            // every paragraph of the box takes its alignment
            txtFooter[i]->selectAll();
            txtFooter[i]->setAlignment(static_cast<Qt::Alignment>(txtFooter[i]->property("alignment").toInt()));
            txtFooter[i]->moveCursor(QTextCursor::End);
        }
    });

    Step([&] {
        QStringList families = QFontDatabase::families();
        // the usual report faces stand in the list when the font system
        // offers them through a face of the same metrics, as at start-up
        std::vector<std::string> installed;
        for (const QString& family : families) installed.push_back(family.toStdString());
        for (const std::string& name : OfferedFontNames(ReportFontCandidates(), installed))
            if (!families.contains(QString::fromStdString(name))) families << QString::fromStdString(name);
        families.sort();
        Combo3->clear();
        Combo3->addItems(families);
        const QString saved = ToQString(m_.ReportFontName);
        int savedIndex = -1, arial = -1, times = -1, courier = -1;
        for (int i = 0; i < Combo3->count(); ++i) {
            const QString name = Combo3->itemText(i);
            if (name == saved) savedIndex = i;
            if (name == "Arial") arial = i;
            if (name == "Times New Roman") times = i;
            if (name == "Courier New") courier = i;
        }
        int chosen = 0;
        for (int index : {savedIndex, arial, times, courier})
            if (index >= 0) {
                chosen = index;
                break;
            }
        Combo3->setCurrentIndex(Combo3->count() > 0 ? chosen : -1);
    });
    Step([&] { SetSample(Combo3->currentText()); });
    Step([&] {
        for (int size = 6; size <= 12; ++size) Combo4->addItem(QString::number(size));
        const bool inList = m_.ReportFontSize >= 6 && m_.ReportFontSize <= 12;
        Combo4->setCurrentIndex(inList ? CInt(m_.ReportFontSize) - 6 : 5);
    });

    Updating = false;
    m_.PrintConfirmed = False;
    Step([&] { Combo2_Click(); });
}

void frmPrint::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
    FitOnScreen(this);
}

void frmPrint::Form_Activate() {
    Updating = true;
    // the block count of the reinforcement section depends on the stability
    // of every combination under the design forces
    Step([&] { ComputeDesignSectionForces(m_); });
    int pages = 0;
    Step([&] { pages = ComputePageCount(); });
    if (pages > 0) Command2->setEnabled(true);
    ShowPageCount(pages);
    for (int i = 0; i < 7; ++i) chkPrint[i]->setChecked(SectionSwitch(m_, i) != 0);
    Updating = false;
}

int frmPrint::ComputePageCount() {
    return ReportPageCount(m_);
}

void frmPrint::ShowPageCount(int pages) { Label10->setText(QString("Pages: %1").arg(pages)); }

void frmPrint::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void frmPrint::Form_Unload() {
    bool changed = false;
    // a margin box left by closing the dialog is taken as if it had been left
    for (int i = 1; i <= 4; ++i)
        if (txtMargin[i]->hasFocus()) txtMargin_LostFocus(i);
    int16_t* const margins[5] = {nullptr, &m_.PageMarginLeft, &m_.PageMarginRight, &m_.PageMarginTop,
                                 &m_.PageMarginBottom};
    for (int i = 1; i <= 4; ++i) {
        const double value = Val(FromQString(txtMargin[i]->text()));
        if (value != *margins[i]) changed = true;
        Step([&] { *margins[i] = CInt(value); });
    }
    for (int i = 1; i <= 3; ++i) {
        const std::string text = FromQString(txtFooter[i]->Text());
        if (text != At(m_.FooterTexts, i)) changed = true;
        At(m_.FooterTexts, i) = text;
    }
    const std::string font = FromQString(Combo3->currentText());
    // a font never chosen (the very first start) takes the shown one as the
    // program's own choice, not the user's change
    if (font != m_.ReportFontName && !m_.ReportFontName.empty()) changed = true;
    m_.ReportFontName = font;
    const float size = static_cast<float>(Combo4->currentIndex() + 6);
    if (m_.ReportFontSize != size) changed = true;
    m_.ReportFontSize = size;
    m_.TextFontName = m_.ReportFontName;
    if (changed) m_.ProjectModified = True;
    UpdatePrintSelection();
}

void frmPrint::chkPrint_Click(int) {
    if (Updating) return;
    Command2->setEnabled(false);
    for (int i = 0; i < 7; ++i) SectionSwitch(m_, i) = chkPrint[i]->isChecked() ? 1 : 0;
    const int pages = ComputePageCount();
    if (pages > 0) Command2->setEnabled(true);
    ShowPageCount(pages);
}

void frmPrint::Command4_Click() {
    for (int i = 0; i < 7; ++i) {
        // each box runs its handler, also when it was ticked already
        const QSignalBlocker quiet(chkPrint[i]);
        chkPrint[i]->setChecked(true);
        chkPrint_Click(i);
    }
}

void frmPrint::UpdatePrintSelection() {
    if (Updating) return;
    for (int i = 0; i < 7; ++i) SectionSwitch(m_, i) = chkPrint[i]->isChecked() ? 1 : 0;
}

void frmPrint::txtMargin_LostFocus(int index) {
    QLineEdit* box = txtMargin[static_cast<size_t>(index)];
    const double x = Val(FromQString(box->text()));
    const std::string text = x < 5 ? "5" : x > 50 ? "50" : GeneralNumber(static_cast<float>(x));
    box->setText(QString::fromStdString(text));
    marginText_[static_cast<size_t>(index)] = box->text();
    LastFocusCode = index;
}

void frmPrint::cmdFooter_Click(int index) {
    static const char* const tokens[6] = {"", "&Date", "&Time", "&File", "&Page", "&NPages"};
    const int code = LastFocusCode;
    if (code >= 5 && code <= 7) {
        FooterBox* box = txtFooter[static_cast<size_t>(code - 4)];
        box->setFocus();
        box->TypeText(tokens[index]);
    } else if (QWidget* control = ControlOfCode(code)) {
        control->setFocus();
    }
}

void frmPrint::Combo3_Click() {
    if (Updating) return;
    SetSample(Combo3->currentText());
}

void frmPrint::SetSample(const QString& family) {
    QFont font(family);
    font.setPointSizeF(16);
    font.setBold(false);
    font.setItalic(false);
    lblSample->setFont(font);
}

void frmPrint::Command2_Click() {
    UpdatePrintSelection();
    m_.PrintConfirmed = True;
    accept();
}

void frmPrint::Command3_Click() { reject(); }

void frmPrint::FillPaperSizeNames() {
    PaperSizeNames.fill("");
    for (const auto& [code, name] : PaperSizeTable()) PaperSizeNames[static_cast<size_t>(code)] = name;
}

bool frmPrint::TrySetPaperSize(int code) {
    CurrentPrinter& printer = CurrentPrinter::Get();
    if (printer.PaperSize() != code && !printer.SetPaperSize(code)) return false;
    return (code >= 1 && code <= 41) || code >= UserDefinedPaper;
}

void frmPrint::SelectPrinterPaper() { Combo2->setCurrentIndex(PaperIndex(CurrentPrinter::Get().PaperSize())); }

void frmPrint::Combo1_Click() {
    if (Updating || Combo1->currentIndex() < 0) return;
    CurrentPrinter& printer = CurrentPrinter::Get();
    printer.TrackDefault = false;
    printer.Select(Combo1->currentText().toStdString());
    SelectPrinterPaper();
}

void frmPrint::Combo2_Click() {
    if (Updating || Combo2->currentIndex() < 0) return;
    CurrentPrinter& printer = CurrentPrinter::Get();
    printer.TrackDefault = false;
    if (Combo2->currentIndex() == UserDefinedIndex) {
        // a printer that cannot take a paper of its own size says so
        if (!printer.SetPaperSize(UserDefinedPaper)) OneBoxPerError::Unfiltered(PaperNotSupported, vbExclamation, ProductName);
    } else if (!TrySetPaperSize(Combo2->currentIndex() + 1)) {
        OneBoxPerError::Unfiltered(PaperNotSupported, vbExclamation, ProductName);
    }
    SelectPrinterPaper();
}

void frmPrint::Command1_Click() {
    CurrentPrinter& printer = CurrentPrinter::Get();
    try {
        PrinterSetupRequest request;
        request.PrinterName = printer.DeviceName();
        request.DriverName = printer.DriverName();
        request.Port = printer.Port();
        request.Flags = 576;
        request.PaperSize = Combo2->currentIndex() == UserDefinedIndex ? UserDefinedPaper : Combo2->currentIndex() + 1;
        printer.TrackDefault = true;
        const std::optional<PrinterSetupAnswer> answer = ShowPrinterSetup(this, request);
        if (!answer) RaiseError(CancelError, "Cancel was selected.");
        printer.TrackDefault = false;

        const std::vector<std::string> printers = PrinterDeviceNames();
        for (const std::string& name : printers) {
            if (name == answer->PrinterName) {
                printer.Select(name);
                break;
            }
        }
        printer.TrackDefault = false;
        if (TrySetPaperSize(answer->PaperSize)) printer.SetPaperSize(answer->PaperSize);
        for (size_t i = 0; i < printers.size(); ++i)
            if (printers[i] == printer.DeviceName()) Combo1->setCurrentIndex(static_cast<int>(i));
        if (answer->PaperSize == UserDefinedPaper) Combo2->setCurrentIndex(UserDefinedIndex);
        else if (TrySetPaperSize(answer->PaperSize)) Combo2->setCurrentIndex(answer->PaperSize - 1);
        else OneBoxPerError::Unfiltered(PaperNotSupported, vbExclamation, ProductName);
    } catch (const RuntimeError& e) {
        if (e.Number != CancelError) OneBoxPerError::Unfiltered("Printer: " + e.Description, vbExclamation, ProductName);
    }
}

}  // namespace brindlemar

#pragma once
// The print dialog: which sections the report holds, printer and paper,
// margins, report font and the three footer texts with their tokens, and
// the page count of the chosen sections.

#include <QDialog>
#include <QTextEdit>
#include <array>
#include <string>

#include "model/Model.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace brindlemar {

// A footer box: several lines, at most 50 characters, typed or pasted.
class FooterBox : public QTextEdit {
    Q_OBJECT
public:
    static constexpr int MaxLength = 50;
    explicit FooterBox(QWidget* parent);
    // Types `text` at the caret as far as the limit lets it.
    void TypeText(const QString& text);
    QString Text() const { return toPlainText(); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
};

class frmPrint : public QDialog {
    Q_OBJECT
public:
    explicit frmPrint(Model& m, QWidget* owner = nullptr);

    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void chkPrint_Click(int index);
    void Command4_Click();
    void UpdatePrintSelection();
    void txtMargin_LostFocus(int index);
    void cmdFooter_Click(int index);
    void Combo3_Click();
    void Command2_Click();
    void Command3_Click();
    // printer and paper
    void FillPaperSizeNames();
    bool TrySetPaperSize(int code);
    void Combo1_Click();
    void Combo2_Click();
    void Command1_Click();

    bool Updating = false;
    int LastFocusCode = 0;
    std::array<std::string, 257> PaperSizeNames{};

    std::array<QCheckBox*, 7> chkPrint{};
    QPushButton *Command4 = nullptr, *Command1 = nullptr, *Command2 = nullptr, *Command3 = nullptr;
    QLabel* Label10 = nullptr;
    QComboBox *Combo1 = nullptr, *Combo2 = nullptr, *Combo3 = nullptr, *Combo4 = nullptr;
    QLabel *Label3 = nullptr, *Label4 = nullptr;
    std::array<QLabel*, 5> Label5{};        // 1 to 4
    std::array<QLineEdit*, 5> txtMargin{};  // 1 to 4
    QWidget* Picture2 = nullptr;
    QLabel* lblSample = nullptr;
    std::array<QLabel*, 4> Label9{};        // 1 to 3
    std::array<FooterBox*, 4> txtFooter{};  // 1 to 3
    std::array<QPushButton*, 6> cmdFooter{};  // 1 to 5

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    int ComputePageCount();
    void ShowPageCount(int pages);
    void SelectPrinterPaper();
    void SetSample(const QString& family);
    QWidget* ControlOfCode(int code) const;

    Model& m_;
    std::array<QString, 5> marginText_{};  // last accepted text of each margin box
};

}  // namespace brindlemar

#pragma once
// The soil-pressure calculator: twelve soil and wall inputs, taken from the
// wall model when the dialog opens, and the coefficients, pressures, forces
// and resultant depths of the five cases. Every accepted edit recomputes;
// the wall model is never written. Print puts the inputs and results on
// one page.

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <array>
#include <functional>
#include <memory>

#include "calculator/SoilPressure.h"
#include "model/Model.h"

class QFrame;
class QPrinter;
class QPushButton;

namespace brindlemar {

class frmCalculator : public QDialog {
    Q_OBJECT
public:
    frmCalculator(Model& m, QWidget* parent = nullptr);
    ~frmCalculator() override;

    void Form_Load();
    void SetUnitLabels();
    void LoadInputsFromWallModel();
    void CalcSoilPressures();
    void txtValue_Change(int index);
    void txtValue_KeyPress(int index, int& keyAscii);
    void txtValue_LostFocus(int index);
    void Command1_Click();
    void Command2_Click();
    void PrintCalculatorReport();

    // Where Print sends the page: the program's current printer (the one
    // chosen in the print dialog, else the system's default) unless replaced
    // (a test prints to a PDF file this way).
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
    static PrinterSource& Printer();

    SoilPressureInputs Inputs;
    SoilPressureResults Results;
    // True from any change of a box's text until an edit is accepted and computed
    bool InputChanged = false;
    // Takes a box whose text is not what it was last given: what the boxes
    // show is what is computed and printed. False when its text is refused.
    bool AcceptEditedInputs();

    // controls, named as the program names them
    QFrame* pctSoil = nullptr;
    std::array<QLabel*, CalculatorInputCount> lblInput{};
    std::array<QLineEdit*, CalculatorInputCount> txtValue{};
    std::array<QLabel*, CalculatorInputCount> lblUnit{};
    std::array<QLabel*, 10> lblResultA1{}, lblResultA2{}, lblResultP1{}, lblResultP2{}, lblResultR{};
    std::array<QLabel*, 10> lblUnitResultB{};
    std::array<QLabel*, 4> lblResult{};
    std::array<QLabel*, 4> lblUnitResult{};
    QLabel* lblHelp = nullptr;
    QPushButton* Command1 = nullptr;  // Close
    QPushButton* Command2 = nullptr;  // Print

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void CreateControls();
    void ShowResults();
    // no results while a refused entry stands in a box
    void ClearResults();
    void FocusChanged(QWidget* old, QWidget* now);
    void ShowInput(int index, float value);
    // the text each box was last given; a box still showing it keeps its exact value
    std::array<QString, CalculatorInputCount> shownText_;
    // the text last refused in each box, told once
    std::array<QString, CalculatorInputCount> refusedText_;
    QWidget* receivingFocus_ = nullptr;  // the control the focus is moving to
    bool refocusing_ = false;            // giving the focus back to a refused box
    Model& m_;
};

}  // namespace brindlemar

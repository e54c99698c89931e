#pragma once
// The main window: tool bar, command buttons, project title, the drawing of
// the wall with the status panel below it, and the selectors of units, views,
// options and load combinations on the right.

#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "drawing/TextPlacement.h"
#include "drawing/WallView.h"
#include "forms/DimensionEdit.h"
#include "model/Model.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace brindlemar {

class ImageSurface;
class frmEdit;
class Panel3D;

// A tool-bar picture: reports presses, moves and clicks to the window.
class ToolImage : public QLabel {
    Q_OBJECT
public:
    ToolImage(int index, QWidget* parent);
    int Index() const { return index_; }
signals:
    void MouseDown(int index);
    void MouseMove(int index);
    void Clicked(int index);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int index_;
    bool pressed_ = false;
};

// Where a dimension label's dimension runs, in twips of the picture: along
// its line (x of a horizontal one, y of a vertical one) from one end to the
// other, and the line's own place across.
struct DimensionSpan {
    bool Vertical = false;
    double From = 0, To = 0, Line = 0;
};

// The drawing area: shows the picture that the drawing routines paint.
class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent);
    QImage Image;

protected:
    void paintEvent(QPaintEvent* event) override;
};

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Model& m, QWidget* parent = nullptr);
    ~Form1() override;

    Model& model() { return m_; }

    // start-up and shutdown
    void Form_Load(const std::vector<std::string>& arguments);
    void Form_Unload(int& Cancel);

    // frame
    void Form_Resize();
    void RefreshControlsFromModel();
    void ResetToolButtons();
    void imgTool_Click(int index);
    void imgTool_MouseDown(int index);
    void imgTool_MouseMove(int index);
    void Text1_Change();
    void mnuFileExit_Click();
    void mnuFileSave_Click();
    void mnuHelpRet_Click();
    void mnuAbout_Click();
    void mnuCalculateCalcu_Click();

    // selectors
    void Check1_Click();
    void Check2_Click();
    void Check3_Click();
    void Combo1a_Click();
    void Combo2_Click();
    void Combo3_Click();
    // The lists of sets and of the set's combinations as the model has them;
    // they draw nothing: the caller redraws with RedrawAfterListing.
    void FillCombinationSetCombo();
    void FillCombinationCombo();
    void RedrawAfterListing();
    void optLoad_Click(int index);
    void ShowLoadOption();
    void optView_Click(int index);
    void SelectViewFromMenu(int index);

    // the picture and the status panel
    void RedrawView();
    // pictures drawn since the window was made: what a command costs
    int RedrawCount() const { return redrawCount_; }

    // dimension labels and the number-entry pop-up
    void UpdateDimensionLabels();
    // The widest labels of the vertical dimensions, with their captions set,
    // for the lines to stand clear of them.
    DimensionTextWidths DimensionLabelWidths();
    void PlaceHorizontalDimLabel(double x1, double x2, double yDim, const std::string& caption, int index, int mode);
    void PlaceVerticalDimLabel(double y1, double y2, double xDim, const std::string& caption, int index,
                               std::optional<double> level = std::nullopt);
    // Moves a label clear of those placed before it; one moved off its line
    // gets a leader to the line's middle (x, y), drawn with the picture. A
    // height's label stays within `reach` of that middle, up or down.
    void MoveLabelClear(QLabel* label, TextBox box, bool vertical, AwayFrom way, double x, double y, double reach = 0);
    void lblDim_Click(int index);
    frmEdit& EditForm();  // created on first use
    // what each label stands for, and the leaders drawn to the labels moved off their lines, at the last placing
    const std::array<std::optional<DimensionSpan>, DimensionLabelCount>& DimensionSpans() const { return spans_; }
    const std::vector<Leader>& LabelLeaders() const { return labelLeaders_; }

    // file commands
    void mnuFileNew_Click();
    void mnuFileOpen_Click();
    void mnuFileSaveAs_Click();
    void mnuFileList_Click(int index);
    void OpenProjectFile(const std::string& path);
    void AddRecentFile(const std::string& path);

    // printing
    void mnuFilePrint_Click();
    void mnuFilePageSetup_Click();
    void mnuFilePrinterSetup_Click();

    // the loads-and-resistances dialog
    void Command3_Click();

    // the material-properties and sliding-restraints dialogs
    void Command2_Click();
    void Command6_Click();

    // stability results and reinforcement design
    void Command4_Click();
    void Command5_Click();

    // True while the program itself writes the controls: handlers then leave
    // the modified flag alone
    bool Updating = false;

    // controls, named as the program names them
    Panel3D* Panel3D4 = nullptr;
    std::array<Panel3D*, 11> ToolPanel{};
    std::array<ToolImage*, 11> imgTool{};
    QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command6 = nullptr, *Command4 = nullptr,
                *Command5 = nullptr;
    Panel3D* Panel3D2 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text1 = nullptr;
    Panel3D* Panel3D1 = nullptr;
    PictureBox* Picture1 = nullptr;
    std::array<QLabel*, 20> lblDim{};
    QLabel* lblSlope = nullptr;
    Panel3D* Panel3D3 = nullptr;
    QWidget* Picture4 = nullptr;
    QLabel* Label5 = nullptr;
    std::array<QLabel*, 6> Label6{};
    QLabel* Label1 = nullptr;
    QComboBox* Combo1a = nullptr;
    QFrame *Line1 = nullptr, *Line2 = nullptr, *Line3 = nullptr;
    QLabel *Label2 = nullptr, *Label9 = nullptr, *Label7 = nullptr, *Label8 = nullptr;
    std::array<QRadioButton*, 14> optView{};
    QCheckBox *Check1 = nullptr, *Check2 = nullptr, *Check3 = nullptr;
    QWidget* Picture3 = nullptr;
    QScrollArea* ColumnArea = nullptr;  // holds the column from Label1 down to Picture3
    QLabel *Label10 = nullptr, *Label11 = nullptr, *Label12 = nullptr;
    std::array<QRadioButton*, 2> optLoad{};
    QComboBox *Combo2 = nullptr, *Combo3 = nullptr;

    // menus
    QAction *mnuFileNew = nullptr, *mnuFileOpen = nullptr, *mnuFileSave = nullptr, *mnuFileSaveAs = nullptr,
            *mnuFilePageSetup = nullptr, *mnuFilePrint = nullptr, *mnuFilePrinterSetup = nullptr,
            *mnuFileExit = nullptr, *mnuFileX3 = nullptr;
    std::array<QAction*, 5> mnuFileList{};  // 1 to 4
    QAction *mnuEditProperties = nullptr, *mnuEditLoads = nullptr, *mnuEditRestraint = nullptr;
    std::array<QAction*, 14> mnuViewItems{};  // by view index
    QAction *mnuCalculateStability = nullptr, *mnuCalculateConcrete = nullptr, *mnuCalculateCalcu = nullptr;
    QAction *mnuUnitMetric = nullptr, *mnuUnitSI = nullptr, *mnuUnitBritish = nullptr;
    QAction *mnuOptionWater = nullptr, *mnuOptionSeismic = nullptr, *mnuOptionKey = nullptr;
    QAction *mnuHelpRet = nullptr, *mnuAbout = nullptr;

    // the smallest window, in pixels, that holds every control
    QSize MinimumWindowSize() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    // The controls whose type is the desktop's a size larger or smaller.
    void SizeFonts();
    void CreateMenus();
    void CreateToolBar();
    void ConnectHandlers();
    void ShowStatus();
    // the option boxes and menu items as the model has them, set without their handlers
    void ShowOptions();
    // the view flags and menu checks of view `index`, without a redraw
    void SetViewFlags(int index);
    // the view whose flag is set, by the selector's index; -1 for none
    int ViewShown() const;
    // the unit list and menu as the model has them, set without the list's handler
    void ShowUnit();
    // view `index` selected from the model: its button, flags and menu check, without a redraw
    void ShowView(int index);
    void LayoutStatusLine();
    // layout measures, twips
    double RowPitch() const;
    double ColumnWidth() const;
    double ButtonRowWidth() const;
    double CommonButtonWidth() const;
    double TitleHeight() const;
    double ButtonHeight() const;
    double StatusHeight(double panelWidth) const;
    int StatusLines(int pictureWidth) const;
    // places the right-hand column in its scroll area (or only measures it) and returns its height
    double PlaceColumn(bool apply);
    // the share of the column's spacing that keeps it within `room` pixels, 1 where it fits as designed
    double ColumnGapsWithin(int room);
    int ScrollBarWidth() const;  // pixels
    void SetUnitMenuChecks();
    void ConnectDimensionLabels();
    void PlaceEditForm(frmEdit& popUp, int index);
    void ConnectFileCommands();
    void ConnectPrintCommands();
    void ConnectDesignCommands();
    // "<name> is not saved.  Do you want to save it now?"; the button pressed
    int AskToSave() const;
    bool SavePrompt();  // false when the command is to end
    // Another program or window may have saved the project file since this
    // wall was read or saved: replacing that is the user's call. True when
    // the file is as this wall left it, or the user says to replace it.
    bool MayReplaceProjectFile(const FileStamp& found) const;
    // Save of a named project: SaveSucceeded tells whether it happened.
    void SaveUnderProjectName();
    bool ReadProject(const std::string& path);
    void SetProjectCaption(const std::string& path);
    void RebuildRecentFileMenu();
    int Px(double twips) const;
    double Twips(int pixels) const;

    Model& m_;
    double tpp_ = 15;          // twips per pixel
    double laidOutColumn_ = 0;  // width of the right-hand column at the last layout, twips
    double columnGaps_ = 1;     // the share of its designed spacing the column is laid out with
    TextBoxes* placedLabels_ = nullptr;      // the dimension labels placed so far while all are placed
    std::vector<Leader> labelLeaders_;       // from the labels moved off their lines, at the last placing
    std::array<std::optional<DimensionSpan>, DimensionLabelCount> spans_;  // by label, at the last placing
    std::unique_ptr<ImageSurface> surface_;  // the picture the views are drawn on
    std::array<QString, 6> statusPieces_;    // the six status texts, before the line is wrapped
    frmEdit* editForm_ = nullptr;
    int redrawCount_ = 0;
    bool exposed_ = false;  // the window system has shown the window
};

}  // namespace brindlemar

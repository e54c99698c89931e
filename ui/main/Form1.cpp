#include "ui/main/Form1.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QWindow>
#include <algorithm>

#include "ui/calculator/frmCalculator.h"
#include "platform/ControlNames.h"
#include "platform/ImageSurface.h"
#include "platform/NameLists.h"
#include "platform/Panel3D.h"
#include "platform/QtText.h"
#include "platform/ScreenFit.h"
#include "platform/Shell.h"
#include "platform/Twips.h"
#include "platform/VectorRegisters.h"
#include "runtime/ErrorTrap.h"
#include "runtime/Text.h"
#include "ui/main/StatusLine.h"
#include "ui/main/ToolIcons.h"
#include "ui/main/frmAbout.h"

namespace brindlemar {

namespace {

struct ToolButtonText {
    const char* ToolTip;
};
const ToolButtonText ToolTips[11] = {
    {"Create a new wall"},        {"Open a saved wall"},          {"Save current wall"},
    {"Print reports"},            {"Change material properties"}, {"Edit loads and resistances"},
    {"Add or remove sliding restraints"}, {"Calculate stabilities"}, {"Reinforcement design"},
    {"Soil pressure calculator"}, {"Help"},
};

const char* const ViewCaptions[14] = {"Dimensions", "Dead",        "Live",  "Soil",   "Water",
                                      "Structural", "Impact",      "Seismic", "Reactions", "Resistances",
                                      "Loads",      "Moment",      "Shear", "Normal"};

// Tool-bar geometry, twips: the panels of the buttons, the picture inside
// them (moved by 15 when pressed) and the gap that holds a separator.
constexpr double ToolBarHeight = 420;
constexpr double ColumnTop = 435;  // the command buttons and the right-hand column start below the tool bar
// The least picture in which the loads view keeps its values apart, pixels at 96 dots per inch: what a
// window of 1000 x 700 leaves it in the usual desktop font.
constexpr QSize ReadablePicture(784, 550);
constexpr double ToolPanelSize = 390;
constexpr double ToolImageOffset = 30;
constexpr double ToolImagePressedOffset = 45;
constexpr double ToolGroupGap = 120;
// The commands before which the tool bar puts a separator.
bool SeparatorBefore(int index) { return index == 3 || index == 4 || index == 7 || index == 10; }

QFrame* MakeLine(QWidget* parent, const char* name, QFrame::Shape shape) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(shape);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

ToolImage::ToolImage(int index, QWidget* parent) : QLabel(parent), index_(index) {
    setMouseTracking(true);
    setObjectName(QString("imgTool_%1").arg(index));
}

void ToolImage::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    emit MouseDown(index_);
}

void ToolImage::mouseMoveEvent(QMouseEvent*) { emit MouseMove(index_); }

void ToolImage::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click) emit Clicked(index_);
}

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!Image.isNull()) painter.drawImage(0, 0, Image);
    painter.end();
    ClearUpperVectorRegisters();
}

Form1::Form1(Model& m, QWidget* parent) : QMainWindow(parent), m_(m) {
    setObjectName("Form1");
    setWindowTitle("Brindlemar");
    tpp_ = ScreenTwipsPerPixel();
    CreateMenus();
    CreateControls();
    CreateToolBar();
    ConnectHandlers();
    ConnectDimensionLabels();
    ConnectFileCommands();
    ConnectPrintCommands();
    ConnectDesignCommands();
    setMinimumSize(MinimumWindowSize());
}

Form1::~Form1() = default;

int Form1::Px(double twips) const { return TwipsToPixels(twips, tpp_); }
double Form1::Twips(int pixels) const { return PixelsToTwips(pixels, tpp_); }

void Form1::CreateMenus() {
    QMenuBar* bar = menuBar();
    const auto menu = [&](QMenu* parentMenu, const char* name, const char* caption) {
        QMenu* sub = parentMenu != nullptr ? parentMenu->addMenu(caption) : bar->addMenu(caption);
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(QString(name) + "Item");
        return sub;
    };
    const auto item = [&](QMenu* owner, const char* name, const char* caption, bool checkable = false) {
        auto* action = new QAction(caption, this);
        action->setObjectName(name);
        action->setCheckable(checkable);
        owner->addAction(action);
        return action;
    };
    const auto separator = [&](QMenu* owner, const char* name) {
        QAction* action = owner->addSeparator();
        action->setObjectName(name);
        return action;
    };

    QMenu* file = menu(nullptr, "mnuFile", "&File");
    mnuFileNew = item(file, "mnuFileNew", "&New");
    mnuFileOpen = item(file, "mnuFileOpen", "&Open");
    mnuFileSave = item(file, "mnuFileSave", "&Save");
    mnuFileSaveAs = item(file, "mnuFileSaveAs", "Sa&ve as");
    separator(file, "mnuFileX1");
    mnuFilePageSetup = item(file, "mnuFilePageSetup", "Pa&ge Setup");
    mnuFilePrint = item(file, "mnuFilePrint", "&Print");
    mnuFilePrinterSetup = item(file, "mnuFilePrinterSetup", "P&rinter setup");
    separator(file, "mnuFileX2");
    mnuFileExit = item(file, "mnuFileExit", "E&xit");
    mnuFileX3 = separator(file, "mnuFileX3");
    for (int i = 1; i <= 4; ++i) {
        mnuFileList[i] = item(file, "", "");
        mnuFileList[i]->setObjectName(QString("mnuFileList_%1").arg(i));
        mnuFileList[i]->setVisible(false);
    }
    mnuFileX3->setVisible(false);

    QMenu* edit = menu(nullptr, "mnuEdit", "&Edit");
    mnuEditProperties = item(edit, "mnuEditProperties", "&Properties");
    mnuEditLoads = item(edit, "mnuEditLoads", "&Loads and resistances");
    mnuEditRestraint = item(edit, "mnuEditRestraint", "&Restraints");

    QMenu* view = menu(nullptr, "mnuView", "&View");
    mnuViewItems[0] = item(view, "mnuViewDimensions", "&Dimensions", true);
    separator(view, "mnuViewX1");
    mnuViewItems[1] = item(view, "mnuViewDead", "&Dead loads", true);
    mnuViewItems[2] = item(view, "mnuViewLive", "&Live loads", true);
    mnuViewItems[3] = item(view, "mnuViewSoil", "&Soil pressure", true);
    mnuViewItems[4] = item(view, "mnuViewWater", "&Water pressure", true);
    mnuViewItems[5] = item(view, "mnuViewEquip", "S&tructural loads", true);
    mnuViewItems[6] = item(view, "mnuViewImpact", "&Impact loads", true);
    mnuViewItems[7] = item(view, "mnuViewSeismic", "S&eismic loads", true);
    mnuViewItems[10] = item(view, "mnuViewLoads", "&Loads", true);
    separator(view, "mnuViewX2");
    mnuViewItems[8] = item(view, "mnuViewReaction", "&Reactions", true);
    mnuViewItems[9] = item(view, "mnuViewRestraint", "Resis&tances", true);
    QMenu* diagram = menu(view, "mnuViewDiagram", "&Force diagrams");
    mnuViewItems[11] = item(diagram, "mnuViewDiagramMoment", "&Moment", true);
    mnuViewItems[12] = item(diagram, "mnuViewDiagramShear", "&Shear", true);
    mnuViewItems[13] = item(diagram, "mnuViewDiagramNormal", "&Normal", true);

    QMenu* calculate = menu(nullptr, "mnuCalculate", "&Calculate");
    mnuCalculateStability = item(calculate, "mnuCalculateStability", "&Stabilities");
    mnuCalculateConcrete = item(calculate, "mnuCalculateConcrete", "&Reinforcement design");
    separator(calculate, "mnuCalculateX1");
    mnuCalculateCalcu = item(calculate, "mnuCalculateCalcu", "Soil pressure ca&lculator");

    QMenu* options = menu(nullptr, "mnuOptionS", "&Options");
    QMenu* unit = menu(options, "mnuOptionsUnit", "&Unit");
    mnuUnitMetric = item(unit, "mnuUnitMetric", "&Metric", true);
    mnuUnitSI = item(unit, "mnuUnitSI", "&SI", true);
    mnuUnitBritish = item(unit, "mnuUnitBritish", "&British", true);
    separator(options, "mnuOptionX1");
    mnuOptionWater = item(options, "mnuOptionWater", "&Water", true);
    mnuOptionSeismic = item(options, "mnuOptionSeismic", "&Seismic", true);
    mnuOptionKey = item(options, "mnuOptionKey", "S&hear key", true);

    QMenu* help = menu(nullptr, "mnuHelp", "&Help");
    mnuHelpRet = item(help, "mnuHelpRet", "&Brindlemar help");
    // F1 opens the help here as in the dialogs
    mnuHelpRet->setShortcut(QKeySequence(Qt::Key_F1));
    separator(help, "mnuHelpX1");
    mnuAbout = item(help, "mnuAbout", "&About");
}

void Form1::CreateControls() {
    auto* form = Named(new QWidget(this), "FormClient");
    form->setMouseTracking(true);
    setCentralWidget(form);

    Command2 = Named(new QPushButton("Properties", form), "Command2");
    Command3 = Named(new QPushButton("Loads and Resistances", form), "Command3");
    Command6 = Named(new QPushButton("Restraints", form), "Command6");
    Command4 = Named(new QPushButton("Stabilities", form), "Command4");
    Command5 = Named(new QPushButton("Reinforcement", form), "Command5");
    // each button stands for a menu command and is available when it is
    const std::pair<QPushButton*, QAction*> forwards[] = {{Command2, mnuEditProperties},
                                                          {Command3, mnuEditLoads},
                                                          {Command6, mnuEditRestraint},
                                                          {Command4, mnuCalculateStability},
                                                          {Command5, mnuCalculateConcrete}};
    for (const auto& [button, action] : forwards) {
        button->setEnabled(action->isEnabled());
        QAction* a = action;
        QPushButton* b = button;
        connect(a, &QAction::changed, b, [a, b] { b->setEnabled(a->isEnabled()); });
        connect(b, &QPushButton::clicked, a, &QAction::trigger);
    }

    Panel3D2 = Named(new Panel3D(form, Panel3D::Raised), "Panel3D2");
    Label4 = Named(new QLabel("Title:", Panel3D2), "Label4");
    Text1 = Named(new QLineEdit(Panel3D2), "Text1");

    Panel3D1 = Named(new Panel3D(form, Panel3D::Inset), "Panel3D1");
    Picture1 = Named(new PictureBox(Panel3D1), "Picture1");
    // A dimension text stands where the drawing puts it, and that place may
    // lie on a water line, an extension line or the ground: the label masks
    // what lies under it with the paper's white, so that it reads.
    auto onPaper = [](QLabel* label) {
        label->setAutoFillBackground(true);
        QPalette palette = label->palette();
        palette.setColor(QPalette::Window, Qt::white);
        label->setPalette(palette);
        label->hide();
    };
    for (int i = 0; i < 20; ++i) {
        lblDim[i] = Named(new QLabel("12.34", Picture1), QString("lblDim_%1").arg(i));
        lblDim[i]->setToolTip("Click to change");
        lblDim[i]->setCursor(Qt::PointingHandCursor);
        onPaper(lblDim[i]);
    }
    lblSlope = Named(new QLabel("1 : ", Picture1), "lblSlope");
    onPaper(lblSlope);

    Panel3D3 = Named(new Panel3D(form, Panel3D::Raised), "Panel3D3");
    Label5 = Named(new QLabel("NOT STABLE", Panel3D3), "Label5");
    Label5->setText("");
    MakeLine(Panel3D3, "Line4", QFrame::VLine);
    SizeFonts();
    Picture4 = Named(new QWidget(Panel3D3), "Picture4");
    for (int i = 0; i < 6; ++i) Label6[i] = Named(new QLabel(Picture4), QString("Label6_%1").arg(i));

    // The selectors stand in a column of their own, which scrolls where a large
    // desktop font makes it taller than the screen has room for; the drawing
    // and the status panel beside it stay in sight.
    ColumnArea = Named(new QScrollArea(form), "ColumnArea");
    ColumnArea->setFrameShape(QFrame::NoFrame);
    ColumnArea->setFocusPolicy(Qt::NoFocus);
    ColumnArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* column = Named(new QWidget, "Column");
    ColumnArea->setWidget(column);

    Label1 = Named(new QLabel("Unit", column), "Label1");
    Combo1a = Named(new QComboBox(column), "Combo1a");
    Line1 = MakeLine(column, "Line1", QFrame::HLine);

    Label2 = Named(new QLabel("View", column), "Label2");
    for (int i = 0; i < 14; ++i) optView[i] = Named(new QRadioButton(ViewCaptions[i], column), QString("optView_%1").arg(i));
    // the Tab key walks the view buttons in the order they stand, Loads second
    QWidget* previous = optView[0];
    for (int i : {10, 8, 9, 11, 12, 13}) {
        setTabOrder(previous, optView[i]);
        previous = optView[i];
    }
    Label9 = Named(new QLabel("Force diagrams:", column), "Label9");
    Line2 = MakeLine(column, "Line2", QFrame::HLine);

    Label7 = Named(new QLabel("Options", column), "Label7");
    Check1 = Named(new QCheckBox("Water", column), "Check1");
    Check2 = Named(new QCheckBox("Seismic", column), "Check2");
    Label8 = Named(new QLabel("0.15g", column), "Label8");
    Label8->hide();  // shown with the seismic option
    Check3 = Named(new QCheckBox("Shear key", column), "Check3");
    Line3 = MakeLine(column, "Line3", QFrame::HLine);

    Picture3 = Named(new QWidget(column), "Picture3");
    Label10 = Named(new QLabel("Loads and Resistances", Picture3), "Label10");
    optLoad[0] = Named(new QRadioButton("ASD", Picture3), "optLoad_0");
    optLoad[1] = Named(new QRadioButton("LRFD", Picture3), "optLoad_1");
    // A group of their own: Qt otherwise counts them among the view buttons,
    // whose focus takes the Tab stop from every other option button of the
    // window, and while neither is chosen the keyboard could not reach them.
    auto* loadOptions = new QButtonGroup(Picture3);
    for (QRadioButton* option : optLoad) loadOptions->addButton(option);
    Label11 = Named(new QLabel("Combinations set:", Picture3), "Label11");
    Combo2 = Named(new QComboBox(Picture3), "Combo2");
    Label12 = Named(new QLabel("Load combinations:", Picture3), "Label12");
    Combo3 = Named(new QComboBox(Picture3), "Combo3");
    for (QComboBox* combo : {Combo1a, Combo2, Combo3}) combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo2->setMinimumContentsLength(8);
    Combo3->setMinimumContentsLength(8);
    ShowNamesWhole(Combo2);
    ShowNamesWhole(Combo3);

    for (QLabel* heading : {Label1, Label2, Label7, Label10}) {
        QFont bold = heading->font();
        bold.setBold(true);
        heading->setFont(bold);
    }

    // a mouse move over these returns a raised or pressed tool button to normal
    for (QWidget* w : std::initializer_list<QWidget*>{form, Label4, Panel3D1, Panel3D2, Picture1, Text1}) {
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
}

void Form1::CreateToolBar() {
    Panel3D4 = Named(new Panel3D(centralWidget(), Panel3D::Raised), "Panel3D4");
    Panel3D4->setMouseTracking(true);
    Panel3D4->installEventFilter(this);
    const QAction* commands[11] = {mnuFileNew, mnuFileOpen, mnuFileSave, mnuFilePrint, mnuEditProperties,
                                   mnuEditLoads, mnuEditRestraint, mnuCalculateStability, mnuCalculateConcrete,
                                   mnuCalculateCalcu, mnuHelpRet};
    const int imageSize = Px(ToolPanelSize - 2 * ToolImageOffset);
    double x = 60;
    int separator = 0;
    for (int i = 0; i < 11; ++i) {
        if (SeparatorBefore(i)) {
            QFrame* line = MakeLine(Panel3D4, "", QFrame::VLine);
            line->setObjectName(QString("lnTool_%1").arg(separator++));
            line->setGeometry(Px(x + ToolGroupGap / 2) - 1, Px(60), 2, Px(ToolBarHeight - 120));
            x += ToolGroupGap;
        }
        ToolPanel[i] = Named(new Panel3D(Panel3D4, Panel3D::None), QString("ToolPanel_%1").arg(i));
        ToolPanel[i]->setGeometry(Px(x), Px((ToolBarHeight - ToolPanelSize) / 2), Px(ToolPanelSize), Px(ToolPanelSize));
        imgTool[i] = new ToolImage(i, ToolPanel[i]);
        imgTool[i]->setPixmap(ToolIcon(i, imageSize));
        imgTool[i]->setGeometry(Px(ToolImageOffset), Px(ToolImageOffset), imageSize, imageSize);
        imgTool[i]->setToolTip(ToolTips[i].ToolTip);
        imgTool[i]->setEnabled(commands[i]->isEnabled());
        ToolImage* image = imgTool[i];
        connect(commands[i], &QAction::changed, image, [image, a = commands[i]] { image->setEnabled(a->isEnabled()); });
        connect(image, &ToolImage::MouseDown, this, &Form1::imgTool_MouseDown);
        connect(image, &ToolImage::MouseMove, this, &Form1::imgTool_MouseMove);
        connect(image, &ToolImage::Clicked, this, &Form1::imgTool_Click);
        x += ToolPanelSize;
    }
}

void Form1::ConnectHandlers() {
    // the menu items that mark a choice take their check marks from the
    // handlers, not from the click
    const auto menuCommand = [this](QAction* action, auto handler) {
        connect(action, &QAction::triggered, this, [action, handler] {
            if (action->isCheckable()) action->setChecked(!action->isChecked());
            handler();
        });
    };
    menuCommand(mnuFileExit, [this] { mnuFileExit_Click(); });
    menuCommand(mnuHelpRet, [this] { mnuHelpRet_Click(); });
    menuCommand(mnuAbout, [this] { mnuAbout_Click(); });
    menuCommand(mnuEditProperties, [this] { Command2_Click(); });
    menuCommand(mnuEditRestraint, [this] { Command6_Click(); });
    menuCommand(mnuEditLoads, [this] { Command3_Click(); });
    menuCommand(mnuCalculateCalcu, [this] { mnuCalculateCalcu_Click(); });

    menuCommand(mnuOptionWater, [this] { Check1->setChecked(!Check1->isChecked()); });
    menuCommand(mnuOptionSeismic, [this] { Check2->setChecked(!Check2->isChecked()); });
    menuCommand(mnuOptionKey, [this] { Check3->setChecked(!Check3->isChecked()); });
    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });

    const auto unitCommand = [this](int unit) {
        Combo1a->setCurrentIndex(unit);
        Combo1a_Click();
    };
    menuCommand(mnuUnitMetric, [unitCommand] { unitCommand(Metric); });
    menuCommand(mnuUnitSI, [unitCommand] { unitCommand(SI); });
    menuCommand(mnuUnitBritish, [unitCommand] { unitCommand(British); });
    connect(Combo1a, &QComboBox::activated, this, [this] { Combo1a_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    connect(Combo3, &QComboBox::activated, this, [this] { Combo3_Click(); });

    for (int i = 0; i < 2; ++i)
        connect(optLoad[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optLoad_Click(i);
        });
    for (int i = 0; i < 14; ++i) {
        connect(optView[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) optView_Click(i);
        });
        menuCommand(mnuViewItems[i], [this, i] { SelectViewFromMenu(i); });
    }

    connect(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
}

// ---- layout ---------------------------------------------------------------

namespace {

// The longest status line the panel must hold, in its six pieces.
const char* const WidestStatus[6] = {"[Resistance/load ratios:", " bearing = 999.99", ", sliding = 99.99",
                                     ", eccentricity = 999.99", ", rotation = 99.99",
                                     "] [e = -999.99 ft = 0.99 \u00BDB] [100.0%]"};

}  // namespace

double Form1::RowPitch() const { return std::max(240.0, Twips(optView[0]->sizeHint().height())); }

double Form1::ColumnWidth() const {
    // at least its designed width, wider for wide texts
    double column = 1505;
    for (const QWidget* w : std::initializer_list<const QWidget*>{Label10, Label11, Label12, Label9})
        column = std::max(column, Twips(w->sizeHint().width()) + 150);
    // and for the names of the sets and of the combinations of every set, so
    // that choosing another set leaves the column and the picture where they
    // are; within reason: the drawing needs the room more
    double names = 0;
    const QFontMetrics metrics = Combo3->fontMetrics();
    const auto widen = [&](const std::string& name) {
        names = std::max(names, Twips(metrics.horizontalAdvance(ToQString(name))) + 600 + 90);
    };
    const int sets = std::clamp<int>(m_.CombinationSetCount, 0, static_cast<int>(m_.CombinationSets.size()));
    for (int s = 1; s < sets; ++s) {
        const CombinationSet& set = m_.CombinationSets[static_cast<size_t>(s)];
        widen(set.Name);
        const int count = std::clamp<int>(set.CombinationCount, 0, static_cast<int>(set.Combinations.size()));
        for (int i = 0; i < count; ++i) widen(set.Combinations[static_cast<size_t>(i)].Name);
    }
    for (const QComboBox* combo : {Combo2, Combo3})
        for (int i = 0; i < combo->count(); ++i) widen(FromQString(combo->itemText(i)));
    return std::max(column, std::min(names, 3300.0));
}

double Form1::CommonButtonWidth() const {
    double width = 0;
    for (const QPushButton* b : {Command2, Command6, Command4, Command5}) width = std::max(width, Twips(b->sizeHint().width()));
    return width;
}

double Form1::ButtonRowWidth() const {
    return 4 * 30 + 4 * CommonButtonWidth() + std::max(1815.0, Twips(Command3->sizeHint().width()));
}

double Form1::PlaceColumn(bool apply) {
    const double labelLeft = 30;
    const double row = RowPitch();
    const double column = ColumnWidth();
    const double comboHeight = Twips(Combo1a->sizeHint().height());
    const double comboLeft = labelLeft + 30;
    const double comboWidth = column - 110;
    const auto place = [&](QWidget* w, double left, double top, double width = -1) {
        if (!apply) return;
        const QSize hint = w->sizeHint();
        w->setGeometry(Px(left), Px(top), width > 0 ? Px(width) : hint.width(), hint.height());
    };
    // the space between the groups, less of it on a screen too low for the whole column
    const auto gap = [&](double twips) { return twips * columnGaps_; };
    const auto line = [&](QFrame* l, double y) {
        if (apply) l->setGeometry(Px(labelLeft - 30), Px(y) - 1, Px(column + 25), 2);
    };

    // units
    double y = 30;
    place(Label1, labelLeft, y);
    y += row;
    place(Combo1a, comboLeft, y, comboWidth);
    y += comboHeight + gap(std::max(90.0, 390.0 - comboHeight));
    line(Line1, y);

    // views: the load-type views are reached through the View menu only
    y += gap(60);
    place(Label2, labelLeft, y);
    if (apply)
        for (int i = 1; i <= 7; ++i) optView[i]->hide();
    for (int i : {0, 10, 8, 9}) {
        y += row;
        place(optView[i], comboLeft, y);
    }
    y += row;
    place(Label9, comboLeft, y);
    for (int i : {11, 12, 13}) {
        y += row;
        place(optView[i], comboLeft + 120, y);
    }
    y += row + gap(30);
    line(Line2, y);

    // options
    y += gap(60);
    place(Label7, labelLeft, y);
    y += row;
    place(Check1, comboLeft, y);
    y += row;
    place(Check2, comboLeft, y);
    y += row;
    place(Label8, comboLeft + 270, y);
    y += row;
    place(Check3, comboLeft, y);
    y += row + gap(90);
    line(Line3, y);

    // loads frame
    y += gap(60);
    const double frameWidth = column - 30;
    double fy = 0;
    place(Label10, 0, fy);
    fy += row;
    place(optLoad[0], 30, fy);
    place(optLoad[1], 30 + std::max(720.0, Twips(optLoad[0]->sizeHint().width()) + 90), fy);
    fy += row + gap(120);
    place(Label11, 0, fy);
    fy += row;
    place(Combo2, 30, fy, frameWidth - 60);
    fy += comboHeight + gap(60);
    place(Label12, 0, fy);
    fy += row;
    place(Combo3, 30, fy, frameWidth - 60);
    fy += comboHeight + 30;
    if (apply) Picture3->setGeometry(Px(comboLeft - 30), Px(y), Px(frameWidth), Px(fy));
    return y + fy + gap(60);
}

double Form1::ColumnGapsWithin(int room) {
    // a quarter of the spacing is kept, so that the groups still read apart
    constexpr double Least = 0.25;
    const double kept = columnGaps_;
    columnGaps_ = 1;
    const double full = PlaceColumn(false);
    columnGaps_ = Least;
    const double tight = PlaceColumn(false);
    columnGaps_ = kept;
    if (full <= Twips(room)) return 1;
    return std::clamp(Least + (1 - Least) * (Twips(room) - tight) / (full - tight), Least, 1.0);
}

int Form1::ScrollBarWidth() const { return ColumnArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, ColumnArea); }

int Form1::StatusLines(int pictureWidth) const {
    std::array<QString, 6> widest;
    for (int i = 0; i < 6; ++i) widest[i] = QString::fromUtf8(WidestStatus[i]);
    const QFontMetrics metrics = Label6[0]->fontMetrics();
    return WrapStatusLine(widest, pictureWidth, 0, [&](const QString& t) { return metrics.horizontalAdvance(t); })
        .Lines;
}

double Form1::StatusHeight(double panelWidth) const {
    const int verdictWidth = Label5->fontMetrics().horizontalAdvance("NOT STABLE");
    const int pictureWidth = Px(panelWidth) - Px(120) - verdictWidth - 2 - 2 * Px(90) - Px(60);
    const int lines = StatusLines(std::max(10, pictureWidth));
    return std::max(540.0, Twips(lines * Label6[0]->fontMetrics().height()) + 150);
}

double Form1::TitleHeight() const { return std::max(390.0, Twips(Text1->sizeHint().height()) + 90); }
double Form1::ButtonHeight() const { return std::max(375.0, Twips(Command2->sizeHint().height())); }

QSize Form1::MinimumWindowSize() const {
    auto* self = const_cast<Form1*>(this);
    // width: the row of command buttons beside the right-hand column
    const double panelWidth = ButtonRowWidth();
    const double width = std::max(7350.0 - 180, 60 + panelWidth + 60 + ColumnWidth());
    // height: the right-hand column, or the picture column with a drawing of useful size
    const int menu = menuBar()->sizeHint().height();
    const double keptGaps = columnGaps_;
    self->columnGaps_ = 1;
    const int columnBottom = Px(ColumnTop) + Px(self->PlaceColumn(false)) + menu;
    self->columnGaps_ = keptGaps;
    const int pictureBottom =
        Px(ColumnTop + ButtonHeight() + 15 + TitleHeight() + 15 + 2400 + 15 + StatusHeight(panelWidth) + 60) + menu;
    int height = std::max({Px(6900.0 - 600) + menu, columnBottom, pictureBottom});
    // where the screen is lower than that the column scrolls beside the drawing, and takes a scroll bar's width more
    const QRect room = ClientRoom(this);
    int bar = 0;
    if (!room.isEmpty() && height > room.height()) {
        height = std::max(room.height(), pictureBottom);
        self->columnGaps_ = self->ColumnGapsWithin(height - menu - Px(ColumnTop));
        if (Px(ColumnTop) + menu + Px(self->PlaceColumn(false)) > height) bar = ScrollBarWidth();
        self->columnGaps_ = keptGaps;
    }
    // and never smaller than the loads view needs to keep its values apart, where the screen has room for it:
    // a picture of ReadablePicture. Its type keeps its size whatever the desktop's font, so the window grows
    // with its controls rather than the picture shrinking with them; where the screen is too low for that,
    // the window is made wider, as far as the screen allows, when that lays the status out in fewer lines.
    const int insets = 2 * Panel3D1->frameWidth();
    const double above = ColumnTop + ButtonHeight() + 15 + TitleHeight() + 15, column = ColumnWidth();
    const auto holding = [&](double panel) {
        return QSize(Px(60 + panel + 60 + column) + bar,
                     Px(above + Twips(ReadablePicture.height() + insets) + 15 + StatusHeight(panel) + 60) + menu);
    };
    const double least = std::max(panelWidth, Twips(ReadablePicture.width() + insets));
    QSize readable = holding(least);
    for (double panel = least; !room.isEmpty() && readable.height() > room.height(); panel += Twips(4)) {
        const QSize wider = holding(panel);
        if (wider.width() > room.width()) break;
        if (wider.height() < readable.height()) readable = wider;
    }
    // nor than 1000 x 700 pixels
    readable = readable.expandedTo(QSize(Px(15000), Px(10500)));
    if (!room.isEmpty()) readable = readable.boundedTo(room.size());
    return QSize(Px(width) + bar, height).expandedTo(readable);
}

void Form1::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // a window manager keeps the least size; without one the window snaps back to it
    if (!isMinimized() && isWindow() && (width() < minimumWidth() || height() < minimumHeight())) {
        resize(size().expandedTo(minimumSize()));
        return;
    }
    Form_Resize();
}

void Form1::Form_Resize() {
    if (isMinimized()) return;
    const QWidget* client = centralWidget();
    const double W = Twips(client->width());
    const double H = Twips(client->height());

    Panel3D4->setGeometry(0, 0, client->width(), Px(ToolBarHeight));

    // the right-hand column closes up, and scrolls only when the window is lower than it still is
    const int columnRoom = std::max(0, client->height() - Px(ColumnTop));
    columnGaps_ = ColumnGapsWithin(columnRoom);
    const int columnHeight = Px(PlaceColumn(false));
    const int bar = columnHeight > columnRoom ? ScrollBarWidth() : 0;

    // title panel
    const double buttonTop = ColumnTop;
    const double buttonHeight = ButtonHeight();
    const double panelLeft = 60;
    const double panelWidth = std::max(ButtonRowWidth(), W - 60 - ColumnWidth() - Twips(bar) - 60);
    const double titleTop = buttonTop + buttonHeight + 15;
    const double titleHeight = TitleHeight();
    Panel3D2->setGeometry(Px(panelLeft), Px(titleTop), Px(panelWidth), Px(titleHeight));
    const int labelWidth = Label4->sizeHint().width();
    Label4->setGeometry(Px(90), (Panel3D2->height() - Label4->sizeHint().height()) / 2, labelWidth,
                        Label4->sizeHint().height());
    const int textLeft = Label4->x() + labelWidth + Px(75);
    Text1->setGeometry(textLeft, (Panel3D2->height() - Text1->sizeHint().height()) / 2,
                       std::max(Px(300), Panel3D2->width() - textLeft - Px(60)), Text1->sizeHint().height());

    // drawing panel and, under it, the status panel, as high as its ratios need
    const double statusHeight = StatusHeight(panelWidth);
    const double drawingTop = titleTop + titleHeight + 15;
    const double drawingHeight = std::max(1000.0, H - 60 - statusHeight - 15 - drawingTop);
    Panel3D1->setGeometry(Px(panelLeft), Px(drawingTop), Px(panelWidth), Px(drawingHeight));
    const int inset = Panel3D1->frameWidth();
    Picture1->setGeometry(inset, inset, Panel3D1->width() - 2 * inset, Panel3D1->height() - 2 * inset);
    Panel3D3->setGeometry(Px(panelLeft), Px(drawingTop + drawingHeight + 15), Px(panelWidth), Px(statusHeight));
    LayoutStatusLine();

    // command buttons: one row as wide as the drawing panel, "Loads and
    // Resistances" never narrower than 1815 nor than its text
    QPushButton* const rowButtons[5] = {Command2, Command3, Command6, Command4, Command5};
    double wide = std::max(1815.0, Twips(Command3->sizeHint().width()));
    double each = (panelWidth - 4 * 30) / 5;
    if (each < wide)
        each = std::max(CommonButtonWidth(), (panelWidth - 4 * 30 - wide) / 4);
    else
        wide = each;
    double x = panelLeft;
    for (QPushButton* b : rowButtons) {
        const double w = b == Command3 ? wide : each;
        b->setGeometry(Px(x), Px(buttonTop), Px(w), Px(buttonHeight));
        x += w + 30;
    }

    // right-hand column, each control placed from the one above it
    PlaceColumn(true);
    laidOutColumn_ = ColumnWidth();
    const int columnLeft = Px(panelLeft + panelWidth + 60 - 30);
    // a column lower than the window even closed up scrolls above the loads
    // frame, which keeps to the window's foot: the combination lists show whole
    const bool pinned = columnHeight > columnRoom;
    QWidget* frameParent = pinned ? centralWidget() : ColumnArea->widget();
    const QRect frame = Picture3->geometry();
    if (Picture3->parentWidget() != frameParent) {
        Picture3->setParent(frameParent);
        Picture3->show();
    }
    const int scrolledHeight = pinned ? frame.top() : columnHeight;
    const int areaHeight = pinned ? std::max(0, columnRoom - frame.height() - Px(60)) : columnRoom;
    if (pinned) Picture3->setGeometry(columnLeft + frame.left(), Px(ColumnTop) + areaHeight + Px(30), frame.width(), frame.height());
    ColumnArea->widget()->setFixedSize(Px(laidOutColumn_ + 30), scrolledHeight);
    ColumnArea->setGeometry(columnLeft, Px(ColumnTop), std::max(client->width() - columnLeft, ColumnArea->widget()->width() + bar),
                            areaHeight);

    RedrawView();
}

void Form1::LayoutStatusLine() {
    const int height = Panel3D3->height();
    const QSize verdict = Label5->fontMetrics().size(Qt::TextSingleLine, "NOT STABLE");
    Label5->setGeometry(Px(120), (height - verdict.height()) / 2, verdict.width() + 2, verdict.height());
    auto* line4 = Panel3D3->findChild<QFrame*>("Line4");
    const int lineX = Label5->x() + Label5->width() + Px(90);
    line4->setGeometry(lineX, Px(60), 2, height - Px(120));
    const int left = lineX + Px(90);
    Picture4->setGeometry(left, 0, std::max(10, Panel3D3->width() - left - Px(60)), height);

    // the six pieces read as one line; a piece that would run past the panel starts another line
    const QFontMetrics metrics = Label6[0]->fontMetrics();
    const int lineHeight = metrics.height();
    const StatusLineLayout row = WrapStatusLine(statusPieces_, Picture4->width(), lineHeight,
                                                [&](const QString& t) { return metrics.horizontalAdvance(t); });
    const int top = std::max(0, (height - row.Lines * lineHeight) / 2);
    for (int i = 0; i < 6; ++i) {
        Label6[i]->setText(row.Shown[i]);
        Label6[i]->setGeometry(row.At[i].x(), top + row.At[i].y(), row.Widths[i], lineHeight);
    }
}

// ---- events ---------------------------------------------------------------

void Form1::SizeFonts() {
    // the dimension labels a point smaller than the desktop's type, the verdict two larger and bold
    QFont small = font();
    small.setPointSizeF(std::max(6.0, font().pointSizeF() - 1));
    for (QLabel* label : lblDim) label->setFont(small);
    lblSlope->setFont(small);
    QFont verdict = font();
    verdict.setBold(true);
    verdict.setPointSizeF(font().pointSizeF() + 2);
    Label5->setFont(verdict);
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // a desktop font changed while the program runs: laid out as a window made in it, least size and
    // all, once its controls have taken the font too
    if (event->type() == QEvent::FontChange)
        QMetaObject::invokeMethod(
            this, [this] {
                SizeFonts();
                setMinimumSize(MinimumWindowSize());
                Form_Resize();
            },
            Qt::QueuedConnection);
}

void Form1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    windowHandle()->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    // The window system shows the window at the size it settles on, which
    // a maximised placement or a window manager may make another than the
    // one asked for: the first picture waits for it, so it is drawn once.
    if (!exposed_ && watched == windowHandle() && event->type() == QEvent::Expose && windowHandle()->isExposed()) {
        exposed_ = true;
        RedrawView();
    }
    if (event->type() == QEvent::MouseMove || (watched == Panel3D4 && event->type() == QEvent::Leave))
        ResetToolButtons();
    return QMainWindow::eventFilter(watched, event);
}

void Form1::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel != 0) {
        event->ignore();
        return;
    }
    event->accept();
    QApplication::quit();
}

// ---- tool bar ---------------------------------------------------------------

void Form1::imgTool_Click(int index) {
    ResetToolButtons();
    if (index < 0 || index > 10 || !imgTool[index]->isEnabled()) return;
    QAction* const commands[11] = {mnuFileNew, mnuFileOpen, mnuFileSave, mnuFilePrint, mnuEditProperties,
                                   mnuEditLoads, mnuEditRestraint, mnuCalculateStability, mnuCalculateConcrete,
                                   mnuCalculateCalcu, mnuHelpRet};
    commands[index]->trigger();
}

void Form1::imgTool_MouseDown(int index) {
    if (!imgTool[index]->isEnabled()) return;
    ToolPanel[index]->SetBevelOuter(Panel3D::Inset);
    imgTool[index]->move(Px(ToolImagePressedOffset), Px(ToolImagePressedOffset));
}

void Form1::imgTool_MouseMove(int index) {
    if (!imgTool[index]->isEnabled()) return;
    ToolPanel[index]->SetBevelOuter(Panel3D::Raised);
    imgTool[index]->move(Px(ToolImageOffset), Px(ToolImageOffset));
}

void Form1::ResetToolButtons() {
    const QPoint normal(Px(ToolImageOffset), Px(ToolImageOffset));
    for (int i = 0; i < 11; ++i) {
        if (ToolPanel[i]->BevelOuter() >= 1) ToolPanel[i]->SetBevelOuter(Panel3D::None);
        if (imgTool[i]->pos() != normal) imgTool[i]->move(normal);
    }
}

// ---- commands ---------------------------------------------------------------

void Form1::Text1_Change() {
    if (!Updating) m_.ProjectModified = True;
    m_.ProjectTitle = FromQString(Text1->text());
}

void Form1::mnuFileExit_Click() { close(); }

void Form1::mnuHelpRet_Click() { ShowHelp(); }

void Form1::mnuAbout_Click() {
    frmAbout about(m_, this);
    about.exec();
}

void Form1::mnuCalculateCalcu_Click() {
    // every opening starts again from the wall as it stands
    RunTrapped([this] {
        frmCalculator calculator(m_, this);
        calculator.exec();
    });
}

}  // namespace brindlemar

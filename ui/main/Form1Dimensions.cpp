// The dimension labels laid over the drawing, and editing a dimension
// through the number-entry pop-up.

#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <algorithm>

#include "drawing/WallView.h"
#include "forms/DimensionEdit.h"
#include "platform/ImageSurface.h"
#include "platform/QtText.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"
#include "ui/main/Form1.h"
#include "ui/main/frmEdit.h"

namespace brindlemar {

namespace {

// Turns a left-button click on a label into a call, and Enter, Space or F2
// on a label that has the focus, so that a dimension is changed from the
// keyboard too.
class LabelClicks : public QObject {
public:
    LabelClicks(QObject* parent, std::function<void()> onClick) : QObject(parent), onClick_(std::move(onClick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool click = event->type() == QEvent::MouseButtonRelease &&
                           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        const int key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event)->key() : 0;
        if (click || key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space || key == Qt::Key_F2) {
            onClick_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onClick_;
};

void SetForeColour(QWidget* w, const QColor& colour) {
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, colour);
    w->setPalette(palette);
}

}  // namespace

void Form1::ConnectDimensionLabels() {
    for (int i = 0; i < DimensionLabelCount; ++i) {
        lblDim[i]->installEventFilter(new LabelClicks(lblDim[i], [this, i] { lblDim_Click(i); }));
        // Tab walks the dimensions shown; the one with the focus is marked
        lblDim[i]->setFocusPolicy(Qt::TabFocus);
        lblDim[i]->setStyleSheet("QLabel:focus { background-color: palette(highlight); color: palette(highlighted-text); }");
    }
}

frmEdit& Form1::EditForm() {
    if (!editForm_) editForm_ = new frmEdit(m_, this);
    return *editForm_;
}

// ---- placing the labels ---------------------------------------------------

void Form1::MoveLabelClear(QLabel* label, TextBox box, bool vertical, AwayFrom way, double x, double y, double reach) {
    // while all the labels are placed, one that would land on one placed
    // before moves clear of it, as the printed texts do
    if (placedLabels_ != nullptr) {
        TextBoxes& placed = *placedLabels_;
        const TextBox asked = box;
        auto place = [&](TextBoxes taken) {
            TextBoxes before = taken;
            TextBox at = PlaceDimensionText(asked, vertical, way, taken, 30);
            // a height's label moved up or down off its own span would read as a
            // neighbour's value: it stays level with its span, further out instead
            if (vertical && std::fabs(at.Top + at.Height / 2 - y) > reach) at = MoveClear(asked, way, before, 30);
            return at;
        };
        // clear of the leaders drawn before it too, where the picture leaves room
        TextBoxes withLeaders = placed;
        for (const Leader& l : labelLeaders_) withLeaders.push_back(l.Bounds());
        box = place(withLeaders);
        const double width = Twips(Picture1->width()), height = Twips(Picture1->height());
        if (box.Left < 0 || box.Top < 0 || box.Left + box.Width > width || box.Top + box.Height > height)
            box = place(placed);
        // its leader runs past the labels below it, not through them
        if (const std::optional<Leader> leader = DimensionLeader(box, x, y, placed)) labelLeaders_.push_back(*leader);
        placed.push_back(box);
    }
    label->move(Px(box.Left), Px(box.Top));
}

void Form1::PlaceHorizontalDimLabel(double x1, double x2, double yDim, const std::string& caption, int index,
                                    int mode) {
    QLabel* label = At(lblDim, index);
    spans_[static_cast<size_t>(index)] = DimensionSpan{false, x1, x2, yDim};
    label->setText(QString::fromStdString(caption));
    label->adjustSize();
    const double W = Twips(label->width()), H = Twips(label->height());
    const bool fits = W < std::fabs(x2 - x1) - 60;
    double left = 0, top = 0;
    if (mode == 0) {
        // centred; a text that does not fit moves away from the line
        left = (x1 + x2) / 2 - W / 2;
        if (fits)
            top = x2 >= x1 ? yDim - H : yDim;
        else
            top = x2 >= x1 ? yDim - 120 - H : yDim + 120;
    } else {
        top = x2 > x1 ? yDim - H : yDim;
        if (fits)
            left = (x1 + x2) / 2 - W / 2;
        else
            left = mode == 1 ? x2 - W - 30 : x1 + 30;
    }
    // a label that would land on one placed before moves further from its line
    MoveLabelClear(label, {left, top, W, H}, false, top < yDim ? AwayFrom::Above : AwayFrom::Below, (x1 + x2) / 2,
                   yDim);
}

void Form1::PlaceVerticalDimLabel(double y1, double y2, double xDim, const std::string& caption, int index,
                                  std::optional<double> level) {
    QLabel* label = At(lblDim, index);
    spans_[static_cast<size_t>(index)] = DimensionSpan{true, y1, y2, xDim};
    label->setText(QString::fromStdString(caption));
    label->adjustSize();
    const double W = Twips(label->width()), H = Twips(label->height());
    double top = (y1 + y2) / 2 - H / 2;
    if (level) top = SlideClearOfLevel(top, H, *level, 30);
    const double left = y1 > y2 ? xDim - W - 30 : xDim + 30;
    MoveLabelClear(label, {left, top, W, H}, true, y1 > y2 ? AwayFrom::Left : AwayFrom::Right, xDim, (y1 + y2) / 2,
                   std::fabs(y2 - y1) / 2);
}

DimensionTextWidths Form1::DimensionLabelWidths() {
    auto widest = [this](std::initializer_list<int> indices) {
        double w = 0;
        for (int i : indices) {
            QLabel* label = lblDim[i];
            label->setText(QString::fromStdString(DimensionCaption(m_, i)));
            label->adjustSize();
            w = std::max(w, Twips(label->width()));
        }
        return w;
    };
    DimensionTextWidths w;
    w.Front = widest({FrontStemHeightLabel, ToeTopDropLabel, ToeTipThicknessLabel});
    w.WallHeight = widest({WallHeightLabel});
    w.Back = widest({BackStemHeightLabel, HeelTopDropLabel, HeelEndThicknessLabel, ShearKeyDepthLabel});
    w.Height = Twips(lblDim[WallHeightLabel]->height());
    return w;
}

void Form1::UpdateDimensionLabels() {
    try {
        BusyPointer busy;
        // the labels follow the picture the window drew last
        if (!surface_) return;
        const Surface& drawn = *surface_;
        const auto& x = drawn.Drawing().DrawingXCoordinates;
        const auto& y = drawn.Drawing().DrawingYCoordinates;
        const double s = drawn.Drawing().DrawingScale;
        const auto caption = [this](int index) { return DimensionCaption(m_, index); };
        const bool keyIncluded = m_.ShearKeyIncluded == 1;
        const bool keyShown = keyIncluded && m_.ShearKeyDepth > 0;
        const DimensionTextWidths texts = DimensionLabelWidths();
        // the base line stands below the key when the key is drawn
        const KeyDimensionRows rows = PlaceKeyDimensionRows(m_, *surface_, 1, texts.Height);

        for (int i = 0; i < DimensionLabelCount; ++i) lblDim[i]->setText(QString::fromStdString(caption(i)));
        TextBoxes placed;
        placedLabels_ = &placed;
        labelLeaders_.clear();
        spans_ = {};
        struct Done {
            TextBoxes*& p;
            ~Done() { p = nullptr; }
        } done{placedLabels_};

        struct Width {
            double x1, x2;
            int index, mode;
        };
        // the thickness centred over the stem top as on paper: shifted aside it would stand over a batter
        std::vector<Width> widths{{x[3], x[2], ToeLengthLabel, 1}, {x[2], x[1], StemFrontBatterLabel, 0},
                                  {x[1], x[8], StemTopThicknessLabel, 0}, {x[8], x[7], StemBackBatterLabel, 0},
                                  {x[7], x[6], HeelLengthLabel, 2}};
        // a width of nothing gives way to those it would push off their own spans, as a height does
        std::stable_partition(widths.begin(), widths.end(), [](const Width& w) { return w.x1 != w.x2; });
        for (const Width& w : widths) PlaceHorizontalDimLabel(w.x1, w.x2, y[10] - 240, caption(w.index), w.index, w.mode);
        if (!keyShown) {
            PlaceHorizontalDimLabel(x[5], x[4], y[50] + 240, caption(BaseWidthLabel), BaseWidthLabel, 0);
        } else {
            const double keyLine = rows.Key;
            PlaceHorizontalDimLabel(x[5], x[4], rows.Base, caption(BaseWidthLabel), BaseWidthLabel, 0);
            const double kt = m_.ShearKeyToeDistance * s, kw = m_.ShearKeyWidth * s;
            PlaceHorizontalDimLabel(x[4] + kt, x[4], keyLine, caption(ShearKeyToeDistanceLabel),
                                    ShearKeyToeDistanceLabel, 0);
            PlaceHorizontalDimLabel(x[4] + kt + kw, x[4] + kt, keyLine, caption(ShearKeyWidthLabel),
                                    ShearKeyWidthLabel, 0);
            PlaceHorizontalDimLabel(x[5], x[5] - m_.ShearKeyHeelDistance * s, keyLine,
                                    caption(ShearKeyHeelDistanceLabel), ShearKeyHeelDistanceLabel, 0);
        }

        const VerticalDimensionLines lines = PlaceVerticalDimensionLines(drawn, texts);
        const double front = lines.Front, back = lines.Back;
        // the labels keep off the water levels' extension lines, which run across them
        const std::optional<double> frontWater =
            WaterLevelShown(m_, m_.FrontWaterDepth) ? std::optional(FrontWaterLevel(m_, drawn)) : std::nullopt;
        const std::optional<double> backWater =
            WaterLevelShown(m_, m_.BackWaterDepth) ? std::optional(BackWaterLevel(m_, drawn)) : std::nullopt;
        struct Height {
            double y1, y2, x;
            int index;
            std::optional<double> level;
        };
        std::vector<Height> heights{{y[2], y[1], front, FrontStemHeightLabel, frontWater},
                                    {y[3], y[2], front, ToeTopDropLabel, frontWater},
                                    {y[4], y[3], front, ToeTipThicknessLabel, frontWater},
                                    {y[8], y[7], back, BackStemHeightLabel, backWater},
                                    {y[7], y[6], back, HeelTopDropLabel, backWater},
                                    {y[6], y[5], back, HeelEndThicknessLabel, backWater},
                                    {y[4], y[1], lines.WallHeight, WallHeightLabel, frontWater}};
        if (m_.WaterIncluded != 0) {
            // beside the water-depth dimensions the wall view draws
            heights.push_back({FrontWaterLevel(m_, drawn), y[1], lines.FrontWater, FrontWaterDepthLabel, {}});
            heights.push_back({y[8], BackWaterLevel(m_, drawn), lines.BackWater, BackWaterDepthLabel, {}});
        }
        if (keyIncluded) heights.push_back({y[5], y[5] + m_.ShearKeyDepth * s, back, ShearKeyDepthLabel, {}});
        // a height of nothing gives way to those it would push off their own spans
        std::stable_partition(heights.begin(), heights.end(), [](const Height& h) { return h.y1 != h.y2; });
        for (const Height& h : heights) PlaceVerticalDimLabel(h.y1, h.y2, h.x, caption(h.index), h.index, h.level);

        // the slope reads "1 : ratio", its right edge 480 right of the middle
        // of the backfill surface
        // of the backfill surface; where that would touch a label placed
        // before ("10.001 : 5.00"), further right along the mark's line, or
        // above it where the line ends first, or below it where the picture does
        QLabel* slope = lblDim[BackfillSlopeLabel];
        slope->setVisible(true);
        slope->adjustSize();
        lblSlope->adjustSize();
        const double ratioWidth = Twips(slope->width()), markWidth = Twips(lblSlope->width()) + ratioWidth;
        const TextBox mark{(x[10] + x[6]) / 2 + 480 - markWidth, y[10] - 210 - Twips(slope->height()), markWidth,
                           Twips(slope->height())};
        // clear of the labels and of their leaders
        TextBoxes taken = placed;
        for (const Leader& l : labelLeaders_) taken.push_back(l.Bounds());
        TextBoxes before = taken;
        TextBox at = MoveClear(mark, AwayFrom::Right, before, 30);
        if (at.Left + at.Width > x[10] + 480) {
            before = taken;
            at = MoveClear(mark, AwayFrom::Above, before, 30);
            if (at.Top < 0) at = MoveClear(mark, AwayFrom::Below, taken, 30);
        }
        slope->move(Px(at.Left + at.Width - ratioWidth), Px(at.Top));
        lblSlope->move(slope->x() - lblSlope->width(), slope->y());

        for (QLabel* label : lblDim) label->setVisible(true);
        lblDim[FrontWaterDepthLabel]->setVisible(m_.WaterIncluded != 0);
        lblDim[BackWaterDepthLabel]->setVisible(m_.WaterIncluded != 0);
        if (m_.BackfillSlopeRatio > 0) lblSlope->setVisible(true);
        lblDim[ShearKeyDepthLabel]->setVisible(keyIncluded);
        for (int i : {ShearKeyToeDistanceLabel, ShearKeyWidthLabel, ShearKeyHeelDistanceLabel})
            lblDim[i]->setVisible(keyShown);
    } catch (const RuntimeError& e) {
        MsgBox(e.Description, vbExclamation, ProductName);
    }
}

// ---- editing a dimension --------------------------------------------------

void Form1::PlaceEditForm(frmEdit& popUp, int index) {
    // just below the label; near the bottom of the screen it opens higher
    // up, over the label
    popUp.adjustSize();
    const QLabel* label = lblDim[index];
    QPoint at = label->mapToGlobal(QPoint(0, label->height() + Px(120)));
    const QScreen* screen = label->screen() ? label->screen() : QGuiApplication::primaryScreen();
    if (screen && at.y() + popUp.frameGeometry().height() > screen->availableGeometry().bottom())
        at.ry() -= popUp.frameGeometry().height() + Px(180);
    popUp.move(at);
}

void Form1::lblDim_Click(int index) {
    const bool byKeyboard = lblDim[index]->hasFocus();
    frmEdit& popUp = EditForm();
    EditDimension(m_, index, [&](const std::string& refusal) {
        popUp.ShowSubject(ToQString(DimensionSubject(m_, index)), DimensionValues[static_cast<std::size_t>(index)].Rule);
        PlaceEditForm(popUp, index);
        popUp.TellRefusal(ToQString(refusal));
        SetForeColour(&popUp, QColor(0, 0, 128));
        popUp.exec();
        SetForeColour(&popUp, QColor(0, 0, 0));
    });
    RedrawView();
    // the redraw hid and showed the labels: the keyboard stays on its dimension
    if (byKeyboard && lblDim[index]->isVisible()) lblDim[index]->setFocus(Qt::TabFocusReason);
}

}  // namespace brindlemar

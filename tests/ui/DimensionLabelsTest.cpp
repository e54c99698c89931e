#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QRadioButton>
#include <QScreen>
#include <cmath>

#include "PopUpScript.h"
#include "UiTestSupport.h"
#include "forms/DimensionEdit.h"
#include "platform/Twips.h"
#include "support/MessageRecorder.h"

namespace brindlemar {
namespace {

using test::CancelButton;
using test::EscapeKey;
using test::StepDown;
using test::StepUp;
using test::Typed;

class DimensionLabelsTest : public test::MainWindowTest {
protected:
    // Clicks label `index` (or presses Enter on it) and answers the pop-up
    // with `steps`; returns what the pop-up showed at each step.
    std::vector<QString> Click(int index, std::vector<test::PopUpStep> steps, std::vector<QRect>* places = nullptr,
                               bool byEnter = false) {
        EXPECT_TRUE(window->lblDim[index]->isVisible()) << "label " << index;
        test::PopUpScript script(std::move(steps));
        if (byEnter) QTest::keyClick(window->lblDim[index], Qt::Key_Return);
        else QTest::mouseClick(window->lblDim[index], Qt::LeftButton);
        EXPECT_TRUE(script.Done()) << "the pop-up closed before every step was taken";
        if (places) *places = script.Places;
        return script.Shown;
    }

    QString Caption(int index) { return window->lblDim[index]->text(); }
};

TEST_F(DimensionLabelsTest, EveryDimensionIsALabelOverTheDrawing) {
    // the built-in wall has water and a shear key 0.67 deep
    for (int i = 0; i < DimensionLabelCount; ++i) {
        SCOPED_TRACE(i);
        QLabel* label = window->lblDim[i];
        EXPECT_TRUE(label->isVisible());
        EXPECT_EQ(label->text().toStdString(), DimensionCaption(m, i));
        EXPECT_EQ(label->toolTip(), "Click to change");
        EXPECT_TRUE(window->Picture1->rect().contains(label->geometry())) << "label outside the drawing";
    }
    EXPECT_EQ(Caption(BaseWidthLabel), "7.20");
    EXPECT_EQ(Caption(WallHeightLabel), "10.00");
    // the slope reads "1 : 5.00", the "1 : " just left of the ratio
    EXPECT_TRUE(window->lblSlope->isVisible());
    EXPECT_EQ(window->lblSlope->geometry().right() + 1, window->lblDim[BackfillSlopeLabel]->x());
    EXPECT_EQ(window->lblSlope->y(), window->lblDim[BackfillSlopeLabel]->y());

    // the horizontal dimensions of the top read left to right above the wall
    for (int i = ToeLengthLabel; i < HeelLengthLabel; ++i)
        EXPECT_LT(window->lblDim[i]->geometry().center().x(), window->lblDim[i + 1]->geometry().center().x()) << i;
    // the front heights stand left of the back heights
    EXPECT_LT(window->lblDim[FrontStemHeightLabel]->x(), window->lblDim[BackStemHeightLabel]->x());
}

TEST_F(DimensionLabelsTest, EveryLabelReadsClearOfTheLinesAndAreasUnderIt) {
    // In the built-in wall the wall height's text stands on the front water
    // level's extension line and the key's texts on the ground: what shows
    // inside a label is its text on white, in every unit system.
    for (const int unit : {Metric, SI, British}) {
        window->Combo1a->setCurrentIndex(unit);
        emit window->Combo1a->activated(unit);
        const QImage shown = window->Picture1->grab().toImage();
        for (int i = 0; i < DimensionLabelCount; ++i) {
            const QLabel* label = window->lblDim[i];
            if (!label->isVisible()) continue;
            int stray = 0;
            // the pixels wholly under the label, on a screen that scales as well
            const qreal dpr = shown.devicePixelRatio();
            const QRectF under(QPointF(label->pos()) * dpr, QSizeF(label->size()) * dpr);
            const QRect r = QRect(QPoint(std::ceil(under.left()), std::ceil(under.top())), QPoint(std::floor(under.right()) - 1, std::floor(under.bottom()) - 1))
                                .intersected(shown.rect());
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    const QColor c = shown.pixelColor(x, y);
                    // the text is black, smoothed into the white
                    if (std::abs(c.red() - c.green()) > 8 || std::abs(c.green() - c.blue()) > 8) ++stray;
                }
            EXPECT_EQ(stray, 0) << "label " << i << " (" << label->text().toStdString() << ") in unit " << unit;
        }
    }
}

TEST_F(DimensionLabelsTest, LabelsFollowTheOptionsAndTheView) {
    window->Check1->click();  // water off
    EXPECT_FALSE(window->lblDim[FrontWaterDepthLabel]->isVisible());
    EXPECT_FALSE(window->lblDim[BackWaterDepthLabel]->isVisible());

    // a key with no depth keeps its depth label, to give it one
    m.ShearKeyDepth = 0;
    window->RedrawView();
    EXPECT_TRUE(window->lblDim[ShearKeyDepthLabel]->isVisible());
    for (int i : {ShearKeyToeDistanceLabel, ShearKeyWidthLabel, ShearKeyHeelDistanceLabel})
        EXPECT_FALSE(window->lblDim[i]->isVisible()) << i;
    window->Check3->click();  // key off
    EXPECT_FALSE(window->lblDim[ShearKeyDepthLabel]->isVisible());

    // a level backfill has no "1 : ", but its ratio can still be clicked
    m.BackfillSlopeRatio = 0;
    window->RedrawView();
    EXPECT_FALSE(window->lblSlope->isVisible());
    EXPECT_TRUE(window->lblDim[BackfillSlopeLabel]->isVisible());
    EXPECT_EQ(Caption(BackfillSlopeLabel), "0.00");

    window->optView[10]->click();  // the loads view
    for (QLabel* label : window->lblDim) EXPECT_FALSE(label->isVisible());
    window->optView[0]->click();
    EXPECT_TRUE(window->lblDim[BaseWidthLabel]->isVisible());
}

TEST_F(DimensionLabelsTest, HorizontalAndVerticalPlacementRules) {
    const double tpp = TwipsPerPixel(window.get());
    const auto px = [tpp](double twips) { return static_cast<int>(std::lround(twips / tpp)); };
    QLabel* label = window->lblDim[ToeLengthLabel];
    window->PlaceHorizontalDimLabel(0, 0, 0, "12.34", ToeLengthLabel, 0);
    const double W = label->width() * tpp, H = label->height() * tpp;
    const double yDim = 3000;

    struct Case {
        const char* what;
        double x1, x2;
        int mode;
        double left, top;
    };
    const Case cases[] = {
        {"centred above when it fits", 1000, 5000, 0, 3000 - W / 2, yDim - H},
        {"centred below when drawn right to left", 5000, 1000, 0, 3000 - W / 2, yDim},
        {"ends that coincide: above, moved off the line", 2000, 2000, 0, 2000 - W / 2, yDim - 120 - H},
        {"too short right to left: below, moved off the line", 2100, 2000, 0, 2050 - W / 2, yDim + 120},
        {"mode 1 fitting is centred", 1000, 5000, 1, 3000 - W / 2, yDim - H},
        {"mode 1 too short ends before the second end", 2000, 2100, 1, 2100 - W - 30, yDim - H},
        {"mode 2 too short begins after the first end", 2000, 2100, 2, 2030, yDim - H},
        {"mode 2 right to left stands below", 2100, 2000, 2, 2130, yDim},
    };
    for (const Case& c : cases) {
        window->PlaceHorizontalDimLabel(c.x1, c.x2, yDim, "12.34", ToeLengthLabel, c.mode);
        EXPECT_EQ(label->pos(), QPoint(px(c.left), px(c.top))) << c.what;
    }

    // vertical: left of its line when drawn upwards, right of it otherwise
    window->PlaceVerticalDimLabel(4000, 2000, 1000, "12.34", FrontStemHeightLabel);
    QLabel* vertical = window->lblDim[FrontStemHeightLabel];
    EXPECT_EQ(vertical->pos(), QPoint(px(1000 - W - 30), px(3000 - H / 2)));
    window->PlaceVerticalDimLabel(2000, 4000, 1000, "12.34", FrontStemHeightLabel);
    EXPECT_EQ(vertical->pos(), QPoint(px(1030), px(3000 - H / 2)));
}

// How each entry re-balances the wall is the dimension-edit rules' own test;
// here the click reaches them and the labels and the outline follow.
TEST_F(DimensionLabelsTest, AnEntryIsStoredRebalancedAndRedrawn) {
    EXPECT_EQ(Click(FrontStemHeightLabel, {Typed("0.3")}), std::vector<QString>{"8"});
    EXPECT_EQ(Caption(FrontStemHeightLabel), "0.50");
    EXPECT_EQ(Caption(WallHeightLabel), "2.50");
    EXPECT_EQ(m.ProjectModified, True);
    EXPECT_EQ(m.DialogCancelled, False);

    Click(ToeLengthLabel, {Typed("2.3456")});
    EXPECT_EQ(Caption(ToeLengthLabel), "2.35");

    // from the keyboard: Enter on the label that has the focus, which keeps it; Tab to the next
    window->lblDim[ToeLengthLabel]->setFocus(Qt::TabFocusReason);
    Click(ToeLengthLabel, {Typed("2.5")}, nullptr, true);
    EXPECT_EQ(Caption(ToeLengthLabel), "2.50");
    QTest::keyClick(window->focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(window->focusWidget(), window->lblDim[StemFrontBatterLabel]);

    Click(BaseWidthLabel, {Typed("0.2")});
    EXPECT_EQ(Caption(BaseWidthLabel), "0.20");
    EXPECT_EQ(Caption(StemTopThicknessLabel), "0.00");
    // the outline follows the edit: the heel end stands at the new base width
    EXPECT_FLOAT_EQ(m.NodeXCoordinates[5], 0.2f);
}

TEST_F(DimensionLabelsTest, RefusedEntriesBeepAndKeepAskingUntilCancel) {
    test::MessageRecorder rec;
    m.ProjectModified = False;
    // text the parser cannot read whole keeps the pop-up open; a negative
    // number opens it again on the value the label shows
    test::PopUpScript script({Typed("2,5"), Typed("12abc"), Typed("-1"), test::Edited("abc"), test::Edited("1"), CancelButton()});
    QTest::mouseClick(window->lblDim[StemTopThicknessLabel], Qt::LeftButton);
    EXPECT_EQ(script.Shown, (std::vector<QString>{"0.83", "2,5", "12abc", "0.83", "abc", "1"}));
    // each refusal says why beside the box at once, the reason following what
    // is typed until the value is one to take
    const QString noNumber = "\" is no number: type digits and a decimal point, such as 2.5";
    const std::vector<QString> reasons{"", "\"2,5" + noNumber, "\"12abc" + noNumber, "Type a number of 0 or more", "\"abc" + noNumber, ""};
    EXPECT_EQ(script.Reasons, reasons);
    EXPECT_EQ(script.ToolTips, reasons);
    // the pop-up says what it edits
    EXPECT_EQ(script.Titles, std::vector<QString>(6, "Stem top thickness (m)"));
    EXPECT_EQ(rec.Beeps, 3);
    EXPECT_FLOAT_EQ(m.StemTopThickness, 0.83f);
    EXPECT_EQ(m.ProjectModified, False);
    EXPECT_EQ(m.DialogCancelled, False);
}

TEST_F(DimensionLabelsTest, StepButtonsMoveByATenthAndStopAtZero) {
    EXPECT_EQ(Click(StemTopThicknessLabel, {StepUp(), StepUp(), Typed("")}),
              (std::vector<QString>{"0.83", "0.9", "1"}));
    EXPECT_FLOAT_EQ(m.StemTopThickness, 1.0f);
    Click(StemFrontBatterLabel, {Typed("0.04")});
    EXPECT_EQ(Click(StemFrontBatterLabel, {StepDown(), Typed("")}), (std::vector<QString>{"0.04", "0"}));
    EXPECT_EQ(m.StemFrontBatter, 0);
}

TEST_F(DimensionLabelsTest, CancelAndEscapeChangeNothingButRedraw) {
    for (const auto& leave : {CancelButton(), EscapeKey()}) {
        m.ProjectModified = False;
        const int redraws = window->RedrawCount();
        Click(HeelLengthLabel, {Typed("-5"), leave});
        EXPECT_FLOAT_EQ(m.HeelLength, 3.37f);
        EXPECT_FLOAT_EQ(m.BaseWidth, 7.2f);
        EXPECT_EQ(m.ProjectModified, False);
        EXPECT_GT(window->RedrawCount(), redraws) << "the view was redrawn";
    }
    // a negative value read from a file: Cancel leaves at the first try
    m.BackfillSlopeRatio = -2;
    window->RedrawView();
    EXPECT_EQ(Click(BackfillSlopeLabel, {CancelButton()}), std::vector<QString>{"-2"});
    EXPECT_EQ(m.BackfillSlopeRatio, -2);
}

TEST_F(DimensionLabelsTest, PopUpOpensBelowTheLabelOrAboveItNearTheScreenBottom) {
    std::vector<QRect> places;
    QLabel* label = window->lblDim[ToeLengthLabel];
    Click(ToeLengthLabel, {CancelButton()}, &places);
    const QPoint labelBottom = label->mapToGlobal(QPoint(0, label->height()));
    ASSERT_EQ(places.size(), 1u);
    EXPECT_GT(places[0].top(), labelBottom.y());
    EXPECT_EQ(places[0].left(), labelBottom.x());

    // move the window so that the label sits near the bottom of the screen
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    window->move(window->x(), screen.bottom() - label->mapTo(window.get(), QPoint(0, 0)).y() - 20);
    Click(ToeLengthLabel, {CancelButton()}, &places);
    EXPECT_LT(places[0].bottom(), label->mapToGlobal(QPoint(0, 0)).y() + label->height());
}

}  // namespace
}  // namespace brindlemar

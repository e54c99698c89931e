#include "platform/TwipLayout.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/FlexGrid.h"
#include "platform/Twips.h"

namespace brindlemar {

namespace {

int Round(double value) { return static_cast<int>(std::lround(value)); }

// The controls the window placed itself: its children and theirs, through
// group boxes, option containers and the pages of tab controls, but not the
// parts of a control nor what a layout places.
void CollectPlaced(QWidget* parent, std::vector<QWidget*>& placed) {
    if (parent->layout() != nullptr) return;
    for (QObject* child : parent->children()) {
        auto* w = qobject_cast<QWidget*>(child);
        if (w == nullptr || w->isWindow()) continue;
        placed.push_back(w);
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            for (int i = 0; i < tabs->count(); ++i) CollectPlaced(tabs->widget(i), placed);
        } else if (qobject_cast<QGroupBox*>(w) != nullptr || w->metaObject() == &QWidget::staticMetaObject ||
                   w->metaObject() == &QFrame::staticMetaObject) {
            CollectPlaced(w, placed);
        }
    }
}

// The width a control needs to show its caption whole; 0 when it shows none.
int CaptionWidth(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text().isEmpty() || label->wordWrap() ? 0 : label->sizeHint().width();
    if (auto* button = qobject_cast<const QPushButton*>(w)) {
        if (button->text().isEmpty()) return 0;
        // the text and the button's margins, not the least width a style gives every button
        const QStyle* style = button->style();
        return button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
               style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
               2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
    }
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text().isEmpty() ? 0 : button->sizeHint().width();
    if (auto* group = qobject_cast<const QGroupBox*>(w)) return group->title().isEmpty() ? 0 : group->minimumSizeHint().width();
    return 0;
}

bool HasCaption(const QWidget* w) {
    if (auto* label = qobject_cast<const QLabel*>(w)) return !label->text().isEmpty() && !label->wordWrap();
    if (auto* button = qobject_cast<const QAbstractButton*>(w)) return !button->text().isEmpty();
    return false;
}

}  // namespace

TwipLayout::TwipLayout(const QWidget* window) : tpp_(brindlemar::TwipsPerPixel(window)) {}

int TwipLayout::X(double twips) const { return Round(twips * sx_ / tpp_); }
int TwipLayout::Y(double twips) const { return Round(twips * sy_ / tpp_); }
double TwipLayout::TwipsY(int pixels) const { return pixels * tpp_ / sy_; }
int TwipLayout::Px(double twips) const { return TwipsToPixels(twips, tpp_); }

void TwipLayout::Place(QWidget* w, double left, double top, double width, double height) const {
    // the far edges rounded, not the sizes, so that what ends inside its frame stays inside
    const int x = X(left), y = Y(top);
    if (qobject_cast<FlexGrid*>(w) != nullptr)
        w->setGeometry(x, y, Px(width), Px(height));
    else
        w->setGeometry(x, y, X(left + width) - x, Y(top + height) - y);
}

void TwipLayout::Fit(QWidget* window) {
    if (fitted_) return;
    fitted_ = true;
    std::vector<QWidget*> placed;
    CollectPlaced(window, placed);
    double sx = 1, sy = 1;
    for (const QWidget* w : placed) {
        if (!w->testAttribute(Qt::WA_Resized)) continue;  // not placed yet: what places it later sizes it
        if (const int needed = CaptionWidth(w); needed > 0 && w->width() > 0)
            sx = std::max(sx, static_cast<double>(needed) / w->width());
        if (HasCaption(w) && w->height() > 0) sy = std::max(sy, static_cast<double>(w->fontMetrics().height()) / w->height());
    }
    if (sx == 1 && sy == 1) return;
    for (QWidget* w : placed) {
        const QRect r = w->geometry();
        const int x = Round(r.left() * sx), y = Round(r.top() * sy);
        if (qobject_cast<FlexGrid*>(w) != nullptr)
            w->move(x, y);  // its cells in its font give its size
        else
            w->setGeometry(x, y, Round((r.left() + r.width()) * sx) - x, Round((r.top() + r.height()) * sy) - y);
    }
    const QSize size(Round(window->width() * sx), Round(window->height() * sy));
    if (window->minimumSize() == window->maximumSize())
        window->setFixedSize(size);
    else
        window->resize(size);
    sx_ = sx;
    sy_ = sy;
}

}  // namespace brindlemar

#include "platform/NameLists.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>

namespace brindlemar {

namespace {

const char* const WholeNameTip = "brindlemarWholeNameTip";
const char* const NamesKept = "brindlemarNamesWhole";

// The room a closed box has for its current text.
int TextRoom(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    return box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box).width();
}

class ComboNames : public QObject {
public:
    explicit ComboNames(QComboBox* box) : QObject(box), box_(box) {
        QAbstractItemModel* model = box->model();
        for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
            connect(model, signal, this, [this] { FitList(); });
        connect(model, &QAbstractItemModel::dataChanged, this, [this] { FitList(); });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { FitList(); });
        connect(box, &QComboBox::currentTextChanged, this, [this] { FitTip(); });
        box->installEventFilter(this);
        FitList();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != box_) return false;
        if (event->type() == QEvent::Resize || event->type() == QEvent::FontChange) {
            FitList();
        } else if (event->type() == QEvent::Paint && !box_->isEditable()) {
            // the box as the style draws it, the name shortened with an ellipsis instead of cut
            QStylePainter painter(box_);
            QStyleOptionComboBox option;
            option.initFrom(box_);
            option.currentText = box_->currentText();
            option.currentIcon = box_->itemIcon(box_->currentIndex());
            option.iconSize = box_->iconSize();
            option.frame = box_->hasFrame();
            option.editable = false;
            painter.drawComplexControl(QStyle::CC_ComboBox, option);
            option.currentText = box_->fontMetrics().elidedText(option.currentText, Qt::ElideRight, TextRoom(box_) - 4);
            painter.drawControl(QStyle::CE_ComboBoxLabel, option);
            return true;
        }
        return false;
    }

private:
    void FitList() {
        int widest = 0;
        const QFontMetrics metrics = box_->view()->fontMetrics();
        for (int i = 0; i < box_->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(box_->itemText(i)));
        // the item's margins and a scroll bar beside a long list
        const int margins = 4 * box_->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, box_) + 16 +
                            box_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, box_);
        box_->view()->setMinimumWidth(std::max(box_->width(), widest + margins));
        FitTip();
    }

    void FitTip() {
        const QString text = box_->currentText();
        const bool cut = box_->fontMetrics().horizontalAdvance(text) > TextRoom(box_) - 4;
        // a tip of the box's own stays
        if (!box_->toolTip().isEmpty() && !box_->property(WholeNameTip).toBool()) return;
        box_->setToolTip(cut ? text : QString());
        box_->setProperty(WholeNameTip, cut);
    }

    QComboBox* box_;
};

}  // namespace

void ShowNamesWhole(QComboBox* box) {
    if (box->property(NamesKept).toBool()) return;
    box->setProperty(NamesKept, true);
    new ComboNames(box);
}

void SetNameText(QLabel* label, const QString& name) {
    const QString shown = label->fontMetrics().elidedText(name, Qt::ElideRight, label->contentsRect().width());
    label->setText(shown);
    label->setToolTip(shown == name ? QString() : name);
}

}  // namespace brindlemar

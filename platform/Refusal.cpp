#include "platform/Refusal.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolTip>

#include <algorithm>

#include "platform/QtText.h"

namespace brindlemar {

namespace {
// what the box looked like before it was marked
constexpr const char* OwnStyle = "brindlemarOwnStyle";
constexpr const char* OwnToolTip = "brindlemarOwnToolTip";
constexpr const char* NoteName = "RefusalReason";
constexpr const char* PendingNote = "brindlemarPendingNote";
constexpr const char* NotePlaceName = "RefusalReasonPlace";

// The note of a refusal: a label over the window, looking like a tool tip,
// that goes with the control it speaks of.
class ReasonNote : public QLabel {
public:
    explicit ReasonNote(QWidget* window) : QLabel(window) {
        setObjectName(NoteName);
        setWordWrap(true);
        setMargin(3);
        setFrameShape(QFrame::Box);
        setForegroundRole(QPalette::ToolTipText);
        setBackgroundRole(QPalette::ToolTipBase);
        setAutoFillBackground(true);
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    QPointer<QWidget> anchor;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == anchor && event->type() == QEvent::Hide) hide();
        return false;
    }
};

ReasonNote* NoteOf(const QWidget* host) { return host->findChild<ReasonNote*>(NoteName, Qt::FindDirectChildrenOnly); }

// The scroll area a control lies in, where its window scrolls (a window too
// large for the screen), else none.
QScrollArea* ScrollAreaOf(const QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w != nullptr && !w->isWindow(); w = w->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(w); area != nullptr && area->widget() != nullptr) return area;
    return nullptr;
}

// What a note of the control stands on: the contents of the scroll area it
// lies in, so that the note scrolls with its control, else its window.
QWidget* NoteHostOf(const QWidget* widget) {
    if (QScrollArea* area = ScrollAreaOf(widget)) return area->widget();
    return widget->window();
}
QLabel* NotePlaceOf(const QWidget* window) { return window->findChild<QLabel*>(NotePlaceName); }
}  // namespace

void MarkRefused(QLineEdit* box, const QString& reason) {
    if (!IsMarkedRefused(box)) {
        box->setProperty(OwnStyle, box->styleSheet());
        box->setProperty(OwnToolTip, box->toolTip());
    }
    box->setStyleSheet(box->property(OwnStyle).toString() +
                       QString("\nQLineEdit { border: 2px solid #%1; background-color: #%2; }")
                           .arg(RefusedFrame, 6, 16, QChar('0'))
                           .arg(RefusedBackground, 6, 16, QChar('0')));
    box->setToolTip(reason);
    if (box->isVisible()) ShowRefusalReason(box, box->rect(), reason);
}

void ClearRefused(QLineEdit* box) {
    if (!IsMarkedRefused(box)) return;
    box->setStyleSheet(box->property(OwnStyle).toString());
    box->setToolTip(box->property(OwnToolTip).toString());
    box->setProperty(OwnStyle, QVariant());
    box->setProperty(OwnToolTip, QVariant());
    QToolTip::hideText();
    HideRefusalReason(box);
}

bool IsMarkedRefused(const QLineEdit* box) { return box->property(OwnStyle).isValid(); }

std::string BoxNameOfCaption(const char* caption) {
    QString name = QTextDocumentFragment::fromHtml(QString::fromUtf8(caption)).toPlainText().simplified();
    return FromQString(name.left(name.indexOf(" (")).remove(':').trimmed());
}

namespace {
void PlaceNote(QWidget* widget, const QRect& area, const QString& reason) {
    QWidget* window = widget->window();
    if (QLabel* place = NotePlaceOf(window)) {
        place->setText(reason);
        place->show();
        return;
    }
    // a control scrolled out of sight is brought into it, with its note
    QScrollArea* scroll = ScrollAreaOf(widget);
    if (scroll != nullptr) scroll->ensureWidgetVisible(widget);
    QWidget* host = NoteHostOf(widget);
    ReasonNote* note = NoteOf(host);
    if (note == nullptr) note = new ReasonNote(host);
    if (note->anchor != widget) {
        if (note->anchor) note->anchor->removeEventFilter(note);
        note->anchor = widget;
        widget->installEventFilter(note);
    }
    note->setText(reason);
    // as wide as the reason, the window's width at most, and wrapped within it
    const int gap = 2;
    // within what shows of the host: in a scroll area, its viewport
    const QRect shown = scroll != nullptr ? QRect(-host->pos(), scroll->viewport()->size()) & host->rect() : host->rect();
    const QRect room = shown.adjusted(gap, gap, -gap, -gap);
    const int width = std::min(note->fontMetrics().horizontalAdvance(reason) + 2 * (note->margin() + note->frameWidth()) + 2,
                               room.width());
    const int height = note->heightForWidth(width);
    const QRect at(widget->mapTo(host, area.topLeft()), area.size());
    const int left = std::clamp(at.left(), room.left(), room.right() + 1 - width);
    const QRect below(left, at.bottom() + 1 + gap, width, height);
    const QRect above(left, at.top() - gap - height, width, height);
    // beside the box, after whatever stands right of it on its row (its unit)
    const auto placed = [&](const QWidget* w) { return QRect(w->mapTo(host, QPoint(0, 0)), w->size()); };
    const auto isControl = [](const QWidget* w) {
        return qobject_cast<const QAbstractButton*>(w) != nullptr || qobject_cast<const QLineEdit*>(w) != nullptr ||
               qobject_cast<const QComboBox*>(w) != nullptr || qobject_cast<const QAbstractSpinBox*>(w) != nullptr ||
               qobject_cast<const QAbstractScrollArea*>(w) != nullptr;
    };
    int rowEnd = at.right();
    for (const QWidget* w : host->findChildren<QWidget*>())
        if (w != note && w->isVisible() && (isControl(w) || qobject_cast<const QLabel*>(w) != nullptr)) {
            const QRect r = placed(w);
            if (r.left() > at.right() && r.top() <= at.bottom() && r.bottom() >= at.top()) rowEnd = std::max(rowEnd, r.right());
        }
    const int besideWidth = std::min(width, room.right() - rowEnd - gap);
    const QRect beside(rowEnd + 1 + gap, at.top(), besideWidth, note->heightForWidth(std::max(besideWidth, 1)));
    // under or over the captions left of the box, where the boxes stand in a column
    const int leftWidth = std::min(width, at.left() - gap - room.left());
    const int leftHeight = note->heightForWidth(std::max(leftWidth, 1));
    const QRect belowLeft(at.left() - gap - leftWidth, at.bottom() + 1 + gap, leftWidth, leftHeight);
    const QRect aboveLeft(at.left() - gap - leftWidth, at.top() - gap - leftHeight, leftWidth, leftHeight);
    // clear of the window's buttons, and at best of every other control too,
    // where the note would hide what is to be typed or chosen next
    const auto free = [&](const QRect& r, bool ofControls) {
        if (!room.contains(r) || r.width() < std::min(width, 8 * note->fontMetrics().averageCharWidth())) return false;
        for (const QWidget* w : host->findChildren<QWidget*>())
            if (w != widget && w != note && w->isVisible() && !w->isAncestorOf(widget) &&
                (qobject_cast<const QPushButton*>(w) != nullptr || (ofControls && isControl(w))) && r.intersects(placed(w)))
                return false;
        return true;
    };
    QRect chosen;
    for (bool ofControls : {true, false})
        for (const QRect& r : {below, above, beside, belowLeft, aboveLeft})
            if (chosen.isNull() && free(r, ofControls)) chosen = r;
    if (chosen.isNull()) {
        // a window too small for a note beside the box, such as a pop-up: the tip
        note->hide();
        QToolTip::showText(widget->mapToGlobal(QPoint(area.left(), area.bottom() + 1)), reason, widget);
        return;
    }
    note->setGeometry(chosen);
    note->show();
    note->raise();
}
}  // namespace

void ShowRefusalReason(QWidget* widget, const QRect& area, const QString& reason) {
    // once the event that refused the entry is over, not in the middle of the
    // mouse press that left the box; unless the entry was cleared meanwhile
    widget->setProperty(PendingNote, reason);
    // a note of the window's own layout covers nothing: it shows at once
    if (NotePlaceOf(widget->window()) != nullptr) return PlaceNote(widget, area, reason);
    QTimer::singleShot(0, widget, [widget, area, reason] {
        if (widget->isVisible() && widget->property(PendingNote).toString() == reason) PlaceNote(widget, area, reason);
    });
}

void KeepRefusalNotesIn(QLabel* place) {
    place->setObjectName(NotePlaceName);
    place->setWordWrap(true);
    place->setStyleSheet(QString("color: #%1;").arg(RefusedFrame, 6, 16, QChar('0')));
    place->hide();
}

void HideRefusalReason(QWidget* widget) {
    widget->setProperty(PendingNote, QVariant());
    if (QLabel* place = NotePlaceOf(widget->window())) place->hide();
    ReasonNote* note = NoteOf(NoteHostOf(widget));
    if (note != nullptr && note->anchor == widget) note->hide();
}

const QWidget* RefusalReasonOf(const QWidget* window) {
    if (const QLabel* place = NotePlaceOf(window)) return place->isVisible() ? place : nullptr;
    for (const ReasonNote* note : window->findChildren<ReasonNote*>(NoteName))
        if (note->isVisible()) return note;
    return nullptr;
}

}  // namespace brindlemar

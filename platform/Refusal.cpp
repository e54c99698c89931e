#include "platform/Refusal.h"

#include <QLineEdit>
#include <QTextDocumentFragment>
#include <QToolTip>

#include "platform/QtText.h"

namespace brindlemar {

namespace {
// what the box looked like before it was marked
constexpr const char* OwnStyle = "brindlemarOwnStyle";
constexpr const char* OwnToolTip = "brindlemarOwnToolTip";
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
    if (box->isVisible()) ShowRefusalTip(box, QPoint(0, box->height()), reason);
}

void ClearRefused(QLineEdit* box) {
    if (!IsMarkedRefused(box)) return;
    box->setStyleSheet(box->property(OwnStyle).toString());
    box->setToolTip(box->property(OwnToolTip).toString());
    box->setProperty(OwnStyle, QVariant());
    box->setProperty(OwnToolTip, QVariant());
    QToolTip::hideText();
}

bool IsMarkedRefused(const QLineEdit* box) { return box->property(OwnStyle).isValid(); }

std::string BoxNameOfCaption(const char* caption) {
    QString name = QTextDocumentFragment::fromHtml(QString::fromUtf8(caption)).toPlainText().simplified();
    return FromQString(name.left(name.indexOf(" (")).remove(':').trimmed());
}

void ShowRefusalTip(QWidget* widget, const QPoint& position, const QString& reason) {
    QToolTip::showText(widget->mapToGlobal(position), reason, widget);
}

}  // namespace brindlemar

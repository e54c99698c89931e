#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>

namespace brindlemar {

bool ShellOpen(const std::string& target) {
    const QString text = QString::fromStdString(target);
    const QUrl url = QFileInfo(text).isAbsolute() ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::TolerantMode);
    if (!url.isValid() || url.isEmpty()) return false;
    return QDesktopServices::openUrl(url);
}

std::string HelpFilePath() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QString beside = program.filePath("Brindlemar.html");
    if (QFileInfo::exists(beside)) return beside.toStdString();
    const QString installed = QDir::cleanPath(program.filePath(BRINDLEMAR_DATA_FROM_PROGRAM "/Brindlemar.html"));
    return (QFileInfo::exists(installed) ? installed : beside).toStdString();
}

bool ShowHelp() {
    const std::string path = HelpFilePath();
    if (!QFileInfo::exists(QString::fromStdString(path))) return false;
    return ShellOpen(path);
}

bool ShowHelpOnF1(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1) return false;
    ShowHelp();
    event->accept();
    return true;
}

}  // namespace brindlemar

#include "platform/Shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QUrl>

#include "platform/QtText.h"
#include "runtime/Hooks.h"

namespace brindlemar {

namespace {

// The warnings the desktop service gives while it tries: the reason it failed.
QString* desktopWarnings = nullptr;
QtMessageHandler previousHandler = nullptr;

void KeepWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (desktopWarnings != nullptr && type == QtWarningMsg) *desktopWarnings = text;
    if (previousHandler != nullptr) previousHandler(type, context, text);
}

bool DesktopOpen(const std::string& target, std::string& reason) {
    const QString text = QString::fromStdString(target);
    const QUrl url = QFileInfo(text).isAbsolute() ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::TolerantMode);
    if (!url.isValid() || url.isEmpty()) {
        reason = "no address to open";
        return false;
    }
    QString warning;
    desktopWarnings = &warning;
    previousHandler = qInstallMessageHandler(KeepWarning);
    const bool opened = QDesktopServices::openUrl(url);
    qInstallMessageHandler(previousHandler);
    desktopWarnings = nullptr;
    // the desktop's sentence goes inside another: without its full stop
    while (warning.endsWith('.') || warning.endsWith(' ')) warning.chop(1);
    if (!opened) reason = warning.isEmpty() ? "the desktop has no program to open it" : warning.toStdString();
    return opened;
}

ShellOpener& Opener() {
    static ShellOpener opener = DesktopOpen;
    return opener;
}

}  // namespace

bool ShellOpen(const std::string& target, std::string* reason) {
    std::string why;
    const bool opened = Opener()(target, why);
    if (reason != nullptr) *reason = why;
    return opened;
}

ShellOpener InstallShellOpener(ShellOpener opener) {
    ShellOpener previous = std::move(Opener());
    Opener() = opener ? std::move(opener) : ShellOpener(DesktopOpen);
    return previous;
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
    // the path is told as the desktop names it, in the messages' own characters
    const std::string shown = FromQString(QDir::toNativeSeparators(QString::fromStdString(path)));
    if (!QFileInfo::exists(QString::fromStdString(path))) {
        MsgBox("The help page is missing: " + shown, vbExclamation, ProductName);
        return false;
    }
    std::string reason;
    if (ShellOpen(path, &reason)) return true;
    MsgBox("No browser could be started for the help page (" + FromQString(QString::fromStdString(reason)) +
               "). Open it in a browser: " + shown,
           vbExclamation, ProductName);
    return false;
}

bool ShowHelpOnF1(QKeyEvent* event) {
    if (event->key() != Qt::Key_F1) return false;
    ShowHelp();
    event->accept();
    return true;
}

}  // namespace brindlemar

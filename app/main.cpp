#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "files/DefaultsFile.h"
#include "model/Model.h"
#include "platform/QtUiHooks.h"
#include "platform/Shell.h"
#include "ui/main/Form1.h"
#include "ui/main/Main.h"

namespace {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value;
}

// The window systems Qt will try: `-platform NAME` on the command line, else
// QT_QPA_PLATFORM; empty leaves the choice to Qt.
std::string RequestedPlatforms(int argc, char* argv[]) {
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0) return argv[i + 1];
    const char* variable = std::getenv("QT_QPA_PLATFORM");
    return variable ? variable : "";
}

// Whether one of the window systems asked for has a display server to talk
// to. Only X11 and Wayland are judged; offscreen, frame buffers and the like
// need none and go through.
bool DisplayNamed(const std::string& platforms) {
    if (platforms.empty()) return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
    // a list of fall-backs, "wayland;xcb", each with options after a colon
    std::istringstream list(platforms);
    std::string entry;
    while (std::getline(list, entry, ';')) {
        const std::string name = entry.substr(0, entry.find(':'));
        if (name == "xcb") {
            if (IsSet("DISPLAY")) return true;
        } else if (name.rfind("wayland", 0) == 0) {
            if (IsSet("WAYLAND_DISPLAY") || IsSet("WAYLAND_SOCKET")) return true;
        } else {
            return true;
        }
    }
    return false;
}

// While the application object starts the window system, Qt's messages are
// held back: when it cannot start, Qt ends with a hint about reinstalling the
// program, so the user gets one line with the cause instead; otherwise the
// held messages go out as usual.
QtMessageHandler usualHandler = nullptr;
struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};
QList<HeldMessage> heldMessages;

void HoldStartUpMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtFatalMsg) {
        const QString cause = heldMessages.isEmpty() ? text.section('\n', 0, 0) : heldMessages.first().text;
        std::fprintf(stderr, "Brindlemar cannot open a window: %s\n", qPrintable(cause.simplified()));
        std::_Exit(1);
    }
    heldMessages.append({type, context.category ? QByteArray(context.category) : QByteArray(), text});
}

void ReleaseStartUpMessages() {
    qInstallMessageHandler(usualHandler);
    for (const HeldMessage& held : heldMessages) {
        const QMessageLogContext context(nullptr, 0, nullptr, held.category.isEmpty() ? nullptr : held.category.data());
        if (usualHandler) usualHandler(held.type, context, held.text);
    }
    heldMessages.clear();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (!DisplayNamed(RequestedPlatforms(argc, argv))) {
        std::fprintf(stderr, "Brindlemar cannot open a window: no display is set (DISPLAY or WAYLAND_DISPLAY)\n");
        return 1;
    }
    usualHandler = qInstallMessageHandler(HoldStartUpMessage);
    QApplication app(argc, argv);
    ReleaseStartUpMessages();
    app.setApplicationName("Brindlemar");
    app.setOrganizationName("Brindlemar");
    // the desktop matches the windows to the menu entry, which has the same icon
    app.setDesktopFileName("brindlemar");
    app.setWindowIcon(QIcon(":/icons/brindlemar.png"));
    brindlemar::InstallQtUiHooks();

    // the application object has taken its own options out of argv; what is
    // left is passed on byte for byte, so that a file name that is no UTF-8
    // (an old Latin-1 name) still reaches the file unchanged
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    brindlemar::Model model;
    model.ProgramDirectory = QApplication::applicationDirPath().toStdString();
    model.ConfigurationDirectory = brindlemar::UserConfigDirectory();
    std::unique_ptr<brindlemar::Form1> window(brindlemar::Main(model, arguments));

    // BRINDLEMAR_START_CHECK: once the window is up, say what was opened, where
    // the help page is and whether the window has its icon, and end; lets a
    // test start an installed copy without a person to close it
    if (qEnvironmentVariableIsSet("BRINDLEMAR_START_CHECK")) {
        QTimer::singleShot(0, [&] {
            std::printf("project: %s\nhelp: %s\nicon: %s\n", model.ProjectFilePath.c_str(),
                        brindlemar::HelpFilePath().c_str(), window->windowIcon().pixmap(32).isNull() ? "none" : "shown");
            std::fflush(stdout);
            QApplication::quit();
        });
    }
    return app.exec();
}

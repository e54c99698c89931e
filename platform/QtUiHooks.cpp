#include "platform/QtUiHooks.h"

#include <QApplication>
#include <QGuiApplication>

#include "platform/QtText.h"
#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

bool busyShown = false;

int ShowMessageBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    PrepareMessageBox(box, text, style, title);
    // a busy pointer over a question would hide that the program waits for an answer
    const bool wasBusy = QtBusyPointerShown();
    if (wasBusy) SetQtBusyPointer(false);
    const int pressed = box.exec();
    if (wasBusy) SetQtBusyPointer(true);
    return MessageBoxAnswer(style, pressed);
}

}  // namespace

std::vector<MessageBoxChoice> MessageBoxChoices(int style) {
    switch (style & 7) {
        case vbOKCancel: return {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        case vbYesNoCancel: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        case vbYesNo: return {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        default: return {{QMessageBox::Ok, vbOK}};
    }
}

QMessageBox::Icon MessageBoxIcon(int style) {
    switch (style & 0x70) {
        case vbCritical: return QMessageBox::Critical;
        case vbQuestion: return QMessageBox::Question;
        case vbExclamation: return QMessageBox::Warning;
        case vbInformation: return QMessageBox::Information;
        default: return QMessageBox::NoIcon;
    }
}

void PrepareMessageBox(QMessageBox& box, const std::string& text, int style, const std::string& title) {
    box.setWindowTitle(ToQString(title));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(text));
    box.setIcon(MessageBoxIcon(style));
    const std::vector<MessageBoxChoice> choices = MessageBoxChoices(style);
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.Button;
    box.setStandardButtons(buttons);
    const size_t defaultIndex = static_cast<size_t>((style & 0xF00) / 256);
    box.setDefaultButton(choices[defaultIndex < choices.size() ? defaultIndex : 0].Button);
}

int MessageBoxAnswer(int style, int pressedButton) {
    const std::vector<MessageBoxChoice> choices = MessageBoxChoices(style);
    for (const auto& c : choices)
        if (pressedButton == c.Button) return c.Result;
    for (int safe : {vbCancel, vbNo, vbOK})
        for (const auto& c : choices)
            if (c.Result == safe) return safe;
    return choices.front().Result;
}

void SetQtBusyPointer(bool busy) {
    if (busy == busyShown) return;
    busyShown = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool QtBusyPointerShown() { return busyShown; }

void InstallQtUiHooks() {
    UiHooks hooks;
    hooks.MsgBox = ShowMessageBox;
    hooks.Beep = [] { QApplication::beep(); };
    hooks.SetBusyPointer = SetQtBusyPointer;
    // painting goes on; input is kept for when the program listens again
    hooks.DoEvents = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20); };
    InstallUiHooks(std::move(hooks));
}

}  // namespace brindlemar

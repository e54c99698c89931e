#include "platform/QtUiHooks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

int ShowMessageBox(const std::string& text, int style, const std::string& title) {
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QString::fromStdString(Cp1252ToUtf8(title)));
    box.setText(QString::fromStdString(Cp1252ToUtf8(text)));
    switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
    }
    struct Choice { QMessageBox::StandardButton button; int result; };
    std::vector<Choice> choices;
    switch (style & 7) {
        case vbOKCancel: choices = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}}; break;
        case vbYesNoCancel:
            choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
            break;
        case vbYesNo: choices = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}}; break;
        default: choices = {{QMessageBox::Ok, vbOK}}; break;
    }
    QMessageBox::StandardButtons buttons;
    for (const auto& c : choices) buttons |= c.button;
    box.setStandardButtons(buttons);
    const size_t defaultIndex = static_cast<size_t>((style & 0xF00) / 256);
    if (defaultIndex < choices.size()) box.setDefaultButton(choices[defaultIndex].button);
    const int pressed = box.exec();
    for (const auto& c : choices)
        if (pressed == c.button) return c.result;
    // closed with the window's close button: Cancel where there is one
    for (const auto& c : choices)
        if (c.result == vbCancel) return vbCancel;
    return choices.front().result;
}

}  // namespace

void InstallQtUiHooks() {
    UiHooks hooks;
    hooks.MsgBox = ShowMessageBox;
    hooks.Beep = [] { QApplication::beep(); };
    hooks.SetBusyPointer = [](bool busy) {
        if (busy)
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        else if (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
    };
    InstallUiHooks(std::move(hooks));
}

}  // namespace brindlemar

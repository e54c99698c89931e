#include "runtime/Hooks.h"

#include <iostream>

namespace brindlemar {

namespace {
UiHooks& Installed() {
    static UiHooks hooks;
    return hooks;
}
}  // namespace

UiHooks InstallUiHooks(UiHooks hooks) {
    UiHooks previous = Installed();
    Installed() = std::move(hooks);
    return previous;
}

int DefaultMsgBoxAnswer(int style) {
    const int buttons = style & 7;
    const int defaultButton = (style & 0xF00) / 256;  // 0 first, 1 second, 2 third
    switch (buttons) {
        case vbOKCancel: return defaultButton == 1 ? vbCancel : vbOK;
        case vbYesNoCancel: return defaultButton == 1 ? vbNo : defaultButton == 2 ? vbCancel : vbYes;
        case vbYesNo: return defaultButton == 1 ? vbNo : vbYes;
        default: return vbOK;
    }
}

int HeadlessMsgBox(const std::string& text, int style, const std::string& title) {
    std::cerr << title << ": " << text << '\n';
    return DefaultMsgBoxAnswer(style);
}

int MsgBox(const std::string& text, int style, const std::string& title) {
    if (Installed().MsgBox) return Installed().MsgBox(text, style, title);
    return HeadlessMsgBox(text, style, title);
}

void Beep() {
    if (Installed().Beep) Installed().Beep();
}

void DoEvents() {
    if (Installed().DoEvents) Installed().DoEvents();
}

void SetBusyPointer(bool busy) {
    if (Installed().SetBusyPointer) Installed().SetBusyPointer(busy);
}

}  // namespace brindlemar

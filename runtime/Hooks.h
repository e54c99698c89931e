#pragma once
// The message box, the beep and the busy pointer, as hooks. Code below the
// user interface calls these; the application installs Qt implementations,
// tests install a recorder, and with nothing installed they write to
// standard error and answer the default button.

#include <functional>
#include <string>

namespace brindlemar {

// Message-box styles (add an icon to a button set).
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// Buttons a message box returns.
enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbYes = 6,
    vbNo = 7,
};

// The product name, the title of every message box.
inline constexpr const char* ProductName = "Brindlemar";

struct UiHooks {
    std::function<int(const std::string& text, int style, const std::string& title)> MsgBox;
    std::function<void()> Beep;
    std::function<void(bool busy)> SetBusyPointer;
    // lets the windows paint while the program waits (for a lock); what the
    // user types or clicks meanwhile waits for the program
    std::function<void()> DoEvents;
};

// Installs the hooks (a hook left empty falls back to the headless default)
// and returns the ones installed before, so a caller can restore them.
UiHooks InstallUiHooks(UiHooks hooks);

// The button a headless message box answers: OK, or Yes, or the default
// button the style names.
int DefaultMsgBoxAnswer(int style);

int MsgBox(const std::string& text, int style = vbOKOnly, const std::string& title = ProductName);
// The message box with no window installed: the text on standard error,
// the default button's answer.
int HeadlessMsgBox(const std::string& text, int style, const std::string& title);
void Beep();
void SetBusyPointer(bool busy);
void DoEvents();

// Shows the busy pointer while alive, restores the normal one on every exit.
class BusyPointer {
public:
    BusyPointer() { SetBusyPointer(true); }
    ~BusyPointer() { SetBusyPointer(false); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;
};

}  // namespace brindlemar

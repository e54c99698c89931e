#pragma once
// Installs the Qt message box, beep and busy pointer behind the runtime hooks.

#include <QMessageBox>
#include <string>
#include <vector>

namespace brindlemar {

void InstallQtUiHooks();

// The buttons of a message-box style, in the order shown, each with the
// answer it gives.
struct MessageBoxChoice {
    QMessageBox::StandardButton Button;
    int Result;
};
std::vector<MessageBoxChoice> MessageBoxChoices(int style);
QMessageBox::Icon MessageBoxIcon(int style);

// Prepares the message box a style asks for (title, text, icon, buttons,
// default button), not shown yet.
void PrepareMessageBox(QMessageBox& box, const std::string& text, int style, const std::string& title);

// The answer for the button the box was closed with; a box closed without a
// button (Escape, the window's close button) answers Cancel, else No, else OK,
// never an answer that goes ahead with something.
int MessageBoxAnswer(int style, int pressedButton);

// The busy pointer is a state, not a count: one call with false ends it
// however often it was switched on.
void SetQtBusyPointer(bool busy);
bool QtBusyPointerShown();

}  // namespace brindlemar

#pragma once
// A window command that meets a run-time error tells the user and ends the
// step; the program goes on.

#include <string>

#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

// Runs `step`; a run-time error restores the pointer and shows its
// description with the exclamation icon. Returns whether the step ran through.
template <typename Step>
bool RunTrapped(Step&& step) {
    try {
        step();
        return true;
    } catch (const RuntimeError& e) {
        SetBusyPointer(false);
        MsgBox(e.Description, vbExclamation, ProductName);
        return false;
    }
}

}  // namespace brindlemar

#pragma once
// One message box for a fault met over and over within one command.

#include <set>
#include <string>

#include "runtime/Hooks.h"

namespace brindlemar {

// While alive, an error message already shown is not shown again: the steps
// of one redraw, or the combinations of one set, meet the same fault one
// after another, and the user should close its box once, not once per step.
// Only the outermost scope filters.
class OneBoxPerError {
public:
    OneBoxPerError() {
        if (active_) return;
        active_ = true;
        owner_ = true;
        previous_ = InstallUiHooks({});
        UiHooks hooks = previous_;
        hooks.MsgBox = [this](const std::string& text, int style, const std::string& title) {
            if (style == vbExclamation && !shown_.insert(text).second) return int{vbOK};
            return previous_.MsgBox ? previous_.MsgBox(text, style, title) : HeadlessMsgBox(text, style, title);
        };
        InstallUiHooks(std::move(hooks));
    }
    ~OneBoxPerError() {
        if (!owner_) return;
        InstallUiHooks(previous_);
        active_ = false;
    }
    OneBoxPerError(const OneBoxPerError&) = delete;
    OneBoxPerError& operator=(const OneBoxPerError&) = delete;

private:
    static inline bool active_ = false;
    bool owner_ = false;
    UiHooks previous_;
    std::set<std::string> shown_;
};

}  // namespace brindlemar

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
        if (owner_) return;
        owner_ = this;
        previous_ = InstallUiHooks({});
        UiHooks hooks = previous_;
        hooks.MsgBox = [this](const std::string& text, int style, const std::string& title) {
            if (style == vbExclamation && !shown_.insert(text).second) return int{vbOK};
            return Pass(text, style, title);
        };
        InstallUiHooks(std::move(hooks));
    }
    ~OneBoxPerError() {
        if (owner_ != this) return;
        InstallUiHooks(previous_);
        owner_ = nullptr;
    }
    OneBoxPerError(const OneBoxPerError&) = delete;
    OneBoxPerError& operator=(const OneBoxPerError&) = delete;

    // A message the user's own action asks for (a paper the printer refuses,
    // say) is told every time, also within a filtering scope.
    static int Unfiltered(const std::string& text, int style, const std::string& title) {
        return owner_ ? owner_->Pass(text, style, title) : MsgBox(text, style, title);
    }

private:
    int Pass(const std::string& text, int style, const std::string& title) const {
        return previous_.MsgBox ? previous_.MsgBox(text, style, title) : HeadlessMsgBox(text, style, title);
    }

    static inline OneBoxPerError* owner_ = nullptr;
    UiHooks previous_;
    std::set<std::string> shown_;
};

}  // namespace brindlemar

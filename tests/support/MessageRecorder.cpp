#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

namespace brindlemar::test {

MessageRecorder::MessageRecorder() {
    UiHooks hooks;
    hooks.MsgBox = [this](const std::string& text, int style, const std::string& title) {
        Messages.push_back({text, style, title});
        if (OnMessage) OnMessage(Messages.back());
        if (!answers_.empty()) {
            const int answer = answers_.front();
            answers_.pop_front();
            return answer;
        }
        return DefaultMsgBoxAnswer(style);
    };
    hooks.Beep = [this] { ++Beeps; };
    hooks.DoEvents = [this] { ++EventRounds; };
    hooks.SetBusyPointer = [this](bool busy) {
        ++BusyCalls;
        BusyDepth += busy ? 1 : -1;
    };
    previous_ = InstallUiHooks(std::move(hooks));
}

MessageRecorder::~MessageRecorder() {
    InstallUiHooks(std::move(previous_));
    if (!answers_.empty()) ADD_FAILURE() << answers_.size() << " scripted answers were never asked for";
}

}  // namespace brindlemar::test

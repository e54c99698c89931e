#pragma once
// Records every message box, beep and busy-pointer change while alive and
// answers message boxes from a script (or with the default button).

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "runtime/Hooks.h"

namespace brindlemar::test {

struct RecordedMessage {
    std::string Text;
    int Style = 0;
    std::string Title;
};

class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    // Answers for the next message boxes, in order; afterwards the default button.
    void Answer(int button) { answers_.push_back(button); }

    std::vector<RecordedMessage> Messages;
    // called as each message shows, before it is answered
    std::function<void(const RecordedMessage&)> OnMessage;
    int Beeps = 0;
    int BusyDepth = 0;        // +1 per busy, -1 per normal
    int BusyCalls = 0;
    int EventRounds = 0;      // DoEvents calls

private:
    std::deque<int> answers_;
    UiHooks previous_;
};

}  // namespace brindlemar::test

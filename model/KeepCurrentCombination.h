#pragma once
// A guard for a procedure that steps CurrentCombination through the
// combinations of a set: it notes the combination on entry and puts it back
// however the procedure ends, also by a run-time error.

#include <cstdint>

#include "model/Model.h"

namespace brindlemar {

class KeepCurrentCombination {
public:
    explicit KeepCurrentCombination(Model& m) : m_(m), kept_(m.CurrentCombination) {}
    ~KeepCurrentCombination() { m_.CurrentCombination = kept_; }
    // The combination noted on entry, for a step that needs it back before the end.
    int16_t Kept() const { return kept_; }
    KeepCurrentCombination(const KeepCurrentCombination&) = delete;
    KeepCurrentCombination& operator=(const KeepCurrentCombination&) = delete;

private:
    Model& m_;
    const int16_t kept_;
};

}  // namespace brindlemar

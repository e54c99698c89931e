#pragma once
// Which run-time error a piece of code raises, for tests that expect one.

#include "runtime/RuntimeError.h"

namespace brindlemar::test {

// The number of the RuntimeError that `f` raises; 0 when it raises none.
template <class F>
int ErrorOf(F&& f) {
    try {
        f();
    } catch (const RuntimeError& e) {
        return e.Number;
    }
    return 0;
}

}  // namespace brindlemar::test

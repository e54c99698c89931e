#pragma once
// Fonts and painters need an application object; the surface tests make one
// when no other test has.

#include <QApplication>

namespace brindlemar::test {

inline void EnsureQtApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    // left to the end of the process: destroyed among the other statics it
    // would outlive the input devices that shown windows register with it
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

}  // namespace brindlemar::test

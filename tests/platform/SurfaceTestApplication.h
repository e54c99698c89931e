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
    static QApplication app(argc, argv);
}

}  // namespace brindlemar::test

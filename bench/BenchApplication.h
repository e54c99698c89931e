#pragma once
// Fonts and painters need an application object: the benchmarks that draw
// make one, on the offscreen platform unless another is asked for.

#include <QApplication>

namespace brindlemar::bench {

inline void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "brindlemar_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

}  // namespace brindlemar::bench

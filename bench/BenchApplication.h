#pragma once
// Fonts and painters need an application object: the benchmarks that draw
// make one, on the offscreen platform unless another is asked for.

#include <QApplication>
#include <string>

#include "platform/ImageSurface.h"

namespace brindlemar::bench {

inline void EnsureApplication() {
    if (QCoreApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "brindlemar_bench";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
}

// A full-HD picture in the program's 8-point text, framed whole, as the
// main window's picture is on such a screen.
inline void FrameFullHd(ImageSurface& s, const std::string& font) {
    s.FontName = font;
    s.FontSize = 8;
    s.Drawing().FrameWidth = 1920 * 15;
    s.Drawing().FrameHeight = 1080 * 15;
}

}  // namespace brindlemar::bench

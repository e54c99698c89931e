#include "platform/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace brindlemar {

namespace {
double FromDpi(double dpi) { return dpi > 0 ? TwipsPerInch / dpi : 15.0; }
}  // namespace

double TwipsPerPixel(const QWidget* widget) {
    if (widget != nullptr && widget->screen() != nullptr) return FromDpi(widget->screen()->logicalDotsPerInchX());
    return ScreenTwipsPerPixel();
}

double ScreenTwipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? FromDpi(screen->logicalDotsPerInchX()) : 15.0;
}

int TwipsToPixels(double twips, double twipsPerPixel) {
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

double PixelsToTwips(double pixels, double twipsPerPixel) { return pixels * twipsPerPixel; }

}  // namespace brindlemar

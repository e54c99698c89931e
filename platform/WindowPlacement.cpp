#include "platform/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>
#include <optional>

#include "platform/Twips.h"
#include "platform/ScreenFit.h"

namespace brindlemar {

namespace {

const char* const Section = "Window";

// The value of a key, its default when absent, nothing when it is no number.
std::optional<double> ReadNumber(QSettings& settings, const char* key, double fallback) {
    const QVariant value = settings.value(QString(Section) + "/" + key);
    if (!value.isValid()) return fallback;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    if (!ok) return std::nullopt;
    return number;
}

}  // namespace

std::unique_ptr<QSettings> OpenProgramSettings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "Brindlemar", "Brindlemar");
}

WindowPlacementValues ReadWindowPlacement(QSettings& settings, const QRect& screen, const QRect& available,
                                          QSize minimum, double twipsPerPixel) {
    const double screenWidth = PixelsToTwips(screen.width(), twipsPerPixel);
    const double screenHeight = PixelsToTwips(screen.height(), twipsPerPixel);
    const double defaults[4] = {(screenWidth - screenHeight) / 2, 0, screenHeight, screenHeight};
    const char* const keys[4] = {"Left", "Top", "Width", "Height"};

    double twips[4];
    int state = 0;
    bool allNumbers = true;
    for (int i = 0; i < 4; ++i) {
        const auto value = ReadNumber(settings, keys[i], defaults[i]);
        allNumbers = allNumbers && value.has_value();
        twips[i] = value.value_or(defaults[i]);
    }
    const auto stateValue = ReadNumber(settings, "WindowState", 0);
    allNumbers = allNumbers && stateValue.has_value();
    if (!allNumbers) {
        std::copy(std::begin(defaults), std::end(defaults), std::begin(twips));
    } else {
        state = static_cast<int>(*stateValue);
        if (state < 0 || state > 2) state = 0;
    }

    int left = screen.left() + TwipsToPixels(twips[0], twipsPerPixel);
    int top = screen.top() + TwipsToPixels(twips[1], twipsPerPixel);
    int width = std::max(TwipsToPixels(twips[2], twipsPerPixel), minimum.width());
    int height = std::max(TwipsToPixels(twips[3], twipsPerPixel), minimum.height());

    // keep the window on the usable part of the screen
    if (!available.isEmpty()) {
        width = std::min(width, std::max(available.width(), minimum.width()));
        height = std::min(height, std::max(available.height(), minimum.height()));
        left = std::clamp(left, available.left(), std::max(available.left(), available.right() + 1 - width));
        top = std::clamp(top, available.top(), std::max(available.top(), available.bottom() + 1 - height));
    }
    return {QRect(left, top, width, height), state};
}

void LoadWindowPlacement(QWidget* window, QSettings& settings) {
    const QScreen* screen = window->screen() != nullptr ? window->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const WindowPlacementValues placement =
        ReadWindowPlacement(settings, screen->geometry(), ClientRoom(window), window->minimumSize(),
                            TwipsPerPixel(window));
    window->setGeometry(placement.Geometry);
    if (placement.WindowState == 1)
        window->setWindowState(Qt::WindowMinimized);
    else if (placement.WindowState == 2)
        window->setWindowState(Qt::WindowMaximized);
}

void StoreWindowPlacement(const QWidget* window, QSettings& settings) {
    const double tpp = TwipsPerPixel(window);
    const QRect normal = window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    const QRect screen = window->screen() != nullptr ? window->screen()->geometry() : QRect();
    settings.beginGroup(Section);
    settings.setValue("Left", PixelsToTwips(normal.left() - screen.left(), tpp));
    settings.setValue("Top", PixelsToTwips(normal.top() - screen.top(), tpp));
    settings.setValue("Width", PixelsToTwips(normal.width(), tpp));
    settings.setValue("Height", PixelsToTwips(normal.height(), tpp));
    // a program that starts minimised looks as if it had not started
    settings.setValue("WindowState", window->isMaximized() ? 2 : 0);
    settings.endGroup();
}

void RestoreFormWindow(QWidget* window) {
    if (window->windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        window->setWindowState(Qt::WindowNoState);
}

void CentreOnOwner(QWidget* window, const QWidget* owner) {
    if (owner == nullptr) return;
    const QRect main = owner->frameGeometry();
    const QRect self = window->frameGeometry();
    const QPoint frameCorner((main.width() - self.width()) / 2 + main.left(), (main.height() - self.height()) / 2 + main.top());
    KeepOnScreen(window, frameCorner + (window->geometry().topLeft() - self.topLeft()));
}

}  // namespace brindlemar

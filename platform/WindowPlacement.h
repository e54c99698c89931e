#pragma once
// Where the main window opens: the values "Left", "Top", "Width", "Height"
// (twips) and "WindowState" (0 normal, 1 minimised, 2 maximised) of the
// section "Window" in the per-user settings.

#include <QRect>
#include <QSize>
#include <memory>

class QSettings;
class QWidget;

namespace brindlemar {

// The program's per-user settings store.
std::unique_ptr<QSettings> OpenProgramSettings();

struct WindowPlacementValues {
    QRect Geometry;       // pixels
    int WindowState = 0;  // 0 normal, 1 minimised, 2 maximised
};

// The placement read from `settings`. Absent values take their defaults: a
// square as high as the screen, centred left to right, at the top, normal.
// A value that is not a number makes the whole placement fall back to those
// defaults. The window is made no smaller than `minimum` and kept on the
// `available` part of the screen.
WindowPlacementValues ReadWindowPlacement(QSettings& settings, const QRect& screen, const QRect& available,
                                          QSize minimum, double twipsPerPixel);

// Applies the stored placement to the window.
void LoadWindowPlacement(QWidget* window, QSettings& settings);
// Stores the window's normal placement and whether it is maximised.
void StoreWindowPlacement(const QWidget* window, QSettings& settings);
// Returns the window to its normal state.
void RestoreFormWindow(QWidget* window);

// Centres `window` over `owner` (its outer rectangle), wholly on the screen.
void CentreOnOwner(QWidget* window, const QWidget* owner);

}  // namespace brindlemar

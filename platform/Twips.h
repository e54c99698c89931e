#pragma once
// Positions and sizes of the windows are reckoned in twips (1440 to the
// inch); the screen's logical resolution turns them into pixels.

class QWidget;

namespace brindlemar {

inline constexpr double TwipsPerInch = 1440.0;

// Twips per pixel of the screen the widget is on (15 at 96 dots per inch).
double TwipsPerPixel(const QWidget* widget);
// Twips per pixel of the primary screen; 15 when there is no screen.
double ScreenTwipsPerPixel();

// Rounds to the nearest whole pixel.
int TwipsToPixels(double twips, double twipsPerPixel);
double PixelsToTwips(double pixels, double twipsPerPixel);

}  // namespace brindlemar

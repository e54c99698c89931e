#pragma once
// Colours as the program stores them: 32-bit RGB values, red in the low byte.

#include <cstdint>

namespace brindlemar {

// Entry n (0 to 15) of the 16-colour palette; error 5 outside it.
int32_t QBColor(int n);

// Red in the low byte, then green, then blue; each clamped to 0..255.
int32_t RGB(int red, int green, int blue);

inline int RedOf(int32_t colour) { return colour & 0xFF; }
inline int GreenOf(int32_t colour) { return (colour >> 8) & 0xFF; }
// How far apart in lightness two colours are: the ratio of their relative
// luminances (each plus 0.05, the glare of a screen), 1 for equal lightness
// up to 21 for black on white.
double ContrastRatio(int32_t a, int32_t b);

// `colour` where it stands out on `ground` (a contrast of at least 2);
// otherwise black or white, whichever stands out more.
int32_t ShownOn(int32_t colour, int32_t ground);

inline int BlueOf(int32_t colour) { return (colour >> 16) & 0xFF; }

}  // namespace brindlemar

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
inline int BlueOf(int32_t colour) { return (colour >> 16) & 0xFF; }

}  // namespace brindlemar

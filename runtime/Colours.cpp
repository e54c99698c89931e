#include "runtime/Colours.h"

#include <algorithm>
#include <cmath>

#include "runtime/RuntimeError.h"

namespace brindlemar {

int32_t RGB(int red, int green, int blue) {
    red = std::clamp(red, 0, 255);
    green = std::clamp(green, 0, 255);
    blue = std::clamp(blue, 0, 255);
    return static_cast<int32_t>(red | (green << 8) | (blue << 16));
}

namespace {

// Relative luminance of a colour on an sRGB screen.
double Luminance(int32_t c) {
    auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(RedOf(c)) + 0.7152 * linear(GreenOf(c)) + 0.0722 * linear(BlueOf(c));
}

}  // namespace

double ContrastRatio(int32_t a, int32_t b) {
    const double la = Luminance(a) + 0.05, lb = Luminance(b) + 0.05;
    return std::max(la, lb) / std::min(la, lb);
}

int32_t ShownOn(int32_t colour, int32_t ground) {
    if (ContrastRatio(colour, ground) >= 2) return colour;
    const int32_t black = RGB(0, 0, 0), white = RGB(255, 255, 255);
    return ContrastRatio(black, ground) >= ContrastRatio(white, ground) ? black : white;
}

int32_t QBColor(int n) {
    static const int palette[16][3] = {
        {0, 0, 0},       {0, 0, 128},     {0, 128, 0},     {0, 128, 128},
        {128, 0, 0},     {128, 0, 128},   {128, 128, 0},   {192, 192, 192},
        {128, 128, 128}, {0, 0, 255},     {0, 255, 0},     {0, 255, 255},
        {255, 0, 0},     {255, 0, 255},   {255, 255, 0},   {255, 255, 255},
    };
    if (n < 0 || n > 15) RaiseError(ErrInvalidCall);
    return RGB(palette[n][0], palette[n][1], palette[n][2]);
}

}  // namespace brindlemar

#include "runtime/Colours.h"

#include <algorithm>

#include "runtime/RuntimeError.h"

namespace brindlemar {

int32_t RGB(int red, int green, int blue) {
    red = std::clamp(red, 0, 255);
    green = std::clamp(green, 0, 255);
    blue = std::clamp(blue, 0, 255);
    return static_cast<int32_t>(red | (green << 8) | (blue << 16));
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

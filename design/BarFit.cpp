#include "design/BarFit.h"

#include <cmath>
#include <limits>

namespace brindlemar {

BarFault BarsFault(double height, double cover, double db, double s) {
    if (!(db > 0) || !(s > 0)) return BarFault::None;
    // lengths typed in whole units and stored as floats: a bar that sits flush
    // with the far face, or bars that touch, differ from it by a rounding
    const auto beyond = [](double a, double b) {
        return a - b > 4 * std::numeric_limits<float>::epsilon() * (std::fabs(a) + std::fabs(b));
    };
    // the bar, from the face under its cover to its far side, within the section
    if (cover < 0 || beyond(cover + db, height)) return BarFault::OutsideConcrete;
    // no clear space between neighbouring bars
    if (beyond(db, s)) return BarFault::Overlap;
    return BarFault::None;
}

BarFault FaceBarsFault(const FlexureDesignResult& r) {
    return BarsFault(r.Height, r.Cover, r.BarDiameter, r.BarSpacing);
}

}  // namespace brindlemar

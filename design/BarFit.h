#pragma once
// Whether a face's bars can exist in its section. Bars closer than their
// own diameter overlap; bars whose cover and diameter together pass the
// section's depth, or that stand beyond its face, lie outside the concrete.
// No check of such bars reads "OK", and the bar search never takes them.

#include "model/Model.h"

namespace brindlemar {

enum class BarFault { None, Overlap, OutsideConcrete };

// Bars of diameter `db` at spacing `s` under `cover` in a section `height`
// deep, all in one length unit. A face without bars (either value 0 or
// less) has none to fault.
BarFault BarsFault(double height, double cover, double db, double s);

// The fault of a face's own bars in its section.
BarFault FaceBarsFault(const FlexureDesignResult& r);

}  // namespace brindlemar

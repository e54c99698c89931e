#pragma once
// The pictures of the tool-bar buttons, painted at any size.

#include <QPixmap>

namespace brindlemar {

// Picture of tool button `index` (0 to 10), `size` pixels square.
QPixmap ToolIcon(int index, int size);

// A transparent picture `size` pixels square in the screen's own pixels, so
// that what is painted on it shows sharp on a scaled screen.
QPixmap SharpPixmap(int size);

}  // namespace brindlemar

#pragma once
// The pictures of the tool-bar buttons, painted at any size.

#include <QPixmap>

namespace brindlemar {

// Picture of tool button `index` (0 to 10), `size` pixels square.
QPixmap ToolIcon(int index, int size);

}  // namespace brindlemar

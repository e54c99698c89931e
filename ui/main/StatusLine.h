#pragma once
// Where the six pieces of the status line stand when the panel is too narrow
// for one line. A line breaks only between pieces, and the comma or bracket
// that opens a piece stays at the end of the line it closes, so that no line
// starts with ", rotation" or "]".

#include <QPoint>
#include <QString>
#include <array>
#include <functional>

namespace brindlemar {

struct StatusLineLayout {
    std::array<QString, 6> Shown;  // the pieces as shown: together they read as the six texts
    std::array<QPoint, 6> At;      // top left of each piece
    std::array<int, 6> Widths{};
    int Lines = 1;
};

// `advance` measures a text in the panel's font; `width` is the room of one
// line and `lineHeight` the distance between lines.
StatusLineLayout WrapStatusLine(const std::array<QString, 6>& pieces, int width, int lineHeight,
                                const std::function<int(const QString&)>& advance);

}  // namespace brindlemar

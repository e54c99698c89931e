#pragma once
// Every window on the screen: a window drawn in twips grows with the desktop's
// scale and its font, and on a small or scaled screen it may be higher or
// wider than the room there is. What does not fit scrolls, while the row of
// buttons at its foot stays in sight, and the window opens wholly on the
// screen, with room for a desktop panel and its own title bar.

#include <QRect>

class QTabWidget;
class QWidget;

namespace brindlemar {

// The part of the screen a window's client area may take: the screen's
// available area, less a panel's height where the screen tells of none, less
// the window's frame and title bar.
QRect ClientRoom(const QWidget* window);

// Makes `window` fit its room. A window placed by position that is only too
// high, holding a grid or text that scrolls by itself, has that control give
// the height: the window scrolls in one place, and what stands above the
// control (headings, names) stays in sight. A window whose tab control holds
// all but its last row of buttons keeps the tabs in sight: each page scrolls
// in an area of its own and comes to the front from its top. Otherwise a
// window larger than the room puts what it holds, all but its last row of
// buttons (and what stands beside them), in a scroll area as large as the
// room allows; a window placed by a box layout does the same with every item
// but its last. The
// window is then moved wholly onto the room. Layout changes waiting for the
// window are made first, and a window fitted before it is shown is fitted
// again as it shows; calling it again only places the window again.
void FitOnScreen(QWidget* window);

// True once FitOnScreen has put what `window` holds, or its pages, in scroll areas: its
// controls are no longer placed in the window itself.
bool ScrollsToFit(const QWidget* window);

// The width of `tabs` that its pages may fill: all of it, less a scroll bar
// down where FitOnScreen has made its pages scroll.
int PageRoomWidth(const QTabWidget* tabs);

// Moves `window` (its client area at `clientTopLeft`) so that it lies wholly
// in its room, as near that place as it can.
void KeepOnScreen(QWidget* window, QPoint clientTopLeft);

}  // namespace brindlemar

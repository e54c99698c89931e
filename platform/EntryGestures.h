#pragma once
// The gestures that reach a value, the same in every window, so that none of
// them turns into a number the user did not mean to type:
// - a double click in a box that holds a number selects the whole number (a
//   word would end at its point, and what is typed would replace the point);
// - a list or a number box turns with the wheel only while it has the focus;
//   over one that has not, the wheel scrolls what the box lies in, and it
//   never moves the focus;
// - a box that the keyboard gives the focus (Tab, Ctrl+Tab, a page switched)
//   has its text selected, so that what is typed replaces it;
// - Tab into a group of option buttons lands on the one selected, and Tab
//   from it leaves the group.

class QFrame;
class QLineEdit;

namespace brindlemar {

// Watches every window of the application from now on; once is enough.
void InstallEntryGestures();

// Selects the whole text of `box` now and each time it takes the focus from
// now on, by the mouse too (the press that gives it the focus leaves the
// text selected), so that what is typed replaces it: the boxes that stand
// for a cell or a name, the number-entry pop-up's. Coming back from a menu
// or another window keeps what was selected.
void SelectWholeText(QLineEdit* box);

// A box of several lines (a text area) whose frame shows that the keys go
// to it, as a one-line box's does: the style draws no mark of its own there.
void FrameShowsFocus(QFrame* box);

}  // namespace brindlemar

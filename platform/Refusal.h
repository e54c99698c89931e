#pragma once
// A refused entry shown where the user looks, not only by a beep (most
// desktops and every remote session have no sound): the box framed and
// tinted red, and the reason as its tool tip and, at once, in a note beside
// it that stays until the box is cleared.

#include <QRect>
#include <QString>
#include <string>

class QLabel;
class QLineEdit;
class QWidget;

namespace brindlemar {

// The tint of a refused box or grid cell.
inline constexpr unsigned RefusedBackground = 0xFFE4E4;
inline constexpr unsigned RefusedFrame = 0xC00000;

void MarkRefused(QLineEdit* box, const QString& reason);
// The box takes its own look and tool tip again.
void ClearRefused(QLineEdit* box);
bool IsMarkedRefused(const QLineEdit* box);

// The name a refusal gives a box, from the caption beside it (UTF-8, rich
// text): without its markup, its symbol in parentheses and its colon.
std::string BoxNameOfCaption(const char* caption);

// Shows `reason` in a note under `area` (in `widget`'s coordinates), or
// above it where under it the note would cover one of the window's buttons
// or pass its foot. The note stays, whatever the mouse and the focus do,
// until HideRefusalReason or until `widget` is hidden; a window shows one
// note at a time.
void ShowRefusalReason(QWidget* widget, const QRect& area, const QString& reason);
void HideRefusalReason(QWidget* widget);
// A window too small for a note beside its box (a pop-up) shows its notes
// in `place`, a label of its own layout, hidden while there is no note.
void KeepRefusalNotesIn(QLabel* place);
// The note a window shows, nullptr when it shows none.
const QWidget* RefusalReasonOf(const QWidget* window);

}  // namespace brindlemar

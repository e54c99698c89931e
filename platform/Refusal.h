#pragma once
// A refused entry shown where the user looks, not only by a beep (most
// desktops and every remote session have no sound): the box framed and
// tinted red, and the reason in one line as its tool tip, shown at once
// beside it.

#include <QPoint>
#include <QString>
#include <string>

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

// Shows `reason` beside `widget` at `position` (in the widget's coordinates).
void ShowRefusalTip(QWidget* widget, const QPoint& position, const QString& reason);

}  // namespace brindlemar

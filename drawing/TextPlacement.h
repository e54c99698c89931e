#pragma once
// Placing text on a surface: aligned plain strings and the in-band markup
// of report and drawing texts. "&" and a code letter switch the font:
// B/b bold, I/i italic, U/u underline, S/s symbol font (on the line of the
// text), H/h superscript and L/l subscript (0.8 of the size, moved 0.3 of
// it); "&" with any other character is dropped with it.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Prints at x on the line CurrentY; the caller sets the font and CurrentY.
void PrintAt(Surface& s, const std::string& text, double x);
// Prints the text centred on x.
void PrintCentered(Surface& s, const std::string& text, double x);
// Prints the text ending at x.
void PrintRightAligned(Surface& s, const std::string& text, double x);

// The text cut at its end to `maxWidth` in the surface's font, so that it
// keeps to its column or frame.
std::string CutToWidth(Surface& s, const std::string& text, double maxWidth);

// `text` followed by `tail`, laid into at most `lines` lines of `maxWidth`
// in the surface's font: wrapped at blanks (a word wider than a line is
// broken), at the surface's font size or, when they will not go in, at the
// largest size down to `least` that holds them. Only then is the text cut,
// marked by an ellipsis, and `tail` (such as " (not stable)") is still
// whole on the last line. Leaves the surface at the size the lines are for;
// never more than `lines` lines, none for an empty text.
std::vector<std::string> FitLines(Surface& s, const std::string& text, const std::string& tail, double maxWidth,
                                  int lines, double least);

// The box a text takes, and the texts already placed in a picture.
struct TextBox {
    double Left = 0, Top = 0, Width = 0, Height = 0;
};
using TextBoxes = std::vector<TextBox>;

// Inline: a label layer asks them for every spot it tries.
// The box grown by `by` on every side.
inline TextBox Grown(const TextBox& b, double by) { return {b.Left - by, b.Top - by, b.Width + 2 * by, b.Height + 2 * by}; }
// Whether two boxes share more than an edge.
inline bool Overlap(const TextBox& a, const TextBox& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}
// Whether the box lies wholly in the area.
inline bool Inside(const TextBox& b, const TextBox& area) {
    return b.Left >= area.Left && b.Top >= area.Top && b.Left + b.Width <= area.Left + area.Width &&
           b.Top + b.Height <= area.Top + area.Height;
}
// The shortest way from one box to the other, 0 where they meet; and its square.
inline double SquaredDistance(const TextBox& a, const TextBox& b) {
    const double dx = std::max({0.0, a.Left - (b.Left + b.Width), b.Left - (a.Left + a.Width)});
    const double dy = std::max({0.0, a.Top - (b.Top + b.Height), b.Top - (a.Top + a.Height)});
    return dx * dx + dy * dy;
}
inline double Distance(const TextBox& a, const TextBox& b) { return std::sqrt(SquaredDistance(a, b)); }

// Which way a text may move to get clear of others: away from its line.
enum class AwayFrom { Above, Below, Left, Right };

// Moves the box the way given, just as far as it must to keep `gap` clear
// of every box already taken (texts that touch read as one: "5.005.00"),
// then adds it to them.
TextBox MoveClear(TextBox box, AwayFrom way, TextBoxes& taken, double gap = 30);

// Renders a text with markup from (x, y) in TextFontName at `size` points,
// one character at a time. The surface keeps the font and line the last
// code left.
void PrintMarkup(const Model& m, Surface& s, double x, double y, const std::string& text, double size);

}  // namespace brindlemar

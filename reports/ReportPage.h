#pragma once
// The sheet of the printed report: two half-page blocks under a grey page
// band, each block under a title band, a footer strip at the bottom. The
// layout is drawn for 165 x 257 mm and scaled by PrintScale to the printable
// area; everything is in twips from the top-left margin corner.

#include <cstdint>
#include <string>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// Texts cut or fitted to a table's column keep this far from its rules,
// twips at a PrintScale of 1.
inline constexpr double TableTextInset = 60;

// Report colours: frames and values, detail rules, failing cells, the band.
int32_t ReportDarkBlue();
int32_t ReportLightGrey();
int32_t ReportRed();
int32_t ReportBandGrey();

// Rounds half to even into 32 bits (sheet measures pass 32767 twips on large
// paper); error 6 beyond that range.
int32_t RoundTwips(double value);

// Measures the sheet at the start of a print job: the scale origin on the
// margin corner, printable size, PrintScale, the half-page and frame heights,
// the paper pens, and PageNumber 1.
void SetupPrinterPage(const Model& m, Surface& s);

// Frames the block at CurrentHalfPage and sets FrameTop: the page band and
// sheet frame with a top block, the title band with the project title with
// every block. A failing step is skipped so the block still prints.
void PrintBlockFrame(const Model& m, Surface& s);

// The section title of a block, centred in the right part of its title band,
// in TextFontName at 10 points (scaled), black.
void PrintBlockTitle(const Model& m, Surface& s, const std::string& title);

void SetPrinterFont(Surface& s, const std::string& fontName, double size, bool bold, bool italic);

// A combination name too long for its column is printed down to this share
// of the table's font size before it is cut.
inline constexpr double LeastNameShare = 0.7;

// The text cut on the right until it fits maxWidth twips in the font given
// (which is left set on the surface).
std::string FitTextToWidth(Surface& s, const std::string& text, double maxWidth, const std::string& fontName,
                           double size, bool bold, bool italic);

// Prints the text two thirds of the font size, half a line lower, and
// continues the line after it at the font it found.
void PrintSubscript(Surface& s, const std::string& text);

// The logo at the left end of the page band: a small square picture.
const Picture& ReportLogo();

}  // namespace brindlemar

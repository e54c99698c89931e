#pragma once
// What start-up decides before the main window opens: the project named on
// the command line and the fonts of the drawings and the report.

#include <string>
#include <vector>

namespace brindlemar {

struct Model;

// The project path in the command-line text: a leading double quote is
// dropped, and the last character only when it is the closing quote; a text
// without quotes is the path as it stands, blanks included. Empty when the
// text is empty.
std::string CommandLinePath(const std::string& commandLine);

// Chooses TextFontName and TitleFontName (the first of "Arial", "Times New
// Roman", "Courier New" among `offered`, else `currentFont`) and
// SymbolFontName ("Symbol" when offered, else ReportFontName). Names compare
// exactly, letter case included.
void ChooseReportFonts(Model& m, const std::vector<std::string>& offered, const std::string& currentFont);

// The font names ChooseReportFonts looks for, in order of preference.
const std::vector<std::string>& ReportFontCandidates();

}  // namespace brindlemar

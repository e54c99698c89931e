#pragma once
// What start-up decides before the main window opens: the fonts of the
// drawings and the report.

#include <string>
#include <vector>

namespace brindlemar {

struct Model;

// Chooses TextFontName and TitleFontName (the first of "Arial", "Times New
// Roman", "Courier New" among `offered`, else `currentFont`) and
// SymbolFontName ("Symbol" when offered, else ReportFontName). Names compare
// exactly, letter case included.
void ChooseReportFonts(Model& m, const std::vector<std::string>& offered, const std::string& currentFont);

// The font names ChooseReportFonts looks for, in order of preference.
const std::vector<std::string>& ReportFontCandidates();

}  // namespace brindlemar

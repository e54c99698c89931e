#include "model/StartUp.h"

#include <algorithm>

#include "model/Model.h"

namespace brindlemar {

std::string CommandLinePath(const std::string& commandLine) {
    if (commandLine.empty() || commandLine.front() != '"') return commandLine;
    std::string path = commandLine.substr(1);
    // a path opened with a quote but never closed keeps its last character
    if (!path.empty() && path.back() == '"') path.pop_back();
    return path;
}

const std::vector<std::string>& ReportFontCandidates() {
    static const std::vector<std::string> names = {"Arial", "Times New Roman", "Courier New", "Symbol"};
    return names;
}

void ChooseReportFonts(Model& m, const std::vector<std::string>& offered, const std::string& currentFont) {
    const auto isOffered = [&](const char* name) {
        return std::find(offered.begin(), offered.end(), name) != offered.end();
    };
    m.TextFontName = currentFont;
    for (const char* name : {"Arial", "Times New Roman", "Courier New"}) {
        if (isOffered(name)) {
            m.TextFontName = name;
            break;
        }
    }
    m.TitleFontName = m.TextFontName;
    m.SymbolFontName = isOffered("Symbol") ? std::string("Symbol") : m.ReportFontName;
}

}  // namespace brindlemar

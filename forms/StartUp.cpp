#include "forms/StartUp.h"

#include <algorithm>

#include "model/Model.h"

namespace brindlemar {

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

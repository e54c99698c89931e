#include "reports/CombinationTexts.h"

#include "design/StabilityTable.h"

namespace brindlemar {

namespace {

std::vector<std::string> FitTerms(const Model& m, Surface& s, int set, int comb, double maxWidth, int lines,
                                  int termsPerLine) {
    const std::vector<std::string> terms = LoadFactorTerms(m, set, comb);
    // "+" and the ellipsis of Windows-1252
    const std::string more = "+\x85";
    std::vector<std::string> out;
    size_t next = 0;
    for (int line = 1; line <= lines; ++line) {
        const bool last = line == lines;
        std::string text;
        for (int taken = 0; next < terms.size() && taken < termsPerLine; ++taken) {
            const std::string longer = text + (next > 0 ? "+" : "") + terms[next];
            // the last line keeps room for the mark while terms would be left over
            const bool leftOver = last && next + 1 < terms.size();
            if (s.TextWidth(longer + (leftOver ? more : "")) > maxWidth) break;
            text = longer;
            ++next;
        }
        if (last && next < terms.size()) text += text.empty() ? more.substr(1) : more;
        out.push_back(text);
    }
    return out;
}

}  // namespace

std::string FormatCombination(const Model& m, Surface& s, int set, int comb, double maxWidth) {
    return FitTerms(m, s, set, comb, maxWidth, 1, S2)[0];
}

std::string FormatCombinationFitted(const Model& m, Surface& s, int set, int comb, double maxWidth, double least) {
    const double size = s.FontSize;
    // a twentieth of the size at a time, the least size last
    for (double trying = size;; trying = std::max(least, trying - size / 20)) {
        s.FontSize = trying;
        std::string formula = FormatCombination(m, s, set, comb, maxWidth);
        if (trying <= least || formula.empty() || formula.back() != '\x85') return formula;
    }
}

std::vector<std::string> FormatCombinationWrapped(const Model& m, Surface& s, int set, int comb, double maxWidth,
                                             int lines) {
    return FitTerms(m, s, set, comb, maxWidth, lines, 4);
}

}  // namespace brindlemar

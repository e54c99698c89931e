#include "reports/CombinationTexts.h"

#include <algorithm>
#include <vector>

#include "design/StabilityTable.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

constexpr int TermsPerLine = 4;

}  // namespace

std::string FormatCombination(const Model& m, int set, int comb) {
    std::string text;
    for (const std::string& term : LoadFactorTerms(m, set, comb)) text += (text.empty() ? "" : "+") + term;
    return text;
}

std::string FormatCombinationWrapped(const Model& m, int set, int comb, int line) {
    if (line == 1) return At(At(m.CombinationSets, set).Combinations, comb).Name + "\n\r";
    const std::vector<std::string> terms = LoadFactorTerms(m, set, comb);
    std::string text;
    const size_t first = static_cast<size_t>(std::max(0, line - 2)) * TermsPerLine;
    for (size_t t = first; t < terms.size() && t < first + TermsPerLine; ++t)
        text += (t > 0 ? "+" : "") + terms[t];
    return line >= 2 ? text : "";
}

}  // namespace brindlemar

#include "reports/CombinationTexts.h"

#include <algorithm>
#include <vector>

#include "runtime/Format.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

constexpr int LastLoadType = 11;
constexpr int TermsPerLine = 4;

std::vector<std::string> Terms(const Model& m, int set, int comb) {
    const CombinationSet& combinationSet = At(m.CombinationSets, set);
    const LoadCombination& combination = At(combinationSet.Combinations, comb);
    std::vector<std::string> terms;
    for (int j = 1; j <= LastLoadType; ++j) {
        const float factor = At(combination.Factor, j);
        if (factor == 0) continue;
        terms.push_back(GeneralNumber(factor) + At(combinationSet.Factors.FactorCode, j));
    }
    return terms;
}

}  // namespace

std::string FormatCombination(const Model& m, int set, int comb) {
    std::string text;
    for (const std::string& term : Terms(m, set, comb)) text += (text.empty() ? "" : "+") + term;
    return text;
}

std::string FormatCombinationWrapped(const Model& m, int set, int comb, int line) {
    if (line == 1) return At(At(m.CombinationSets, set).Combinations, comb).Name + "\n\r";
    const std::vector<std::string> terms = Terms(m, set, comb);
    std::string text;
    const size_t first = static_cast<size_t>(std::max(0, line - 2)) * TermsPerLine;
    for (size_t t = first; t < terms.size() && t < first + TermsPerLine; ++t)
        text += (t > 0 ? "+" : "") + terms[t];
    return line >= 2 ? text : "";
}

}  // namespace brindlemar

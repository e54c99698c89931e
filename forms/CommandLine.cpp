#include "forms/CommandLine.h"

#include "files/Paths.h"

namespace brindlemar {

namespace {

std::string Unquoted(const std::string& text) {
    if (text.empty() || text.front() != '"') return text;
    std::string path = text.substr(1);
    // a path opened with a quote but never closed keeps its last character
    if (!path.empty() && path.back() == '"') path.pop_back();
    return path;
}

}  // namespace

std::string CommandLinePath(const std::vector<std::string>& arguments) {
    auto first = arguments.begin();
    if (first != arguments.end() && *first == "--") ++first;
    if (first == arguments.end()) return "";
    const std::string named = Unquoted(*first);
    if (first + 1 == arguments.end() || IsFile(named)) return named;
    std::string joined = *first;
    for (auto rest = first + 1; rest != arguments.end(); ++rest) joined += " " + *rest;
    joined = Unquoted(joined);
    return IsFile(joined) ? joined : named;
}

}  // namespace brindlemar

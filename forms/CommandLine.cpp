#include "forms/CommandLine.h"

namespace brindlemar {

std::string CommandLinePath(const std::string& commandLine) {
    if (commandLine.empty() || commandLine.front() != '"') return commandLine;
    std::string path = commandLine.substr(1);
    // a path opened with a quote but never closed keeps its last character
    if (!path.empty() && path.back() == '"') path.pop_back();
    return path;
}

}  // namespace brindlemar

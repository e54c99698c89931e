#include "model/CommandLine.h"

namespace brindlemar {

std::string CommandLinePath(const std::string& commandLine) {
    if (commandLine.empty() || commandLine.front() != '"') return commandLine;
    // the last character goes whatever it is: a missing closing quote costs
    // the path its last character
    if (commandLine.size() < 2) return {};
    return commandLine.substr(1, commandLine.size() - 2);
}

}  // namespace brindlemar

#pragma once
// The project file named on the command line.

#include <string>

namespace brindlemar {

// The path in the command-line text: the whole text, blanks included, or,
// when it begins with a double quote, the text without that quote and
// without the closing quote when there is one. Empty when nothing was named.
std::string CommandLinePath(const std::string& commandLine);

}  // namespace brindlemar

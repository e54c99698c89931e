#pragma once
// The project file named on the command line.

#include <string>
#include <vector>

namespace brindlemar {

// The path named by the program's arguments (the window system's own options
// already taken out), byte for byte as the system gave it: "" when nothing
// was named. A first "--", the end of options, is passed over. The first
// argument names the file and any further ones are ignored, except that
// when the first names no file and all of them joined with blanks do, the
// shell split a name with blanks and the joined name is taken. An argument
// that begins with a double quote loses it, and its closing quote when it
// has one.
std::string CommandLinePath(const std::vector<std::string>& arguments);

}  // namespace brindlemar

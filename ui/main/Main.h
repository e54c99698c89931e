#pragma once
// Start-up: the model takes its first state, the report fonts are chosen and
// the main window opens.

#include <string>
#include <vector>

namespace brindlemar {

struct Model;
class Form1;

// Resets `m` to a new project (reading the defaults file), chooses the
// report fonts, then creates, loads and shows the main window, which opens
// the project the program's `arguments` name (see CommandLinePath). The
// caller owns the window and runs the event loop.
Form1* Main(Model& m, const std::vector<std::string>& arguments);

}  // namespace brindlemar

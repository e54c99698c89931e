#pragma once
// One cell of a results table as the windows show it: its text (Windows-1252),
// whether it flags a failed check or is a bold caption, and a note on why,
// which the window shows when the pointer rests on the cell.

#include <string>

namespace brindlemar {

struct TableCell {
    std::string Text;
    bool Red = false;
    bool Bold = false;
    std::string Note{};
};

}  // namespace brindlemar

#pragma once
// One cell of a results table as the windows show it: its text (Windows-1252)
// and whether it flags a failed check or is a bold caption.

#include <string>

namespace brindlemar {

struct TableCell {
    std::string Text;
    bool Red = false;
    bool Bold = false;
};

}  // namespace brindlemar

#pragma once
// The footer line of every sheet: three texts (left, centre, right) in which
// "&Date", "&Time", "&File", "&Page" and "&NPages" are replaced when the
// sheet is finished.

#include <string>

#include "drawing/Surface.h"
#include "model/Model.h"

namespace brindlemar {

// The date and time texts the footer prints.
struct FooterClock {
    std::string Date;
    std::string Time;
};

// The present date in a long form and the time, as the footer prints them.
FooterClock CurrentFooterClock();

// The text with every token replaced, tokens recognised whatever their case;
// an "&" that starts no token stays as it is.
std::string ExpandFooterTokens(const Model& m, const PageState& page, const std::string& text,
                               const FooterClock& clock);
std::string ExpandFooterTokens(const Model& m, const PageState& page, const std::string& text);

// Prints the three footer texts on the last line of the printable area. A
// failure is told in a message box and the job goes on with the next sheet.
void PrintPageFooter(const Model& m, Surface& s);

}  // namespace brindlemar

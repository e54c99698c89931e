#pragma once
// Which font names the printer and the screen offer. A name is offered when
// a face of that family is installed, or when the font system puts a face of
// the same metrics in its place (Liberation Sans for "Arial"), so that texts
// measure as they were laid out.

#include <string>
#include <vector>

namespace brindlemar {

// The names of `wanted` that are offered by a device whose font list is
// `installed` (names compared exactly, letter case included), in the order given.
std::vector<std::string> OfferedFontNames(const std::vector<std::string>& wanted,
                                          const std::vector<std::string>& installed);

// The family that the font system actually uses for `name`.
std::string ResolvedFontFamily(const std::string& name);

// The font that texts get when nothing else is chosen: the printer's when one
// is installed, else the screen's; both come from the same font system.
std::string CurrentFontName();

}  // namespace brindlemar

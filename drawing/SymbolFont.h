#pragma once
// The symbol font's letters stand for Greek letters and mathematical signs
// ("g" gamma, "f" phi, "d" delta, "b" beta, "q" theta, 0xB0 degree...).
// Surfaces draw such texts as the characters meant, in the text font.

#include <string>

namespace brindlemar {

// True for the symbol font's family name, in any case.
bool IsSymbolFont(const std::string& fontName);

// The character a byte of the symbol font stands for; bytes the font
// leaves undefined stand for themselves (read as Windows-1252).
char32_t SymbolCharacter(unsigned char byte);

// A whole text of the symbol font as the characters it stands for.
std::u32string SymbolTextToUnicode(const std::string& text);

}  // namespace brindlemar

#pragma once
// Texts are kept as the files hold them, one byte a character in
// Windows-1252; the user interface converts at its edge.

#include <string>

namespace brindlemar {

std::string Cp1252ToUtf8(const std::string& text);
// The character a Windows-1252 byte stands for; the five bytes the code page
// leaves undefined stand for the control characters of the same number.
char32_t Cp1252Character(unsigned char byte);
// Characters without a Windows-1252 byte become "?".
std::string Utf8ToCp1252(const std::string& text);

// ASCII-only case mapping (file, font and footer-field names).
std::string LCase(std::string text);
std::string UCase(std::string text);
std::string Trim(const std::string& text);

}  // namespace brindlemar

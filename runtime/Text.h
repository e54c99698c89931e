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

// A path, as the file system spells it, for a message: in Windows-1252 where
// that spells it whole, else carried whole between two 0x81 bytes (a byte
// the code page leaves undefined) as the hexadecimal digits of its UTF-8,
// which Cp1252ToUtf8 turns back into the name. A byte that is no UTF-8 in
// the name stands for the Latin-1 character of that number.
std::string PathForMessage(const std::string& path);

// ASCII-only case mapping (file, font and footer-field names).
std::string LCase(std::string text);
std::string UCase(std::string text);
std::string Trim(const std::string& text);

}  // namespace brindlemar

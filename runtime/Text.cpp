#include "runtime/Text.h"

namespace brindlemar {

namespace {
// Windows-1252 bytes 0x80..0x9F; 0 where the code page has no character.
const char32_t kHigh[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}
// The length of the UTF-8 sequence at `i` of `text` and the character it
// stands for; 0 when the bytes there are no whole sequence.
size_t Utf8SequenceAt(const std::string& text, size_t i, char32_t& c) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    size_t len;
    if (b < 0x80) { c = b; len = 1; }
    else if ((b & 0xE0) == 0xC0) { c = b & 0x1F; len = 2; }
    else if ((b & 0xF0) == 0xE0) { c = b & 0x0F; len = 3; }
    else if ((b & 0xF8) == 0xF0) { c = b & 0x07; len = 4; }
    else return 0;
    if (i + len > text.size()) return 0;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char cont = static_cast<unsigned char>(text[i + k]);
        if ((cont & 0xC0) != 0x80) return 0;
        c = (c << 6) | (cont & 0x3F);
    }
    return len;
}
}  // namespace

char32_t Cp1252Character(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0) return kHigh[byte - 0x80];
    return byte;
}

namespace {
constexpr char Carried = '\x81';

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The bytes carried from `start` (just past an opening 0x81) to the closing
// one; false when the text there is no carried name.
bool CarriedName(const std::string& text, std::size_t start, std::string& name, std::size_t& end) {
    end = text.find(Carried, start);
    if (end == std::string::npos || end == start || (end - start) % 2 != 0) return false;
    name.clear();
    for (std::size_t i = start; i < end; i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return false;
        name += static_cast<char>(high * 16 + low);
    }
    return true;
}
}  // namespace

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out, name;
    out.reserve(text.size());
    for (std::size_t i = 0, end = 0; i < text.size(); ++i) {
        if (text[i] == Carried && CarriedName(text, i + 1, name, end)) {
            out += name;
            i = end;
            continue;
        }
        AppendUtf8(out, Cp1252Character(static_cast<unsigned char>(text[i])));
    }
    return out;
}

std::string PathForMessage(const std::string& path) {
    const std::string cp1252 = Utf8ToCp1252(path);
    if (Cp1252ToUtf8(cp1252) == path) return cp1252;
    // the name in UTF-8, a stray byte read as Latin-1
    std::string utf8;
    for (std::size_t i = 0; i < path.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8SequenceAt(path, i, c);
        if (length > 0) {
            utf8.append(path, i, length);
            i += length;
        } else {
            AppendUtf8(utf8, static_cast<unsigned char>(path[i++]));
        }
    }
    static const char digits[] = "0123456789abcdef";
    std::string carried(1, Carried);
    for (unsigned char b : utf8) carried += {digits[b >> 4], digits[b & 15]};
    return carried + Carried;
}

std::string Utf8ToCp1252(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        char32_t c = 0;
        const size_t len = Utf8SequenceAt(text, i, c);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) { out += static_cast<char>(c); continue; }
        char mapped = '?';
        for (int k = 0; k < 32; ++k)
            if (kHigh[k] == c && c != 0) { mapped = static_cast<char>(0x80 + k); break; }
        out += mapped;
    }
    return out;
}

std::string LCase(std::string text) {
    for (char& ch : text)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return text;
}

std::string UCase(std::string text) {
    for (char& ch : text)
        if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
    return text;
}

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

}  // namespace brindlemar

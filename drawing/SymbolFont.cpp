#include "drawing/SymbolFont.h"

#include "drawing/Surface.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

// The symbol font's code page from 0x20 to 0xFF; 0 where a byte keeps its
// Windows-1252 meaning (digits, punctuation and undefined places).
constexpr char32_t kSymbol[224] = {
    // 0x20: space ! forall # exists % & such-that ( ) asterisk + , minus . /
    0, 0, 0x2200, 0, 0x2203, 0, 0, 0x220B, 0, 0, 0x2217, 0, 0, 0x2212, 0, 0,
    // 0x30: digits and : ; < = > ?
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0x40: congruent, capital Greek A to O
    0x2245, 0x0391, 0x0392, 0x03A7, 0x0394, 0x0395, 0x03A6, 0x0393,
    0x0397, 0x0399, 0x03D1, 0x039A, 0x039B, 0x039C, 0x039D, 0x039F,
    // 0x50: capital Greek P to Z, [ therefore ] perpendicular _
    0x03A0, 0x0398, 0x03A1, 0x03A3, 0x03A4, 0x03A5, 0x03C2, 0x03A9,
    0x039E, 0x03A8, 0x0396, 0, 0x2234, 0, 0x22A5, 0,
    // 0x60: overline, small Greek a to o
    0x203E, 0x03B1, 0x03B2, 0x03C7, 0x03B4, 0x03B5, 0x03C6, 0x03B3,
    0x03B7, 0x03B9, 0x03D5, 0x03BA, 0x03BB, 0x03BC, 0x03BD, 0x03BF,
    // 0x70: small Greek p to z, { | } similar, undefined
    0x03C0, 0x03B8, 0x03C1, 0x03C3, 0x03C4, 0x03C5, 0x03D6, 0x03C9,
    0x03BE, 0x03C8, 0x03B6, 0, 0, 0, 0x223C, 0,
    // 0x80 to 0x9F: undefined
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xA0: euro, upsilon hook, prime, less-equal, fraction slash, infinity,
    // florin, card suits, arrows
    0x20AC, 0x03D2, 0x2032, 0x2264, 0x2044, 0x221E, 0x0192, 0x2663,
    0x2666, 0x2665, 0x2660, 0x2194, 0x2190, 0x2191, 0x2192, 0x2193,
    // 0xB0: degree, plus-minus, double prime, greater-equal, times,
    // proportional, partial, bullet, divide, not equal, identical, almost
    // equal, ellipsis, arrow extenders, carriage return
    0x00B0, 0x00B1, 0x2033, 0x2265, 0x00D7, 0x221D, 0x2202, 0x2022,
    0x00F7, 0x2260, 0x2261, 0x2248, 0x2026, 0x23D0, 0x23AF, 0x21B5,
    // 0xC0: alef, Im, Re, Weierstrass, circled times and plus, empty set,
    // intersection, union, superset, superset-equal, not subset, subset,
    // subset-equal, element of, not element of
    0x2135, 0x2111, 0x211C, 0x2118, 0x2297, 0x2295, 0x2205, 0x2229,
    0x222A, 0x2283, 0x2287, 0x2284, 0x2282, 0x2286, 0x2208, 0x2209,
    // 0xD0: angle, nabla, registered, copyright, trade mark, product, root,
    // dot, not, and, or, double arrows
    0x2220, 0x2207, 0x00AE, 0x00A9, 0x2122, 0x220F, 0x221A, 0x22C5,
    0x00AC, 0x2227, 0x2228, 0x21D4, 0x21D0, 0x21D1, 0x21D2, 0x21D3,
    // 0xE0: lozenge, left angle bracket, registered, copyright, trade mark,
    // sum, bracket pieces
    0x25CA, 0x2329, 0x00AE, 0x00A9, 0x2122, 0x2211, 0x239B, 0x239C,
    0x239D, 0x23A1, 0x23A2, 0x23A3, 0x23A7, 0x23A8, 0x23A9, 0x23AA,
    // 0xF0: undefined, right angle bracket, integral and its pieces, bracket pieces
    0, 0x232A, 0x222B, 0x2320, 0x23AE, 0x2321, 0x239E, 0x239F,
    0x23A0, 0x23A4, 0x23A5, 0x23A6, 0x23AB, 0x23AC, 0x23AD, 0,
};

}  // namespace

bool IsSymbolFont(const std::string& fontName) {
    return LCase(Trim(fontName)) == LCase(SymbolFontFamily);
}

char32_t SymbolCharacter(unsigned char byte) {
    if (byte >= 0x20 && kSymbol[byte - 0x20] != 0) return kSymbol[byte - 0x20];
    return Cp1252Character(byte);
}

std::u32string SymbolTextToUnicode(const std::string& text) {
    std::u32string out;
    out.reserve(text.size());
    for (unsigned char b : text) out += SymbolCharacter(b);
    return out;
}

}  // namespace brindlemar

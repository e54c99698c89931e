#pragma once
// The standard names and two-letter codes of the 21 load and resistance
// factors, indexed by factor code (element 0 empty). Texts in Windows-1252.

#include <array>

namespace brindlemar {

struct FactorNameEntry {
    const char* Code;
    const char* Name;
};

inline constexpr std::array<FactorNameEntry, 22> FactorNames{{
    {"", ""},
    {"DL", "Structural dead load"},
    {"EV", "Earth dead load"},
    {"EH", "Lateral earth pressure"},
    {"ES", "Earth surcharge"},
    {"LL", "Live load"},
    {"LD", "Dynamic live load"},
    {"WA", "Water pressure"},
    {"EQ", "Earthquake load"},
    {"IC", "Ice load"},
    {"S1", "Surcharge over heel"},
    {"S2", "Surcharge beyond heel"},
    {"BE", "Bearing"},
    {"FC", "Friction and cohesion"},
    {"EP", "Passive earth pressure"},
    {"RH", "Adjacent structures, anchors or piles"},
    {"EX", "Eccentricity (factor x \xBD base width)"},
    {"RO", "Rotation"},
    {"OS", "Overal stability"},
    {"CT", "Tension-controlled flexure"},
    {"CC", "Compression-controlled flexure"},
    {"CS", "Shear and torsion"},
}};

}  // namespace brindlemar

#pragma once
// The encoding shared by the project, defaults and factor files: packed
// little-endian fields with no tags, so a reader must take exactly the
// fields the writer gave, in the same order.
//
//   Integer  2 bytes, signed
//   Single   4 bytes, IEEE 754 binary32
//   text     an Integer length n, then n bytes (Windows-1252), no terminator
//   lead-in  Integer 0 (an empty header text), then a variant type code 0
//
// Files come from outside the program, so the reader trusts nothing: every
// count, text length and option code is checked against its bounds and the
// bytes left, and any fault raises FileFormatError with a message that names
// what is wrong. A reader stops at the last field of its layout: whatever
// follows is left unread, as writers that did not cut a file short left the
// tail of a longer one behind it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/ModelInputs.h"

namespace brindlemar {

// Title and version written into every file: the layout written is always
// that of this version, so the version text is not taken from the model.
inline constexpr const char* FileTypeTitleText = "Brindlemar Input Data";
inline constexpr const char* FileLayoutVersion = "2.60";

using CombinationSetTable = std::array<CombinationSet, 51>;

// Bytes on disk of the fixed-size records and the smallest variable ones.
inline constexpr std::size_t LineLoadBytes = 18;
inline constexpr std::size_t MinLoadCombinationBytes = 2 + 22 * 4;
inline constexpr std::size_t MinCombinationSetBytes =
    2 + 51 * MinLoadCombinationBytes + 2 + 44 * 2 + 2;

// The largest records can be: every text at the longest length an Integer
// counts. A file larger than the sum of its largest fields is refused before
// it is read.
inline constexpr std::size_t MaxTextBytes = 2 + 32767;
inline constexpr std::size_t MaxLoadCombinationBytes = MaxTextBytes + 22 * 4;
inline constexpr std::size_t MaxCombinationSetBytes =
    MaxTextBytes + 51 * MaxLoadCombinationBytes + 2 + 44 * MaxTextBytes + MaxTextBytes;
// the count, then slots 0 to 50
inline constexpr std::size_t MaxSetTableBytes = 2 + 51 * MaxCombinationSetBytes;

// A file that cannot be taken: its message completes "Not a valid ... file: ".
struct FileFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class RecordWriter {
public:
    void Integer(int16_t value);
    void Single(float value);
    // Raises RuntimeError 6 for a text longer than an Integer can count.
    void Text(const std::string& text);
    void LeadIn();

    void Record(const LineLoad& load);
    void Record(const LoadCombination& combination);
    void Record(const FactorDefinition& factors);
    void Record(const CombinationSet& set);
    // An Integer count, then slots 0 to count: the sets, then the spare slot.
    // Raises RuntimeError 9 for a count outside 0..50.
    void SetTable(int16_t count, const CombinationSetTable& sets);

    const std::string& Bytes() const { return bytes_; }

private:
    std::string bytes_;
};

class RecordReader {
public:
    explicit RecordReader(std::string_view bytes) : bytes_(bytes) {}

    int16_t Integer();
    // Raises FileFormatError for NaN and infinity: no such value may reach the model.
    float Single();
    std::string Text();
    void LeadIn();
    void Skip(std::size_t count);

    // An Integer that must lie within lo..hi ("73 line loads (at most 50)").
    // `noun` names one of what is counted; each needs at least `bytesEach`
    // of the bytes left, and so do `extra` more that follow them.
    int16_t Count(const char* noun, const char* nouns, int lo, int hi, std::size_t bytesEach, int extra = 0);
    // An option code that must be one of lo..hi.
    int16_t Code(const char* name, int lo, int hi);
    // A Boolean switch: any value but 0 is on, and comes back as the
    // program's own True (-1).
    int16_t Switch();

    void Record(LineLoad& load);
    // Refuses a factor with its sign bit set.
    void Record(LoadCombination& combination);
    void Record(FactorDefinition& factors);
    void Record(CombinationSet& set);
    // Reads a set table into `sets` (slots 0 to count), returns the count.
    int16_t SetTable(CombinationSetTable& sets);

    std::size_t Offset() const { return offset_; }
    std::size_t Left() const { return bytes_.size() - offset_; }

private:
    const char* Take(std::size_t count);

    std::string_view bytes_;
    std::size_t offset_ = 0;
};

// Refuses an empty version text, which no version of the program writes (a
// file of zeros, as a crash leaves one, holds no wall), and one later than
// FileLayoutVersion ("2.61", "3.00"): such a file was written by a newer
// version of the program, in a layout this one does not know.
void CheckVersion(const std::string& version);

// Checks an active set and its current combination against a set table
// whose slots 0 to count were read.
void CheckSelection(const CombinationSetTable& sets, int16_t count, int16_t active, int16_t current);

}  // namespace brindlemar

#include "files/Encoding.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>

#include "runtime/RuntimeError.h"

namespace brindlemar {


namespace {

template <class T>
void AppendLittleEndian(std::string& out, T value) {
    using U = std::conditional_t<sizeof(T) == 2, uint16_t, uint32_t>;
    const U bits = std::bit_cast<U>(value);
    for (std::size_t i = 0; i < sizeof(T); ++i) out += static_cast<char>((bits >> (8 * i)) & 0xFF);
}

template <class T>
T FromLittleEndian(const char* p) {
    using U = std::conditional_t<sizeof(T) == 2, uint16_t, uint32_t>;
    U bits = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        bits = static_cast<U>(bits | (static_cast<U>(static_cast<unsigned char>(p[i])) << (8 * i)));
    return std::bit_cast<T>(bits);
}

std::string Bytes(std::size_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

}  // namespace

// ---- writing ----

void RecordWriter::Integer(int16_t value) { AppendLittleEndian(bytes_, value); }

void RecordWriter::Single(float value) { AppendLittleEndian(bytes_, value); }

void RecordWriter::Text(const std::string& text) {
    if (text.size() > 32767) RaiseError(ErrOverflow);
    Integer(static_cast<int16_t>(text.size()));
    bytes_ += text;
}

void RecordWriter::LeadIn() {
    Integer(0);
    Integer(0);
}

void RecordWriter::Record(const LineLoad& load) {
    Single(load.Value);
    Single(load.X);
    Single(load.Y);
    Single(load.Direction);
    Integer(load.LoadType);
}

void RecordWriter::Record(const LoadCombination& combination) {
    Text(combination.Name);
    for (float factor : combination.Factor) Single(factor);
}

void RecordWriter::Record(const FactorDefinition& factors) {
    for (const auto& name : factors.FactorName) Text(name);
    for (const auto& code : factors.FactorCode) Text(code);
}

void RecordWriter::Record(const CombinationSet& set) {
    Text(set.Name);
    for (const auto& combination : set.Combinations) Record(combination);
    Integer(set.CombinationCount);
    Record(set.Factors);
    Text(set.Comment);
}

void RecordWriter::SetTable(int16_t count, const CombinationSetTable& sets) {
    CheckedIndex(count, 0, static_cast<long>(sets.size()) - 1);
    Integer(count);
    for (int slot = 0; slot <= count; ++slot) Record(sets[static_cast<std::size_t>(slot)]);
}

// ---- reading ----

const char* RecordReader::Take(std::size_t count) {
    if (count > Left())
        throw FileFormatError("it ends too early, after " + Bytes(bytes_.size()));
    const char* p = bytes_.data() + offset_;
    offset_ += count;
    return p;
}

void RecordReader::Skip(std::size_t count) { Take(count); }

int16_t RecordReader::Integer() { return FromLittleEndian<int16_t>(Take(2)); }

float RecordReader::Single() {
    const std::size_t at = offset_;
    const float value = FromLittleEndian<float>(Take(4));
    if (!std::isfinite(value))
        throw FileFormatError("the value at byte " + std::to_string(at) + " is not a number");
    return value;
}

std::string RecordReader::Text() {
    const std::size_t at = offset_;
    const int16_t length = Integer();
    if (length < 0)
        throw FileFormatError("a text at byte " + std::to_string(at) + " has length " +
                              std::to_string(length));
    if (static_cast<std::size_t>(length) > Left())
        throw FileFormatError("a text at byte " + std::to_string(at) + " has length " +
                              std::to_string(length) + " but only " + Bytes(Left()) + " follow");
    const char* p = Take(static_cast<std::size_t>(length));
    return std::string(p, static_cast<std::size_t>(length));
}

void RecordReader::LeadIn() {
    Integer();  // the length of an empty header text, never used
    const int16_t variantType = Integer();
    if (variantType != 0)
        throw FileFormatError("it does not begin like one (variant type " + std::to_string(variantType) + ")");
}

int16_t RecordReader::Count(const char* noun, const char* nouns, int lo, int hi, std::size_t bytesEach,
                            int extra) {
    const int16_t count = Integer();
    const auto named = [&](int n) { return std::to_string(n) + " " + (n == 1 ? noun : nouns); };
    if (count < lo) throw FileFormatError(named(count) + " (at least " + std::to_string(lo) + ")");
    if (count > hi) throw FileFormatError(named(count) + " (at most " + std::to_string(hi) + ")");
    const std::size_t needed = static_cast<std::size_t>(count + extra) * bytesEach;
    if (needed > Left())
        throw FileFormatError(named(count) + (extra ? " (" + std::to_string(count + extra) + " records)" : "") +
                              " need " + Bytes(needed) + " but only " + Bytes(Left()) +
                              " follow");
    return count;
}

int16_t RecordReader::Code(const char* name, int lo, int hi) {
    const int16_t code = Integer();
    if (code < lo || code > hi)
        throw FileFormatError(std::string(name) + " " + std::to_string(code) + " (" + std::to_string(lo) +
                              " to " + std::to_string(hi) + ")");
    return code;
}

int16_t RecordReader::Switch() { return Integer() != 0 ? True : False; }

void RecordReader::Record(LineLoad& load) {
    load.Value = Single();
    load.X = Single();
    load.Y = Single();
    load.Direction = Single();
    load.LoadType = Integer();
}

void RecordReader::Record(LoadCombination& combination) {
    combination.Name = Text();
    for (float& factor : combination.Factor) factor = Single();
}

void RecordReader::Record(FactorDefinition& factors) {
    for (auto& name : factors.FactorName) name = Text();
    for (auto& code : factors.FactorCode) code = Text();
}

void RecordReader::Record(CombinationSet& set) {
    set.Name = Text();
    for (auto& combination : set.Combinations) Record(combination);
    set.CombinationCount = Count("combination in a set", "combinations in a set", 0,
                                 static_cast<int>(set.Combinations.size()), 0);
    Record(set.Factors);
    set.Comment = Text();
}

int16_t RecordReader::SetTable(CombinationSetTable& sets) {
    // slots 0 to count are read: the last is the spare slot after the sets
    const int16_t count = Count("combination set", "combination sets", 0,
                                static_cast<int>(sets.size()) - 1, MinCombinationSetBytes, 1);
    for (int slot = 0; slot <= count; ++slot) Record(sets[static_cast<std::size_t>(slot)]);
    return count;
}

void CheckVersion(const std::string& version) {
    if (version.empty()) throw FileFormatError("it names no version of the program");
    // the leading number: whole part, then the decimals as a fraction
    std::size_t i = 0;
    long whole = 0;
    while (i < version.size() && std::isdigit(static_cast<unsigned char>(version[i])) && whole < 100000)
        whole = whole * 10 + (version[i++] - '0');
    if (i == 0) return;
    std::string decimals;
    if (i < version.size() && version[i] == '.')
        while (++i < version.size() && std::isdigit(static_cast<unsigned char>(version[i]))) decimals += version[i];
    const std::string current = FileLayoutVersion;
    const long currentWhole = std::stol(current.substr(0, current.find('.')));
    std::string currentDecimals = current.substr(current.find('.') + 1);
    // "2.7" is 2.70: pad both to one length before comparing digit by digit
    const std::size_t width = std::max(decimals.size(), currentDecimals.size());
    decimals.resize(width, '0');
    currentDecimals.resize(width, '0');
    if (whole > currentWhole || (whole == currentWhole && decimals > currentDecimals))
        throw FileFormatError("it was written by a newer version of the program (" + version + ")");
}

void CheckSelection(const CombinationSetTable& sets, int16_t count, int16_t active, int16_t current) {
    // the spare slot after the sets was read too, and a table without sets
    // of its own (count 1) is used through it
    const int lastSet = count;
    if (active < 0 || active > lastSet)
        throw FileFormatError("active combination set " + std::to_string(active) + " (0 to " +
                              std::to_string(lastSet) + ")");
    const int lastCombination = std::max(sets[static_cast<std::size_t>(active)].CombinationCount - 1, 0);
    if (current < 0 || current > lastCombination)
        throw FileFormatError("current combination " + std::to_string(current) + " of set " +
                              std::to_string(active) + " (0 to " + std::to_string(lastCombination) + ")");
}

}  // namespace brindlemar

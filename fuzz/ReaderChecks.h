#pragma once
// The property every file reader must have, whatever bytes it is given: it
// refuses them, leaving what it was to fill as it was, or it accepts them,
// and then what it read writes back and reads again byte for byte. What was
// read is compared, not the input: a reader leaves whatever follows its
// layout's last field unread, and writes no such tail. Used by the fuzz
// targets and by the test that replays their corpus.

#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "files/DefaultsFile.h"
#include "files/FactorFile.h"
#include "files/ProjectFile.h"

namespace brindlemar::fuzz {

enum class Outcome { Refused, Accepted, Fault };

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads `path` into a copy of `reset` with `read`; on acceptance writes it
// with `write` into `scratch`, reads that back and writes it again. On
// refusal, `same` (when given) compares what the reader was to fill with
// what it held before.
template <class Value, class Read, class Write, class Same>
Outcome CheckReader(const Value& reset, const std::string& path, const std::string& scratch, Read read,
                    Write write, Same same, bool compareRefused) {
    auto value = std::make_unique<Value>(reset);
    if (!read(*value, path))
        return !compareRefused || same(*value, reset) ? Outcome::Refused : Outcome::Fault;
    const std::string first = scratch + "/first";
    const std::string second = scratch + "/second";
    auto again = std::make_unique<Value>(reset);
    if (!write(*value, first) || !read(*again, first) || !write(*again, second)) return Outcome::Fault;
    return ReadAll(first) == ReadAll(second) ? Outcome::Accepted : Outcome::Fault;
}

// What a project or defaults file fills: compared through what the writers
// write, which is every field of both files.
inline bool SameFileFields(const Model& a, const Model& b, const std::string& scratch) {
    // the writers note the old-format values in the model: write copies
    auto x = std::make_unique<Model>(a), y = std::make_unique<Model>(b);
    const std::string px = scratch + "/x", py = scratch + "/y";
    return a.ProjectModified == b.ProjectModified && WriteProjectFile(*x, px) && WriteProjectFile(*y, py) &&
           ReadAll(px) == ReadAll(py) && WriteDefaultsFile(*x, px) && WriteDefaultsFile(*y, py) &&
           ReadAll(px) == ReadAll(py);
}

inline Outcome CheckProjectFile(const Model& reset, const std::string& path, const std::string& scratch,
                                bool compareRefused) {
    return CheckReader(
        reset, path, scratch, [](Model& m, const std::string& p) { return ReadProjectFile(m, p); },
        [](Model& m, const std::string& p) { return WriteProjectFile(m, p); },
        [&](const Model& a, const Model& b) { return SameFileFields(a, b, scratch); }, compareRefused);
}

inline Outcome CheckDefaultsFile(const Model& reset, const std::string& path, const std::string& scratch,
                                 bool compareRefused) {
    return CheckReader(
        reset, path, scratch, [](Model& m, const std::string& p) { return ReadDefaultsFile(m, p); },
        [](Model& m, const std::string& p) { return WriteDefaultsFile(m, p); },
        [&](const Model& a, const Model& b) { return SameFileFields(a, b, scratch); }, compareRefused);
}

inline Outcome CheckFactorFile(const std::string& path, const std::string& scratch, bool compareRefused) {
    return CheckReader(
        FactorFileSets{}, path, scratch,
        [](FactorFileSets& f, const std::string& p) { return ReadFactorFileSets(p, f); },
        [](FactorFileSets& f, const std::string& p) { return WriteFactorFile(f.Sets, f.Count, p); },
        [](const FactorFileSets& a, const FactorFileSets& b) { return a.Count == b.Count && a.Sets == b.Sets; },
        compareRefused);
}

}  // namespace brindlemar::fuzz

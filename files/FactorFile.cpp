#include "files/FactorFile.h"

#include <memory>

#include "files/FileAccess.h"

namespace brindlemar {

namespace {

// The longest factor file: lead-in, title, version, a full set table.
constexpr std::size_t LargestFactorFileBytes = 4 + 2 * MaxTextBytes + MaxSetTableBytes;

// A factor file into `file`; its title and version are not read further:
// there is only one layout, unless the file names no version or a newer one.
void ReadFactorLayout(RecordReader& r, FactorFileSets& file) {
    r.LeadIn();
    r.Text();
    CheckVersion(r.Text());
    file.Count = r.SetTable(file.Sets);
}

}  // namespace

bool WriteFactorFile(const CombinationSetTable& sets, int16_t count, const std::string& path,
                     const ReplaceCheck& mayReplace) {
    const auto compose = [&](RecordWriter& w) {
        w.LeadIn();
        w.Text(FileTypeTitleText);
        w.Text(FileLayoutVersion);
        w.SetTable(count, sets);
    };
    std::unique_ptr<FactorFileSets> scratch;
    const auto parse = [&](RecordReader& r) { ReadFactorLayout(r, *(scratch = std::make_unique<FactorFileSets>())); };
    return WriteFileWith(path, compose, false, nullptr, mayReplace, parse);
}

bool ReadFactorFileSets(const std::string& path, FactorFileSets& file) {
    // a table of 51 sets is large: keep the copy being read off the stack
    auto staged = std::make_unique<FactorFileSets>();
    const bool read = ReadFileWith(path, "load and resistance factor", LargestFactorFileBytes,
                                   [&](RecordReader& r) { ReadFactorLayout(r, *staged); });
    if (read) file = std::move(*staged);
    return read;
}

bool ReadFactorFile(CombinationSetTable& sets, int16_t& count, const std::string& path) {
    auto file = std::make_unique<FactorFileSets>();
    if (!ReadFactorFileSets(path, *file)) return false;
    for (int slot = 0; slot <= file->Count; ++slot) sets[slot] = std::move(file->Sets[slot]);
    count = file->Count <= 0 ? 2 : file->Count;
    return true;
}

}  // namespace brindlemar

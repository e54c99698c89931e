#include "forms/RecentFiles.h"

#include <algorithm>
#include <vector>

namespace brindlemar {

namespace {

std::string DoubledAmpersands(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

// Byte offsets where the characters of a UTF-8 text begin: a byte that does
// not continue a character starts one.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
    return starts;
}

}  // namespace

void AddRecentFile(Model& m, const std::string& path) {
    if (path.empty()) return;
    const int count = std::clamp<int>(m.RecentFileCount, 0, MaxRecentFiles);
    std::vector<std::string> list(m.RecentFiles.begin() + 1, m.RecentFiles.begin() + 1 + count);
    list.erase(std::remove(list.begin(), list.end(), path), list.end());
    list.insert(list.begin(), path);
    if (list.size() > MaxRecentFiles) list.resize(MaxRecentFiles);

    m.RecentFiles.fill({});
    std::copy(list.begin(), list.end(), m.RecentFiles.begin() + 1);
    m.RecentFileCount = static_cast<int16_t>(list.size());
}

std::string RecentFileCaption(int index, const std::string& directory, const std::string& baseName,
                              const std::string& extension) {
    // the folder is cut by characters, never inside one
    std::string folder = directory;
    const std::vector<std::size_t> starts = CharacterStarts(folder);
    if (starts.size() >= 32) folder = "..." + folder.substr(starts[starts.size() - 30]);
    return "&" + std::to_string(index) + " " + DoubledAmpersands(folder + "/" + baseName + "." + extension);
}

}  // namespace brindlemar

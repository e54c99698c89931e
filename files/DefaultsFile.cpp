#include <filesystem>

#include "model/Model.h"
#include "model/ProjectServices.h"

namespace brindlemar {

int16_t FileExists(const std::string& path) {
    std::error_code ec;
    if (path.empty()) return 0;
    return std::filesystem::is_regular_file(path, ec) ? -1 : 0;
}

// The defaults-file layout comes with the project-file readers; until then a
// defaults file is left unread and the built-in defaults stand.
bool ReadDefaultsFile(Model&, const std::string&) { return false; }

}  // namespace brindlemar

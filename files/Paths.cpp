#include "files/Paths.h"

#include <filesystem>
#include <system_error>

#include "runtime/Hooks.h"
#include "runtime/Text.h"

namespace brindlemar {

namespace {

// Index of the last separator, or npos.
std::size_t LastSeparator(const std::string& path) { return path.find_last_of("/\\"); }

// [start, end) of the base name: after the last separator, up to the last
// dot that follows it.
std::pair<std::size_t, std::size_t> BaseNameSpan(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    const std::size_t start = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t dot = path.find_last_of('.');
    const std::size_t end = dot != std::string::npos && dot >= start ? dot : path.size();
    return {start, end};
}

}  // namespace

std::string GetFileExtension(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string::npos) return "";
    return LCase(path.substr(dot + 1));
}

std::string GetFileBaseName(const std::string& path) {
    const auto [start, end] = BaseNameSpan(path);
    return LCase(path.substr(start, end - start));
}

std::string GetFileDirectory(const std::string& path) {
    const std::size_t separator = LastSeparator(path);
    if (separator == std::string::npos) return "";
    return LCase(path.substr(0, separator));
}

std::string BackupFilePath(const std::string& path) {
    const auto [start, end] = BaseNameSpan(path);
    return path.substr(0, end) + ".BAK";
}

std::string NativePath(const std::string& path) {
    std::string native = path;
    if (std::filesystem::path::preferred_separator == '/') {
        for (char& c : native)
            if (c == '\\') c = '/';
    }
    return native;
}

int16_t FileExists(const std::string& path) {
    if (path.empty()) return 0;
    std::error_code ec;
    const auto status = std::filesystem::status(NativePath(path), ec);
    if (ec) {
        // a missing file or folder is an answer, not an error
        if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) return 0;
        MsgBox(ec.message(), vbExclamation, ProductName);
        return 0;
    }
    return std::filesystem::is_regular_file(status) ? -1 : 0;
}

}  // namespace brindlemar

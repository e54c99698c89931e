#include "files/Paths.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

#include "runtime/Text.h"

namespace brindlemar {

namespace {

// Index of the last separator, or npos.
std::size_t LastSeparator(const std::string& path) {
    return path.find_last_of(IsWindowsPath(path) ? "/\\" : "/");
}

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

bool IsWindowsPath(const std::string& path) {
    if (path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':') return true;
    return path.rfind("\\\\", 0) == 0;
}

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

bool NamesSameFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (std::filesystem::equivalent(a, b, ec)) return true;
    const auto canonicalA = std::filesystem::weakly_canonical(a, ec);
    if (ec) return a == b;
    const auto canonicalB = std::filesystem::weakly_canonical(b, ec);
    return ec ? a == b : canonicalA == canonicalB;
}

std::string UserFolder(const char* variable, const char* fallback) {
    if (const char* base = std::getenv(variable); base && *base == '/') return std::string(base) + "/Brindlemar";
    const char* home = std::getenv("HOME");
    if (!home || !*home)
        if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir;
    if (!home || !*home) return "";
    return std::string(home) + "/" + fallback + "/Brindlemar";
}

std::string FolderReadProblem(const std::string& path) {
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) return ec == std::errc::no_such_file_or_directory ? "" : ec.message();
    if (!std::filesystem::is_directory(status)) return std::strerror(ENOTDIR);
    if (::access(path.c_str(), R_OK | X_OK) != 0) return std::strerror(errno);
    return "";
}

bool IsFile(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

int16_t FileExists(const std::string& path) {
    if (path.empty()) return 0;
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (ec) {
        // A missing file or folder is an answer. Any other failure (a folder
        // the user may not search, a name too long) leaves the file possibly
        // there: the open that follows says what stops it, in one message.
        return ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory ? 0 : -1;
    }
    // a folder, a device or a pipe is found too: the reader then says what it is
    return std::filesystem::exists(status) ? -1 : 0;
}

std::string FolderOf(const std::string& path) { return std::filesystem::path(path).parent_path().string(); }

}  // namespace brindlemar

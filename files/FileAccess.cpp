#include "files/FileAccess.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

#include "files/Paths.h"
#include "runtime/Hooks.h"
#include "runtime/RuntimeError.h"

namespace brindlemar {

namespace {

// The pointer is back to normal before the message shows.
void Report(const std::string& message) {
    SetBusyPointer(false);
    MsgBox(message, vbExclamation, ProductName);
}

// Writes and flushes the whole buffer to a new file; false with errno's text.
bool WriteNewFile(const std::string& native, const std::string& bytes, std::string& reason) {
    std::FILE* f = std::fopen(native.c_str(), "wb");
    if (!f) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    if (!ok) reason = std::strerror(errno);
    // the data must be on the disk before the rename makes it the file
    if (ok && ::fsync(::fileno(f)) != 0) {
        ok = false;
        reason = std::strerror(errno);
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        reason = std::strerror(errno);
    }
    return ok;
}

}  // namespace

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error) {
    const std::string native = NativePath(path);
    std::error_code ec;
    if (!std::filesystem::is_regular_file(native, ec)) {
        error = "File not found: " + path;
        return false;
    }
    std::ifstream in(native, std::ios::binary);
    if (!in) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "Cannot read " + path;
        return false;
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error,
                        const std::string& backupPath) {
    namespace fs = std::filesystem;
    const std::string target = NativePath(path);
    const std::string temporary = target + "." + std::to_string(::getpid()) + ".tmp";
    std::error_code ec;

    std::string reason;
    if (!WriteNewFile(temporary, bytes, reason)) {
        fs::remove(temporary, ec);
        error = "Cannot write " + path + ": " + reason;
        return false;
    }

    // a backup that names the target itself ("wall.BAK") would delete the
    // file just saved, so there is none then
    const std::string backup = NativePath(backupPath);
    const bool withBackup = !backup.empty() && fs::is_regular_file(target, ec) &&
                            !fs::equivalent(target, backup, ec) && !fs::is_directory(backup, ec);
    if (withBackup) fs::copy_file(target, backup, fs::copy_options::overwrite_existing, ec);

    fs::rename(temporary, target, ec);
    if (ec) {
        error = "Cannot write " + path + ": " + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    if (withBackup) fs::remove(backup, ec);
    return true;
}

bool ReadFileWith(const std::string& path, const std::string& kind,
                  const std::function<void(RecordReader&)>& parse) {
    SetBusyPointer(true);
    std::string bytes, error;
    if (!ReadFileBytes(path, bytes, error)) {
        Report(error);
        return false;
    }
    try {
        RecordReader reader(bytes);
        parse(reader);
    } catch (const FileFormatError& e) {
        Report("Not a valid " + kind + " file: " + e.what());
        return false;
    } catch (const RuntimeError& e) {
        Report(e.Description);
        return false;
    }
    SetBusyPointer(false);
    return true;
}

bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose,
                   const std::string& backupPath) {
    SetBusyPointer(true);
    std::string error;
    try {
        RecordWriter writer;
        compose(writer);
        if (WriteFileReplacing(path, writer.Bytes(), error, backupPath)) {
            SetBusyPointer(false);
            return true;
        }
    } catch (const RuntimeError& e) {
        error = e.Description;
    }
    Report(error);
    return false;
}

}  // namespace brindlemar

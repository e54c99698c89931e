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
#include "runtime/Text.h"

namespace brindlemar {

namespace {

namespace fs = std::filesystem;

// Message boxes show the program's Windows-1252 texts; paths are UTF-8.
std::string Shown(const std::string& path) { return Utf8ToCp1252(path); }

// The pointer is back to normal before the message shows.
void Report(const std::string& message) {
    SetBusyPointer(false);
    MsgBox(message, vbExclamation, ProductName);
}

// What an entry that is not a plain file is, in words.
std::string KindOfEntry(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory: return "a folder";
        case fs::file_type::block:
        case fs::file_type::character: return "a device";
        case fs::file_type::fifo: return "a pipe";
        case fs::file_type::socket: return "a socket";
        default: return "not a plain file";
    }
}

// Follows a chain of symbolic links to the path they end at, which need not
// exist yet: saving through a link writes the file it points to.
fs::path FollowLinks(const std::string& path) {
    fs::path p = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec))) break;
        const fs::path to = fs::read_symlink(p, ec);
        if (ec) break;
        p = to.is_absolute() ? to : p.parent_path() / to;
    }
    return p;
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

// Reads the whole file; "" on success, else why not.
std::string ReadWholeFile(const std::string& path, const std::string& kind, std::string& bytes) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status)) return "File not found: " + Shown(path);
    if (!fs::is_regular_file(status))
        return "Not a valid " + kind + " file: " + Shown(path) + "\nIt is " + KindOfEntry(status.type()) +
               ", not a " + kind + " file.";
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Cannot open " + Shown(path) + ": " + std::strerror(errno);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return "Cannot read " + Shown(path);
    return "";
}

}  // namespace

bool WriteFileReplacing(const std::string& path, const std::string& bytes, std::string& error, bool backup) {
    const fs::path target = FollowLinks(path);
    const std::string cannot = "Cannot write " + Shown(path) + ": ";
    std::error_code ec;

    // what is there now: it keeps its permission bits, and bits that forbid
    // writing are respected even by a user the system would let write
    const auto status = fs::status(target, ec);
    const bool replacing = fs::exists(status);
    if (replacing && !fs::is_regular_file(status)) {
        error = cannot + "it is " + KindOfEntry(status.type());
        return false;
    }
    if (replacing && ((status.permissions() & (fs::perms::owner_write | fs::perms::group_write |
                                               fs::perms::others_write)) == fs::perms::none ||
                      ::access(target.c_str(), W_OK) != 0)) {
        error = cannot + "the file is write-protected";
        return false;
    }

    const std::string temporary = target.string() + "." + std::to_string(::getpid()) + ".tmp";
    std::string reason;
    if (!WriteNewFile(temporary, bytes, reason)) {
        fs::remove(temporary, ec);
        error = cannot + reason;
        return false;
    }
    if (replacing) fs::permissions(temporary, status.permissions(), ec);

    // a backup file already there belongs to the user (or to a save that
    // failed before): the temporary file protects the old one, so leave it
    const fs::path backupPath = BackupFilePath(target.string());
    bool backedUp = false;
    if (backup && replacing && !fs::exists(fs::symlink_status(backupPath, ec)))
        backedUp = fs::copy_file(target, backupPath, ec);

    fs::rename(temporary, target, ec);
    if (ec) {
        error = cannot + ec.message();
        fs::remove(temporary, ec);
        return false;
    }
    if (backedUp) fs::remove(backupPath, ec);
    return true;
}

bool ReadFileWith(const std::string& path, const std::string& kind,
                  const std::function<void(RecordReader&)>& parse) {
    SetBusyPointer(true);
    std::string bytes;
    if (const std::string error = ReadWholeFile(path, kind, bytes); !error.empty()) {
        Report(error);
        return false;
    }
    try {
        RecordReader reader(bytes);
        parse(reader);
    } catch (const FileFormatError& e) {
        Report("Not a valid " + kind + " file: " + Shown(path) + "\n" + e.what());
        return false;
    } catch (const RuntimeError& e) {
        Report(e.Description);
        return false;
    }
    SetBusyPointer(false);
    return true;
}

bool WriteFileWith(const std::string& path, const std::function<void(RecordWriter&)>& compose, bool backup) {
    SetBusyPointer(true);
    std::string error;
    try {
        RecordWriter writer;
        compose(writer);
        if (WriteFileReplacing(path, writer.Bytes(), error, backup)) {
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

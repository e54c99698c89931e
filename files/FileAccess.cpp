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

// Reads the whole file; "" on success, else why not. A file longer than any
// of its kind can be is refused by its size, before a byte of it is read.
std::string ReadWholeFile(const std::string& path, const std::string& kind, std::uintmax_t largest,
                          std::string& bytes) {
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!fs::exists(status)) return "File not found: " + Shown(path);
    const std::string invalid = "Not a valid " + kind + " file: " + Shown(path) + "\n";
    if (!fs::is_regular_file(status))
        return invalid + "It is " + KindOfEntry(status.type()) + ", not a " + kind + " file.";
    const auto tooLong = [&](std::uintmax_t size) {
        return invalid + "It is " + std::to_string(size) + " bytes long; a " + kind + " file is at most " +
               std::to_string(largest) + " bytes.";
    };
    const std::uintmax_t size = fs::file_size(path, ec);
    if (!ec && size > largest) return tooLong(size);
    if (!ec) bytes.reserve(static_cast<std::size_t>(size));
    std::ifstream in(path, std::ios::binary);
    if (!in) return "Cannot open " + Shown(path) + ": " + std::strerror(errno);
    // a file that grows while it is read is still cut off one byte past the largest
    char chunk[1 << 16];
    while (in && bytes.size() <= largest) {
        in.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) return "Cannot read " + Shown(path);
    if (bytes.size() > largest) return tooLong(bytes.size());
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

std::string ReadFileProblem(const std::string& path, const std::string& kind, std::uintmax_t largest,
                            const std::function<void(RecordReader&)>& parse) {
    std::string bytes;
    if (std::string error = ReadWholeFile(path, kind, largest, bytes); !error.empty()) return error;
    try {
        RecordReader reader(bytes);
        parse(reader);
    } catch (const FileFormatError& e) {
        return "Not a valid " + kind + " file: " + Shown(path) + "\n" + e.what();
    } catch (const RuntimeError& e) {
        return e.Description;
    }
    return "";
}

bool ReadFileWith(const std::string& path, const std::string& kind, std::uintmax_t largest,
                  const std::function<void(RecordReader&)>& parse) {
    SetBusyPointer(true);
    if (const std::string error = ReadFileProblem(path, kind, largest, parse); !error.empty()) {
        Report(error);
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

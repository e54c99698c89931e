#pragma once
// Helpers shared by the file tests: a model with the built-in defaults, a
// member-by-member comparison of what the readers may change, and bytes.

#include <gtest/gtest.h>

#include <functional>
#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <sys/resource.h>
#include <vector>

#include "model/Model.h"

namespace brindlemar::test {

// A model reset to the built-in new-project values, with its program folder
// (and so its defaults file) in `programDirectory`.
std::unique_ptr<Model> BuiltInModel(const std::string& programDirectory);

// Expects every member that a file reader may write to be equal in `a` and
// `b`, naming the first members that differ.
void ExpectSameFileState(const Model& a, const Model& b);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// The names of the entries in `folder`.
std::set<std::string> NamesIn(const std::filesystem::path& folder);

// Little-endian patches of a file image.
void PatchInteger(std::string& bytes, std::size_t offset, int16_t value);
void PatchSingle(std::string& bytes, std::size_t offset, float value);

// Runs `body` in a child process: as the user nobody (uid and gid 65534)
// when `asNobody` (root passes every permission check), member of the
// further `groups`, and with files limited to `sizeLimit` bytes when it is
// not 0 (a disk that fills up: writes past it fail). The child's exit status
// comes back, -1 when it did not exit (a signal); CannotDrop when it could
// not become nobody or limit the size.
constexpr uid_t Nobody = 65534;
constexpr int CannotDrop = 77;
int InChildProcess(bool asNobody, rlim_t sizeLimit, const std::function<int()>& body,
                   const std::vector<gid_t>& groups = {});

}  // namespace brindlemar::test

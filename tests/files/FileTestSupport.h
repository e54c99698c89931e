#pragma once
// Helpers shared by the file tests: a model with the built-in defaults, a
// member-by-member comparison of what the readers may change, and bytes.

#include <gtest/gtest.h>

#include <memory>
#include <string>

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

// Little-endian patches of a file image.
void PatchInteger(std::string& bytes, std::size_t offset, int16_t value);
void PatchSingle(std::string& bytes, std::size_t offset, float value);

}  // namespace brindlemar::test

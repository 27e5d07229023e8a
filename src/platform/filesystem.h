#pragma once

// Small file-system questions asked by several layers, answered the same way everywhere.

#include <cstdint>
#include <optional>
#include <string>

namespace qs::platform {

// Size of a regular file, or nothing when the path names no regular file.
std::optional<std::uintmax_t> RegularFileSize(const std::string& path);

// A regular file of more than zero bytes: the test used wherever an empty file counts as
// missing (the compiled help file, a relocated library).
bool IsNonEmptyFile(const std::string& path);

bool IsFolder(const std::string& path);

// The path made absolute against the current folder (unchanged when it already is, or when
// the current folder cannot be had). A program is named relative to where the user stands;
// a child that starts in another folder must get it this way.
std::string AbsolutePath(const std::string& path);

}  // namespace qs::platform

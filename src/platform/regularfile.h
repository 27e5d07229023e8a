#pragma once

// Reading a whole input file (a project, a library, the settings, a language) safely: only a
// regular file is read, and only up to a size the caller states. A named pipe would block the
// program for ever, a device such as /dev/zero would give bytes until memory runs out, and a
// sparse file of many gigabytes would do the same; none of them holds anything to read.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "platform/inputfile.h"

namespace qs::platform {

// The size limits of the files the program reads whole. Real files stay far below them: the
// help of 5,000 functions makes a project of a few megabytes, a user library is a few hundred
// kilobytes, and the settings and a language file are a few hundred bytes.
inline constexpr std::size_t kProjectFileLimit = std::size_t{256} << 20;
inline constexpr std::size_t kLibraryFileLimit = std::size_t{256} << 20;
inline constexpr std::size_t kPreferenceFileLimit = std::size_t{1} << 20;

// The bytes of a file, in a block of exactly their number (at least one byte is allocated),
// so that a memory checker sees any read past them.
struct FileBlock {
  std::unique_ptr<char[]> bytes;
  std::size_t size = 0;

  std::string_view View() const { return {bytes.get(), size}; }
};

// Opens `path` without waiting on a pipe or a device, checks what was opened (never the path
// again) and reads it whole into `block`. A file that grows while it is read is read to its
// real end, within the limit. On any status but Read, `block` is empty.
ReadStatus ReadRegularFile(const std::string& path, std::size_t limit, FileBlock& block);

// The same into a string.
ReadStatus ReadRegularFile(const std::string& path, std::size_t limit, std::string& bytes);

}  // namespace qs::platform

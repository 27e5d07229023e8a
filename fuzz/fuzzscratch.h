#pragma once

// A private scratch folder for fuzz targets whose code under test reads and writes files by
// path. It lies in memory (/dev/shm) where the system has that, because every execution
// writes and syncs files; it is removed when the process ends.

#include <string>
#include <string_view>

namespace qs::fuzz {

// The folder, with a trailing separator; made on first use.
const std::string& ScratchFolder();

// Writes `bytes` to ScratchFolder() + name and returns the full path. Aborts when the file
// cannot be written: a harness that silently tests nothing would hide every fault.
std::string WriteScratchFile(std::string_view name, std::string_view bytes);

// The whole file, or nothing when it cannot be read.
std::string ReadScratchFile(const std::string& path);

}  // namespace qs::fuzz

#pragma once

// Small per-user list files beside the settings: one entry a line. They are read whole, but
// only from a regular file no larger than a cap (a link to a device or a huge file is
// refused rather than read without end), and written through an atomic file, so a failed
// write leaves the previous list as it was.

#include <cstddef>
#include <string>
#include <vector>

namespace qs::config {

enum class ListFileStatus {
  Read,     // the file was read
  Missing,  // there is no file: an empty list
  Refused,  // something is there that is no list of ours: not a regular file, too large, or
            // unreadable; it must not be replaced by a list made without it
};

struct ListFile {
  ListFileStatus status = ListFileStatus::Missing;
  // The non-empty lines, without their line ends (CR LF, LF or CR).
  std::vector<std::string> lines;
};

ListFile ReadListFile(const std::string& path, std::size_t maxBytes);

// Writes the lines, each ended by CR LF, into a file only its user may read, creating the
// file's folder (as a private one) when it is missing.
// False when the file could not be written completely; the old file then stays.
bool WriteListFile(const std::string& path, const std::vector<std::string>& lines);

}  // namespace qs::config

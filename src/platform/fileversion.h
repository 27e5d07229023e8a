#pragma once

// What a program last read or wrote of a file, to notice later whether anyone else has written
// it since. The size and time stamp answer quickly; the bytes decide: a time stamp may be too
// coarse to tell two writes in the same tick apart, and a file rewritten with the same bytes
// (a touch, a save that changed nothing) is no change.

#include <cstdint>
#include <string>

namespace qs::platform {

struct FileVersion {
  bool exists = false;
  std::uint64_t size = 0;
  // The system's time stamp of the last write, in its own ticks.
  std::int64_t modified = 0;
  // Of the bytes; 0 when they could not be read.
  std::uint64_t digest = 0;
  // The time stamp lay well in the past when the bytes were read: any later write changes it,
  // so an unchanged size and time stamp mean unchanged bytes.
  bool settled = false;

  // Two versions are the same file contents (or both no file at all).
  bool SameBytes(const FileVersion& other) const {
    return exists == other.exists && (!exists || (size == other.size && digest == other.digest));
  }
};

// The file at `path` as it is now; `exists` is false for no file (or no regular file).
FileVersion ReadFileVersion(const std::string& path);

// Whether the file at `path` still holds the bytes of `version` (or is still missing). When the
// bytes are the same under a new time stamp, `version` takes the new one.
bool StillSameVersion(const std::string& path, FileVersion& version);

}  // namespace qs::platform

#pragma once

// Replaces a file only when its new contents were written completely. The bytes go to a
// temporary file beside the target; Commit() flushes them to the disk and renames the
// temporary file over the target. Any failure on the way, or a writer dropped without
// Commit(), removes the temporary file and leaves the target byte for byte as it was.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace qs::platform {

class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file beside `target`. False when it cannot be created (for example
  // when the target's folder does not exist). Missing folders are not created.
  bool Open(const std::string& target);

  // Appends bytes. After a failed write every later call fails and Commit() refuses.
  bool Write(std::string_view bytes);

  // Flushes, closes and renames over the target. True only when the target now holds exactly
  // the bytes written.
  bool Commit();

  // Removes the temporary file; the target stays as it was.
  void Discard();

 private:
  std::FILE* file_ = nullptr;
  std::string target_;
  std::string temporary_;
  bool failed_ = false;
};

// Pushes the file's buffered bytes to the disk. Implemented once per system.
bool FlushToDisk(std::FILE* file);

}  // namespace qs::platform

#pragma once

// A file opened for reading the safe way: the open never waits (a named pipe without a writer
// or a device would otherwise block it), and whether a regular file was opened is asked of
// the open file itself, never of the path again, which another process may have changed in
// between. Implemented once per system.

#include <cstddef>
#include <cstdint>
#include <string>

namespace qs::platform {

// What opening or reading a whole input file came to.
enum class ReadStatus {
  Read,
  CannotOpen,       // missing, not permitted
  NotARegularFile,  // a folder, a pipe, a device, a socket
  TooLarge,         // above the limit, or the memory for it cannot be had
  ReadFailed,       // an error while reading
};

class InputFile {
 public:
  InputFile() = default;
  ~InputFile();
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // Read when a regular file was opened; otherwise nothing stays open.
  ReadStatus Open(const std::string& path);

  // The size the system gave when the file was opened.
  std::uint64_t Size() const { return size_; }

  // Reads up to `count` bytes: their number, 0 at the end, or -1 on an error.
  std::ptrdiff_t Read(char* into, std::size_t count);

 private:
  void Close();

  // The system's descriptor or handle; -1 when nothing is open.
  std::intptr_t handle_ = -1;
  std::uint64_t size_ = 0;
};

}  // namespace qs::platform

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/inputfile.h"

namespace qs::platform {

InputFile::~InputFile() {
  Close();
}

void InputFile::Close() {
  if (handle_ >= 0) ::close(static_cast<int>(handle_));
  handle_ = -1;
  size_ = 0;
}

ReadStatus InputFile::Open(const std::string& path) {
  Close();
  if (path.empty()) return ReadStatus::CannotOpen;
  // O_NONBLOCK: opening a pipe or a device returns at once instead of waiting for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return ReadStatus::CannotOpen;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    ::close(fd);
    return ReadStatus::CannotOpen;
  }
  if (!S_ISREG(info.st_mode)) {
    ::close(fd);
    return ReadStatus::NotARegularFile;
  }
  handle_ = fd;
  size_ = static_cast<std::uint64_t>(info.st_size);
  return ReadStatus::Read;
}

std::ptrdiff_t InputFile::Read(char* into, std::size_t count) {
  if (handle_ < 0) return -1;
  for (;;) {
    const ssize_t got = ::read(static_cast<int>(handle_), into, count);
    if (got >= 0) return got;
    if (errno != EINTR) return -1;
  }
}

}  // namespace qs::platform

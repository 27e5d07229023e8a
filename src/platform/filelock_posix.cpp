#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/filelock.h"

namespace qs::platform {

std::intptr_t OpenLockFile(const std::string& path) {
  // Readable by all, so that another user may open it and take the lock: flock needs no
  // right to write. Without one (another user's file, a read-only folder) it is opened to
  // read. Non-blocking, so that a fifo planted at the name cannot hold the program up.
  constexpr int kFlags = O_NOFOLLOW | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM)) {
    fd = ::open(path.c_str(), O_RDONLY | kFlags);
  }
  if (fd < 0) return kNoLockFile;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return kNoLockFile;
  }
  return fd;
}

bool TryLockHandle(std::intptr_t handle) {
  int result = 0;
  do {
    result = ::flock(static_cast<int>(handle), LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

bool IsStillAt(std::intptr_t handle, const std::string& path) {
  struct stat open {
  }, named{};
  return ::fstat(static_cast<int>(handle), &open) == 0 && ::lstat(path.c_str(), &named) == 0 &&
         open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

void CloseLockFile(std::intptr_t handle, const std::string& path, bool remove) {
  // Removed while still locked: whoever opened it meanwhile finds after locking that it is
  // gone from its name and starts again, so no two holders ever hold two different files.
  if (remove && IsStillAt(handle, path)) ::unlink(path.c_str());
  ::close(static_cast<int>(handle));
}

}  // namespace qs::platform

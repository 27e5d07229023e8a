#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "platform/atomicfile.h"
#include "platform/descriptorio_posix.h"
#include "platform/regularfile.h"

namespace qs::platform {

namespace {

// The file holds `bytes` and nothing after them, on the disk.
bool Replace(int fd, std::string_view bytes) {
  return WriteAllAt(fd, bytes) && ::ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 &&
         ::fsync(fd) == 0;
}

}  // namespace

bool FlushToDisk(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

unsigned long CurrentProcessId() {
  return static_cast<unsigned long>(::getpid());
}

bool ProcessHasEnded(unsigned long processId) {
  if (processId == 0 || processId > static_cast<unsigned long>(INT32_MAX)) return true;
  // EPERM: the process exists and belongs to someone else.
  return ::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH;
}

bool IsReadOnlyFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  // The administrator may write any file; a file without any write permission is still
  // meant to stay as it is.
  if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return true;
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 && errno == EACCES;
}

bool IsRemovableLeftover(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_nlink == 1 &&
         info.st_uid == ::geteuid();
}

std::FILE* CreateTemporaryFile(const std::string& path, bool ownerOnly) {
  // O_EXCL fails on anything at the name, a link to elsewhere included.
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                        ownerOnly ? 0600 : 0666);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "wb");
  if (file == nullptr) {
    const int error = errno;
    ::close(fd);
    ::unlink(path.c_str());
    errno = error;
  }
  return file;
}

bool TakeOwnerAndMode(std::FILE* file, const std::string& /*temporary*/, const std::string& target,
                      const WriteOptions& options) {
  const int fd = ::fileno(file);
  if (options.privateFile) return ::fchmod(fd, S_IRUSR | S_IWUSR) == 0;
  struct stat previous {};
  const int found =
      options.refuseLinks ? ::lstat(target.c_str(), &previous) : ::stat(target.c_str(), &previous);
  if (found != 0 || !S_ISREG(previous.st_mode)) return true;
  struct stat written {};
  if (::fstat(fd, &written) == 0 &&
      (written.st_uid != previous.st_uid || written.st_gid != previous.st_gid) &&
      ::fchown(fd, previous.st_uid, previous.st_gid) != 0) {
    // Only the administrator gives files away; the group may still be one of the writer's.
    [[maybe_unused]] const int grouped = ::fchown(fd, static_cast<uid_t>(-1), previous.st_gid);
  }
  // After the owner: a change of owner clears the set-id bits.
  ::fchmod(fd, previous.st_mode & 07777);
  return true;
}

InPlaceResult RewriteInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return InPlaceResult::Unchanged;
  const std::unique_ptr<const int, void (*)(const int*)> closer(
      &fd, [](const int* open) { ::close(*open); });
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::uint64_t>(info.st_size) > kProjectFileLimit) {
    return InPlaceResult::Unchanged;
  }
  // All memory is had before the file is touched: running out of it midway must not leave
  // the file half rewritten.
  std::string previous(static_cast<std::size_t>(info.st_size), '\0');
  std::string check(bytes.size(), '\0');
  if (!ReadAllAt(fd, previous)) return InPlaceResult::Unchanged;
  // Room for the new bytes first: a disk too full for them refuses here, before the file was
  // touched. (A file system that cannot reserve room is written without the check.)
  if (bytes.size() > previous.size()) {
    const int reserved = ::posix_fallocate(fd, 0, static_cast<off_t>(bytes.size()));
    if (reserved == ENOSPC || reserved == EFBIG) {
      ::ftruncate(fd, static_cast<off_t>(previous.size()));  // a partial reservation goes
      return InPlaceResult::Unchanged;
    }
  }
  if (Replace(fd, bytes) && ReadAllAt(fd, check) && check == bytes) return InPlaceResult::Written;
  // A rewrite that went wrong midway gives the file its previous bytes back.
  return Replace(fd, previous) ? InPlaceResult::Unchanged : InPlaceResult::Damaged;
}

}  // namespace qs::platform

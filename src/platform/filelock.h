#pragma once

// An exclusive lock on a file that other processes of any user respect, held until it is
// released or the process ends: the system drops the locks of a process that dies, so a
// crashed program never leaves a lock behind that blocks anyone.
//
// The lock file is created empty when missing and is never opened through a link planted at
// its name, nor when it is anything but a regular file. It is readable by all (empty, it tells
// nothing) so that another user who may open the locked thing can take the same lock. On
// POSIX systems the last holder removes it when it releases the lock; on Windows it stays,
// empty and hidden.

#include <chrono>
#include <cstdint>
#include <string>

namespace qs::platform {

inline constexpr std::intptr_t kNoLockFile = -1;

enum class LockResult {
  Locked,      // held now
  Busy,        // another holder kept it (until the timeout)
  Unavailable  // no lock file can be had there (a link or folder at its name, no rights)
};

class FileLock {
 public:
  FileLock() = default;
  ~FileLock() { Release(); }
  FileLock(FileLock&& other) noexcept;
  FileLock& operator=(FileLock&& other) noexcept;
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;

  // Takes the lock on `path` without waiting. A lock already held by this object is released
  // first. Two objects conflict even within one process.
  LockResult TryLock(const std::string& path);
  // Waits up to `timeout` for the holder to let go.
  LockResult Lock(const std::string& path, std::chrono::milliseconds timeout);

  bool IsHeld() const { return handle_ != kNoLockFile; }
  const std::string& path() const { return path_; }

  // Lets go of the lock (nothing when none is held).
  void Release();

 private:
  std::intptr_t handle_ = kNoLockFile;
  std::string path_;
};

// Implemented once per system, for FileLock. A handle is kNoLockFile or an open lock file.

// Opens the lock file at `path`, created empty when missing; kNoLockFile when it cannot be
// had, is reached through a link, or is no regular file.
std::intptr_t OpenLockFile(const std::string& path);
// Takes the exclusive lock on an open lock file without waiting; false when another holds it.
bool TryLockHandle(std::intptr_t handle);
// Whether the lock file is still the one named `path`: a holder letting go removes it, and
// whoever locked the removed file meanwhile must start again with the file at the name now.
bool IsStillAt(std::intptr_t handle, const std::string& path);
// Closes the lock file, which lets go of its lock. With `remove`, the caller holds the lock
// and the file is removed first where the system allows it while the lock still excludes
// every other holder.
void CloseLockFile(std::intptr_t handle, const std::string& path, bool remove);

}  // namespace qs::platform

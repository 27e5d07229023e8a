#include "platform/filelock.h"

#include <algorithm>
#include <thread>
#include <utility>

namespace qs::platform {

FileLock::FileLock(FileLock&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoLockFile)), path_(std::move(other.path_)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
  if (this != &other) {
    Release();
    handle_ = std::exchange(other.handle_, kNoLockFile);
    path_ = std::move(other.path_);
  }
  return *this;
}

LockResult FileLock::TryLock(const std::string& path) {
  Release();
  // The file locked may have been removed by a holder letting go in the meantime; the lock
  // is then the new file at that name. A few rounds suffice: each needs another holder to
  // come and go in between.
  for (int round = 0; round < 16; ++round) {
    const std::intptr_t handle = OpenLockFile(path);
    if (handle == kNoLockFile) return LockResult::Unavailable;
    if (!TryLockHandle(handle)) {
      CloseLockFile(handle, path, false);
      return LockResult::Busy;
    }
    if (IsStillAt(handle, path)) {
      handle_ = handle;
      path_ = path;
      return LockResult::Locked;
    }
    CloseLockFile(handle, path, false);
  }
  return LockResult::Busy;
}

LockResult FileLock::Lock(const std::string& path, std::chrono::milliseconds timeout) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + timeout;
  // The system offers no waiting with a time limit on every platform, so the lock is tried
  // again after pauses that grow from a millisecond: short holders are followed closely,
  // long ones cost little.
  std::chrono::milliseconds pause(1);
  for (;;) {
    const LockResult result = TryLock(path);
    if (result != LockResult::Busy) return result;
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return LockResult::Busy;
    std::this_thread::sleep_for(std::min<Clock::duration>(
        pause, std::chrono::duration_cast<Clock::duration>(deadline - now)));
    pause = std::min(pause * 2, std::chrono::milliseconds(25));
  }
}

void FileLock::Release() {
  if (handle_ == kNoLockFile) return;
  CloseLockFile(std::exchange(handle_, kNoLockFile), path_, true);
  path_.clear();
}

}  // namespace qs::platform

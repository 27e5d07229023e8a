#include "platform/filelock.h"

#include <algorithm>
#include <thread>
#include <utility>

#include "text/log.h"

namespace qs::platform {

namespace {

// A lock that was waited for, or not had, says for how long, and whether it came.
LockResult LoggedWait(const std::string& path, std::chrono::steady_clock::time_point start,
                      bool waited, LockResult result) {
  if (!waited && result != LockResult::Busy) return result;
  QS_LOG_INFO(text::platformLog) << "waited "
                                 << std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - start)
                                        .count()
                                 << " ms for the lock '" << path
                                 << "': " << (result == LockResult::Busy ? "still busy" : "taken");
  return result;
}

}  // namespace

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
    if (handle == kNoLockFile) {
      QS_LOG_WARNING(text::platformLog)
          << "lock file refused (a link, no regular file, or no rights): '" << path << "'";
      return LockResult::Unavailable;
    }
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
  const Clock::time_point start = Clock::now();
  const Clock::time_point deadline = start + timeout;
  // The system offers no waiting with a time limit on every platform, so the lock is tried
  // again after pauses that grow from a millisecond: short holders are followed closely,
  // long ones cost little.
  std::chrono::milliseconds pause(1);
  for (;;) {
    const LockResult result = TryLock(path);
    const bool waited = pause.count() > 1;
    if (result != LockResult::Busy) return LoggedWait(path, start, waited, result);
    const Clock::time_point now = Clock::now();
    if (now >= deadline) return LoggedWait(path, start, waited, LockResult::Busy);
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

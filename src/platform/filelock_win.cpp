#include <windows.h>

#include "platform/filelock.h"

namespace qs::platform {

std::intptr_t OpenLockFile(const std::string& path) {
  // Shared for reading, writing and deleting: the lock is the byte range, not the handle, so
  // every program may open the file at once. A link at the name is opened as itself and
  // refused below. Without the right to write (another user's file) it is opened to read.
  constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  constexpr DWORD kFlags = FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_OPEN_REPARSE_POINT;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr,
                            OPEN_ALWAYS, kFlags, nullptr);
  if (file == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    file = CreateFileA(path.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING, kFlags, nullptr);
  }
  if (file == INVALID_HANDLE_VALUE) return kNoLockFile;
  BY_HANDLE_FILE_INFORMATION info = {};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
    CloseHandle(file);
    return kNoLockFile;
  }
  return reinterpret_cast<std::intptr_t>(file);
}

bool TryLockHandle(std::intptr_t handle) {
  OVERLAPPED at = {};
  return LockFileEx(reinterpret_cast<HANDLE>(handle),
                    LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at) != 0;
}

bool IsStillAt(std::intptr_t /*handle*/, const std::string& /*path*/) {
  // Lock files are never removed here (see CloseLockFile): the one opened is the one named.
  return true;
}

void CloseLockFile(std::intptr_t handle, const std::string& /*path*/, bool /*remove*/) {
  // The file stays, empty and hidden: a name deleted while another program holds it open
  // lingers until that program closes it, and a program opening the name meanwhile could
  // not tell the lingering file from a new one, so two could hold the lock at once.
  const HANDLE file = reinterpret_cast<HANDLE>(handle);
  OVERLAPPED at = {};
  UnlockFileEx(file, 0, 1, 0, &at);
  CloseHandle(file);
}

}  // namespace qs::platform

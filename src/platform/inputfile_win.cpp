#include <windows.h>

#include <limits>

#include "platform/inputfile.h"

namespace qs::platform {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

InputFile::~InputFile() {
  Close();
}

void InputFile::Close() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
  handle_ = -1;
  size_ = 0;
}

ReadStatus InputFile::Open(const std::string& path) {
  Close();
  if (path.empty()) return ReadStatus::CannotOpen;
  // FILE_FLAG_BACKUP_SEMANTICS lets a folder open too, so that it is refused as one below.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ReadStatus::CannotOpen;
  // Devices (CON, NUL, COM1 under any folder) and pipes are no disk files; nor is a folder.
  BY_HANDLE_FILE_INFORMATION info = {};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    CloseHandle(file);
    return ReadStatus::NotARegularFile;
  }
  handle_ = reinterpret_cast<std::intptr_t>(file);
  size_ = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  return ReadStatus::Read;
}

std::ptrdiff_t InputFile::Read(char* into, std::size_t count) {
  if (handle_ == -1) return -1;
  const DWORD chunk = static_cast<DWORD>(
      count < std::numeric_limits<DWORD>::max() ? count : std::numeric_limits<DWORD>::max());
  DWORD got = 0;
  if (!ReadFile(AsHandle(handle_), into, chunk, &got, nullptr)) return -1;
  return static_cast<std::ptrdiff_t>(got);
}

}  // namespace qs::platform

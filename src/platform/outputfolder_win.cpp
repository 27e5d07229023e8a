#include <windows.h>

#include <cstdint>
#include <vector>

#include "platform/outputfolder.h"
#include "text/paths.h"

namespace qs::platform {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

// Windows has no calls relative to an open folder. Its equivalent: every folder on the way is
// opened without following a reparse point (a link or junction) and held open without delete
// sharing, so that nobody can rename, remove or replace it until the file is written; then
// the path through them leads where it was checked to lead.
class HeldFolders {
 public:
  HeldFolders() = default;
  ~HeldFolders() {
    for (HANDLE handle : handles_) CloseHandle(handle);
  }
  HeldFolders(const HeldFolders&) = delete;
  HeldFolders& operator=(const HeldFolders&) = delete;

  // Holds the folder at `path`, made first when `make` is set; false when it is a reparse
  // point, no folder, or cannot be had.
  bool Hold(const std::string& path, bool make) {
    if (make && !CreateDirectoryA(path.c_str(), nullptr) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      return false;
    }
    const HANDLE folder = CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    handles_.push_back(folder);
    BY_HANDLE_FILE_INFORMATION info = {};
    return GetFileInformationByHandle(folder, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
  }

 private:
  std::vector<HANDLE> handles_;
};

// The path of `relative` below `base` (ending in a separator), with every folder before its
// last part held.
bool Reach(const std::string& base, std::string_view relative, bool make, HeldFolders& held,
           std::string& path) {
  std::vector<std::string_view> parts;
  if (!OutputFolder::SplitParts(relative, parts)) return false;
  path = base;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    path.append(parts[i]);
    if (!held.Hold(path, make)) return false;
    path.push_back('\\');
  }
  path.append(parts.back());
  return true;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const std::size_t left = bytes.size() - done;
    const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
      return false;
    }
    done += written;
  }
  return SetEndOfFile(file) != 0;
}

// A disk file that is neither a folder nor a reparse point, and how many names it has.
bool IsPlainFile(HANDLE file, DWORD& links) {
  BY_HANDLE_FILE_INFORMATION info = {};
  if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &info)) {
    return false;
  }
  links = info.nNumberOfLinks;
  return (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) == 0;
}

bool WriteFileAt(const std::string& path, std::string_view bytes) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
      if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
      const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_NEW, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
      if (file == INVALID_HANDLE_VALUE) {
        if (GetLastError() == ERROR_FILE_EXISTS) continue;
        return false;
      }
      const bool ok = WriteAll(file, bytes);
      CloseHandle(file);
      if (!ok) DeleteFileA(path.c_str());
      return ok;
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
      // A file link: removed, never written through.
      if (!DeleteFileA(path.c_str()) && GetLastError() != ERROR_FILE_NOT_FOUND) return false;
      continue;
    }
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      if (GetLastError() == ERROR_FILE_NOT_FOUND) continue;
      return false;
    }
    DWORD links = 0;
    if (!IsPlainFile(file, links)) {
      CloseHandle(file);  // a device such as CON, or something that changed meanwhile
      return false;
    }
    if (links > 1) {
      CloseHandle(file);
      if (!DeleteFileA(path.c_str())) return false;
      continue;
    }
    const bool ok = WriteAll(file, bytes);
    CloseHandle(file);
    if (!ok) DeleteFileA(path.c_str());
    return ok;
  }
  return false;
}

}  // namespace

OutputFolder::~OutputFolder() {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
}

bool OutputFolder::Open(const std::string& folder) {
  if (handle_ != -1) CloseHandle(AsHandle(handle_));
  handle_ = -1;
  path_ = text::WithTrailingSeparator(folder);
  // Held without delete sharing for as long as it is open: it cannot be renamed or replaced.
  const HANDLE handle = CreateFileA(folder.empty() ? "." : folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION info = {};
  if (!GetFileInformationByHandle(handle, &info) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
    CloseHandle(handle);
    return false;
  }
  handle_ = reinterpret_cast<std::intptr_t>(handle);
  return true;
}

bool OutputFolder::Write(std::string_view relative, std::string_view bytes) {
  HeldFolders held;
  std::string path;
  return handle_ != -1 && Reach(path_, relative, true, held, path) && WriteFileAt(path, bytes);
}

ReadStatus OutputFolder::Read(std::string_view relative, std::size_t limit, std::string& bytes) {
  bytes.clear();
  HeldFolders held;
  std::string path;
  SetLastError(ERROR_SUCCESS);
  if (handle_ == -1 || !Reach(path_, relative, false, held, path)) {
    const DWORD error = GetLastError();
    // Otherwise a sub-folder on the way is a link or a junction, or no folder.
    return (handle_ == -1 || error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
               ? ReadStatus::CannotOpen
               : ReadStatus::NotARegularFile;
  }
  // Without delete sharing: the name cannot be given to another file while it is read.
  const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ReadStatus::CannotOpen;
  ReadStatus status = ReadStatus::Read;
  DWORD links = 0;
  LARGE_INTEGER size = {};
  if (!IsPlainFile(file, links) || links != 1) {
    status = ReadStatus::NotARegularFile;
  } else if (!GetFileSizeEx(file, &size) || static_cast<std::uint64_t>(size.QuadPart) > limit) {
    status = ReadStatus::TooLarge;
  } else {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t done = 0;
    while (done < bytes.size()) {
      const std::size_t left = bytes.size() - done;
      const DWORD chunk = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
      DWORD got = 0;
      if (!ReadFile(file, bytes.data() + done, chunk, &got, nullptr)) {
        status = ReadStatus::ReadFailed;
        break;
      }
      if (got == 0) break;  // shorter than when it was opened: what is there counts
      done += got;
    }
    bytes.resize(done);
  }
  CloseHandle(file);
  if (status != ReadStatus::Read) bytes.clear();
  return status;
}

bool OutputFolder::RemoveFile(std::string_view relative) {
  HeldFolders held;
  std::string path;
  if (handle_ == -1 || !Reach(path_, relative, false, held, path)) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return false;
  }
  return DeleteFileA(path.c_str()) != 0;
}

bool OutputFolder::RemoveEmptyFolder(std::string_view relative) {
  HeldFolders held;
  std::string path;
  if (handle_ == -1 || !Reach(path_, relative, false, held, path)) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return false;
  }
  return RemoveDirectoryA(path.c_str()) != 0;  // only an empty folder goes
}

}  // namespace qs::platform

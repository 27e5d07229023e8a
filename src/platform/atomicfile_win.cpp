#include <windows.h>
// clang-format off
#include <aclapi.h>
#include <io.h>
// clang-format on

#include <memory>
#include <string>

#include "platform/atomicfile.h"
#include "platform/regularfile.h"

namespace qs::platform {

namespace {

// Fills `bytes` (sized by the caller) from the start of the file.
bool ReadAll(std::FILE* file, std::string& bytes) {
  return std::fseek(file, 0, SEEK_SET) == 0 &&
         std::fread(bytes.data(), 1, bytes.size(), file) == bytes.size();
}

// The file holds `bytes` and nothing after them, on the disk.
bool Replace(std::FILE* file, std::string_view bytes) {
  return std::fseek(file, 0, SEEK_SET) == 0 &&
         std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() &&
         std::fflush(file) == 0 &&
         ::_chsize_s(::_fileno(file), static_cast<long long>(bytes.size())) == 0 &&
         FlushToDisk(file);
}

}  // namespace

bool FlushToDisk(std::FILE* file) {
  return ::_commit(::_fileno(file)) == 0;
}

unsigned long CurrentProcessId() {
  return GetCurrentProcessId();
}

bool ProcessHasEnded(unsigned long processId) {
  const HANDLE process =
      OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(processId));
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  DWORD code = 0;
  const bool ended = GetExitCodeProcess(process, &code) && code != STILL_ACTIVE;
  CloseHandle(process);
  return ended;
}

bool IsReadOnlyFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
}

bool IsRemovableLeftover(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes &
          (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_READONLY)) == 0;
}

std::FILE* CreateTemporaryFile(const std::string& path, bool /*ownerOnly*/) {
  // "x" fails on anything at the name. Who may read the file is decided by the rights of its
  // folder, which in the user's profile keep other users out.
  return std::fopen(path.c_str(), "wbx");
}

bool TakeOwnerAndMode(std::FILE* /*file*/, const std::string& temporary, const std::string& target,
                      const WriteOptions& options) {
  if (options.privateFile) return true;
  const DWORD previous = GetFileAttributesA(target.c_str());
  if (previous == INVALID_FILE_ATTRIBUTES ||
      (previous & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return true;
  }
  // What stands for the mode here: the attributes a user sets, and rights given to this file
  // alone (a file closed to others keeps being closed; rights the folder hands down are
  // handed down to the new file anyway).
  const DWORD kept = previous & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                 FILE_ATTRIBUTE_NOT_CONTENT_INDEXED);
  if (kept != 0) SetFileAttributesA(temporary.c_str(), kept);
  PACL rights = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(target.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &rights, nullptr, &descriptor) == ERROR_SUCCESS) {
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    if (rights != nullptr && GetSecurityDescriptorControl(descriptor, &control, &revision) &&
        (control & SE_DACL_PROTECTED) != 0) {
      SetNamedSecurityInfoA(const_cast<char*>(temporary.c_str()), SE_FILE_OBJECT,
                            DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, rights, nullptr);
    }
    LocalFree(descriptor);
  }
  return true;
}

InPlaceResult RewriteInPlace(const std::string& path, std::string_view bytes) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "r+b"),
                                                             &std::fclose);
  if (!file) return InPlaceResult::Unchanged;
  const HANDLE handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file.get())));
  LARGE_INTEGER size = {};
  if (GetFileType(handle) != FILE_TYPE_DISK || !GetFileSizeEx(handle, &size) ||
      static_cast<unsigned long long>(size.QuadPart) > kProjectFileLimit) {
    return InPlaceResult::Unchanged;
  }
  // All memory is had before the file is touched: running out of it midway must not leave
  // the file half rewritten.
  std::string previous(static_cast<std::size_t>(size.QuadPart), '\0');
  std::string check(bytes.size(), '\0');
  if (!ReadAll(file.get(), previous)) return InPlaceResult::Unchanged;
  if (Replace(file.get(), bytes) && ReadAll(file.get(), check) && check == bytes) {
    return InPlaceResult::Written;
  }
  // A rewrite that went wrong midway gives the file its previous bytes back.
  return Replace(file.get(), previous) ? InPlaceResult::Unchanged : InPlaceResult::Damaged;
}

}  // namespace qs::platform

// windows.h first: aclapi.h builds on its types.
#include <windows.h>
// clang-format off
#include <aclapi.h>
// clang-format on

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "platform/privatefolder.h"

namespace qs::platform {

namespace {

// The security identifier of the user the program runs as, copied into `sid`.
bool CurrentUserSid(std::vector<unsigned char>& sid) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  bool ok = size > 0 && GetTokenInformation(token, TokenUser, buffer.data(), size, &size);
  CloseHandle(token);
  if (!ok) return false;
  const PSID user = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  const DWORD length = GetLengthSid(user);
  sid.resize(length);
  return CopySid(length, sid.data(), user) != 0;
}

}  // namespace

PrivateFolder::~PrivateFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  // remove_all removes links and junctions themselves, never what they lead to.
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

bool PrivateFolder::Make(const std::string& tempFolder) {
  if (!path_.empty() || tempFolder.empty()) return false;
  // The user's temporary folder is the user's own (below the profile), and a folder made in
  // it takes its access rights. CreateDirectory fails on any name that is already taken, a
  // link or junction included, so only a folder made here and now is used.
  const DWORD process = GetCurrentProcessId();
  for (DWORD attempt = 0; attempt < 100; ++attempt) {
    const std::string candidate = tempFolder + "quillsmith-compile-" + std::to_string(process) +
                                  "-" + std::to_string(GetTickCount() + attempt);
    if (CreateDirectoryA(candidate.c_str(), nullptr)) {
      path_ = candidate + "\\";
      return true;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return false;
  }
  return false;
}

bool IsOwnRegularFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES ||
      (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) != 0) {
    return false;
  }
  std::vector<unsigned char> user;
  if (!CurrentUserSid(user)) return false;
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner,
                            nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return false;
  }
  const bool own = owner != nullptr && EqualSid(owner, user.data());
  LocalFree(descriptor);
  return own;
}

}  // namespace qs::platform

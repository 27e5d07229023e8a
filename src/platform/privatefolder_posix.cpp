#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/privatefolder.h"

namespace qs::platform {

PrivateFolder::~PrivateFolder() {
  if (path_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

bool PrivateFolder::Make(const std::string& tempFolder) {
  if (!path_.empty() || tempFolder.empty()) return false;
  // mkdtemp makes a folder of a new name with mode 0700, or nothing: a name someone else
  // made first, or a link planted at it, is never taken.
  std::string pattern = tempFolder + "quillsmith-compile-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  if (::mkdtemp(name.data()) == nullptr) return false;
  path_ = std::string(name.data()) + "/";
  return true;
}

bool IsOwnRegularFile(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid();
}

}  // namespace qs::platform

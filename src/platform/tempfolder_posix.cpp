#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/tempfolder.h"
#include "text/paths.h"

namespace qs::platform {

std::string SystemTempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
  return text::WithTrailingSeparator(folder);
}

std::string MakePreviewFolder() {
  return MakePreviewFolderIn(SystemTempFolder());
}

std::string MakePreviewFolderIn(const std::string& tempFolder) {
  if (tempFolder.empty()) return {};
  const std::string folder =
      text::WithTrailingSeparator(tempFolder) + std::string(kPreviewFolderName);
  std::error_code ignored;
  std::filesystem::create_directories(std::filesystem::path(tempFolder), ignored);
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return {};
  struct stat info {};
  if (lstat(folder.c_str(), &info) != 0) return {};
  if (!S_ISDIR(info.st_mode) || info.st_uid != geteuid()) return {};
  return folder + "/";
}

}  // namespace qs::platform

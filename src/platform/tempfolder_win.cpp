#include <windows.h>

#include <filesystem>
#include <system_error>

#include "platform/tempfolder.h"
#include "text/paths.h"

namespace qs::platform {

std::string SystemTempFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return text::WithTrailingSeparator(std::string(buffer, length));
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
  CreateDirectoryA(folder.c_str(), nullptr);
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return {};
  // A junction or link could send the preview's erasing elsewhere.
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0 ||
      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0) {
    return {};
  }
  return folder + "\\";
}

}  // namespace qs::platform

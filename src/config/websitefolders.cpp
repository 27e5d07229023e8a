#include "config/websitefolders.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "config/listfile.h"
#include "text/paths.h"

namespace qs::config {

namespace {

std::string FilePath(std::string_view settingsFolder) {
  return text::WithTrailingSeparator(settingsFolder) + std::string(kWebsiteFoldersFileName);
}

// The project's path made absolute, so that the same project reached another way is found.
std::string Absolute(std::string_view path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(std::filesystem::path(std::string(path)), error);
  if (error) return std::string(path);
  return absolute.lexically_normal().string();
}

bool FitsALine(std::string_view text) {
  return !text.empty() && text.find_first_of("\t\r\n") == std::string_view::npos;
}

}  // namespace

std::string LastWebsiteFolder(std::string_view settingsFolder, std::string_view projectFile) {
  if (projectFile.empty()) return {};
  const std::string key = Absolute(projectFile) + "\t";
  for (const auto& line : ReadListFile(FilePath(settingsFolder), kWebsiteFoldersMaxBytes).lines) {
    if (line.size() > key.size() && line.compare(0, key.size(), key) == 0) {
      return line.substr(key.size());
    }
  }
  return {};
}

bool RecordWebsiteFolder(std::string_view settingsFolder, std::string_view projectFile,
                         std::string_view folder) {
  if (!FitsALine(projectFile) || !FitsALine(folder)) return false;
  const ListFile file = ReadListFile(FilePath(settingsFolder), kWebsiteFoldersMaxBytes);
  if (file.status == ListFileStatus::Refused) return false;
  const std::string key = Absolute(projectFile) + "\t";
  std::vector<std::string> lines{key + std::string(folder)};
  for (const auto& line : file.lines) {
    if (lines.size() == kMaxWebsiteFolders) break;
    if (line.compare(0, key.size(), key) != 0) lines.push_back(line);
  }
  if (lines == file.lines) return true;
  return WriteListFile(FilePath(settingsFolder), lines);
}

}  // namespace qs::config

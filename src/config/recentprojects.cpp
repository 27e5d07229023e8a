#include "config/recentprojects.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "config/listfile.h"
#include "text/paths.h"

namespace qs::config {

namespace {

ListFile ReadFile(std::string_view folder) {
  return ReadListFile(RecentProjectsFilePath(folder), kRecentProjectsMaxBytes);
}

// Each path once, the first place it holds kept, and no more than the cap.
std::vector<std::string> Tidied(const std::vector<std::string>& paths) {
  std::vector<std::string> list;
  for (const std::string& path : paths) {
    if (list.size() == kMaxRecentProjects) break;
    if (std::find(list.begin(), list.end(), path) == list.end()) list.push_back(path);
  }
  return list;
}

std::string Absolute(std::string_view path) {
  std::error_code error;
  const auto absolute = std::filesystem::absolute(std::filesystem::path(std::string(path)), error);
  if (error) return std::string(path);
  return absolute.lexically_normal().string();
}

}  // namespace

std::string RecentProjectsFilePath(std::string_view folder) {
  return text::WithTrailingSeparator(folder) + std::string(kRecentProjectsFileName);
}

std::vector<std::string> ReadRecentProjects(std::string_view folder) {
  return Tidied(ReadFile(folder).lines);
}

std::vector<std::string> WithRecentProject(std::vector<std::string> list, std::string_view path) {
  list.insert(list.begin(), std::string(path));
  return Tidied(list);
}

std::vector<std::string> RecordRecentProject(std::string_view folder, std::string_view path) {
  const ListFile file = ReadFile(folder);
  const std::vector<std::string> current = Tidied(file.lines);
  if (path.empty() || path.find_first_of("\r\n") != std::string_view::npos ||
      file.status == ListFileStatus::Refused) {
    return current;
  }
  std::vector<std::string> list = WithRecentProject(current, Absolute(path));
  if (list != file.lines) WriteListFile(RecentProjectsFilePath(folder), list);
  return list;
}

}  // namespace qs::config

#include "platform/filesystem.h"

#include <filesystem>
#include <system_error>

namespace qs::platform {

std::optional<std::uintmax_t> RegularFileSize(const std::string& path) {
  std::error_code error;
  const std::filesystem::path p(path);
  if (!std::filesystem::is_regular_file(p, error)) return std::nullopt;
  const auto size = std::filesystem::file_size(p, error);
  if (error) return std::nullopt;
  return size;
}

bool IsNonEmptyFile(const std::string& path) {
  const auto size = RegularFileSize(path);
  return size.has_value() && *size > 0;
}

bool IsFolder(const std::string& path) {
  std::error_code error;
  return !path.empty() && std::filesystem::is_directory(std::filesystem::path(path), error);
}

std::string AbsolutePath(const std::string& path) {
  if (path.empty()) return path;
  std::error_code error;
  const auto absolute = std::filesystem::absolute(std::filesystem::path(path), error);
  if (error) return path;
  return absolute.string();
}

}  // namespace qs::platform

#include "platform/helpcompilerlocator.h"

#include <filesystem>
#include <system_error>

namespace qs::platform {
namespace {

bool IsExecutableFile(const std::filesystem::path& file) {
  std::error_code error;
  const auto status = std::filesystem::status(file, error);
  if (error || !std::filesystem::is_regular_file(status)) return false;
  using std::filesystem::perms;
  const auto anyExec = perms::owner_exec | perms::group_exec | perms::others_exec;
  return (status.permissions() & anyExec) != perms::none;
}

}  // namespace

std::string FindProgramOnPath(std::string_view program, std::string_view pathValue,
                              char listSeparator) {
  if (program.empty()) return {};
  std::size_t start = 0;
  while (start <= pathValue.size()) {
    auto end = pathValue.find(listSeparator, start);
    if (end == std::string_view::npos) end = pathValue.size();
    const std::string_view entry = pathValue.substr(start, end - start);
    std::filesystem::path folder =
        entry.empty() ? std::filesystem::path(".") : std::filesystem::path(std::string(entry));
    const auto candidate = folder / std::string(program);
    if (IsExecutableFile(candidate)) {
      std::error_code error;
      const auto absolute = std::filesystem::absolute(candidate, error);
      return (error ? candidate : absolute).lexically_normal().string();
    }
    start = end + 1;
  }
  return {};
}

}  // namespace qs::platform

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/filesystem.h"
#include "platform/purebasicfolder.h"

namespace qs::platform {

namespace {

// The first folder of a PATH-style list holding an executable regular file `program`.
std::string FindOnPath(const std::string& program, const std::string& pathValue) {
  std::size_t start = 0;
  while (start <= pathValue.size()) {
    const std::size_t end = std::min(pathValue.find(':', start), pathValue.size());
    const std::filesystem::path folder =
        end > start ? std::filesystem::path(pathValue.substr(start, end - start))
                    : std::filesystem::path(".");
    const std::filesystem::path candidate = folder / program;
    std::error_code error;
    if (std::filesystem::is_regular_file(candidate, error) &&
        ::access(candidate.c_str(), X_OK) == 0) {
      return std::filesystem::absolute(candidate, error).string();
    }
    start = end + 1;
  }
  return {};
}

std::string AsFolder(const std::string& path) {
  if (path.empty() || !IsFolder(path)) return {};
  std::string folder = path;
  if (folder.back() != '/') folder.push_back('/');
  return folder;
}

}  // namespace

std::string FindPureBasicFolderFrom(const std::string& purebasicHome, const std::string& pathValue,
                                    const std::string& home) {
  if (std::string folder = AsFolder(purebasicHome); !folder.empty()) return folder;

  const std::string compiler = FindOnPath("pbcompiler", pathValue);
  if (!compiler.empty()) {
    // pbcompiler lives in <install>/compilers/.
    std::filesystem::path install = std::filesystem::path(compiler).parent_path().parent_path();
    if (std::string folder = AsFolder(install.string()); !folder.empty()) return folder;
  }

  if (std::string folder = AsFolder("/opt/purebasic"); !folder.empty()) return folder;
  if (!home.empty()) {
    if (std::string folder = AsFolder((std::filesystem::path(home) / "purebasic").string());
        !folder.empty()) {
      return folder;
    }
  }
  return {};
}

std::string FindPureBasicFolder() {
  auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  return FindPureBasicFolderFrom(env("PUREBASIC_HOME"), env("PATH"), env("HOME"));
}

}  // namespace qs::platform

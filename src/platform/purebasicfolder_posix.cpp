#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include "platform/filesystem.h"
#include "platform/helpcompilerlocator.h"
#include "platform/purebasicfolder.h"

namespace qs::platform {

namespace {

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

  const std::string compiler = FindProgramOnPath("pbcompiler", pathValue, ':');
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

#include "platform/purebasicfolder.h"

#include <filesystem>
#include <string>

#include "platform/filesystem.h"
#include "platform/helpcompilerlocator.h"

// The rule outside Windows, kept apart from the environment so that every build can link it
// and test it with the environment given.

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

}  // namespace qs::platform

#include "platform/purebasicfolder.h"

#include <filesystem>
#include <system_error>

#include "platform/filesystem.h"
#include "platform/helpcompilerlocator.h"
#include "text/paths.h"

namespace qs::platform {

namespace {

std::string AsFolder(const std::string& path) {
  if (path.empty() || !IsFolder(path)) return {};
  return path.back() == '/' ? path : path + "/";
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
    if (std::string folder = AsFolder(text::WithTrailingSeparator(home) + "purebasic");
        !folder.empty()) {
      return folder;
    }
  }
  return {};
}

}  // namespace qs::platform

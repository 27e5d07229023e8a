#include "flows/projectlock.h"

#include <filesystem>
#include <system_error>

#include "text/paths.h"
#include "text/textops.h"

namespace qs::flows {

namespace {

namespace fs = std::filesystem;

// Names kept well below the systems' limit of 255 bytes, whatever the project's name.
constexpr std::size_t kLongestNamePart = 160;

std::string LockPath(const std::string& projectFile, std::string_view suffix) {
  // A project reached through a link is the file the link points at: every path to it must
  // meet at the same lock. (The save replaces that file, not the link.)
  std::string file = projectFile;
  std::error_code error;
  if (fs::is_symlink(fs::path(projectFile), error)) {
    const fs::path resolved = fs::weakly_canonical(fs::path(projectFile), error);
    if (!error) file = resolved.string();
  }
  std::string name = text::FileNamePart(file);
  if (name.size() > kLongestNamePart) {
    name = name.substr(0, 64) + "~" + text::StableHashHex(name).substr(0, 8);
  }
  return text::FolderPart(file) + "." + name + std::string(suffix);
}

}  // namespace

std::string ProjectOpenLockPath(const std::string& projectFile) {
  return LockPath(projectFile, ".open.lock");
}

std::string ProjectWriteLockPath(const std::string& projectFile) {
  return LockPath(projectFile, ".write.lock");
}

text::Report ProjectBusyReport(const std::string& projectFile) {
  return text::ErrorReport("Project file '" + projectFile + "' is busy: another program has " +
                           "been writing it for " + std::to_string(kProjectWriteWait.count()) +
                           " seconds!");
}

}  // namespace qs::flows

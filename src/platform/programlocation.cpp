#include "platform/programlocation.h"

#include "text/paths.h"

namespace qs::platform {

std::string ProgramFolder() {
  return text::FolderPart(ProgramPath());
}

std::string SettingsFolderFor(const std::string& programFolder, bool programFolderWritable,
                              const std::string& configHome, const std::string& home) {
  if (!programFolder.empty() && programFolderWritable) return programFolder;
  std::string base;
  if (!configHome.empty()) {
    base = text::WithTrailingSeparator(configHome);
  } else if (!home.empty()) {
    base = text::WithTrailingSeparator(home) + ".config" + text::NativeSeparator();
  } else {
    return programFolder;
  }
  return base + "QuillSmith" + text::NativeSeparator();
}

}  // namespace qs::platform

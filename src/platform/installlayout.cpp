#include "platform/installlayout.h"

#include "platform/filesystem.h"
#include "text/paths.h"

namespace qs::platform {

std::string InstalledDataFolder(const std::string& programFolder) {
  if (programFolder.empty()) return {};
  const char sep = text::NativeSeparator();
  const std::string folder =
      text::WithTrailingSeparator(programFolder) + ".." + sep + "share" + sep + "quillsmith" + sep;
  return IsFolder(folder) ? folder : std::string();
}

std::string ProgramHelpFile(const std::string& programFolder) {
  const std::string beside = text::WithTrailingSeparator(programFolder) + "QuillSmith.chm";
  if (IsNonEmptyFile(beside)) return beside;
  const std::string data = InstalledDataFolder(programFolder);
  if (!data.empty() && IsNonEmptyFile(data + "QuillSmith.chm")) return data + "QuillSmith.chm";
  return beside;
}

std::string ProgramHelpPages(const std::string& programFolder) {
  const char sep = text::NativeSeparator();
  const std::string pages = std::string("QuillSmithHelp") + sep;
  const std::string beside = text::WithTrailingSeparator(programFolder) + pages;
  if (!programFolder.empty() && IsNonEmptyFile(beside + "QuillSmith.html")) return beside;
  const std::string data = InstalledDataFolder(programFolder);
  if (!data.empty() && IsNonEmptyFile(data + pages + "QuillSmith.html")) return data + pages;
  return {};
}

}  // namespace qs::platform

#include "app/requesters.h"

#include <cstdio>

#include "text/paths.h"
#include "text/textops.h"

namespace qs::app {

namespace {

std::string TwoDigits(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace

std::string FormatDateMask(std::string_view mask, const platform::DateTime& when) {
  std::string out;
  std::size_t i = 0;
  while (i < mask.size()) {
    const std::string_view rest = mask.substr(i);
    if (text::StartsWith(rest, "%yyyy")) {
      char buffer[16];
      std::snprintf(buffer, sizeof buffer, "%04d", when.year);
      out += buffer;
      i += 5;
    } else if (text::StartsWith(rest, "%dd")) {
      out += TwoDigits(when.day);
      i += 3;
    } else if (text::StartsWith(rest, "%mm")) {
      out += TwoDigits(when.month);
      i += 3;
    } else if (text::StartsWith(rest, "%hh")) {
      out += TwoDigits(when.hour);
      i += 3;
    } else if (text::StartsWith(rest, "%ss")) {
      out += TwoDigits(when.second);
      i += 3;
    } else {
      out += mask[i];
      ++i;
    }
  }
  return out;
}

std::string DefaultProjectName(const std::string& folder, const platform::DateTime& when) {
  return folder + "HelpProject_" + FormatDateMask(kDateMask, when) + ".qsp";
}

std::string WithProjectExtension(const std::string& path, int filterIndex) {
  if (filterIndex != 0) return path;
  const std::string tail = path.size() >= 4 ? path.substr(path.size() - 4) : path;
  if (text::AsciiLower(tail) == ".qsp") return path;
  return path + ".qsp";
}

std::string ProjectStartFolder(const std::string& projectFile, const std::string& lastProjectDir,
                               const std::string& purebasicFolder) {
  std::string folder = text::FolderPart(projectFile);
  if (!folder.empty()) return folder;
  if (!lastProjectDir.empty()) return lastProjectDir;
  return purebasicFolder;
}

}  // namespace qs::app

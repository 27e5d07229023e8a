#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/installlayout.h"
#include "platform/programlocation.h"

namespace qs::platform {

std::string ProgramPath() {
  std::string buffer(4096, '\0');
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  buffer.resize(static_cast<std::size_t>(length));
  return buffer;
}

std::string SettingsFolder() {
  const std::string folder = ProgramFolder();
  // An installed program's folder counts as read-only even for root, who may write anywhere:
  // settings then live in the user's configuration folder, never in <prefix>/bin.
  const bool writable =
      !folder.empty() && ::access(folder.c_str(), W_OK) == 0 && InstalledDataFolder(folder).empty();
  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  return SettingsFolderFor(folder, writable, configHome ? configHome : "", home ? home : "");
}

}  // namespace qs::platform

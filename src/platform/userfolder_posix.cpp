#include <sys/stat.h>

#include <string>

#include "platform/userfolder.h"

namespace qs::platform {

bool MakePrivateFolder(const std::string& folder) {
  if (folder.empty()) return true;
  // Each missing folder from the top down, so that every folder made gets the mode itself
  // (create_directories would make them with the umask's mode).
  for (std::size_t end = folder.find('/', 1);; end = folder.find('/', end + 1)) {
    const std::string part = folder.substr(0, end);
    // A folder that exists (or cannot be made) is passed over: the final check decides.
    if (!part.empty()) ::mkdir(part.c_str(), S_IRWXU);
    if (end == std::string::npos || end + 1 >= folder.size()) break;
  }
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace qs::platform

#include <windows.h>

#include <string>

#include "platform/userfolder.h"

namespace qs::platform {

bool MakePrivateFolder(const std::string& folder) {
  if (folder.empty()) return true;
  // Mode bits do not exist here: a folder made in the user's profile inherits its rights,
  // which keep other users out.
  for (std::size_t end = folder.find_first_of("\\/", 1);;
       end = folder.find_first_of("\\/", end + 1)) {
    const std::string part = folder.substr(0, end);
    // "C:" is a drive, not a folder to make.
    // A folder that exists (or cannot be made) is passed over: the final check decides.
    if (!part.empty() && part.back() != ':') CreateDirectoryA(part.c_str(), nullptr);
    if (end == std::string::npos || end + 1 >= folder.size()) break;
  }
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace qs::platform

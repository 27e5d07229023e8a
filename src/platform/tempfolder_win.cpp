#include <windows.h>

#include "platform/tempfolder.h"
#include "text/paths.h"

namespace qs::platform {

std::string SystemTempFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length > MAX_PATH) return {};
  return text::WithTrailingSeparator(std::string(buffer, length));
}

}  // namespace qs::platform

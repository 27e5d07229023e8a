#include <cstdlib>

#include "platform/tempfolder.h"
#include "text/paths.h"

namespace qs::platform {

std::string SystemTempFolder() {
  const char* tmpdir = std::getenv("TMPDIR");
  std::string folder = (tmpdir != nullptr && *tmpdir != '\0') ? tmpdir : "/tmp";
  return text::WithTrailingSeparator(folder);
}

}  // namespace qs::platform

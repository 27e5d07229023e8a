#include <cstdlib>
#include <string>

#include "platform/purebasicfolder.h"

namespace qs::platform {

std::string FindPureBasicFolder() {
  auto env = [](const char* name) {
    const char* value = std::getenv(name);
    return std::string(value ? value : "");
  };
  return FindPureBasicFolderFrom(env("PUREBASIC_HOME"), env("PATH"), env("HOME"));
}

}  // namespace qs::platform

#include <cstdlib>

#include "platform/helpcompilerlocator.h"

namespace qs::platform {

std::string FindHelpCompiler() {
  const char* path = std::getenv("PATH");
  return FindProgramOnPath(kHelpCompilerName, path == nullptr ? "" : path, ':');
}

std::string_view NeededInPathNote() {
  return "It needs an HTML2CHM compiler (chmcmd) in the path.";
}

}  // namespace qs::platform

#include <cstdlib>

#include "platform/helpcompilerlocator.h"

namespace qs::platform {

std::string FindHelpCompiler() {
  const char* path = std::getenv("PATH");
  return FindProgramOnPath(kHelpCompilerName, path == nullptr ? "" : path, ':');
}

}  // namespace qs::platform

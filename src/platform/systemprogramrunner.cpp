#include "platform/systemprogramrunner.h"

namespace qs::platform {

bool SystemProgramRunner::Run(const std::string& program, const std::string& argument,
                              const std::string& workingFolder, bool hidden, bool wait) {
  return RunProgram(program, argument, workingFolder, hidden, wait);
}

}  // namespace qs::platform

#include "platform/systemprogramrunner.h"

namespace qs::platform {

bool SystemProgramRunner::Run(const std::string& program, const std::string& argument,
                              const std::string& workingFolder, bool hidden, bool wait) {
  return RunProgram(program, argument, workingFolder, hidden, wait);
}

bool SystemProgramRunner::RunCollecting(const std::string& program, const std::string& argument,
                                        const std::string& workingFolder, std::string& output) {
  return RunProgramCollecting(program, argument, workingFolder, output);
}

}  // namespace qs::platform

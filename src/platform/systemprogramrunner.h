#pragma once

#include "platform/programrunner.h"

namespace qs::platform {

// The real runner: RunProgram of the running system.
class SystemProgramRunner : public ProgramRunner {
 public:
  bool Run(const std::string& program, const std::string& argument,
           const std::string& workingFolder, bool hidden, bool wait) override;
  bool RunCollecting(const std::string& program, const std::string& argument,
                     const std::string& workingFolder, std::string& output) override;
};

}  // namespace qs::platform

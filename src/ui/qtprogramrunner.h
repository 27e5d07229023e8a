#pragma once

#include "platform/programrunner.h"

namespace qs::ui {

// Runs the help compiler for the desktop program. Waiting does not stop the event loop: the
// windows repaint and timers run, but an InputBlocker drops every click and key until the
// program has ended, so no command runs in the middle of a build.
class QtProgramRunner : public platform::ProgramRunner {
 public:
  bool Run(const std::string& program, const std::string& argument,
           const std::string& workingFolder, bool hidden, bool wait) override;
};

}  // namespace qs::ui

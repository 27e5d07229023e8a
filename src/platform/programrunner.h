#pragma once

// Running an external program (the help compiler) and waiting for its end. The compile step
// talks to the ProgramRunner interface, so that tests can stand in a program that crashes,
// writes nothing or writes an empty file.

#include <string>

namespace qs::platform {

class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;

  // Starts `program` with `argument` as its one argument and `workingFolder` as its current
  // folder. `hidden`: no window or console output reaches the user. `wait`: returns only
  // after the process has ended. True when the program was started; its exit status is not
  // examined.
  virtual bool Run(const std::string& program, const std::string& argument,
                   const std::string& workingFolder, bool hidden, bool wait) = 0;
};

// The operating system's way of doing the above. On POSIX the argument is one argv element
// exactly as given (no quotes are added); on Windows it is passed in double quotes.
bool RunProgram(const std::string& program, const std::string& argument,
                const std::string& workingFolder, bool hidden, bool wait);

}  // namespace qs::platform

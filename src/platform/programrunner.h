#pragma once

// Running an external program (the help compiler) and waiting for its end. The compile step
// talks to the ProgramRunner interface, so that tests can stand in a program that crashes,
// writes nothing or writes an empty file.

#include <string>
#include <string_view>
#include <utility>

namespace qs::platform {

class ProgramRunner {
 public:
  virtual ~ProgramRunner() = default;

  // A program that works on a copy of a folder names the copy in its output; the user knows
  // the folder by its own path. From here on, output that is shown (a runner that shows it as
  // it comes) and ShownText give `shown` in place of `copy` (both end in a separator, and are
  // also replaced without it). Two empty texts end this.
  void ShowFolderAs(std::string copy, std::string shown) {
    copy_ = std::move(copy);
    shown_ = std::move(shown);
  }
  std::string ShownText(std::string_view output) const;

  // Starts `program` with `argument` as its one argument and `workingFolder` as its current
  // folder. `hidden`: no window or console output reaches the user. `wait`: returns only
  // after the process has ended. True when the program was started; its exit status is not
  // examined.
  virtual bool Run(const std::string& program, const std::string& argument,
                   const std::string& workingFolder, bool hidden, bool wait) = 0;

  // Runs the program hidden and waits, as Run does, and gives what it wrote to its standard
  // output and error, together, in `output`: a compiler tells there which pages it could not
  // read. A runner that cannot collect it gives an empty text.
  virtual bool RunCollecting(const std::string& program, const std::string& argument,
                             const std::string& workingFolder, std::string& output) {
    output.clear();
    return Run(program, argument, workingFolder, true, true);
  }

 private:
  std::string copy_;
  std::string shown_;
};

// The operating system's way of doing the above. On POSIX the argument is one argv element
// exactly as given (no quotes are added); on Windows it is passed in double quotes.
bool RunProgram(const std::string& program, const std::string& argument,
                const std::string& workingFolder, bool hidden, bool wait);

// RunProgram hidden and waiting, with the program's standard output and error collected into
// `output` (the first 16 MiB; the rest is read and dropped, so the program never blocks on a
// full pipe). On Windows the output is not collected: `output` stays empty.
bool RunProgramCollecting(const std::string& program, const std::string& argument,
                          const std::string& workingFolder, std::string& output);

}  // namespace qs::platform

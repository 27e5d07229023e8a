// windows.h first: shellapi.h builds on its types.
#include <windows.h>
// clang-format off
#include <shellapi.h>
// clang-format on

#include <string>

#include "platform/filesystem.h"
#include "platform/programrunner.h"
#include "text/log.h"

namespace qs::platform {

namespace {

// The argument in double quotes, written so that the C runtime of the started program splits
// it back into exactly that one argument: a quote inside is escaped with a backslash, and
// backslashes are doubled where they come before a quote (also the closing one). A path
// without quotes and without a trailing backslash is just enclosed in quotes.
std::string QuotedArgument(const std::string& argument) {
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    if (c == '"') {
      quoted.append(backslashes * 2 + 1, '\\');
    } else {
      quoted.append(backslashes, '\\');
    }
    quoted.push_back(c);
    backslashes = 0;
  }
  quoted.append(backslashes * 2, '\\');
  quoted.push_back('"');
  return quoted;
}

}  // namespace

bool RunProgram(const std::string& program, const std::string& argument,
                const std::string& workingFolder, bool hidden, bool wait) {
  // The shell splits the parameter text at blanks, so the one argument goes in quotes.
  const std::string parameters = QuotedArgument(argument);
  // A relative program path means relative to here, not to the working folder given.
  const std::string file = AbsolutePath(program);
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
  info.lpVerb = "open";
  info.lpFile = file.c_str();
  info.lpParameters = parameters.c_str();
  info.lpDirectory = workingFolder.empty() ? nullptr : workingFolder.c_str();
  info.nShow = hidden ? SW_HIDE : SW_SHOWNORMAL;
  if (!ShellExecuteExA(&info)) return false;
  if (info.hProcess != nullptr) {
    DWORD code = 0;
    if (wait && WaitForSingleObject(info.hProcess, INFINITE) == WAIT_OBJECT_0 &&
        GetExitCodeProcess(info.hProcess, &code)) {
      QS_LOG_INFO(text::platformLog) << "'" << file << "' ended with exit status " << code;
    }
    CloseHandle(info.hProcess);
  }
  return true;
}

bool RunProgramCollecting(const std::string& program, const std::string& argument,
                          const std::string& workingFolder, std::string& output) {
  // The shell starts the program without a pipe to read its output from.
  output.clear();
  return RunProgram(program, argument, workingFolder, true, true);
}

}  // namespace qs::platform

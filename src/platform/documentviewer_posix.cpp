#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/documentviewer.h"
#include "platform/helpcompilerlocator.h"
#include "text/textops.h"

namespace qs::platform {
namespace {

// Runs `program` with `args` (no shell) and returns what it printed, blanks and line ends
// trimmed; empty text when it cannot run or fails.
std::string OutputOf(const std::string& program, const std::vector<std::string>& args) {
  int pipeEnds[2];
  if (::pipe(pipeEnds) != 0) return {};
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
    return {};
  }
  if (child == 0) {
    ::dup2(pipeEnds[1], STDOUT_FILENO);
    const int devNull = ::open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      ::dup2(devNull, STDIN_FILENO);
      ::dup2(devNull, STDERR_FILENO);
    }
    ::close(pipeEnds[0]);
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(pipeEnds[1]);
  std::string output;
  char buffer[512];
  ssize_t got = 0;
  while ((got = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0 && output.size() < 65536) {
    output.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  while (!output.empty() && (output.back() == '\n' || output.back() == '\r')) output.pop_back();
  return text::TrimBlanks(output);
}

}  // namespace

bool HasDocumentViewer(const std::string& path) {
  const char* pathValue = std::getenv("PATH");
  const std::string xdgMime = FindProgramOnPath("xdg-mime", pathValue ? pathValue : "", ':');
  if (xdgMime.empty()) return false;
  const std::string type = OutputOf(xdgMime, {"query", "filetype", path});
  if (type.empty()) return false;
  return !OutputOf(xdgMime, {"query", "default", type}).empty();
}

}  // namespace qs::platform

#include <fcntl.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/filesystem.h"
#include "platform/programrunner.h"
#include "text/log.h"

namespace qs::platform {
namespace {

// Everything the child does between fork and exec is async-signal-safe: the caller may be a
// multi-threaded GUI program.
// A hidden program's output goes to `outputFd` when there is one (>= 0), else nowhere.
[[noreturn]] void ExecChild(const char* program, char* const argv[], const char* folder,
                            bool hidden, int reportFd, int outputFd) {
  if (folder != nullptr && chdir(folder) != 0) {
    const int error = errno;
    [[maybe_unused]] auto n = write(reportFd, &error, sizeof error);
    _exit(127);
  }
  if (hidden) {
    const int devNull = open("/dev/null", O_RDWR);
    if (devNull >= 0) {
      dup2(devNull, STDIN_FILENO);
      dup2(outputFd >= 0 ? outputFd : devNull, STDOUT_FILENO);
      dup2(outputFd >= 0 ? outputFd : devNull, STDERR_FILENO);
      if (devNull > STDERR_FILENO) close(devNull);
    }
  }
  execv(program, argv);
  const int error = errno;
  [[maybe_unused]] auto n = write(reportFd, &error, sizeof error);
  _exit(127);
}

// The child's wait status; -1 when it could not be had.
int WaitFor(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

void LogEnd(const std::string& program, int status) {
  if (status < 0) {
    QS_LOG_INFO(text::platformLog) << "'" << program << "' ended, how is not known";
  } else if (WIFSIGNALED(status)) {
    QS_LOG_INFO(text::platformLog) << "'" << program << "' killed by signal " << WTERMSIG(status);
  } else {
    QS_LOG_INFO(text::platformLog)
        << "'" << program << "' ended with exit status " << WEXITSTATUS(status);
  }
}

constexpr std::size_t kOutputLimit = std::size_t{16} << 20;

// Reads `fd` to its end into `output`, up to the limit; what comes after is read and dropped.
void ReadAll(int fd, std::string& output) {
  char buffer[8192];
  for (;;) {
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;
    const std::size_t room = kOutputLimit - std::min(kOutputLimit, output.size());
    output.append(buffer, std::min(room, static_cast<std::size_t>(got)));
  }
}

// RunProgram, with the hidden program's output collected when `output` is given.
bool Launch(const std::string& program, const std::string& argument,
            const std::string& workingFolder, bool hidden, bool wait, std::string* output) {
  if (program.empty()) return false;
  // The argument vector and the folder are made before the fork: the child may not allocate.
  // A relative program path means relative to here, not to the folder the child moves to.
  std::string argv0 = AbsolutePath(program);
  std::string argv1 = argument;
  std::vector<char*> argv = {argv0.data(), argv1.data(), nullptr};
  const char* folder = workingFolder.empty() ? nullptr : workingFolder.c_str();

  // A close-on-exec pipe tells the parent whether exec succeeded: it reads end-of-file when
  // the program started, and the child's errno when it did not.
  int fds[2];
  if (pipe(fds) != 0) return false;
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  fcntl(fds[1], F_SETFD, FD_CLOEXEC);
  // The output pipe: the child's standard output and error become its writing end (dup2
  // drops the close-on-exec mark there), so the program keeps nothing else of it.
  int outputFds[2] = {-1, -1};
  if (output != nullptr) {
    if (pipe(outputFds) != 0) {
      close(fds[0]);
      close(fds[1]);
      return false;
    }
    fcntl(outputFds[0], F_SETFD, FD_CLOEXEC);
    fcntl(outputFds[1], F_SETFD, FD_CLOEXEC);
  }
  const auto closeOutput = [&outputFds] {
    for (int& fd : outputFds) {
      if (fd >= 0) close(fd);
      fd = -1;
    }
  };

  const pid_t child = fork();
  if (child < 0) {
    close(fds[0]);
    close(fds[1]);
    closeOutput();
    return false;
  }
  if (child == 0) {
    close(fds[0]);
    if (!wait) {
      // Not waited for: a grandchild runs the program, so that no zombie is left behind.
      const pid_t grandchild = fork();
      if (grandchild < 0) {
        const int error = errno;
        [[maybe_unused]] auto n = write(fds[1], &error, sizeof error);
        _exit(127);
      }
      if (grandchild > 0) _exit(0);
    }
    ExecChild(argv0.c_str(), argv.data(), folder, hidden, fds[1], outputFds[1]);
  }

  close(fds[1]);
  if (outputFds[1] >= 0) {
    close(outputFds[1]);
    outputFds[1] = -1;
  }
  int childError = 0;
  ssize_t got = 0;
  do {
    got = read(fds[0], &childError, sizeof childError);
  } while (got < 0 && errno == EINTR);
  close(fds[0]);
  const bool started = (got == 0);
  // Read to the end before waiting: a program whose output fills the pipe waits for us.
  if (output != nullptr) {
    output->clear();
    if (started) ReadAll(outputFds[0], *output);
  }
  closeOutput();
  // With `wait` this is the program's end; without it, the short-lived intermediate child's.
  const int status = WaitFor(child);
  if (wait && started) LogEnd(argv0, status);
  return started;
}

}  // namespace

bool RunProgram(const std::string& program, const std::string& argument,
                const std::string& workingFolder, bool hidden, bool wait) {
  return Launch(program, argument, workingFolder, hidden, wait, nullptr);
}

bool RunProgramCollecting(const std::string& program, const std::string& argument,
                          const std::string& workingFolder, std::string& output) {
  output.clear();
  return Launch(program, argument, workingFolder, true, true, &output);
}

}  // namespace qs::platform

#include "sandbox.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace qs::hardening {
namespace {

namespace fs = std::filesystem;

}  // namespace

Picture TakePicture(const std::string& folder) {
  Picture picture;
  const fs::path base(folder);
  for (auto it = fs::recursive_directory_iterator(base); it != fs::recursive_directory_iterator();
       ++it) {
    const std::string relative = it->path().lexically_relative(base).generic_string();
    if (it->is_symlink()) {
      picture[relative] = "link -> " + fs::read_symlink(it->path()).string();
    } else if (it->is_directory()) {
      picture[relative] = "dir";
    } else {
      std::ifstream in(it->path(), std::ios::binary);
      picture[relative] =
          std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
  }
  return picture;
}

Picture Without(Picture picture, std::string_view relativeFolder) {
  std::erase_if(picture, [&](const auto& entry) {
    return entry.first.starts_with(relativeFolder) ||
           entry.first + "/" == std::string(relativeFolder);
  });
  return picture;
}

std::string RunWithFileSizeLimit(std::uintmax_t fileSizeLimit,
                                 const std::function<std::string()>& body, unsigned seconds) {
  int fds[2];
  if (pipe(fds) != 0) throw std::runtime_error("pipe");
  const pid_t child = fork();
  if (child < 0) throw std::runtime_error("fork");
  if (child == 0) {
    close(fds[0]);
    // Past the limit a write fails with EFBIG instead of killing the process.
    signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{static_cast<rlim_t>(fileSizeLimit), static_cast<rlim_t>(fileSizeLimit)};
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(3);
    alarm(seconds);
    const std::string answer = body();
    std::size_t done = 0;
    while (done < answer.size()) {
      const ssize_t n = write(fds[1], answer.data() + done, answer.size() - done);
      if (n <= 0) _exit(4);
      done += static_cast<std::size_t>(n);
    }
    _exit(0);
  }
  close(fds[1]);
  std::string answer;
  char buffer[4096];
  ssize_t n = 0;
  while ((n = read(fds[0], buffer, sizeof buffer)) > 0) answer.append(buffer, std::size_t(n));
  close(fds[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "crashed";
  return answer;
}

}  // namespace qs::hardening

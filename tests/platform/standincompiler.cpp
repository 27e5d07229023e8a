// A stand-in for the help compiler, for the runner tests and the end-to-end run on Windows.
//
// It waits a moment first, so that a caller that does not wait for its end finds nothing yet.
// Given one argument that names a help project file, it writes the compiled file that the
// project names ("Compiled file=" line) into its current folder, as a real compiler does:
// with content, empty (QS_STANDIN_CHM=empty) or not at all (QS_STANDIN_CHM=none). Last it
// writes "standin.log" into its current folder (or the file QS_STANDIN_LOG names): the number
// of arguments, each argument and the current folder, one a line, so that the caller can see
// how it was started.

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <thread>

namespace {

// The value of the project file's "Compiled file=" line, or empty text.
std::string CompiledFileNamedIn(const std::string& projectFile) {
  std::ifstream in(projectFile, std::ios::binary);
  const std::string key = "Compiled file=";
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.compare(0, key.size(), key) == 0) return line.substr(key.size());
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  const char* mode = std::getenv("QS_STANDIN_CHM");
  const std::string chmMode = mode != nullptr ? mode : "";
  if (argc == 2 && chmMode != "none") {
    const std::string compiled = CompiledFileNamedIn(argv[1]);
    if (!compiled.empty()) {
      std::ofstream chm(compiled, std::ios::binary);
      if (chmMode != "empty") chm << "ITSF stand-in compiled help\n";
    }
  }

  const char* named = std::getenv("QS_STANDIN_LOG");
  const std::string logFile = named != nullptr && *named != '\0' ? named : "standin.log";
  {
    std::ofstream log(logFile + ".part", std::ios::binary);
    log << argc - 1 << "\n";
    for (int i = 1; i < argc; ++i) log << argv[i] << "\n";
    log << std::filesystem::current_path().string() << "\n";
    if (!log.good()) return 1;
  }
  // Whole or not at all, for a caller that polls for it.
  std::error_code error;
  std::filesystem::rename(logFile + ".part", logFile, error);
  return error ? 1 : 0;
}

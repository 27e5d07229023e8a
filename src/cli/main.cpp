// quillsmith-cli: the program's work without a window, for scripts and build pipelines.

#include <cstdio>
#include <string_view>

namespace {

constexpr std::string_view kVersion = "1.03.99";

constexpr std::string_view kUsage =
    "Usage:\n"
    "  quillsmith-cli --help | --version\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    std::printf("quillsmith-cli %.*s\n", static_cast<int>(kVersion.size()), kVersion.data());
    return 0;
  }
  if (argc == 2 && std::string_view(argv[1]) == "--help") {
    std::fwrite(kUsage.data(), 1, kUsage.size(), stdout);
    return 0;
  }
  std::fwrite(kUsage.data(), 1, kUsage.size(), stderr);
  return 2;
}

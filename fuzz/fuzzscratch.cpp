#include "fuzzscratch.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

namespace qs::fuzz {
namespace {

namespace fs = std::filesystem;

struct Scratch {
  std::string folder;

  Scratch() {
    std::error_code error;
    fs::path base =
        fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path(error);
    const fs::path path = base / ("qs-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(path, error);
    if (error) {
      std::fprintf(stderr, "cannot make the scratch folder %s\n", path.c_str());
      std::abort();
    }
    folder = path.string() + "/";
  }
  ~Scratch() {
    std::error_code ignored;
    fs::remove_all(fs::path(folder), ignored);
  }
};

}  // namespace

const std::string& ScratchFolder() {
  static Scratch scratch;
  return scratch.folder;
}

std::string WriteScratchFile(std::string_view name, std::string_view bytes) {
  const std::string path = ScratchFolder() + std::string(name);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) {
    std::fprintf(stderr, "cannot write the scratch file %s\n", path.c_str());
    std::abort();
  }
  return path;
}

std::string ReadScratchFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace qs::fuzz

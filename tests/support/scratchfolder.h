#pragma once

// A fresh folder below the system's temporary folder for one test, removed with everything in
// it when the test ends. Tests never write into the source tree.

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include "support/windowscompat.h"

namespace qs::testsupport {

class ScratchFolder {
 public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qs-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~ScratchFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // The folder, with a trailing "/".
  std::string Path() const { return path_ + "/"; }

 private:
  std::string path_;
};

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteBytes(const std::string& path, const std::string& bytes, bool executable = false) {
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  if (executable) std::filesystem::permissions(path, std::filesystem::perms::owner_all);
}

// Joins lines, each followed by CR LF, the way every generated file ends its lines.
inline std::string CrLfLines(std::initializer_list<std::string_view> lines) {
  std::string out;
  for (auto line : lines) out.append(line).append("\r\n");
  return out;
}

}  // namespace qs::testsupport

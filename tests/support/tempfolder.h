#pragma once

// A fresh folder below the system's temporary folder for one test, removed with everything in
// it when the test ends, and the small file helpers the tests use in it. Tests never write
// into the source tree.

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

// The tests that make folders and set variables use the POSIX calls; on Windows this brings
// stand-ins for them.
#include "support/windowscompat.h"

namespace qs::testsupport {

class TempFolder {
 public:
  TempFolder();
  // Takes back what a test made read-only or handed to another owner, then removes it all.
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder, with a trailing "/".
  const std::string& Path() const { return path_; }
  std::string Path(std::string_view relative) const { return path_ + std::string(relative); }

  // Writes a file, making its folders first; throws when it cannot. Reads one back ("" when
  // it is missing).
  void Write(std::string_view relative, std::string_view bytes) const;
  std::string Read(std::string_view relative) const;
  // How many entries the folder itself holds.
  std::size_t EntryCount() const;

 private:
  std::string path_;
};

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes, bool executable = false);

// Joins lines, each followed by CR LF, the way every generated file ends its lines.
std::string CrLfLines(std::initializer_list<std::string_view> lines);

}  // namespace qs::testsupport

#pragma once

#include <string>
#include <vector>

namespace qs::output {

// What the most recent build wrote: the folder it built into (with its trailing separator)
// and the full paths of the files, in writing order. The program keeps one and passes it to
// every build, preview and erase.
struct BuildRecord {
  std::string folder;
  std::vector<std::string> files;
  // Whether the build was a preview, whose files are always the program's to erase.
  bool preview = false;

  friend bool operator==(const BuildRecord&, const BuildRecord&) = default;
};

}  // namespace qs::output

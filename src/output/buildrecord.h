#pragma once

#include <string>
#include <vector>

namespace qs::output {

// What the most recent build wrote: the folder it built into (with its trailing separator)
// and the full paths of the files, in writing order. The program keeps one and passes it to
// every build and erase.
struct BuildRecord {
  std::string folder;
  std::vector<std::string> files;

  friend bool operator==(const BuildRecord&, const BuildRecord&) = default;
};

}  // namespace qs::output

#pragma once

#include <string>
#include <vector>

namespace qs::library {

// One function of a user library, as its table lists it.
struct LibraryFunction {
  std::string name;
  std::string parameters;  // "(" ... matching ")", blanks trimmed; empty without a help string
  std::string help;        // the one-line description after the parameters; may be empty

  friend bool operator==(const LibraryFunction&, const LibraryFunction&) = default;
};

// The retained functions of one library, in the order of the file.
using LibraryInfo = std::vector<LibraryFunction>;

}  // namespace qs::library

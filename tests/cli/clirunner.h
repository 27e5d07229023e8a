#pragma once

// Runs quillsmith-cli in-process and keeps what it printed.

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"

namespace qs::cli {

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

inline Outcome RunCli(const std::vector<std::string>& args) {
  std::ostringstream out;
  std::ostringstream err;
  const int status = Run(args, out, err);
  return {status, out.str(), err.str()};
}

}  // namespace qs::cli

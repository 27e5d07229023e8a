// quillsmith-cli: the program's work without a window, for scripts and build pipelines.

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/processsetup.h"
#include "platform/standardstreams.h"

int main(int argc, char** argv) {
  qs::platform::PrepareProcess();
  qs::platform::UseBinaryStandardStreams();
  const std::vector<std::string> args(argv + 1, argv + argc);
  return qs::cli::Run(args, std::cout, std::cerr);
}

// quillsmith-cli: the program's work without a window, for scripts and build pipelines.

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "platform/processsetup.h"
#include "platform/standardstreams.h"
#include "text/log.h"

int main(int argc, char** argv) {
  qs::platform::PrepareProcess();
  qs::platform::UseBinaryStandardStreams();
  qs::text::EnableLogCategories(std::getenv(qs::text::kLogVariable));
  const std::vector<std::string> args(argv + 1, argv + argc);
  return qs::cli::Run(args, std::cout, std::cerr);
}

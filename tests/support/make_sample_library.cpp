// Writes the demo's sample user library, "TextKit", to the path given as the first argument;
// with a count after it, a synthetic library of that many functions instead (to try the
// program on a large project).

#include <cstdlib>
#include <iostream>
#include <string>

#include "support/librarygenerator.h"

int main(int argc, char** argv) {
  char* end = nullptr;
  const long functions = argc == 3 ? std::strtol(argv[2], &end, 10) : 0;
  if ((argc != 2 && argc != 3) || (argc == 3 && (*end != '\0' || functions < 1))) {
    std::cerr << "Usage: qs_make_sample_library OUTPUT-FILE [FUNCTIONS]\n";
    return 2;
  }
  const auto recipe =
      argc == 3 ? qs::testsupport::SyntheticLibraryRecipe(static_cast<std::size_t>(functions))
                : qs::testsupport::SampleLibraryRecipe();
  if (!qs::testsupport::WriteLibraryFile(argv[1], recipe)) {
    std::cerr << "Could not create file '" << argv[1] << "'!\n";
    return 1;
  }
  return 0;
}

// Writes the demo's sample user library, "TextKit", to the path given as the one argument.

#include <iostream>

#include "support/librarygenerator.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: qs_make_sample_library OUTPUT-FILE\n";
    return 2;
  }
  if (!qs::testsupport::WriteLibraryFile(argv[1], qs::testsupport::SampleLibraryRecipe())) {
    std::cerr << "Could not create file '" << argv[1] << "'!\n";
    return 1;
  }
  return 0;
}

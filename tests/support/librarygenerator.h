#pragma once

// Writes user library files from a description, so that tests, benchmarks and the demo never
// need a library file from elsewhere. Only the parts the reader walks are modelled; the rest
// of the file is filler bytes.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace qs::testsupport {

struct LibraryRecipe {
  // What follows the last function entry.
  enum class EndMark {
    Part,  // the next part's signature, "ERUP"
    Data,  // an 8-byte chunk header followed by the data signature "1TAD"
    None   // nothing: a cut-off table
  };

  struct Entry {
    std::string name;
    std::string parameterBytes;       // written after their count byte; at most 255
    std::size_t padding = 0;          // zero bytes after the 4-byte trailer
    std::optional<std::string> help;  // zero-ended help string; the reader wants "(" first
  };

  std::string headerString = "QuillSmith test library";
  std::vector<std::string> firstNames;  // at most 255
  std::string secondHeaderString = "TestLib";
  std::vector<std::string> secondNames;  // at most 255
  std::vector<Entry> entries;
  EndMark endMark = EndMark::Part;
  std::string tail = std::string(16, '\x7f');  // bytes after the end mark
};

// The bytes of a library file, with the offsets that tests cutting the file need.
struct GeneratedLibrary {
  std::string bytes;
  std::size_t firstCountOffset = 0;
  std::size_t secondCountOffset = 0;
  std::size_t entriesOffset = 0;  // the first function entry
  std::size_t endMarkOffset = 0;  // where the end-mark test succeeds
  std::size_t endMarkSize = 0;    // bytes from endMarkOffset the test needs (0: no mark)
};

// An entry with one parameter byte per comma-separated parameter of `help` (none without
// help), and `padding` zero bytes.
LibraryRecipe::Entry Function(std::string name, std::optional<std::string> help = std::nullopt,
                              std::size_t padding = 0);

// A library of these entries and nothing else changed from the defaults.
LibraryRecipe LibraryOf(std::vector<LibraryRecipe::Entry> entries);

// Throws std::invalid_argument when a count would not fit its byte.
GeneratedLibrary GenerateLibrary(const LibraryRecipe& recipe);
// Writes the library's bytes to `path`; false when the file could not be written.
bool WriteLibraryFile(const std::string& path, const LibraryRecipe& recipe);

// A few dozen plausible string functions with a few internal routines among them, as a
// library named "TextKit" would carry them. The demo and the end-to-end tests use it.
LibraryRecipe SampleLibraryRecipe();

// `count` functions with distinct names (none ends in a digit) and help strings of about 80
// bytes: some 100 bytes per function in the file. `variant` changes some help strings, so
// that two variants differ as a library does between two releases.
LibraryRecipe SyntheticLibraryRecipe(std::size_t count, unsigned variant = 0);

}  // namespace qs::testsupport

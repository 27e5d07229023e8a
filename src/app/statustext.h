#pragma once

// The status line's wording for a help build: what it wrote, where, how fast, and what it
// compiled. Paths are the system's bytes, as the model holds them.

#include <cstddef>
#include <string>

namespace qs::app {

// What one "Create HTML files" did, for its status line.
struct BuildSummary {
  // The HTML pages written, and the seconds the writing took.
  std::size_t pages = 0;
  double seconds = 0;
  std::string folder;
  // The compiled help file; empty when none was made.
  std::string compiledFile;
  double compileSeconds = 0;
  // "compiled with 2 errors" and the like when the compiler reported errors or warnings.
  std::string compiledWith;
  // The files of the build were erased afterwards.
  bool erased = false;
};

// "Built 38 pages in 0.4 s into /help/; compiled /help/TextKit.chm in 2.1 s; the HTML files
// were erased"; "...; /help/TextKit.chm compiled with 2 errors in 2.1 s" when the compiler
// reported errors.
std::string BuildStatus(const BuildSummary& summary);
std::string BuildFailedStatus(const std::string& folder);

}  // namespace qs::app

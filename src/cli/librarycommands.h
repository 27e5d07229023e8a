#pragma once

// The quillsmith-cli commands that read a user library. Each takes the arguments after its
// name, writes results to `out` and the program's messages to `err`, and returns kSuccess,
// kFailure or kUsage (the caller then prints the usage text).

#include <iosfwd>
#include <string>
#include <vector>

#include "text/report.h"

namespace qs::cli {

// list LIBRARY: one line per retained function, name TAB parameters TAB help.
int RunListCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// extract LIBRARY PROJECT.qsp [--fresh] [--help-folder FOLDER]: loads the project when it
// exists, merges the library into it (or builds afresh) and saves it. A failed extraction
// saves nothing.
int RunExtractCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Writes each report's text on a line of its own.
void WriteReports(const text::Reports& reports, std::ostream& err);

}  // namespace qs::cli

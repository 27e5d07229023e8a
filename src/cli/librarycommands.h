#pragma once

// The quillsmith-cli commands that read a user library. Each takes its arguments as the
// parser read them, writes results to `out` and the program's messages to `err`, and returns
// kSuccess or kFailure.

#include <iosfwd>

#include "cli/arguments.h"
#include "text/report.h"

namespace qs::cli {

// list LIBRARY: one line per retained function, name TAB parameters TAB help.
int RunListCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// extract LIBRARY PROJECT.qsp [--fresh] [--help-folder FOLDER]: loads the project when it
// exists, merges the library into it (or builds afresh) and saves it. A failed extraction
// saves nothing.
int RunExtractCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// Writes each report's text on a line of its own.
void WriteReports(const text::Reports& reports, std::ostream& err);

}  // namespace qs::cli

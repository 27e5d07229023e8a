#pragma once

// The quillsmith-cli commands that read a project and write nothing.

#include <iosfwd>

#include "cli/arguments.h"

namespace qs::cli {

// check PROJECT.qsp [--json] [--strict] [--help-folder FOLDER]
// Prints every problem of the project's pages, one a line in the form compilers use
// ("PROJECT: PAGE: FIELD:LINE: MESSAGE"), then each function page not yet documented
// ("PROJECT: PAGE: not yet documented"), then the summary line ("29 of 35 functions
// documented; 3 problems"); with --json the same as one JSON document. Changes no file.
// kSuccess, or with --strict kCheckFailed when anything was found; kFailure when the project
// cannot be loaded.
int RunCheckCommand(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace qs::cli

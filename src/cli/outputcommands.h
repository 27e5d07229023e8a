#pragma once

// The quillsmith-cli commands that write help output from a project file. Each takes its
// arguments as the parser read them, writes results to `out` and the program's messages to
// `err`, and returns kSuccess or kFailure (build: see there). The project is loaded as the desktop
// program loads it, without the question about a moved library (the library is not read here).

#include <iosfwd>

#include "cli/arguments.h"

namespace qs::cli {

// build PROJECT.qsp [--out FOLDER] [--compile] [--compiler PATH] [--erase]
//       [--language-file FILE.lng]
// Prints the build log (one full path a line) and, with --compile, the compiled file's path.
// The compiler's errors and warnings go to `err`, errors first, followed by "Help files
// compiled with N errors to PATH"; a help compiled with errors returns kCompiledWithErrors.
int RunBuildCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// unique PROJECT.qsp [--out FOLDER]
// Prints the path of the file written.
int RunUniqueCommand(const Arguments& args, std::ostream& out, std::ostream& err);

// web PROJECT.qsp FOLDER [--help-folder FOLDER] [--language-file FILE.lng]
// Writes the help as a static website into FOLDER and prints every file written, one full
// path a line.
int RunWebCommand(const Arguments& args, std::ostream& out, std::ostream& err);

}  // namespace qs::cli

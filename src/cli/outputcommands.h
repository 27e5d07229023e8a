#pragma once

// The quillsmith-cli commands that write help output from a project file. Each takes the
// arguments after its name, writes results to `out` and the program's messages to `err`, and
// returns kSuccess, kFailure or kUsage (the caller then prints the usage text).

#include <iosfwd>
#include <string>
#include <vector>

#include "project/helpproject.h"
#include "text/report.h"

namespace qs::cli {

// build PROJECT.qsp [--out FOLDER] [--compile] [--compiler PATH] [--erase]
//       [--language-file FILE.lng]
// Prints the build log (one full path a line) and, with --compile, the compiled file's path.
int RunBuildCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// Loads the project as the desktop program does, without the question about a moved library
// (the library is not read here); projectFile becomes `path`. False when it cannot be loaded,
// with the load's messages in `reports`.
bool LoadProjectForOutput(const std::string& path, project::HelpProject& project,
                          text::Reports& reports);

// unique PROJECT.qsp [--out FOLDER]
// Prints the path of the file written.
int RunUniqueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace qs::cli

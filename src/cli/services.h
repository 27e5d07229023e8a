#pragma once

#include <iosfwd>
#include <string>

#include "app/coreservices.h"
#include "cli/arguments.h"
#include "project/helpproject.h"

namespace qs::cli {

// The core as the command line uses it: the help compiler runs through the system's runner,
// and no setting or language file is read or written.
app::CoreServices CommandLineServices();

// Opens the project named by the command's one plain argument for a command that writes
// output from it, and gives the folder to write into: --out, else the project's help folder.
// False, with the load's messages on `err`, when the project cannot be loaded.
bool OpenForOutput(app::Services& services, const Arguments& args, project::HelpProject& project,
                   std::string& folder, std::ostream& err);

}  // namespace qs::cli

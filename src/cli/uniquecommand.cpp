#include <ostream>

#include "app/uniquefile.h"
#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/outputcommands.h"
#include "cli/services.h"

namespace qs::cli {

int RunUniqueCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  app::CoreServices services = CommandLineServices();
  project::HelpProject project;
  std::string folder;
  if (!OpenForOutput(services, args, project, folder, err)) return kFailure;
  const app::UniqueFileOutcome unique = app::WriteUniqueFile(services, project, folder);
  if (!unique.written) {
    // The desktop program says nothing here; a script needs to know what failed.
    WriteReports({text::CouldNotCreateFileReport(unique.path)}, err);
    return kFailure;
  }
  WriteReports(unique.reports, err);
  out << unique.path << '\n';
  return kSuccess;
}

}  // namespace qs::cli

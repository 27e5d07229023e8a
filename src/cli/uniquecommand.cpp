#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/openproject.h"
#include "cli/outputcommands.h"
#include "flows/diskports.h"
#include "flows/uniquefile.h"
#include "platform/programlocation.h"

namespace qs::cli {

int RunUniqueCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  flows::DiskProjectFiles files(platform::SettingsFolder());
  project::HelpProject project;
  std::string folder;
  if (!OpenForOutput(files, args, project, folder, err)) return kFailure;
  flows::DiskHelpOutput help;
  const flows::UniqueFileOutcome unique =
      flows::WriteUniqueFile(help, project, folder, args.Has("--examples-as-code"));
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

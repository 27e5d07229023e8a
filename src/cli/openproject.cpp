#include "cli/openproject.h"

#include "cli/librarycommands.h"
#include "flows/helpbuild.h"
#include "flows/projectflows.h"

namespace qs::cli {

bool OpenForOutput(flows::ProjectFiles& files, const Arguments& args, project::HelpProject& project,
                   std::string& folder, std::ostream& err) {
  const flows::ProjectOutcome opened = flows::OpenProject(files, project, args.plain()[0]);
  if (!opened.succeeded) {
    WriteReports(opened.reports, err);
    return false;
  }
  folder = args.Value("--out").value_or(flows::HelpFolderOf(project));
  return true;
}

}  // namespace qs::cli

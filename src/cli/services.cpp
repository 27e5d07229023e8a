#include "cli/services.h"

#include "app/helpbuild.h"
#include "app/projectflows.h"
#include "cli/librarycommands.h"
#include "platform/programlocation.h"

namespace qs::cli {

app::CoreServices CommandLineServices() {
  return app::CoreServices(platform::ProgramPath(), platform::SettingsFolder());
}

bool OpenForOutput(app::Services& services, const Arguments& args, project::HelpProject& project,
                   std::string& folder, std::ostream& err) {
  const app::ProjectOutcome opened = app::OpenProject(services, project, args.plain()[0]);
  if (!opened.succeeded) {
    WriteReports(opened.reports, err);
    return false;
  }
  folder = args.Value("--out").value_or(app::HelpFolderOf(project));
  return true;
}

}  // namespace qs::cli

#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/openproject.h"
#include "cli/outputcommands.h"
#include "flows/diskports.h"
#include "flows/website.h"
#include "platform/programlocation.h"

namespace qs::cli {

int RunWebCommand(const Arguments& args, std::ostream& out, std::ostream& err) {
  flows::DiskProjectFiles files(platform::SettingsFolder());
  project::HelpProject project;
  std::string helpFolder;
  if (!OpenForOutput(files, args, project, helpFolder, err)) return kFailure;
  const auto captions = ReadCaptions(args, err);
  if (!captions) return kFailure;
  const flows::WebsiteOutcome site =
      flows::CreateWebsite(project, *captions, args.plain()[1], args.Value("--help-folder"),
                           args.Has("--examples-as-code"));
  // Warnings about pictures left out come before the list, failures after whatever was
  // written.
  WriteReports(site.reports, err);
  out << site.log;
  return site.written() ? kSuccess : kFailure;
}

}  // namespace qs::cli

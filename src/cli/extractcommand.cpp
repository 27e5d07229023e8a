#include <filesystem>
#include <ostream>
#include <utility>

#include "app/coreservices.h"
#include "app/projectflows.h"
#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/services.h"
#include "text/paths.h"

namespace qs::cli {

int RunExtractCommand(const Arguments& args, std::ostream& /*out*/, std::ostream& err) {
  const std::string& libraryPath = args.plain()[0];
  const std::string& projectPath = args.plain()[1];
  app::CoreServices services = CommandLineServices();

  project::HelpProject project;
  text::Reports reports;
  // The whole read, merge and save under the project's write lock: another extraction or a
  // window's save in between would otherwise be lost without a word, overwritten by a merge
  // into the file as it was before.
  if (!services.LockProjectForWriting(projectPath, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  std::error_code error;
  if (std::filesystem::exists(projectPath, error)) {
    // No question about a moved library: the library to use is the one given.
    app::ProjectOutcome opened = app::OpenProject(services, project, projectPath);
    reports = std::move(opened.reports);
    if (!opened.succeeded && !reports.empty()) {
      WriteReports(reports, err);
      return kFailure;
    }
    // A file of only the four header lines fails to load without a message and lends the
    // project nothing: the extraction below builds afresh, and the save replaces that file.
  }

  project.libraryFile = libraryPath;
  project.projectFile = projectPath;
  if (const auto helpFolder = args.Value("--help-folder")) {
    project.helpFolder = text::WithTrailingSeparator(*helpFolder);
  }

  const app::PreparedExtraction extraction =
      app::ExtractLibrary(services, project, !args.Has("--fresh"));
  reports.insert(reports.end(), extraction.reports.begin(), extraction.reports.end());
  if (!extraction.succeeded || !services.SaveProject(project, projectPath, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  WriteReports(reports, err);
  // No window asks before pages go: the log names every one of them, then what changed, as
  // the window's status line says it.
  for (const auto& line : app::RemovedPageLines(extraction.changes)) err << line << '\n';
  err << extraction.changesLine << '\n';
  return kSuccess;
}

}  // namespace qs::cli

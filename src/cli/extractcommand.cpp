#include <filesystem>
#include <ostream>
#include <utility>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "flows/diskports.h"
#include "flows/projectflows.h"
#include "platform/programlocation.h"
#include "text/paths.h"

namespace qs::cli {

int RunExtractCommand(const Arguments& args, std::ostream& /*out*/, std::ostream& err) {
  const std::string& libraryPath = args.plain()[0];
  const std::string& projectPath = args.plain()[1];
  flows::DiskProjectFiles files(platform::SettingsFolder());

  project::HelpProject project;
  text::Reports reports;
  // The whole read, merge and save under the project's write lock: another extraction or a
  // window's save in between would otherwise be lost without a word, overwritten by a merge
  // into the file as it was before.
  if (!files.LockProjectForWriting(projectPath, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  std::error_code error;
  if (std::filesystem::exists(projectPath, error)) {
    // No question about a moved library: the library to use is the one given.
    flows::ProjectOutcome opened = flows::OpenProject(files, project, projectPath);
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

  flows::DiskLibraryReader reader;
  const flows::PreparedExtraction extraction =
      flows::ExtractLibrary(reader, project, !args.Has("--fresh"));
  reports.insert(reports.end(), extraction.reports.begin(), extraction.reports.end());
  if (!extraction.succeeded || !files.SaveProject(project, projectPath, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  WriteReports(reports, err);
  // No window asks before pages go: the log names every one of them, then what changed, as
  // the window's status line says it.
  for (const auto& line : flows::RemovedPageLines(extraction.changes)) err << line << '\n';
  err << extraction.changesLine << '\n';
  return kSuccess;
}

}  // namespace qs::cli

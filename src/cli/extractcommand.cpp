#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "library/librarytopics.h"
#include "project/projectfile.h"
#include "text/paths.h"

namespace qs::cli {

int RunExtractCommand(const std::vector<std::string>& args, std::ostream& /*out*/,
                      std::ostream& err) {
  std::vector<std::string> positional;
  bool fresh = false;
  std::optional<std::string> helpFolder;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--fresh") {
      fresh = true;
    } else if (args[i] == "--help-folder") {
      if (i + 1 >= args.size()) return kUsage;
      helpFolder = args[++i];
    } else if (args[i].starts_with("--")) {
      return kUsage;
    } else {
      positional.push_back(args[i]);
    }
  }
  if (positional.size() != 2 || positional[0].empty() || positional[1].empty()) return kUsage;
  const std::string& libraryPath = positional[0];
  const std::string& projectPath = positional[1];

  project::HelpProject project;
  text::Reports reports;
  std::error_code error;
  if (std::filesystem::exists(projectPath, error)) {
    // No question about a moved library: the library to use is the one given.
    if (!project::LoadProject(project, projectPath, project::LoadContext{}, reports) &&
        !reports.empty()) {
      WriteReports(reports, err);
      return kFailure;
    }
    // A file of only the four header lines fails to load without a message; its paths were
    // taken over and it has no topics, so the extraction below builds afresh into it.
  }

  project.libraryFile = libraryPath;
  project.projectFile = projectPath;
  if (helpFolder) project.helpFolder = text::WithTrailingSeparator(*helpFolder);

  library::LibraryInfo info;
  if (!library::ExtractLibraryInfo(project, !fresh, info, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  if (!project::SaveProject(project, projectPath, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  WriteReports(reports, err);
  return kSuccess;
}

}  // namespace qs::cli

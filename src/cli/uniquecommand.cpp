#include <optional>
#include <ostream>

#include "cli/cli.h"
#include "cli/librarycommands.h"
#include "cli/outputcommands.h"
#include "output/uniquehtml.h"
#include "project/projectfile.h"
#include "text/paths.h"

namespace qs::cli {

int RunUniqueCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::string projectPath;
  std::optional<std::string> folderArg;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--out") {
      if (i + 1 >= args.size() || args[i + 1].empty()) return kUsage;
      folderArg = args[++i];
    } else if (args[i].starts_with("--") || args[i].empty() || !projectPath.empty()) {
      return kUsage;
    } else {
      projectPath = args[i];
    }
  }
  if (projectPath.empty()) return kUsage;

  text::Reports reports;
  project::HelpProject project;
  if (!LoadProjectForOutput(projectPath, project, reports)) {
    WriteReports(reports, err);
    return kFailure;
  }
  const std::string folder = folderArg ? *folderArg : project.helpFolder;
  if (!output::WriteUniqueHtmlFile(project, folder, reports)) {
    // The desktop program says nothing here; a script needs to know what failed.
    const std::string title = project.TopicCount() > 0 ? project.TopicAt(0).title : "";
    err << "Could not create file '" << text::WithTrailingSeparator(folder) << title << ".html'!\n";
    return kFailure;
  }
  WriteReports(reports, err);
  out << *output::UniqueHtmlPath(project, folder) << '\n';
  return kSuccess;
}

}  // namespace qs::cli

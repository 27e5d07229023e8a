#include "app/projectflows.h"

namespace qs::app {

ProjectOutcome OpenProject(Services& services, project::HelpProject& project,
                           const std::string& path, const project::LoadContext& context) {
  ProjectOutcome outcome;
  outcome.succeeded = services.LoadProject(project, path, context, outcome.reports);
  if (outcome.succeeded) project.projectFile = path;
  return outcome;
}

ProjectOutcome ExtractLibrary(Services& services, project::HelpProject& project, bool keepData) {
  ProjectOutcome outcome;
  outcome.succeeded = services.ExtractLibraryInfo(project, keepData, outcome.reports);
  return outcome;
}

}  // namespace qs::app

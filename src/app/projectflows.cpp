#include "app/projectflows.h"

#include <utility>

namespace qs::app {

ProjectOutcome OpenProject(Services& services, project::HelpProject& project,
                           const std::string& path, const project::LoadContext& context) {
  ProjectOutcome outcome;
  project::HelpProject loaded;
  outcome.succeeded = services.LoadProject(loaded, path, context, outcome.reports);
  if (outcome.succeeded) {
    loaded.projectFile = path;
    project.ReplaceWith(std::move(loaded));
  }
  return outcome;
}

PreparedExtraction PrepareExtraction(Services& services, const project::HelpProject& project,
                                     bool keepData) {
  PreparedExtraction prepared;
  prepared.merged = keepData && project.TopicCount() > 0;
  prepared.result = project;
  prepared.succeeded = services.ExtractLibraryInfo(prepared.result, keepData, prepared.reports);
  if (!prepared.succeeded) return prepared;
  prepared.changes = CompareFunctionPages(project, prepared.result);
  prepared.changesLine = ChangesLine(prepared.changes);
  return prepared;
}

PreparedExtraction ExtractLibrary(Services& services, project::HelpProject& project,
                                  bool keepData) {
  PreparedExtraction prepared = PrepareExtraction(services, project, keepData);
  if (prepared.succeeded) project.ReplaceWith(std::move(prepared.result));
  return prepared;
}

}  // namespace qs::app

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
  // The library as read before: the extraction reads the new one over it.
  const library::LibraryInfo previousLibrary = services.LibraryFunctions();
  const bool merging = keepData && project.TopicCount() > 0;
  prepared.result = project;
  prepared.succeeded = services.ExtractLibraryInfo(prepared.result, keepData, prepared.reports);
  if (!prepared.succeeded) return prepared;
  prepared.changes = CompareFunctionPages(project, prepared.result, previousLibrary);
  prepared.changesLine = ChangesLine(prepared.changes);
  if (merging) {
    if (auto removed = RemovedTextReport(prepared.changes)) {
      prepared.reports.push_back(std::move(*removed));
    }
  }
  return prepared;
}

PreparedExtraction ExtractLibrary(Services& services, project::HelpProject& project,
                                  bool keepData) {
  PreparedExtraction prepared = PrepareExtraction(services, project, keepData);
  if (prepared.succeeded) project.ReplaceWith(std::move(prepared.result));
  return prepared;
}

}  // namespace qs::app

#include "flows/projectflows.h"

#include <utility>
#include <vector>

#include "library/librarytopics.h"

namespace qs::flows {

ProjectOutcome OpenProject(ProjectFiles& files, project::HelpProject& project,
                           const std::string& path, const project::LoadContext& context) {
  ProjectOutcome outcome;
  project::HelpProject loaded;
  outcome.succeeded = files.LoadProject(loaded, path, context, outcome.reports);
  if (outcome.succeeded) {
    loaded.projectFile = path;
    project.ReplaceWith(std::move(loaded));
  }
  return outcome;
}

PreparedExtraction PrepareExtraction(LibraryReader& reader, const project::HelpProject& project,
                                     bool keepData) {
  PreparedExtraction prepared;
  prepared.merged = library::MergesInto(project, keepData);
  prepared.result = project;
  prepared.succeeded = reader.ExtractLibraryInfo(prepared.result, keepData, prepared.reports);
  if (!prepared.succeeded) return prepared;
  prepared.changes = CompareFunctionPages(project, prepared.result);
  prepared.changesLine = ChangesLine(prepared.changes);
  return prepared;
}

namespace {

// What the change report compares: each page's name, kind and parameter list, in store order,
// without the texts, which for a large project are nearly all of its memory.
project::HelpProject PageOutline(const project::HelpProject& project) {
  std::vector<project::Topic> pages;
  pages.reserve(project.TopicCount());
  for (const auto& topic : project.topics()) {
    project::Topic& page = pages.emplace_back();
    page.name = topic.name;
    page.parameters = topic.parameters;
    page.isUserTopic = topic.isUserTopic;
    page.isUserIndex = topic.isUserIndex;
    page.icon = topic.icon;
  }
  project::HelpProject outline;
  outline.SetTopics(std::move(pages));
  return outline;
}

}  // namespace

PreparedExtraction ExtractLibrary(LibraryReader& reader, project::HelpProject& project,
                                  bool keepData) {
  // Made in place: a failed extraction changes nothing (the library is read and checked before
  // any page is touched), so the project is not copied whole.
  PreparedExtraction prepared;
  prepared.merged = library::MergesInto(project, keepData);
  const project::HelpProject before = PageOutline(project);
  prepared.succeeded = reader.ExtractLibraryInfo(project, keepData, prepared.reports);
  if (!prepared.succeeded) return prepared;
  prepared.changes = CompareFunctionPages(before, project);
  prepared.changesLine = ChangesLine(prepared.changes);
  return prepared;
}

}  // namespace qs::flows

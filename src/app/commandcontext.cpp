#include "app/commandcontext.h"

#include "project/topicform.h"

namespace qs::app {

void CommandContext::ShowReports(const text::Reports& reports) const {
  for (const text::Report& report : reports) ui.ShowMessage(report);
}

bool CommandContext::RequireProject() const {
  if (!project.projectFile.empty()) return true;
  ui.ShowMessage(text::ErrorReport("There is no current project!"));
  return false;
}

void CommandContext::ShowTopic() const {
  if (auto shown = qs::project::ShowTopic(project)) ui.ShowForm(shown->form, shown->layout);
}

void CommandContext::CommitForm() const {
  if (project.shownTopic().empty()) return;
  qs::project::CommitTopicEdits(project, ui.ReadForm());
}

void UseProjectFile(const CommandContext& context) {
  const std::string& file = context.project.projectFile;
  context.ui.SetProjectWordList(context.services.WordListPath(file));
  if (!file.empty()) context.ui.SetRecentProjects(context.services.RecordRecentProject(file));
}

void CommandContext::ShowEditForm() const {
  state.viewMode = false;
  ui.SetViewMode(false);
}

void CommandContext::ShowBrowser() const {
  state.viewMode = true;
  ui.SetViewMode(true);
}

}  // namespace qs::app

#include "app/commandcontext.h"

#include "project/topicform.h"
#include "project/topicops.h"

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
  // A functions list the form is about to show is made now, if a move left it pending.
  if (const project::Topic* shown = project.FindTopic(project.shownTopic())) {
    const project::TopicKind kind = shown->Kind();
    if (kind == project::TopicKind::IndexPage || kind == project::TopicKind::UserIndexEntry) {
      qs::project::ProduceIndexLists(project);
    }
  }
  if (auto shown = qs::project::ShowTopic(project)) ui.ShowForm(shown->form, shown->layout);
}

const project::HelpProject& CommandContext::ProjectToWrite() const {
  qs::project::ProduceIndexLists(project);
  return project;
}

void CommandContext::CommitForm() const {
  if (project.shownTopic().empty()) return;
  qs::project::CommitTopicEdits(project, ui.ReadForm());
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

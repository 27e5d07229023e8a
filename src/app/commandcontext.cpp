#include "app/commandcontext.h"

#include "app/requesters.h"
#include "project/topicform.h"
#include "project/topicops.h"
#include "text/paths.h"

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
  if (auto shown = qs::project::ShowTopic(project)) {
    ui.ShowForm(shown->form, shown->layout);
    state.formEdited = false;
  }
}

const project::HelpProject& CommandContext::ProjectToWrite() const {
  qs::project::ProduceIndexLists(project);
  return project;
}

void CommandContext::CommitForm() const {
  if (project.shownTopic().empty()) return;
  qs::project::CommitTopicEdits(project, ui.ReadForm());
  state.formEdited = false;
  ui.MarkFormCommitted();
}

void CommandContext::ShowUnsavedState() const {
  std::string title = "QuillSmith [Fast Builder]";
  if (!project.projectFile.empty()) title += " - " + text::FileNamePart(project.projectFile);
  if (Unsaved()) title += " *";
  ui.SetWindowTitle(title);
}

bool CommandContext::AskToSaveChanges() const {
  CommitForm();
  if (!Unsaved()) return true;
  const std::string name = project.projectFile.empty() ? std::string("the new project")
                                                       : text::FileNamePart(project.projectFile);
  const SaveAnswer answer = ui.AskSaveDiscardCancel(
      {"QuillSmith", "Save changes to " + name + "?", text::ReportIcon::Question});
  if (answer == SaveAnswer::Cancel) return false;
  if (answer == SaveAnswer::Discard) {
    services.RemoveRecoveryCopy(project.projectFile);
    return true;
  }
  // A project opened read-only goes under another name.
  if (!project.projectFile.empty() && !ReadOnly()) return SaveTo(project.projectFile);
  const FileChoice choice = ui.SaveFileRequester("Save QuillSmith Project", state.lastProjectDir,
                                                 std::string(kProjectFilter));
  if (choice.path.empty()) return false;
  return SaveTo(WithProjectExtension(choice.path, choice.filterIndex));
}

text::Report ReadOnlyProjectReport(const std::string& projectFile) {
  return text::ErrorReport(text::FileNamePart(projectFile) +
                           " was opened read-only: it is open in another QuillSmith window. "
                           "Save it under another name.");
}

bool CommandContext::SaveTo(const std::string& path) const {
  CommitForm();
  if (!path.empty() && path == state.readOnlyFile) {
    ui.ShowMessage(ReadOnlyProjectReport(path));
    return false;
  }
  const std::string previous = project.projectFile;
  project.projectFile = path;
  ui.SetProjectFileField(path);
  ProjectToWrite();
  text::Reports reports;
  const bool saved = services.SaveProject(project, path, reports);
  ShowReports(reports);
  if (!saved) return false;
  project.modified = false;
  // The file saved is this window's now, the one opened read-only left to the other window.
  if (path != previous) services.HoldProjectFile(path);
  state.readOnlyFile.clear();
  services.RemoveRecoveryCopy(previous);
  if (previous != path) services.RemoveRecoveryCopy(path);
  UseProjectFile(*this);
  ui.ShowStatus("Saved " + std::to_string(project.ItemCount()) + " pages to " + path);
  return true;
}

void CommandContext::Record(std::unique_ptr<project::Change> change) const {
  state.history.Record(std::move(change));
}

void CommandContext::WriteRecovery() const {
  if (!Unsaved()) return;
  // A copy, so that the timer never commits under the user's hands.
  project::HelpProject copy = project;
  if (!copy.shownTopic().empty()) project::CommitTopicEdits(copy, ui.ReadForm());
  project::ProduceIndexLists(copy);
  services.WriteRecoveryCopy(copy);
}

CommandContext::Claim CommandContext::ClaimProjectFile(const std::string& path) const {
  if (services.HoldProjectFile(path)) return Claim::Writable;
  const InUseAnswer answer = ui.AskOpenInUse(
      {"QuillSmith", text::FileNamePart(path) + " is open in another QuillSmith window.",
       text::ReportIcon::Exclamation});
  if (answer == InUseAnswer::Cancel) {
    RestoreProjectFileClaim();
    return Claim::Cancelled;
  }
  return answer == InUseAnswer::OpenReadOnly ? Claim::ReadOnly : Claim::Writable;
}

void CommandContext::RestoreProjectFileClaim() const {
  services.HoldProjectFile(ReadOnly() ? std::string() : project.projectFile);
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

#include "app/commandcontext.h"

#include <cstdio>

#include "app/requesters.h"
#include "config/languagefiles.h"
#include "flows/projectflows.h"
#include "project/topicform.h"
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
  if (auto shown = qs::project::ShowTopic(project)) {
    ui.ShowForm(shown->form, shown->layout);
    state.formEdited = false;
  }
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
    services.recovery.RemoveRecoveryCopy(project.projectFile);
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
  // A file opened read-only is refused below, before anything is asked about it.
  if (path == project.projectFile && path != state.readOnlyFile) {
    switch (SettleOutsideChange(true)) {
      case OutsideChange::None:
      case OutsideChange::Overwrite:
        break;
      case OutsideChange::SavedAs:
        return true;
      case OutsideChange::Reloaded:
      case OutsideChange::Cancelled:
        return false;
    }
  }
  return WriteProject(path);
}

bool CommandContext::WriteProject(const std::string& path) const {
  CommitForm();
  if (!path.empty() && path == state.readOnlyFile) {
    ui.ShowMessage(ReadOnlyProjectReport(path));
    return false;
  }
  const std::string previous = project.projectFile;
  project.projectFile = path;
  ui.SetProjectFileField(path);
  text::Reports reports;
  const bool saved = services.projectFiles.SaveProject(project, path, reports);
  ShowReports(reports);
  if (!saved) return false;
  project.modified = false;
  // The file saved is this window's now, the one opened read-only left to the other window.
  if (path != previous) services.projectFiles.HoldProjectFile(path);
  state.readOnlyFile.clear();
  RememberProjectFile();
  services.recovery.RemoveRecoveryCopy(previous);
  if (previous != path) services.recovery.RemoveRecoveryCopy(path);
  UseProjectFile(*this);
  ui.ShowStatus("Saved " + std::to_string(project.ItemCount()) + " pages to " + path);
  return true;
}

void CommandContext::RememberProjectFile(const platform::FileVersion& version) const {
  state.projectOnDisk = version;
  state.outsideVersionAsked.reset();
}

void CommandContext::RememberProjectFile() const {
  RememberProjectFile(services.projectFiles.ReadFileVersion(project.projectFile));
}

void CommandContext::CheckProjectFile() const {
  SettleOutsideChange(false);
}

namespace {

// The name under which work dropped by a reload is kept: beside the project file, so that once
// restored it is saved there, never over the file that was reloaded.
std::string KeptWorkName(const std::string& file, const platform::DateTime& when) {
  std::string name = text::FileNamePart(file);
  const std::size_t dot = name.rfind('.');
  const std::string extension =
      dot == std::string::npos || dot == 0 ? std::string() : name.substr(dot);
  name.resize(name.size() - extension.size());
  char stamp[48];
  std::snprintf(stamp, sizeof stamp, " (unsaved work %04d-%02d-%02d %02d%02d%02d)", when.year,
                when.month, when.day, when.hour, when.minute, when.second);
  return text::FolderPart(file) + name + stamp + extension;
}

}  // namespace

CommandContext::OutsideChange CommandContext::SettleOutsideChange(bool atSave) const {
  const std::string file = project.projectFile;
  if (file.empty() || services.projectFiles.StillSameVersion(file, state.projectOnDisk)) {
    return OutsideChange::None;
  }
  // The author has answered for this version already; only a save asks again.
  if (!atSave && state.outsideVersionAsked &&
      services.projectFiles.StillSameVersion(file, *state.outsideVersionAsked)) {
    return OutsideChange::None;
  }
  state.outsideVersionAsked = services.projectFiles.ReadFileVersion(file);
  const bool deleted = !state.outsideVersionAsked->exists;
  const std::string name = text::FileNamePart(file);
  std::string text = name + (deleted ? " was deleted" : " was changed") +
                     " by another program since this window opened or saved it.\n\n";
  if (deleted) {
    text +=
        "Overwrite writes this window's project there again; Save As... saves it under "
        "another name.";
  } else {
    text += "Reload reads the file again";
    if (Unsaved()) text += " (your unsaved work is kept as a recovery copy)";
    text +=
        "; Overwrite replaces it with this window's project; Save As... saves this "
        "window's project under another name.";
  }
  const ChangedFileAnswer answer =
      ui.AskChangedFile({"File changed on disk", text, text::ReportIcon::Exclamation}, !deleted);
  switch (answer) {
    case ChangedFileAnswer::Reload:
      if (deleted) return OutsideChange::Cancelled;
      return ReloadProjectFile() ? OutsideChange::Reloaded : OutsideChange::Cancelled;
    case ChangedFileAnswer::Overwrite:
      if (atSave) return OutsideChange::Overwrite;
      return WriteProject(file) ? OutsideChange::Overwrite : OutsideChange::Cancelled;
    case ChangedFileAnswer::SaveAs: {
      const FileChoice choice =
          ui.SaveFileRequester("Save QuillSmith Project", file, std::string(kProjectFilter));
      ui.FullRedraw();
      if (choice.path.empty()) return OutsideChange::Cancelled;
      return WriteProject(WithProjectExtension(choice.path, choice.filterIndex))
                 ? OutsideChange::SavedAs
                 : OutsideChange::Cancelled;
    }
    case ChangedFileAnswer::Cancel:
      break;
  }
  return OutsideChange::Cancelled;
}

bool CommandContext::ReloadProjectFile() const {
  const std::string file = project.projectFile;
  std::string kept;
  if (Unsaved()) {
    // The work goes into a copy of its own name: the copy under the project file's name is
    // dropped by the next save or close of this very window.
    project::HelpProject copy = project;
    if (!copy.shownTopic().empty()) project::CommitTopicEdits(copy, ui.ReadForm());
    copy.projectFile = KeptWorkName(file, services.system.Now());
    if (!services.recovery.KeepRecoveryCopy(copy)) {
      ui.ShowMessage(
          text::ErrorReport("Your unsaved work could not be kept as a recovery copy, "
                            "so " +
                            text::FileNamePart(file) + " was not reloaded."));
      return false;
    }
    kept = copy.projectFile;
  }
  Ui& window = ui;
  const project::LoadContext ask{state.purebasicFolder, [&window](const text::Report& question) {
                                   return window.AskYesNo(question);
                                 }};
  // Taken before the read: a write in between is noticed later rather than missed.
  const platform::FileVersion read = services.projectFiles.ReadFileVersion(file);
  const bool overExisting = project.ItemCount() > 0;
  const flows::ProjectOutcome opened =
      flows::OpenProject(services.projectFiles, project, file, ask);
  if (opened.succeeded) {
    state.history.Clear();
    if (overExisting) {
      ClearWindow();
      ShowEditForm();
    }
  }
  ShowReports(opened.reports);
  if (!opened.succeeded) return false;
  RememberProjectFile(read);
  // The work is in its kept copy now; the timer's copy of it would be offered twice.
  services.recovery.RemoveRecoveryCopy(file);
  ShowLoadedProject(overExisting);
  ui.ShowStatus(kept.empty() ? "Reloaded " + file
                             : "Reloaded " + file +
                                   "; your unsaved work is kept as a recovery copy, offered at "
                                   "the next start as " +
                                   text::FileNamePart(kept));
  return true;
}

void CommandContext::SaveCurrentLanguage() const {
  if (!state.captionsOwned) return;
  LanguageWrite written = services.preferences.SaveLanguage(state.currentLanguage, captions);
  if (written == LanguageWrite::ChangedOnDisk) {
    const std::string name = std::string(config::kLanguageFilePrefix) + state.currentLanguage +
                             std::string(config::kLanguageFileExtension);
    // Captions the author never touched are the file's as it was read: the other version
    // loses nothing of theirs and is kept without a question.
    if (state.captionsEdited &&
        ui.AskYesNo({"File changed on disk",
                     name + " was changed by another program since this window read it.\n\n"
                            "Overwrite it with the captions typed here?",
                     text::ReportIcon::Question})) {
      written = services.preferences.SaveLanguage(state.currentLanguage, captions, true);
    } else {
      ui.ShowStatus("Kept " + name + " as another program wrote it");
    }
  }
  if (written == LanguageWrite::Written) state.captionsEdited = false;
}

void CommandContext::ClearWindow() const {
  ui.NavigateBrowser("about:blank");
  ui.ClearForm();
  ui.SetHelpFolderField("");
  ui.SetLibraryFileField("");
}

void CommandContext::ShowLoadedProject(bool overExisting) const {
  UseProjectFile(*this);
  ui.SetProjectFileField(project.projectFile);
  ui.SetLibraryFileField(project.libraryFile);
  ui.SetHelpFolderField(project.helpFolder);
  if (overExisting) {
    project.ShowRow(0);
    ui.RefreshTopicList();
    ShowTopic();
    ui.FocusTopicList();
  } else {
    // Into an empty list nothing is shown or selected. Nothing may then be named as shown
    // either: the form still holds its placeholders, and a later commit would write them
    // into the Index page.
    project.ShowRow(-1);
    ui.RefreshTopicList();
    project.modified = false;
  }
}

void CommandContext::Record(std::unique_ptr<project::Change> change) const {
  state.history.Record(std::move(change));
}

void CommandContext::WriteRecovery() const {
  if (!Unsaved()) return;
  // A copy, so that the timer never commits under the user's hands.
  project::HelpProject copy = project;
  if (!copy.shownTopic().empty()) project::CommitTopicEdits(copy, ui.ReadForm());
  services.recovery.WriteRecoveryCopy(copy);
}

CommandContext::Claim CommandContext::ClaimProjectFile(const std::string& path) const {
  if (services.projectFiles.HoldProjectFile(path)) return Claim::Writable;
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
  services.projectFiles.HoldProjectFile(ReadOnly() ? std::string() : project.projectFile);
}

void UseProjectFile(const CommandContext& context) {
  const std::string& file = context.project.projectFile;
  context.ui.SetProjectWordList(context.services.preferences.WordListPath(file));
  if (!file.empty())
    context.ui.SetRecentProjects(context.services.preferences.RecordRecentProject(file));
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

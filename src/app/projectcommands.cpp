#include "app/projectcommands.h"

#include <optional>
#include <string>
#include <utility>

#include "app/requesters.h"
#include "flows/helpbuild.h"
#include "flows/projectflows.h"
#include "text/paths.h"

namespace qs::app {

namespace {

text::Report Warning(std::string message) {
  return {"WARNING", std::move(message), text::ReportIcon::Exclamation};
}

std::string UserLibrariesStart(const std::string& purebasicFolder) {
  const std::string sep(1, text::NativeSeparator());
  return purebasicFolder + "PureLibraries" + sep + "UserLibraries" + sep + "*";
}

}  // namespace

void ProjectCommands::ResetProject() {
  c_.project.ClearTopics();
  c_.project.ClearItems();
  c_.ui.RefreshTopicList();
  c_.ClearWindow();
  c_.ui.SetProjectWordList("");
  c_.project.libraryFile.clear();
  c_.project.helpFolder.clear();
  c_.project.SetShownTopic({});
  c_.project.modified = false;
}

void ProjectCommands::NewProject() {
  ForgetEditorAtEnd forget(c_.state);
  // Unsaved work is settled before the requester: its question comes first, and Cancel
  // leaves everything without asking for a file.
  c_.CommitForm();
  const bool unsaved = c_.Unsaved();
  if (unsaved && !c_.AskToSaveChanges()) return;
  const std::string start =
      ProjectStartFolder(c_.project.projectFile, c_.state.lastProjectDir, c_.state.purebasicFolder);
  const FileChoice choice = c_.ui.SaveFileRequester(
      "Create new QuillSmith Project", DefaultProjectName(start, c_.services.system.Now()),
      std::string(kProjectFilter));
  c_.ui.FullRedraw();
  if (choice.path.empty()) return;
  const std::string path = WithProjectExtension(choice.path, choice.filterIndex);
  c_.state.lastProjectDir = text::FolderPart(path);

  // Work just saved or discarded has had its question; otherwise the pages shown are about to
  // go, and that is asked.
  if (!unsaved && c_.project.ItemCount() > 0 &&
      !c_.ui.AskYesNo(Warning("You are about to create a new project !\nYou will loose all "
                              "curent data.\nContinue ?"))) {
    return;
  }
  c_.state.history.Clear();
  // A new project is written over whatever file was chosen: the window marks it as its own.
  c_.services.projectFiles.HoldProjectFile(path);
  c_.state.readOnlyFile.clear();
  if (c_.project.ItemCount() > 0) {
    c_.project.projectFile = path;
    ResetProject();
  } else {
    c_.project.projectFile = path;
    c_.project.modified = false;
  }
  c_.ui.SetProjectFileField(c_.project.projectFile);
  c_.RememberProjectFile();
  UseProjectFile(c_);
}

void ProjectCommands::LoadProject() {
  ForgetEditorAtEnd forget(c_.state);
  // Unsaved work is settled before the requester; a project with nothing unsaved is in its
  // file and is replaced without a question.
  if (!c_.AskToSaveChanges()) return;
  const std::string start =
      ProjectStartFolder(c_.project.projectFile, c_.state.lastProjectDir, c_.state.purebasicFolder);
  const FileChoice choice =
      c_.ui.OpenFileRequester("Load QuillSmith Project", start, std::string(kProjectFilter));
  c_.ui.FullRedraw();
  if (choice.path.empty()) return;
  LoadProjectFile(choice.path);
}

void ProjectCommands::LoadRecentProject(const std::string& path) {
  ForgetEditorAtEnd forget(c_.state);
  if (path.empty()) return;
  if (!c_.AskToSaveChanges()) return;
  LoadProjectFile(path);
}

void ProjectCommands::LoadProjectFile(const std::string& path) {
  c_.state.lastProjectDir = text::FolderPart(path);

  Ui& ui = c_.ui;
  const project::LoadContext context{c_.state.purebasicFolder, [&ui](const text::Report& question) {
                                       return ui.AskYesNo(question);
                                     }};
  const bool overExisting = c_.project.ItemCount() > 0;
  const CommandContext::Claim claim = c_.ClaimProjectFile(path);
  if (claim == CommandContext::Claim::Cancelled) return;

  // The file is read aside and taken over only when it loads: a file that fails leaves the
  // project, its history and the window as they were. What is on disk is taken before the
  // read: a write in between is noticed later rather than missed.
  const platform::FileVersion read = c_.services.projectFiles.ReadFileVersion(path);
  const flows::ProjectOutcome opened =
      flows::OpenProject(c_.services.projectFiles, c_.project, path, context);
  if (opened.succeeded) c_.state.history.Clear();
  if (opened.succeeded && overExisting) {
    c_.ClearWindow();
    c_.ShowEditForm();
  }
  c_.ShowReports(opened.reports);
  if (!opened.succeeded) {
    c_.RestoreProjectFileClaim();
    return;
  }
  c_.state.readOnlyFile = claim == CommandContext::Claim::ReadOnly ? path : std::string();
  c_.RememberProjectFile(read);
  c_.ShowLoadedProject(overExisting);
}

void ProjectCommands::SaveProject() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.RequireProject()) return;
  const FileChoice choice = c_.ui.SaveFileRequester(
      "Save QuillSmith Project", c_.project.projectFile, std::string(kProjectFilter));
  c_.ui.FullRedraw();
  if (choice.path.empty()) return;
  c_.SaveTo(WithProjectExtension(choice.path, choice.filterIndex));
}

void ProjectCommands::SaveToProjectFile() {
  ForgetEditorAtEnd forget(c_.state);
  if (c_.project.projectFile.empty()) {
    SaveProject();
    return;
  }
  if (c_.ReadOnly()) {
    c_.ui.ShowMessage(ReadOnlyProjectReport(c_.project.projectFile));
    SaveProject();
    return;
  }
  c_.SaveTo(c_.project.projectFile);
}

void ProjectCommands::ShowHelp() {
  ForgetEditorAtEnd forget(c_.state);
  const std::string path = c_.services.system.ProgramHelpFile();
  if (!c_.services.system.IsNonEmptyFile(path)) return;
  if (c_.services.system.HasDocumentViewer(path) && c_.ui.OpenDocument(path)) return;
  // No viewer for compiled help on this desktop: the same pages, built beside the help file,
  // go into the program's own preview window rather than the button doing nothing.
  const std::string pages = c_.services.system.ProgramHelpPages();
  if (!pages.empty()) {
    c_.ui.ShowPreviewWindow("QuillSmith [HTML Preview] - QuillSmith help",
                            pages + "QuillSmith.html");
  }
}

ProjectCommands::Extraction ProjectCommands::RunExtraction(bool keepData, bool askBeforeDiscarding,
                                                           project::Snapshot before,
                                                           std::string what) {
  flows::PreparedExtraction prepared =
      flows::PrepareExtraction(c_.services.libraryReader, c_.project, keepData);
  if (!prepared.succeeded) {
    c_.ShowReports(prepared.reports);
    return Extraction::Failed;
  }
  // No page goes unnamed: the author sees every page the extraction would remove (and, for a
  // fresh build, how many kept pages lose their words) and can still say no.
  const flows::ExtractionChanges& changes = prepared.changes;
  std::optional<text::Report> question;
  if (!prepared.merged && askBeforeDiscarding && c_.project.TopicCount() > 0) {
    question = flows::FreshExtractionQuestion(
        changes, flows::CountPagesWithAuthorText(c_.project, prepared.result));
  } else if (!changes.removedPages.empty()) {
    question = prepared.merged ? flows::MergeRemovalQuestion(changes)
                               : flows::LibraryChangeRemovalQuestion(changes);
  }
  if (question && !c_.ui.AskOkCancel(*question)) return Extraction::Cancelled;
  c_.project.ReplaceWith(std::move(prepared.result));
  c_.Record(std::move(before).Finish(std::move(what)));
  // The form shows the row the list selects, so that what is typed next goes there; the list
  // shows the new pages before any message about the library's names.
  c_.project.ShowRow(c_.project.selectedRow());
  c_.ui.RefreshTopicList();
  c_.ui.ShowStatus(prepared.changesLine);
  c_.ShowReports(prepared.reports);
  return Extraction::Done;
}

void ProjectCommands::BrowseLibrary() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.RequireProject()) return;
  c_.CommitForm();
  const FileChoice choice =
      c_.ui.OpenFileRequester("Select user library", UserLibrariesStart(c_.state.purebasicFolder),
                              std::string(kLibraryFilter));
  c_.ui.FullRedraw();
  if (choice.path.empty()) return;

  const bool otherLibrary =
      !c_.project.libraryFile.empty() &&
      text::FileNamePart(choice.path) != text::FileNamePart(c_.project.libraryFile);
  if (otherLibrary && !c_.ui.AskYesNo(Warning("You have chosen a different library !\nYou will "
                                              "loose all curent data.\nContinue ?"))) {
    return;
  }
  // The library is taken only with the pages it gives: one that cannot be read, or a fresh
  // build cancelled, leaves the project and its library as they were. Another library's pages
  // replace every page; the same library's merge into them as the option says.
  project::Snapshot before(c_.project);
  const std::string previous = std::exchange(c_.project.libraryFile, choice.path);
  const Extraction done =
      otherLibrary
          ? RunExtraction(false, false, std::move(before), "library change")
          : RunExtraction(c_.ui.KeepDataChecked(), true, std::move(before), "library extraction");
  if (done != Extraction::Done) {
    c_.project.libraryFile = previous;
    return;
  }
  c_.ui.SetLibraryFileField(c_.project.libraryFile);
  c_.ShowTopic();
}

void ProjectCommands::BrowseHelpFolder() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.RequireProject()) return;
  const std::string folder = c_.ui.FolderRequester("Select help folder", c_.state.purebasicFolder);
  c_.ui.FullRedraw();
  if (folder.empty()) return;
  TakeHelpFolder(text::WithTrailingSeparator(folder));
}

void ProjectCommands::CreateHelpFolder() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.RequireProject()) return;
  // Beside the project file (or the library while the project has none), so that the help
  // lands in the same place whichever folder the program is started from.
  const std::string base = text::FolderPart(
      c_.project.projectFile.empty() ? c_.project.libraryFile : c_.project.projectFile);
  const std::string sep(1, text::NativeSeparator());
  const std::string proposal =
      base + "help" + sep + text::FileNamePart(c_.project.libraryFile) + sep;
  const std::string typed =
      c_.ui.TextRequester("Make help folder", "Type help folder path", proposal);
  c_.ui.FullRedraw();
  if (typed.empty()) return;
  // Stored as typed; a relative folder is made (and later built into) beside the project file.
  const std::string previous =
      std::exchange(c_.project.helpFolder, text::WithTrailingSeparator(typed));
  const std::string folder = flows::HelpFolderOf(c_.project);
  const std::string chosen = std::exchange(c_.project.helpFolder, previous);
  if (!c_.services.system.CreateFolderPath(folder)) {
    // A folder that cannot be made is not taken: the project keeps the one its field shows.
    c_.ui.ShowMessage(text::ErrorReport("Could not create directory '" + folder + "'!"));
    return;
  }
  TakeHelpFolder(chosen);
}

void ProjectCommands::TakeHelpFolder(const std::string& folder) {
  // The help folder is stored in the project file: choosing another is a change to save.
  if (folder != c_.project.helpFolder) c_.project.modified = true;
  c_.project.helpFolder = folder;
  c_.ui.SetHelpFolderField(folder);
}

void ProjectCommands::Extract() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  // Cancelled, the list keeps its selection; a failure still shows the first row.
  if (RunExtraction(c_.ui.KeepDataChecked(), true, project::Snapshot(c_.project),
                    "library extraction") == Extraction::Cancelled) {
    return;
  }
  c_.project.ShowRow(0);
  c_.ui.RefreshTopicList();
  c_.ShowTopic();
  c_.ui.FocusTopicList();
}

}  // namespace qs::app

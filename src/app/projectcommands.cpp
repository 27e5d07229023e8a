#include "app/projectcommands.h"

#include <string>

#include "app/projectflows.h"
#include "app/requesters.h"
#include "app/statustext.h"
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

// Says how many functions the project now has pages for, and from which library.
void ShowExtractionStatus(const CommandContext& c) {
  std::size_t functions = 0;
  for (const project::Topic& topic : c.project.topics()) {
    if (topic.Kind() == project::TopicKind::FunctionPage) ++functions;
  }
  c.ui.ShowStatus(ExtractedStatus(functions, c.project.libraryFile));
}

}  // namespace

void ProjectCommands::ResetProject() {
  c_.services.EraseBuildFiles();
  c_.project.ClearTopics();
  c_.project.ClearItems();
  c_.ui.RefreshTopicList();
  c_.ui.NavigateBrowser("about:blank");
  c_.ui.ClearForm();
  c_.ui.SetHelpFolderField("");
  c_.ui.SetLibraryFileField("");
  c_.project.libraryFile.clear();
  c_.project.helpFolder.clear();
  c_.project.SetShownTopic({});
  c_.project.modified = false;
}

void ProjectCommands::NewProject() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  const std::string start =
      ProjectStartFolder(c_.project.projectFile, c_.state.lastProjectDir, c_.state.purebasicFolder);
  const FileChoice choice = c_.ui.SaveFileRequester("Create new QuillSmith Project",
                                                    DefaultProjectName(start, c_.services.Now()),
                                                    std::string(kProjectFilter));
  c_.ui.FullRedraw();
  if (choice.path.empty()) return;
  const std::string path = WithProjectExtension(choice.path, choice.filterIndex);
  c_.state.lastProjectDir = text::FolderPart(path);

  if (!c_.ConfirmReplace(Warning("You are about to create a new project !\nYou will loose all "
                                 "curent data.\nContinue ?"))) {
    return;
  }
  c_.state.history.Clear();
  if (c_.project.ItemCount() > 0) {
    c_.project.projectFile = path;
    ResetProject();
  } else {
    c_.project.projectFile = path;
    c_.project.modified = false;
  }
  c_.ui.SetProjectFileField(c_.project.projectFile);
}

void ProjectCommands::LoadProject() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  const std::string start =
      ProjectStartFolder(c_.project.projectFile, c_.state.lastProjectDir, c_.state.purebasicFolder);
  const FileChoice choice =
      c_.ui.OpenFileRequester("Load QuillSmith Project", start, std::string(kProjectFilter));
  c_.ui.FullRedraw();
  if (choice.path.empty()) return;
  const std::string path = choice.path;
  c_.state.lastProjectDir = text::FolderPart(path);

  Ui& ui = c_.ui;
  const project::LoadContext context{c_.state.purebasicFolder, [&ui](const text::Report& question) {
                                       return ui.AskYesNo(question);
                                     }};
  const bool overExisting = c_.project.ItemCount() > 0;
  if (!c_.ConfirmReplace(Warning("You are about to load a new project !\nYou will loose all "
                                 "curent data.\nContinue ?"))) {
    return;
  }
  c_.state.history.Clear();
  if (overExisting) {
    ResetProject();
    c_.ShowEditForm();
    c_.services.EndPreview(c_.state.previewFolder);
  }

  const ProjectOutcome opened = OpenProject(c_.services, c_.project, path, context);
  c_.ShowReports(opened.reports);
  if (!opened.succeeded) return;

  c_.ui.SetProjectFileField(c_.project.projectFile);
  c_.ui.SetLibraryFileField(c_.project.libraryFile);
  c_.ui.SetHelpFolderField(c_.project.helpFolder);
  if (overExisting) {
    c_.project.ShowRow(0);
    c_.ui.RefreshTopicList();
    c_.ShowTopic();
    c_.ui.FocusTopicList();
  } else {
    // Into an empty list nothing is shown or selected. Nothing may then be named as shown
    // either: the form still holds its placeholders, and a later commit would write them
    // into the Index page.
    c_.project.ShowRow(-1);
    c_.ui.RefreshTopicList();
    c_.project.modified = false;
  }
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
  c_.SaveTo(c_.project.projectFile);
}

void ProjectCommands::ShowHelp() {
  ForgetEditorAtEnd forget(c_.state);
  const std::string path = c_.services.ProgramHelpFile();
  if (!c_.services.IsNonEmptyFile(path)) return;
  if (c_.services.HasDocumentViewer(path) && c_.ui.OpenDocument(path)) return;
  // No viewer for compiled help on this desktop: the same pages, built beside the help file,
  // go into the program's own preview window rather than the button doing nothing.
  const std::string pages = c_.services.ProgramHelpPages();
  if (!pages.empty()) {
    c_.ui.ShowPreviewWindow("QuillSmith [HTML Preview] - QuillSmith help",
                            pages + "QuillSmith.html");
  }
}

void ProjectCommands::RunExtraction() {
  const ProjectOutcome extraction =
      ExtractLibrary(c_.services, c_.project, c_.ui.KeepDataChecked());
  c_.ShowReports(extraction.reports);
  if (extraction.succeeded) ShowExtractionStatus(c_);
  // The form shows the row the list selects, so that what is typed next goes there.
  c_.project.ShowRow(c_.project.selectedRow());
  c_.ui.RefreshTopicList();
  c_.ShowTopic();
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

  if (!c_.project.libraryFile.empty() &&
      text::FileNamePart(choice.path) != text::FileNamePart(c_.project.libraryFile)) {
    if (!c_.ui.AskYesNo(Warning("You have chosen a different library !\nYou will loose all "
                                "curent data.\nContinue ?"))) {
      return;
    }
    project::Snapshot before(c_.project);
    c_.project.libraryFile = choice.path;
    c_.project.ClearTopics();
    c_.ui.SetLibraryFileField(c_.project.libraryFile);
    RunExtraction();
    c_.Record(std::move(before).Finish("library change"));
    return;
  }
  project::Snapshot before(c_.project);
  c_.project.libraryFile = choice.path;
  c_.ui.SetLibraryFileField(c_.project.libraryFile);
  RunExtraction();
  c_.Record(std::move(before).Finish("library extraction"));
}

void ProjectCommands::BrowseHelpFolder() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.RequireProject()) return;
  const std::string folder = c_.ui.FolderRequester("Select help folder", c_.state.purebasicFolder);
  c_.ui.FullRedraw();
  if (folder.empty()) return;
  c_.project.helpFolder = FolderWithSeparator(folder);
  c_.ui.SetHelpFolderField(c_.project.helpFolder);
}

void ProjectCommands::CreateHelpFolder() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.RequireProject()) return;
  const std::string proposal = c_.state.purebasicFolder + "help" +
                               std::string(1, text::NativeSeparator()) +
                               text::FileNamePart(c_.project.libraryFile);
  const std::string typed =
      c_.ui.TextRequester("Make help folder", "Type help folder path", proposal);
  c_.ui.FullRedraw();
  if (typed.empty()) return;
  c_.project.helpFolder = FolderWithSeparator(typed);
  if (c_.services.CreateFolderPath(c_.project.helpFolder)) {
    c_.ui.SetHelpFolderField(c_.project.helpFolder);
  } else {
    c_.ui.ShowMessage(
        text::ErrorReport("Could not create directory '" + c_.project.helpFolder + "'!"));
    c_.project.helpFolder.clear();
  }
}

void ProjectCommands::Extract() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  project::Snapshot before(c_.project);
  const ProjectOutcome extraction =
      ExtractLibrary(c_.services, c_.project, c_.ui.KeepDataChecked());
  if (extraction.succeeded) c_.Record(std::move(before).Finish("library extraction"));
  c_.ShowReports(extraction.reports);
  if (extraction.succeeded) ShowExtractionStatus(c_);
  c_.project.ShowRow(0);
  c_.ui.RefreshTopicList();
  c_.ShowTopic();
  c_.ui.FocusTopicList();
}

}  // namespace qs::app

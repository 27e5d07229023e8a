#include "app/commands.h"

#include <utility>

#include "app/requesters.h"
#include "output/helpcompiler.h"
#include "project/topicform.h"
#include "project/topicops.h"
#include "project/usertopics.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::app {

namespace {

constexpr const char* kNoProject = "There is no current project!";

// Every command but those of the language list, the heading fields, the editors and the tag
// buttons forgets the editor the tag buttons write into.
class ForgetEditorAtEnd {
 public:
  explicit ForgetEditorAtEnd(AppState& state) : state_(state) {}
  ~ForgetEditorAtEnd() { state_.activeEditor = Editor::None; }
  ForgetEditorAtEnd(const ForgetEditorAtEnd&) = delete;
  ForgetEditorAtEnd& operator=(const ForgetEditorAtEnd&) = delete;

 private:
  AppState& state_;
};

text::Report Warning(std::string message) {
  return {"WARNING", std::move(message), text::ReportIcon::Exclamation};
}

std::string UserLibrariesStart(const std::string& purebasicFolder) {
  const std::string sep(1, text::NativeSeparator());
  return purebasicFolder + "PureLibraries" + sep + "UserLibraries" + sep + "*";
}

}  // namespace

Commands::Commands(project::HelpProject& project, AppState& state, config::LanguageTable& captions,
                   Services& services, Ui& ui)
    : project_(project), state_(state), captions_(captions), services_(services), ui_(ui) {}

void Commands::ShowReports(const text::Reports& reports) {
  for (const text::Report& report : reports) ui_.ShowMessage(report);
}

bool Commands::RequireProject() {
  if (!project_.projectFile.empty()) return true;
  ui_.ShowMessage(text::ErrorReport(kNoProject));
  return false;
}

void Commands::ShowSelectedTopic() {
  if (auto shown = project::ShowTopic(project_)) ui_.ShowForm(shown->form, shown->layout);
}

void Commands::CommitForm() {
  if (project_.shownTopic().empty()) return;
  project::CommitTopicEdits(project_, ui_.ReadForm());
}

void Commands::ResetProject() {
  services_.EraseBuildFiles();
  project_.ClearTopics();
  project_.ClearItems();
  ui_.RefreshTopicList();
  ui_.NavigateBrowser("about:blank");
  ui_.ClearForm();
  ui_.SetHelpFolderField("");
  ui_.SetLibraryFileField("");
  project_.libraryFile.clear();
  project_.helpFolder.clear();
  project_.SetShownTopic({});
  project_.modified = false;
}

void Commands::ShowEditForm() {
  state_.viewMode = false;
  ui_.SetViewMode(false);
}

void Commands::ShowBrowser() {
  state_.viewMode = true;
  ui_.SetViewMode(true);
}

// ---- Project tab ----

void Commands::NewProject() {
  ForgetEditorAtEnd forget(state_);
  const std::string start =
      ProjectStartFolder(project_.projectFile, state_.lastProjectDir, state_.purebasicFolder);
  const FileChoice choice = ui_.SaveFileRequester("Create new QuillSmith Project",
                                                  DefaultProjectName(start, services_.Now()),
                                                  std::string(kProjectFilter));
  ui_.FullRedraw();
  if (choice.path.empty()) return;
  const std::string path = WithProjectExtension(choice.path, choice.filterIndex);
  state_.lastProjectDir = text::FolderPart(path);

  if (project_.ItemCount() > 0) {
    if (!ui_.AskYesNo(Warning("You are about to create a new project !\nYou will loose all curent "
                              "data.\nContinue ?"))) {
      return;
    }
    project_.projectFile = path;
    ResetProject();
  } else {
    project_.projectFile = path;
    project_.modified = false;
  }
  ui_.SetProjectFileField(project_.projectFile);
}

void Commands::LoadProject() {
  ForgetEditorAtEnd forget(state_);
  const std::string start =
      ProjectStartFolder(project_.projectFile, state_.lastProjectDir, state_.purebasicFolder);
  const FileChoice choice =
      ui_.OpenFileRequester("Load QuillSmith Project", start, std::string(kProjectFilter));
  ui_.FullRedraw();
  if (choice.path.empty()) return;
  const std::string path = choice.path;
  state_.lastProjectDir = text::FolderPart(path);

  const project::LoadContext context{state_.purebasicFolder, [this](const text::Report& question) {
                                       return ui_.AskYesNo(question);
                                     }};
  const bool overExisting = project_.ItemCount() > 0;
  if (overExisting) {
    if (!ui_.AskYesNo(Warning("You are about to load a new project !\nYou will loose all curent "
                              "data.\nContinue ?"))) {
      return;
    }
    ResetProject();
    ShowEditForm();
    services_.EndPreview(state_.previewFolder);
  }

  text::Reports reports;
  const bool loaded = services_.LoadProject(project_, path, context, reports);
  ShowReports(reports);
  if (!loaded) return;

  project_.projectFile = path;
  ui_.SetProjectFileField(project_.projectFile);
  ui_.SetLibraryFileField(project_.libraryFile);
  ui_.SetHelpFolderField(project_.helpFolder);
  if (overExisting) {
    project_.ShowRow(0);
    ui_.RefreshTopicList();
    ShowSelectedTopic();
    ui_.FocusTopicList();
  } else {
    // Into an empty list nothing is shown or selected. Nothing may then be named as shown
    // either: the form still holds its placeholders, and a later commit would write them
    // into the Index page.
    project_.ShowRow(-1);
    ui_.RefreshTopicList();
    project_.modified = false;
  }
}

void Commands::SaveProject() {
  ForgetEditorAtEnd forget(state_);
  if (!RequireProject()) return;
  const FileChoice choice = ui_.SaveFileRequester("Save QuillSmith Project", project_.projectFile,
                                                  std::string(kProjectFilter));
  ui_.FullRedraw();
  if (choice.path.empty()) return;
  project_.projectFile = WithProjectExtension(choice.path, choice.filterIndex);
  ui_.SetProjectFileField(project_.projectFile);
  CommitForm();
  text::Reports reports;
  const bool saved = services_.SaveProject(project_, project_.projectFile, reports);
  ShowReports(reports);
  if (saved) project_.modified = false;
}

void Commands::ShowHelp() {
  ForgetEditorAtEnd forget(state_);
  const std::string path = services_.ProgramHelpFile();
  if (!services_.IsNonEmptyFile(path)) return;
  if (services_.HasDocumentViewer(path) && ui_.OpenDocument(path)) return;
  // No viewer for compiled help on this desktop: the same pages, built beside the help file,
  // go into the program's own preview window rather than the button doing nothing.
  const std::string pages = services_.ProgramHelpPages();
  if (!pages.empty()) {
    ui_.ShowPreviewWindow("QuillSmith [HTML Preview] - QuillSmith help", pages + "QuillSmith.html");
  }
}

void Commands::RunExtraction() {
  text::Reports reports;
  services_.ExtractLibraryInfo(project_, ui_.KeepDataChecked(), reports);
  ShowReports(reports);
  ui_.RefreshTopicList();
  ShowSelectedTopic();
}

void Commands::BrowseLibrary() {
  ForgetEditorAtEnd forget(state_);
  if (!RequireProject()) return;
  const FileChoice choice =
      ui_.OpenFileRequester("Select user library", UserLibrariesStart(state_.purebasicFolder),
                            std::string(kLibraryFilter));
  ui_.FullRedraw();
  if (choice.path.empty()) return;

  if (!project_.libraryFile.empty() &&
      text::FileNamePart(choice.path) != text::FileNamePart(project_.libraryFile)) {
    if (!ui_.AskYesNo(Warning("You have chosen a different library !\nYou will loose all curent "
                              "data.\nContinue ?"))) {
      return;
    }
    project_.libraryFile = choice.path;
    project_.ClearTopics();
    ui_.SetLibraryFileField(project_.libraryFile);
    RunExtraction();
    return;
  }
  project_.libraryFile = choice.path;
  ui_.SetLibraryFileField(project_.libraryFile);
  CommitForm();
  RunExtraction();
}

void Commands::BrowseHelpFolder() {
  ForgetEditorAtEnd forget(state_);
  if (!RequireProject()) return;
  const std::string folder = ui_.FolderRequester("Select help folder", state_.purebasicFolder);
  ui_.FullRedraw();
  if (folder.empty()) return;
  project_.helpFolder = FolderWithSeparator(folder);
  ui_.SetHelpFolderField(project_.helpFolder);
}

void Commands::CreateHelpFolder() {
  ForgetEditorAtEnd forget(state_);
  if (!RequireProject()) return;
  const std::string proposal = state_.purebasicFolder + "help" +
                               std::string(1, text::NativeSeparator()) +
                               text::FileNamePart(project_.libraryFile);
  const std::string typed =
      ui_.TextRequester("Make help folder", "Type help folder path", proposal);
  ui_.FullRedraw();
  if (typed.empty()) return;
  project_.helpFolder = FolderWithSeparator(typed);
  if (services_.CreateFolderPath(project_.helpFolder)) {
    ui_.SetHelpFolderField(project_.helpFolder);
  } else {
    ui_.ShowMessage(text::ErrorReport("Could not create directory '" + project_.helpFolder + "'!"));
    project_.helpFolder.clear();
  }
}

// ---- Make Help group ----

void Commands::RunPreview(const std::string& page) {
  if (project_.shownTopic().empty()) return;
  CommitForm();
  const std::string folder = services_.MakePreviewFolder();
  if (folder.empty()) return;
  // A page that cannot be written is reported; the window still opens.
  text::Reports reports;
  services_.BuildHelpFolder(project_, captions_, folder, reports);
  ShowReports(reports);
  ui_.ShowPreviewWindow(
      "QuillSmith [HTML Preview] - " + text::FileNamePart(project_.libraryFile) + " library help",
      folder + page);
  // The view mode shows its pages from the same folder: it stays until the view mode ends,
  // which erases what this build wrote there.
  if (state_.viewMode && folder == state_.previewFolder) return;
  services_.EndPreview(folder);
}

void Commands::PreviewPage() {
  ForgetEditorAtEnd forget(state_);
  RunPreview(project_.shownTopic() + ".html");
}

void Commands::PreviewAll() {
  ForgetEditorAtEnd forget(state_);
  RunPreview(std::string(project::kIndexName) + ".html");
}

std::string Commands::CompileForBuilder() {
  output::CompileOptions options{ui_.CompileChecked(), ui_.CompilerPath()};
  text::Reports reports;
  const bool compiled = services_.CompileHelp(project_, options, reports);
  if (!options.compileToChm && ui_.CompileChecked()) ui_.SetCompileChecked(false);
  ShowReports(reports);
  if (!compiled) return {};
  return "Help files compiled to " +
         output::CompiledFilePath(project_.helpFolder, project_.libraryFile) + " :";
}

void Commands::CreateHtml() {
  ForgetEditorAtEnd forget(state_);
  CommitForm();
  if (project_.helpFolder.empty()) {
    ui_.ShowMessage(Warning("No help folder defined!"));
    return;
  }
  // Back to the form; the view mode's preview folder stays until the view mode ends.
  ShowEditForm();
  services_.EraseBuildFiles();
  text::Reports reports;
  const std::string log =
      services_.BuildHelpFolder(project_, captions_, project_.helpFolder, reports);
  ShowReports(reports);
  if (!log.empty()) {
    ui_.ShowBuilderWindow("Help files created in " + project_.helpFolder + " :", log,
                          [this] { return CompileForBuilder(); });
    services_.DeleteCompilerTempFiles();
  } else {
    ui_.ShowMessage(text::BuildErrorReport("Error during help files creation!"));
  }
  // The compiled file is not in the build's record and stays.
  if (ui_.EraseHtmlChecked()) services_.EraseBuildFiles();
}

// ---- topic list and page pane ----

void Commands::MoveUp() {
  ForgetEditorAtEnd forget(state_);
  if (!project::MoveTopicUp(project_)) return;
  ui_.RefreshTopicList();
  ui_.FocusTopicList();
  ShowSelectedTopic();
}

void Commands::MoveDown() {
  ForgetEditorAtEnd forget(state_);
  if (!project::MoveTopicDown(project_)) return;
  ui_.RefreshTopicList();
  ui_.FocusTopicList();
  ShowSelectedTopic();
}

void Commands::TopicListEvent(int row, bool rightClick) {
  ForgetEditorAtEnd forget(state_);
  project_.SelectRow(row);
  row = project_.selectedRow();
  if (row == -1) return;

  if (state_.viewMode) {
    if (!state_.previewFolder.empty()) {
      ui_.NavigateBrowser(state_.previewFolder + project_.ItemText(row) + ".html");
    }
    return;
  }
  CommitForm();
  project_.ShowRow(row);
  ShowSelectedTopic();

  if (rightClick) {
    std::vector<MenuEntry> entries = {{"Add user topic", CommandId::AddUserTopic},
                                      {"Add user index", CommandId::AddUserIndex}};
    if (project_.shownTopic() != project::kIndexName) {
      entries.push_back({"Delete item '" + project_.shownTopic() + "'", CommandId::DeleteItem});
    }
    ui_.ShowTopicMenu(entries);
    ui_.FullRedraw();
  }
}

void Commands::Extract() {
  ForgetEditorAtEnd forget(state_);
  CommitForm();
  text::Reports reports;
  services_.ExtractLibraryInfo(project_, ui_.KeepDataChecked(), reports);
  ShowReports(reports);
  project_.ShowRow(0);
  ui_.RefreshTopicList();
  ShowSelectedTopic();
  ui_.FocusTopicList();
}

void Commands::EditView() {
  ForgetEditorAtEnd forget(state_);
  if (!ui_.EditViewAvailable()) return;
  if (!state_.viewMode) {
    ShowBrowser();
    if (project_.shownTopic().empty()) return;
    CommitForm();
    state_.previewFolder = services_.MakePreviewFolder();
    if (state_.previewFolder.empty()) return;
    text::Reports reports;
    services_.BuildHelpFolder(project_, captions_, state_.previewFolder, reports);
    ShowReports(reports);
    ui_.NavigateBrowser(state_.previewFolder + project_.shownTopic() + ".html");
    return;
  }
  ShowEditForm();
  // Back to the form on the row the list shows selected, which the view mode may have moved.
  project_.ShowRow(project_.selectedRow());
  ShowSelectedTopic();
  services_.EndPreview(state_.previewFolder);
}

void Commands::EditorEvent(Editor editor) {
  state_.activeEditor = editor;
}

void Commands::TagButton(const std::string& tag) {
  if (state_.activeEditor == Editor::None) return;
  ui_.InsertTag(state_.activeEditor, tag);
}

// ---- Options tab ----

void Commands::BrowseCompiler() {
  ForgetEditorAtEnd forget(state_);
  std::string start = services_.FindHelpCompiler();
  if (start.empty()) start = services_.ProgramFolder();
  const FileChoice choice =
      ui_.OpenFileRequester("HTML2CHM Compiler", start, std::string(kCompilerFilter));
  if (!choice.path.empty()) ui_.SetCompilerPath(choice.path);
}

void Commands::CompileOptionChanged() {
  ForgetEditorAtEnd forget(state_);
  if (ui_.CompilerPath().empty() && ui_.CompileChecked()) ui_.SetCompileChecked(false);
}

void Commands::LanguageChosen() {
  const std::string chosen = ui_.SelectedLanguageEntry();
  if (chosen == state_.currentLanguage) return;
  services_.SaveLanguage(state_.currentLanguage, captions_);
  if (services_.LoadLanguage(chosen, state_.currentLanguage, captions_)) {
    ui_.SetHeadingFields(captions_);
  }
}

void Commands::CaptionEdited() {
  const config::LanguageTable typed = ui_.ReadHeadingFields();
  for (std::size_t i = 0; i < config::kCaptionKeys.size(); ++i) {
    config::CaptionAt(captions_, i) = text::TrimBlanks(config::CaptionAt(typed, i));
  }
}

void Commands::Associate() {
  ForgetEditorAtEnd forget(state_);
  if (services_.RegisterProjectFiles()) {
    ui_.ShowMessage(text::InformationReport("QuillSmith project files are registered"));
  } else {
    ui_.ShowMessage(
        text::ErrorReport("The association of QuillSmith project files could not be changed!"));
  }
}

void Commands::RemoveAssociation() {
  ForgetEditorAtEnd forget(state_);
  if (services_.UnregisterProjectFiles()) {
    ui_.ShowMessage(text::InformationReport("QuillSmith project files are unregistered"));
  } else {
    ui_.ShowMessage(
        text::ErrorReport("The association of QuillSmith project files could not be changed!"));
  }
}

void Commands::UniqueHtml() {
  ForgetEditorAtEnd forget(state_);
  text::Reports reports;
  services_.WriteUniqueHtmlFile(project_, project_.helpFolder, reports);
  ShowReports(reports);
}

// ---- popup menu and shortcuts ----

void Commands::AddUserTopic() {
  const std::string name = ui_.AskText("USER TOPIC", "Please enter topic name", "");
  const project::AddOutcome outcome = project::AddUserTopic(project_, name);
  for (std::size_t i = 0; i < outcome.duplicates; ++i) {
    ui_.ShowMessage({"USER TOPIC", "This topic name already exists", text::ReportIcon::None});
  }
  if (!outcome.added) return;
  ui_.RefreshTopicList();
  ShowSelectedTopic();
}

void Commands::AddUserIndex() {
  const std::string name = ui_.AskText("USER INDEX", "Please enter index name", "");
  const project::AddOutcome outcome = project::AddUserIndex(project_, name);
  for (std::size_t i = 0; i < outcome.duplicates; ++i) {
    ui_.ShowMessage({"USER INDEX", "This topic name already exists", text::ReportIcon::None});
  }
  if (!outcome.added) return;
  ui_.RefreshTopicList();
  ShowSelectedTopic();
}

void Commands::DeleteSelectedTopic() {
  // The Index page is never deleted: the menu does not offer it, and nothing else may.
  if (project_.shownTopic() == project::kIndexName) return;
  if (!project::DeleteSelectedTopic(project_)) return;
  ui_.RefreshTopicList();
  ShowSelectedTopic();
}

void Commands::Command(CommandId id) {
  switch (id) {
    case CommandId::DeleteItem: {
      ForgetEditorAtEnd forget(state_);
      DeleteSelectedTopic();
      break;
    }
    case CommandId::AddUserTopic: {
      ForgetEditorAtEnd forget(state_);
      AddUserTopic();
      break;
    }
    case CommandId::AddUserIndex: {
      ForgetEditorAtEnd forget(state_);
      AddUserIndex();
      break;
    }
    case CommandId::EditViewKey:
      EditView();
      break;
    case CommandId::PreviewPage:
    case CommandId::PreviewAll:
      // Without a selected topic the keys do nothing at all, not even forget the editor.
      if (project_.shownTopic().empty()) break;
      if (id == CommandId::PreviewPage) {
        PreviewPage();
      } else {
        PreviewAll();
      }
      break;
  }
}

}  // namespace qs::app

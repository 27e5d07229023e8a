#pragma once

// Scripted stand-ins for the window and the core: the window answers questions and requesters
// from queues and records every message box; both record their calls in one shared log, so a
// test can check the order of a command's steps.

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/services.h"
#include "app/ui.h"

namespace qs::apptest {

using Log = std::vector<std::string>;

struct Requested {
  std::string kind;  // "save", "open", "folder", "text", "ask"
  std::string title;
  std::string start;
  std::string pattern;
};

class FakeUi : public app::Ui {
 public:
  explicit FakeUi(Log& log) : log_(log) {}

  // ---- script ----
  std::deque<bool> answers;                 // Yes/No and OK/Cancel questions; Yes when it runs out
  std::deque<app::SaveAnswer> saveAnswers;  // Save/Discard/Cancel; Save when it runs out
  std::deque<app::InUseAnswer> inUseAnswers;  // Cancel when it runs out
  // The offers of recovery copies; Restore when it runs out.
  std::deque<app::RecoveryAnswer> recoveryAnswers;
  std::deque<app::FileChoice> files;  // file requesters; cancelled when it runs out
  std::deque<std::string> texts;      // folder, text requesters and AskText
  project::EditForm form;             // what the form holds as typed
  // The question about a file changed on disk; Cancel when it runs out.
  std::deque<app::ChangedFileAnswer> changedFileAnswers;
  bool editViewAvailable = true;
  std::deque<std::string> linkTargets;  // the link dialog's answers; cancelled when it runs out
  std::string selection;                // what the editors have selected

  // ---- record ----
  std::vector<text::Report> messages;
  std::vector<text::Report> questions;
  // The questions about a changed file, with whether they offered Reload.
  std::vector<std::pair<text::Report, bool>> changedFileQuestions;
  std::vector<Requested> requesters;
  std::vector<app::MenuEntry> menu;
  std::optional<project::FormLayout> layout;
  std::string projectField, libraryField, helpField;
  std::string browser = "about:blank";
  bool viewMode = false;
  std::vector<std::pair<app::Editor, std::string>> insertedTags;
  // What the link and picture commands put into an editor, the selection already in place.
  std::vector<std::pair<app::Editor, std::string>> insertedMarkup;
  std::vector<std::vector<std::string>> offeredPages;  // per link dialog
  struct PreviewShown {
    std::string title, page;
  };
  std::vector<PreviewShown> previews;
  struct BuilderShown {
    std::string firstLabel, log, finalLabel;
    std::vector<std::string> messages;
    std::string messagesHeading;
    std::size_t errors = 0;
    std::string compiledFile;  // what "Open help" opens; empty: the button is disabled
  };
  std::vector<BuilderShown> builders;
  // Clicks "Open help" in the builder window when it is enabled.
  bool clickOpenHelp = false;
  std::vector<std::string> languageEntries;
  int languageSelected = -2;
  std::string languageChosen;  // what the user picked in the list
  bool languageEnabled = true;
  config::LanguageTable headings;
  std::string compilerPath;
  bool openWorks = true;
  bool compile = false, keepData = true, eraseHtml = false, keywordIndex = false;
  bool examplesAsCode = false;
  bool maximised = false;
  config::WindowPlaces windows;
  int listRefreshes = 0;
  std::vector<std::string> statuses;  // status bar lines, in order
  bool livePane = false;
  std::vector<std::string> livePages;  // the addresses the live pane was given, in order
  std::string dictionary;
  std::string wordList = "(unset)";
  std::vector<std::string> recentProjects;
  std::string title;  // the window title

  void ShowMessage(const text::Report& report) override;
  bool AskYesNo(const text::Report& question) override;
  app::SaveAnswer AskSaveDiscardCancel(const text::Report& question) override;
  bool AskOkCancel(const text::Report& question) override;
  app::RecoveryAnswer AskRestoreDiscardLater(const text::Report& question) override;
  app::InUseAnswer AskOpenInUse(const text::Report& question) override;
  app::ChangedFileAnswer AskChangedFile(const text::Report& question, bool canReload) override;
  app::FileChoice SaveFileRequester(const std::string& title, const std::string& start,
                                    const std::string& pattern) override;
  app::FileChoice OpenFileRequester(const std::string& title, const std::string& start,
                                    const std::string& pattern) override;
  std::string FolderRequester(const std::string& title, const std::string& start) override;
  std::string TextRequester(const std::string& title, const std::string& prompt,
                            const std::string& text) override;
  std::string AskText(const std::string& caption, const std::string& prompt,
                      const std::string& text) override;
  void ShowTopicMenu(const std::vector<app::MenuEntry>& entries) override;
  void FullRedraw() override {}
  bool OpenDocument(const std::string& path) override {
    log_.push_back("open " + path);
    return openWorks;
  }
  void SetProjectFileField(const std::string& text) override { projectField = text; }
  void SetLibraryFileField(const std::string& text) override { libraryField = text; }
  void SetHelpFolderField(const std::string& text) override { helpField = text; }
  void FocusLoadProjectButton() override { log_.push_back("focus load"); }
  void RefreshTopicList() override { ++listRefreshes; }
  void FocusTopicList() override { log_.push_back("focus list"); }
  project::EditForm ReadForm() override { return form; }
  void ShowForm(const project::EditForm& shown, const project::FormLayout& how) override;
  void ClearForm() override;
  void MarkFormCommitted() override { log_.push_back("form committed"); }
  void SetViewMode(bool on) override;
  void NavigateBrowser(const std::string& target) override;
  void SetLivePane(bool shown) override { livePane = shown; }
  void ShowLivePage(const std::string& address) override { livePages.push_back(address); }
  std::string DictionaryChoice() override { return dictionary; }
  void SetDictionaryChoice(const std::string& choice) override { dictionary = choice; }
  void SetProjectWordList(const std::string& path) override { wordList = path; }
  void SetRecentProjects(const std::vector<std::string>& paths) override { recentProjects = paths; }
  bool EditViewAvailable() override { return editViewAvailable; }
  void InsertTag(app::Editor editor, const std::string& tag) override;
  void InsertMarkup(app::Editor editor, const std::string& before, const std::string& text,
                    const std::string& after) override;
  std::string AskLinkTarget(const std::vector<std::string>& pages) override;
  void ShowPreviewWindow(const std::string& title, const std::string& pagePath) override;
  void ShowBuilderWindow(const std::string& label, const std::string& log,
                         const std::function<app::BuilderResult()>& compile,
                         const std::function<void(const std::string&)>& openHelp) override;
  std::string CompilerPath() override { return compilerPath; }
  void SetCompilerPath(const std::string& path) override { compilerPath = path; }
  bool CompileChecked() override { return compile; }
  void SetCompileChecked(bool on) override { compile = on; }
  bool KeepDataChecked() override { return keepData; }
  void SetKeepDataChecked(bool on) override { keepData = on; }
  bool EraseHtmlChecked() override { return eraseHtml; }
  void SetEraseHtmlChecked(bool on) override { eraseHtml = on; }
  bool KeywordIndexChecked() override { return keywordIndex; }
  void SetKeywordIndexChecked(bool on) override { keywordIndex = on; }
  bool ExamplesAsCodeChecked() override { return examplesAsCode; }
  void SetExamplesAsCodeChecked(bool on) override { examplesAsCode = on; }
  void SetLanguageEntries(const std::vector<std::string>& entries) override {
    languageEntries = entries;
  }
  void SelectLanguageEntry(int index) override { languageSelected = index; }
  std::string SelectedLanguageEntry() override { return languageChosen; }
  void SetLanguageControlsEnabled(bool enabled) override { languageEnabled = enabled; }
  void SetHeadingFields(const config::LanguageTable& captions) override { headings = captions; }
  config::LanguageTable ReadHeadingFields() override { return headings; }
  bool IsMaximised() override { return maximised; }
  config::WindowPlaces WindowPlaces() override { return windows; }
  void SetWindowPlaces(const config::WindowPlaces& places) override {
    windows = places;
    log_.push_back("place windows");
  }
  void Maximise() override {
    maximised = true;
    log_.push_back("maximise");
  }
  void ShowStatus(const std::string& text) override { statuses.push_back(text); }
  void SetWindowTitle(const std::string& text) override { title = text; }

 private:
  Log& log_;
};

class FakeServices : public flows::ProjectFiles,
                     public flows::LibraryReader,
                     public flows::HelpOutput,
                     public app::RecoveryCopies,
                     public app::Preferences,
                     public app::System {
 public:
  explicit FakeServices(Log& log) : log_(log) {}
  operator app::Services() { return {*this, *this, *this, *this, *this, *this}; }

  // ---- script ----
  // Projects that load: path -> what the file holds (made with MakeProject).
  std::map<std::string, project::HelpProject> projectFiles;
  // What an extraction builds from `libraryFile`, keyed by the library's file name.
  std::map<std::string, std::vector<std::string>> libraries;
  bool createFolderWorks = true;
  bool associationWorks = true;
  std::string purebasicFolder = "/opt/purebasic/";
  std::optional<config::AppSettings> settings;
  std::vector<std::string> languages;  // what the language files hold
  std::map<std::string, std::pair<std::string, config::LanguageTable>> languageFiles;
  std::vector<std::string> nonEmptyFiles;
  bool hasViewer = true;
  std::string helpPages = "/prog/QuillSmithHelp/";
  std::string compiler;
  // What a compile run does: produce the file, or fail with a report and maybe switch off.
  bool compileWorks = true;
  std::optional<text::Report> compileReport;
  // What the compiler "says" when it runs: its errors and warnings.
  std::vector<output::CompilerMessage> compilerMessages;
  bool compileSwitchesOff = false;
  std::vector<std::string> recent;                    // what the recent projects' file holds
  std::map<std::string, std::string> websiteFolders;  // the last website folder per project
  std::string buildLog = "Index.html\n";              // a build that fails returns empty

  // What each file on disk holds, as a name for its contents: a save writes "saved N", a test
  // writes what it likes; a path that is not here is no file.
  std::map<std::string, std::string> disk;
  // Whether a language save finds that someone else wrote the current language's file.
  bool languageChangedOnDisk = false;
  bool keepRecoveryWorks = true;

  // ---- record ----
  std::vector<std::string> savedTo;
  std::optional<config::AppSettings> written;
  std::vector<std::pair<std::string, config::LanguageTable>> savedLanguages;
  std::optional<bool> lastKeepData;
  std::optional<output::CompileOptions> compiledWith;
  std::vector<project::HelpProject> recoveryWrites;
  std::vector<std::string> recoveryRemoved;          // by project file
  std::vector<config::RecoveryCopy> recoveryCopies;  // what FindRecoveryCopies gives
  std::vector<std::string> recoveryTaken;
  std::set<std::string> openElsewhere;  // project files another window has open
  std::string held;                     // the project file this window marks as open
  std::vector<std::string> interruptedSavesDiscarded;

  bool LoadProject(project::HelpProject& project, const std::string& path,
                   const project::LoadContext& context, text::Reports& reports) override;
  bool SaveProject(project::HelpProject& project, const std::string& path,
                   text::Reports& reports) override;
  bool ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                          text::Reports& reports) override;
  bool HoldProjectFile(const std::string& path) override {
    const bool free = !openElsewhere.contains(path);
    held = free ? path : std::string();
    return free;
  }
  void WriteRecoveryCopy(const project::HelpProject& project) override {
    log_.push_back("write recovery");
    recoveryWrites.push_back(project);
  }
  bool KeepRecoveryCopy(const project::HelpProject& project) override {
    log_.push_back("keep recovery " + project.projectFile);
    if (keepRecoveryWorks) keptRecoveryCopies.push_back(project);
    return keepRecoveryWorks;
  }
  std::vector<project::HelpProject> keptRecoveryCopies;
  platform::FileVersion ReadFileVersion(const std::string& path) override;
  bool StillSameVersion(const std::string& path, platform::FileVersion& version) override {
    return ReadFileVersion(path).SameBytes(version);
  }
  void RemoveRecoveryCopy(const std::string& projectFile) override {
    log_.push_back("remove recovery " + projectFile);
    recoveryRemoved.push_back(projectFile);
  }
  std::vector<config::RecoveryCopy> FindRecoveryCopies() override { return recoveryCopies; }
  void TakeRecoveryCopy(const std::string& path) override { recoveryTaken.push_back(path); }
  void PostponeRecoveryCopy(const std::string& path) override { recoveryPostponed.push_back(path); }
  std::vector<std::string> recoveryPostponed;
  void DiscardInterruptedSave(const std::string& projectFile) override {
    log_.push_back("discard interrupted save " + projectFile);
    interruptedSavesDiscarded.push_back(projectFile);
  }
  void EraseBuildFiles(const output::BuildRecord&) override { log_.push_back("erase build"); }
  std::string BuildHelpFolder(const project::HelpProject& project,
                              const config::LanguageTable& captions, const std::string& folder,
                              const output::BuildOptions& options, output::BuildRecord& record,
                              text::Reports& reports) override;
  bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                           bool examplesAsCode, text::Reports& reports) override;
  bool CompileHelp(const project::HelpProject& project, const std::string& folder,
                   output::CompileOptions& options, text::Reports& reports,
                   std::vector<output::CompilerMessage>& messages,
                   std::vector<std::string>& leftovers) override;
  void DeleteCompilerTempFiles(const std::vector<std::string>&) override {
    log_.push_back("delete temp files");
  }
  std::optional<config::AppSettings> ReadSettings(const std::string& lastProjectDir) override;
  void WriteSettings(const config::AppSettings& values) override;
  std::vector<std::string> ListLanguages() override { return languages; }
  bool LoadLanguage(const std::string& name, std::string& currentLanguage,
                    config::LanguageTable& captions) override;
  app::LanguageWrite SaveLanguage(const std::string& currentLanguage,
                                  const config::LanguageTable& captions, bool overChanges) override;
  std::string WordListPath(const std::string& projectFile) override {
    return projectFile.empty() ? std::string() : "/settings/words/" + projectFile;
  }
  std::vector<std::string> RecentProjects() override { return recent; }
  std::vector<std::string> RecordRecentProject(const std::string& path) override;
  std::string LastWebsiteFolder(const std::string& projectFile) override {
    const auto it = websiteFolders.find(projectFile);
    return it == websiteFolders.end() ? std::string() : it->second;
  }
  void RecordWebsiteFolder(const std::string& projectFile, const std::string& folder) override {
    websiteFolders[projectFile] = folder;
  }
  std::string FindPureBasicFolder() override { return purebasicFolder; }
  std::string FindHelpCompiler() override { return compiler; }
  std::string ProgramFolder() override { return "/prog/"; }
  std::string ProgramHelpFile() override { return "/prog/QuillSmith.chm"; }
  std::string ProgramHelpPages() override { return helpPages; }
  bool HasDocumentViewer(const std::string& /*path*/) override { return hasViewer; }
  bool CreateFolderPath(const std::string& folder) override {
    log_.push_back("create " + folder);
    return createFolderWorks;
  }
  bool IsNonEmptyFile(const std::string& path) override;
  bool RegisterProjectFiles() override {
    log_.push_back("register");
    return associationWorks;
  }
  bool UnregisterProjectFiles() override {
    log_.push_back("unregister");
    return associationWorks;
  }
  platform::DateTime Now() override { return {2026, 12, 6, 7, 41, 9}; }

 private:
  Log& log_;
};

}  // namespace qs::apptest

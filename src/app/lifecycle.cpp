#include "app/lifecycle.h"

#include <cstdio>

#include "config/languagefiles.h"
#include "flows/projectflows.h"
#include "text/log.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::app {

void PrepareStart(AppState& state, config::LanguageTable& captions, const Services& services) {
  captions = config::LanguageTable{};
  state.currentLanguage = "English";
  state.captionsOwned = true;
  state.purebasicFolder = services.system.FindPureBasicFolder();
}

void LoadSettings(const CommandContext& context) {
  AppState& state = context.state;
  Ui& ui = context.ui;
  const auto settings = context.services.preferences.ReadSettings(state.lastProjectDir);
  if (!settings) return;
  ui.SetCompilerPath(settings->htm2chm);
  ui.SetKeepDataChecked(settings->dontOverWriteExistingData);
  ui.SetCompileChecked(settings->compileToChm);
  ui.SetEraseHtmlChecked(settings->eraseHtmlFiles);
  ui.SetKeywordIndexChecked(settings->keywordIndex);
  ui.SetExamplesAsCodeChecked(settings->examplesAsCode);
  state.currentLanguage = settings->currentLanguage;
  state.lastProjectDir = settings->lastProjectDir;
  if (state.lastProjectDir.empty()) state.lastProjectDir = state.purebasicFolder;
  ui.SetDictionaryChoice(settings->dictionary);
  state.livePane = settings->livePreview;
  ui.SetLivePane(state.livePane);
  // The place first: a window maximised by the last run comes back to it when unmaximised.
  ui.SetWindowPlaces(settings->windows);
  if (settings->maximised) ui.Maximise();
}

void SaveSettings(const CommandContext& context) {
  Ui& ui = context.ui;
  config::AppSettings settings;
  settings.htm2chm = ui.CompilerPath();
  settings.compileToChm = ui.CompileChecked();
  settings.dontOverWriteExistingData = ui.KeepDataChecked();
  settings.eraseHtmlFiles = ui.EraseHtmlChecked();
  settings.keywordIndex = ui.KeywordIndexChecked();
  settings.maximised = ui.IsMaximised();
  settings.windows = ui.WindowPlaces();
  settings.currentLanguage = context.state.currentLanguage;
  settings.lastProjectDir = context.state.lastProjectDir;
  settings.dictionary = ui.DictionaryChoice();
  settings.livePreview = context.state.livePane;
  settings.examplesAsCode = ui.ExamplesAsCodeChecked();
  context.services.preferences.WriteSettings(settings);
}

void FillLanguageList(const CommandContext& context) {
  Ui& ui = context.ui;
  AppState& state = context.state;
  std::vector<std::string> entries = context.services.preferences.ListLanguages();
  // Without any language file the list offers the built-in language alone, already current.
  const bool anyFound = !entries.empty();
  if (!anyFound) entries = {std::string(config::kBuiltInLanguage)};
  ui.SetLanguageEntries(entries);
  // With a single language the captions cannot be edited.
  ui.SetLanguageControlsEnabled(entries.size() != 1);
  if (!anyFound) {
    ui.SelectLanguageEntry(0);
    return;
  }
  // The built-in captions are no language's own once there are language files: they stay
  // unwritten unless the current language's file loads or the user types captions.
  state.captionsOwned = false;
  // The entry of the same name, or else the first whose name differs only in letter case: such
  // a name still finds that entry's file, so leaving the built-in captions current would write
  // them over the file under the other spelling once a caption is edited. A name that matches
  // no entry at all selects none and loads nothing.
  std::size_t found = entries.size();
  for (std::size_t i = 0; i < entries.size() && found == entries.size(); ++i) {
    if (entries[i] == state.currentLanguage) found = i;
  }
  for (std::size_t i = 0; i < entries.size() && found == entries.size(); ++i) {
    if (text::EqualsNoCase(entries[i], state.currentLanguage)) found = i;
  }
  if (found == entries.size()) {
    ui.SelectLanguageEntry(-1);
    return;
  }
  ui.SelectLanguageEntry(static_cast<int>(found));
  if (context.services.preferences.LoadLanguage(entries[found], state.currentLanguage,
                                                context.captions)) {
    ui.SetHeadingFields(context.captions);
    state.captionsOwned = true;
  }
}

namespace {

// The window after a project was opened at start: its word list, the three path fields, the
// list and the page of the selected row.
void ShowOpenedProject(const CommandContext& context) {
  Ui& ui = context.ui;
  UseProjectFile(context);
  ui.SetProjectFileField(context.project.projectFile);
  ui.SetLibraryFileField(context.project.libraryFile);
  ui.SetHelpFolderField(context.project.helpFolder);
  ui.RefreshTopicList();
  context.ShowTopic();
}

}  // namespace

void OpenStartProject(const CommandContext& context, const std::string& projectArgument) {
  // Work restored from a recovery copy is unsaved: a project named on the command line never
  // replaces it unasked, however late it is opened.
  if (projectArgument.empty() || context.Unsaved()) return;
  Ui& ui = context.ui;
  const project::LoadContext ask{
      context.state.purebasicFolder,
      [&ui](const text::Report& question) { return ui.AskYesNo(question); }};
  const CommandContext::Claim claim = context.ClaimProjectFile(projectArgument);
  if (claim == CommandContext::Claim::Cancelled) return;
  const platform::FileVersion read = context.services.projectFiles.ReadFileVersion(projectArgument);
  const flows::ProjectOutcome opened =
      flows::OpenProject(context.services.projectFiles, context.project, projectArgument, ask);
  context.ShowReports(opened.reports);
  if (!opened.succeeded) {
    context.RestoreProjectFileClaim();
    return;
  }
  context.state.readOnlyFile =
      claim == CommandContext::Claim::ReadOnly ? projectArgument : std::string();
  context.RememberProjectFile(read);
  ShowOpenedProject(context);
}

namespace {

std::string ShowTime(const platform::DateTime& when) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", when.year, when.month, when.day,
                when.hour, when.minute, when.second);
  return text;
}

// Offers back the work a run that ended without saving left in a recovery copy, and the
// version a save was writing when it was killed, newest first, until one is restored. A
// restored copy is unsaved work under its own project file, which is not written; a discarded
// one is removed; one left for later stays as it is and is offered again at the next start.
// (The copy of a killed save stays until its project is saved: the file may be torn until
// then.)
bool OfferRecovery(const CommandContext& context) {
  Ui& ui = context.ui;
  for (const config::RecoveryCopy& copy : context.services.recovery.FindRecoveryCopies()) {
    const std::string name = copy.projectFile.empty() ? std::string("a new project")
                                                      : text::FileNamePart(copy.projectFile);
    const text::Report question =
        copy.interruptedSave
            ? text::Report{"Unfinished save of " + name,
                           "The save of " + name + " at " + ShowTime(copy.written) +
                               " did not finish, and the file may be incomplete. Restore the "
                               "version it was saving?\n\nDiscard deletes that version for good "
                               "and leaves the file as it is. Later keeps it and asks again at "
                               "the next start.",
                           text::ReportIcon::Question}
            : text::Report{"Unsaved work of " + name,
                           "Restore unsaved work from " + ShowTime(copy.written) +
                               "?\n\nDiscard deletes this unsaved work for good. Later keeps "
                               "it and asks again at the next start.",
                           text::ReportIcon::Question};
    const RecoveryAnswer answer = ui.AskRestoreDiscardLater(question);
    if (answer == RecoveryAnswer::Later) {
      QS_LOG_INFO(text::appLog) << "copy left for the next start: '" << copy.path << "'";
      context.services.recovery.PostponeRecoveryCopy(copy.path);
      continue;
    }
    if (answer == RecoveryAnswer::Discard) {
      QS_LOG_INFO(text::appLog) << "copy declined: '" << copy.path << "'";
      if (copy.interruptedSave) {
        context.services.recovery.DiscardInterruptedSave(copy.projectFile);
      } else {
        context.services.recovery.RemoveRecoveryCopy(copy.projectFile);
      }
      continue;
    }
    // Restored work goes back to its file, which another window may have open now; not
    // restoring it keeps the copy for the next start.
    const CommandContext::Claim claim = copy.projectFile.empty()
                                            ? CommandContext::Claim::Writable
                                            : context.ClaimProjectFile(copy.projectFile);
    if (claim == CommandContext::Claim::Cancelled) continue;
    text::Reports reports;
    const project::LoadContext quiet{context.state.purebasicFolder, {}};
    const bool loaded =
        context.services.projectFiles.LoadProject(context.project, copy.path, quiet, reports);
    context.ShowReports(reports);
    if (!loaded) {
      context.RestoreProjectFileClaim();
      continue;
    }
    context.state.readOnlyFile =
        claim == CommandContext::Claim::ReadOnly ? copy.projectFile : std::string();
    context.project.projectFile = copy.projectFile;
    context.project.modified = true;
    // The work is newer than the file it belongs to; a later change of that file is asked about.
    context.RememberProjectFile();
    ShowOpenedProject(context);
    // The copy is this run's now.
    context.services.recovery.TakeRecoveryCopy(copy.path);
    QS_LOG_INFO(text::appLog) << "copy restored: '" << copy.path << "'";
    context.WriteRecovery();
    ui.ShowStatus("Restored unsaved work from " + ShowTime(copy.written));
    return true;
  }
  return false;
}

}  // namespace

void FinishStart(const CommandContext& context, const std::string& projectArgument) {
  Ui& ui = context.ui;
  LoadSettings(context);
  FillLanguageList(context);
  ui.SetRecentProjects(context.services.preferences.RecentProjects());

  // Restored work is not replaced by the project named on the command line.
  if (!OfferRecovery(context)) OpenStartProject(context, projectArgument);

  if (ui.CompilerPath().empty()) {
    const std::string found = context.services.helpOutput.FindHelpCompiler();
    if (!found.empty() && context.services.system.IsNonEmptyFile(found)) ui.SetCompilerPath(found);
  }

  ui.FocusLoadProjectButton();
  context.state.activeEditor = Editor::None;
  context.ShowUnsavedState();
}

bool ShutDown(const CommandContext& context) {
  project::HelpProject& project = context.project;
  AppState& state = context.state;
  const Services& services = context.services;

  if (!context.AskToSaveChanges()) {
    // The program runs on; the close left the view mode, so the page pane shows the form again.
    if (state.viewMode) {
      context.ShowEditForm();
      project.ShowRow(project.selectedRow());
      context.ShowTopic();
    }
    return false;
  }
  services.recovery.RemoveRecoveryCopy(project.projectFile);
  context.SaveCurrentLanguage();
  SaveSettings(context);
  return true;
}

}  // namespace qs::app

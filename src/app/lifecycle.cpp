#include "app/lifecycle.h"

#include "app/projectflows.h"
#include "config/languagefiles.h"
#include "text/paths.h"

namespace qs::app {

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ') {
      ++i;
      continue;
    }
    if (line[i] == '"') {
      const std::size_t close = line.find('"', i + 1);
      const std::size_t end = close == std::string_view::npos ? line.size() : close;
      tokens.emplace_back(line.substr(i + 1, end - i - 1));
      i = close == std::string_view::npos ? line.size() : close + 1;
      continue;
    }
    const std::size_t blank = line.find(' ', i);
    const std::size_t end = blank == std::string_view::npos ? line.size() : blank;
    tokens.emplace_back(line.substr(i, end - i));
    i = end;
  }
  return tokens;
}

void PrepareStart(AppState& state, config::LanguageTable& captions, Services& services) {
  captions = config::LanguageTable{};
  state.currentLanguage = "English";
  state.purebasicFolder = services.FindPureBasicFolder();
}

void LoadSettings(const CommandContext& context) {
  AppState& state = context.state;
  Ui& ui = context.ui;
  const auto settings = context.services.ReadSettings(state.lastProjectDir);
  if (!settings) return;
  ui.SetCompilerPath(settings->htm2chm);
  ui.SetKeepDataChecked(settings->dontOverWriteExistingData);
  ui.SetCompileChecked(settings->compileToChm);
  ui.SetEraseHtmlChecked(settings->eraseHtmlFiles);
  ui.SetKeywordIndexChecked(settings->keywordIndex);
  state.currentLanguage = settings->currentLanguage;
  state.lastProjectDir = settings->lastProjectDir;
  if (state.lastProjectDir.empty()) state.lastProjectDir = state.purebasicFolder;
  ui.SetDictionaryChoice(settings->dictionary);
  state.livePane = settings->livePreview;
  ui.SetLivePane(state.livePane);
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
  settings.currentLanguage = context.state.currentLanguage;
  settings.lastProjectDir = context.state.lastProjectDir;
  settings.dictionary = ui.DictionaryChoice();
  settings.livePreview = context.state.livePane;
  context.services.WriteSettings(settings);
}

void FillLanguageList(const CommandContext& context) {
  Ui& ui = context.ui;
  AppState& state = context.state;
  std::vector<std::string> entries = context.services.ListLanguages();
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
  // Letter case counts: a name that matches no entry exactly selects none and loads nothing.
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (entries[i] != state.currentLanguage) continue;
    ui.SelectLanguageEntry(static_cast<int>(i));
    const std::string name = state.currentLanguage;
    if (context.services.LoadLanguage(name, state.currentLanguage, context.captions)) {
      ui.SetHeadingFields(context.captions);
    }
    return;
  }
  ui.SelectLanguageEntry(-1);
}

void FinishStart(const CommandContext& context, const std::string& projectArgument) {
  Ui& ui = context.ui;
  LoadSettings(context);
  FillLanguageList(context);
  ui.SetRecentProjects(context.services.RecentProjects());

  if (!projectArgument.empty()) {
    const project::LoadContext ask{
        context.state.purebasicFolder,
        [&ui](const text::Report& question) { return ui.AskYesNo(question); }};
    const ProjectOutcome opened =
        OpenProject(context.services, context.project, projectArgument, ask);
    context.ShowReports(opened.reports);
    if (opened.succeeded) {
      UseProjectFile(context);
      ui.SetProjectFileField(context.project.projectFile);
      ui.SetLibraryFileField(context.project.libraryFile);
      ui.SetHelpFolderField(context.project.helpFolder);
      ui.RefreshTopicList();
      context.ShowTopic();
    }
  }

  if (ui.CompilerPath().empty()) {
    const std::string found = context.services.FindHelpCompiler();
    if (!found.empty() && context.services.IsNonEmptyFile(found)) ui.SetCompilerPath(found);
  }

  ui.FocusLoadProjectButton();
  context.state.activeEditor = Editor::None;
}

void ShutDown(const CommandContext& context) {
  project::HelpProject& project = context.project;
  AppState& state = context.state;
  Services& services = context.services;

  services.EndPreview(state.previewFolder);
  if (!project.projectFile.empty() && project.modified) {
    const text::Report question{"Project " + text::FileNamePart(project.projectFile),
                                "Do you want to save the current project?",
                                text::ReportIcon::Question};
    if (context.ui.AskYesNo(question)) {
      context.CommitForm();
      text::Reports reports;
      services.SaveProject(project, project.projectFile, reports);
      context.ShowReports(reports);
    }
  }
  services.SaveLanguage(state.currentLanguage, context.captions);
  SaveSettings(context);
}

}  // namespace qs::app

#include "app/lifecycle.h"

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

void LoadSettings(Commands& commands) {
  AppState& state = commands.state();
  Ui& ui = commands.ui();
  const auto settings = commands.services().ReadSettings(state.lastProjectDir);
  if (!settings) return;
  ui.SetCompilerPath(settings->htm2chm);
  ui.SetKeepDataChecked(settings->dontOverWriteExistingData);
  ui.SetCompileChecked(settings->compileToChm);
  ui.SetEraseHtmlChecked(settings->eraseHtmlFiles);
  state.currentLanguage = settings->currentLanguage;
  state.lastProjectDir = settings->lastProjectDir;
  if (state.lastProjectDir.empty()) state.lastProjectDir = state.purebasicFolder;
  if (settings->maximised) ui.Maximise();
}

void SaveSettings(Commands& commands) {
  Ui& ui = commands.ui();
  config::AppSettings settings;
  settings.htm2chm = ui.CompilerPath();
  settings.compileToChm = ui.CompileChecked();
  settings.dontOverWriteExistingData = ui.KeepDataChecked();
  settings.eraseHtmlFiles = ui.EraseHtmlChecked();
  settings.maximised = ui.IsMaximised();
  settings.currentLanguage = commands.state().currentLanguage;
  settings.lastProjectDir = commands.state().lastProjectDir;
  commands.services().WriteSettings(settings);
}

void FillLanguageList(Commands& commands) {
  Ui& ui = commands.ui();
  AppState& state = commands.state();
  std::vector<std::string> entries = commands.services().ListLanguages();
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
    if (commands.services().LoadLanguage(name, state.currentLanguage, commands.captions())) {
      ui.SetHeadingFields(commands.captions());
    }
    return;
  }
  ui.SelectLanguageEntry(-1);
}

void FinishStart(Commands& commands, const std::string& projectArgument) {
  project::HelpProject& project = commands.project();
  AppState& state = commands.state();
  Ui& ui = commands.ui();
  Services& services = commands.services();

  LoadSettings(commands);
  FillLanguageList(commands);

  if (!projectArgument.empty()) {
    const project::LoadContext context{state.purebasicFolder, [&ui](const text::Report& question) {
                                         return ui.AskYesNo(question);
                                       }};
    text::Reports reports;
    const bool loaded = services.LoadProject(project, projectArgument, context, reports);
    commands.ShowReports(reports);
    if (loaded) {
      project.projectFile = projectArgument;
      ui.SetProjectFileField(project.projectFile);
      ui.SetLibraryFileField(project.libraryFile);
      ui.SetHelpFolderField(project.helpFolder);
      ui.RefreshTopicList();
      commands.ShowSelectedTopic();
    }
  }

  if (ui.CompilerPath().empty()) {
    const std::string found = services.FindHelpCompiler();
    if (!found.empty() && services.IsNonEmptyFile(found)) ui.SetCompilerPath(found);
  }

  ui.FocusLoadProjectButton();
  state.activeEditor = Editor::None;
}

void ShutDown(Commands& commands) {
  project::HelpProject& project = commands.project();
  AppState& state = commands.state();
  Services& services = commands.services();

  services.EndPreview(state.previewFolder);
  if (!project.projectFile.empty() && project.modified) {
    const text::Report question{"Project " + text::FileNamePart(project.projectFile),
                                "Do you want to save the current project?",
                                text::ReportIcon::Question};
    if (commands.ui().AskYesNo(question)) {
      commands.CommitForm();
      text::Reports reports;
      services.SaveProject(project, project.projectFile, reports);
      commands.ShowReports(reports);
    }
  }
  services.SaveLanguage(state.currentLanguage, commands.captions());
  SaveSettings(commands);
}

}  // namespace qs::app

#include "fakes.h"

#include <algorithm>
#include <functional>

#include "config/recentprojects.h"
#include "support/projectfixture.h"
#include "text/paths.h"

namespace qs::apptest {

void FakeUi::ShowMessage(const text::Report& report) {
  messages.push_back(report);
  log_.push_back("message " + report.text);
}

bool FakeUi::AskYesNo(const text::Report& question) {
  questions.push_back(question);
  log_.push_back("ask " + question.text);
  if (answers.empty()) return true;
  const bool answer = answers.front();
  answers.pop_front();
  return answer;
}

bool FakeUi::AskOkCancel(const text::Report& question) {
  log_.push_back("ask ok/cancel");
  return AskYesNo(question);
}

app::ChangedFileAnswer FakeUi::AskChangedFile(const text::Report& question, bool canReload) {
  changedFileQuestions.emplace_back(question, canReload);
  log_.push_back("ask changed " + question.text);
  if (changedFileAnswers.empty()) return app::ChangedFileAnswer::Cancel;
  const app::ChangedFileAnswer answer = changedFileAnswers.front();
  changedFileAnswers.pop_front();
  return answer;
}

app::FileChoice FakeUi::SaveFileRequester(const std::string& title, const std::string& start,
                                          const std::string& pattern) {
  requesters.push_back({"save", title, start, pattern});
  log_.push_back("requester " + title);
  if (files.empty()) return {};
  app::FileChoice choice = files.front();
  files.pop_front();
  return choice;
}

app::FileChoice FakeUi::OpenFileRequester(const std::string& title, const std::string& start,
                                          const std::string& pattern) {
  requesters.push_back({"open", title, start, pattern});
  log_.push_back("requester " + title);
  if (files.empty()) return {};
  app::FileChoice choice = files.front();
  files.pop_front();
  return choice;
}

namespace {
std::string Next(std::deque<std::string>& texts) {
  if (texts.empty()) return {};
  std::string text = texts.front();
  texts.pop_front();
  return text;
}
}  // namespace

std::string FakeUi::FolderRequester(const std::string& title, const std::string& start) {
  requesters.push_back({"folder", title, start, ""});
  return Next(texts);
}

std::string FakeUi::TextRequester(const std::string& title, const std::string& prompt,
                                  const std::string& text) {
  requesters.push_back({"text", title, text, prompt});
  return Next(texts);
}

std::string FakeUi::AskText(const std::string& caption, const std::string& prompt,
                            const std::string& text) {
  requesters.push_back({"ask", caption, text, prompt});
  return Next(texts);
}

void FakeUi::ShowTopicMenu(const std::vector<app::MenuEntry>& entries) {
  menu = entries;
  log_.push_back("menu");
}

app::RecoveryAnswer FakeUi::AskRestoreDiscardLater(const text::Report& question) {
  questions.push_back(question);
  log_.push_back("ask " + question.text);
  if (recoveryAnswers.empty()) return app::RecoveryAnswer::Restore;
  const app::RecoveryAnswer answer = recoveryAnswers.front();
  recoveryAnswers.pop_front();
  return answer;
}

app::InUseAnswer FakeUi::AskOpenInUse(const text::Report& question) {
  questions.push_back(question);
  log_.push_back("ask " + question.text);
  if (inUseAnswers.empty()) return app::InUseAnswer::Cancel;
  const app::InUseAnswer answer = inUseAnswers.front();
  inUseAnswers.pop_front();
  return answer;
}

app::SaveAnswer FakeUi::AskSaveDiscardCancel(const text::Report& question) {
  questions.push_back(question);
  log_.push_back("ask " + question.text);
  if (saveAnswers.empty()) return app::SaveAnswer::Save;
  const app::SaveAnswer answer = saveAnswers.front();
  saveAnswers.pop_front();
  return answer;
}

void FakeUi::ShowForm(const project::EditForm& shown, const project::FormLayout& how) {
  form = shown;
  layout = how;
  log_.push_back("show " + shown.title);
}

void FakeUi::ClearForm() {
  form = {};
  log_.push_back("clear form");
}

void FakeUi::SetViewMode(bool on) {
  viewMode = on;
  log_.push_back(on ? "view mode" : "edit mode");
}

void FakeUi::NavigateBrowser(const std::string& target) {
  browser = target;
  log_.push_back("navigate " + target);
}

void FakeUi::InsertTag(app::Editor editor, const std::string& tag) {
  insertedTags.emplace_back(editor, tag);
}

void FakeUi::InsertMarkup(app::Editor editor, const std::string& before, const std::string& text,
                          const std::string& after) {
  insertedMarkup.emplace_back(editor, before + (selection.empty() ? text : selection) + after);
}

std::string FakeUi::AskLinkTarget(const std::vector<std::string>& pages) {
  offeredPages.push_back(pages);
  if (linkTargets.empty()) return {};
  std::string target = linkTargets.front();
  linkTargets.pop_front();
  return target;
}

void FakeUi::ShowPreviewWindow(const std::string& title, const std::string& pagePath) {
  previews.push_back({title, pagePath});
  log_.push_back("preview window " + pagePath);
}

void FakeUi::ShowBuilderWindow(const std::string& label, const std::string& log,
                               const std::function<app::BuilderResult()>& compile,
                               const std::function<void(const std::string&)>& openHelp) {
  log_.push_back("builder window");
  BuilderShown shown;
  shown.firstLabel = label;
  shown.log = log;
  shown.finalLabel = label;
  const app::BuilderResult compiled = compile();
  if (!compiled.label.empty()) shown.finalLabel = compiled.label;
  shown.messages = compiled.messages;
  shown.messagesHeading = compiled.messagesHeading;
  shown.errors = compiled.errors;
  shown.compiledFile = compiled.compiledFile;
  builders.push_back(shown);
  if (clickOpenHelp && !compiled.compiledFile.empty()) openHelp(compiled.compiledFile);
  log_.push_back("builder closed");
}

bool FakeServices::LoadProject(project::HelpProject& project, const std::string& path,
                               const project::LoadContext&, text::Reports& reports) {
  log_.push_back("load " + path);
  const auto file = projectFiles.find(path);
  if (file == projectFiles.end()) {
    reports.push_back(text::ErrorReport("Could not read file '" + path + "'!"));
    return false;
  }
  const project::HelpProject& stored = file->second;
  project.projectFile = stored.projectFile;
  project.libraryFile = stored.libraryFile;
  project.helpFolder = stored.helpFolder;
  if (stored.TopicCount() == 0) return false;  // a file that ends after its header
  std::vector<project::Topic> topics = stored.topics();
  project.SetTopics(std::move(topics));
  project.RefillItemsFromStore();
  project.SetShownTopic("Index");
  project.SelectRow(0);
  return true;
}

bool FakeServices::SaveProject(project::HelpProject& project, const std::string& path,
                               text::Reports&) {
  log_.push_back("save " + path);
  savedTo.push_back(path);
  projectFiles[path] = project;
  disk[path] = "saved " + std::to_string(savedTo.size());
  return true;
}

bool FakeServices::ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                                      text::Reports& reports) {
  lastKeepData = keepData;
  const auto library = libraries.find(text::FileNamePart(project.libraryFile));
  if (library == libraries.end()) {
    log_.push_back("extract failed");
    reports.push_back(text::ErrorReport("Could not read file '" + project.libraryFile + "'!"));
    return false;
  }
  if (keepData && project.TopicCount() > 0) {
    log_.push_back("extract merge");
    for (const std::string& recipe : library->second) {
      if (project.FindTopic(testsupport::MakeTopic(recipe).name) == nullptr) {
        project.AppendTopic(testsupport::MakeTopic(recipe));
      }
    }
  } else {
    log_.push_back("extract fresh");
    project.SetTopics(testsupport::MakeProject(library->second).topics());
  }
  project.RefillItemsFromStore();
  project.SetShownTopic("Index");
  project.SelectRow(0);
  project.modified = true;
  return true;
}

std::string FakeServices::BuildHelpFolder(const project::HelpProject&, const config::LanguageTable&,
                                          const std::string& folder,
                                          const output::BuildOptions& options, output::BuildRecord&,
                                          text::Reports& reports) {
  log_.push_back("build " + folder + (options.keywordIndex ? " with keyword index" : "") +
                 (options.examplesAsCode ? " with examples as code" : ""));
  if (buildLog.empty()) {
    reports.push_back(text::ErrorReport("Could not create file '" + folder + "Index.html'!"));
    return {};
  }
  return folder + buildLog;
}

bool FakeServices::CompileHelp(const project::HelpProject&, const std::string& folder,
                               output::CompileOptions& options, text::Reports& reports,
                               std::vector<output::CompilerMessage>& messages,
                               std::vector<std::string>&) {
  log_.push_back("compile " + folder);
  compiledWith = options;
  messages.clear();
  if (!options.compileToChm || options.compilerPath.empty()) return false;
  if (compileReport) reports.push_back(*compileReport);
  messages = compilerMessages;
  if (compileSwitchesOff) options.compileToChm = false;
  return compileWorks;
}

bool FakeServices::WriteUniqueHtmlFile(const project::HelpProject& project,
                                       const std::string& folder, bool examplesAsCode,
                                       text::Reports&) {
  const project::Topic* index = project.FindTopic("Index");
  log_.push_back("unique " + folder + " " + (index ? index->title : "") +
                 (examplesAsCode ? " with examples as code" : ""));
  return true;
}

std::optional<config::AppSettings> FakeServices::ReadSettings(const std::string&) {
  log_.push_back("read settings");
  return settings;
}

void FakeServices::WriteSettings(const config::AppSettings& values) {
  log_.push_back("write settings");
  written = values;
}

bool FakeServices::LoadLanguage(const std::string& name, std::string& currentLanguage,
                                config::LanguageTable& captions) {
  log_.push_back("load language " + name);
  const auto file = languageFiles.find(name);
  if (file == languageFiles.end()) return false;
  currentLanguage = file->second.first;
  captions = file->second.second;
  return true;
}

platform::FileVersion FakeServices::ReadFileVersion(const std::string& path) {
  const auto file = disk.find(path);
  if (file == disk.end()) return {};
  return {true, file->second.size(), 0, std::hash<std::string>{}(file->second) | 1, false};
}

app::LanguageWrite FakeServices::SaveLanguage(const std::string& currentLanguage,
                                              const config::LanguageTable& captions,
                                              bool overChanges) {
  if (languageChangedOnDisk && !overChanges) {
    log_.push_back("language changed on disk " + currentLanguage);
    return app::LanguageWrite::ChangedOnDisk;
  }
  log_.push_back("save language " + currentLanguage);
  savedLanguages.emplace_back(currentLanguage, captions);
  return app::LanguageWrite::Written;
}

bool FakeServices::IsNonEmptyFile(const std::string& path) {
  return std::find(nonEmptyFiles.begin(), nonEmptyFiles.end(), path) != nonEmptyFiles.end();
}

std::vector<std::string> FakeServices::RecordRecentProject(const std::string& path) {
  log_.push_back("recent " + path);
  recent = config::WithRecentProject(recent, path);
  return recent;
}

}  // namespace qs::apptest

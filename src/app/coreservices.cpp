#include "app/coreservices.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "config/recentprojects.h"
#include "config/wordlist.h"
#include "library/librarytopics.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/preview.h"
#include "output/uniquehtml.h"
#include "platform/documentviewer.h"
#include "platform/fileassociation.h"
#include "platform/filesystem.h"
#include "platform/helpcompilerlocator.h"
#include "platform/installlayout.h"
#include "platform/localtime.h"
#include "platform/purebasicfolder.h"
#include "platform/tempfolder.h"
#include "project/projectfile.h"
#include "text/paths.h"

namespace qs::app {

CoreServices::CoreServices(std::string programPath, std::string settingsFolder,
                           platform::ProgramRunner* runner)
    : programPath_(std::move(programPath)),
      settingsFolder_(std::move(settingsFolder)),
      recovery_(settingsFolder_),
      interruptedSaves_(settingsFolder_),
      runner_(runner != nullptr ? runner : &systemRunner_) {}

bool CoreServices::LoadProject(project::HelpProject& project, const std::string& path,
                               const project::LoadContext& context, text::Reports& reports) {
  // A save killed while it rewrote this file where it is may have torn it: the complete
  // version that save was writing is read instead, and is unsaved until saved again.
  const std::string left = interruptedSaves_.LeftFor(path);
  if (!left.empty() && project::LoadProject(project, left, context, reports)) {
    project.modified = true;
    reports.push_back({"WARNING",
                       "The last save of '" + path +
                           "' did not finish: the version it was saving was read instead. Save "
                           "the project to mend the file.",
                       text::ReportIcon::Exclamation});
    return true;
  }
  return project::LoadProject(project, path, context, reports);
}

bool CoreServices::SaveProject(project::HelpProject& project, const std::string& path,
                               text::Reports& reports) {
  platform::WriteOptions options;
  options.keptCopy = interruptedSaves_.CopyPath(path);
  if (!project::SaveProject(project, path, reports, options)) return false;
  // The file holds what the author chose to save: an earlier save's copy is of no use now.
  interruptedSaves_.Discard(path);
  return true;
}

bool CoreServices::ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                                      text::Reports& reports) {
  return library::ExtractLibraryInfo(project, keepData, libraryInfo_, reports);
}

void CoreServices::WriteRecoveryCopy(const project::HelpProject& project) {
  recovery_.Write(project);
}

void CoreServices::RemoveRecoveryCopy(const std::string& projectFile) {
  recovery_.Remove(projectFile);
}

std::vector<RecoveryCopy> CoreServices::FindRecoveryCopies() {
  std::vector<RecoveryCopy> copies = recovery_.Find();
  for (RecoveryCopy& copy : interruptedSaves_.Find()) copies.push_back(std::move(copy));
  std::stable_sort(copies.begin(), copies.end(), [](const RecoveryCopy& a, const RecoveryCopy& b) {
    return a.written > b.written;
  });
  return copies;
}

void CoreServices::DiscardInterruptedSave(const std::string& projectFile) {
  interruptedSaves_.Discard(projectFile);
}

void CoreServices::EraseBuildFiles() {
  output::EraseBuildFiles(record_);
}

void CoreServices::ErasePreviewFiles() {
  if (record_.preview) output::EraseBuildFiles(record_);
}

std::string CoreServices::MakePreviewFolder() {
  previewFolder_ = platform::MakePreviewFolder();
  return previewFolder_;
}

void CoreServices::EndPreview(const std::string& folder) {
  output::EndPreview(folder, record_);
}

std::string CoreServices::BuildHelpFolder(const project::HelpProject& project,
                                          const config::LanguageTable& captions,
                                          const std::string& folder,
                                          const output::BuildOptions& options,
                                          text::Reports& reports) {
  std::string log = output::BuildHelpFolder(project, captions, folder, record_, reports, options);
  record_.preview = !previewFolder_.empty() && folder == previewFolder_;
  return log;
}

bool CoreServices::WriteUniqueHtmlFile(const project::HelpProject& project,
                                       const std::string& folder, text::Reports& reports) {
  return output::WriteUniqueHtmlFile(project, folder, reports);
}

bool CoreServices::CompileHelp(const project::HelpProject& project, const std::string& folder,
                               output::CompileOptions& options, text::Reports& reports,
                               std::vector<output::CompilerMessage>& messages) {
  return output::CompileHelp(options, folder, project.libraryFile, *runner_, reports, &messages);
}

void CoreServices::DeleteCompilerTempFiles() {
  output::DeleteCompilerTempFiles();
}

std::optional<config::AppSettings> CoreServices::ReadSettings(const std::string& lastProjectDir) {
  config::AppSettings settings;
  settings.lastProjectDir = lastProjectDir;
  // The empty PureBasic folder keeps the fallback with the caller, which knows the folder.
  if (!config::LoadSettings(settingsFolder_, settings, "")) return std::nullopt;
  return settings;
}

void CoreServices::WriteSettings(const config::AppSettings& settings) {
  config::SaveSettings(settingsFolder_, settings);
}

std::vector<std::string> CoreServices::ListLanguages() {
  return config::ListLanguages(settingsFolder_);
}

bool CoreServices::LoadLanguage(const std::string& name, std::string& currentLanguage,
                                config::LanguageTable& captions) {
  config::LanguageState state{currentLanguage, captions};
  if (!config::LoadLanguage(settingsFolder_, name, state)) return false;
  currentLanguage = state.currentLanguage;
  captions = state.table;
  return true;
}

void CoreServices::SaveLanguage(const std::string& currentLanguage,
                                const config::LanguageTable& captions) {
  config::SaveLanguage(settingsFolder_, config::LanguageState{currentLanguage, captions});
}

std::string CoreServices::WordListPath(const std::string& projectFile) {
  return config::WordListPath(settingsFolder_, projectFile);
}

std::vector<std::string> CoreServices::RecentProjects() {
  return config::ReadRecentProjects(settingsFolder_);
}

std::vector<std::string> CoreServices::RecordRecentProject(const std::string& path) {
  return config::RecordRecentProject(settingsFolder_, path);
}

std::string CoreServices::FindPureBasicFolder() {
  return platform::FindPureBasicFolder();
}

std::string CoreServices::FindHelpCompiler() {
  return platform::FindHelpCompiler();
}

std::string CoreServices::ProgramFolder() {
  return text::FolderPart(programPath_);
}

std::string CoreServices::ProgramHelpFile() {
  return platform::ProgramHelpFile(ProgramFolder());
}

std::string CoreServices::ProgramHelpPages() {
  return platform::ProgramHelpPages(ProgramFolder());
}

bool CoreServices::HasDocumentViewer(const std::string& path) {
  return platform::HasDocumentViewer(path);
}

bool CoreServices::CreateFolderPath(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  return platform::IsFolder(folder);
}

bool CoreServices::IsNonEmptyFile(const std::string& path) {
  return platform::IsNonEmptyFile(path);
}

bool CoreServices::RegisterProjectFiles() {
  return platform::RegisterProjectFiles(programPath_);
}

bool CoreServices::UnregisterProjectFiles() {
  return platform::UnregisterProjectFiles();
}

DateTime CoreServices::Now() {
  const std::tm local = platform::LocalTime(std::time(nullptr));
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
          local.tm_hour,        local.tm_min,     local.tm_sec};
}

}  // namespace qs::app

#include "app/coreservices.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "app/projectlock.h"
#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "config/recentprojects.h"
#include "config/wordlist.h"
#include "library/librarytopics.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/uniquehtml.h"
#include "platform/documentviewer.h"
#include "platform/fileassociation.h"
#include "platform/filesystem.h"
#include "platform/fileversion.h"
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
    reports.push_back(InterruptedSaveReport(path));
    return true;
  }
  return project::LoadProject(project, path, context, reports);
}

bool CoreServices::SaveProject(project::HelpProject& project, const std::string& path,
                               text::Reports& reports) {
  // No other window or command line writes the file meanwhile. A folder without room for a
  // lock file is written unlocked, as it was before there were locks.
  const std::string lockPath = ProjectWriteLockPath(path);
  platform::FileLock lock;
  if (!(writeLock_.IsHeld() && writeLock_.path() == lockPath) &&
      lock.Lock(lockPath, kProjectWriteWait) == platform::LockResult::Busy) {
    reports.push_back(ProjectBusyReport(path));
    return false;
  }
  platform::WriteOptions options;
  options.keptCopy = interruptedSaves_.CopyPath(path);
  if (!project::SaveProject(project, path, reports, options)) return false;
  // The file holds what the author chose to save: an earlier save's copy is of no use now.
  interruptedSaves_.Discard(path);
  return true;
}

bool CoreServices::HoldProjectFile(const std::string& path) {
  if (path.empty()) {
    openLock_.Release();
    return true;
  }
  const std::string lockPath = ProjectOpenLockPath(path);
  if (openLock_.IsHeld() && openLock_.path() == lockPath) return true;
  platform::FileLock next;
  const platform::LockResult result = next.TryLock(lockPath);
  openLock_ = std::move(next);
  return result != platform::LockResult::Busy;
}

bool CoreServices::LockProjectForWriting(const std::string& path, text::Reports& reports) {
  if (writeLock_.Lock(ProjectWriteLockPath(path), kProjectWriteWait) ==
      platform::LockResult::Busy) {
    reports.push_back(ProjectBusyReport(path));
    return false;
  }
  return true;
}

platform::FileVersion CoreServices::ReadFileVersion(const std::string& path) {
  return platform::ReadFileVersion(path);
}

bool CoreServices::StillSameVersion(const std::string& path, platform::FileVersion& version) {
  return platform::StillSameVersion(path, version);
}

bool CoreServices::ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                                      text::Reports& reports) {
  return library::ExtractLibraryInfo(project, keepData, libraryInfo_, reports);
}

void CoreServices::WriteRecoveryCopy(const project::HelpProject& project) {
  recovery_.Write(project);
}

bool CoreServices::KeepRecoveryCopy(const project::HelpProject& project) {
  // Work about to be dropped is dropped only once its copy reads back whole.
  const std::string path = recovery_.Write(project);
  project::HelpProject read;
  text::Reports ignored;
  return !path.empty() && project::LoadProject(read, path, {}, ignored) &&
         read.projectFile == project.projectFile && read.TopicCount() == project.TopicCount();
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

void CoreServices::TakeRecoveryCopy(const std::string& path) {
  recovery_.Take(path);
}

void CoreServices::EraseBuildFiles() {
  output::EraseBuildFiles(record_);
}

std::string CoreServices::BuildHelpFolder(const project::HelpProject& project,
                                          const config::LanguageTable& captions,
                                          const std::string& folder,
                                          const output::BuildOptions& options,
                                          text::Reports& reports) {
  return output::BuildHelpFolder(project, captions, folder, record_, reports, options);
}

bool CoreServices::WriteUniqueHtmlFile(const project::HelpProject& project,
                                       const std::string& folder, text::Reports& reports) {
  return output::WriteUniqueHtmlFile(project, folder, reports);
}

bool CoreServices::CompileHelp(const project::HelpProject& project, const std::string& folder,
                               output::CompileOptions& options, text::Reports& reports,
                               std::vector<output::CompilerMessage>& messages) {
  return output::CompileHelp(options, folder, project.libraryFile, *runner_, reports, &messages,
                             &compilerLeftovers_);
}

void CoreServices::DeleteCompilerTempFiles() {
  output::DeleteCompilerTempFiles(compilerLeftovers_);
  compilerLeftovers_.clear();
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

void CoreServices::RememberLanguageFile(const std::string& language) {
  if (const auto path = config::LanguageFilePath(settingsFolder_, language)) {
    languageVersions_[*path] = platform::ReadFileVersion(*path);
  }
}

std::vector<std::string> CoreServices::ListLanguages() {
  std::vector<std::string> languages = config::ListLanguages(settingsFolder_);
  // The built-in language is current without a file then; one that appears later is another
  // window's.
  if (languages.empty()) RememberLanguageFile(std::string(config::kBuiltInLanguage));
  return languages;
}

bool CoreServices::LoadLanguage(const std::string& name, std::string& currentLanguage,
                                config::LanguageTable& captions) {
  config::LanguageState state{currentLanguage, captions};
  // Taken before the read: a write in between is then noticed rather than missed.
  const auto path = config::LanguageFilePath(settingsFolder_, name);
  const platform::FileVersion before =
      path ? platform::ReadFileVersion(*path) : platform::FileVersion{};
  if (!config::LoadLanguage(settingsFolder_, name, state)) return false;
  if (path) languageVersions_[*path] = before;
  currentLanguage = state.currentLanguage;
  captions = state.table;
  return true;
}

LanguageWrite CoreServices::SaveLanguage(const std::string& currentLanguage,
                                         const config::LanguageTable& captions, bool overChanges) {
  const auto path = config::LanguageFilePath(settingsFolder_, currentLanguage);
  if (!path) return LanguageWrite::Failed;
  const auto known = languageVersions_.find(*path);
  if (!overChanges && known != languageVersions_.end() &&
      !platform::StillSameVersion(*path, known->second)) {
    return LanguageWrite::ChangedOnDisk;
  }
  if (!config::SaveLanguage(settingsFolder_, config::LanguageState{currentLanguage, captions})) {
    return LanguageWrite::Failed;
  }
  languageVersions_[*path] = platform::ReadFileVersion(*path);
  return LanguageWrite::Written;
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

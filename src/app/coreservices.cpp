#include "app/coreservices.h"

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "config/appsettings.h"
#include "config/languagefiles.h"
#include "config/recentprojects.h"
#include "config/websitefolders.h"
#include "config/wordlist.h"
#include "platform/documentviewer.h"
#include "platform/fileassociation.h"
#include "platform/filesystem.h"
#include "platform/fileversion.h"
#include "platform/installlayout.h"
#include "platform/localtime.h"
#include "platform/purebasicfolder.h"
#include "project/projectfile.h"
#include "text/paths.h"

namespace qs::app {

CoreServices::CoreServices(const std::string& programPath, const std::string& settingsFolder,
                           platform::ProgramRunner* runner)
    : flows::DiskProjectFiles(settingsFolder),
      flows::DiskHelpOutput(runner),
      DiskRecovery(settingsFolder),
      DiskPreferences(settingsFolder),
      DiskSystem(programPath) {}

DiskRecovery::DiskRecovery(const std::string& settingsFolder)
    : store_(settingsFolder), interruptedSaves_(settingsFolder) {}

void DiskRecovery::WriteRecoveryCopy(const project::HelpProject& project) {
  store_.Write(project);
}

bool DiskRecovery::KeepRecoveryCopy(const project::HelpProject& project) {
  // Work about to be dropped is dropped only once its copy reads back whole.
  const std::string path = store_.Write(project);
  project::HelpProject read;
  text::Reports ignored;
  return !path.empty() && project::LoadProject(read, path, {}, ignored) &&
         read.projectFile == project.projectFile && read.TopicCount() == project.TopicCount();
}

void DiskRecovery::RemoveRecoveryCopy(const std::string& projectFile) {
  store_.Remove(projectFile);
}

std::vector<config::RecoveryCopy> DiskRecovery::FindRecoveryCopies() {
  std::vector<config::RecoveryCopy> copies = store_.Find();
  for (config::RecoveryCopy& copy : interruptedSaves_.Find()) copies.push_back(std::move(copy));
  std::stable_sort(copies.begin(), copies.end(),
                   [](const config::RecoveryCopy& a, const config::RecoveryCopy& b) {
                     return a.written > b.written;
                   });
  return copies;
}

void DiskRecovery::DiscardInterruptedSave(const std::string& projectFile) {
  interruptedSaves_.Discard(projectFile);
}

void DiskRecovery::TakeRecoveryCopy(const std::string& path) {
  store_.Take(path);
}

void DiskRecovery::PostponeRecoveryCopy(const std::string& path) {
  // The copy of an unfinished save is held by no one: it stays as it is.
  store_.Postpone(path);
}

DiskPreferences::DiskPreferences(std::string settingsFolder)
    : settingsFolder_(std::move(settingsFolder)) {}

std::optional<config::AppSettings> DiskPreferences::ReadSettings(
    const std::string& lastProjectDir) {
  config::AppSettings settings;
  settings.lastProjectDir = lastProjectDir;
  // The empty PureBasic folder keeps the fallback with the caller, which knows the folder.
  if (!config::LoadSettings(settingsFolder_, settings, "")) return std::nullopt;
  return settings;
}

void DiskPreferences::WriteSettings(const config::AppSettings& settings) {
  config::SaveSettings(settingsFolder_, settings);
}

void DiskPreferences::RememberLanguageFile(const std::string& language) {
  if (const auto path = config::LanguageFilePath(settingsFolder_, language)) {
    languageVersions_[*path] = platform::ReadFileVersion(*path);
  }
}

std::vector<std::string> DiskPreferences::ListLanguages() {
  std::vector<std::string> languages = config::ListLanguages(settingsFolder_);
  // The built-in language is current without a file then; one that appears later is another
  // window's.
  if (languages.empty()) RememberLanguageFile(std::string(config::kBuiltInLanguage));
  return languages;
}

bool DiskPreferences::LoadLanguage(const std::string& name, std::string& currentLanguage,
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

LanguageWrite DiskPreferences::SaveLanguage(const std::string& currentLanguage,
                                            const config::LanguageTable& captions,
                                            bool overChanges) {
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

std::string DiskPreferences::WordListPath(const std::string& projectFile) {
  return config::WordListPath(settingsFolder_, projectFile);
}

std::vector<std::string> DiskPreferences::RecentProjects() {
  return config::ReadRecentProjects(settingsFolder_);
}

std::vector<std::string> DiskPreferences::RecordRecentProject(const std::string& path) {
  return config::RecordRecentProject(settingsFolder_, path);
}

std::string DiskPreferences::LastWebsiteFolder(const std::string& projectFile) {
  return config::LastWebsiteFolder(settingsFolder_, projectFile);
}

void DiskPreferences::RecordWebsiteFolder(const std::string& projectFile,
                                          const std::string& folder) {
  config::RecordWebsiteFolder(settingsFolder_, projectFile, folder);
}

std::string DiskSystem::FindPureBasicFolder() {
  return platform::FindPureBasicFolder();
}

DiskSystem::DiskSystem(std::string programPath) : programPath_(std::move(programPath)) {}

std::string DiskSystem::ProgramFolder() {
  return text::FolderPart(programPath_);
}

std::string DiskSystem::ProgramHelpFile() {
  return platform::ProgramHelpFile(ProgramFolder());
}

std::string DiskSystem::ProgramHelpPages() {
  return platform::ProgramHelpPages(ProgramFolder());
}

bool DiskSystem::HasDocumentViewer(const std::string& path) {
  return platform::HasDocumentViewer(path);
}

bool DiskSystem::CreateFolderPath(const std::string& folder) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder), error);
  return platform::IsFolder(folder);
}

bool DiskSystem::IsNonEmptyFile(const std::string& path) {
  return platform::IsNonEmptyFile(path);
}

bool DiskSystem::RegisterProjectFiles() {
  return platform::RegisterProjectFiles(programPath_);
}

bool DiskSystem::UnregisterProjectFiles() {
  return platform::UnregisterProjectFiles();
}

platform::DateTime DiskSystem::Now() {
  return platform::LocalDateTime(std::time(nullptr));
}

}  // namespace qs::app

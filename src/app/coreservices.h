#pragma once

#include <map>
#include <string>

#include "app/services.h"
#include "config/interruptedsaves.h"
#include "config/recovery.h"
#include "flows/diskports.h"
#include "platform/fileversion.h"
#include "platform/programrunner.h"

namespace qs::app {

// Recovery copies in the settings folder: the store of unsaved work and the copies of saves
// in place that did not finish.
class DiskRecovery : public RecoveryCopies {
 public:
  // `settingsFolder` ends in a separator.
  explicit DiskRecovery(const std::string& settingsFolder);

  void WriteRecoveryCopy(const project::HelpProject& project) override;
  bool KeepRecoveryCopy(const project::HelpProject& project) override;
  void RemoveRecoveryCopy(const std::string& projectFile) override;
  std::vector<config::RecoveryCopy> FindRecoveryCopies() override;
  void TakeRecoveryCopy(const std::string& path) override;
  void PostponeRecoveryCopy(const std::string& path) override;
  void DiscardInterruptedSave(const std::string& projectFile) override;

 private:
  config::RecoveryStore store_;
  config::InterruptedSaves interruptedSaves_;
};

// The settings, language and list files in the settings folder.
class DiskPreferences : public Preferences {
 public:
  // `settingsFolder` ends in a separator.
  explicit DiskPreferences(std::string settingsFolder);

  std::optional<config::AppSettings> ReadSettings(const std::string& lastProjectDir) override;
  void WriteSettings(const config::AppSettings& settings) override;
  std::vector<std::string> ListLanguages() override;
  bool LoadLanguage(const std::string& name, std::string& currentLanguage,
                    config::LanguageTable& captions) override;
  LanguageWrite SaveLanguage(const std::string& currentLanguage,
                             const config::LanguageTable& captions, bool overChanges) override;
  std::string WordListPath(const std::string& projectFile) override;
  std::vector<std::string> RecentProjects() override;
  std::vector<std::string> RecordRecentProject(const std::string& path) override;
  std::string LastWebsiteFolder(const std::string& projectFile) override;
  void RecordWebsiteFolder(const std::string& projectFile, const std::string& folder) override;

 private:
  std::string settingsFolder_;
  // The language files as this program last read or wrote them, by path: one that another
  // program or window wrote since is not replaced unasked.
  std::map<std::string, platform::FileVersion> languageVersions_;
  void RememberLanguageFile(const std::string& language);
};

class DiskSystem : public System {
 public:
  // `programPath` is the running program (for the association and its own help).
  explicit DiskSystem(std::string programPath);

  std::string FindPureBasicFolder() override;
  std::string ProgramFolder() override;
  std::string ProgramHelpFile() override;
  std::string ProgramHelpPages() override;
  bool HasDocumentViewer(const std::string& path) override;
  bool CreateFolderPath(const std::string& folder) override;
  bool IsNonEmptyFile(const std::string& path) override;
  bool RegisterProjectFiles() override;
  bool UnregisterProjectFiles() override;
  platform::DateTime Now() override;

 private:
  std::string programPath_;
};

// Every port of the desktop commands bound to the real layers, each adapter with only the
// state of its own files.
class CoreServices : public flows::DiskProjectFiles,
                     public flows::DiskLibraryReader,
                     public flows::DiskHelpOutput,
                     public DiskRecovery,
                     public DiskPreferences,
                     public DiskSystem {
 public:
  // `programPath` is the running program (for the association); `settingsFolder` holds the
  // settings and language files. The help compiler runs through `runner` (which must outlive
  // this object) or, without one, through the system's runner.
  CoreServices(const std::string& programPath, const std::string& settingsFolder,
               platform::ProgramRunner* runner = nullptr);

  operator Services() { return {*this, *this, *this, *this, *this, *this}; }
};

}  // namespace qs::app

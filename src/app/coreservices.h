#pragma once

#include <map>
#include <string>

#include "app/interruptedsaves.h"
#include "app/recovery.h"
#include "app/services.h"
#include "library/libraryinfo.h"
#include "output/buildrecord.h"
#include "platform/filelock.h"
#include "platform/programrunner.h"
#include "platform/systemprogramrunner.h"

namespace qs::app {

// The commands' core, bound to the real layers: project files, library extraction, help
// output, settings and language files in `settingsFolder`, and the operating system. Owns the
// state those layers keep between commands: the functions last read from a library and the
// record of the last build.
class CoreServices : public Services {
 public:
  // `programPath` is the running program (for the association); `settingsFolder` holds the
  // settings and language files. The help compiler runs through `runner` (which must outlive
  // this object) or, without one, through the system's runner.
  CoreServices(std::string programPath, std::string settingsFolder,
               platform::ProgramRunner* runner = nullptr);
  // The runner it uses may be its own member: a copy would run through the original's.
  CoreServices(const CoreServices&) = delete;
  CoreServices& operator=(const CoreServices&) = delete;

  bool LoadProject(project::HelpProject& project, const std::string& path,
                   const project::LoadContext& context, text::Reports& reports) override;
  bool SaveProject(project::HelpProject& project, const std::string& path,
                   text::Reports& reports) override;
  bool HoldProjectFile(const std::string& path) override;
  // Takes the project's write lock until this object goes, waiting kProjectWriteWait for
  // another writer; the saves into `path` then take it no more. False, with the reason in
  // `reports`, when another writer kept it.
  bool LockProjectForWriting(const std::string& path, text::Reports& reports);
  platform::FileVersion ReadFileVersion(const std::string& path) override;
  bool StillSameVersion(const std::string& path, platform::FileVersion& version) override;
  bool ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                          text::Reports& reports) override;
  void WriteRecoveryCopy(const project::HelpProject& project) override;
  bool KeepRecoveryCopy(const project::HelpProject& project) override;
  void RemoveRecoveryCopy(const std::string& projectFile) override;
  std::vector<RecoveryCopy> FindRecoveryCopies() override;
  void TakeRecoveryCopy(const std::string& path) override;
  void DiscardInterruptedSave(const std::string& projectFile) override;
  void EraseBuildFiles() override;
  std::string BuildHelpFolder(const project::HelpProject& project,
                              const config::LanguageTable& captions, const std::string& folder,
                              const output::BuildOptions& options, text::Reports& reports) override;
  bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                           text::Reports& reports) override;
  bool CompileHelp(const project::HelpProject& project, const std::string& folder,
                   output::CompileOptions& options, text::Reports& reports,
                   std::vector<output::CompilerMessage>& messages) override;
  void DeleteCompilerTempFiles() override;
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
  std::string FindPureBasicFolder() override;
  std::string FindHelpCompiler() override;
  std::string ProgramFolder() override;
  std::string ProgramHelpFile() override;
  std::string ProgramHelpPages() override;
  bool HasDocumentViewer(const std::string& path) override;
  bool CreateFolderPath(const std::string& folder) override;
  bool IsNonEmptyFile(const std::string& path) override;
  bool RegisterProjectFiles() override;
  bool UnregisterProjectFiles() override;
  DateTime Now() override;

 private:
  std::string programPath_;
  std::string settingsFolder_;
  RecoveryStore recovery_;
  // The project file this window has open, and the write lock a command line holds for its
  // whole run.
  platform::FileLock openLock_;
  platform::FileLock writeLock_;
  InterruptedSaves interruptedSaves_;
  library::LibraryInfo libraryInfo_;
  output::BuildRecord record_;
  platform::SystemProgramRunner systemRunner_;
  platform::ProgramRunner* runner_;
  // The compiler's leftovers in the temporary folder that the last compile made: the only
  // ones DeleteCompilerTempFiles deletes.
  std::vector<std::string> compilerLeftovers_;
  // The language files as this program last read or wrote them, by path: one that another
  // program or window wrote since is not replaced unasked.
  std::map<std::string, platform::FileVersion> languageVersions_;
  void RememberLanguageFile(const std::string& language);
};

}  // namespace qs::app

#pragma once

// The flows' ports bound to the real layers. Each adapter keeps only the state of its own
// files: the project file's locks and the copies of saves in place; nothing else lasts from
// one call to the next.

#include <string>
#include <vector>

#include "config/interruptedsaves.h"
#include "flows/ports.h"
#include "platform/filelock.h"
#include "platform/programrunner.h"
#include "platform/systemprogramrunner.h"

namespace qs::flows {

// Project files, with the locks that keep two writers apart: the open lock of the file this
// window has open, and the write lock a command line holds for its whole run.
class DiskProjectFiles : public ProjectFiles {
 public:
  // `settingsFolder` holds the copies of saves that rewrite a file in place.
  explicit DiskProjectFiles(const std::string& settingsFolder);

  bool LoadProject(project::HelpProject& project, const std::string& path,
                   const project::LoadContext& context, text::Reports& reports) override;
  bool SaveProject(project::HelpProject& project, const std::string& path,
                   text::Reports& reports) override;
  bool HoldProjectFile(const std::string& path) override;
  platform::FileVersion ReadFileVersion(const std::string& path) override;
  bool StillSameVersion(const std::string& path, platform::FileVersion& version) override;
  // Takes the project's write lock until this object goes, waiting kProjectWriteWait for
  // another writer; the saves into `path` then take it no more. False, with the reason in
  // `reports`, when another writer kept it.
  bool LockProjectForWriting(const std::string& path, text::Reports& reports);

 private:
  config::InterruptedSaves interruptedSaves_;
  platform::FileLock openLock_;
  platform::FileLock writeLock_;
};

class DiskLibraryReader : public LibraryReader {
 public:
  bool ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                          text::Reports& reports) override;
};

// The help output; the compiler runs through `runner` (which must outlive this object) or,
// without one, through the system's runner.
class DiskHelpOutput : public HelpOutput {
 public:
  explicit DiskHelpOutput(platform::ProgramRunner* runner = nullptr);
  // The runner it uses may be its own member: a copy would run through the original's.
  DiskHelpOutput(const DiskHelpOutput&) = delete;
  DiskHelpOutput& operator=(const DiskHelpOutput&) = delete;

  std::string BuildHelpFolder(const project::HelpProject& project,
                              const config::LanguageTable& captions, const std::string& folder,
                              const output::BuildOptions& options, output::BuildRecord& record,
                              text::Reports& reports) override;
  void EraseBuildFiles(const output::BuildRecord& record) override;
  bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                           bool examplesAsCode, text::Reports& reports) override;
  bool CompileHelp(const project::HelpProject& project, const std::string& folder,
                   output::CompileOptions& options, text::Reports& reports,
                   std::vector<output::CompilerMessage>& messages,
                   std::vector<std::string>& leftovers) override;
  void DeleteCompilerTempFiles(const std::vector<std::string>& leftovers) override;
  std::string FindHelpCompiler() override;

 private:
  platform::SystemProgramRunner systemRunner_;
  platform::ProgramRunner* runner_;
};

}  // namespace qs::flows

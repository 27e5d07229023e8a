#include "flows/diskports.h"

#include "flows/projectlock.h"
#include "library/librarytopics.h"
#include "output/helpcompiler.h"
#include "output/helpfolder.h"
#include "output/uniquehtml.h"
#include "platform/helpcompilerlocator.h"
#include "project/projectfile.h"

namespace qs::flows {

DiskProjectFiles::DiskProjectFiles(const std::string& settingsFolder)
    : interruptedSaves_(settingsFolder) {}

bool DiskProjectFiles::LoadProject(project::HelpProject& project, const std::string& path,
                                   const project::LoadContext& context, text::Reports& reports) {
  // A save killed while it rewrote this file where it is may have torn it: the complete
  // version that save was writing is read instead, and is unsaved until saved again.
  const std::string left = interruptedSaves_.LeftFor(path);
  if (!left.empty() && project::LoadProject(project, left, context, reports)) {
    project.modified = true;
    reports.push_back(config::InterruptedSaveReport(path));
    return true;
  }
  return project::LoadProject(project, path, context, reports);
}

bool DiskProjectFiles::SaveProject(project::HelpProject& project, const std::string& path,
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

bool DiskProjectFiles::HoldProjectFile(const std::string& path) {
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

bool DiskProjectFiles::LockProjectForWriting(const std::string& path, text::Reports& reports) {
  if (writeLock_.Lock(ProjectWriteLockPath(path), kProjectWriteWait) ==
      platform::LockResult::Busy) {
    reports.push_back(ProjectBusyReport(path));
    return false;
  }
  return true;
}

platform::FileVersion DiskProjectFiles::ReadFileVersion(const std::string& path) {
  return platform::ReadFileVersion(path);
}

bool DiskProjectFiles::StillSameVersion(const std::string& path, platform::FileVersion& version) {
  return platform::StillSameVersion(path, version);
}

bool DiskLibraryReader::ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                                           text::Reports& reports) {
  // The library as read is only the extraction's: the topics keep all that is needed of it.
  library::LibraryInfo info;
  return library::ExtractLibraryInfo(project, keepData, info, reports);
}

DiskHelpOutput::DiskHelpOutput(platform::ProgramRunner* runner)
    : runner_(runner != nullptr ? runner : &systemRunner_) {}

std::string DiskHelpOutput::BuildHelpFolder(const project::HelpProject& project,
                                            const config::LanguageTable& captions,
                                            const std::string& folder,
                                            const output::BuildOptions& options,
                                            output::BuildRecord& record, text::Reports& reports) {
  return output::BuildHelpFolder(project, captions, folder, record, reports, options);
}

void DiskHelpOutput::EraseBuildFiles(const output::BuildRecord& record) {
  output::EraseBuildFiles(record);
}

bool DiskHelpOutput::WriteUniqueHtmlFile(const project::HelpProject& project,
                                         const std::string& folder, bool examplesAsCode,
                                         text::Reports& reports) {
  return output::WriteUniqueHtmlFile(project, folder, reports, examplesAsCode);
}

bool DiskHelpOutput::CompileHelp(const project::HelpProject& project, const std::string& folder,
                                 output::CompileOptions& options, text::Reports& reports,
                                 std::vector<output::CompilerMessage>& messages,
                                 std::vector<std::string>& leftovers) {
  return output::CompileHelp(options, folder, project.libraryFile, *runner_, reports, &messages,
                             &leftovers);
}

void DiskHelpOutput::DeleteCompilerTempFiles(const std::vector<std::string>& leftovers) {
  output::DeleteCompilerTempFiles(leftovers);
}

std::string DiskHelpOutput::FindHelpCompiler() {
  return platform::FindHelpCompiler();
}

}  // namespace qs::flows

#pragma once

// The core side of the commands: the project file, the library extraction, the help output,
// the settings and language files and the operating system. `CoreServices` binds it to the
// real layers; tests bind it to a recording fake, so that a command's sequence can be checked
// without files on disk.

#include <compare>
#include <optional>
#include <string>
#include <vector>

#include "config/appsettings.h"
#include "config/languagetable.h"
#include "library/libraryinfo.h"
#include "output/buildoptions.h"
#include "output/compileoptions.h"
#include "output/compilermessages.h"
#include "platform/fileversion.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "text/report.h"

namespace qs::app {

struct DateTime {
  int year = 0;
  int month = 0;  // 1 to 12
  int day = 0;
  int hour = 0;  // 0 to 23
  int minute = 0;
  int second = 0;

  friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

// A recovery copy of unsaved work, left behind by a run of the program that has ended.
struct RecoveryCopy {
  std::string path;         // the copy itself, a project file
  std::string projectFile;  // the project it belongs to; empty for one never saved
  DateTime written;
  // The copy holds the version a save was writing into the project file when it was killed
  // (the file may be torn), not unsaved work.
  bool interruptedSave = false;
};

enum class LanguageWrite { Written, Failed, ChangedOnDisk };

class Services {
 public:
  virtual ~Services() = default;

  // ---- project file ----
  virtual bool LoadProject(project::HelpProject& project, const std::string& path,
                           const project::LoadContext& context, text::Reports& reports) = 0;
  virtual bool SaveProject(project::HelpProject& project, const std::string& path,
                           text::Reports& reports) = 0;
  // Marks `path` as open in this window (its open lock), in place of the file marked before;
  // an empty path marks none. False when another running window has it open: none is marked
  // then. A folder that takes no mark leaves the file unmarked, and that is no failure.
  virtual bool HoldProjectFile(const std::string& path) = 0;
  // A file as it is on disk now, and whether it still is `version` (which takes a new time
  // stamp of the same bytes): how the window notices that someone else wrote its files.
  virtual platform::FileVersion ReadFileVersion(const std::string& path) = 0;
  virtual bool StillSameVersion(const std::string& path, platform::FileVersion& version) = 0;

  // ---- recovery copies of unsaved work ----
  // Writes `project` as the recovery copy of its project file, replacing the previous one.
  virtual void WriteRecoveryCopy(const project::HelpProject& project) = 0;
  // The same for work the window is about to drop: true only when the copy is there to be
  // offered at the next start.
  virtual bool KeepRecoveryCopy(const project::HelpProject& project) = 0;
  // Removes the recovery copy of this project file, if there is one.
  virtual void RemoveRecoveryCopy(const std::string& projectFile) = 0;
  // The copies no running program owns that are newer than their project file, and those of
  // saves that did not finish, newest first. No other program writes over them while this one
  // offers them.
  virtual std::vector<RecoveryCopy> FindRecoveryCopies() = 0;
  // The found copy at `path` was restored: the recovery copies of its project go there now.
  virtual void TakeRecoveryCopy(const std::string& path) = 0;
  // Removes the copy of a save of this project file that did not finish.
  virtual void DiscardInterruptedSave(const std::string& projectFile) = 0;

  // ---- library ----
  // Reads `libraryFile` and builds the topics afresh, or merges into them when `keepData` is
  // set and the project has topics; refills the rows and selects the Index page. False, with
  // the topics as they were, when the library gives no topics.
  virtual bool ExtractLibraryInfo(project::HelpProject& project, bool keepData,
                                  text::Reports& reports) = 0;

  // ---- help output ----
  // Erases the files of the last build, wherever it went.
  virtual void EraseBuildFiles() = 0;
  // Writes every page, the contents and the project file into `folder`, with the extra files
  // `options` ask for; the build log, or an empty text on failure.
  virtual std::string BuildHelpFolder(const project::HelpProject& project,
                                      const config::LanguageTable& captions,
                                      const std::string& folder,
                                      const output::BuildOptions& options,
                                      text::Reports& reports) = 0;
  // The one-page HTML help in `folder`; false when it could not be written (nothing is
  // reported then).
  virtual bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                                   text::Reports& reports) = 0;
  // Compiles the help folder `folder` into the library's .chm when `options` ask for it; true
  // when a new non-empty .chm is there. Switches `options.compileToChm` off when the compiler
  // is missing or cannot be started. The errors and warnings the compiler wrote go into
  // `messages`, errors first.
  virtual bool CompileHelp(const project::HelpProject& project, const std::string& folder,
                           output::CompileOptions& options, text::Reports& reports,
                           std::vector<output::CompilerMessage>& messages) = 0;
  // Deletes the help compiler's leftovers in the temporary folder.
  virtual void DeleteCompilerTempFiles() = 0;

  // ---- settings and languages ----
  // The settings file's options; nothing when there is no file or no "Options" group. A key
  // the file lacks takes its documented default; `lastProjectDir` is that key's default.
  virtual std::optional<config::AppSettings> ReadSettings(const std::string& lastProjectDir) = 0;
  virtual void WriteSettings(const config::AppSettings& settings) = 0;
  // The languages of the language files, in the order the list offers them; empty when no
  // file holds one.
  virtual std::vector<std::string> ListLanguages() = 0;
  // Loads a language file into `currentLanguage` and `captions`; false (nothing changed) when
  // the file cannot be read or lacks its group.
  virtual bool LoadLanguage(const std::string& name, std::string& currentLanguage,
                            config::LanguageTable& captions) = 0;
  // Writes the current language to its file. A file someone else wrote since this program read
  // or wrote it is replaced only `overChanges`; otherwise it is kept and the result says so.
  virtual LanguageWrite SaveLanguage(const std::string& currentLanguage,
                                     const config::LanguageTable& captions,
                                     bool overChanges = false) = 0;

  // ---- the author's lists beside the settings ----
  // The word list of the project file (config::WordListPath); empty text for none.
  virtual std::string WordListPath(const std::string& projectFile) = 0;
  // The recent projects, most recent first; and the list after `path` was used.
  virtual std::vector<std::string> RecentProjects() = 0;
  virtual std::vector<std::string> RecordRecentProject(const std::string& path) = 0;

  // ---- operating system ----
  virtual std::string FindPureBasicFolder() = 0;
  virtual std::string FindHelpCompiler() = 0;
  virtual std::string ProgramFolder() = 0;
  // The program's own help file, and the folder of the same pages as plain HTML (empty when
  // there is none).
  virtual std::string ProgramHelpFile() = 0;
  virtual std::string ProgramHelpPages() = 0;
  // Whether the desktop has a program that opens this document.
  virtual bool HasDocumentViewer(const std::string& path) = 0;
  // Creates the folder and every missing parent; true also when it already existed.
  virtual bool CreateFolderPath(const std::string& folder) = 0;
  virtual bool IsNonEmptyFile(const std::string& path) = 0;
  // The association of project files with the program; true when it really changed or
  // already was as asked.
  virtual bool RegisterProjectFiles() = 0;
  virtual bool UnregisterProjectFiles() = 0;
  virtual DateTime Now() = 0;
};

}  // namespace qs::app

#pragma once

// The core side of the desktop commands, as ports of a few methods each: the flows' own
// (project files, library, help output) and the desktop's (recovery copies, preferences, the
// system). `CoreServices` binds them to the real layers; tests bind them to recording fakes,
// so that a command's steps can be checked without files on disk.

#include <optional>
#include <string>
#include <vector>

#include "config/appsettings.h"
#include "config/languagetable.h"
#include "config/recovery.h"
#include "flows/ports.h"
#include "platform/localtime.h"
#include "project/helpproject.h"

namespace qs::app {

// Recovery copies of unsaved work and of saves that did not finish.
class RecoveryCopies {
 public:
  virtual ~RecoveryCopies() = default;

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
  virtual std::vector<config::RecoveryCopy> FindRecoveryCopies() = 0;
  // The found copy at `path` was restored: the recovery copies of its project go there now.
  virtual void TakeRecoveryCopy(const std::string& path) = 0;
  // The found copy at `path` waits for the next start: this run lets go of it and never
  // removes it, whatever becomes of its project here.
  virtual void PostponeRecoveryCopy(const std::string& path) = 0;
  // Removes the copy of a save of this project file that did not finish.
  virtual void DiscardInterruptedSave(const std::string& projectFile) = 0;
};

enum class LanguageWrite { Written, Failed, ChangedOnDisk };

// The settings, the language files and the author's lists beside them.
class Preferences {
 public:
  virtual ~Preferences() = default;

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
  // The word list of the project file (config::WordListPath); empty text for none.
  virtual std::string WordListPath(const std::string& projectFile) = 0;
  // The recent projects, most recent first; and the list after `path` was used.
  virtual std::vector<std::string> RecentProjects() = 0;
  virtual std::vector<std::string> RecordRecentProject(const std::string& path) = 0;
  // The folder the website of this project file went into last (empty: none known), and
  // recording the one it went into now; kept beside the settings, never in the project.
  virtual std::string LastWebsiteFolder(const std::string& projectFile) = 0;
  virtual void RecordWebsiteFolder(const std::string& projectFile, const std::string& folder) = 0;
};

// The operating system as the desktop meets it.
class System {
 public:
  virtual ~System() = default;

  virtual std::string FindPureBasicFolder() = 0;
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
  virtual platform::DateTime Now() = 0;
};

// The ports the desktop commands reach the core through.
struct Services {
  flows::ProjectFiles& projectFiles;
  RecoveryCopies& recovery;
  flows::LibraryReader& libraryReader;
  flows::HelpOutput& helpOutput;
  Preferences& preferences;
  System& system;
};

}  // namespace qs::app

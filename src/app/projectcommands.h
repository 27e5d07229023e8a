#pragma once

#include <string>

#include "app/commandcontext.h"
#include "project/history.h"

namespace qs::app {

// The commands of the Project tab and the library extraction: the project file (new, load,
// save), the library and the help folder, the program's own help.
class ProjectCommands {
 public:
  explicit ProjectCommands(const CommandContext& context) : c_(context) {}

  void NewProject();
  void LoadProject();
  // A project chosen from the recent projects: loaded as "Load Project" loads the file the
  // requester gives, after the same question about unsaved work.
  void LoadRecentProject(const std::string& path);
  // "Save Project": the requester, then the save.
  void SaveProject();
  // Into the project file without a requester; the requester when there is none yet.
  void SaveToProjectFile();
  void ShowHelp();
  void BrowseLibrary();
  void BrowseHelpFolder();
  void CreateHelpFolder();
  // "Library information extraction" below the topic list.
  void Extract();

 private:
  // Empties the project for a new or loaded one; the project file and the view mode are left
  // to the caller.
  void ResetProject();
  enum class Extraction { Done, Failed, Cancelled };
  // Extracts the library into the project and says on the status line what changed. With
  // `askBeforeDiscarding`, a fresh build over existing pages first asks, naming how many
  // pages hold the author's text. Unless it is done, the project is left as it was.
  // Once done, the change is recorded for undo as `what`, from `before` (the project as it
  // was before the command touched it).
  Extraction RunExtraction(bool keepData, bool askBeforeDiscarding, project::Snapshot before,
                           std::string what);
  // "Load Project" once the file is known and unsaved work has been asked about.
  void LoadProjectFile(const std::string& path);
  // Takes a help folder chosen or made by the user into the project and its field.
  void TakeHelpFolder(const std::string& folder);

  CommandContext c_;
};

}  // namespace qs::app

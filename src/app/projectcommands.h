#pragma once

#include "app/commandcontext.h"

namespace qs::app {

// The commands of the Project tab and the library extraction: the project file (new, load,
// save), the library and the help folder, the program's own help.
class ProjectCommands {
 public:
  explicit ProjectCommands(const CommandContext& context) : c_(context) {}

  void NewProject();
  void LoadProject();
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
  // Empties the project for a new or loaded one; the project file, the view mode and the
  // preview folder are left to the caller.
  void ResetProject();
  void RunExtraction();

  CommandContext c_;
};

}  // namespace qs::app

#pragma once

#include <optional>
#include <string>

#include "output/buildrecord.h"
#include "platform/fileversion.h"
#include "project/history.h"

namespace qs::app {

// The three multi-line editors of the edit form; the tag buttons write into the one the user
// touched last.
enum class Editor { None, Summary, Body, Example };

// What the commands share besides the help project.
struct AppState {
  // Found once at start-up; the start folder of several requesters. May be empty.
  std::string purebasicFolder;
  // Folder of the project file last chosen, with its trailing separator.
  std::string lastProjectDir;
  std::string currentLanguage = "English";
  // Whether the captions are the current language's own: the built-in ones of the built-in
  // language while no language file is found, or loaded from its file, or typed for it. Only
  // then may they be written into its file, which would otherwise get captions it never had.
  bool captionsOwned = true;
  // False: the page pane shows the edit form; true: the preview browser.
  bool viewMode = false;
  // The live pane beside the form shows the shown topic's page as it is being typed.
  bool livePane = false;
  Editor activeEditor = Editor::None;
  // The project file opened read-only, being open in another window (empty for none): it is
  // never saved over, the project only under another name.
  std::string readOnlyFile;
  // Something was typed into the form since it was last shown or committed.
  bool formEdited = false;
  // The project file as the window last loaded or saved it (or found it, for a new project):
  // anything else on disk was written by someone else.
  platform::FileVersion projectOnDisk;
  // Such an outside version already asked about when the window was activated: not asked
  // again there (a save still asks).
  std::optional<platform::FileVersion> outsideVersionAsked;
  // A caption was typed since the current language was loaded or saved.
  bool captionsEdited = false;
  // The structural changes of the project, to take back and do again.
  project::UndoHistory history;
  // What the last "Create HTML files" wrote: the next build into that folder removes its pages
  // of topics since gone, and the erase option erases exactly these files.
  output::BuildRecord lastBuild;
};

}  // namespace qs::app

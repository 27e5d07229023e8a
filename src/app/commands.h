#pragma once

#include <string>

#include "app/appstate.h"
#include "app/commandid.h"
#include "app/services.h"
#include "app/ui.h"
#include "config/languagetable.h"
#include "project/helpproject.h"

namespace qs::app {

// Every command of the main window, each run to its end: requesters, questions, calls into
// the core and what the window shows afterwards. The window calls one method per event; the
// method decides, from the project and the application state, what happens.
//
// The edit form is the only copy of the texts being edited until a commit copies it into the
// topic the form shows. The commands commit before the shown topic changes, before a
// save, before an extraction from the same library and when the view mode is entered; they do
// not commit before moves, additions and deletions (which show a topic again and so drop
// uncommitted typing), before a new or loaded project, or before a library of another name.
class Commands {
 public:
  Commands(project::HelpProject& project, AppState& state, config::LanguageTable& captions,
           Services& services, Ui& ui);

  project::HelpProject& project() { return project_; }
  AppState& state() { return state_; }
  config::LanguageTable& captions() { return captions_; }
  Services& services() { return services_; }
  Ui& ui() { return ui_; }

  // ---- controls of the Project tab ----
  void NewProject();
  void LoadProject();
  void SaveProject();
  void ShowHelp();
  void BrowseLibrary();
  void BrowseHelpFolder();
  void CreateHelpFolder();

  // ---- the Make Help group ----
  // "Preview [F1]": the selected page in the preview window.
  void PreviewPage();
  // "Preview all [F2]": the index page in the preview window.
  void PreviewAll();
  // "Create HTML files": the help folder, the builder window with the compilation, the
  // clean-up and the erase option.
  void CreateHtml();

  // ---- topic list and page pane ----
  void MoveUp();
  void MoveDown();
  // The list reported `row` selected (-1: none); a right click also raises the popup menu.
  void TopicListEvent(int row, bool rightClick);
  void Extract();
  void EditView();
  // Typing in an editor, or it gaining or losing the focus.
  void EditorEvent(Editor editor);
  void TagButton(const std::string& tag);

  // ---- controls of the Options tab ----
  void BrowseCompiler();
  // The compile option was switched: it cannot stay on without a compiler path.
  void CompileOptionChanged();
  void LanguageChosen();
  void CaptionEdited();
  void Associate();
  void RemoveAssociation();
  void UniqueHtml();

  // Popup menu entries and keyboard shortcuts.
  void Command(CommandId id);

  // Empties the project for a new or loaded one; projectFile, the view mode and the preview
  // folder are left to the caller.
  void ResetProject();

  // Shows the shown topic in the form (nothing when there is none).
  void ShowSelectedTopic();
  // Copies the form into the shown topic.
  void CommitForm();
  void ShowReports(const text::Reports& reports);

 private:
  // True when a project is named; otherwise says so and the command stops.
  bool RequireProject();
  void AddUserTopic();
  void AddUserIndex();
  void DeleteSelectedTopic();
  void ShowEditForm();
  void ShowBrowser();
  void RunExtraction();
  // Builds the whole help into the preview folder and shows `page` of it in the preview
  // window; nothing without a selected topic.
  void RunPreview(const std::string& page);
  // The compile step of the builder window: the new label, or an empty text.
  std::string CompileForBuilder();

  project::HelpProject& project_;
  AppState& state_;
  config::LanguageTable& captions_;
  Services& services_;
  Ui& ui_;
};

}  // namespace qs::app

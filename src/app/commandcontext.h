#pragma once

#include "app/appstate.h"
#include "app/services.h"
#include "app/ui.h"
#include "config/languagetable.h"
#include "project/helpproject.h"
#include "text/report.h"

namespace qs::app {

// What every command works on: the help project, the application state, the captions of the
// current language, the core and the window, with the few steps that many commands share.
//
// The edit form is the only copy of the texts being edited until a commit copies it into the
// topic the form shows. The commands commit before the shown topic changes, before a save,
// before an extraction from the same library and when the view mode is entered; they do not
// commit before moves, additions and deletions (which show a topic again and so drop
// uncommitted typing), before a new or loaded project, or before a library of another name.
struct CommandContext {
  project::HelpProject& project;
  AppState& state;
  config::LanguageTable& captions;
  Services& services;
  Ui& ui;

  // One message box per report, in order.
  void ShowReports(const text::Reports& reports) const;
  // True when a project is named; otherwise says so, and the command stops.
  bool RequireProject() const;
  // Fills the form from the shown topic (nothing when there is none).
  void ShowTopic() const;
  // Copies the form into the shown topic.
  void CommitForm() const;
  // The page pane shows the edit form, or the preview browser in its place.
  void ShowEditForm() const;
  void ShowBrowser() const;
};

// After the project took a new file (a new, loaded or saved project): the spell checking's
// word list of that file, and the file first among the recent projects.
void UseProjectFile(const CommandContext& context);

// Every command but those of the language list, the heading fields, the editors and the tag
// buttons forgets the editor the tag buttons write into, when it ends.
class ForgetEditorAtEnd {
 public:
  explicit ForgetEditorAtEnd(AppState& state) : state_(state) {}
  ~ForgetEditorAtEnd() { state_.activeEditor = Editor::None; }
  ForgetEditorAtEnd(const ForgetEditorAtEnd&) = delete;
  ForgetEditorAtEnd& operator=(const ForgetEditorAtEnd&) = delete;

 private:
  AppState& state_;
};

}  // namespace qs::app

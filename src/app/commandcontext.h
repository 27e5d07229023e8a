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
// topic the form shows. Every command that could lose it commits it first: a move, an
// addition, a deletion, undo and redo, an extraction or library change, a preview or build, a
// save, a new or loaded project, a language change and closing. The commit is CommitForm, the
// one place that knows the form is now stored.
struct CommandContext {
  project::HelpProject& project;
  AppState& state;
  config::LanguageTable& captions;
  Services services;
  Ui& ui;

  // One message box per report, in order.
  void ShowReports(const text::Reports& reports) const;
  // True when a project is named; otherwise says so, and the command stops.
  bool RequireProject() const;
  // Fills the form from the shown topic (nothing when there is none).
  void ShowTopic() const;
  // Copies the form into the shown topic.
  void CommitForm() const;

  // ---- unsaved work ----
  // The project file was opened read-only.
  bool ReadOnly() const {
    return !project.projectFile.empty() && project.projectFile == state.readOnlyFile;
  }
  // Whether there is work that is not in the project file: typed into the form, or a change
  // of the project.
  bool Unsaved() const { return project.modified || state.formEdited; }
  // The window title: the program's, the project file's name, and " *" while unsaved.
  void ShowUnsavedState() const;
  // Commits the form; then, when there is unsaved work, asks "Save changes to <name>?". True
  // when the caller may go on: saved, or discarded; false for Cancel or a save that failed.
  bool AskToSaveChanges() const;
  // Saves into `path` (the project is named so); says on the status line what went where.
  // The file of a project opened read-only is refused, with a message.
  // Saving over the project file that someone else wrote since the window loaded or saved it
  // first asks (see SettleOutsideChange); true only when the work was saved, here or under
  // the other name chosen then.
  bool SaveTo(const std::string& path) const;

  // ---- the file open in another window ----
  enum class Claim { Writable, ReadOnly, Cancelled };
  // Marks `path` as open in this window before it is opened. When another running window has
  // it open, asks whether to open it read-only, anyway or not at all.
  Claim ClaimProjectFile(const std::string& path) const;
  // Marks the project file shown again, after a claim whose file was not opened after all.
  void RestoreProjectFileClaim() const;
  // A structural change the user can take back.
  void Record(std::unique_ptr<project::Change> change) const;
  // The recovery copy: written while there is unsaved work, with the form's typing in it.
  void WriteRecovery() const;
  // ---- the files on disk ----
  // The project file is as the window now knows it: `version`, read before the window loaded
  // it, or what is there now after a save or for a new project.
  void RememberProjectFile(const platform::FileVersion& version) const;
  void RememberProjectFile() const;
  // When the window is activated: a project file someone else wrote or deleted is asked about
  // once per outside version.
  void CheckProjectFile() const;
  enum class OutsideChange { None, Overwrite, SavedAs, Reloaded, Cancelled };
  // When another program or window wrote or deleted the project file since the window loaded
  // or saved it: says so and offers to reload it (unsaved work kept as a recovery copy first),
  // to overwrite it or to save under another name. `atSave` offers Overwrite to the caller,
  // who is about to write; otherwise Overwrite writes now.
  OutsideChange SettleOutsideChange(bool atSave) const;
  // The current language's captions into its file; one that someone else wrote since it was
  // read is replaced only when the author typed captions and says so.
  void SaveCurrentLanguage() const;

  // The window emptied of the project's pages and paths, for another project.
  void ClearWindow() const;
  // The window after the project was read from its file: `overExisting` shows its first page
  // (the list had rows before), else nothing is shown.
  void ShowLoadedProject(bool overExisting) const;

  // The page pane shows the edit form, or the preview browser in its place.
  void ShowEditForm() const;
  void ShowBrowser() const;

 private:
  // SaveTo without the question.
  bool WriteProject(const std::string& path) const;
  // Reads the project file again; false when the unsaved work could not be kept first, or the
  // file does not load (the window is then as it was).
  bool ReloadProjectFile() const;
};

// What refuses the save of a project opened read-only.
text::Report ReadOnlyProjectReport(const std::string& projectFile);

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

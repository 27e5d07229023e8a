#pragma once

// The window side of the commands. The commands are long sequences of questions, requesters
// and calls; written against this port they run unchanged behind the Qt main window and
// behind the scripted fake of the tests. Every text crossing it is a Windows-1252 byte string
// (paths: the bytes the system gave), exactly as the model holds it.

#include <functional>
#include <string>
#include <vector>

#include "app/appstate.h"
#include "app/commandid.h"
#include "config/languagetable.h"
#include "config/windowplace.h"
#include "project/topicform.h"
#include "text/report.h"

namespace qs::app {

// A requester's answer: the chosen path (empty when cancelled) and the index of the filter
// pair selected last (the first pair is 0).
struct FileChoice {
  std::string path;
  int filterIndex = 0;
};

struct MenuEntry {
  std::string text;
  CommandId command;

  friend bool operator==(const MenuEntry&, const MenuEntry&) = default;
};

// What the builder window shows once its compile step is done.
struct BuilderResult {
  // The label's new text; empty keeps the first one.
  std::string label;
  // What heads the compiler's messages ("The compiler reported 1 error and 2 warnings:");
  // empty when there are none.
  std::string messagesHeading;
  // The compiler's errors, then its warnings, one a line with the page each names; the
  // system's bytes, as the compiler wrote them.
  std::vector<std::string> messages;
  // How many of `messages`, from the first, are errors.
  std::size_t errors = 0;
  // The compiled help file; empty when none was made, and "Open help" stays disabled.
  std::string compiledFile;
};

// The answer to "Save changes to ...?"; closing the question or Esc is Cancel.
enum class SaveAnswer { Save, Discard, Cancel };

// The answer to the offer of a recovery copy at start-up: restore it, delete it, or keep it
// for the next start; closing the question or Esc is Later, which loses nothing.
enum class RecoveryAnswer { Restore, Discard, Later };

// The answer to "<file> is open in another QuillSmith window."; closing the question or Esc
// is Cancel.
enum class InUseAnswer { OpenReadOnly, OpenAnyway, Cancel };
// The answer to "... was changed by another program": read the file again, write over it, or
// save under another name; closing the question or Esc is Cancel.
enum class ChangedFileAnswer { Reload, Overwrite, SaveAs, Cancel };

class Ui {
 public:
  virtual ~Ui() = default;

  // ---- message boxes ----
  // An OK box with the report's title, text and icon.
  virtual void ShowMessage(const text::Report& report) = 0;
  // A Yes/No box; true only for Yes.
  virtual bool AskYesNo(const text::Report& question) = 0;
  // A Save / Discard / Cancel box, Save the default button.
  virtual SaveAnswer AskSaveDiscardCancel(const text::Report& question) = 0;
  // An OK/Cancel box for a step that would discard the author's text: Cancel is the default
  // button, and Esc and the box's close button cancel too. True only for OK.
  virtual bool AskOkCancel(const text::Report& question) = 0;
  // A "Restore" / "Discard" / "Later" box, Restore the default button.
  virtual RecoveryAnswer AskRestoreDiscardLater(const text::Report& question) = 0;
  // An "Open read-only" / "Open anyway" / Cancel box, Cancel the default button.
  virtual InUseAnswer AskOpenInUse(const text::Report& question) = 0;
  // A box with "Reload" (only with `canReload`: a deleted file has nothing to read), "Overwrite",
  // "Save As..." and "Cancel"; "Save As..." is the default button, since it loses nothing.
  virtual ChangedFileAnswer AskChangedFile(const text::Report& question, bool canReload) = 0;

  // ---- requesters; each returns an empty path when cancelled ----
  // `pattern` is label and filter pairs separated by "|" ("Label|*.ext|All files|*.*").
  virtual FileChoice SaveFileRequester(const std::string& title, const std::string& start,
                                       const std::string& pattern) = 0;
  virtual FileChoice OpenFileRequester(const std::string& title, const std::string& start,
                                       const std::string& pattern) = 0;
  // The chosen folder, ending in a separator.
  virtual std::string FolderRequester(const std::string& title, const std::string& start) = 0;
  // A one-line text with an OK button; Enter accepts, Esc cancels (empty text).
  virtual std::string TextRequester(const std::string& title, const std::string& prompt,
                                    const std::string& text) = 0;
  // The small name prompt at the mouse pointer; empty text when cancelled.
  virtual std::string AskText(const std::string& caption, const std::string& prompt,
                              const std::string& text) = 0;
  // Shows the popup menu of the topic list; the chosen entry comes back later as a command.
  virtual void ShowTopicMenu(const std::vector<MenuEntry>& entries) = 0;
  // Repaints the whole main window at once.
  virtual void FullRedraw() = 0;
  // Opens a document with the desktop's own viewer; false when that could not be done.
  virtual bool OpenDocument(const std::string& path) = 0;

  // ---- the Project tab ----
  virtual void SetProjectFileField(const std::string& text) = 0;
  virtual void SetLibraryFileField(const std::string& text) = 0;
  virtual void SetHelpFolderField(const std::string& text) = 0;
  virtual void FocusLoadProjectButton() = 0;

  // ---- topic list, form and page pane ----
  // Makes the list show the project's rows and selected row.
  virtual void RefreshTopicList() = 0;
  // Scrolls the selected row into view and gives the list the keyboard focus.
  virtual void FocusTopicList() = 0;
  virtual project::EditForm ReadForm() = 0;
  virtual void ShowForm(const project::EditForm& form, const project::FormLayout& layout) = 0;
  // Empties the title field and the three editors.
  virtual void ClearForm() = 0;
  // The form's texts are in their topic now: the next keystroke in the form reports a change
  // again (showing or clearing the form does the same).
  virtual void MarkFormCommitted() = 0;
  // False shows the edit form and the tag buttons, true the preview browser in their place.
  virtual void SetViewMode(bool viewMode) = 0;
  // A page address of the preview (PageAddress), a path, or "about:blank".
  virtual void NavigateBrowser(const std::string& target) = 0;
  // Shows the live pane beside the form, or hides it.
  virtual void SetLivePane(bool shown) = 0;
  // Shows a page address of the live pane (LiveAddress), or "about:blank". Given the address
  // it already shows, it shows the page again at the same scroll position.
  virtual void ShowLivePage(const std::string& address) = 0;
  // Whether the edit/view switch can be used (the browser could be created).
  virtual bool EditViewAvailable() = 0;
  // Puts `tag` at the editor's caret and gives it the focus; a selection is wrapped in the
  // tag's pair ("<b>" + selection + "</b>", whichever of the two `tag` is). A read-only or
  // disabled editor is left alone.
  virtual void InsertTag(Editor editor, const std::string& tag) = 0;
  // Puts `before` + the selection + `after` in place of the editor's selection, or `before` +
  // `text` + `after` at its caret when nothing is selected, as one step of the editor's undo,
  // and gives it the focus.
  virtual void InsertMarkup(Editor editor, const std::string& before, const std::string& text,
                            const std::string& after) = 0;
  // The small "Insert link" dialog, offering `pages` (topic names) as the author types; the
  // page chosen, or an empty text when cancelled.
  virtual std::string AskLinkTarget(const std::vector<std::string>& pages) = 0;

  // ---- the two windows of a build ----
  // The modal preview window titled `title`, opened on `pagePath` (a page address of the
  // preview, or a file); returns when the preview ends. When no web view can be made it says
  // so and returns at once.
  virtual void ShowPreviewWindow(const std::string& title, const std::string& pagePath) = 0;
  // The builder window: `label` above the build log, "Working..." while `compile` runs, then
  // the label `compile` returned (kept as it was when that is empty), the compiler's messages
  // it returned counted under their heading apart from the compiler's output (errors first,
  // marked as such), and "Ok [Esc]"; returns when the user has closed the window. While
  // `compile` runs the windows take no input. "Open help", enabled once a help file was
  // compiled, runs `openHelp` with that file, as often as the author asks.
  virtual void ShowBuilderWindow(const std::string& label, const std::string& log,
                                 const std::function<BuilderResult()>& compile,
                                 const std::function<void(const std::string&)>& openHelp) = 0;

  // ---- the Options tab: the live store of five options ----
  virtual std::string CompilerPath() = 0;
  virtual void SetCompilerPath(const std::string& path) = 0;
  virtual bool CompileChecked() = 0;
  virtual void SetCompileChecked(bool checked) = 0;
  virtual bool KeepDataChecked() = 0;
  virtual void SetKeepDataChecked(bool checked) = 0;
  virtual bool EraseHtmlChecked() = 0;
  virtual void SetEraseHtmlChecked(bool checked) = 0;
  // Whether "Create HTML files" also writes the keyword index (previews never do).
  virtual bool KeywordIndexChecked() = 0;
  virtual void SetKeywordIndexChecked(bool checked) = 0;
  // "Examples are code": builds, the unique file and the previews write examples escaped and
  // coloured, the Example editor colours them, and the tag buttons leave them alone.
  virtual bool ExamplesAsCodeChecked() = 0;
  virtual void SetExamplesAsCodeChecked(bool checked) = 0;

  // ---- spell checking and the recent projects ----
  // The dictionary chosen on the Options tab as the settings file keeps it (empty: the
  // system language's), and setting it from there.
  virtual std::string DictionaryChoice() = 0;
  virtual void SetDictionaryChoice(const std::string& choice) = 0;
  // The word list "Add to dictionary" writes to; empty text when the project has no file.
  virtual void SetProjectWordList(const std::string& path) = 0;
  // The projects the drop-down beside "Load Project" offers, most recent first.
  virtual void SetRecentProjects(const std::vector<std::string>& paths) = 0;

  // ---- localisation ----
  virtual void SetLanguageEntries(const std::vector<std::string>& entries) = 0;
  // -1 selects none.
  virtual void SelectLanguageEntry(int index) = 0;
  virtual std::string SelectedLanguageEntry() = 0;
  // The language list and the six heading fields together.
  virtual void SetLanguageControlsEnabled(bool enabled) = 0;
  virtual void SetHeadingFields(const config::LanguageTable& captions) = 0;
  virtual config::LanguageTable ReadHeadingFields() = 0;

  // ---- the window ----
  virtual void SetWindowTitle(const std::string& title) = 0;
  virtual bool IsMaximised() = 0;
  virtual void Maximise() = 0;
  // Where the main, preview and builder windows are, or were when last seen: the main window's
  // unmaximised place, and a place for a window not opened in this run only when it was given
  // one. Setting them moves the main window there at once (kept on a screen that exists now)
  // and opens the other two there from then on.
  virtual config::WindowPlaces WindowPlaces() = 0;
  virtual void SetWindowPlaces(const config::WindowPlaces& places) = 0;
  // A line in the status bar saying what the last command did; it stays until the next one.
  virtual void ShowStatus(const std::string& text) = 0;
};

}  // namespace qs::app

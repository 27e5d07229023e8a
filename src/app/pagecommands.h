#pragma once

#include <string>

#include "app/commandcontext.h"
#include "app/previewpages.h"

namespace qs::app {

// The commands of the topic list and the page pane: selecting and moving rows, the list's
// popup menu, the edit/view switch, the editors and the tag buttons.
class PageCommands {
 public:
  PageCommands(const CommandContext& context, PreviewPages& previews)
      : c_(context), previews_(previews) {}

  void MoveUp();
  void MoveDown();
  // The list reported `row` selected (-1: none); a right click also raises the popup menu.
  void TopicListEvent(int row, bool rightClick);
  // The edit/view switch: the preview browser in place of the form, or back.
  void EditView();
  // The live pane's switch (its button and F3): the pane beside the form, or none.
  void LivePane();
  // Shows the form's texts in the live pane as the shown topic's page, without committing
  // them; the window asks for it a moment after the typing stops and when the form is
  // filled. Nothing while the pane is off.
  void RefreshLivePane();
  // Typing in an editor, or it gaining or losing the focus.
  void EditorEvent(Editor editor);
  // Something was typed into the form (any of its four fields).
  void FormEdited();
  // A tag button: the tag goes into the editor touched last, except into an example that is
  // code, where a tag would be shown as typed rather than read as markup.
  void TagButton(const std::string& tag);
  // "Insert link" (Ctrl+K): asks for one of the project's pages and puts a link to it, as the
  // auto-link writes one, into the editor touched last; the selection becomes the link's
  // text, else the page's name.
  void InsertLink();
  // "Insert picture": a picture file is copied into the help folder's pictures folder (a
  // different file of its name is replaced only when the author says so) and shown where the
  // caret is in the editor touched last.
  void InsertPicture();
  // "Examples are code" was switched: the live pane shows the page as it now reads.
  void ExamplesAsCodeChanged();

  // Before the pages are searched: the form is committed, so that what was typed is found.
  void PrepareSearch();
  // A hit of the page search was chosen: its row is selected in the list and its page shown.
  // True when the edit form shows it (not the view mode's browser).
  bool ShowSearchHit(int row);

  // The entries of the popup menu.
  void AddUserTopic();
  void AddUserIndex();
  void DeleteSelectedTopic();
  // Take the last structural change back, or do the last one taken back again.
  void Undo();
  void Redo();

 private:
  // Takes a change back or does it again; then the list, the form and the library field.
  void HistoryStep(bool undo);
  // The editor a link or picture goes into: the one touched last, when the shown page takes
  // markup there. None, and the status line says why, when there is none.
  Editor InsertionEditor(const std::string& what);

  CommandContext c_;
  PreviewPages& previews_;
  std::size_t liveShown_ = static_cast<std::size_t>(-1);
  // Where the picture requester opens: where the last picture was picked.
  std::string pictureFolder_;
};

}  // namespace qs::app

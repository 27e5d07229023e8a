#include "app/pagecommands.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "flows/helpbuild.h"
#include "output/pagenames.h"
#include "output/pictures.h"
#include "project/history.h"
#include "project/topicform.h"
#include "project/topicops.h"
#include "project/usertopics.h"
#include "text/paths.h"
#include "text/textops.h"

namespace qs::app {

namespace {

// Asks for a name in the small prompt and adds the topic; a name that is taken is refused
// with one message for each topic that carries it.
void AddNamedTopic(const CommandContext& c, const std::string& caption, const std::string& prompt,
                   project::AddOperation add) {
  c.CommitForm();
  const std::string name = c.ui.AskText(caption, prompt, "");
  project::AddOutcome outcome;
  c.Record(project::Add(c.project, add, name, outcome));
  for (std::size_t i = 0; i < outcome.duplicates; ++i) {
    c.ui.ShowMessage({caption, "This topic name already exists", text::ReportIcon::None});
  }
  if (!outcome.added) return;
  c.ui.RefreshTopicList();
  c.ShowTopic();
}

// After a row moved: the list with the row selected and focused, and its topic shown again.
void ShowMove(const CommandContext& c, std::unique_ptr<project::Change> move) {
  if (!move) return;
  c.Record(std::move(move));
  c.ui.RefreshTopicList();
  c.ui.FocusTopicList();
  c.ShowTopic();
}

}  // namespace

void PageCommands::MoveUp() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  ShowMove(c_, project::MoveUp(c_.project));
}

void PageCommands::MoveDown() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  ShowMove(c_, project::MoveDown(c_.project));
}

void PageCommands::Undo() {
  HistoryStep(true);
}

void PageCommands::Redo() {
  HistoryStep(false);
}

void PageCommands::HistoryStep(bool undo) {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
  project::UndoHistory& history = c_.state.history;
  const project::Change* change = undo ? history.Undo(c_.project) : history.Redo(c_.project);
  if (change == nullptr) {
    c_.ui.ShowStatus(undo ? "Nothing to undo" : "Nothing to redo");
    return;
  }
  c_.ui.ShowStatus((undo ? "Undone: " : "Redone: ") + change->what());
  c_.ui.SetLibraryFileField(c_.project.libraryFile);
  c_.ui.RefreshTopicList();
  c_.ShowTopic();
  c_.ui.FocusTopicList();
}

void PageCommands::TopicListEvent(int row, bool rightClick) {
  ForgetEditorAtEnd forget(c_.state);
  c_.project.SelectRow(row);
  row = c_.project.selectedRow();
  if (row == -1) return;

  if (c_.state.viewMode) {
    c_.ui.NavigateBrowser(PageAddress(c_.project.ItemText(row) + ".html"));
    return;
  }
  c_.CommitForm();
  c_.project.ShowRow(row);
  c_.ShowTopic();

  if (rightClick) {
    std::vector<MenuEntry> entries = {{"Add user topic", CommandId::AddUserTopic},
                                      {"Add user index", CommandId::AddUserIndex}};
    if (c_.project.shownTopic() != project::kIndexName) {
      entries.push_back({"Delete item '" + c_.project.shownTopic() + "'", CommandId::DeleteItem});
    }
    if (const project::Change* next = c_.state.history.NextUndo()) {
      entries.push_back({"Undo " + next->what() + "\tCtrl+Z", CommandId::Undo});
    }
    if (const project::Change* next = c_.state.history.NextRedo()) {
      entries.push_back({"Redo " + next->what() + "\tCtrl+Y", CommandId::Redo});
    }
    c_.ui.ShowTopicMenu(entries);
    c_.ui.FullRedraw();
  }
}

void PageCommands::PrepareSearch() {
  ForgetEditorAtEnd forget(c_.state);
  c_.CommitForm();
}

bool PageCommands::ShowSearchHit(int row) {
  TopicListEvent(row, false);
  c_.ui.RefreshTopicList();
  return !c_.state.viewMode && c_.project.selectedRow() == row;
}

void PageCommands::EditView() {
  ForgetEditorAtEnd forget(c_.state);
  if (!c_.ui.EditViewAvailable()) return;
  if (!c_.state.viewMode) {
    c_.ShowBrowser();
    if (c_.project.shownTopic().empty()) return;
    // The pages are made from the model when the browser asks for them: nothing is built.
    c_.CommitForm();
    c_.ui.NavigateBrowser(PageAddress(c_.project.shownTopic() + ".html"));
    return;
  }
  c_.ShowEditForm();
  // Back to the form on the row the list shows selected, which the view mode may have moved.
  c_.project.ShowRow(c_.project.selectedRow());
  c_.ShowTopic();
}

void PageCommands::LivePane() {
  c_.state.livePane = !c_.state.livePane;
  c_.ui.SetLivePane(c_.state.livePane);
  liveShown_ = static_cast<std::size_t>(-1);
  RefreshLivePane();
}

void PageCommands::RefreshLivePane() {
  if (!c_.state.livePane) return;
  const std::optional<std::string> page = previews_.UpdateLivePage(c_.ui.ReadForm());
  if (previews_.liveRevision() == liveShown_) return;
  liveShown_ = previews_.liveRevision();
  c_.ui.ShowLivePage(page ? LiveAddress(*page) : std::string("about:blank"));
}

void PageCommands::EditorEvent(Editor editor) {
  c_.state.activeEditor = editor;
}

void PageCommands::FormEdited() {
  c_.state.formEdited = true;
}

void PageCommands::TagButton(const std::string& tag) {
  if (c_.state.activeEditor == Editor::None) return;
  if (c_.state.activeEditor == Editor::Example && c_.ui.ExamplesAsCodeChecked()) return;
  c_.ui.InsertTag(c_.state.activeEditor, tag);
}

Editor PageCommands::InsertionEditor(const std::string& what) {
  const std::optional<project::ShownTopic> shown = project::ShowTopic(c_.project);
  const Editor editor = c_.state.activeEditor;
  bool takesMarkup = false;
  if (shown) {
    const project::FormLayout& layout = shown->layout;
    takesMarkup = (editor == Editor::Summary && layout.summaryEnabled && !layout.summaryReadOnly) ||
                  (editor == Editor::Body && !layout.bodyReadOnly) ||
                  (editor == Editor::Example && layout.exampleEnabled);
  }
  if (takesMarkup && editor == Editor::Example && c_.ui.ExamplesAsCodeChecked()) {
    // An example that is code shows markup as typed.
    c_.ui.ShowStatus("No " + what + " inserted: examples are code, which shows markup as typed");
    return Editor::None;
  }
  if (!takesMarkup) {
    c_.ui.ShowStatus("No " + what + " inserted: first click where it goes in a text of the page");
    return Editor::None;
  }
  return editor;
}

void PageCommands::InsertLink() {
  const Editor editor = InsertionEditor("link");
  if (editor == Editor::None) return;
  std::vector<std::string> pages;
  for (int row = 0; row < static_cast<int>(c_.project.ItemCount()); ++row) {
    std::string name = c_.project.ItemText(row);
    // A quote would end the link's address; nothing can name such a page in a link.
    if (!name.empty() && name.find('"') == std::string::npos) pages.push_back(std::move(name));
  }
  const std::string target = c_.ui.AskLinkTarget(pages);
  if (target.empty()) return;
  if (std::find(pages.begin(), pages.end(), target) == pages.end()) {
    c_.ui.ShowStatus("No link inserted: the project has no page '" + target + "'");
    return;
  }
  // The page's name as the link's text reads as that name, whatever characters it holds.
  std::string text = text::ReplaceAll(target, "&", "&amp;");
  text = text::ReplaceAll(text::ReplaceAll(text, "<", "&lt;"), ">", "&gt;");
  const std::string address =
      output::WayToHelpFolder(c_.project.shownTopic()) + output::PageLink(target);
  c_.ui.InsertMarkup(editor, output::LinkStartTag(address), text, std::string(output::kLinkEndTag));
  c_.ui.ShowStatus("Link to " + target + " inserted");
}

void PageCommands::InsertPicture() {
  const Editor editor = InsertionEditor("picture");
  if (editor == Editor::None) return;
  if (c_.project.helpFolder.empty()) {
    c_.ui.ShowMessage(flows::NoHelpFolderReport());
    return;
  }
  const std::string start =
      pictureFolder_.empty() ? text::FolderPart(c_.project.projectFile) : pictureFolder_;
  const FileChoice choice =
      c_.ui.OpenFileRequester("Insert picture", start, std::string(output::kPicturePattern));
  if (choice.path.empty()) return;
  pictureFolder_ = text::FolderPart(choice.path);
  const std::string folder = text::WithTrailingSeparator(flows::HelpFolderOf(c_.project));
  const output::PictureOutcome outcome = output::CopyPicture(
      folder, choice.path,
      [this](const text::Report& question) { return c_.ui.AskYesNo(question); });
  c_.ShowReports(outcome.reports);
  if (!outcome.usable()) return;
  c_.ui.InsertMarkup(editor, output::PictureTag(c_.project.shownTopic(), outcome.fileName), "", "");
  const std::string where = folder + std::string(output::kPicturesFolder) + text::NativeSeparator();
  c_.ui.ShowStatus(outcome.copy == output::PictureCopy::Copied
                       ? "Picture " + outcome.fileName + " copied into " + where
                       : "Picture " + outcome.fileName + " shown from " + where +
                             ", which holds it already");
}

void PageCommands::ExamplesAsCodeChanged() {
  ForgetEditorAtEnd forget(c_.state);
  RefreshLivePane();
}

void PageCommands::AddUserTopic() {
  ForgetEditorAtEnd forget(c_.state);
  AddNamedTopic(c_, "USER TOPIC", "Please enter topic name", project::AddUserTopic);
}

void PageCommands::AddUserIndex() {
  ForgetEditorAtEnd forget(c_.state);
  AddNamedTopic(c_, "USER INDEX", "Please enter index name", project::AddUserIndex);
}

void PageCommands::DeleteSelectedTopic() {
  ForgetEditorAtEnd forget(c_.state);
  // The Index page is never deleted: the menu does not offer it, and nothing else may.
  if (c_.project.shownTopic() == project::kIndexName) return;
  c_.CommitForm();
  const std::string name = c_.project.shownTopic();
  auto deletion = project::DeleteSelected(c_.project);
  if (!deletion) return;
  // No question before: the deletion is one key away from being taken back.
  c_.Record(std::move(deletion));
  c_.ui.ShowStatus("Deleted " + name + " \x97 Ctrl+Z to undo");
  c_.ui.RefreshTopicList();
  c_.ShowTopic();
}

}  // namespace qs::app

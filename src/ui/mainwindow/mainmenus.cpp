#include "ui/mainwindow/mainmenus.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/mainwindow/optionstab.h"
#include "ui/mainwindow/projecttab.h"
#include "ui/widgets/linehistory.h"
#include "ui/widgets/modeltext.h"

namespace qs::ui {

namespace {

QAction* Item(QMenu* menu, const char* name, const QString& text,
              const QKeySequence& key = QKeySequence()) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcut(key);
  return action;
}

// An item that shows the key another control owns: the key is never the item's, so that the
// control alone answers it.
QAction* ShownKeyItem(QMenu* menu, const char* name, const QString& text, const QKeySequence& key) {
  QAction* action = Item(menu, name, text, key);
  // A menu item's widget context would be the menu bar, which never has the focus.
  action->setShortcutContext(Qt::WidgetShortcut);
  return action;
}

QString MenuText(const QString& text) {
  QString escaped = text;
  return escaped.replace('&', "&&");
}

}  // namespace

MainMenus::MainMenus(QMenuBar& bar, ProjectTab& project, OptionsTab& options)
    : QObject(&bar), project_(project), options_(options) {
  bar.setObjectName("MenuBar");
  // Until the commands say otherwise, every command is offered.
  states_.canDelete = states_.canMoveUp = states_.canMoveDown = states_.canPreview = true;
  BuildFileMenu(bar);
  BuildEditMenu(bar);
  BuildPageMenu(bar);
  BuildViewMenu(bar);
  BuildHelpMenu(bar);
  // What a menu offers is worked out as it opens, whatever happened since.
  for (QMenu* menu : {fileMenu, editMenu, pageMenu, viewMenu, helpMenu}) {
    connect(menu, &QMenu::aboutToShow, this, &MainMenus::Refresh);
  }
}

void MainMenus::BuildFileMenu(QMenuBar& bar) {
  fileMenu = bar.addMenu("&File");
  fileMenu->setObjectName("FileMenu");
  newProject = Item(fileMenu, "NewAction", "&New project...", Qt::CTRL | Qt::Key_N);
  open = Item(fileMenu, "OpenAction", "&Open project...", Qt::CTRL | Qt::Key_O);
  recentMenu = fileMenu->addMenu("Open &recent");
  recentMenu->setObjectName("RecentMenu");
  fileMenu->addSeparator();
  save = Item(fileMenu, "SaveAction", "&Save", Qt::CTRL | Qt::Key_S);
  saveAs = Item(fileMenu, "SaveAsAction", "Save &as...", Qt::CTRL | Qt::SHIFT | Qt::Key_S);
  fileMenu->addSeparator();
  createHtml = Item(fileMenu, "CreateHtmlAction", "Create &HTML files");
  uniqueHtml = Item(fileMenu, "UniqueHtmlAction", "&Unique HTML file");
  fileMenu->addSeparator();
  quit = Item(fileMenu, "QuitAction", "&Quit", Qt::CTRL | Qt::Key_Q);
  quit->setMenuRole(QAction::QuitRole);
}

void MainMenus::BuildEditMenu(QMenuBar& bar) {
  editMenu = bar.addMenu("&Edit");
  editMenu->setObjectName("EditMenu");
  undo = Item(editMenu, "UndoAction", "&Undo", Qt::CTRL | Qt::Key_Z);
  redo = Item(editMenu, "RedoAction", "&Redo");
  redo->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  editMenu->addSeparator();
  // The text fields answer these keys themselves; the items act on the field with the focus.
  cut = Item(editMenu, "CutAction", "Cu&t", QKeySequence::Cut);
  copy = Item(editMenu, "CopyAction", "&Copy", QKeySequence::Copy);
  paste = Item(editMenu, "PasteAction", "&Paste", QKeySequence::Paste);
  selectAll = Item(editMenu, "SelectAllAction", "Select &all", QKeySequence::SelectAll);
  editMenu->addSeparator();
  findInPages =
      Item(editMenu, "FindInPagesAction", "&Find in pages...", Qt::CTRL | Qt::SHIFT | Qt::Key_F);
  filterTopics = Item(editMenu, "FilterTopicsAction", "F&ilter topics", Qt::CTRL | Qt::Key_L);
}

void MainMenus::BuildPageMenu(QMenuBar& bar) {
  pageMenu = bar.addMenu("Pa&ge");
  pageMenu->setObjectName("PageMenu");
  addUserTopic = Item(pageMenu, "AddUserTopicAction", "Add user &topic...");
  addIndexHeading = Item(pageMenu, "AddIndexHeadingAction", "Add index &heading...");
  // Del belongs to the topic list: in a text field it deletes a character.
  deletePage = ShownKeyItem(pageMenu, "DeleteAction", "&Delete page", Qt::Key_Delete);
  pageMenu->addSeparator();
  moveUp = ShownKeyItem(pageMenu, "MoveUpAction", "Move &up", project_.moveUpButton->shortcut());
  moveDown =
      ShownKeyItem(pageMenu, "MoveDownAction", "Move do&wn", project_.moveDownButton->shortcut());
  pageMenu->addSeparator();
  tagMenu = pageMenu->addMenu("Wrap in ta&g");
  tagMenu->setObjectName("TagMenu");
  const std::array<const char*, 6> texts = {"&Bold  <b>",      "Bold e&nd  </b>",
                                            "&Underline  <u>", "Underline en&d  </u>",
                                            "&Italic  <i>",    "Italic &end  </i>"};
  for (std::size_t i = 0; i < tags.size(); ++i) {
    tags[i] = ShownKeyItem(tagMenu, "TagAction", texts[i], project_.tagButtons[i]->shortcut());
  }
  insertLink = ShownKeyItem(pageMenu, "InsertLinkAction", "Insert &link...", Qt::CTRL | Qt::Key_K);
  insertPicture = ShownKeyItem(pageMenu, "InsertPictureAction", "Insert &picture...",
                               project_.insertPictureButton->shortcut());
}

void MainMenus::BuildViewMenu(QMenuBar& bar) {
  viewMenu = bar.addMenu("&View");
  viewMenu->setObjectName("ViewMenu");
  editView = Item(viewMenu, "EditViewAction", "&Edit/View switch", Qt::Key_Escape);
  livePane = Item(viewMenu, "LivePaneAction", "&Live pane", Qt::Key_F3);
  livePane->setCheckable(true);
  viewMenu->addSeparator();
  preview = Item(viewMenu, "PreviewAction", "&Preview", Qt::Key_F1);
  previewAll = Item(viewMenu, "PreviewAllAction", "Preview &all", Qt::Key_F2);
}

void MainMenus::BuildHelpMenu(QMenuBar& bar) {
  helpMenu = bar.addMenu("&Help");
  helpMenu->setObjectName("HelpMenu");
  manual = Item(helpMenu, "ManualAction", "&Manual");
  about = Item(helpMenu, "AboutAction", "&About QuillSmith");
  about->setMenuRole(QAction::AboutRole);
}

void MainMenus::Refresh() {
  if (source_) states_ = source_();
  RefreshForFocus();
}

void MainMenus::RefreshForFocus() {
  const app::CommandStates& states = states_;
  deletePage->setEnabled(states.canDelete);
  moveUp->setEnabled(states.canMoveUp && project_.moveUpButton->isEnabled());
  moveDown->setEnabled(states.canMoveDown && project_.moveDownButton->isEnabled());
  preview->setEnabled(states.canPreview);
  previewAll->setEnabled(states.canPreview);
  editView->setEnabled(project_.editViewButton->isEnabled());
  livePane->setEnabled(project_.livePaneButton->isEnabled());
  livePane->setChecked(project_.livePaneButton->isChecked());

  // A tag goes into the editor that has the focus, except into an example that is code.
  const QWidget* focus = QApplication::focusWidget();
  const bool tagTarget =
      (focus == project_.summaryEditor || focus == project_.bodyEditor ||
       (focus == project_.exampleEditor && !options_.examplesAsCodeCheckBox->isChecked())) &&
      focus->isEnabled();
  for (QAction* tag : tags) tag->setEnabled(tagTarget);
  // A link or picture goes where a tag would.
  insertLink->setEnabled(tagTarget);
  insertPicture->setEnabled(tagTarget);
  RefreshEditItems(states);
}

void MainMenus::RefreshEditItems(const app::CommandStates& states) {
  QWidget* focus = QApplication::focusWidget();
  auto* line = qobject_cast<QLineEdit*>(focus);
  auto* text = qobject_cast<QPlainTextEdit*>(focus);
  const bool field = line != nullptr || text != nullptr;
  const bool editable = (line != nullptr && !line->isReadOnly()) ||
                        (text != nullptr && !text->isReadOnly() && text->isEnabled());
  const bool selected = (line != nullptr && line->hasSelectedText()) ||
                        (text != nullptr && text->textCursor().hasSelection());
  const bool empty = (line != nullptr && line->text().isEmpty()) ||
                     (text != nullptr && text->document()->isEmpty());
  const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
  cut->setEnabled(editable && selected);
  copy->setEnabled(selected);
  paste->setEnabled(editable && clipboard != nullptr && clipboard->hasText());
  selectAll->setEnabled(field && !empty);

  // In a field that takes typing, undo and redo are the field's, as its own keys are; outside
  // the fields they take the project's changes back.
  const bool form = focus == project_.titleField || focus == project_.summaryEditor ||
                    focus == project_.bodyEditor || focus == project_.exampleEditor;
  const QString typing = form && !states.shownTopic.empty()
                             ? " typing in " + MenuText(FromModel(states.shownTopic))
                             : QString(" typing");
  auto name = [&](QAction* action, const QString& verb, bool fieldCan, const std::string& what) {
    const QString object = editable       ? (fieldCan ? typing : QString())
                           : what.empty() ? QString()
                                          : " " + MenuText(FromModel(what));
    action->setText(verb + object);
    action->setEnabled(!object.isEmpty());
  };
  // A field whose history is kept per page has its steps there.
  const LineHistory* history = LineHistory::Of(line);
  name(undo, "&Undo",
       (line != nullptr && (history ? history->isUndoAvailable() : line->isUndoAvailable())) ||
           (text != nullptr && text->document()->isUndoAvailable()),
       states.undo);
  name(redo, "&Redo",
       (line != nullptr && (history ? history->isRedoAvailable() : line->isRedoAvailable())) ||
           (text != nullptr && text->document()->isRedoAvailable()),
       states.redo);
}

}  // namespace qs::ui

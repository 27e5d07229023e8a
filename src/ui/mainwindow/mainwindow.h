#pragma once

#include <QMainWindow>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "app/appstate.h"
#include "app/commandid.h"
#include "ui/mainwindow/optionstab.h"
#include "ui/mainwindow/projecttab.h"
#include "ui/topiclist/topiclistview.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QToolButton;

namespace qs::spelling {
class Speller;
}

namespace qs::ui {

class LivePane;
class MainMenus;
class SpellCheck;
class TopicListModel;

// The program's one long-lived window: the project's paths and buttons, the topic list with
// its edit form or preview, the options, the localisation fields and the association buttons.
// Each control's object name is its role ("TopicListView", "CompileCheckBox"). The window only
// lays out and reports; what a control does is the command it is wired to.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Without `withBrowser` no web view is ever made, as when the system cannot make one: the
  // edit/view switch and the live pane are then disabled and the rest works. With it, each
  // web view is made when first shown, so that the window opens without starting the web
  // engine.
  explicit MainWindow(bool withBrowser = true);
  ~MainWindow() override;

  bool browserAvailable() const { return project_->withBrowser(); }
  // The two tabs and their controls.
  QTabWidget* mainPanel() const { return mainPanel_; }
  ProjectTab& projectTab() const { return *project_; }
  OptionsTab& optionsTab() const { return *options_; }
  // The menu bar's menus and items.
  MainMenus& menus() const { return *menus_; }
  // The form takes typing only while it shows a topic: until then, and after the project was
  // emptied, it shows its placeholders greyed out, so nothing typed can go nowhere.
  void setFormActive(bool active);
  bool formActive() const;
  // Where the topic list's popup menu opens: at the mouse pointer after a right click, below
  // the selected row when the keyboard asked for it.
  QPoint topicMenuPosition() const;
  // The rows the topic list shows; the window does not own them.
  void setTopicModel(TopicListModel* model);
  // Runs when the window is asked to close, while it still exists; the window stays open when
  // it returns false.
  void setCloseHandler(std::function<bool()> handler) { closeHandler_ = std::move(handler); }

  // Spell checking of the title, syntax / overview and description editors, with the
  // dictionaries installed on this system. Until it is given other names, the names of the
  // topics are the rows of the topic list.
  spelling::Speller& speller() { return *speller_; }
  // The underlines and menus of those editors.
  SpellCheck& spellCheck() { return *spellCheck_; }
  // The projects offered by the drop-down beside "Load Project", most recent first (the
  // system's bytes, as config::ReadRecentProjects gives them). Choosing one emits
  // recentProjectChosen; a file that no longer exists is offered disabled.
  void setRecentProjects(std::vector<std::string> paths);

  // The window's inner area when it opens, and the smallest it can be made; both grow when the
  // texts of the controls need more room in the current font, up to the room the screen has,
  // beyond which the tab pages scroll.
  static constexpr QSize kInitialInner{649, 574};
  static constexpr QSize kMinimumInner{657, 583};

 signals:
  // The menu items and their keys (F1, F2, F3, Esc, the Ctrl keys; Del in the topic list),
  // from whatever control has the focus (undo and redo only outside the text fields, which
  // keep their own).
  void shortcutCommand(qs::app::CommandId command);
  // The user typed into the title field or one of the three editors.
  void formEdited();
  // A row of the topic list was selected (-1: none); with `rightClick` the popup is wanted.
  void topicListEvent(int row, bool rightClick);
  // One of the three editors was typed in, or gained or lost the focus.
  void editorEvent(qs::app::Editor editor);
  // Ctrl+Shift+F: the author wants to search the pages.
  void searchRequested();
  // A project of the recent projects' drop-down was chosen.
  void recentProjectChosen(const std::string& path);
  // The window became the active window (the user came back to it from elsewhere, or a
  // window of its own closed).
  void activated();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The menu items to what they run, and Del in the topic list; undo and redo only outside
  // the text fields that take typing.
  void ConnectMenus();
  bool InEditableText() const;
  // Emits formEdited for every change the user makes in the form.
  void WatchFormEdits();
  // The editors report their typing and focus as editorEvent; their groups collapse.
  void WatchEditors();
  void FillRecentProjectsMenu(QMenu* menu);
  void AttachSpellCheck();
  // The dictionary drop-down follows the spell check: filled now, and again when a
  // dictionary appears or the choice changes.
  void AttachDictionaryList();
  // The dictionary drop-down: every installed dictionary and "None", the one in use selected.
  void FillDictionaryList();
  void ShowActiveDictionary();
  void SetTabOrder();
  // The smallest size: the design's, or what the controls' texts need when that is more, but
  // never more than the screen's room.
  void FitMinimumSize();
  // Centred on the screen at the size it opens with, within the screen's room.
  void PlaceOnScreen();
  // An editor that is disabled while the form is in use collapses to its caption.
  void CollapseUnusedEditors();
  // Ctrl+F outside the editors goes to the filter field, as Ctrl+L does.
  void AddFindShortcuts();

  QTabWidget* mainPanel_ = nullptr;
  ProjectTab* project_ = nullptr;
  OptionsTab* options_ = nullptr;
  MainMenus* menus_ = nullptr;
  std::function<bool()> closeHandler_;
  spelling::Speller* speller_ = nullptr;
  SpellCheck* spellCheck_ = nullptr;
  std::vector<std::string> recentProjects_;
  bool menuByKeyboard_ = false;
  bool screenFollowed_ = false;
  bool frameKnown_ = false;
};

}  // namespace qs::ui

#pragma once

#include <QObject>
#include <array>
#include <functional>

#include "app/commands.h"

class QAction;
class QMenu;
class QMenuBar;

namespace qs::ui {

class ProjectTab;
class OptionsTab;

// The main window's menu bar: every command of the window under File, Edit, Page, View and
// Help, each item showing its key. An item runs what its button or key runs; the window
// connects them. An item is greyed out exactly when its command would do nothing now, which
// Refresh works out from the commands' states and the field that has the focus.
//
// A key belongs to one control only, or Qt would take it as ambiguous and merely move the
// focus: the keys of the buttons (Alt+Up, the tags' Alt keys) and Del, which belongs to the
// topic list, stay theirs, and their items only show them; every other key is its item's.
class MainMenus : public QObject {
  Q_OBJECT

 public:
  MainMenus(QMenuBar& bar, ProjectTab& project, OptionsTab& options);

  // Where Refresh learns what the commands would do; until it is given, every command item
  // is offered.
  void setStateSource(std::function<app::CommandStates()> source) { source_ = std::move(source); }
  // Offers the items whose commands would act now and names what undo and redo would do.
  void Refresh();
  // The same after the focus moved or the clipboard changed, from the commands' states as the
  // last Refresh found them: nothing but a command changes those, and the commands may be
  // gone already while the window is taken down.
  void RefreshForFocus();

  QMenu* fileMenu = nullptr;
  QAction* newProject = nullptr;
  QAction* open = nullptr;
  QMenu* recentMenu = nullptr;
  QAction* save = nullptr;
  QAction* saveAs = nullptr;
  QAction* createHtml = nullptr;
  QAction* uniqueHtml = nullptr;
  QAction* quit = nullptr;

  QMenu* editMenu = nullptr;
  QAction* undo = nullptr;
  QAction* redo = nullptr;
  QAction* cut = nullptr;
  QAction* copy = nullptr;
  QAction* paste = nullptr;
  QAction* selectAll = nullptr;
  QAction* findInPages = nullptr;
  QAction* filterTopics = nullptr;

  QMenu* pageMenu = nullptr;
  QAction* addUserTopic = nullptr;
  QAction* addIndexHeading = nullptr;
  QAction* deletePage = nullptr;
  QAction* moveUp = nullptr;
  QAction* moveDown = nullptr;
  QMenu* tagMenu = nullptr;
  // In the order of the tag buttons.
  std::array<QAction*, 6> tags{};
  QAction* insertLink = nullptr;
  QAction* insertPicture = nullptr;

  QMenu* viewMenu = nullptr;
  QAction* editView = nullptr;
  QAction* livePane = nullptr;
  QAction* preview = nullptr;
  QAction* previewAll = nullptr;

  QMenu* helpMenu = nullptr;
  QAction* manual = nullptr;
  QAction* about = nullptr;

 private:
  void BuildFileMenu(QMenuBar& bar);
  void BuildEditMenu(QMenuBar& bar);
  void BuildPageMenu(QMenuBar& bar);
  void BuildViewMenu(QMenuBar& bar);
  void BuildHelpMenu(QMenuBar& bar);
  // Undo, redo and the clipboard's items, after the field with the focus and the history.
  void RefreshEditItems(const app::CommandStates& states);

  ProjectTab& project_;
  OptionsTab& options_;
  std::function<app::CommandStates()> source_;
  app::CommandStates states_;
};

}  // namespace qs::ui

#pragma once

class QWidget;

namespace qs::ui {

class MainWindow;

// Makes the controls of the Project tab on `page` and lays them out: the project's paths and
// buttons, the Make Help group, and the topic list beside the page pane (the edit form, and
// the preview browser `withBrowser`). Every control goes into the window's member for its role.
void BuildProjectTab(MainWindow& window, QWidget* page, bool withBrowser);

}  // namespace qs::ui

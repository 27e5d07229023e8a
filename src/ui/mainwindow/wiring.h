#pragma once

namespace qs::app {
class Commands;
}

namespace qs::ui {

class MainWindow;
class QtUi;

// Connects every control of the main window, its menus and keys and the popup menu to their
// commands.
void Wire(MainWindow& window, QtUi& ui, app::Commands& commands);

}  // namespace qs::ui

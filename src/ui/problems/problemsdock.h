#pragma once

namespace qs::app {
class Commands;
}

namespace qs::ui {

class MainWindow;
class ProblemsPanel;
class QtUi;

// Puts the Problems panel into the window, docked below and hidden until asked for, with its
// toggle and the coverage text ("29 of 35 functions documented") in the status bar; keeps it
// current as the project and the form change; a problem chosen in it shows its page and puts
// the caret on its line. The window finds the panel again as the child named "ProblemsPanel".
ProblemsPanel* AttachProblemsPanel(MainWindow& window, QtUi& ui, app::Commands& commands);

}  // namespace qs::ui

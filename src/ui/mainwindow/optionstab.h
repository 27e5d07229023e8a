#pragma once

class QWidget;

namespace qs::ui {

class MainWindow;

// Makes the controls of the Options tab on `page` and lays them out: the compiler, the two
// extraction and build options, the localisation of the pages, the about text and the buttons
// of the unique file and the association. Every control goes into the window's member for its
// role.
void BuildOptionsTab(MainWindow& window, QWidget* page);

}  // namespace qs::ui

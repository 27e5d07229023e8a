#pragma once

#include <string>

namespace qs::app {
struct CommandContext;
}

namespace qs::ui {

class MainWindow;

// Opens the project named on the command line once the window has painted itself for the
// first time, with a busy cursor and a line in the status bar while it loads, so that the
// window is never left blank however large the project. Nothing happens for an empty path, or
// when there is unsaved work by then (restored from a recovery copy).
// The context must outlive the window's first paint.
void OpenAfterFirstPaint(MainWindow& window, const app::CommandContext& context,
                         std::string projectPath);

}  // namespace qs::ui

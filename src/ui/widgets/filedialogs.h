#pragma once

// The requesters for files and folders, on Qt's own dialogs so that they look and behave the
// same on every desktop.

#include <string>

#include "app/ui.h"

class QWidget;

namespace qs::ui {

// `pattern` is label and filter pairs separated by "|" ("Label|*.ext|All files|*.*"). The
// dialog starts in `start`, a folder (ending in a separator, or in "*") or a file to propose.
// The chosen path is empty when the dialog was cancelled.
app::FileChoice RunFileDialog(QWidget* parent, bool save, const std::string& title,
                              const std::string& start, const std::string& pattern);

// The chosen folder with a trailing "/", or an empty text when cancelled.
std::string RunFolderDialog(QWidget* parent, const std::string& title, const std::string& start);

}  // namespace qs::ui

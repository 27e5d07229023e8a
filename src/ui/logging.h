#pragma once

// The window's side of the log (see text/log.h): Qt categories of the same names as the
// core's, and the window's own, "qs.ui". All are off until QT_LOGGING_RULES ("qs.*=true") or
// QUILLSMITH_LOG switches them on; the core's lines then reach Qt's message handler like the
// window's own.

#include <QLoggingCategory>

namespace qs::ui {

Q_DECLARE_LOGGING_CATEGORY(uiLog)

// Switches the core's categories as Qt's rules say (QUILLSMITH_LOG taken as rules first, so
// that QT_LOGGING_RULES has the last word) and hands the core's lines to Qt's logging. Called
// once at start, before the core has anything to tell.
void RouteCoreLogToQt();

}  // namespace qs::ui

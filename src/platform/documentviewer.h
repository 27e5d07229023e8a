#pragma once

// Whether the desktop has a program that opens a given document, so that a command can show
// the document some other way instead of asking for something that silently does nothing.

#include <string>

namespace qs::platform {

// True when the desktop names a default application for the document's type. On Linux that is
// what xdg-mime answers (no xdg-mime: no viewer); on Windows the system's own help viewer is
// always there.
bool HasDocumentViewer(const std::string& path);

}  // namespace qs::platform

#pragma once

// Opening project files (".qsp") with this program from the desktop.

#include <string>

namespace qs::platform {

// Associates ".qsp" files with the program at `programPath`. True when the association is in
// place afterwards.
bool RegisterProjectFiles(const std::string& programPath);
// Removes what RegisterProjectFiles wrote, and nothing else. True when no part of the
// association is left (also when there was none).
bool UnregisterProjectFiles();

// The freedesktop form of the association, in folders given: `dataHome` ($XDG_DATA_HOME)
// receives the MIME type "application/x-quillsmith-project" (glob "*.qsp") and the desktop
// entry "quillsmith.desktop"; `configHome` ($XDG_CONFIG_HOME) receives, in mimeapps.list, the
// line that makes the entry the type's default. `refreshDatabases` runs the system's MIME and
// desktop database tools afterwards when they exist.
struct AssociationFolders {
  std::string dataHome;
  std::string configHome;
  bool refreshDatabases = true;
};
bool RegisterProjectFilesIn(const AssociationFolders& folders, const std::string& programPath);
bool UnregisterProjectFilesIn(const AssociationFolders& folders);

// The Exec line of the desktop entry: the program path quoted as the desktop entry format
// wants it, then the file argument.
std::string DesktopExecLine(const std::string& programPath);

}  // namespace qs::platform

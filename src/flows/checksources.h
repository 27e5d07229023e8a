#pragma once

// What the check of a project reads besides the project: the library's own one-line texts (a
// function page that says only that is not documented) and the files of the help folder (the
// pictures and other files the pages may name). Both programs read them here; neither is
// written.

#include <string>
#include <vector>

#include "project/coverage.h"
#include "project/helpproject.h"

namespace qs::flows {

struct CheckSources {
  // Empty when the project names no library or it cannot be read.
  project::LibraryHelpTexts libraryHelps;
  bool libraryRead = false;
  // The files below the help folder, relative to it, "/" between folders. Empty when the
  // folder is not there.
  std::vector<std::string> folderFiles;
};

// Reads the project's library (when it names one and it is there) and lists `helpFolder` (no
// folder: none is listed). The library's messages are not shown: a library that cannot be
// read only means its texts are not known.
CheckSources ReadCheckSources(const project::HelpProject& project, const std::string& helpFolder);

// The files below `folder`, as CheckSources holds them; at most `limit` of them, so that a help
// folder pointed at a whole disk does not stall the check.
std::vector<std::string> ListFolderFiles(const std::string& folder, std::size_t limit = 100000);

}  // namespace qs::flows

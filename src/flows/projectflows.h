#pragma once

// The two steps on a project that both programs take: opening a project file, and building
// its topics from its library. Each returns what happened; the front end decides how to show
// the messages (a message box, or a line on standard error).

#include <string>

#include "flows/extractionchanges.h"
#include "flows/ports.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "text/report.h"

namespace qs::flows {

struct ProjectOutcome {
  bool succeeded = false;
  // The step's messages, in the order they arose.
  text::Reports reports;
};

// Loads the project file at `path` into `project`. Once loaded, the project is named by
// `path`, whatever name the file holds. `context` offers a library found elsewhere when the
// project's has moved; the empty one never asks (the command line does not read the
// library). The file is read aside and taken over only when it loads: a load that fails
// changes nothing, so a damaged file never lends its paths to the project.
ProjectOutcome OpenProject(ProjectFiles& files, project::HelpProject& project,
                           const std::string& path, const project::LoadContext& context = {});

// An extraction made on a copy of the project, to be taken over (or dropped) by the caller.
struct PreparedExtraction : ProjectOutcome {
  // The project as the extraction left it; meaningful only when it succeeded.
  project::HelpProject result;
  // Whether the library was merged into existing pages (or the pages were built afresh).
  bool merged = false;
  ExtractionChanges changes;
  // What changed, in one line (see ChangesLine); empty when the extraction failed.
  std::string changesLine;
};

// Builds the topics of a copy of `project` from its library file: merged into the existing
// topics when `keepData` is set and there are some, afresh otherwise; after a merge the rows
// keep the author's order, after a fresh build they follow the store; the Index page's row is
// selected. `changes` names every page that goes; asking about them, or naming them after the
// fact, is the caller's. `project` itself is not touched.
PreparedExtraction PrepareExtraction(LibraryReader& reader, const project::HelpProject& project,
                                     bool keepData);

// The extraction of PrepareExtraction made in `project` itself, with the same outcome except
// `result`, which stays empty: `project` holds it. A failed extraction leaves the project
// exactly as it was.
PreparedExtraction ExtractLibrary(LibraryReader& reader, project::HelpProject& project,
                                  bool keepData);

}  // namespace qs::flows

#pragma once

// The two steps on a project that both programs take: opening a project file, and building
// its topics from its library. Each returns what happened; the front end decides how to show
// the messages (a message box, or a line on standard error).

#include <string>

#include "app/services.h"
#include "project/helpproject.h"
#include "project/projectfile.h"
#include "text/report.h"

namespace qs::app {

struct ProjectOutcome {
  bool succeeded = false;
  // The step's messages, in the order they arose.
  text::Reports reports;
};

// Loads the project file at `path` into `project`. Once loaded, the project is named by
// `path`, whatever name the file holds. `context` offers a library found elsewhere when the
// project's has moved; the empty one never asks (the command line does not read the
// library). A load that fails leaves the project as the project file layer leaves it.
ProjectOutcome OpenProject(Services& services, project::HelpProject& project,
                           const std::string& path, const project::LoadContext& context = {});

// Builds the project's topics from its library file: merged into the existing topics when
// `keepData` is set and there are some, afresh otherwise; the rows then follow the store and
// the Index page's row is selected. A failed extraction leaves the topics as they were.
ProjectOutcome ExtractLibrary(Services& services, project::HelpProject& project, bool keepData);

}  // namespace qs::app

#pragma once

// One HTML page with the overview and every function's syntax and description, for a web
// site. It is named after the Index page's title. While examples are code, each function's
// example follows its description, framed as on its page, escaped and coloured, without links
// (the web site has no pages to link to).

#include <optional>
#include <string>

#include "project/helpproject.h"
#include "text/report.h"

namespace qs::output {

std::string UniqueHtmlText(const project::HelpProject& project, bool examplesAsCode = false);

// Where the file is meant to go: folder (separator appended when missing; empty: the
// current folder) + the page file name of the Index page's title (PageFileName).
std::string UniqueHtmlTarget(const project::HelpProject& project, const std::string& folder);

// The target, or nothing when the project has no topics or the title holds "/" or "\": the
// file is made in the folder itself, never in or outside another one.
std::optional<std::string> UniqueHtmlPath(const project::HelpProject& project,
                                          const std::string& folder);

// Writes the file, creating the folder first. On success reports "Unique HTML help file
// created :\n\n" + path (title "Information") and returns true. A file that cannot be
// written reports nothing and returns false; so does a project without topics.
bool WriteUniqueHtmlFile(const project::HelpProject& project, const std::string& folder,
                         text::Reports& reports, bool examplesAsCode = false);

}  // namespace qs::output

#pragma once

// The functions lists of the Index page and the user index entries, as the rows give them.
// Readers do not call this: HelpProject::Body gives each list, computed once per change of
// the rows and kept in step with them.

#include "project/helpproject.h"

namespace qs::project {

// The functions list of every topic named "Index" that is not a user topic (every plain topic
// of rows 1 to n-1), then of every user index entry that a row opens a group with (the plain
// topics after it up to the next user topic or user index entry), following the display order.
// By store position, in that order: a position listed twice takes its last list.
IndexLists ComputeIndexLists(const HelpProject& project);

}  // namespace qs::project

#pragma once

#include <string>
#include <vector>

#include "project/helpproject.h"

namespace qs::project {

inline constexpr const char* kUserTopicPlaceholder = "< Insert your text here >";

struct AddOutcome {
  bool added = false;
  // How many stored topics already carry the name: the caller shows "This topic name already
  // exists" once for each.
  std::size_t duplicates = 0;
  int row = -1;  // the new row, when added
  // Store positions of the functions lists the addition kept as they were (a user topic added
  // inside a group cuts it short without remaking the lists).
  std::vector<std::size_t> keptLists;
};

// Adds a free-text page named `name` at the place the selection gives: just above the first
// user topic at or below the selected row (at the end when there is none), or just above the
// last row when nothing is selected. The new row is selected and its topic shown. An empty
// name adds nothing and reports nothing. The functions lists are not remade: each reads as it
// did before.
AddOutcome AddUserTopic(HelpProject& project, const std::string& name);

// Adds a user index entry named `name` above the selected row (never above row 1, and above
// the user topic block when a user topic is selected), at row 1 when the Index page is
// selected, or just above the last row when nothing is selected; then remakes the functions
// lists.
AddOutcome AddUserIndex(HelpProject& project, const std::string& name);

}  // namespace qs::project

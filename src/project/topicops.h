#pragma once

// Operations on the topic list that keep the store, the rows and the computed functions lists
// consistent. None of them touches the edit form: after one that returns true, the caller
// shows the shown topic again (which drops uncommitted typing, as moving a row always has).

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "project/helpproject.h"

namespace qs::project {

// The flags of the first stored topic with this name; false when there is none.
bool UserTopicFlag(const HelpProject& project, std::string_view name);
bool UserIndexFlag(const HelpProject& project, std::string_view name);

// Recomputes the functions list of the Index page (every plain topic of rows 1 to n-1) and of
// every user index entry (the plain topics after it up to the next user topic or user index
// entry), following the display order.
void RefreshIndexLists(HelpProject& project);
// Makes the functions lists that moves left to be made (see HelpProject::indexListsPending);
// nothing when none are pending. Called before a list is shown, written or built upon.
void ProduceIndexLists(HelpProject& project);
// What RefreshIndexLists writes: store position and functions list, in the order written.
using IndexLists = std::vector<std::pair<std::size_t, std::string>>;
IndexLists ComputeIndexLists(const HelpProject& project);

// Move the selected row one place, within the rules that keep the Index page first and the
// user topics together at the end. True when the row moved. The functions lists are then
// pending.
bool MoveTopicUp(HelpProject& project);
bool MoveTopicDown(HelpProject& project);

// Removes the selected row and the first stored topic named as the shown topic, remakes the
// functions lists from the rows left (RefreshIndexLists) and selects and shows the Index page.
// True when something was deleted.
bool DeleteSelectedTopic(HelpProject& project);

}  // namespace qs::project

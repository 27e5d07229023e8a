#pragma once

// Operations on the topic list that keep the store and the rows consistent; each says whether
// it remakes the functions lists (HelpProject::RemakeLists). None of them touches the edit form:
// after one that returns true, the caller shows the shown topic again (which drops uncommitted
// typing, as moving a row always has).

#include <string>
#include <string_view>

#include "project/helpproject.h"

namespace qs::project {

// The flags of the first stored topic with this name; false when there is none.
bool UserTopicFlag(const HelpProject& project, std::string_view name);

// Move the selected row one place, within the rules that keep the Index page first and the
// user topics together at the end. True when the row moved; the functions lists are then
// remade.
bool MoveTopicUp(HelpProject& project);
bool MoveTopicDown(HelpProject& project);
// Whether those rules let the selected row move now, so that a control can say so before.
bool CanMoveTopicUp(const HelpProject& project);
bool CanMoveTopicDown(const HelpProject& project);

// Removes the selected row and the first stored topic named as the shown topic, remakes the
// functions lists from the rows left and selects and shows the Index page.
// True when something was deleted.
bool DeleteSelectedTopic(HelpProject& project);

}  // namespace qs::project

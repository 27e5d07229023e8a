#pragma once

// Builds small projects from a compact description, so that tests read like the lists they
// check. Each name may end in a kind mark: "*" for a user topic, "#" for a user index entry.
// "Index" is the Index page. Store order and display order are both the order given.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "project/helpproject.h"

namespace qs::testsupport {

project::Topic MakeTopic(std::string_view recipe);
project::HelpProject MakeProject(std::initializer_list<std::string_view> recipes);
project::HelpProject MakeProject(const std::vector<std::string>& recipes);

// The row texts, in display order.
std::vector<std::string> RowTexts(const project::HelpProject& project);
// The topic names, in store order.
std::vector<std::string> StoreNames(const project::HelpProject& project);

}  // namespace qs::testsupport

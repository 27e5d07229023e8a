#pragma once

// The auto-link rule of function descriptions written as plainly as it is worded, position by
// position and name by name, with no cleverness: what the fast linker of the help output is
// compared against by the tests and the differential fuzz target.

#include <string>
#include <string_view>
#include <vector>

namespace qs::testsupport {

std::string ReferenceAutoLink(std::string_view text, const std::vector<std::string>& names);

}  // namespace qs::testsupport

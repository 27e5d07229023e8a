#pragma once

// Which function pages are documented: the first thing an author wants to know before a
// release. The library's own one-line help text becomes a new page's description, so a page
// that still says only that tells the reader nothing the library's tooltip did not.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>

#include "project/helpproject.h"
#include "project/topic.h"

namespace qs::project {

// The one-line help text of each function of the library, by function name. Empty when the
// library file could not be read: then only an empty description counts as undocumented.
using LibraryHelpTexts = std::unordered_map<std::string, std::string, NameHash, std::equal_to<>>;

// Whether the function page `page` with the description `description` is documented: it has
// an example, or its description differs from the library's text for it (`libraryHelp`, null
// when the library does not give one). Without the library's text the description must not be
// empty. Blanks around the texts and the form of the line ends do not count.
bool IsDocumented(const Topic& page, std::string_view description, const std::string* libraryHelp);

struct Coverage {
  std::size_t documented = 0;
  std::size_t functions = 0;

  friend bool operator==(const Coverage&, const Coverage&) = default;
};

// The function pages of the project counted by IsDocumented.
Coverage CountCoverage(const HelpProject& project, const LibraryHelpTexts& helps);

// "29 of 35 functions documented" ("1 of 1 function documented").
std::string CoverageText(const Coverage& coverage);

}  // namespace qs::project
